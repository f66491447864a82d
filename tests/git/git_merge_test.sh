#!/bin/bash
# docs/git.md's merge driver in a real temporary git repository: two branches
# that change different objects of one object file merge cleanly, and git
# log -p shows the merged change; two branches that change one slot stop with
# a conflict that names the object and the slot, the work tree holding ours.
# Usage: git_merge_test.sh ODBDIFF [MODULE_DIR]
# MODULE_DIR goes into odbdiff's LD_LIBRARY_PATH (sanitized builds).
# Exits 77 (skipped) when git is not installed.
set -eu
odbdiff=${1:?usage: git_merge_test.sh ODBDIFF [MODULE_DIR]}
module_dir=${2:-}

# shellcheck source=git_test_setup.sh
source "$(dirname "$0")/git_test_setup.sh"

cd "$work/repo"
git init -q -b main
git config user.name Tester
git config user.email tester@example.org
echo '*.odb diff=odb merge=odb' >.gitattributes
git config diff.odb.textconv 'odbdiff export --sorted'
git config merge.odb.name 'odbdiff three-way merge'
git config merge.odb.driver 'odbdiff git-merge %O %A %B %P'

# commit_model MESSAGE JSON
commit_model() {
  printf '%s\n' "$2" >model.json
  odbdiff import model.json plant.odb
  git add .gitattributes plant.odb
  git commit -q -m "$1"
}

commit_model "base" '{
  "pump-P-101": {"type": "centrifugal", "speed": 1480, "status": "running"},
  "tank-T-01": {"volume": {"number": 40, "units": "m3"}}
}'
git branch pumps
commit_model "larger tank" '{
  "pump-P-101": {"type": "centrifugal", "speed": 1480, "status": "running"},
  "tank-T-01": {"volume": {"number": 60, "units": "m3"}}
}'
git checkout -q pumps
commit_model "faster pump" '{
  "pump-P-101": {"type": "centrifugal", "speed": 2900, "status": "running"},
  "tank-T-01": {"volume": {"number": 40, "units": "m3"}}
}'
git checkout -q main

# Different objects: a clean merge, whose commit takes the pump's change.
status=0
git merge -q --no-edit pumps >"$work/out" 2>&1 || status=$?
check "clean merge: exit status" 0 "$status"
check "clean merge: what git says" "Auto-merging plant.odb" "$(cat "$work/out")"
expected=$(cat <<'TEXT'
Merge branch 'pumps'

diff --git a/plant.odb b/plant.odb
--- a/plant.odb
+++ b/plant.odb
@@ -1,6 +1,6 @@
 {
   "pump-P-101": {
-    "speed": 1480,
+    "speed": 2900,
     "status": "running",
     "type": "centrifugal"
   },
TEXT
)
check "clean merge: git log -p" "$expected" \
  "$(git log -p -m --first-parent -1 --format=%s | grep -v '^index ')"
printf '%s\n' '{"pump-P-101": {"type": "centrifugal", "speed": 2900, "status": "running"},
  "tank-T-01": {"volume": {"number": 60, "units": "m3"}}}' >"$work/both.json"
odbdiff import "$work/both.json" "$work/both.odb"
check "clean merge: both changes" "$(odbdiff export --sorted "$work/both.odb")" \
  "$(odbdiff export --sorted plant.odb)"

# One slot changed on both branches: git stops, naming the object and the slot.
git checkout -q -b slow
commit_model "slower pump" '{
  "pump-P-101": {"type": "centrifugal", "speed": 1200, "status": "running"},
  "tank-T-01": {"volume": {"number": 60, "units": "m3"}}
}'
git checkout -q main
commit_model "fastest pump" '{
  "pump-P-101": {"type": "centrifugal", "speed": 1800, "status": "running"},
  "tank-T-01": {"volume": {"number": 60, "units": "m3"}}
}'
status=0
git merge --no-edit slow >"$work/out" 2>&1 || status=$?
check "conflict: exit status" 1 "$status"
expected=$(cat <<'TEXT'
odbdiff: plant.odb: conflict in object "pump-P-101", slot "speed": changed in ours and in theirs
Auto-merging plant.odb
CONFLICT (content): Merge conflict in plant.odb
Automatic merge failed; fix conflicts and then commit the result.
TEXT
)
check "conflict: what git says" "$expected" "$(cat "$work/out")"
check "conflict: the path unmerged" "UU plant.odb" "$(git status --porcelain --untracked-files=no)"
check "conflict: the work tree holds ours" "1800" \
  "$(odbdiff export plant.odb | sed -n 's/^    "speed": \([0-9]*\),\{0,1\}$/\1/p')"
git merge --abort

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "git merge driver: all checks passed"
