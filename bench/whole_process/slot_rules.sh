#!/bin/sh
# What slot rules cost a whole run: two odbdiff builds side by side on one
# pair made by make_object_pair, interleaved so that the machine's drift
# touches all alike. Each round runs, in this order:
#   before       BEFORE's odbdiff compare A B --text-report R --summary S --quiet
#   after        the same with AFTER's odbdiff
#   slot-rules   AFTER with 100 slot rules: flow and power (two of the
#                pair's ten slots) under the units rule, 98 others matching
#                no slot, half of them limited to objects by a glob
# Prints one line per run: label and elapsed wall-clock seconds.
#
# usage: slot_rules.sh BEFORE_BUILD AFTER_BUILD A.odb B.odb ROUNDS
set -eu
before=$1/odbdiff/odbdiff after=$2/odbdiff/odbdiff a=$3 b=$4 rounds=$5
work=$(mktemp -d "${TMPDIR:-/tmp}/slot_rules.XXXXXX")
trap 'rm -rf "$work"' EXIT

{
  printf '{"slot-rules": [\n'
  printf '  {"object": "equipment-*", "slot": "flow", "rule": "units", "relative": 2},\n'
  printf '  {"slot": "power", "rule": "units", "relative": 2, "absolute": 0.1},\n'
  i=1
  while [ "$i" -le 49 ]; do
    printf '  {"object": "tank-%02d-*", "slot": "level", "rule": "numeric"},\n' "$i"
    printf '  {"slot": "setpoint-%02d", "rule": "exact", "case": "ignore"}' "$i"
    [ "$i" -lt 49 ] && printf ','
    printf '\n'
    i=$((i + 1))
  done
  printf ']}\n'
} > "$work/rules.json"

run() {
  label=$1
  shift
  status=0
  /usr/bin/time -f "%e" -o "$work/time" "$@" --text-report "$work/r.txt" \
    --summary "$work/s.txt" --quiet > /dev/null 2> "$work/err" || status=$?
  if [ "$status" -gt 1 ]; then cat "$work/err" >&2; exit 2; fi
  printf '%-11s %s\n' "$label" "$(tail -n 1 "$work/time")"
}

round=1
while [ "$round" -le "$rounds" ]; do
  run before "$before" compare "$a" "$b"
  run after "$after" compare "$a" "$b"
  run slot-rules "$after" compare "$a" "$b" --rules "$work/rules.json"
  round=$((round + 1))
done
