#!/usr/bin/env bash
# Builds the Debian package from a build folder with CPack and checks what it
# holds: both programs, the desktop entry, the icon, every demo station file,
# the HTML manual when the tree has one, the copyright file, a changelog whose
# latest entry is this version, manual pages that describe every option the
# programs' --help lists, and dependencies read from the shared libraries;
# then that lintian finds no error in it.
#   tests/package/check_package.sh BUILD_DIR SOURCE_DIR
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
expect ./usr/share/doc/ruvek/copyright
expect ./usr/share/doc/ruvek/changelog.gz
expect ./usr/share/man/man1/ruvek.1.gz
expect ./usr/share/man/man1/ruvek-navsim.1.gz
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
dpkg-deb -x "$deb" "$out/root"
changelog=$out/root/usr/share/doc/ruvek/changelog.gz
if [ -f "$changelog" ]; then
  gzip -dc "$changelog" >"$out/changelog"
  logged=$(dpkg-parsechangelog -l "$out/changelog" -S Version 2>&1)
  if [ "$logged" != "$version" ]; then
    echo "the changelog's latest entry is $logged, the package is $version"
    failures=$((failures + 1))
  fi
fi
for program in ruvek ruvek-navsim; do
  page=$out/root/usr/share/man/man1/$program.1.gz
  [ -f "$page" ] || continue
  text=$(gzip -dc "$page" | sed 's/\\-/-/g')
  for option in $("$build/$program" --help | grep -o -- '--[a-z][a-z-]*' | sort -u); do
    if ! grep -qw -- "$option" <<<"$text"; then
      echo "the manual page of $program does not describe $option"
      failures=$((failures + 1))
    fi
  done
done

if command -v lintian >/dev/null; then
  # Only errors fail the test; the warnings and notes are shown.
  lintian --fail-on error "$deb" >"$out/lintian.log" 2>&1
  status=$?
  grep -v '^running with root privileges' "$out/lintian.log"
  if [ "$status" -ne 0 ]; then
    echo "lintian reports errors in $(basename "$deb")"
    failures=$((failures + 1))
  fi
else
  echo "SKIP lintian: it is not installed (scripts/setup installs it); the package was not linted"
fi
if [ "$failures" -gt 0 ]; then
  exit 1
fi
echo "$(basename "$deb"): $(wc -l <<<"$listing") entries, Depends: $depends"
