# Sourced by the git tests after they set `odbdiff` and `module_dir`: skips
# (exit 77) without git; makes $work with bin/ (an `odbdiff` on PATH, as the
# documented settings name it), home/ and repo/, a git environment of its
# own, and check NAME EXPECTED ACTUAL, which counts its failures.
if ! command -v git >/dev/null; then
  echo "skipped: git is not installed"
  exit 77
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# `odbdiff` on PATH, as the documented settings name it.
mkdir "$work/bin" "$work/home" "$work/repo"
{
  echo '#!/bin/sh'
  if [ -n "$module_dir" ]; then echo "export LD_LIBRARY_PATH='$module_dir'"; fi
  echo "exec '$odbdiff' \"\$@\""
} >"$work/bin/odbdiff"
chmod +x "$work/bin/odbdiff"
export PATH="$work/bin:$PATH" HOME="$work/home" GIT_CONFIG_NOSYSTEM=1 NO_COLOR=
unset GIT_EXTERNAL_DIFF GIT_PAGER_IN_USE

failures=0
# check NAME EXPECTED ACTUAL
check() {
  if [ "$2" != "$3" ]; then
    echo "FAIL: $1" >&2
    diff -u <(printf '%s\n' "$2") <(printf '%s\n' "$3") >&2 || true
    failures=$((failures + 1))
  fi
}
