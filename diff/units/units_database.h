// The units of measure that the units rule converts between, as UDUNITS-2
// knows them, with the spellings our object files use that it does not read
// as they stand mapped to ones it does (see docs/value-rules.md).
#ifndef DIFF_UNITS_UNITS_DATABASE_H_
#define DIFF_UNITS_UNITS_DATABASE_H_

#include <memory>       // std::unique_ptr
#include <string_view>  // std::string_view

#include "diff/engine/slot_rule.h"  // UnitConversion

namespace diff {

class UnitsDatabase final : public engine::UnitConversion {
 public:
  // Reads the units database (UDUNITS-2's, or the one UDUNITS2_XML_PATH
  // names). Fails (DIFF_ERROR_ARGUMENT) when it cannot be read, or when the
  // module was built without UDUNITS-2.
  static std::unique_ptr<UnitsDatabase> load();

  ~UnitsDatabase();
  UnitsDatabase(const UnitsDatabase&) = delete;
  UnitsDatabase& operator=(const UnitsDatabase&) = delete;

  // Parsed units and converters are kept, so that each spelling is read
  // once; safe to call from several threads.
  Outcome convert(std::string_view from, std::string_view to, double& number) const override;

  // The spelling UDUNITS-2 is given for `units`: the units themselves, or
  // their mapping ("barg" to "bar @ 1.01325").
  static std::string_view spelling_for(std::string_view units);

 private:
  struct Tables;
  explicit UnitsDatabase(std::unique_ptr<Tables> tables);
  std::unique_ptr<Tables> tables_;
};

}  // namespace diff

#endif  // DIFF_UNITS_UNITS_DATABASE_H_
