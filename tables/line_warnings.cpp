// The warnings about a line of the pressure drop that the formulas can still compute.

#include "tables/line_warnings.h"

namespace tarnivel {

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
