#!/usr/bin/env bash
# Fails when a file includes a header of a layer it may not use: each folder of
# src/ is a layer and may include only the folders listed for it below (the
# same order the libraries link in src/CMakeLists.txt), and only the desktop
# face includes Qt.   tests/check_layers.sh [src-dir]
set -uo pipefail
src=${1:-$(cd "$(dirname "$0")/../src" && pwd)}

declare -A allowed=(
  [os]="os"
  [ui]="os ui"
  [core]="os ui core"
  [windows]="os ui core windows"
  [grid]="os ui core windows grid"
  [selection]="os ui core windows selection"
  [logview]="os ui core windows logview"
  [events]="os ui core windows grid selection logview events"
  [nav]="os ui core windows grid logview events nav"
  [map]="os ui core windows grid map"
  [app]="os ui core windows grid selection logview events nav map app"
  [headless]="os ui headless"
  [desktop]="os ui app desktop"
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

# The system's own headers and macros stay in the os layer's system files
# (XxxPosix.cpp, XxxWindows.cpp and .h): nothing else learns which system it
# runs on.
while IFS= read -r hit; do
  echo "${hit#"$src"/}: only the os layer's Posix and Windows files use the system's own calls"
  failures=$((failures + 1))
done < <(grep -HnE '^[[:space:]]*#[[:space:]]*(include[[:space:]]*<((unistd|fcntl|dirent|signal|termios|windows|winsock2|ws2tcpip|io|spawn|poll)\.h|sys/)|if.*_WIN32)' \
  "$src"/*.cpp "$src"/*/*.h "$src"/*/*.cpp 2>/dev/null | grep -vE "^$src/os/[A-Za-z]*(Posix|Windows)\.(cpp|h):")

if [ "$failures" -gt 0 ]; then
  echo "$failures include(s) against the layers (docs/architecture.md)"
  exit 1
fi
echo "every include keeps to the layers"
