// Reads a command's options as getopt_long does, against the command's option rows.

#include "cli/options.h"

#include <getopt.h>

namespace tarnivel {
namespace {

// getopt_long reports a long option by this value plus its index.
constexpr int kLongBase = 0x1000;

std::string Dashed(const OptionSpec& option) { return "--" + std::string(option.name); }

// The long options a mistyped or ambiguous "--text" could have meant.
std::vector<const OptionSpec*> Candidates(std::string_view arg, std::span<const OptionSpec> known) {
  std::string_view name = arg.substr(2);
  name = name.substr(0, name.find('='));
  std::vector<const OptionSpec*> found;
  for (const OptionSpec& option : known) {
    if (option.name == name) return {&option};
    if (option.name.starts_with(name)) found.push_back(&option);
  }
  return found;
}

}  // namespace

ParsedArguments ParseOptions(std::span<const std::string> args, std::span<const OptionSpec> known) {
  // getopt_long wants a mutable argv with the program's name first.
  std::vector<std::string> storage = {"tarnivel"};
  storage.insert(storage.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& arg : storage) argv.push_back(arg.data());
  argv.push_back(nullptr);

  // '+': stop at the first operand; ':': tell a missing value from an unknown option.
  std::string short_options = "+:";
  std::vector<struct option> long_options;
  for (std::size_t i = 0; i < known.size(); ++i) {
    const OptionSpec& wanted = known[i];
    if (wanted.short_name != '\0') {
      short_options += wanted.short_name;
      if (wanted.takes_value()) short_options += ':';
    }
    long_options.push_back({wanted.name.data(),
                            wanted.takes_value() ? required_argument : no_argument, nullptr,
                            kLongBase + static_cast<int>(i)});
  }
  long_options.push_back({nullptr, 0, nullptr, 0});

  ParsedArguments parsed;
  opterr = 0;  // the messages are ours
  optind = 0;  // start afresh, also when called more than once in a process
  const int argc = static_cast<int>(storage.size());
  for (;;) {
    const int found =
        getopt_long(argc, argv.data(), short_options.c_str(), long_options.data(), nullptr);
    if (found == -1) break;
    const std::string arg = storage[static_cast<std::size_t>(optind - 1)];
    if (found == '?' || found == ':') {
      const int which = optopt;
      if (which >= kLongBase) {
        const OptionSpec& option = known[static_cast<std::size_t>(which - kLongBase)];
        parsed.error = "option '" + Dashed(option) + "' " +
                       (found == ':' ? "needs a value" : "takes no value");
      } else if (which != 0) {
        parsed.error = std::string("option '-") + static_cast<char>(which) + "' " +
                       (found == ':' ? "needs a value" : "is unknown");
      } else {
        const auto candidates = Candidates(arg, known);
        parsed.error = "option '" + arg.substr(0, arg.find('=')) + "' is ";
        if (candidates.size() > 1) {
          parsed.error += "ambiguous; it could be";
          for (const OptionSpec* option : candidates) parsed.error += " '" + Dashed(*option) + "'";
        } else {
          parsed.error += "unknown";
        }
      }
      return parsed;
    }
    std::size_t index = 0;
    if (found >= kLongBase) {
      index = static_cast<std::size_t>(found - kLongBase);
    } else {
      while (known[index].short_name != found) ++index;
    }
    parsed.options.push_back({index, optarg != nullptr ? std::string(optarg) : std::string()});
  }
  parsed.operands.assign(storage.begin() + optind, storage.end());
  return parsed;
}

}  // namespace tarnivel
