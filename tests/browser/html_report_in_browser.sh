#!/bin/sh
# The HTML report of the shipped samples, opened in headless Chromium: the
# document the browser builds holds the objects that differ, and not those
# that are identical, with the rows of their slots.
# Usage: html_report_in_browser.sh ODBDIFF EXAMPLES_DIR [MODULE_DIR]
# MODULE_DIR goes into odbdiff's LD_LIBRARY_PATH (sanitized builds).
# Exits 77 (skipped) when /usr/bin/chromium is not installed.
set -eu
odbdiff=${1:?usage: html_report_in_browser.sh ODBDIFF EXAMPLES_DIR [MODULE_DIR]}
examples=${2:?usage: html_report_in_browser.sh ODBDIFF EXAMPLES_DIR [MODULE_DIR]}
module_dir=${3:-}
chromium=/usr/bin/chromium

if [ ! -x "$chromium" ]; then
  echo "skipped: $chromium is not installed"
  exit 77
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

run_odbdiff() {
  if [ -n "$module_dir" ]; then
    LD_LIBRARY_PATH="$module_dir" "$odbdiff" "$@"
  else
    "$odbdiff" "$@"
  fi
}

run_odbdiff import "$examples/plant_a.json" "$work/plant_a.odb"
run_odbdiff import "$examples/plant_b.json" "$work/plant_b.odb"
# The samples differ: exit status 1. The default template is the build tree's.
status=0
run_odbdiff compare "$work/plant_a.odb" "$work/plant_b.odb" --html "$work/report.html" --quiet ||
  status=$?
if [ "$status" -ne 1 ]; then
  echo "FAIL: odbdiff compare exited with $status, not 1" >&2
  exit 1
fi

mkdir "$work/profile"
timeout 120 "$chromium" --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
  --disable-background-networking --disable-component-update --disable-sync \
  --user-data-dir="$work/profile" --dump-dom "file://$work/report.html" \
  >"$work/dom.html" 2>"$work/chromium.log" || {
  echo "FAIL: chromium could not open the report" >&2
  cat "$work/chromium.log" >&2
  exit 1
}

# The document's text, one line per table row and caption, each cell closed
# by "|" (a value of several lines reads as one, its lines joined by blanks).
tr '\n' ' ' <"$work/dom.html" |
  sed 's/<tr[ >]/\n&/g; s/<caption[ >]/\n&/g' |
  sed 's/<\/t[dh]>/|/g; s/<[^>]*>//g; s/&amp;/\&/g; s/  */ /g; s/^ //; s/ $//' >"$work/text"

failures=0
expect_line() {
  if ! grep -qxF -- "$1" "$work/text"; then
    echo "FAIL: no row \"$1\" in the browser's document" >&2
    failures=$((failures + 1))
  fi
}
expect_text() {
  if ! grep -qF -- "$1" "$work/text"; then
    echo "FAIL: no \"$1\" in the browser's document" >&2
    failures=$((failures + 1))
  fi
}
expect_no_text() {
  if grep -qF -- "$1" "$work/text"; then
    echo "FAIL: \"$1\" is in the browser's document, yet the same in A and B" >&2
    failures=$((failures + 1))
  fi
}

# Objects that differ, only in A and only in B.
for object in compressor-C-101 exchanger-E-101 filter-F-101 motor-M-101 panel-MCC-1 pump-P-101 \
  pump-P-102 tank-T-01 valve-V-101 valve-V-102 sensor-PT-07 valve-V-104 motor-M-103 pump-P-103 \
  valve-V-105; do
  expect_text "$object"
done
# Identical objects get no block.
for object in blower-B-101 filter-F-102 motor-M-102 pump-P-201 sensor-FT-101 sensor-LT-01 \
  tank-T-02; do
  expect_no_text "$object"
done
# Rows: values beyond the tolerance, texts that differ in case, a list, slots
# on one side only.
expect_line "duty|150 kW|duty|165 kW|"
expect_line "flow|120 m3/h|flow|126 m3/h|"
expect_line "heater|off|heater|OFF|"
expect_line "media|sand anthracite|media|sand anthracite garnet|"
expect_line "seal_type|mechanical|||"
expect_line "||efficiency_class|IE3|"
# Equal values give no row: flows of 120 and 122 m3/h, within 2 %, and the
# numbers 0 and 0.0.
if grep -qF -e "122 m3/h" -e "leakage" "$work/text"; then
  echo "FAIL: a row for equal values" >&2
  failures=$((failures + 1))
fi

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed; the document's text:" >&2
  cat "$work/text" >&2
  exit 1
fi
echo "ok: the samples' HTML report shows the expected objects and rows in Chromium"
