#!/bin/bash
# docs/git.md's setup in a real temporary git repository: three versions of
# an object file committed (made, remade in another order, changed), then
# what git diff, git log -p and git difftool print through the textconv
# (odbdiff export --sorted) and through the diff driver (odbdiff git-diff),
# and versions read from pipes and standard input.
# Usage: git_setup_test.sh ODBDIFF [MODULE_DIR]
# MODULE_DIR goes into odbdiff's LD_LIBRARY_PATH (sanitized builds).
# Exits 77 (skipped) when git is not installed.
set -eu
odbdiff=${1:?usage: git_setup_test.sh ODBDIFF [MODULE_DIR]}
module_dir=${2:-}

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

cd "$work/repo"
git init -q
git config user.name Tester
git config user.email tester@example.org
echo '*.odb diff=odb' >.gitattributes
git config diff.odb.textconv 'odbdiff export --sorted'
git config diff.odb.xfuncname '^  "(.*)": [{]'

# Version 1; version 2 the same objects and slots made in another order;
# version 3 with a changed value, a longer list, an object gone and one new.
cat >v1.json <<'JSON'
{
  "pump-P-101": {"type": "centrifugal", "speed": 1480, "connected_to": ["T-01", "V-101"], "status": "running"},
  "tank-T-01": {"volume": {"number": 40, "units": "m3"}}
}
JSON
cat >v2.json <<'JSON'
{
  "tank-T-01": {"volume": {"number": 40, "units": "m3"}},
  "pump-P-101": {"status": "running", "connected_to": ["T-01", "V-101"], "speed": 1480, "type": "centrifugal"}
}
JSON
cat >v3.json <<'JSON'
{
  "pump-P-101": {"type": "centrifugal", "speed": 1490, "connected_to": ["T-01", "V-101", "V-102"], "status": "running"},
  "valve-V-7": {"size": "DN50"}
}
JSON
commit_version() {
  odbdiff import "v$1.json" plant.odb
  git add .gitattributes plant.odb
  git commit -q -m "version $1"
}

commit_version 1
odbdiff import v2.json plant.odb
check "the file changed" " M plant.odb" "$(git status --porcelain --untracked-files=no)"
check "textconv: only the order changed" "" "$(git diff)"
git commit -q -am "version 2"
odbdiff import v3.json plant.odb

check "textconv: git diff" "@@EXPECTED_TEXTCONV_DIFF@@" "$(git diff | grep -v '^index ')"
git commit -q -am "version 3"
check "textconv: git log -p" "@@EXPECTED_TEXTCONV_LOG@@" "$(git log -p --format=%s | grep -v '^index ')"

git config diff.odb.command 'odbdiff git-diff'
check "driver: git diff" "@@EXPECTED_DRIVER_DIFF@@" "$(git diff HEAD~1 HEAD)"
check "driver: git log -p --ext-diff" "@@EXPECTED_DRIVER_LOG@@" "$(git log -p --ext-diff --format=%s)"
# difftool names its temporary files in the heading: the lines after it.
check "difftool" "@@EXPECTED_DIFFTOOL@@" \
  "$(git difftool -y --extcmd 'odbdiff git-diff' HEAD~1 HEAD | tail -n +3)"

# Versions from git through a pipe and standard input.
status=0
shown=$(odbdiff show <(git show HEAD~1:plant.odb) plant.odb valve-V-7 tank-T-01) || status=$?
check "show from a pipe: exit status" 1 "$status"
check "show from a pipe" "@@EXPECTED_SHOW_PIPE@@" "$(tail -n +3 <<<"$shown")"
status=0
git show HEAD~2:plant.odb |
  odbdiff compare - <(git show HEAD~1:plant.odb) --quiet --stat >stat.txt || status=$?
check "compare from standard input: exit status" 0 "$status"
check "compare from standard input" "@@EXPECTED_STAT@@" "$(cat stat.txt)"

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
