#!/bin/bash
# The bash completion of odbdiff: what it offers for a table of command lines
# typed so far, run against the odbdiff built here, in a folder holding the
# files a.odb and "plant 2.odb" and the folder runs/.
# Usage: completion_test.sh ODBDIFF COMPLETION_SCRIPT
set -u
odbdiff=${1:?usage: completion_test.sh ODBDIFF COMPLETION_SCRIPT}
script=${2:?usage: completion_test.sh ODBDIFF COMPLETION_SCRIPT}
bash -n "$script" || exit 1
# shellcheck source=/dev/null
source "$script"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cd "$scratch" && touch a.odb "plant 2.odb" && mkdir runs

failures=0
# expect "WORDS TYPED SO FAR" "OFFERED": the last word is the one completed;
# the words offered are written one after the other with "|" between them.
expect() {
  local -a words
  read -r -a words <<<"$1"
  [[ $1 == *" " ]] && words+=("")
  COMP_WORDS=("$odbdiff" "${words[@]}")
  COMP_CWORD=${#words[@]}
  COMPREPLY=()
  _odbdiff
  local offered
  offered=$(IFS='|'; echo "${COMPREPLY[*]}")
  if [[ $offered != "$2" ]]; then
    echo "completing 'odbdiff $1': offered '$offered', expected '$2'"
    failures=$((failures + 1))
  fi
}

# Every command that odbdiff --help lists, in its order.
commands=$("$odbdiff" --help | awk '/^Subcommands:$/ {on = 1; next} /^$/ {on = 0} on {print $1}')
for command in import export compare compare-object compare-project; do
  grep -qx -- "$command" <<<"$commands" || { echo "odbdiff --help lists no $command"; exit 1; }
done
expect " " "${commands//$'\n'/|}"
expect "compare" "compare|compare-object|compare-project"
expect "--v" "--version"
expect "export -" "-h|--help|-o|--output|--sorted"
expect "compare --val" "--value-rule"
expect "compare --value-rule " "tolerant|numeric|exact"
expect "compare --value-rule = n" "numeric"
expect "compare --tolerance " ""
expect "compare --ignore-slot " ""
expect "compare --slot-rule " ""
expect "show --exp" "--explain"
expect "compare --template " "a.odb|plant 2.odb|runs"
expect "compare-object --tab" "--table"
expect "compare --keep-difference-dbs " "runs"
expect "compare --html " "a.odb|plant 2.odb|runs"
expect "compare a.odb p" "plant 2.odb"
expect "compare-project " "runs"
expect "compare-project runs --json " "a.odb|plant 2.odb|runs"
expect "-h compare -q --ht" "--html"
expect "no-such-command " "a.odb|plant 2.odb|runs"
expect "show --co" "--color"
expect "show --color " "auto|always|never"
expect "compare-project runs --sha" "--shard"
expect "assemble-project --fi" "--files"
expect "compare-project --files " ""
expect "assemble-project --ht" "--html"
expect "merge --fav" "--favor"
expect "git-merge --favor " "ours|theirs"
expect "merge a.odb a.odb a.odb -o " "a.odb|plant 2.odb|runs"
expect "patch --rev" "--reverse"

[[ $failures -eq 0 ]] || exit 1
echo "completion: every case offers what it should"
