#!/usr/bin/env bash
# The demo: the CIU simulator on a pseudo-terminal, and with a display the TK70 program
# (COM1 on the simulator), else the console demo reading live values through the driver.
# Ctrl-C ends both.  DEMO_CONSOLE=1 forces the console demo; DEMO_SECONDS limits it.
set -euo pipefail
build=${1:-build}
shift || true
bin="$build/bin"
link="$build/demo-ciu"
control="$build/demo-ciu.sock"

"$bin/tk70-ciusim" --link "$link" --control "$control" > "$build/demo-ciu.out" &
sim=$!
trap 'kill "$sim" 2>/dev/null || true; wait "$sim" 2>/dev/null || true' EXIT

for _ in $(seq 1 100); do
  [[ -s "$build/demo-ciu.out" ]] && break
  kill -0 "$sim" 2>/dev/null || { echo "the simulator did not start" >&2; exit 1; }
  sleep 0.05
done
echo "CIU simulator on $(head -n 1 "$build/demo-ciu.out") (link $link, control $control)"
echo "Try in another terminal:  $bin/tk70-ciusim --control $control --send unplug"
if [[ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" && -z "${DEMO_CONSOLE:-}" ]]; then
  # The program, with COM1 on the simulator and its settings kept beside the build.
  export TK70_COM1="$link"
  export TK70_REGISTRY="${TK70_REGISTRY:-$build/demo-registry}"
  "$bin/TK70" "$@"
else
  "$bin/vantor-demo" --quick --device "$link" --seconds "${DEMO_SECONDS:-0}" --log "$build/demo-vantor.log"
fi
