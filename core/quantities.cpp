#include "core/quantities.h"

#include <algorithm>

namespace tarnivel {

const InputField* InputFieldOf(Field field) {
  const auto* row = std::ranges::find(kInputFields, field, &InputField::field);
  return row == kInputFields.end() ? nullptr : row;
}

std::string_view ControlName(Field field) {
  const InputField* input = InputFieldOf(field);
  return input != nullptr ? input->control : "T5";
}

const CalculationInfo& InfoOf(Calculation calculation) {
  return *std::ranges::find(kCalculations, calculation, &CalculationInfo::calculation);
}

std::optional<Calculation> CalculationNamed(std::string_view name) {
  const auto* row = std::ranges::find(kCalculations, name, &CalculationInfo::name);
  if (row == kCalculations.end()) return std::nullopt;
  return row->calculation;
}

bool Writes(Calculation calculation, Field field) {
  const CalculationInfo& info = InfoOf(calculation);
  return field == info.result || field == info.also_rewrites;
}

CalcOutcome Calculate(Calculation calculation, FieldSet& fields) {
  return InfoOf(calculation).run(fields);
}

}  // namespace tarnivel
