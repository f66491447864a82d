#!/bin/sh
# Makes the object file inputs of fuzz/corpus/object_file_read/ anew: valid
# files written by the object-database library, and copies of them damaged
# with the sqlite3 shell in the ways that a reader must refuse without harm.
# Needs the sqlite3 shell and a fuzz build folder (fuzz/run.sh makes one).
# Usage: make_corpus.sh [BUILD_FOLDER]   (default build-fuzz)
set -eu
cd "$(dirname "$0")/.."
build=${1:-build-fuzz}
out=fuzz/corpus/object_file_read
cmake --build "$build" --target fuzz_object_files >/dev/null
work=$(mktemp -d "${TMPDIR:-/tmp}/diff-fuzz-valid-XXXXXX")
trap 'rm -rf "$work"' EXIT INT TERM
"$build/fuzz/fuzz_object_files" "$work"

mkdir -p "$out"
rm -f "$out"/*.odb
# One file as the library writes it; the others with pages of 512 bytes
# instead of 4096, which keeps each file at a few KB.
cp "$work/kinds.odb" "$out/valid-kinds-as-written.odb"
for name in empty kinds list; do
  sqlite3 "$work/$name.odb" "PRAGMA page_size = 512; VACUUM;"
  cp "$work/$name.odb" "$out/valid-$name.odb"
done

# damage NAME BASE SQL...: $out/NAME.odb is a copy of $work/BASE.odb with
# each SQL run on it in turn, each by a sqlite3 shell of its own (a changed
# schema is read again only by a new connection).
damage() {
  name=$1
  base=$2
  shift 2
  cp "$work/$base.odb" "$out/$name.odb"
  for sql in "$@"; do
    sqlite3 "$out/$name.odb" "$sql" >/dev/null
  done
}

slot_columns='object TEXT NOT NULL REFERENCES objects (name), name TEXT NOT NULL,
  seq INTEGER NOT NULL, kind INTEGER NOT NULL CHECK (kind BETWEEN 1 AND 3), text TEXT,
  number, units TEXT, items BLOB'
# replace_slots COLUMNS_AND_KEY [TAIL]: the slots table made again with other
# columns or key, its rows kept.
replace_slots() {
  echo "CREATE TABLE new_slots ($1) ${2:-}; INSERT INTO new_slots SELECT * FROM slots;
        DROP TABLE slots; ALTER TABLE new_slots RENAME TO slots;"
}

damage no-slots-table kinds "DROP TABLE slots;"
damage no-objects-table kinds "DROP TABLE objects;"
damage dropped-column kinds "ALTER TABLE slots DROP COLUMN units;"
damage renamed-column kinds "ALTER TABLE slots RENAME COLUMN text TO words;"
damage slots-without-primary-key kinds "$(replace_slots "$slot_columns")"
damage slots-with-rowid kinds "$(replace_slots "$slot_columns, PRIMARY KEY (object, name)")"
damage duplicate-slot-names kinds "$(replace_slots "$slot_columns")" \
  "INSERT INTO slots SELECT * FROM slots WHERE name = 'name';"
damage null-slot-name kinds \
  "$(replace_slots "$(echo "$slot_columns" | sed 's/name TEXT NOT NULL,/name TEXT,/')")" \
  "UPDATE slots SET name = NULL WHERE name = 'name';"
for kind in 0 4 "'x'"; do
  damage "kind-$(echo "$kind" | tr -d "'")" kinds \
    "PRAGMA ignore_check_constraints = ON; UPDATE slots SET kind = $kind WHERE name = 'name';"
done
damage null-text kinds "UPDATE slots SET text = NULL WHERE name = 'name';"
damage text-in-number-column kinds "UPDATE slots SET number = 'twelve' WHERE name = 'flow';"
damage null-object-name kinds \
  "PRAGMA writable_schema = ON; UPDATE sqlite_schema SET sql =
     replace(sql, 'name TEXT NOT NULL UNIQUE', 'name TEXT UNIQUE') WHERE name = 'objects';" \
  "INSERT INTO objects (name) VALUES (NULL);"
damage duplicate-object-names kinds \
  "CREATE TABLE new_objects (id INTEGER PRIMARY KEY, name TEXT NOT NULL);
   INSERT INTO new_objects SELECT * FROM objects; INSERT INTO new_objects (name) VALUES ('V-2');
   DROP TABLE objects; ALTER TABLE new_objects RENAME TO objects;"
damage slots-of-missing-object kinds \
  "INSERT INTO slots VALUES ('Ghost', 'x', 1, 1, 't', NULL, NULL, NULL);"
damage list-without-closing-nul list "UPDATE slots SET items = CAST('xyz' AS BLOB);"
damage list-as-text list "UPDATE slots SET items = 'xyz' || char(0);"
damage format-version-1 kinds "PRAGMA user_version = 1;"
damage other-application kinds "PRAGMA application_id = 0;"
damage wal-journal kinds "PRAGMA journal_mode = WAL;"
# Damage below SQL: a file cut short, and a page of the slots table overwritten.
head -c 1300 "$work/kinds.odb" >"$out/truncated.odb"
cp "$work/kinds.odb" "$out/overwritten-page.odb"
printf 'not a b-tree page, just text' |
  dd of="$out/overwritten-page.odb" bs=1 seek=1536 conv=notrunc status=none
ls "$out" | wc -l
