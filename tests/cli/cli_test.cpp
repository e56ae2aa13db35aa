#include "cli/cli.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace tarnivel {
namespace {

struct CliCase {
  std::vector<std::string> args;
  int status;
  std::string out;
  std::string err;  // compared whole unless `err_contains` is set
  bool err_contains = false;
};

const std::string kUsage = UsageText();

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
      {{"velocity", "-p", "0.3", "-q", "1000"}, 1, "", "请输入流通直径\n"},
      {{"flow", "-v", "10"}, 1, "", "请输入流通直径\n"},
      {{"diameter", "-p", "0.3", "-q", "1000"}, 1, "", "请输入完整数据\n"},
      // Faults: the description, status 2.
      {{"velocity", "-p", "-0.1", "-d", "100", "-q", "1000"}, 2, "", "除数为零\n"},
      {{"velocity", "-d", "1e200", "-q", "1"}, 2, "", "溢出\n"},
      {{"diameter", "-p", "-1", "-v", "5", "-q", "1000"}, 2, "", "无效的过程调用或参数\n"},
      // Passed-over characters are reported, the result is unchanged.
      {{"diameter", "-p", "0.3", "-v", "10", "-q", "1,000"},
       0,
       "3\n",
       "tarnivel: --flow \"1,000\" was read as 1\n"},
      {{"velocity", "-p", "0.3abc", "-d", "100", "-q", "1000"},
       0,
       "8.84194143371033\n",
       "tarnivel: --pressure \"0.3abc\" was read as 0.3\n"},
      // ... but only for the fields the calculation reads.
      {{"velocity", "-v", "junk", "-d", "100", "-q", "1000"}, 0, "35.3677657348413\n", ""},
  };
  for (const CliCase& c : cases) {
    const Ran ran = RunCase(c);
    EXPECT_EQ(ran.status, c.status) << ran.where;
    EXPECT_EQ(ran.out, c.out) << ran.where;
    EXPECT_EQ(ran.err, c.err) << ran.where;
  }
}

TEST(CommandLine, RejectsBadUsageWithTheUsage) {
  const CliCase cases[] = {
      {{}, 64, "", kUsage},
      {{"speed"}, 64, "", "unknown command 'speed'", true},
      {{"velocity", "-x", "1"}, 64, "", "unknown option '-x'", true},
      {{"velocity", "--pressurex", "1"}, 64, "", "unknown option '--pressurex'", true},
      {{"velocity", "extra"}, 64, "", "unknown option 'extra'", true},
      {{"velocity", "-p"}, 64, "", "option '-p' needs a value", true},
      {{"flow", "-d", "100", "--velocity"}, 64, "", "option '--velocity' needs a value", true},
      {{"--help"}, 0, kUsage, ""},
      {{"--version"}, 0, "Tarnivel 1.00\n", ""},
  };
  for (const CliCase& c : cases) {
    const Ran ran = RunCase(c);
    EXPECT_EQ(ran.status, c.status) << ran.where;
    EXPECT_EQ(ran.out, c.out) << ran.where;
    if (c.err_contains) {
      EXPECT_NE(ran.err.find(c.err), std::string::npos) << ran.where << "\n" << ran.err;
      EXPECT_NE(ran.err.find(kUsage), std::string::npos) << ran.where << ": usage shown";
    } else {
      EXPECT_EQ(ran.err, c.err) << ran.where;
    }
  }
}

}  // namespace
}  // namespace tarnivel
