// The rows of velocity, flow and diameter in the table of commands: one calculation of the
// window, its fields read from the options, its result or its request or fault written.

#include "cli/calculation_command.h"

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "cli/field_options.h"
#include "core/numeric.h"
#include "system/report.h"

namespace tarnivel {
namespace {

// "flow velocity from pressure, diameter and flow"
std::string Summary(const CalculationInfo& info) {
  std::string text = std::string(InputFieldOf(info.result).words) + " from ";
  for (std::size_t i = 0; i < info.reads.size(); ++i) {
    if (i > 0) text += i + 1 == info.reads.size() ? " and " : ", ";
    text += InputFieldOf(info.reads[i]).name;
  }
  return text;
}

// The index of `field` in kInputFields.
std::size_t RowOf(Field field) {
  return static_cast<std::size_t>(std::ranges::find(kInputFields, field, &InputField::field) -
                                  kInputFields.begin());
}

// Tells the user when a value held characters the number reading passed over, so that a
// script never computes silently with «1,000» read as 1, and when an option is not read.
void Warn(Calculation calculation, const TextFields& fields, const std::vector<bool>& given,
          std::ostream& err) {
  for (std::size_t i = 0; i < kInputFields.size(); ++i) {
    const InputField& input = kInputFields[i];
    if (!Reads(calculation, input.field)) {
      if (given[i]) {
        Report(err, "--" + std::string(input.name) + " is ignored: " +
                        std::string(InfoOf(calculation).name) + " does not read it");
      }
      continue;
    }
    WarnAboutIgnoredText(input, fields.Read(input.field), err);
  }
}

// `fields`: the field each option gives, by option.
int RunCalculation(const CalculationInfo& info, const std::vector<Field>& fields_by_option,
                   const ParsedArguments& parsed, std::ostream& out, std::ostream& err) {
  TextFields fields;
  std::vector<bool> given(kInputFields.size());
  for (const ParsedOption& option : parsed.options) {
    const Field field = fields_by_option[option.index];
    fields.Write(field, option.value);  // the last one counts
    given[RowOf(field)] = true;
  }

  Warn(info.calculation, fields, given, err);
  const CalcOutcome outcome = Calculate(info.calculation, fields);
  if (outcome.fault) {
    Report(err, FaultDescription(*outcome.fault));
    return kExitFault;
  }
  if (outcome.prompt != Prompt::None) {
    Report(err, PromptText(outcome.prompt));
    return kExitPrompt;
  }
  out << fields.Read(info.result) << '\n';
  return kExitOk;
}

}  // namespace

Command CalculationCommand(const CalculationInfo& info) {
  const InputField& result = InputFieldOf(info.result);
  Command command;
  command.name = info.name;
  command.summary = Summary(info);
  command.description = "Computes the " + std::string(result.words) + " (" +
                        std::string(result.unit) +
                        ") with the same digits as the window.\n"
                        "Each TEXT is read as the window reads the field; an option left out is "
                        "an empty field, which counts as zero.";
  // The fields it reads, in the help; the others are read only to be named in a warning.
  std::vector<Field> fields(info.reads.begin(), info.reads.end());
  for (const InputField& input : kInputFields) {
    if (!Reads(info.calculation, input.field)) fields.push_back(input.field);
  }
  for (Field field : fields) {
    OptionSpec option = FieldOption(InputFieldOf(field));
    option.hidden = !Reads(info.calculation, field);
    command.options.push_back(option);
  }
  command.notes = "Prints the " + std::string(result.words) + " on standard output.";
  command.statuses = {kExitOk, kExitPrompt, kExitFault, kExitUsage, kExitOutOfMemory, kExitIoError};
  command.run = [calculation = info.calculation, fields](const ParsedArguments& arguments,
                                                         const Streams& streams) {
    return RunCalculation(InfoOf(calculation), fields, arguments, streams.out, streams.err);
  };
  return command;
}

}  // namespace tarnivel
