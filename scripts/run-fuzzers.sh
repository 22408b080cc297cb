#!/usr/bin/env bash
# Runs every libFuzzer target of a fuzz build for a bounded time, starting from its seed corpus.
# Fails when a target finds a crash, a leak or undefined behaviour.
set -euo pipefail
build=${1:?fuzz build directory}
seconds=${2:-15}
root=$(cd "$(dirname "$0")/.." && pwd)
shopt -s nullglob
targets=("$build"/bin/fuzz-*)
if ((${#targets[@]} == 0)); then
  echo "no fuzz targets in $build/bin" >&2
  exit 1
fi
for target in "${targets[@]}"; do
  name=$(basename "$target")
  corpus="$build/corpus/$name"
  mkdir -p "$corpus"
  seeds=("$root/fuzz/seeds/$name")
  [[ -d "${seeds[0]}" ]] || seeds=()
  echo "== $name for ${seconds}s"
  "$target" -max_total_time="$seconds" -timeout=5 -rss_limit_mb=1024 -print_final_stats=0 \
    "$corpus" "${seeds[@]}" 2>"$build/$name.log" || { tail -n 60 "$build/$name.log"; exit 1; }
  grep -E '^Done [0-9]+ runs' "$build/$name.log" || tail -n 2 "$build/$name.log"
done
