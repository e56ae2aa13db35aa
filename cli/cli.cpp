#include "cli/cli.h"

#include <fcntl.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <istream>
#include <ostream>
#include <sstream>
#include <string_view>

#include "cli/batch.h"
#include "cli/fd_input.h"
#include "cli/io_error.h"
#include "cli/options.h"
#include "cli/pipe_command.h"
#include "core/numeric.h"
#include "core/quantities.h"
#include "tarnivel_version.h"

namespace tarnivel {
namespace {

// A calculation's options: the four input fields, then --help.
constexpr std::size_t kHelpOption = kInputFields.size();
constexpr std::array<OptionSpec, kInputFields.size() + 1> kCalculationOptions = [] {
  std::array<OptionSpec, kInputFields.size() + 1> known{};
  for (std::size_t i = 0; i < kInputFields.size(); ++i) {
    known[i] = {kInputFields[i].name, kInputFields[i].short_option, true};
  }
  known[kHelpOption] = {"help", 'h', false};
  return known;
}();
constexpr OptionSpec kBatchOptions[] = {{"help", 'h', false}};

// "flow velocity from pressure, diameter and flow"
std::string Summary(const CalculationInfo& info) {
  std::string text = std::string(InputFieldOf(info.result).words) + " from ";
  for (std::size_t i = 0; i < info.reads.size(); ++i) {
    if (i > 0) text += i + 1 == info.reads.size() ? " and " : ", ";
    text += InputFieldOf(info.reads[i]).name;
  }
  return text;
}

}  // namespace

void OptionLine(std::ostream& out, std::string_view option, std::string_view what) {
  out << "  " << option << std::string(std::max<std::size_t>(24 - option.size(), 2), ' ') << what
      << '\n';
}

void OptionLine(std::ostream& out, const InputField& input) {
  OptionLine(out,
             std::string("-") + input.short_option + ", --" + std::string(input.name) + "=TEXT",
             std::string(input.words) + ", " + std::string(input.unit));
}

namespace {

void CalculationHelp(std::ostream& out, const CalculationInfo& info) {
  const InputField& result = InputFieldOf(info.result);
  out << "Usage: tarnivel " << info.name << " [OPTION]...\n"
      << "Computes the " << result.words << " (" << result.unit
      << ") with the same digits as the window.\n"
         "Each TEXT is read as the window reads the field; an option left out is an empty\n"
         "field, which counts as zero.\n\n";
  for (Field field : info.reads) OptionLine(out, InputFieldOf(field));
  OptionLine(out, "-h, --help", "this help");
  out << "\nPrints the " << result.words
      << " on standard output. Exit status: 0 result printed,\n"
         "1 more data needed, 2 arithmetic fault, 64 usage error.\n";
}

void BatchHelp(std::ostream& out) {
  out << "Usage: tarnivel batch [FILE]\n"
         "Computes a CSV table of calculations read from FILE, or from standard input when\n"
         "FILE is - or absent, and writes the table to standard output, a row at a time.\n\n"
         "The header row names the columns: calc (";
  for (std::size_t i = 0; i < kCalculations.size(); ++i) {
    out << (i == 0 ? "" : i + 1 == kCalculations.size() ? " or " : ", ") << kCalculations[i].name;
  }
  out << ") is required;\n";
  for (const InputField& input : kInputFields) {
    out << "  " << input.name << std::string(10 - input.name.size(), ' ') << input.words << ", "
        << input.unit << '\n';
  }
  out << "hold the field texts; other columns are carried through. The output has the\n"
         "input's columns, the fields as computed and a last column, message: empty, a\n"
         "request or a fault.\n\n"
         "Exit status: 0 every row computed, 1 some row did not, 64 usage error,\n"
         "65 malformed CSV or no calc column, 66 FILE cannot be opened, 74 read or write\n"
         "error.\n";
}

// Tells the user when a value held characters the number reading passed over, so that a
// script never computes silently with «1,000» read as 1, and when an option is not read.
void Warn(Calculation calculation, const TextFields& fields, const std::vector<bool>& given,
          std::ostream& err) {
  for (std::size_t i = 0; i < kInputFields.size(); ++i) {
    const InputField& input = kInputFields[i];
    if (!Reads(calculation, input.field)) {
      if (given[i]) {
        err << "tarnivel: --" << input.name << " is ignored: " << InfoOf(calculation).name
            << " does not read it\n";
      }
      continue;
    }
    WarnAboutIgnoredText(input, fields.Read(input.field), err);
  }
}

int RunCalculation(const CalculationInfo& info, std::span<const std::string> args,
                   std::ostream& out, std::ostream& err) {
  const ParsedArguments parsed = ParseOptions(args, kCalculationOptions);
  if (!parsed.error.empty()) return UsageError(err, parsed.error);
  if (!parsed.operands.empty()) {
    return UsageError(err, "unexpected argument '" + parsed.operands.front() + "'");
  }
  TextFields fields;
  std::vector<bool> given(kInputFields.size());
  for (const ParsedOption& option : parsed.options) {
    if (option.index == kHelpOption) {
      CalculationHelp(out, info);
      return kExitOk;
    }
    fields.Write(kInputFields[option.index].field, option.value);  // the last one counts
    given[option.index] = true;
  }

  Warn(info.calculation, fields, given, err);
  const CalcOutcome outcome = Calculate(info.calculation, fields);
  if (outcome.fault) {
    err << "tarnivel: " << FaultDescription(*outcome.fault) << '\n';
    return kExitFault;
  }
  if (outcome.prompt != Prompt::None) {
    err << "tarnivel: " << PromptText(outcome.prompt) << '\n';
    return kExitPrompt;
  }
  out << fields.Read(info.result) << '\n';
  return kExitOk;
}

int RunBatchCommand(std::span<const std::string> args, std::istream& in, std::ostream& out,
                    std::ostream& err) {
  const ParsedArguments parsed = ParseOptions(args, kBatchOptions);
  if (!parsed.error.empty()) return UsageError(err, parsed.error);
  if (!parsed.options.empty()) {
    BatchHelp(out);
    return kExitOk;
  }
  if (parsed.operands.size() > 1) {
    return UsageError(err, "batch takes one FILE; '" + parsed.operands[1] + "' is one too many");
  }
  if (parsed.operands.empty() || parsed.operands[0] == "-") return RunBatch(in, out, err, "-");
  const std::string& name = parsed.operands[0];
  const int fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    err << "tarnivel: " << name << ": " << std::strerror(errno) << '\n';
    return kExitNoInput;
  }
  FdInputBuffer file(fd, /*owns=*/true);
  std::istream file_in(&file);
  return RunBatch(file_in, out, err, name);
}

int RunCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
               std::ostream& err) {
  const std::string_view command = args.front();
  const std::span<const std::string> rest(args.begin() + 1, args.end());
  if (command == "--help" || command == "-h" || command == "--version") {
    if (!rest.empty()) return UsageError(err, "unexpected argument '" + rest.front() + "'");
    if (command == "--version") {
      out << "Tarnivel " << kTarnivelVersion << '\n';
    } else {
      out << UsageText();
    }
    return kExitOk;
  }
  if (command == "batch") return RunBatchCommand(rest, in, out, err);
  if (command == "pipe") return RunPipeCommand(rest, out, err);
  if (const auto calculation = CalculationNamed(command)) {
    return RunCalculation(InfoOf(*calculation), rest, out, err);
  }
  if (command.starts_with("-")) return UsageError(err, "unknown option '" + args.front() + "'");
  return UsageError(err, "unknown command '" + args.front() + "'");
}

}  // namespace

void WarnAboutIgnoredText(const InputField& input, std::string_view text, std::ostream& err) {
  const LeadingNumber number = ReadLeadingNumber(text);
  if (number.fault) return;  // the calculation reports it
  if (number.ignored_text) {
    err << "tarnivel: --" << input.name << " \"" << text << "\" was read as "
        << FormatGeneral(number.value) << '\n';
  }
}

int UsageError(std::ostream& err, std::string_view what) {
  err << "tarnivel: " << what << "\nTry 'tarnivel --help' for more information.\n";
  return kExitUsage;
}

std::string UsageText() {
  std::string text =
      "Usage: tarnivel                        open the calculator window\n"
      "       tarnivel COMMAND [OPTION]...    compute from the command line\n"
      "       tarnivel --help | --version\n"
      "\n"
      "Gas pipeline calculations with the same digits as the window: gauge pressure\n"
      "and two of flow velocity, bore diameter and standard flow rate give the third.\n"
      "\n"
      "Commands:\n";
  for (const CalculationInfo& info : kCalculations) {
    text += "  " + std::string(info.name) + std::string(10 - info.name.size(), ' ') +
            Summary(info) + '\n';
  }
  text +=
      "  batch     a CSV table of calculations, one per row\n"
      "  pipe      the standard pipe for a diameter, with the velocity in it\n"
      "\n"
      "Options of the calculations (each reads the three it needs):\n";
  std::ostringstream options;
  for (const InputField& input : kInputFields) OptionLine(options, input);
  text += options.str();
  text +=
      "\n"
      "Each TEXT is read as the window reads the field: the number it starts with.\n"
      "\n"
      "Exit status:\n"
      "   0  result printed; every batch row computed\n"
      "   1  more data needed; some batch row ended in a request, a fault or an unknown calc\n"
      "   2  arithmetic fault (overflow, division by zero, invalid argument)\n"
      "  64  usage error\n"
      "  65  malformed CSV, or a header without a calc column\n"
      "  66  FILE cannot be opened\n"
      "  69  no display to open the window on\n"
      "  74  read or write error\n"
      "\n"
      "'tarnivel COMMAND --help' describes one command.\n"
      "Example: tarnivel velocity -p 0.3 -d 100 -q 1000   prints 8.84194143371033\n";
  return text;
}

int RunCommandLine(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                   std::ostream& err) {
  if (args.empty()) return UsageError(err, "no command given");
  const int status = RunCommand(args, in, out, err);
  if (status == kExitIoError) return status;  // already said
  out.flush();
  if (!out) {
    const int error = IoErrorOf(out.rdbuf());
    err << "tarnivel: write error: " << std::strerror(error != 0 ? error : EIO) << '\n';
    return kExitIoError;
  }
  return status;
}

}  // namespace tarnivel
