#!/usr/bin/env bash
# The package scripts/package.sh built, checked as a plant's installer would
# meet it: its control data and files, lintian, the kiosk unit, and the
# packaged programs unpacked into a folder of their own and run there.
# Usage: check-package.sh PACKAGE_DIR VERSION
set -uo pipefail
dir=$1 version=$2
arch=$(dpkg --print-architecture)
deb=$dir/tavran_${version}_${arch}.deb

skip() { echo "SKIP: $*"; exit 77; }
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
[ -f "$deb" ] || skip "no $deb: scripts/package.sh builds it (scripts/test.sh runs it)"

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

info=$(dpkg-deb --info "$deb")
field() { dpkg-deb --field "$deb" "$1"; }
[ "$(field Package)" = tavran ] || fail "package name $(field Package)"
[ "$(field Version)" = "$version" ] || fail "version $(field Version), the project's is $version"
# Library dependencies come from the linked libraries, with their versions.
for library in libqt6core6 libqt6widgets6 libqt6sql6 libsodium23 libzint libcsv3 libc6; do
  grep -Eq "^ Depends:.*\b$library[^,]* \(>= " <<<"$info" || fail "Depends names no $library (>= ...)"
done
grep -q "^ Depends:.*libqt6sql6-sqlite" <<<"$info" || fail "Depends lacks the SQLite driver"
echo "size: $(du -k "$deb" | cut -f1) KiB packed, Installed-Size $(field Installed-Size) KiB"
echo "Depends: $(field Depends)"
echo "Recommends: $(field Recommends)"

contents=$(dpkg-deb --contents "$deb" | awk '{ print $6 }')
for path in ./usr/bin/tavran ./usr/bin/tavran-scale-sim \
  ./usr/share/man/man1/tavran.1.gz ./usr/share/man/man1/tavran-label.1.gz \
  ./usr/share/man/man1/tavran-init-demo.1.gz ./usr/share/man/man1/tavran-scale-sim.1.gz \
  ./usr/share/bash-completion/completions/tavran ./usr/share/applications/tavran.desktop \
  ./usr/share/icons/hicolor/scalable/apps/tavran.svg ./usr/share/doc/tavran/copyright \
  ./usr/share/doc/tavran/station-folder.md ./lib/systemd/system/tavran-kiosk@.service \
  ./lib/systemd/system/tavran-web@.service \
  ./usr/libexec/tavran/tavran-kiosk-session; do
  grep -qxF -e "$path" -e "$path.gz" <<<"$contents" || fail "the package lacks $path"
done

if command -v lintian >/dev/null; then
  lintian --fail-on error --tag-display-limit 0 "$deb" >"$tmp/lintian" 2>&1 || fail "lintian reports errors"
  echo "lintian: $(grep -c '^[EW]:' "$tmp/lintian") errors and warnings"
  cat "$tmp/lintian"
else
  echo "lintian not installed: its check is skipped"
fi

root=$tmp/root
dpkg-deb -x "$deb" "$root"
export XDG_CONFIG_HOME=$tmp/config XDG_DATA_HOME=$tmp/data XDG_RUNTIME_DIR=$tmp
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
[ "$("$root/usr/bin/tavran" --version 2>/dev/null)" = "tavran $version" ] \
  || fail "tavran --version says '$("$root/usr/bin/tavran" --version 2>&1)'"
"$root/usr/bin/tavran" --help 2>/dev/null | grep -q "^  init-demo " || fail "tavran --help lists no init-demo"
"$root/usr/bin/tavran" init-demo "$tmp/station" >/dev/null 2>&1 || fail "init-demo failed"
[ -s "$tmp/station/Tavran.db" ] && [ -s "$tmp/station/Personel.Txt" ] || fail "init-demo left no station"
"$root/usr/bin/tavran" --data-dir "$tmp/station" check >/dev/null 2>&1 || fail "check of the demo failed"
"$root/usr/bin/tavran-scale-sim" --version 2>/dev/null | grep -qF "$version" || fail "tavran-scale-sim --version"

if command -v systemd-analyze >/dev/null; then
  # A template is checked through one instance, against the unpacked files.
  unit_dir=$root/lib/systemd/system
  for unit in tavran-kiosk tavran-web; do
    cp "$unit_dir/$unit@.service" "$unit_dir/$unit@kasa.service"
    sed -i "s|^ExecStart=/|ExecStart=$root/|" "$unit_dir/$unit@kasa.service"
    # It passes over a line it cannot read with a warning only: any word is a fault.
    if ! systemd-analyze verify --man=no "$unit_dir/$unit@kasa.service" >"$tmp/verify" 2>&1 \
      || [ -s "$tmp/verify" ]; then
      cat "$tmp/verify"
      fail "systemd-analyze verify finds fault with the $unit unit"
    fi
  done
  grep -q '^ExecStart=/usr/libexec/tavran/tavran-kiosk-session ' "$unit_dir/tavran-kiosk@.service" \
    || fail "the kiosk unit starts $(grep '^ExecStart=' "$unit_dir/tavran-kiosk@.service")"
  grep -q '^ExecStart=/usr/bin/tavran --data-dir /var/lib/tavran/%i serve ' "$unit_dir/tavran-web@.service" \
    || fail "the web unit starts $(grep '^ExecStart=' "$unit_dir/tavran-web@.service")"
else
  echo "systemd-analyze not installed: the unit check is skipped"
fi

[ "$failures" -eq 0 ] || exit 1
echo "package ok"
