#include "core/pipecalc.h"
#include "core/quantities.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace tarnivel {
namespace {

// A field set that remembers every write, in order, to check what a calculation did before
// it prompted or faulted.
class RecordingFields final : public FieldSet {
 public:
  std::string Read(Field field) const override { return texts_.Read(field); }
  void Write(Field field, std::string_view text) override {
    writes.emplace_back(field, std::string(text));
    texts_.Write(field, text);
  }
  void Set(Field field, std::string_view text) { texts_.Write(field, text); }

  std::vector<std::pair<Field, std::string>> writes;

 private:
  TextFields texts_;
};

struct CalcCase {
  Calculation calculation;
  const char *tp, *tv, *td, *tm;  // the texts before the calculation
  // Afterwards: the four texts, the outcome, or the fault.
  const char *want_tp, *want_tv, *want_td, *want_tm;
  Prompt prompt = Prompt::None;
  std::optional<Field> focus = std::nullopt;
  std::optional<FaultKind> fault = std::nullopt;
};

constexpr auto V = Calculation::Velocity;
constexpr auto F = Calculation::Flow;
constexpr auto D = Calculation::Diameter;

const CalcCase kCases[] = {
    // Worked values, to the digit.
    {V, "0.3", "", "100", "1000", "0.3", "8.84194143371033", "100", "1000"},
    {F, "0.3", "10", "100", "", "0.3", "10", "100", "1130.973336"},
    {D, "0.3", "10", "", "1000", "0.3", "10", "94", "1000"},
    {V, "", "", "50", "100", "", "14.1471062939365", "50", "100"},
    {F, "", "5", "50", "", "", "5", "50", "35.34291675"},
    {D, "", "5", "", "100", "", "5", "84", "100"},
    {V, "1.6", "", "200", "5000", "1.6", "2.6005710099148", "200", "5000"},
    {F, "1.6", "15", "200", "", "1.6", "15", "200", "28839.820068"},
    {D, "1.6", "15", "", "5000", "1.6", "15", "83", "5000"},
    {V, "-1", "", "100", "1000", "-1", "-3.9297517483157", "100", "1000"},
    {V, "0.3", "", "100", "0.001", "0.3", "8.84194143371033E-06", "100", "0.001"},
    {F, "-0.1", "3", "100", "", "-0.1", "3", "100", "0"},
    // The result field is overwritten even when the user typed there.
    {V, "0.3", "99", "100", "1000", "0.3", "8.84194143371033", "100", "1000"},
    {F, "0.3", "10", "100", "77", "0.3", "10", "100", "1130.973336"},
    // Empty inputs count as zero.
    {V, "0.3", "", "100", "", "0.3", "0", "100", ""},
    {F, "0.3", "", "100", "", "0.3", "", "100", "0"},
    // Diameter rewrites the flow to the number it starts with, and goes on from that text.
    {D, "0.3", "10", "", "1,000", "0.3", "10", "3", "1"},
    {D, "0.3", "10", "7", "12abc", "0.3", "10", "10", "12"},
    {D, "0.3", "10", "", "12345678901234567", "0.3", "10", "330393356", "1.23456789012346E+16"},
    {D, "0.3", "10", "", " 1 000 ", "0.3", "10", "94", "1000"},
    // The square root is correctly rounded (std::pow is off here in the 16th digit).
    {D, "30141860273470.41701946E114", "8687523665975732997", "", "1e308",
     "30141860273470.41701946E114", "8687523665975732997",
     "3675113754232567077821675886924679542403140624707938132064734352849587039107022848",
     "1E+308"},

    // Prompts, with the field to focus.
    {V, "0.3", "5", "", "1000", "0.3", "0", "", "1000", Prompt::EnterDiameter, Field::Diameter},
    {V, "", "", "abc", "", "", "0", "abc", "", Prompt::EnterDiameter, Field::Diameter},
    {F, "0.3", "5", "", "1000", "0.3", "5", "", "0", Prompt::EnterDiameter, Field::Diameter},
    {D, "0.3", "10", "55", "", "0.3", "10", "55", "0", Prompt::EnterCompleteData, Field::Flow},
    {D, "0.3", "", "55", "1000", "0.3", "", "55", "1000", Prompt::EnterCompleteData, Field::Flow},
    {D, "0.3", "x", "55", "abc", "0.3", "x", "55", "0", Prompt::EnterCompleteData, Field::Flow},

    // Faults, with the texts written before them left in place.
    {V, "-0.1", "", "100", "1000", "-0.1", "0", "100", "1000", {}, {}, FaultKind::DivisionByZero},
    {V, "0.3", "", "1e200", "1000", "0.3", "0", "1e200", "1000", {}, {}, FaultKind::Overflow},
    {V,
     "0.3",
     "",
     "1e-200",
     "1000",
     "0.3",
     "0",
     "1e-200",
     "1000",
     {},
     {},
     FaultKind::DivisionByZero},
    {V, "-0.1", "", "1e-200", "", "-0.1", "0", "1e-200", "", {}, {}, FaultKind::DivisionByZero},
    {V, "1e999", "", "100", "1000", "1e999", "0", "100", "1000", {}, {}, FaultKind::Overflow},
    {F, "0.3", "1e300", "1e200", "", "0.3", "1e300", "1e200", "0", {}, {}, FaultKind::Overflow},
    {D, "-1", "5", "9", "1000", "-1", "5", "9", "1000", {}, {}, FaultKind::InvalidArgument},
    {D, "-0.1", "5", "9", "1000", "-0.1", "5", "9", "1000", {}, {}, FaultKind::DivisionByZero},
    {D, "0.3", "5", "9", "1e999", "0.3", "5", "9", "1e999", {}, {}, FaultKind::Overflow},
    {D, "0.3", "1e-300", "9", "1e300", "0.3", "1e-300", "9", "1E+300", {}, {}, FaultKind::Overflow},
    // The flow rewritten to 15 digits lies beyond the largest double: kept, and nothing after it.
    {D,
     "0.3",
     "5",
     "9",
     "1.7976931348623157e308",
     "0.3",
     "5",
     "9",
     "1.79769313486232E+308",
     {},
     {},
     FaultKind::Overflow},
    // A fault in reading an input wins over the prompt a zero would ask for.
    {V, "1e999", "", "", "1000", "1e999", "0", "", "1000", {}, {}, FaultKind::Overflow},
    {F, "0.3", "1e999", "", "", "0.3", "1e999", "", "0", {}, {}, FaultKind::Overflow},
    {D, "1e999", "", "", "1000", "1e999", "", "", "1000", {}, {}, FaultKind::Overflow},
};

TEST(Calculations, LeaveTheFieldsAndOutcomeAsDefined) {
  for (const CalcCase& c : kCases) {
    TextFields fields;
    fields.Write(Field::Pressure, c.tp);
    fields.Write(Field::Velocity, c.tv);
    fields.Write(Field::Diameter, c.td);
    fields.Write(Field::Flow, c.tm);
    const std::string where = std::string("TP «") + c.tp + "» TV «" + c.tv + "» TD «" + c.td +
                              "» TM «" + c.tm + "» calc " +
                              std::to_string(static_cast<int>(c.calculation));
    const CalcOutcome outcome = Calculate(c.calculation, fields);
    EXPECT_EQ(outcome.fault, c.fault) << where;
    EXPECT_EQ(outcome.prompt, c.prompt) << where;
    EXPECT_EQ(outcome.focus, c.focus) << where;
    EXPECT_EQ(fields.Read(Field::Pressure), c.want_tp) << where;
    EXPECT_EQ(fields.Read(Field::Velocity), c.want_tv) << where;
    EXPECT_EQ(fields.Read(Field::Diameter), c.want_td) << where;
    EXPECT_EQ(fields.Read(Field::Flow), c.want_tm) << where;
  }
}

TEST(Calculations, ClearTheResultBeforeReadingAnyInput) {
  // A fault in the very first reading must find the result field already cleared.
  RecordingFields velocity;
  velocity.Set(Field::Pressure, "1e999");
  EXPECT_EQ(CalcVelocity(velocity).fault, FaultKind::Overflow);
  ASSERT_EQ(velocity.writes.size(), 1u);
  EXPECT_EQ(velocity.writes[0], std::pair(Field::Velocity, std::string("0")));

  RecordingFields flow;
  flow.Set(Field::Pressure, "1e999");
  EXPECT_EQ(CalcFlow(flow).fault, FaultKind::Overflow);
  EXPECT_EQ(flow.writes, (decltype(flow.writes){{Field::Flow, "0"}}));

  // Diameter: an unreadable flow faults before the flow is rewritten.
  RecordingFields diameter;
  diameter.Set(Field::Flow, "1e999");
  EXPECT_EQ(CalcDiameter(diameter).fault, FaultKind::Overflow);
  EXPECT_TRUE(diameter.writes.empty());
}

TEST(Calculations, WriteOnlyTheirOwnFields) {
  for (Calculation calculation : {V, F, D}) {
    RecordingFields fields;
    fields.Set(Field::Pressure, "0.3");
    fields.Set(Field::Velocity, "10");
    fields.Set(Field::Diameter, "100");
    fields.Set(Field::Flow, "1000");
    EXPECT_EQ(Calculate(calculation, fields), CalcOutcome{});
    for (const auto& [field, text] : fields.writes) {
      EXPECT_TRUE(Writes(calculation, field)) << "wrote field " << ControlName(field);
    }
  }
}

}  // namespace
}  // namespace tarnivel
