#pragma once
// What may be wrong with a line of the pressure drop that the formulas can still compute: a
// parameter outside its usual range, or one given that the pressure's form does not use. Drop
// and pipe warn about it once, the batch once for each column.

#include <string>
#include <vector>

#include "core/pressure_drop.h"

namespace tarnivel {

struct LineWarning {
  DropQuantity quantity;  // the parameter it is about
  std::string text;
};
// What may be wrong with a line the formulas can compute, in the order of kDropQuantities: each
// parameter outside its usual range, then one `given` that the pressure's form does not use.
// Warnings, never refusals.
std::vector<LineWarning> LineWarnings(const DropCase& line, const DropParameters& given);

}  // namespace tarnivel
