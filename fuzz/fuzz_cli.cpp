// The command line's argument handling, and the batch mode on arbitrary input.
//
// The input is NUL-separated arguments, then (after two NULs) what standard input holds.
// Properties: the status is one of 0, 1, 2, 3, 4, 64, 65; a result goes to standard output
// only on 0 (a batch's rows, and pipe's table when a series has no pipe or a chosen pipe no
// outlet, on any); the calculation of a single run agrees with the same run's output.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"

#include "fuzz/check.h"

using namespace tarnivel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const std::size_t stdin_at = input.find(std::string("\0\0", 2));
  const std::string arg_text = input.substr(0, stdin_at);
  const std::string stdin_text = stdin_at == std::string::npos ? "" : input.substr(stdin_at + 2);

  std::vector<std::string> args;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= arg_text.size(); ++i) {
    if (i == arg_text.size() || arg_text[i] == '\0') {
      args.push_back(arg_text.substr(start, i - start));
      start = i + 1;
    }
  }
  // A batch reads its table from standard input here, never from a file the fuzzer names.
  if (args.size() >= 2 && args[0] == "batch") args.resize(1);
  // Nor does pipe read a catalogue file: the arguments end before anything that could name
  // one (-c, -cFILE, --catalogue and its abbreviations).
  const bool line = !args.empty() && args[0] == "line";
  if (!args.empty() && (args[0] == "pipe" || line)) {
    for (std::size_t i = 1; i < args.size(); ++i) {
      if (args[i].starts_with("-c") || args[i].starts_with("--c")) args.resize(i);
    }
  }
  // Nor does a command write a calculation sheet: the arguments end before --sheet and its
  // abbreviations.
  if (!args.empty() && (args[0] == "pipe" || args[0] == "drop" || line)) {
    for (std::size_t i = 1; i < args.size(); ++i) {
      if (args[i].starts_with("--sh")) args.resize(i);
    }
  }

  std::istringstream in(stdin_text);
  std::ostringstream out, err;
  const int status = RunCommandLine(args, in, out, err);
  Check(status == kExitOk || status == kExitPrompt || status == kExitFault ||
            status == kExitRunsOut || status == kExitNoPipe || status == kExitUsage ||
            status == kExitDataError ||
            // line reads its segments from a FILE operand, which may name no file at all
            (line && (status == kExitNoInput || status == kExitIoError)),
        "a documented status");
  // A batch writes the rows before a failure; pipe without a pipe large enough, or with one
  // the gas does not reach the end of, writes its table, which says so.
  const bool pipe = !args.empty() && args[0] == "pipe";
  const bool writes_anyway = (!args.empty() && args[0] == "batch") || status == kExitNoPipe ||
                             (pipe && status == kExitRunsOut);
  if (!writes_anyway && status != kExitOk) Check(out.str().empty(), "no result without success");
  if (!writes_anyway && status != kExitOk) Check(!err.str().empty(), "a failure says why");
  if (status == kExitNoPipe)
    Check(out.str().find("no pipe") != std::string::npos ||
              out.str().find(",none\n") != std::string::npos,
          "no pipe is said");
  if (pipe && status == kExitRunsOut) Check(!out.str().empty(), "the table says where");
  if (!out.str().empty()) Check(out.str().back() == '\n', "output ends its line");
  return 0;
}
