#pragma once
// The vocabulary shared by the calculations and whatever holds the field texts.
//
//   field texts (FieldSet) --> CalcVelocity / CalcFlow / CalcDiameter --> CalcOutcome
//                                                                (prompt and focus, or fault)
//
// The window implements FieldSet over its text boxes; the command line, the batch mode,
// the tests and the benchmarks use TextFields, four plain strings.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarnivel {

// The quantities a user types in and the calculations write. Texts are UTF-8. The window
// calls their text boxes TP, TV, TD and TM (quantities.h).
enum class Field {
  Pressure,  // gauge pressure, MPa
  Velocity,  // flow velocity, m/s
  Diameter,  // flow (bore) diameter, mm
  Flow,      // standard flow rate, Nm³/h
};
inline constexpr std::array<Field, 4> kAllFields = {Field::Pressure, Field::Velocity,
                                                    Field::Diameter, Field::Flow};
inline constexpr std::size_t kFieldCount = kAllFields.size();

// Read and replace the texts of the four fields.
class FieldSet {
 public:
  virtual ~FieldSet() = default;
  virtual std::string Read(Field field) const = 0;
  virtual void Write(Field field, std::string_view text) = 0;
};

// The simplest holder of the four texts.
class TextFields final : public FieldSet {
 public:
  std::string Read(Field field) const override { return texts_[Index(field)]; }
  void Write(Field field, std::string_view text) override { texts_[Index(field)] = text; }

 private:
  static std::size_t Index(Field field) { return static_cast<std::size_t>(field); }
  std::array<std::string, kFieldCount> texts_;
};

// Why guarded arithmetic refused to produce a number. A fault is a value, never an exception:
// whatever can fault returns a std::optional<FaultKind> beside its result, empty when all went
// well, and the front ends look at it instead of catching anything.
enum class FaultKind : std::uint8_t {  // one byte: a reading with its fault fits two registers
  Overflow,        // a result, or a number written in a text, beyond the largest double
  DivisionByZero,  // a divisor equal to zero (zero by zero included)
  InvalidArgument  // a negative base raised to a non-whole power
};

// The Chinese description of a fault, as the window and the command line show it.
std::string_view FaultDescription(FaultKind kind);

// The two things a calculation may ask the user for.
enum class Prompt {
  None,
  EnterDiameter,     // velocity and flow need a non-zero diameter
  EnterCompleteData  // diameter needs a non-zero flow and velocity
};

// The text the user sees for a prompt; empty for Prompt::None.
std::string_view PromptText(Prompt prompt);

// How a calculation ended: with its result written, with a prompt, or with a fault. A fault
// stops the calculation at the step that ran into it: the texts written before that step stay,
// nothing is written after it, and no prompt is asked for.
struct [[nodiscard]] CalcOutcome {
  Prompt prompt = Prompt::None;
  std::optional<Field> focus = std::nullopt;      // the field to put the cursor in after the prompt
  std::optional<FaultKind> fault = std::nullopt;  // the first step that faulted

  friend bool operator==(const CalcOutcome&, const CalcOutcome&) = default;
};

}  // namespace tarnivel
