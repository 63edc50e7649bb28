#!/usr/bin/env bash
# Builds the fuzz targets exactly as the README says (clang, build-fuzz) and runs each one for a
# short while (FUZZ_SECONDS, default 20) on a copy of its seed corpus with its dictionary, so
# that the documented commands and the targets cannot rot unnoticed. A crash, a leak or a
# sanitizer report fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-20}
build_dir=${FUZZ_BUILD_DIR:-build-fuzz}
VELL_FUZZ=1 scripts/deps.sh
if [ ! -f "$build_dir/build.ninja" ]; then
  CC=clang CXX=clang++ cmake -S . -B "$build_dir" -G Ninja -DVELL_FUZZ=ON -DVELL_TESTS=OFF
fi
cmake --build "$build_dir"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cat fuzz/xmlconfig.dict fuzz/loaditems.dict > "$work/all.dict"
export QT_QPA_PLATFORM=offscreen
run() { # target corpus dictionary
  mkdir -p "$work/$1"
  cp -r "$2"/. "$work/$1/"
  echo "$1: ${seconds} s"
  # Inputs the run finds go to the copy; -artifact_prefix keeps a crash's input for a look.
  "$build_dir/bin/$1" -max_total_time="$seconds" -dict="$3" -artifact_prefix="$work/" \
    -print_final_stats=1 "$work/$1" 2>"$work/$1.log" || { tail -50 "$work/$1.log"; exit 1; }
  grep -E '^stat::number_of_executed_units' "$work/$1.log" || true
}
run fuzz_xmlconfig tests/fuzzcorpus/xmlconfig fuzz/xmlconfig.dict
run fuzz_binary tests/fuzzcorpus/binary "$work/all.dict"
run fuzz_loaditems_xml tests/fuzzcorpus/loaditems/xml "$work/all.dict"
run fuzz_uireader tests/fuzzcorpus/ui fuzz/ui.dict
run fuzz_loaditems_binary tests/fuzzcorpus/loaditems/binary "$work/all.dict"
echo "fuzz targets: built and run"
