#!/bin/sh
# Writes the manual page odbdiff(1) from what odbdiff itself says: its
# --help, the --help of every command that lists, and --version. The page
# carries no date and no build path, so the same odbdiff gives the same page.
# Usage: make-manual.sh ODBDIFF OUT
set -eu
odbdiff=${1:?usage: make-manual.sh ODBDIFF OUT}
out=${2:?usage: make-manual.sh ODBDIFF OUT}
here=$(cd "$(dirname "$0")" && pwd)

# The commands are the first words of the lines under "Subcommands:".
commands=$("$odbdiff" --help | sed -n '/^Subcommands:$/,/^$/s/^  \([a-z][^ ]*\).*/\1/p')
version=$("$odbdiff" --version)
# A help text as roff (help-to-roff.awk); MODE is "synopsis" or "entries".
roff() { awk -v mode="$1" -f "$here/help-to-roff.awk"; }

{
  printf '.TH ODBDIFF 1 "" "%s" "User Commands"\n' "$version"
  printf '%s\n' .SH NAME 'odbdiff \- compare object files with the diff module' .SH SYNOPSIS
  for command in $commands; do "$odbdiff" "$command" --help | roff synopsis; done
  printf '%s\n' .br 'odbdiff \-\-help | \fICOMMAND\fR \-\-help | \-\-version' '.SH DESCRIPTION'
  "$odbdiff" --help | sed -n '1p'
  echo ".SH OPTIONS"
  "$odbdiff" --help | sed '/^Subcommands:$/,$d' | roff entries
  echo ".SH COMMANDS"
  for command in $commands; do "$odbdiff" "$command" --help | roff entries; done
  echo ".SH EXIT STATUS"
  "$odbdiff" --help | sed -n 's/^Exit status: //p'
  cat "$here/odbdiff.1.tail"
} >"$out.tmp"
mv "$out.tmp" "$out"
