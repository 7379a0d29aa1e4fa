#!/usr/bin/env bash
# System calls of the record path, counted from outside: a headless operator
# script on a copy of the demo station records N events with a poll tick after
# each, and the same script records none; both run under `strace -f -c`. Prints
# the calls per event and tick (the difference divided by N), by call.
#   bench/count_calls.sh [build-dir] [events]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build}
events=${2:-20}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A fresh station for each run, with a position file for the poll to read.
station() {
  rm -rf "$work/root" && mkdir -p "$work/root"
  cp -r "$top/tools/demo-station/." "$work/root/"
  printf '%s\r\n%s\r\n' \
    '$GPGGA,183012.00,3254.0000,N,11724.0000,W,2,09,0.9,5.1,M,-35.2,M,,*58' \
    '$GPRMC,183012.00,A,3254.0000,N,11724.0000,W,10.0,240.0,080626,12.5,E,D*21' >"$work/root/C/DATA/CurrPos.txt"
}

# Start, one tick, then `count` times: the clock set a minute on (no timer
# fires), Record Event, a poll tick.
# The position file never changes, so each event asks whether to record with
# the old fix (one line to standard output, in the count).
script() {
  local count=$1
  {
    printf 'clock 2026-06-08 03:00:00\nanswer Yes\nstart\ntick Timer1\n'
    for i in $(seq "$count"); do
      printf 'clock 2026-06-08 %02d:%02d:00\nchoose Combo1 CTD Deployed\nanswer Yes\nclick Command1(0)\ntick Timer1\n' $((3 + i / 60)) $((i % 60))
    done
    printf 'get gridRowCount\n'
  }
}

run() {
  local count=$1
  station
  script "$count" >"$work/script.rvk"
  strace -f -c -o "$work/calls.$count" "$build/ruvek" --headless --root "$work/root" --script "$work/script.rvk" \
    >"$work/out.$count"
  grep -q "gridRowCount=" "$work/out.$count" || { echo "run of $count events failed" >&2; exit 1; }
  [ "$count" -eq 0 ] || [ "$(wc -l <"$work/root/C/DATA/2607SREvents.csv")" -ge "$count" ] ||
    { echo "the network event log lacks rows" >&2; exit 1; }
}

run 0
run "$events"
# strace -c lines: % time, seconds, usecs/call, calls, [errors,] syscall
awk -v n="$events" '
  FNR == 1 { file++ }
  $NF ~ /^[a-z_0-9]+$/ && $4 ~ /^[0-9]+$/ && $NF != "total" { calls[file, $NF] = $4; names[$NF] = 1 }
  END {
    for (c in names) {
      d = (calls[2, c] - calls[1, c]) / n
      if (d != 0) { printf "%-18s %8.2f\n", c, d; total += d }
    }
    printf "%-18s %8.2f\n", "total", total
  }' "$work/calls.0" "$work/calls.$events" | sort -k2 -n -r
