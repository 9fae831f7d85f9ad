#!/usr/bin/env bash
# The kiosk as a plant sees it: the station inside cage on a headless output
# shows its login screen over the whole output, and after a SIGKILL it is
# back within 2 s by the restart rule of tavran-kiosk@.service.
# Usage: kiosk-test.sh BIN_DIR SESSION_SCRIPT UNIT_FILE
set -uo pipefail
bin_dir=$1 session=$2 unit=$3

skip() { echo "SKIP: $*"; exit 77; }
fail() { echo "FAIL: $*"; exit 1; }
for tool in cage grim Xwayland convert; do
  command -v "$tool" >/dev/null || skip "$tool is not installed (scripts/install-deps.sh)"
done

tmp=$(mktemp -d)
chmod 755 "$tmp"
runtime=$tmp/run station=$tmp/station
mkdir -m 700 "$runtime"
# The kiosk user may not reach the build folder: it gets its own copies.
mkdir "$tmp/bin"
cp "$bin_dir/tavran" "$session" "$tmp/bin/"
session=$tmp/bin/$(basename "$session")
bin_dir=$tmp/bin
# cage will not run as root: the kiosk runs as an ordinary user, here "nobody".
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  id nobody >/dev/null 2>&1 || skip "no unprivileged user to run cage as"
  chown -R nobody "$tmp"
  as_user=(runuser -u nobody --)
fi
kiosk_env=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "PATH=$bin_dir:$PATH" "XDG_RUNTIME_DIR=$runtime" "XDG_CONFIG_HOME=$tmp/config"
  "HOME=$tmp" WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman
  LC_ALL=C.UTF-8 "QT_LOGGING_RULES=qt.qpa.wayland*=true")

# Processes of this test: they alone see its runtime folder.
ours() {
  local p comm
  for p in /proc/[0-9]*; do
    if [ -n "${1:-}" ]; then
      { read -r comm <"$p/comm"; } 2>/dev/null || continue
      [ "$comm" = "$1" ] || continue
    fi
    { tr '\0' '\n' <"$p/environ"; } 2>/dev/null | grep -qxF "XDG_RUNTIME_DIR=$runtime" && echo "${p#/proc/}"
  done
  return 0
}
supervisor=""
cleanup() {
  [ -n "$supervisor" ] && kill "$supervisor" 2>/dev/null
  local pid
  for pid in $(ours); do kill -KILL "$pid" 2>/dev/null; done
  rm -rf "$tmp"
}
trap cleanup EXIT

now_ms() { echo $(($(date +%s%N) / 1000000)); }

# The session carries the station's exit status out of cage, which itself
# always ends with success: a clean close must not bring the station back.
mkdir -p "$tmp/fake"
for case in "0:exit 0" "3:exit 3" "137:kill -KILL \$\$"; do
  printf '#!/bin/sh\n%s\n' "${case#*:}" >"$tmp/fake/tavran"
  chmod 755 "$tmp/fake/tavran"
  "${as_user[@]}" "${kiosk_env[@]}" "PATH=$tmp/fake:$PATH" "$session" >/dev/null 2>&1
  status=$?
  [ "$status" -eq "${case%%:*}" ] || fail "a station that ran '${case#*:}' ended the session with $status"
done
rm -rf "$tmp/fake"
echo "the session ends with the station's own status (0, 3, 137)"

"${as_user[@]}" "${kiosk_env[@]}" tavran init-demo "$station" >/dev/null || fail "init-demo failed"

# The unit's restart rule, applied here when no service manager can run the unit.
restart=$(sed -n 's/^Restart=//p' "$unit")
restart_sec=$(sed -n 's/^RestartSec=//p' "$unit")
[ "$restart" = on-failure ] || fail "the unit restarts '$restart', not on-failure"
case $restart_sec in
  *ms) delay=$(awk "BEGIN { print ${restart_sec%ms} / 1000 }") ;;
  *s) delay=${restart_sec%s} ;;
  *) delay=$restart_sec ;;
esac
if [ "$(cat /proc/1/comm 2>/dev/null)" != systemd ]; then
  echo "no service manager here (process 1 is $(cat /proc/1/comm 2>/dev/null)): the test restarts" \
    "the session by the unit's rule, Restart=$restart RestartSec=$restart_sec"
fi
(
  while :; do
    "${as_user[@]}" "${kiosk_env[@]}" "$session" --data-dir "$station" >>"$tmp/session.log" 2>&1
    status=$?
    echo "$(now_ms) session ended with $status" >>"$tmp/events"
    [ "$status" -eq 0 ] && break
    sleep "$delay"
  done
) &
supervisor=$!
started=$(now_ms)

# The login screen: its colour in every corner (the window covers the whole
# output, cage's background is black) and the blue staff list.
# wlroots 0.15 with its software renderer cannot copy a headless output (grim
# gets black and cage logs "Basic output test failed"); there the station's
# own log must show its window configured to the output's size and drawn.
shown_before=0
login_shown() {
  local socket shot="$tmp/shot.png"
  socket=$(cd "$runtime" && ls wayland-? 2>/dev/null | head -n 1)
  [ -n "$socket" ] || return 1
  "${as_user[@]}" env "XDG_RUNTIME_DIR=$runtime" "WAYLAND_DISPLAY=$socket" grim "$shot" 2>/dev/null || return 1
  local corners blue size
  corners=$(convert "$shot" -format '%[pixel:p{0,0}] %[pixel:p{%[fx:w-1],0}] %[pixel:p{0,%[fx:h-1]}] %[pixel:p{%[fx:w-1],%[fx:h-1]}]' info: 2>/dev/null)
  if [ "$(convert "$shot" -format '%[fx:maxima]' info: 2>/dev/null)" = 0 ] \
    && grep -q "Basic output test failed" "$tmp/session.log"; then
    size=$(identify -format '%w, %h' "$shot")
    drawn=$(awk -v size="QSize($size)" '
      index($0, "configure event: " size) { configured = 1 }
      configured && /backingstore: handleUpdate/ { drawn++; configured = 0 }
      END { print drawn + 0 }' "$tmp/session.log")
    [ "$drawn" -gt "$shown_before" ] || return 1
    shown_before=$drawn
    capture="the station's window configured to the output's $size and drawn (this cage cannot copy its output)"
    return 0
  fi
  case $corners in *"srgb(0,0,0)"* | "") return 1 ;; esac
  blue=$(convert "$shot" -format %c histogram:info:- 2>/dev/null | awk '/#0000FF/ { print $1 + 0 }')
  [ "${blue:-0}" -gt 10000 ] || return 1
  cp "$shot" "$tmp/login.png"
  capture="screenshot $(identify -format '%wx%h' "$shot"), corners $corners"
}
wait_for_login() {
  local deadline=$(($(now_ms) + 60000))
  until login_shown; do
    [ "$(now_ms)" -lt "$deadline" ] || return 1
    sleep 0.1
  done
}
wait_for_login || { tail -n 20 "$tmp/session.log"; fail "no login screen within 60 s"; }
echo "service start to login screen: $(($(now_ms) - started)) ms"
echo "login screen: $capture"
if [ -n "${TAVRAN_KIOSK_SHOT:-}" ] && [ -f "$tmp/login.png" ]; then cp "$tmp/login.png" "$TAVRAN_KIOSK_SHOT"; fi

station_pid=$(ours tavran | head -n 1)
[ -n "$station_pid" ] || fail "no station process"
kill -KILL "$station_pid"
killed=$(now_ms)
back=""
while [ $(($(now_ms) - killed)) -lt 2000 ]; do
  back=$(ours tavran | grep -vx "$station_pid" | head -n 1)
  [ -n "$back" ] && break
  sleep 0.05
done
[ -n "$back" ] || { cat "$tmp/events"; echo "killed at $killed"; fail "the station was not back within 2 s of its SIGKILL"; }
echo "killed station back after $(($(now_ms) - killed)) ms"
wait_for_login || fail "the restarted station shows no login screen"
echo "kill to login screen again: $(($(now_ms) - killed)) ms ($capture)"
