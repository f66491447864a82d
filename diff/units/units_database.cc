// UnitsDatabase over UDUNITS-2.
#include "diff/units/units_database.h"

#include <udunits2.h>

#include <mutex>          // std::mutex, the tables shared between threads
#include <string>         // std::string, the keys
#include <unordered_map>  // std::unordered_map

#include "diff/diff.h"                  // DIFF_ERROR_ARGUMENT
#include "diff/outcome/call_outcome.h"  // fail

namespace diff {
namespace {

// Hostile files may hold any number of spellings: the tables are emptied
// when they reach this size rather than grow without end.
constexpr std::size_t kMostKept = 1 << 16;

// UDUNITS-2 reports its troubles on standard error unless told otherwise;
// the module reports them itself.
class QuietUdunits {
 public:
  QuietUdunits() : previous_(ut_set_error_message_handler(ut_ignore)) {}
  ~QuietUdunits() { ut_set_error_message_handler(previous_); }
  QuietUdunits(const QuietUdunits&) = delete;
  QuietUdunits& operator=(const QuietUdunits&) = delete;

 private:
  ut_error_message_handler previous_;
};

struct Conversion {
  engine::UnitConversion::Outcome outcome;
  cv_converter* converter;  // set when converted
};

}  // namespace

struct UnitsDatabase::Tables {
  ut_system* system = nullptr;
  std::mutex mutex;
  std::unordered_map<std::string, ut_unit*> units;          // null: not known
  std::unordered_map<std::string, Conversion> conversions;  // by "from\0to"

  ~Tables() {
    forget();
    ut_free_system(system);
  }

  void forget() {
    for (auto& [key, conversion] : conversions) cv_free(conversion.converter);
    conversions.clear();
    for (auto& [spelling, unit] : units) ut_free(unit);
    units.clear();
  }

  ut_unit* unit(std::string_view spelling) {
    const auto found = units.find(std::string(spelling));
    if (found != units.end()) return found->second;
    const std::string given(UnitsDatabase::spelling_for(spelling));
    ut_unit* parsed = ut_parse(system, given.c_str(), UT_UTF8);
    units.emplace(std::string(spelling), parsed);
    return parsed;
  }

  Conversion conversion(std::string_view from, std::string_view to) {
    std::string key;
    key.reserve(from.size() + to.size() + 1);
    key.append(from).push_back('\0');
    key.append(to);
    const auto found = conversions.find(key);
    if (found != conversions.end()) return found->second;
    if (conversions.size() >= kMostKept || units.size() >= kMostKept) forget();
    const QuietUdunits quiet;
    ut_unit* from_unit = unit(from);
    ut_unit* to_unit = unit(to);
    Conversion conversion{Outcome::kUnknown, nullptr};
    if (from_unit != nullptr && to_unit != nullptr) {
      conversion.outcome = Outcome::kNotConvertible;
      if (ut_are_convertible(from_unit, to_unit) != 0) {
        conversion.converter = ut_get_converter(from_unit, to_unit);
        if (conversion.converter != nullptr) conversion.outcome = Outcome::kConverted;
      }
    }
    conversions.emplace(std::move(key), conversion);
    return conversion;
  }
};

std::unique_ptr<UnitsDatabase> UnitsDatabase::load() {
  auto tables = std::make_unique<Tables>();
  {
    const QuietUdunits quiet;
    tables->system = ut_read_xml(nullptr);
  }
  if (tables->system == nullptr) {
    const char* path = ut_get_path_xml(nullptr, nullptr);
    fail(DIFF_ERROR_ARGUMENT,
         std::string("the units rule cannot read the UDUNITS-2 units database ") +
             (path != nullptr ? path : "") + " (UDUNITS2_XML_PATH names another)");
  }
  return std::unique_ptr<UnitsDatabase>(new UnitsDatabase(std::move(tables)));
}

UnitsDatabase::UnitsDatabase(std::unique_ptr<Tables> tables) : tables_(std::move(tables)) {}

UnitsDatabase::~UnitsDatabase() = default;

engine::UnitConversion::Outcome UnitsDatabase::convert(std::string_view from, std::string_view to,
                                                       double& number) const {
  const std::lock_guard<std::mutex> lock(tables_->mutex);
  const Conversion conversion = tables_->conversion(from, to);
  if (conversion.outcome == Outcome::kConverted) {
    number = cv_convert_double(conversion.converter, number);
  }
  return conversion.outcome;
}

}  // namespace diff
