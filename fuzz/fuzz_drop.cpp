// The pressure-drop calculation over arbitrary texts of its inputs.
//
// Properties: a result or a fault with a message; a result has λ > 0, an outlet above zero
// and at most the inlet, or else a length in [0, L] at which the gauge pressure runs out; a
// longer line never leaves more pressure, nor fails but by overflow; no number it gives is
// written as an infinity or a NaN.
#include <cmath>
#include <cstdint>
#include <string>
#include <variant>

#include "core/numeric.h"
#include "core/pressure_drop.h"

#include "fuzz/check.h"

using namespace tarnivel;

namespace {

bool PlainNumber(double value) {
  if (!std::isfinite(value)) return false;
  const std::string text = FormatGeneral(value);
  return text.find_first_of("infINFaA") == std::string::npos;
}

void CheckResult(const DropCase& line, const DropResult& result) {
  Check(PlainNumber(result.reynolds) && result.reynolds > 0, "Re > 0");
  Check(PlainNumber(result.friction) && result.friction > 0, "λ > 0");
  Check(PlainNumber(result.inlet_velocity_ms), "inlet velocity");
  if (result.outlet_mpa) {
    Check(PlainNumber(*result.outlet_mpa) && *result.outlet_mpa > 0, "outlet above zero");
    Check(*result.outlet_mpa <= line.inlet_mpa, "outlet <= inlet");
    Check(PlainNumber(result.drop_kpa) && result.drop_kpa >= 0, "drop >= 0");
    Check(result.outlet_velocity_ms && PlainNumber(*result.outlet_velocity_ms), "outlet velocity");
  } else {
    Check(PlainNumber(result.reach_m) && result.reach_m >= 0 && result.reach_m <= line.length_m,
          "reach in [0, L]");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Texts separated by NUL bytes: pressure, flow, diameter, then the parameters in the order
  // of their table; one left out takes its default.
  DropTexts texts;
  std::string* fields[] = {&texts.pressure, &texts.flow, &texts.diameter};
  std::size_t index = 0;
  std::string current;
  auto store = [&] {
    if (index < 3) {
      *fields[index] = current;
    } else if (index - 3 < kDropQuantities.size() &&
               kDropQuantities[index - 3].role == DropRole::Parameter) {
      texts[kDropQuantities[index - 3].quantity] = current;
    }
    current.clear();
    ++index;
  };
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == 0) {
      store();
    } else {
      current.push_back(static_cast<char>(data[i]));
    }
  }
  store();

  const auto read = ReadDropCase(texts);
  if (const auto* fault = std::get_if<DropFault>(&read)) {
    Check(fault->kind == DropFault::Kind::Arithmetic, "reading fails only by overflow");
    Check(!DescribeDropFault(*fault).empty(), "a message");
    return 0;
  }
  const DropCase& line = std::get<DropCase>(read);
  const auto outcome = ComputeDrop(line);
  if (const auto* fault = std::get_if<DropFault>(&outcome)) {
    Check(!DescribeDropFault(*fault).empty(), "a message");
    return 0;
  }
  const DropResult& result = std::get<DropResult>(outcome);
  CheckResult(line, result);

  // The same line twice as long: no more pressure left, and the gas runs out no later.
  DropCase longer = line;
  longer.length_m = line.length_m * 2;
  if (!std::isfinite(longer.length_m)) return 0;
  const auto further = ComputeDrop(longer);
  // Less pressure left is faster gas at the outlet: where the outlet velocity was already near
  // the double range (a compressibility of 1e306), the longer line overflows, and only so.
  if (const auto* fault = std::get_if<DropFault>(&further)) {
    Check(fault->kind == DropFault::Kind::Arithmetic, "a longer line computes, or overflows");
    return 0;
  }
  const DropResult& far = std::get<DropResult>(further);
  CheckResult(longer, far);
  Check(far.reynolds == result.reynolds && far.friction == result.friction,
        "Re and λ do not depend on the length");
  if (!result.outlet_mpa) {
    Check(!far.outlet_mpa, "runs out on a longer line too");
  } else if (far.outlet_mpa) {
    Check(*far.outlet_mpa <= *result.outlet_mpa, "monotone in L");
  }
  return 0;
}
