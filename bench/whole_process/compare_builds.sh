#!/bin/sh
# Side-by-side whole-process runs of two odbdiff builds on one pair of object
# files (made with make_object_pair), interleaved so that the machine's drift
# touches both alike. Each round runs, in this order:
#   before   BEFORE's odbdiff compare A B --text-report R --summary S --quiet
#   after    the same with AFTER's odbdiff
#   rules    AFTER with --rules RULES, and --accept ACCEPT when given
#   json     AFTER with --json FILE (when ACCEPT is given)
# Prints one line per run: label and elapsed wall-clock seconds.
#
# usage: compare_builds.sh BEFORE_BUILD AFTER_BUILD A.odb B.odb ROUNDS [RULES [ACCEPT]]
set -eu
before=$1/odbdiff/odbdiff after=$2/odbdiff/odbdiff a=$3 b=$4 rounds=$5
rules=${6:-} accept=${7:-}
work=$(mktemp -d "${TMPDIR:-/tmp}/compare_builds.XXXXXX")
trap 'rm -rf "$work"' EXIT

run() {
  label=$1
  shift
  status=0
  /usr/bin/time -f "%e" -o "$work/time" "$@" --text-report "$work/r.txt" \
    --summary "$work/s.txt" --quiet > /dev/null 2> "$work/err" || status=$?
  if [ "$status" -gt 1 ]; then cat "$work/err" >&2; exit 2; fi
  printf '%-8s %s\n' "$label" "$(tail -n 1 "$work/time")"
}

round=1
while [ "$round" -le "$rounds" ]; do
  run before "$before" compare "$a" "$b"
  run after "$after" compare "$a" "$b"
  if [ -n "$accept" ]; then
    run rules "$after" compare "$a" "$b" --rules "$rules" --accept "$accept"
    run json "$after" compare "$a" "$b" --json "$work/d.json"
  elif [ -n "$rules" ]; then
    run rules "$after" compare "$a" "$b" --rules "$rules"
  fi
  round=$((round + 1))
done
