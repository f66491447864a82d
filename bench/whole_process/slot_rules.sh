#!/bin/sh
# What slot rules cost a whole run: compare_builds.sh with a rules file of
# 100 slot rules, on a pair made by make_object_pair. Each round runs
#   before   BEFORE's odbdiff compare A B --text-report R --summary S --quiet
#   after    the same with AFTER's odbdiff
#   rules    AFTER with the 100 slot rules: flow and power (two of the
#            pair's ten slots) under the units rule, 98 others matching no
#            slot, half of them limited to objects by a glob
# Prints one line per run: label and elapsed wall-clock seconds.
#
# usage: slot_rules.sh BEFORE_BUILD AFTER_BUILD A.odb B.odb ROUNDS
set -eu
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

sh "$(dirname "$0")/compare_builds.sh" "$1" "$2" "$3" "$4" "$5" "$work/rules.json"
