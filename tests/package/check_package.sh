#!/usr/bin/env bash
# Builds the Debian package from a build folder with CPack and checks what it
# holds: both programs, the desktop entry, the icon, every demo station file,
# the HTML manual when the tree has one, and dependencies read from the
# shared libraries.   tests/package/check_package.sh BUILD_DIR SOURCE_DIR
set -uo pipefail
build=$1
src=$2
for tool in cpack dpkg-deb dpkg-shlibdeps; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed (scripts/setup installs it)"; exit 77; }
done
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
if ! cpack --config "$build/CPackConfig.cmake" -G DEB -B "$out" >"$out/cpack.log" 2>&1; then
  cat "$out/cpack.log"
  exit 1
fi
deb=$(ls "$out"/*.deb 2>/dev/null | head -1)
[ -n "$deb" ] || { echo "no package was built"; cat "$out/cpack.log"; exit 1; }
listing=$(dpkg-deb -c "$deb" | awk '{print $NF}')

failures=0
expect() {
  if ! grep -qxF "$1" <<<"$listing"; then
    echo "missing from $(basename "$deb"): $1"
    failures=$((failures + 1))
  fi
}
expect ./usr/bin/ruvek
expect ./usr/bin/ruvek-navsim
expect ./usr/share/applications/ruvek.desktop
expect ./usr/share/icons/hicolor/scalable/apps/ruvek.svg
while IFS= read -r f; do
  expect "./usr/share/ruvek/demo-station/${f#./}"
done < <(cd "$src/tools/demo-station" && find . -type f)
if [ -d "$src/docs/manual" ]; then
  while IFS= read -r f; do
    expect "./usr/share/ruvek/manual/${f#./}"
  done < <(cd "$src/docs/manual" && find . -type f)
fi

depends=$(dpkg-deb -f "$deb" Depends)
if ! grep -q 'libqt6widgets6' <<<"$depends"; then
  echo "the dependencies do not name the Qt widgets library: $depends"
  failures=$((failures + 1))
fi
version=$(dpkg-deb -f "$deb" Version)
if [ "$version" != "$(sed -n 's/#define RUVEK_VERSION "\(.*\)"/\1/p' "$build/generated/ruvek_version.h")" ]; then
  echo "package version $version is not the program's"
  failures=$((failures + 1))
fi
if [ "$failures" -gt 0 ]; then
  exit 1
fi
echo "$(basename "$deb"): $(wc -l <<<"$listing") entries, Depends: $depends"
