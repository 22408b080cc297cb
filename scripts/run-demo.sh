#!/usr/bin/env bash
# The demo: the CIU simulator on a pseudo-terminal and the console demo reading from it
# through the driver.  Ctrl-C ends both.  DEMO_SECONDS limits the run (0: until Ctrl-C).
set -euo pipefail
build=${1:-build}
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
"$bin/vantor-demo" --quick --device "$link" --seconds "${DEMO_SECONDS:-0}" --log "$build/demo-vantor.log"
