#include "cli/cli.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "core/pressure_drop.h"

namespace tarnivel {
namespace {

struct Ran {
  int status;
  std::string out, err;
};

Ran Drop(std::vector<std::string> args) {
  args.insert(args.begin(), "drop");
  std::istringstream in;
  std::ostringstream out, err;
  const int status = RunCommandLine(args, in, out, err);
  return {status, out.str(), err.str()};
}

// What reaches standard error, and how each outcome ends, beyond the figures of golden.txt.
TEST(DropCommand, MessagesAndStatuses) {
  const std::vector<std::string> line = {"-p", "0.4", "-q", "1000", "-d", "102.26"};
  auto with = [&line](std::vector<std::string> more) {
    more.insert(more.begin(), line.begin(), line.end());
    return more;
  };
  struct Case {
    std::vector<std::string> args;
    int status;
    std::string out, err;
  };
  const Case cases[] = {
      {with({"-l", "1e6"}), 3, "",
       "tarnivel: the gauge pressure falls to 0 at 12911.5565808755 m, before the end of the "
       "line\n"},
      {with({"-l", "-1"}), 1, "", "tarnivel: length must be more than 0 m\n"},
      {with({"-l", "1000", "-t", "-300"}), 1, "",
       "tarnivel: temperature must be above absolute zero, -273.15 degC\n"},
      {{"-p", "0.4", "-q", "1000", "-l", "1000"}, 1, "", "tarnivel: 请输入流通直径\n"},
      // A roughness given outright wins over the series'; a text read in part is named.
      {with({"-l", "1000", "--series", "pe-sdr17", "--roughness", "0.1", "-t", "15 °C"}), 0,
       "0.381019959228062\n", "tarnivel: --temperature \"15 °C\" was read as 15\n"},
      // Warned about, and computed all the same: a value outside its usual range, and a
      // compressibility the low-pressure form does not use.
      {with({"-l", "1000", "-t", "300"}), 0, "0.361482369899967\n",
       "tarnivel: temperature 300 degC is outside the usual -60 to 100 degC: is it in another "
       "unit? (read as degC)\n"},
      {{"-p", "0.005", "-q", "50", "-d", "61.4", "-l", "200", "--compressibility", "0.9"},
       0,
       "0.00416768566479874\n",
       "tarnivel: compressibility is not used by the drop at low pressure (inlet < 0.01 MPa: the "
       "printed form has no Z); only the velocities use it\n"},
  };
  for (const Case& c : cases) {
    const Ran ran = Drop(c.args);
    std::string where;
    for (const std::string& arg : c.args) where += arg + " ";
    EXPECT_EQ(ran.status, c.status) << where;
    EXPECT_EQ(ran.out, c.out) << where;
    EXPECT_EQ(ran.err, c.err) << where;
  }
}

TEST(DropCommand, ExplainShowsTheWorkingAndHelpEveryParameter) {
  const Ran explained =
      Drop({"-p", "0.4", "-q", "1000", "-d", "102.26", "-l", "1000", "--explain"});
  EXPECT_EQ(explained.status, 0);
  for (const char* working :
       {"Reynolds number   230574.125637475\n", "friction factor   0.0207774902899748\n",
        "pressure drop     18.9800407719382 kPa\n", "outlet pressure   0.381019959228062 MPa\n",
        "inlet velocity    7.21125262541653 m/s\n", "outlet velocity   7.49501192719548 m/s\n"}) {
    EXPECT_NE(explained.out.find(working), std::string::npos) << working << explained.out;
  }
  // Near a friction band's edge the working says so.
  const Ran edge = Drop({"-p", "0.4", "-q", "9", "-d", "100", "-l", "100", "--explain"});
  EXPECT_NE(edge.out.find("note: Re 2122.06590789194 is within 5 % of 2100"), std::string::npos)
      << edge.out;
  EXPECT_EQ(explained.out.find("note:"), std::string::npos) << explained.out;
  const Ran help = Drop({"--help"});
  for (const DropQuantityInfo& info : kDropQuantities) {
    const bool listed = help.out.find("--" + std::string(info.option) + "=") != std::string::npos;
    EXPECT_EQ(listed, info.role == DropRole::Parameter) << info.option;
  }
}

}  // namespace
}  // namespace tarnivel
