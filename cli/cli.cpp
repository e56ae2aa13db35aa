#include "cli/cli.h"

#include <fcntl.h>

#include <cerrno>
#include <cstring>
#include <istream>
#include <optional>
#include <ostream>
#include <string_view>

#include "cli/batch.h"
#include "cli/fd_input.h"
#include "cli/pipe_command.h"
#include "core/numeric.h"
#include "core/quantities.h"
#include "tarnivel_version.h"

namespace tarnivel {
namespace {

int UsageError(std::ostream& err, std::string_view message) {
  err << "tarnivel: " << message << "\n\n" << UsageText();
  return kExitUsage;
}

// Tells the user when a value held characters the number reading passed over, so that a
// script never computes silently with «1,000» read as 1.
void WarnAboutIgnoredText(Calculation calculation, const TextFields& fields, std::ostream& err) {
  for (Field field : InputFields(calculation)) {
    const std::string text = fields.Read(field);
    try {
      const LeadingNumber number = ReadLeadingNumber(text);
      if (number.ignored_text) {
        err << "tarnivel: --" << InputFieldOf(field)->name << " \"" << text << "\" was read as "
            << FormatGeneral(number.value) << '\n';
      }
    } catch (const ArithmeticFault&) {
      // The calculation reports it.
    }
  }
}

struct OptionMatch {
  const InputField* option = nullptr;
  std::optional<std::string_view> value;  // given in the same argument, as --flow=1000
};

OptionMatch MatchOption(std::string_view arg) {
  for (const InputField& option : kInputFields) {
    if (arg.size() == 2 && arg[0] == '-' && arg[1] == option.short_option) return {&option, {}};
    if (!arg.starts_with("--") || !arg.substr(2).starts_with(option.name)) continue;
    const std::string_view tail = arg.substr(2 + option.name.size());
    if (tail.empty()) return {&option, {}};
    if (tail.front() == '=') return {&option, tail.substr(1)};
  }
  return {};
}

int RunCalculation(Calculation calculation, const std::vector<std::string>& args, std::ostream& out,
                   std::ostream& err) {
  TextFields fields;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    auto [matched, inline_value] = MatchOption(arg);
    if (matched == nullptr) {
      return UsageError(err, "unknown option '" + std::string(arg) + "'");
    }
    if (!inline_value) {
      if (i + 1 == args.size()) {
        return UsageError(err, "option '" + std::string(arg) + "' needs a value");
      }
      inline_value = args[++i];  // taken as it stands, even when it starts with '-'
    }
    fields.Write(matched->field, *inline_value);
  }

  WarnAboutIgnoredText(calculation, fields, err);
  try {
    const CalcOutcome outcome = Calculate(calculation, fields);
    if (outcome.prompt != Prompt::None) {
      err << PromptText(outcome.prompt) << '\n';
      return kExitPrompt;
    }
    out << fields.Read(ResultField(calculation)) << '\n';
    return kExitOk;
  } catch (const ArithmeticFault& fault) {
    err << FaultDescription(fault.kind()) << '\n';
    return kExitFault;
  }
}

int RunBatchCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                    std::ostream& err) {
  if (args.size() > 2) return UsageError(err, "batch takes at most one FILE");
  if (args.size() == 1 || args[1] == "-") return RunBatch(in, out, err);
  const int fd = ::open(args[1].c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    err << "tarnivel: batch: cannot read '" << args[1] << "': " << std::strerror(errno) << '\n';
    return kExitUsage;
  }
  FdInputBuffer file(fd, /*owns=*/true);
  std::istream file_in(&file);
  return RunBatch(file_in, out, err);
}

}  // namespace

const char* UsageText() {
  return "Usage: tarnivel                              open the calculator window\n"
         "       tarnivel velocity|flow|diameter [OPTION TEXT]...\n"
         "       tarnivel batch [FILE]                 a CSV table of calculations\n"
         "       tarnivel pipe -p P -v V -q Q [--series NAME]... [--catalogue FILE] [--csv]\n"
         "       tarnivel --help | --version\n"
         "\n"
         "Computes flow velocity, standard flow rate or bore diameter from the other two\n"
         "and the gauge pressure, with the same digits as the window. Each TEXT is read\n"
         "as the window reads the field; an option left out is an empty field.\n"
         "\n"
         "  -p, --pressure TEXT   gauge pressure, MPa\n"
         "  -v, --velocity TEXT   flow velocity, m/s\n"
         "  -d, --diameter TEXT   bore diameter, mm\n"
         "  -q, --flow TEXT       standard flow rate, Nm3/h\n"
         "\n"
         "batch reads CSV from FILE (or standard input) with a header row naming the\n"
         "columns calc (velocity, flow or diameter), pressure, velocity, diameter and\n"
         "flow; other columns are carried through. It writes the same table with the\n"
         "fields as computed and a last column, message: empty, a request or a fault.\n"
         "Status 0 when every row computed, 1 when some did not, 64 on malformed CSV.\n"
         "\n"
         "Prints the result on standard output. Exit status: 0 result printed,\n"
         "1 more data needed (the request is printed on standard error),\n"
         "2 arithmetic fault, 64 usage error.\n"
         "\n"
         "Example: tarnivel velocity -p 0.3 -d 100 -q 1000   prints 8.84194143371033\n";
}

int RunCommandLine(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                   std::ostream& err) {
  if (args.empty()) {
    err << UsageText();
    return kExitUsage;
  }
  const std::string_view command = args.front();
  if (command == "--help" || command == "-h") {
    out << UsageText();
    return kExitOk;
  }
  if (command == "--version") {
    out << "Tarnivel " << kTarnivelVersion << '\n';
    return kExitOk;
  }
  if (command == "batch") return RunBatchCommand(args, in, out, err);
  if (command == "pipe") return RunPipeCommand(args, out, err);
  if (const auto calculation = CalculationNamed(command)) {
    return RunCalculation(*calculation, args, out, err);
  }
  return UsageError(err, "unknown command '" + std::string(command) + "'");
}

}  // namespace tarnivel
