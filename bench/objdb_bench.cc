// Object-database benchmarks: reading a million-slot object file object by
// object, and the write pattern of a difference database, at two sizes each
// so that the time per item shows the cost does not grow with the file.
#include <benchmark/benchmark.h>  // benchmark::State, BENCHMARK

#include <cstdio>      // std::snprintf, std::remove, std::rename
#include <filesystem>  // std::filesystem for the cache folder
#include <string>      // std::string

#include "diff/host/list_library.h"     // CStrList
#include "diff/host/object_database.h"  // CvxODB
#include "objdb_fixture.h"              // WriteObjectFile, kMillionSlots

namespace {

std::string BenchFolder() {
  const auto folder = std::filesystem::temp_directory_path() / "objdb-bench";
  std::filesystem::create_directories(folder);
  return folder.string();
}

// The million-slot file, written on first use and kept between runs. It is
// written under another name and renamed, so a run cut short leaves no
// partial file to be taken for the real one.
const std::string& MillionSlotFile() {
  static const std::string path = [] {
    const std::string file = BenchFolder() + "/objects-100000x10.odb";
    CvxODB existing(0, file.c_str(), 0);
    if (existing.Exists() != 0) return file;
    const std::string partial = file + ".partial";
    if (!objdb_bench::WriteObjectFile(partial, objdb_bench::kMillionSlots) ||
        std::rename(partial.c_str(), file.c_str()) != 0) {
      return std::string();
    }
    return file;
  }();
  return path;
}

// GetObjects, then LoadAllSlots of every object: every slot of the file,
// in creation order (which is name order here, so that a read-ahead serves
// the reads) or backwards (so that each read reads for itself).
void ReadEveryObject(benchmark::State& state, bool backwards) {
  const std::string& path = MillionSlotFile();
  if (path.empty()) {
    state.SkipWithError("cannot write the object file");
    return;
  }
  std::int64_t slots = 0;
  for (auto _ : state) {
    CvxODB db(0, path.c_str(), 0);
    if (db.Open(1) == 0) {
      state.SkipWithError("cannot open the object file");
      return;
    }
    CStrList objects;
    db.GetObjects(&objects);
    const int count = objects.GetLength();
    for (int i = 0; i < count; ++i) {
      CStrList names;
      CStrList values;
      db.LoadAllSlots(objects.GetTextAt(backwards ? count - 1 - i : i), &names, &values, 0, 0);
      slots += names.GetLength();
    }
  }
  state.SetItemsProcessed(slots);
  state.SetLabel(path);
}

void BM_ReadEveryObject(benchmark::State& state) { ReadEveryObject(state, false); }
BENCHMARK(BM_ReadEveryObject)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ReadEveryObjectBackwards(benchmark::State& state) { ReadEveryObject(state, true); }
BENCHMARK(BM_ReadEveryObjectBackwards)->Unit(benchmark::kMillisecond)->UseRealTime();

// Open(1) and Close of the million-slot file: what opening checks costs.
void BM_OpenAndClose(benchmark::State& state) {
  const std::string& path = MillionSlotFile();
  if (path.empty()) {
    state.SkipWithError("cannot write the object file");
    return;
  }
  for (auto _ : state) {
    CvxODB db(0, path.c_str(), 0);
    if (db.Open(1) == 0 || db.Close(0) == 0) {
      state.SkipWithError(db.LastError());
      return;
    }
  }
}
BENCHMARK(BM_OpenAndClose)->Unit(benchmark::kMicrosecond);

// A comparison's writes to a new difference database: per differing object,
// ensure it (ObjectExists, CreateObject) and write four slots; per object,
// one entry in a shared list object that ends up with range(0) slots.
void BM_WriteDifferenceDatabase(benchmark::State& state) {
  const std::string path = BenchFolder() + "/difference.odb";
  const int objects = static_cast<int>(state.range(0));
  const char* list_object = "__common__";
  char object[32];
  char slot[32];
  for (auto _ : state) {
    CvxODB db(0, path.c_str(), 0);
    db.Delete();
    db.Open(0);
    for (int o = 0; o < objects; ++o) {
      std::snprintf(object, sizeof object, "object-%07d", o);
      if (db.ObjectExists(list_object) == 0) db.CreateObject(list_object, nullptr);
      db.SetValue(list_object, object, "", 0, 0);
      if (db.ObjectExists(object) == 0) db.CreateObject(object, nullptr);
      for (int s = 0; s < 4; ++s) {
        std::snprintf(slot, sizeof slot, "A->slot-%02d", s);
        db.SetValue(object, slot, "a differing value", 0, 0);
      }
    }
    if (db.Close(1) == 0) {
      state.SkipWithError("saving failed");
      return;
    }
  }
  CvxODB(0, path.c_str(), 0).Delete();
  // Each object costs 9 calls: 2 ensures of 2 calls each and 5 SetValue.
  state.SetItemsProcessed(state.iterations() * objects * 9);
}
BENCHMARK(BM_WriteDifferenceDatabase)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
