#!/usr/bin/env bash
# Start-up of the headless program on the demo station, measured from outside:
# wall time to the end of the start sequence and peak resident memory, the
# median of several runs.   bench/startup.sh [build-dir] [runs]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build}
runs=${2:-15}
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
cp -r "$top/tools/demo-station/." "$root/"
script="$root/start.rvk"
printf 'answer Yes Yes Yes\nstart\n' > "$script"
"$build/ruvek" --headless --root "$root" --script "$script" >/dev/null  # warm the file cache
times=() mems=()
for _ in $(seq "$runs"); do
  begin=$(date +%s%N)
  out=$( { /usr/bin/time -f '%M' "$build/ruvek" --headless --root "$root" --script "$script" >/dev/null; } 2>&1 )
  end=$(date +%s%N)
  times+=("$(awk -v a="$begin" -v b="$end" 'BEGIN { printf "%.4f", (b - a) / 1e9 }')")
  mems+=("$(echo "$out" | tail -1)")
done
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
t=$(median "${times[@]}")
m=$(median "${mems[@]}")
echo "start-up: median ${t}s wall, ${m} KiB peak resident over $runs runs (targets: 0.100 s, 20480 KiB)"
awk -v t="$t" -v m="$m" 'BEGIN { exit !(t <= 0.100 && m <= 20480) }' && echo "within targets" || echo "OVER TARGET"
