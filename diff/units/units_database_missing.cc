// UnitsDatabase for a module built without UDUNITS-2: the units rule is
// refused, never replaced by a guess.
#include "diff/units/units_database.h"

#include "diff/diff.h"                  // DIFF_ERROR_ARGUMENT
#include "diff/outcome/call_outcome.h"  // fail

namespace diff {

struct UnitsDatabase::Tables {};

std::unique_ptr<UnitsDatabase> UnitsDatabase::load() {
  fail(DIFF_ERROR_ARGUMENT,
       "the units rule needs UDUNITS-2, and this build of the module was made without it");
}

UnitsDatabase::UnitsDatabase(std::unique_ptr<Tables> tables) : tables_(std::move(tables)) {}

UnitsDatabase::~UnitsDatabase() = default;

engine::UnitConversion::Outcome UnitsDatabase::convert(std::string_view, std::string_view,
                                                       double&) const {
  return Outcome::kUnknown;
}

}  // namespace diff
