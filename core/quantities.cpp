#include "core/quantities.h"

#include <algorithm>

namespace tarnivel {

const InputField& InputFieldOf(Field field) {
  // std::find_if, not std::ranges::find: the browser build's standard library has no ranges.
  return *std::find_if(kInputFields.begin(), kInputFields.end(),
                       [field](const InputField& input) { return input.field == field; });
}

const CalculationInfo& InfoOf(Calculation calculation) {
  return *std::find_if(
      kCalculations.begin(), kCalculations.end(),
      [calculation](const CalculationInfo& info) { return info.calculation == calculation; });
}

std::optional<Calculation> CalculationNamed(std::string_view name) {
  const auto* row = std::find_if(kCalculations.begin(), kCalculations.end(),
                                 [name](const CalculationInfo& info) { return info.name == name; });
  if (row == kCalculations.end()) return std::nullopt;
  return row->calculation;
}

bool Reads(Calculation calculation, Field field) {
  const auto& reads = InfoOf(calculation).reads;
  return std::find(reads.begin(), reads.end(), field) != reads.end();
}

bool Writes(Calculation calculation, Field field) {
  const CalculationInfo& info = InfoOf(calculation);
  return field == info.result || field == info.also_rewrites;
}

CalcOutcome Calculate(Calculation calculation, FieldSet& fields) {
  return InfoOf(calculation).run(fields);
}

}  // namespace tarnivel
