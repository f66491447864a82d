#!/bin/sh
# Whole-process runs of odbdiff compare-project on a project of 16 numbered
# files of 100k objects each (copies of one make_object_pair pair), at
# --jobs 1 and --jobs 2, alternating, ROUNDS times (default 3). Prints one
# line per run: the jobs, the elapsed wall-clock and the processor seconds;
# checks that every run writes the report of the first one, byte for byte.
# PROJECT_JOBS_FOLDER=DIR keeps the two project folders in DIR and reuses
# them (making them takes a minute or more).
#
# usage: project_jobs.sh BUILD_DIR [ROUNDS]   (odbdiff and make_object_pair built there)
set -eu
build=${1:?usage: project_jobs.sh BUILD_DIR [ROUNDS]}
rounds=${2:-3}
odbdiff="$build/odbdiff/odbdiff"
make_pair="$build/bench/whole_process/make_object_pair"
for program in "$odbdiff" /usr/bin/time; do
  [ -x "$program" ] || { echo "project_jobs.sh: $program is missing" >&2; exit 2; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/project_jobs.XXXXXX")
trap 'rm -rf "$work"' EXIT
trap 'exit 130' INT TERM
project=${PROJECT_JOBS_FOLDER:-$work}
mkdir -p "$project/a" "$project/b"
if [ ! -f "$project/b/PROJ0016" ]; then
  [ -x "$make_pair" ] || { echo "project_jobs.sh: $make_pair is missing" >&2; exit 2; }
  "$make_pair" 100000 "$work/a.odb" "$work/b.odb"
  for number in $(seq 1 16); do
    name=$(printf 'PROJ%04d' "$number")
    cp "$work/a.odb" "$project/a/$name"
    cp "$work/b.odb" "$project/b/$name"
  done
fi

for round in $(seq 1 "$rounds"); do
  for jobs in 1 2; do
    status=0
    /usr/bin/time -f "%e %U %S" -o "$work/time" "$odbdiff" compare-project \
      "$project/a" "$project/b" --html "$work/report.html" --jobs "$jobs" || status=$?
    [ "$status" -eq 1 ] || { echo "project_jobs.sh: exit status $status, not 1" >&2; exit 2; }
    if [ -f "$work/first.html" ]; then
      cmp "$work/first.html" "$work/report.html"
    else
      mv "$work/report.html" "$work/first.html"
    fi
    # time writes "Command exited with non-zero status 1" first.
    read -r elapsed user system <<EOF_TIME
$(tail -n 1 "$work/time")
EOF_TIME
    echo "round $round --jobs $jobs: ${elapsed} s elapsed, $(awk "BEGIN { print $user + $system }") s processor"
  done
done
