// The dispatcher: finds the command named, reads its options, answers --help and --version,
// runs the command, and turns running out of memory or a failed write into their statuses.

#include "cli/cli.h"

#include <algorithm>
#include <new>
#include <ostream>
#include <span>
#include <string_view>

#include "cli/commands.h"
#include "cli/usage_error.h"
#include "system/io_error.h"
#include "system/report.h"
#include "tarnivel_version.h"

namespace tarnivel {
namespace {

// Reads a command's options, answers --help, and runs it.
int Run(const Command& command, std::span<const std::string> args, const Streams& streams) {
  std::vector<OptionSpec> known = command.options;
  known.push_back(kHelpOption);
  const ParsedArguments parsed = ParseOptions(args, known);
  if (!parsed.error.empty()) return UsageError(streams.err, Escaped(parsed.error), command.name);
  if (command.operands.empty() && !parsed.operands.empty()) {
    return UsageError(streams.err, "unexpected argument '" + Escaped(parsed.operands.front()) + "'",
                      command.name);
  }
  const std::size_t help = known.size() - 1;
  if (std::ranges::find(parsed.options, help, &ParsedOption::index) != parsed.options.end()) {
    WriteCommandHelp(streams.out, command);
    return kExitOk;
  }
  return command.run(parsed, streams);
}

int RunCommand(const std::vector<std::string>& args, const Streams& streams) {
  const std::string_view name = args.front();
  const std::span<const std::string> rest(args.begin() + 1, args.end());
  if (name == "--help" || name == "-h" || name == "--version") {
    if (!rest.empty()) {
      return UsageError(streams.err, "unexpected argument '" + Escaped(rest.front()) + "'");
    }
    if (name == "--version") {
      streams.out << "Tarnivel " << kTarnivelVersion << '\n';
    } else {
      streams.out << UsageText();
    }
    return kExitOk;
  }
  if (const Command* command = CommandNamed(name)) return Run(*command, rest, streams);
  if (name.starts_with("-"))
    return UsageError(streams.err, "unknown option '" + Escaped(args.front()) + "'");
  return UsageError(streams.err, "unknown command '" + Escaped(args.front()) + "'");
}

}  // namespace

int RunCommandLine(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                   std::ostream& err) {
  if (args.empty()) return UsageError(err, "no command given");
  int status = kExitOk;
  try {
    status = RunCommand(args, Streams{in, out, err});
  } catch (const std::bad_alloc&) {
    ReportOutOfMemory(err);
    return kExitOutOfMemory;
  }
  if (status == kExitIoError) return status;  // already said
  out.flush();
  if (!out) {
    ReportWriteError(err, IoErrorOf(out.rdbuf()));
    return kExitIoError;
  }
  return status;
}

}  // namespace tarnivel
