#!/usr/bin/env bash
# The demo: the CIU simulator on a pseudo-terminal, and TK70 on it (COM1 = the simulator)
# with the demo tag selection demo/demo.tsf.  With a display the program opens its window
# (press Start to collect); without one it collects headless until Ctrl-C.  Data files
# and the driver log go to build/demo-data.  DEMO_CONSOLE=1 runs the console driver demo
# instead; DEMO_SECONDS ends the headless run or the console demo after that many seconds;
# DEMO_HISTORIAN sends group 3 to a PostgreSQL server (docs/historian.md).  The simulated
# line runs at 9600 baud 8N1 with wire time, as the demo selection's link says, so the
# values update at a real line's pace; DEMO_BAUD=off takes the wire time away.
set -euo pipefail
build=${1:-build}
shift || true
bin="$(cd "$build/bin" && pwd)"
link="$(pwd)/$build/demo-ciu"
control="$(pwd)/$build/demo-ciu.sock"
data="$(pwd)/$build/demo-data"
selection="$(pwd)/demo/demo.tsf"

line=()
[[ "${DEMO_BAUD:-9600}" == off ]] || line=(--baud "${DEMO_BAUD:-9600}" --frame 8N1)
"$bin/tk70-ciusim" --link "$link" --control "$control" "${line[@]}" > "$build/demo-ciu.out" &
sim=$!
trap 'kill "$sim" 2>/dev/null || true; wait "$sim" 2>/dev/null || true' EXIT

for _ in $(seq 1 100); do
  [[ -s "$build/demo-ciu.out" ]] && break
  kill -0 "$sim" 2>/dev/null || { echo "the simulator did not start" >&2; exit 1; }
  sleep 0.05
done
echo "CIU simulator on $(head -n 1 "$build/demo-ciu.out") (link $link, control $control, line ${DEMO_BAUD:-9600})"
echo "Try in another terminal:  $bin/tk70-ciusim --control $control --send unplug"

mkdir -p "$data"
# DEMO_HISTORIAN='<connection string>': group 3 sends every tag to that PostgreSQL server
# every 2 s instead of writing the DOS file; the other groups stay as they are.
if [[ -n "${DEMO_HISTORIAN:-}" ]]; then
  python3 - "$(dirname "$selection")/demo.json" "$data/demo-historian.json" "$DEMO_HISTORIAN" <<'PY'
import json, sys
demo = json.load(open(sys.argv[1]))
group = demo["groups"][2]
group.update({"enabled": 1, "fileType": "PostgreSQL Historian", "fileName": sys.argv[3], "sampleTime": 2})
for tag in demo["tags"]:
    tag["groups"][2] = 1
json.dump(demo, open(sys.argv[2], "w"), indent=1)
PY
  "$bin/tk70-tsf" build "$data/demo-historian.json" "$data/demo-historian.tsf"
  selection="$data/demo-historian.tsf"
  echo "Group 3 sends its samples to the historian: $DEMO_HISTORIAN"
fi
cd "$data"
export TK70_COM1="$link"
if [[ -z "${TK70_REGISTRY:-}" ]]; then
  export TK70_REGISTRY="$data/registry"
  [[ -e "$TK70_REGISTRY" ]] || cp "$(dirname "$selection")/demo-registry" "$TK70_REGISTRY"
fi
if [[ -n "${DEMO_CONSOLE:-}" ]]; then
  "$bin/vantor-demo" --quick --device "$link" --seconds "${DEMO_SECONDS:-0}" --log "$data/demo-vantor.log"
elif [[ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]]; then
  echo "Data files go to $data"
  "$bin/TK70" "$selection" "$@"
else
  echo "No display: collecting headless into $data (Ctrl-C stops)"
  "$bin/TK70" --headless "$selection" --overwrite "$@" &
  collector=$!
  trap 'kill -TERM "$collector" 2>/dev/null || true; wait "$collector" 2>/dev/null || true;
        kill "$sim" 2>/dev/null || true; wait "$sim" 2>/dev/null || true' EXIT INT TERM
  if [[ -n "${DEMO_SECONDS:-}" ]]; then
    sleep "$DEMO_SECONDS"
    kill -TERM "$collector" 2>/dev/null || true
  fi
  wait "$collector"
fi
