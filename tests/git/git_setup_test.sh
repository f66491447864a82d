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

# shellcheck source=git_test_setup.sh
source "$(dirname "$0")/git_test_setup.sh"

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
  "blower-B-1": {"type": "rotary", "power": {"number": 15, "units": "kW"}, "speed": 2900},
  "pump-P-101": {"type": "centrifugal", "capacity": {"number": 120, "units": "m3/h"}, "speed": 1480, "connected_to": ["T-01", "V-101"], "status": "running"},
  "tank-T-01": {"volume": {"number": 40, "units": "m3"}}
}
JSON
cat >v2.json <<'JSON'
{
  "tank-T-01": {"volume": {"number": 40, "units": "m3"}},
  "pump-P-101": {"status": "running", "capacity": {"number": 120, "units": "m3/h"}, "connected_to": ["T-01", "V-101"], "speed": 1480, "type": "centrifugal"},
  "blower-B-1": {"speed": 2900, "power": {"number": 15, "units": "kW"}, "type": "rotary"}
}
JSON
cat >v3.json <<'JSON'
{
  "blower-B-1": {"type": "rotary", "power": {"number": 15, "units": "kW"}, "speed": 2900},
  "pump-P-101": {"type": "centrifugal", "capacity": {"number": 120, "units": "m3/h"}, "speed": 1490, "connected_to": ["T-01", "V-101", "V-102"], "status": "running"},
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

version_3_diff=$(cat <<'TEXT'
diff --git a/plant.odb b/plant.odb
--- a/plant.odb
+++ b/plant.odb
@@ -14,16 +14,14 @@ pump-P-101
     },
     "connected_to": [
       "T-01",
-      "V-101"
+      "V-101",
+      "V-102"
     ],
-    "speed": 1480,
+    "speed": 1490,
     "status": "running",
     "type": "centrifugal"
   },
-  "tank-T-01": {
-    "volume": {
-      "number": 40,
-      "units": "m3"
-    }
+  "valve-V-7": {
+    "size": "DN50"
   }
 }
TEXT
)
check "textconv: git diff" "$version_3_diff" "$(git diff | grep -v '^index ')"
git commit -q -am "version 3"
expected="version 3

$version_3_diff
$(cat <<'TEXT'
version 2

version 1

diff --git a/.gitattributes b/.gitattributes
new file mode 100644
--- /dev/null
+++ b/.gitattributes
@@ -0,0 +1 @@
+*.odb diff=odb
diff --git a/plant.odb b/plant.odb
new file mode 100644
--- /dev/null
+++ b/plant.odb
@@ -0,0 +1,29 @@
+{
+  "blower-B-1": {
+    "power": {
+      "number": 15,
+      "units": "kW"
+    },
+    "speed": 2900,
+    "type": "rotary"
+  },
+  "pump-P-101": {
+    "capacity": {
+      "number": 120,
+      "units": "m3/h"
+    },
+    "connected_to": [
+      "T-01",
+      "V-101"
+    ],
+    "speed": 1480,
+    "status": "running",
+    "type": "centrifugal"
+  },
+  "tank-T-01": {
+    "volume": {
+      "number": 40,
+      "units": "m3"
+    }
+  }
+}
TEXT
)"
check "textconv: git log -p" "$expected" "$(git log -p --format=%s | grep -v '^index ')"

# difftool names its temporary files in the heading: the lines after it.
# (A driver's command would take the place of --extcmd.)
expected=$(cat <<'TEXT'
@@ object pump-P-101 @@
  connected_to: [
    "T-01",
    "V-101",
+   "V-102"
  ]
- object tank-T-01
-   volume: 40 m3
+ object valve-V-7
+   size: "DN50"
objects: 1 differing, 1 only in A, 1 only in B, 1 identical; slots: 1 differing, 0 only in A, 0 only in B
value rule: numeric, tolerance 2 %
TEXT
)
check "difftool" "$expected" \
  "$(git difftool -y --extcmd 'odbdiff git-diff' HEAD~1 HEAD | tail -n +3)"

git config diff.odb.command 'odbdiff git-diff'
driver_version_3=$(cat <<'TEXT'
diff --odbdiff a/plant.odb b/plant.odb
--- a/plant.odb
+++ b/plant.odb
@@ object pump-P-101 @@
  connected_to: [
    "T-01",
    "V-101",
+   "V-102"
  ]
- object tank-T-01
-   volume: 40 m3
+ object valve-V-7
+   size: "DN50"
objects: 1 differing, 1 only in A, 1 only in B, 1 identical; slots: 1 differing, 0 only in A, 0 only in B
value rule: numeric, tolerance 2 %
TEXT
)
check "driver: git diff" "$driver_version_3" "$(git diff HEAD~1 HEAD)"
expected="version 3

$driver_version_3
$(cat <<'TEXT'
version 2

diff --odbdiff a/plant.odb b/plant.odb
--- a/plant.odb
+++ b/plant.odb
objects: 0 differing, 0 only in A, 0 only in B, 3 identical; slots: 0 differing, 0 only in A, 0 only in B
value rule: numeric, tolerance 2 %
version 1

diff --git a/.gitattributes b/.gitattributes
new file mode 100644
index 0000000..3fdf137
--- /dev/null
+++ b/.gitattributes
@@ -0,0 +1 @@
+*.odb diff=odb
diff --odbdiff a/plant.odb b/plant.odb
--- /dev/null
+++ b/plant.odb
+ object blower-B-1
+   type: "rotary"
+   power: 15 kW
+   speed: 2900
+ object pump-P-101
+   type: "centrifugal"
+   capacity: 120 m3/h
+   speed: 1480
+   connected_to: [
+     "T-01",
+     "V-101"
+   ]
+   status: "running"
+ object tank-T-01
+   volume: 40 m3
objects: 0 differing, 0 only in A, 3 only in B, 0 identical; slots: 0 differing, 0 only in A, 0 only in B
value rule: numeric, tolerance 2 %
TEXT
)"
check "driver: git log -p --ext-diff" "$expected" "$(git log -p --ext-diff --format=%s)"

# Versions from git through a pipe and standard input.
status=0
shown=$(odbdiff show <(git show HEAD~1:plant.odb) plant.odb valve-V-7 tank-T-01) || status=$?
check "show from a pipe: exit status" 1 "$status"
expected=$(cat <<'TEXT'
+ object valve-V-7
+   size: "DN50"
- object tank-T-01
-   volume: 40 m3
objects: 0 differing, 1 only in A, 1 only in B, 0 identical; slots: 0 differing, 0 only in A, 0 only in B
value rule: numeric, tolerance 2 %
TEXT
)
check "show from a pipe" "$expected" "$(tail -n +3 <<<"$shown")"
status=0
git show HEAD~2:plant.odb |
  odbdiff compare - <(git show HEAD~1:plant.odb) --quiet --stat >stat.txt || status=$?
check "compare from standard input: exit status" 0 "$status"
expected=$(cat <<'TEXT'
objects in A: 3
objects in B: 3
objects identical: 3
objects differing: 0
objects only in A: 0
objects only in B: 0
slots only in A: 0
slots only in B: 0
slots with values that differ: 0
value rule: numeric, tolerance 2 %
TEXT
)
check "compare from standard input" "$expected" "$(cat stat.txt)"
# An output that is the input read from standard input is refused.
cp plant.odb before.odb
status=0
message=$(odbdiff export - -o plant.odb <plant.odb 2>&1) || status=$?
check "input kept: exit status" 2 "$status"
check "input kept: message" "odbdiff: plant.odb: is also an input" "$message"
cmp -s before.odb plant.odb || check "input kept: file" "unchanged" "changed"

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
