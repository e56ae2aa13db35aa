#include "cli/drop_options.h"

#include <algorithm>

#include "cli/field_options.h"
#include "core/numeric.h"

namespace tarnivel {

std::vector<DropQuantity> DropQuantitiesIn(std::initializer_list<DropRole> roles) {
  std::vector<DropQuantity> quantities;
  for (const DropQuantityInfo& info : kDropQuantities) {
    if (std::ranges::find(roles, info.role) != roles.end()) quantities.push_back(info.quantity);
  }
  return quantities;
}

void WarnAboutIgnoredText(const DropParameters& parameters, std::ostream& err) {
  for (const DropQuantityInfo& info : kDropQuantities) {
    if (const auto& text = parameters[info.quantity]) WarnAboutIgnoredText(info.option, *text, err);
  }
}

void ForgetBlankTexts(DropParameters& parameters) {
  for (std::optional<std::string>& text : parameters.texts) {
    if (text && IsBlankText(*text)) text.reset();
  }
}

std::vector<LineWarning> LineWarnings(const DropCase& line, const DropParameters& given) {
  std::vector<LineWarning> warnings;
  for (const DropQuantity quantity : UnusualParameters(line)) {
    const double value = quantity == DropQuantity::Temperature ? line.temperature_c
                         : quantity == DropQuantity::Density   ? line.density_kg_nm3
                         : quantity == DropQuantity::Viscosity ? line.viscosity_m2s
                                                               : line.atmosphere_kpa;
    warnings.push_back({quantity, DescribeUnusual(quantity, value)});
  }
  const PressureForm form = FormAt(line.inlet_mpa);
  for (const DropQuantityInfo& info : kDropQuantities) {
    if (given[info.quantity] && UnusedByForm(info.quantity, form)) {
      warnings.push_back({info.quantity, DescribeUnusedByForm(info.quantity, form)});
    }
  }
  return warnings;
}

}  // namespace tarnivel
