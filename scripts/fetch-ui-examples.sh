#!/usr/bin/env bash
# Fetches real Qt Designer forms for the tests: the .ui files of the Debian packages
# qttools5-examples and pyqt6-examples (BSD-licensed examples), downloaded with apt-get download
# (no installation, no dependencies) and unpacked with dpkg-deb into CACHE (default
# build/ui-examples). The forms are listed in CACHE/forms.txt; a second run finds them there and
# downloads nothing. Without network or apt the list stays empty and the run still succeeds:
# the test that reads it says that it was skipped.
set -uo pipefail
cache=${1:-build/ui-examples}
mkdir -p "$cache"
cache=$(cd "$cache" && pwd)
if [ -s "$cache/forms.txt" ]; then
  echo "ui examples: $(wc -l <"$cache/forms.txt") forms in $cache"
  exit 0
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
: >"$cache/forms.txt"
if ! (cd "$work" && apt-get download qttools5-examples pyqt6-examples) >"$work/log" 2>&1; then
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
mkdir -p "$cache/forms"
n=0
while read -r form; do
  n=$((n + 1))
  dir="$cache/forms/$n"
  mkdir -p "$dir"
  cp -r "$(dirname "$form")"/. "$dir/"
  echo "$dir/$(basename "$form")" >>"$cache/forms.txt"
done <"$work/forms"
rm -rf "$cache/root"
echo "ui examples: $n forms in $cache"
