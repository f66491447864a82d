// The spellings of units in our object files that UDUNITS-2 does not read as
// they stand, and what it is given instead. Gauge pressures are read against
// the standard atmosphere (1.01325 bar, 14.6959487755 psi).
#include <array>        // std::array
#include <string_view>  // std::string_view
#include <utility>      // std::pair

#include "diff/units/units_database.h"  // UnitsDatabase

namespace diff {

std::string_view UnitsDatabase::spelling_for(std::string_view units) {
  static constexpr std::array<std::pair<std::string_view, std::string_view>, 6> kMapped{{
      {"barg", "bar @ 1.01325"},
      {"bara", "bar"},
      {"psig", "psi @ 14.6959487755"},
      {"psia", "psi"},
      {"kWh", "kW.h"},
      {"MWh", "MW.h"},
  }};
  for (const auto& [spelling, mapped] : kMapped) {
    if (units == spelling) return mapped;
  }
  return units;
}

}  // namespace diff
