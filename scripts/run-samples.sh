#!/bin/sh
# The main job on the shipped samples (make run): imports examples/plant_a.json
# and examples/plant_b.json into BUILD_DIR/samples/, compares them there, and
# writes the detailed text report, the summary report and the HTML report
# (from the default template of the build tree) beside them. The samples
# differ, so odbdiff exits 1; only trouble (2) fails the job.
set -eu
build=${1:?usage: run-samples.sh BUILD_DIR}
root=$(cd "$(dirname "$0")/.." && pwd)

if [ ! -x "$build/odbdiff/odbdiff" ]; then
  echo "run-samples: $build/odbdiff/odbdiff is not built" >&2
  exit 2
fi
odbdiff=$(cd "$build/odbdiff" && pwd)/odbdiff
samples="$build/samples"
mkdir -p "$samples"

"$odbdiff" import "$root/examples/plant_a.json" "$samples/plant_a.odb"
"$odbdiff" import "$root/examples/plant_b.json" "$samples/plant_b.odb"

# Run inside the folder, so that the reports name the files plant_a.odb and
# plant_b.odb rather than a path that depends on the build folder.
status=0
(cd "$samples" &&
  "$odbdiff" compare plant_a.odb plant_b.odb --text-report report.txt --summary summary.txt \
    --html report.html) ||
  status=$?
if [ "$status" -gt 1 ]; then
  echo "run-samples: odbdiff compare failed (exit status $status)" >&2
  exit "$status"
fi

echo
echo "Object files:  $samples/plant_a.odb, $samples/plant_b.odb"
echo "Text report:   $samples/report.txt"
echo "Summary:       $samples/summary.txt"
echo "HTML report:   $samples/report.html"
