#!/bin/sh
# The benchmarks behind the numbers in docs/performance.md (make bench):
#   1. the comparison engine on 10k, 100k and 1M names (Google Benchmark);
#   2. reading every slot of a 1M-slot object file, against one SELECT over
#      its slots table in the sqlite3 shell;
#   3. whole odbdiff runs on 10k, 100k and 1M objects, against sqldiff.
# usage: run-benchmarks.sh BUILD_DIR
set -eu
build=${1:?usage: run-benchmarks.sh BUILD_DIR}

echo "== comparison engine"
"$build/bench/engine_bench" --benchmark_repetitions=10 --benchmark_enable_random_interleaving=true \
  --benchmark_report_aggregates_only=true

echo "== reading a 1M-slot object file"
"$build/bench/objdb_bench" --benchmark_filter=ReadEveryObject --benchmark_repetitions=3 \
  --benchmark_report_aggregates_only=true
file=$(ls -t "${TMPDIR:-/tmp}"/objdb-bench/objects-*.odb | head -n 1)
for run in 1 2 3; do
  /usr/bin/time -f "sqlite3 SELECT over the slots table: %e s" \
    sqlite3 "$file" "SELECT * FROM slots" > /dev/null
done

echo "== whole odbdiff runs"
sh bench/whole_process/run.sh "$build"
