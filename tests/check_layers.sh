#!/usr/bin/env bash
# Fails when a file includes a header of a layer it may not use: each folder of
# src/ is a layer and may include only the folders listed for it below (the
# same order the libraries link in src/CMakeLists.txt), and only the desktop
# face includes Qt.   tests/check_layers.sh [src-dir]
set -uo pipefail
src=${1:-$(cd "$(dirname "$0")/../src" && pwd)}

declare -A allowed=(
  [platform]="platform"
  [core]="platform core"
  [windows]="platform core windows"
  [grid]="platform core windows grid"
  [selection]="platform core windows selection"
  [logview]="platform core windows logview"
  [events]="platform core windows grid selection logview events"
  [nav]="platform core windows grid logview events nav"
  [map]="platform core windows grid map"
  [app]="platform core windows grid selection logview events nav map app"
  [headless]="platform headless"
  [desktop]="platform app desktop"
)

failures=0
for dir in "$src"/*/; do
  layer=$(basename "$dir")
  if [ -z "${allowed[$layer]+set}" ]; then
    echo "src/$layer/: a folder that is no layer; give it a line in tests/check_layers.sh"
    failures=$((failures + 1))
    continue
  fi
  while IFS= read -r hit; do
    file=${hit%%:*}
    rest=${hit#*:}
    line=${rest%%:*}
    header=$(sed -E 's/^[^"]*"([^"]*)".*/\1/' <<<"${rest#*:}")
    used=${header%%/*}
    [ "$used" = "$header" ] && continue  # a header of the same folder, named without it
    if [[ " ${allowed[$layer]} " != *" $used "* ]]; then
      echo "${file#"$src"/}:$line: $layer may not include $header"
      failures=$((failures + 1))
    fi
  done < <(grep -Hn '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$dir"*.h "$dir"*.cpp 2>/dev/null)
  if [ "$layer" != desktop ]; then
    while IFS= read -r hit; do
      echo "${hit#"$src"/}: only the desktop face includes Qt"
      failures=$((failures + 1))
    done < <(grep -Hn '^[[:space:]]*#[[:space:]]*include[[:space:]]*<Q' "$dir"*.h "$dir"*.cpp 2>/dev/null)
  fi
done

if [ "$failures" -gt 0 ]; then
  echo "$failures include(s) against the layers (docs/architecture.md)"
  exit 1
fi
echo "every include keeps to the layers"
