// The program's usage and each command's help, written from the table of commands and the rows
// of their options and exit statuses.

#include "cli/help.h"

#include <algorithm>
#include <ostream>
#include <span>
#include <sstream>
#include <string_view>

#include "cli/commands.h"
#include "cli/exit_status.h"
#include "cli/field_options.h"
#include "core/numeric.h"
#include "core/pipecalc.h"
#include "core/quantities.h"

namespace tarnivel {
namespace {

constexpr std::size_t kWidth = 79;          // columns of a line, at most
constexpr std::size_t kOptionColumn = 26;   // where an option's description starts
constexpr std::size_t kStatusColumn = 6;    // where a status's meaning starts
constexpr std::size_t kCommandColumn = 12;  // where a command's summary starts

// Columns a text takes on a terminal: UTF-8 continuation bytes take none.
std::size_t Columns(std::string_view text) {
  return static_cast<std::size_t>(std::ranges::count_if(
      text, [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// Writes `text` from `column` on, breaking it between words so that no line passes kWidth;
// the lines after the first start at `indent`. Ends the line.
void WriteWrapped(std::ostream& out, std::string_view text, std::size_t column,
                  std::size_t indent) {
  bool line_empty = true;
  while (!text.empty()) {
    const std::size_t space = text.find(' ');
    const std::string_view word = text.substr(0, space);
    text = space == std::string_view::npos ? std::string_view() : text.substr(space + 1);
    if (word.empty()) continue;
    if (!line_empty && column + 1 + Columns(word) > kWidth) {
      out << '\n' << std::string(indent, ' ');
      column = indent;
      line_empty = true;
    }
    if (!line_empty) {
      out << ' ';
      ++column;
    }
    out << word;
    column += Columns(word);
    line_empty = false;
  }
  out << '\n';
}

// Writes a label and, from `column` on (or two blanks after a longer label), its text wrapped.
void WriteLabelled(std::ostream& out, std::string_view label, std::string_view text,
                   std::size_t column) {
  out << label;
  const std::size_t used = Columns(label);
  const std::size_t start = std::max(column, used + 2);
  out << std::string(start - used, ' ');
  WriteWrapped(out, text, start, column);
}

// Writes the paragraphs of a help text: each line is wrapped as needed, except one that starts
// with a blank, which stays as written.
void WriteParagraphs(std::ostream& out, std::string_view text) {
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (line.starts_with(' ') || line.empty()) {
      out << line << '\n';
    } else {
      WriteWrapped(out, line, 0, 0);
    }
  }
}

// «  -p, --pressure=TEXT     gauge pressure, MPa»: the option, then what it is in a column of
// its own, wrapped to the terminal's width.
void WriteOptionLine(std::ostream& out, const OptionSpec& option) {
  std::string label = option.short_name != '\0' ? std::string("  -") + option.short_name + ", "
                                                : std::string(6, ' ');
  label += "--" + std::string(option.name);
  if (option.takes_value()) label += "=" + std::string(option.value);
  std::string what(option.what);
  if (!option.unit.empty()) what += ", " + std::string(option.unit);
  WriteLabelled(out, label, what, kOptionColumn);
}

// Whose statuses a list of exit statuses describes: one command's or a batch's, or every
// command's, where a status that means something else for a batch says both.
enum class StatusesOf { Command, Batch, Program };

// «Exit status:» and a line for each of `statuses`, in the order of kExitStatuses.
void WriteExitStatuses(std::ostream& out, std::span<const ExitStatus> statuses, StatusesOf whose) {
  out << "Exit status:\n";
  for (const ExitStatusMeaning& meaning : kExitStatuses) {
    if (std::ranges::find(statuses, meaning.status) == statuses.end()) continue;
    const std::string number = std::to_string(static_cast<int>(meaning.status));
    std::string text(meaning.meaning);
    if (!meaning.batch.empty() && whose == StatusesOf::Batch) text = meaning.batch;
    if (!meaning.batch.empty() && whose == StatusesOf::Program) {
      text += " (a batch: " + std::string(meaning.batch) + ")";
    }
    WriteLabelled(out, std::string(4 - std::min<std::size_t>(number.size(), 4), ' ') + number, text,
                  kStatusColumn);
  }
}

}  // namespace

void WriteCommandHelp(std::ostream& out, const Command& command) {
  out << "Usage: tarnivel " << command.name;
  if (!command.options.empty()) out << " [OPTION]...";
  if (!command.operands.empty()) out << ' ' << command.operands;
  out << '\n';
  WriteParagraphs(out, command.description);
  out << '\n';
  for (const OptionSpec& option : command.options) {
    if (!option.hidden) WriteOptionLine(out, option);
  }
  WriteOptionLine(out, kHelpOption);
  if (!command.notes.empty()) {
    out << '\n';
    WriteParagraphs(out, command.notes);
  }
  out << '\n';
  WriteExitStatuses(out, command.statuses,
                    command.reads_rows ? StatusesOf::Batch : StatusesOf::Command);
}

std::string UsageText() {
  std::ostringstream text;
  text << "Usage: tarnivel [QT-OPTION]...\n"
          "  or:  tarnivel COMMAND [OPTION]...\n"
          "  or:  tarnivel --help | --version\n"
          "Without a command, opens the calculator window; with one, computes from the\n"
          "command line.\n"
          "\n";
  // Broken by hand, so that no number is parted from its unit.
  text << "Gas pipeline calculations with the same digits as the window: gauge pressure\n"
          "and two of flow velocity, bore diameter and standard flow rate give the third.\n"
          "These three calculations carry the gas from standard to line conditions by\n"
          "Boyle's law, with "
       << FormatGeneral(ATM_MPA)
       << " MPa as both the standard and the atmospheric pressure, no\n"
          "temperature or compressibility correction, and pi taken as "
       << FormatGeneral(PI_APPROX)
       << ".\n"
          "The pressure drop (drop, pipe --length) has a model of its own: standard state\n"
          "at 101.325 kPa and 0 degC, the gas temperature and Z ('tarnivel drop --help').\n";
  text << "\nCommands:\n";
  for (const Command& command : Commands()) {
    WriteLabelled(text, "  " + command.name, command.summary, kCommandColumn);
  }
  text << "\nOptions of the calculations (each reads the three it needs):\n";
  for (const InputField& input : kInputFields) WriteOptionLine(text, FieldOption(input));
  text << "\nEach TEXT is read as the window reads the field: the number it starts with.\n\n";
  std::vector<ExitStatus> every;
  for (const ExitStatusMeaning& meaning : kExitStatuses) every.push_back(meaning.status);
  WriteExitStatuses(text, every, StatusesOf::Program);
  text << "\n"
          "'tarnivel COMMAND --help' describes one command.\n"
          "Example: tarnivel velocity -p 0.3 -d 100 -q 1000   prints 8.84194143371033\n";
  return text.str();
}

}  // namespace tarnivel
