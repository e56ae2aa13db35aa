#include "cli/cli.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/commands.h"
#include "core/quantities.h"
#include "tables/batch.h"
#include "tables/csv.h"

namespace tarnivel {
namespace {

struct CliCase {
  std::vector<std::string> args;
  int status;
  std::string out;
  std::string err;
};

struct Ran {
  int status;
  std::string out, err, where;
};

Ran RunCase(const CliCase& c) {
  std::istringstream in;
  std::ostringstream out, err;
  const int status = RunCommandLine(c.args, in, out, err);
  std::string where;
  for (const std::string& arg : c.args) where += arg + " ";
  return {status, out.str(), err.str(), where};
}

TEST(CommandLine, PrintsResultsPromptsAndFaults) {
  const CliCase cases[] = {
      {{"velocity", "-p", "0.3", "-d", "100", "-q", "1000"}, 0, "8.84194143371033\n", ""},
      {{"flow", "--pressure", "0.3", "--diameter", "100", "--velocity", "10"},
       0,
       "1130.973336\n",
       ""},
      {{"diameter", "--pressure=0.3", "--velocity=10", "--flow=1000"}, 0, "94\n", ""},
      {{"velocity", "-d", "50", "-q", "100"}, 0, "14.1471062939365\n", ""},
      // Values that start with a minus sign are values, not options.
      {{"velocity", "-p", "-1", "-d", "100", "-q", "1000"}, 0, "-3.9297517483157\n", ""},
      // The last of a repeated option wins, as retyping a field would.
      {{"velocity", "-p", "5", "-p", "0.3", "-d", "100", "-q", "1000"},
       0,
       "8.84194143371033\n",
       ""},
      // Prompts: the text exactly, status 1.
      {{"velocity", "-p", "0.3", "-q", "1000"}, 1, "", "tarnivel: 请输入流通直径\n"},
      {{"flow", "-v", "10"}, 1, "", "tarnivel: 请输入流通直径\n"},
      {{"diameter", "-p", "0.3", "-q", "1000"}, 1, "", "tarnivel: 请输入完整数据\n"},
      // Faults: the description, status 2.
      {{"velocity", "-p", "-0.1", "-d", "100", "-q", "1000"}, 2, "", "tarnivel: 除数为零\n"},
      {{"velocity", "-d", "1e200", "-q", "1"}, 2, "", "tarnivel: 溢出\n"},
      {{"diameter", "-p", "-1", "-v", "5", "-q", "1000"},
       2,
       "",
       "tarnivel: 无效的过程调用或参数\n"},
      // Full-width forms of a Chinese input method are read as typed in ASCII, with no warning.
      {{"diameter", "-p", "０．３", "-v", "１０", "-q", "１　０００"}, 0, "94\n", ""},
      // Passed-over characters are reported, the result is unchanged.
      {{"diameter", "-p", "0.3", "-v", "10", "-q", "1,000"},
       0,
       "3\n",
       "tarnivel: --flow \"1,000\" was read as 1\n"},
      {{"velocity", "-p", "0.3abc", "-d", "100", "-q", "1000"},
       0,
       "8.84194143371033\n",
       "tarnivel: --pressure \"0.3abc\" was read as 0.3\n"},
      // ... only for the fields the calculation reads; an option it does not read is named.
      {{"velocity", "-v", "junk", "-d", "100", "-q", "1000"},
       0,
       "35.3677657348413\n",
       "tarnivel: --velocity is ignored: velocity does not read it\n"},
      // getopt_long's spellings: attached values, abbreviations, -- ending the options.
      {{"velocity", "-p0.3", "-d100", "-q1000"}, 0, "8.84194143371033\n", ""},
      {{"velocity", "--pres=0.3", "--dia", "100", "--fl=1000", "--"}, 0, "8.84194143371033\n", ""},
      {{"velocity", "-p", "-0.1", "-d", "100", "-q", "1000"}, 2, "", "tarnivel: 除数为零\n"},
  };
  for (const CliCase& c : cases) {
    const Ran ran = RunCase(c);
    EXPECT_EQ(ran.status, c.status) << ran.where;
    EXPECT_EQ(ran.out, c.out) << ran.where;
    EXPECT_EQ(ran.err, c.err) << ran.where;
  }
}

TEST(CommandLine, RejectsBadUsageInTwoLines) {
  // The second line points at the help of the command named, or the program's.
  const auto try_help = [](const std::vector<std::string>& args) {
    const bool command = !args.empty() && CommandNamed(args.front()) != nullptr;
    return "Try 'tarnivel " + (command ? args.front() + " " : "") +
           "--help' for more information.\n";
  };
  const CliCase cases[] = {
      {{}, 64, "", "tarnivel: no command given\n"},
      {{"speed"}, 64, "", "tarnivel: unknown command 'speed'\n"},
      {{"--frobnicate"}, 64, "", "tarnivel: unknown option '--frobnicate'\n"},
      {{"--version", "x"}, 64, "", "tarnivel: unexpected argument 'x'\n"},
      {{"velocity", "-x", "1"}, 64, "", "tarnivel: option '-x' is unknown\n"},
      {{"velocity", "--pressurex", "1"}, 64, "", "tarnivel: option '--pressurex' is unknown\n"},
      {{"velocity", "extra"}, 64, "", "tarnivel: unexpected argument 'extra'\n"},
      {{"velocity", "-p"}, 64, "", "tarnivel: option '-p' needs a value\n"},
      {{"flow", "-d", "100", "--velocity"},
       64,
       "",
       "tarnivel: option '--velocity' needs a value\n"},
      {{"flow", "--help=1"}, 64, "", "tarnivel: option '--help' takes no value\n"},
      // A name echoed with its control characters spelled out, on one line.
      {{"drop", "-p", "0.4", "-q", "1000", "-d", "100", "-l", "100", "-s", "steel\n\x01"},
       64,
       "",
       "tarnivel: unknown series 'steel\\n\\x01' (known: steel, pe-sdr11, pe-sdr17)\n"},
      {{"pipe", "-v", "1", "-q", "1", "-t", "20"},
       64,
       "",
       "tarnivel: option '--temperature' needs --length\n"},
      {{"batch", "a.csv", "b.csv"},
       64,
       "",
       "tarnivel: batch takes one FILE; 'b.csv' is one too many\n"},
  };
  for (const CliCase& c : cases) {
    const Ran ran = RunCase(c);
    EXPECT_EQ(ran.status, c.status) << ran.where;
    EXPECT_EQ(ran.out, c.out) << ran.where;
    EXPECT_EQ(ran.err, c.err + try_help(c.args)) << ran.where;
  }
}

TEST(CommandLine, HelpForTheProgramAndEachCommand) {
  EXPECT_EQ(RunCase({{"--help"}, 0, "", ""}).out, UsageText());
  for (const CalculationInfo& info : kCalculations) {
    const Ran ran = RunCase({{std::string(info.name), "--help"}, 0, "", ""});
    EXPECT_EQ(ran.status, 0) << info.name;
    EXPECT_TRUE(ran.out.starts_with("Usage: tarnivel " + std::string(info.name))) << ran.out;
    for (const InputField& input : kInputFields) {  // the options it reads, and only those
      const bool listed = ran.out.find("--" + std::string(input.name)) != std::string::npos;
      const bool read = std::ranges::find(info.reads, input.field) != info.reads.end();
      EXPECT_EQ(listed, read) << info.name << " --" << input.name;
    }
  }
  // What a status means for a batch is said in the batch's help and the program's only.
  for (const Command& command : Commands()) {
    const Ran ran = RunCase({{command.name, "--help"}, 0, "", ""});
    EXPECT_EQ(ran.out.find("(a batch:"), std::string::npos) << ran.out;
    EXPECT_EQ(ran.out.find("every row computed") != std::string::npos, command.name == "batch")
        << ran.out;
  }
  EXPECT_NE(UsageText().find("(a batch:"), std::string::npos);
  const Ran batch = RunCase({{"batch", "--help"}, 0, "", ""});
  EXPECT_EQ(batch.status, 0);
  EXPECT_TRUE(batch.out.starts_with("Usage: tarnivel batch [OPTION]... [FILE]")) << batch.out;
}

// Help texts are assembled from the tables, so a longer name or phrase must still leave every
// line within a terminal's 80 columns, which the man page and bash's completion rely on too.
TEST(CommandLine, EveryHelpFitsATerminal) {
  std::vector<std::vector<std::string>> calls = {{"--help"}};
  for (const Command& command : Commands()) calls.push_back({command.name, "--help"});
  for (const auto& args : calls) {
    const Ran ran = RunCase({args, 0, "", ""});
    EXPECT_EQ(ran.status, 0) << ran.where;
    std::istringstream lines(ran.out);
    for (std::string line; std::getline(lines, line);) {
      const auto columns = std::ranges::count_if(
          line, [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; });
      EXPECT_LT(columns, 80) << ran.where << ": " << line;
    }
    EXPECT_NE(ran.out.find("\nExit status:\n"), std::string::npos) << ran.where;
  }
}

// Each row of a batch gives what the single-calculation command line gives for it.
TEST(Batch, AgreesWithTheCommandLineRowForRow) {
  std::vector<std::string_view> calcs;
  for (const CalculationInfo& info : kCalculations) calcs.push_back(info.name);
  const char* texts[] = {"",      "0.3",   "-0.1",  "10", "100",   "1000",
                         "1,000", "12abc", "1e200", "-1", "0.001", "1e-200"};
  std::string input = "calc,pressure,velocity,diameter,flow\n";
  std::vector<std::vector<std::string>> rows;
  std::size_t n = 0;
  for (std::string_view calc : calcs) {
    for (int i = 0; i < 120; ++i, ++n) {
      std::vector<std::string> row = {std::string(calc)};
      for (std::size_t f = 0; f < 4; ++f) row.push_back(texts[(n * 7 + f * 5 + n / 3 * f) % 12]);
      for (std::size_t k = 0; k < row.size(); ++k) {
        if (k > 0) input += ',';
        AppendCsvCell(input, row[k]);
      }
      input += '\n';
      rows.push_back(row);
    }
  }
  std::istringstream in(input);
  std::ostringstream out, err;
  RunBatch(in, out, err);

  std::istringstream lines(out.str());
  std::string line;
  std::getline(lines, line);  // header
  for (std::size_t r = 0; r < rows.size(); ++r) {
    const std::vector<std::string>& row = rows[r];
    std::vector<std::string> args = {row[0]};
    for (std::size_t f = 0; f < 4; ++f) {
      args.push_back(std::string("--").append(kInputFields[f].name));
      args.push_back(row[f + 1]);
    }
    std::istringstream no_input;
    std::ostringstream cli_out, cli_err;
    const int status = RunCommandLine(args, no_input, cli_out, cli_err);

    ASSERT_TRUE(std::getline(lines, line));
    CsvReader reader;
    reader.Feed(line);
    reader.Finish();
    ASSERT_EQ(reader.Next(), CsvReader::Status::Record);
    const auto cells = reader.record();
    const std::string message = cells[5];
    const Field result = ResultField(*CalculationNamed(row[0]));
    const std::size_t result_cell =
        1 + std::ranges::find(kInputFields, result, &InputField::field) - kInputFields.begin();
    if (status == kExitOk) {
      EXPECT_EQ(cells[result_cell] + "\n", cli_out.str()) << line;
      EXPECT_EQ(message, "") << line;
    } else {
      // The command line's last line on standard error is the prompt or fault.
      std::string last = cli_err.str();
      last.pop_back();
      last = last.substr(last.rfind('\n') + 1);
      EXPECT_EQ("tarnivel: " + message, last) << line;
      EXPECT_EQ(cells[result_cell], "") << line;  // never a 0 that looks computed
    }
  }
}

}  // namespace
}  // namespace tarnivel
