#!/usr/bin/env bash
# Builds the station and starts it on a demo station folder, with a simulated
# scale sending weights on 127.0.0.1:5555 and scale 1 switched on.
# The demo keeps its settings inside its own folder (demo-station/config).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh

demo="${TAVRAN_DEMO_DIR:-$PWD/demo-station}"
export XDG_CONFIG_HOME="$demo/config"
[ -f "$demo/Tavran.db" ] || build/src/tavran init-demo "$demo"
build/src/tavran --data-dir "$demo" config set Tart0 True
build/src/tavran --data-dir "$demo" config set IpNo0 127.0.0.1
build/src/tavran --data-dir "$demo" config set PortNo0 5555
build/src/tavran --data-dir "$demo" config set Terazi0 "1.Terazi"

sim_pid=""
if [ -x build/tools/scale_sim/tavran-scale-sim ]; then
  # Packages put on and lifted off the scale, one after the other.
  build/tools/scale_sim/tavran-scale-sim --port 5555 --interval 500 \
    --weights 0,0,1.25,1.25,1.25,1.25,0,0,2.48,2.48,2.48,2.48,0,0,0.735,0.735,0.735 \
    >/dev/null 2>&1 &
  sim_pid=$!
fi
trap '[ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null || true' EXIT

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: starting the station on a virtual screen (xvfb)."
  xvfb-run -a -s "-screen 0 1280x800x24" build/src/tavran --data-dir "$demo"
else
  build/src/tavran --data-dir "$demo"
fi
