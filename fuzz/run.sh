#!/bin/sh
# Builds the fuzz targets with clang and runs each one: first over its
# committed corpus (fuzz/corpus/TARGET/, every input once), then, when
# FUZZ_SECONDS is above 0, for FUZZ_SECONDS seconds starting from a scratch
# copy of that corpus, so that the inputs it finds stay out of the tree.
# An input that crashes a target is kept in BUILD/fuzz-artifacts/ and each
# run's output in BUILD/fuzz-logs/.
#
# Usage: run.sh BUILD_FOLDER [CMAKE_FLAGS]
# Environment: FUZZ_SECONDS (default 60), FUZZ_TARGETS (default all),
# JOBS (build jobs). Exits 1 when a target fails.
set -eu
cd "$(dirname "$0")/.."
build=$1
cmake_flags=${2:-}
seconds=${FUZZ_SECONDS:-60}
targets=${FUZZ_TARGETS:-"json_import json_documents object_file_read template_loader value_rule keyed_list damaged_comparison"}

# shellcheck disable=SC2086  # the flags are meant to split into words
cmake -S . -B "$build" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DDIFF_BUILD_FUZZ=ON -DDIFF_BUILD_TESTS=OFF $cmake_flags >/dev/null
cmake --build "$build" -j "${JOBS:-$(nproc)}" --target fuzzers

scratch=$(mktemp -d "${TMPDIR:-/tmp}/diff-fuzz-corpus-XXXXXX")
trap 'rm -rf "$scratch"' EXIT INT TERM
mkdir -p "$build/fuzz-artifacts" "$build/fuzz-logs"

# run TARGET LOG ARGUMENT...: runs the fuzzer of TARGET, its output into LOG;
# on failure shows the end of LOG and adds TARGET to $failed.
failed=""
run() {
  target=$1
  log=$2
  shift 2
  if "$build/fuzz/${target}_fuzzer" -timeout=10 -rss_limit_mb=4096 \
      -artifact_prefix="$build/fuzz-artifacts/$target-" "$@" >"$log" 2>&1; then
    return 0
  fi
  tail -n 40 "$log"
  echo "fuzz: $target: FAILED (whole output in $log)"
  failed="$failed $target"
  return 1
}

for target in $targets; do
  corpus="fuzz/corpus/$target"
  dict=""
  [ -f "fuzz/$target.dict" ] && dict="-dict=fuzz/$target.dict"
  # The template loader also starts from the default template as it stands
  # in the tree.
  extra_inputs=""
  [ "$target" = template_loader ] && extra_inputs=templates/report.html
  inputs=$(find "$corpus" $extra_inputs -type f | wc -l)
  if [ "$inputs" -eq 0 ]; then
    # Without a file to run, libFuzzer would fuzz without end.
    echo "fuzz: $target: no corpus in $corpus"
    failed="$failed $target"
    continue
  fi
  # Given files rather than a folder, libFuzzer runs each once and stops.
  # shellcheck disable=SC2046  # corpus file names hold no blanks
  run "$target" "$build/fuzz-logs/$target-replay.log" $(find "$corpus" $extra_inputs -type f | sort) ||
    continue
  echo "fuzz: $target: $inputs corpus inputs replayed"
  [ "$seconds" -gt 0 ] || continue

  cp -R "$corpus" "$scratch/$target"
  [ -z "$extra_inputs" ] || cp $extra_inputs "$scratch/$target/"
  log="$build/fuzz-logs/$target.log"
  # shellcheck disable=SC2086  # $dict is empty or one word
  run "$target" "$log" -max_total_time="$seconds" -print_final_stats=1 $dict \
    "$scratch/$target" || continue
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  echo "fuzz: $target: $runs runs in $seconds s, no crash"
done

if [ -n "$failed" ]; then
  echo "fuzz: failed:$failed"
  exit 1
fi
echo "fuzz: every target passed"
