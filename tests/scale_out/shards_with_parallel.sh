#!/bin/sh
# A project of nine numbered files (two of them in one folder only) compared
# as docs/scale-out.md shows: four shards run by GNU parallel, each writing a
# partial result, then assemble-project. Its report and exit status must be
# those of one compare-project, byte for byte.
# Usage: shards_with_parallel.sh ODBDIFF [MODULE_DIR]
# MODULE_DIR goes into odbdiff's LD_LIBRARY_PATH (sanitized builds).
# Exits 77 (skipped) when GNU parallel is not installed.
set -eu
odbdiff=${1:?usage: shards_with_parallel.sh ODBDIFF [MODULE_DIR]}
module_dir=${2:-}

if ! command -v parallel >/dev/null 2>&1; then
  echo "skipped: GNU parallel is not installed"
  exit 77
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if [ -n "$module_dir" ]; then
  export LD_LIBRARY_PATH="$module_dir"
fi

mkdir "$work/a" "$work/b"
for number in 0001 0002 0003 0004 0005 0006 0007; do
  printf '{"pump": {"flow": 12, "file": "%s"}, "tank": {"volume": 10}}' "$number" \
    >"$work/a.json"
  printf '{"pump": {"flow": 1%s, "file": "%s"}, "valve": {"open": "yes"}}' "$number" "$number" \
    >"$work/b.json"
  "$odbdiff" import "$work/a.json" "$work/a/PROJ$number"
  "$odbdiff" import "$work/b.json" "$work/b/PROJ$number"
done
"$odbdiff" import "$work/a.json" "$work/a/PROJ0010"
"$odbdiff" import "$work/b.json" "$work/b/PROJ"

status=0
"$odbdiff" compare-project "$work/a" "$work/b" --html "$work/single.html" --jobs 1 \
  2>"$work/single.err" || status=$?
if [ "$status" -ne 1 ]; then
  echo "FAIL: compare-project exited with $status, not 1" >&2
  exit 1
fi

# The shards, as docs/scale-out.md runs them on one machine.
parallel --halt now,fail=1 "$odbdiff" compare-project "$work/a" "$work/b" \
  --shard {}/4 --partial "$work/part{}" ::: 1 2 3 4

status=0
"$odbdiff" assemble-project "$work/a" "$work/b" "$work/part1" "$work/part2" "$work/part3" \
  "$work/part4" --html "$work/assembled.html" 2>"$work/assembled.err" || status=$?
if [ "$status" -ne 1 ]; then
  echo "FAIL: assemble-project exited with $status, not 1" >&2
  exit 1
fi
if ! cmp "$work/single.html" "$work/assembled.html"; then
  echo "FAIL: the assembled report differs from the single run's" >&2
  diff "$work/single.html" "$work/assembled.html" | head -20 >&2
  exit 1
fi
cmp "$work/single.err" "$work/assembled.err"
# The report names the files in one folder only.
grep -q '<span class="file-name">PROJ0010</span>: only in '"$work/a"'</li>' "$work/assembled.html"
grep -q '<span class="file-name">PROJ</span>: only in '"$work/b"'</li>' "$work/assembled.html"
echo "ok: four shards run by parallel give the single run's report"
