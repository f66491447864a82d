#!/bin/sh
# Whole-process runs of odbdiff: for 10k, 100k and 1M objects, makes a pair
# of object files (make_object_pair) and times
#   odbdiff compare A B --text-report R --summary S --quiet
# with /usr/bin/time -v; at 1M also sqldiff --summary on the same two files.
# Prints one table row per run: elapsed wall-clock seconds and maximum
# resident set size. WHOLE_PROCESS_SIZES overrides the sizes.
# WHOLE_PROCESS_PAIRS=DIR keeps the pairs in DIR and reuses those already
# there (the 1M pair takes minutes to make); without it they are made anew
# in a scratch folder and removed.
#
# usage: run.sh BUILD_DIR   (odbdiff and make_object_pair built there)
set -eu
build=${1:?usage: run.sh BUILD_DIR}
odbdiff="$build/odbdiff/odbdiff"
make_pair="$build/bench/whole_process/make_object_pair"
sizes=${WHOLE_PROCESS_SIZES:-"10000 100000 1000000"}
for program in "$odbdiff" "$make_pair" /usr/bin/time; do
  [ -x "$program" ] || { echo "run.sh: $program is missing" >&2; exit 2; }
done
if ! command -v sqldiff > /dev/null; then
  echo "run.sh: sqldiff is missing (Debian package sqlite3-tools)" >&2
  exit 2
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/whole_process.XXXXXX")
trap 'rm -rf "$work"' EXIT
trap 'exit 130' INT TERM

# seconds LINE: "h:mm:ss" or "m:ss.ss" from time -v, in seconds.
seconds() {
  echo "$1" | awk -F: '{ s = 0; for (i = 1; i <= NF; i++) s = s * 60 + $i; printf "%.2f", s }'
}

# run OBJECTS LABEL EXPECTED_STATUSES COMMAND...: times the command, prints a row.
run() {
  objects=$1 label=$2 expected=$3
  shift 3
  status=0
  /usr/bin/time -v -o "$work/time.txt" "$@" > "$work/stdout.txt" 2> "$work/stderr.txt" ||
    status=$?
  case " $expected " in
    *" $status "*) ;;
    *) echo "run.sh: $label exited with $status" >&2; cat "$work/stderr.txt" >&2; exit 2 ;;
  esac
  elapsed=$(sed -n 's/^[[:space:]]*Elapsed (wall clock) time (h:mm:ss or m:ss): //p' "$work/time.txt")
  rss_kib=$(sed -n 's/^[[:space:]]*Maximum resident set size (kbytes): //p' "$work/time.txt")
  printf '%10s  %-36s %10s %12s\n' "$objects" "$label" "$(seconds "$elapsed")" \
    "$((rss_kib / 1024))"
}

printf '%10s  %-36s %10s %12s\n' objects run "elapsed s" "max RSS MiB"
for objects in $sizes; do
  pairs=${WHOLE_PROCESS_PAIRS:-$work}
  a="$pairs/a-$objects.odb"
  b="$pairs/b-$objects.odb"
  if [ ! -f "$a" ] || [ ! -f "$b" ]; then
    mkdir -p "$pairs"
    # Made under other names, so that an interrupted run leaves no pair to reuse.
    run "$objects" "make_object_pair (both files)" 0 "$make_pair" "$objects" "$a.new" "$b.new"
    mv "$a.new" "$a"
    mv "$b.new" "$b"
  fi
  sync  # the new files' write-back would otherwise be timed with the comparison
  # odbdiff exits 1: the files differ.
  run "$objects" "odbdiff compare, both reports" 1 "$odbdiff" compare "$a" "$b" \
    --text-report "$work/report.txt" --summary "$work/summary.txt" --quiet
  if [ "$objects" -ge 1000000 ]; then
    run "$objects" "sqldiff --summary" 0 sqldiff --summary "$a" "$b"
  fi
  printf '%10s  %-36s %23s\n' "" "(files $(du -m "$a" | cut -f1) + $(du -m "$b" | cut -f1) MiB," \
    "report $(du -m "$work/report.txt" | cut -f1) MiB)"
  rm -f "$work/report.txt" "$work/summary.txt"
  [ -n "${WHOLE_PROCESS_PAIRS:-}" ] || rm -f "$a" "$b"
done
