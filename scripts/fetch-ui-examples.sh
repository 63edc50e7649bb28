#!/usr/bin/env bash
# Fetches real Qt Designer forms for the tests: the .ui files of the Debian packages
# qtbase5-examples, qttools5-examples and pyqt6-examples (BSD-licensed examples), downloaded with
# apt-get download (no installation, no dependencies) and unpacked with dpkg-deb into CACHE
# (default build/ui-examples). The forms are listed in CACHE/forms.txt; a second run with the
# same packages finds them there and downloads nothing. Without network or apt the list stays empty and the run still succeeds:
# the test that reads it says that it was skipped.
set -uo pipefail
cache=${1:-build/ui-examples}
mkdir -p "$cache"
cache=$(cd "$cache" && pwd)
packages="qtbase5-examples qttools5-examples pyqt6-examples"
# What the cache was made from: the packages, and folders named after the examples.
stamp="$packages; folders N-example"
if [ -s "$cache/forms.txt" ] && [ "$(cat "$cache/packages.txt" 2>/dev/null)" = "$stamp" ]; then
  echo "ui examples: $(wc -l <"$cache/forms.txt") forms in $cache"
  exit 0
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
: >"$cache/forms.txt"
rm -f "$cache/packages.txt"
# shellcheck disable=SC2086 # the package names are words
if ! (cd "$work" && apt-get download $packages) >"$work/log" 2>&1; then
  echo "ui examples: packages not available (apt-get download failed), tests will skip them"
  tail -3 "$work/log"
  exit 0
fi
rm -rf "$cache/root"
for deb in "$work"/*.deb; do
  dpkg-deb -x "$deb" "$cache/root" || { echo "ui examples: cannot unpack $deb"; exit 0; }
done
# Only the forms' folders are kept: their pictures lie beside them.
find "$cache/root" -name '*.ui' | sort >"$work/forms"
rm -rf "$cache/forms"
mkdir -p "$cache/forms"
n=0
while read -r form; do
  n=$((n + 1))
  # Named after the example, which the test's expectations name.
  dir="$cache/forms/$n-$(basename "$(dirname "$form")")"
  mkdir -p "$dir"
  cp -r "$(dirname "$form")"/. "$dir/"
  echo "$dir/$(basename "$form")" >>"$cache/forms.txt"
done <"$work/forms"
rm -rf "$cache/root"
echo "$stamp" >"$cache/packages.txt"
echo "ui examples: $n forms in $cache"
