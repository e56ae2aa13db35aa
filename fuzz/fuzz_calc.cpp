// The three calculations over five arbitrary field texts.
//
// Properties: each ends in a result, a prompt with its field, or one of the three faults; it
// writes only the fields it owns; a result is a plain number, never an infinity or a NaN.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/numeric.h"
#include "core/quantities.h"

#include "fuzz/check.h"

using namespace tarnivel;

namespace {

class WatchedFields final : public FieldSet {
 public:
  std::string Read(Field field) const override { return texts_.Read(field); }
  void Write(Field field, std::string_view text) override {
    written.push_back(field);
    texts_.Write(field, text);
  }
  TextFields texts_;
  std::vector<Field> written;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const Calculation calculation = kCalculations[data[0] % kCalculations.size()].calculation;
  // The rest is the four texts, pressure, velocity, diameter and flow, separated by NUL bytes.
  WatchedFields fields;
  std::string texts[kFieldCount];
  std::size_t index = 0;
  for (std::size_t i = 1; i < size; ++i) {
    if (data[i] == 0 && index + 1 < kFieldCount) {
      ++index;
    } else {
      texts[index].push_back(static_cast<char>(data[i]));
    }
  }
  for (std::size_t f = 0; f < kFieldCount; ++f) {
    fields.texts_.Write(kAllFields[f], texts[f]);
  }

  const CalcOutcome outcome = Calculate(calculation, fields);
  if (outcome.fault) {
    const FaultKind kind = *outcome.fault;
    Check(kind == FaultKind::Overflow || kind == FaultKind::DivisionByZero ||
              kind == FaultKind::InvalidArgument,
          "a known fault");
    Check(outcome.prompt == Prompt::None && !outcome.focus, "no prompt with a fault");
  }
  for (Field field : fields.written)
    Check(Writes(calculation, field), "writes only its own fields");
  for (std::size_t f = 0; f < kFieldCount; ++f) {
    if (!Writes(calculation, kAllFields[f])) {
      Check(fields.Read(kAllFields[f]) == texts[f], "other fields untouched");
    }
  }
  if (outcome.fault) return 0;

  if (outcome.prompt == Prompt::EnterDiameter) {
    Check(calculation != Calculation::Diameter && outcome.focus == Field::Diameter,
          "diameter prompt");
  } else if (outcome.prompt == Prompt::EnterCompleteData) {
    Check(calculation == Calculation::Diameter && outcome.focus == Field::Flow, "data prompt");
  } else {
    Check(!outcome.focus.has_value(), "no focus without a prompt");
  }
  for (Field field : fields.written) {
    const std::string text = fields.Read(field);
    Check(text.find("inf") == std::string::npos && text.find("nan") == std::string::npos,
          "no infinity or NaN written");
    const auto number = ParseNumberStrict(text);  // every written text is a plain number
    Check(number.has_value(), "written text is a number");
    Check(!number || !number->fault, "written text is within range");
  }
  return 0;
}
