#!/bin/sh
# The Python module against odbdiff on the pairs of run.sh, side by side:
#   compare: iterating every difference of the 1M pair with odbdiff.compare
#            against odbdiff compare --json FILE --quiet;
#   read:    odbdiff.read of the 100k pair's A against odbdiff export -o FILE.
# Each round runs both, one after the other; prints the wall and processor
# seconds and the maximum resident set of every run.
#
# usage: python_module.sh BUILD_DIR PAIRS_DIR [ROUNDS]
#   (odbdiff and the module built in BUILD_DIR; a-1000000.odb, b-1000000.odb
#   and a-100000.odb in PAIRS_DIR, as run.sh leaves them with WHOLE_PROCESS_PAIRS)
set -eu
build=$(cd "${1:?usage: python_module.sh BUILD_DIR PAIRS_DIR [ROUNDS]}" && pwd)
pairs=${2:?usage: python_module.sh BUILD_DIR PAIRS_DIR [ROUNDS]}
rounds=${3:-5}
odbdiff="$build/odbdiff/odbdiff"
work=$(mktemp -d "${TMPDIR:-/tmp}/python_module.XXXXXX")
trap 'rm -rf "$work"' EXIT
trap 'exit 130' INT TERM
export PYTHONPATH="$build/python"

timed() {
  label=$1
  shift
  /usr/bin/time -f "$label %e s wall, %U + %S s processor, %M KiB" "$@" > /dev/null 2>> "$work/times" ||
    [ $? -eq 1 ]  # compare: the files differ
  tail -n 1 "$work/times"
}

round=1
while [ "$round" -le "$rounds" ]; do
  cat "$pairs/a-1000000.odb" "$pairs/b-1000000.odb" "$pairs/a-100000.odb" > /dev/null
  timed "1M odbdiff compare --json:" "$odbdiff" compare "$pairs/a-1000000.odb" \
    "$pairs/b-1000000.odb" --json "$work/differences.json" --quiet
  timed "1M odbdiff.compare, every difference:" /usr/bin/python3 -c '
import sys, odbdiff
for difference in odbdiff.compare(sys.argv[1], sys.argv[2]):
    pass
' "$pairs/a-1000000.odb" "$pairs/b-1000000.odb"
  timed "100k odbdiff export:" "$odbdiff" export "$pairs/a-100000.odb" -o "$work/a.json"
  timed "100k odbdiff.read:" /usr/bin/python3 -c '
import sys, odbdiff
odbdiff.read(sys.argv[1])
' "$pairs/a-100000.odb"
  round=$((round + 1))
done
