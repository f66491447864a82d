#include "request/differences_file_read.h"  // ReadDifferencesFile, ObjectDifference

#include <cmath>             // std::nan, HUGE_VAL
#include <cstdint>           // std::int64_t, std::uint64_t
#include <initializer_list>  // std::initializer_list
#include <optional>          // std::optional
#include <string>            // std::string
#include <string_view>       // std::string_view
#include <unordered_map>     // std::unordered_map, the entries of each list read
#include <utility>           // std::move
#include <vector>            // std::vector

#include <nlohmann/json.hpp>  // nlohmann::json, json_pointer

#include "json/json_document_read.h"  // ReadJsonDocument, JsonItemStream, kAcceptFileLimit
#include "json/json_string.h"         // BytesFromHex
#include "platform/failure.h"         // Failure

namespace odbdiff {
namespace {

using Json = nlohmann::json;
using Pointer = Json::json_pointer;

constexpr char kStringForms[] = "expected a string or {\"bytes\": \"HEX\"}";
constexpr char kValueForms[] =
    "expected a string, a number, {\"number\": N, \"units\": \"U\"}, an array of strings or "
    "{\"bytes\": \"HEX\"}";

// Checks the document and gathers its entries. The entries of the lists of
// objects are checked as the parser reads each one, so that the document
// never holds them all as JSON.
class DifferencesReader final : public JsonItemStream {
 public:
  explicit DifferencesReader(const std::string& path) : path_(path) {}

  // The lists of objects: /objects, and /files/N/objects of a project.
  bool Streams(const Pointer& at) const override {
    if (at.empty() || at.back() != "objects") return false;
    const Pointer parent = at.parent_pointer();
    return parent.empty() || (parent.parent_pointer() == Pointer("/files"));
  }

  void Item(const Pointer& at, Json&& entry) override {
    ObjectEntry(entry, at, read_entries_[at.parent_pointer().to_string()]);
  }

  DifferencesFileHeading Read(const Json& document, bool project,
                              const ObjectDifferenceTaker& take) {
    const Pointer root;
    if (!document.is_object()) Refuse(root, "expected an object, as --json writes it");
    CheckMembers(document, root, {"format", "version", "command", "a", "b", "rules", "objects",
                                  "files", "counts"});
    if (Member(document, root, "format") != "odbdiff-differences") {
      Refuse(root / "format", "expected \"odbdiff-differences\"");
    }
    const Json& version = Member(document, root, "version");
    if (!version.is_number_integer() || (version != 1 && version != 2)) {
      Refuse(root / "version", "expected 1 or 2");
    }
    DifferencesFileHeading heading;
    heading.version = version.get<int>();
    const Json& command = Member(document, root, "command");
    const bool per_file = command == "compare-project";
    if (!per_file && command != "compare" && command != "compare-object") {
      Refuse(root / "command", "expected \"compare\", \"compare-object\" or \"compare-project\"");
    }
    heading.command = command.get<std::string>();
    if (per_file && !project) {
      Refuse(root / "command",
             "a compare-project document accepts differences for compare-project only");
    }
    for (const char* side : {"a", "b"}) {
      if (document.contains(side)) Text(document[side], root / side);
    }
    if (document.contains("rules") && !document["rules"].is_object()) {
      Refuse(root / "rules", "expected an object");
    }
    if (document.contains("counts") && !document["counts"].is_object()) {
      Refuse(root / "counts", "expected an object");
    }
    version_ = heading.version;
    if (per_file) {
      if (document.contains("objects")) Refuse(root / "objects", "a project's differences are under \"files\"");
      Files(Member(document, root, "files"), root / "files", take);
    } else {
      if (document.contains("files")) Refuse(root / "files", "only a compare-project document holds files");
      Objects(Member(document, root, "objects"), root / "objects", "", take);
    }
    return heading;
  }

 private:
  [[noreturn]] void Refuse(const Pointer& at, const std::string& reason) const {
    if (at.empty()) throw Failure(path_, reason);
    throw Failure(path_, at.to_string() + ": " + reason);
  }

  // Refuses a member of `object` that is not one of `allowed`.
  void CheckMembers(const Json& object, const Pointer& at,
                    std::initializer_list<std::string_view> allowed) const {
    for (const auto& [key, value] : object.items()) {
      bool known = false;
      for (const std::string_view name : allowed) known = known || key == name;
      if (!known) Refuse(at / key, "unknown member");
    }
  }

  const Json& Member(const Json& object, const Pointer& at, const char* name) const {
    const auto found = object.find(name);
    if (found == object.end()) Refuse(at, std::string("expected a member \"") + name + "\"");
    return *found;
  }

  // A string, or {"bytes": "HEX"} for one that is not UTF-8.
  std::string Text(const Json& value, const Pointer& at) const {
    std::string text;
    if (value.is_string()) {
      text = value.get<std::string>();
    } else if (value.is_object() && value.size() == 1 && value.contains("bytes")) {
      const Json& hex = value["bytes"];
      const std::optional<std::string> bytes =
          hex.is_string() ? BytesFromHex(hex.get<std::string>()) : std::nullopt;
      if (!bytes) {
        Refuse(at / "bytes", "expected a string of lower-case hexadecimal digits, two a byte");
      }
      text = *bytes;
    } else {
      Refuse(at, kStringForms);
    }
    if (text.find('\0') != std::string::npos) Refuse(at, "cannot hold the NUL character");
    return text;
  }

  std::string Name(const Json& entry, const Pointer& at) const {
    const std::string name = Text(Member(entry, at, "name"), at / "name");
    if (name.empty()) Refuse(at / "name", "a name cannot be empty");
    return name;
  }

  // The status of an entry, `third` naming kBoth.
  DifferenceStatus Status(const Json& entry, const Pointer& at, const char* third) const {
    const Json& status = Member(entry, at, "status");
    if (status == "only-in-a") return DifferenceStatus::kOnlyInA;
    if (status == "only-in-b") return DifferenceStatus::kOnlyInB;
    if (status == third) return DifferenceStatus::kBoth;
    Refuse(at / "status",
           std::string("expected \"only-in-a\", \"only-in-b\" or \"") + third + "\"");
  }

  double Number(const Json& value, const Pointer& at) const {
    if (value.is_number_integer()) {
      return value.is_number_unsigned() ? static_cast<double>(value.get<std::uint64_t>())
                                        : static_cast<double>(value.get<std::int64_t>());
    }
    if (value.is_number()) return value.get<double>();
    if (value == "nan") return std::nan("");
    if (value == "-nan") return -std::nan("");
    if (value == "inf") return HUGE_VAL;
    if (value == "-inf") return -HUGE_VAL;
    Refuse(at, "expected a number, \"nan\", \"-nan\", \"inf\" or \"-inf\"");
  }

  // A slot value as the object files hold it.
  SlotValue Value(const Json& value, const Pointer& at) const {
    if (value.is_number()) return NumberValue{Number(value, at), {}};
    if (value.is_array()) {
      ListValue list;
      for (std::size_t i = 0; i < value.size(); ++i) list.items.push_back(Text(value[i], at / i));
      return list;
    }
    if (value.is_object() && value.contains("number")) {
      CheckMembers(value, at, {"number", "units"});
      NumberValue number{Number(value["number"], at / "number"), {}};
      if (value.contains("units")) {
        number.units = Text(value["units"], at / "units");
        if (number.units.empty()) Refuse(at / "units", "units cannot be empty");
      }
      return number;
    }
    if (value.is_string() || value.is_object()) return TextValue{Text(value, at)};
    Refuse(at, kValueForms);
  }

  // A list of objects, whose entries the parser has handed over already.
  void Objects(const Json& objects, const Pointer& at, const std::string& file,
               const ObjectDifferenceTaker& take) {
    if (!objects.is_array()) Refuse(at, "expected an array of objects");
    const auto read = read_entries_.find(at.to_string());
    if (read == read_entries_.end()) return;
    for (ObjectDifference& entry : read->second) {
      // Version 1 listed no slots of an object in one file only.
      if (version_ == 1 && entry.status != DifferenceStatus::kBoth && entry.slots_listed) {
        Refuse(Pointer(entry.pointer) / "slots",
               "an object on one side only carries no slots in a document of version 1");
      }
      take(file, std::move(entry));
    }
    read_entries_.erase(read);
  }

  void ObjectEntry(const Json& entry, const Pointer& at, std::vector<ObjectDifference>& out) const {
    if (!entry.is_object()) Refuse(at, "expected an object");
    CheckMembers(entry, at, {"name", "status", "slots"});
    ObjectDifference object;
    object.name = Name(entry, at);
    object.status = Status(entry, at, "differs");
    object.pointer = at.to_string();
    if (object.status != DifferenceStatus::kBoth && !entry.contains("slots")) {
      object.slots_listed = false;
      out.push_back(std::move(object));
      return;
    }
    const Json& slots = Member(entry, at, "slots");
    if (!slots.is_array()) Refuse(at / "slots", "expected an array of slots");
    object.slots.reserve(slots.size());
    for (std::size_t j = 0; j < slots.size(); ++j) {
      object.slots.push_back(Slot(slots[j], at / "slots" / j, object.status));
    }
    out.push_back(std::move(object));
  }

  // A slot of an object with `object_status`: one of an object on one side
  // only is on that side only.
  SlotDifference Slot(const Json& entry, const Pointer& at, DifferenceStatus object_status) const {
    if (!entry.is_object()) Refuse(at, "expected an object");
    CheckMembers(entry, at, {"name", "status", "a", "b"});
    SlotDifference slot;
    slot.name = Name(entry, at);
    slot.status = Status(entry, at, "values-differ");
    if (object_status != DifferenceStatus::kBoth && slot.status != object_status) {
      Refuse(at / "status", object_status == DifferenceStatus::kOnlyInA
                                ? "a slot of an object only in A is only in A"
                                : "a slot of an object only in B is only in B");
    }
    // A slot on one side carries that side's value only.
    const bool has_a = slot.status != DifferenceStatus::kOnlyInB;
    const bool has_b = slot.status != DifferenceStatus::kOnlyInA;
    if (!has_a && entry.contains("a")) Refuse(at / "a", "a slot only in B has no value in A");
    if (!has_b && entry.contains("b")) Refuse(at / "b", "a slot only in A has no value in B");
    if (has_a) slot.a = Value(Member(entry, at, "a"), at / "a");
    if (has_b) slot.b = Value(Member(entry, at, "b"), at / "b");
    return slot;
  }

  void Files(const Json& files, const Pointer& at, const ObjectDifferenceTaker& take) {
    if (!files.is_array()) Refuse(at, "expected an array of files");
    for (std::size_t i = 0; i < files.size(); ++i) {
      const Json& entry = files[i];
      const Pointer entry_at = at / i;
      if (!entry.is_object()) Refuse(entry_at, "expected an object");
      CheckMembers(entry, entry_at, {"name", "status", "objects", "counts"});
      const std::string name = Name(entry, entry_at);
      if (Status(entry, entry_at, "differs") != DifferenceStatus::kBoth) {
        if (entry.contains("objects")) {
          Refuse(entry_at / "objects", "a file in one folder only carries no objects");
        }
        continue;
      }
      if (entry.contains("counts") && !entry["counts"].is_object()) {
        Refuse(entry_at / "counts", "expected an object");
      }
      Objects(Member(entry, entry_at, "objects"), entry_at / "objects", name, take);
    }
  }

  const std::string& path_;
  int version_ = 2;
  // The entries of each list of objects, by its JSON pointer.
  std::unordered_map<std::string, std::vector<ObjectDifference>> read_entries_;
};

}  // namespace

DifferencesFileHeading ReadDifferencesFile(const std::string& path, bool project,
                                           const ObjectDifferenceTaker& take) {
  DifferencesReader reader(path);
  const Json document = ReadJsonDocument(path, kAcceptFileLimit, &reader);
  return reader.Read(document, project, take);
}

}  // namespace odbdiff
