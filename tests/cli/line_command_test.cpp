// The line command where its golden cases (line_golden.txt) do not reach: how the table of
// segments is read, and what is refused before any of it is.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"

namespace tarnivel {
namespace {

struct Case {
  std::vector<std::string> args;  // after `tarnivel line`
  std::string in;
  int status;
  std::string out, err;  // out: its first line only
};

TEST(LineCommand, ReadsTheSegmentsAndRefusesBeforeWriting) {
  const std::string two = "segment,length,flow,bore\na,10,5,50\nb,10,5,50\n";
  const Case cases[] = {
      // A short row's missing cells are blank; blank lines are no segments.
      {{"-p", "0.002", "--csv"},
       "segment,length,flow,bore\n\na,10,5\n",
       1,
       "",
       "tarnivel: segment 1 (a): give a bore or a series\n"},
      {{"-p", "0.002", "-s", "pe-sdr11", "--max-drop", "0.1", "--csv"},
       "segment,length,flow,bore\n\na,10,5\n\n",
       0,
       "segment,length,flow,bore,pipe,tarnivel_bore,velocity,reynolds,friction,friction_drop,local_"
       "drop,"
       "head,drop,inlet,outlet",
       ""},
      // A number read in part is computed with a warning, as an option's value is.
      {{"-p", "0.002", "--csv"},
       "segment,length,flow,bore\nyard,10 m,5,50\n",
       0,
       "segment,length,flow,bore,pipe,tarnivel_bore,velocity,reynolds,friction,friction_drop,"
       "local_drop,head,drop,inlet,outlet",
       "tarnivel: segment 1 (yard): length \"10 m\" was read as 10\n"},
      // Refused before the input is read.
      {{}, two, 1, "", "tarnivel: give the inlet gauge pressure in MPa: -p\n"},
      {{"-p", "0.002", "-s", "copper"}, two, 64, "", ""},
      {{"-p", "0.002", "a.csv", "b.csv"}, two, 64, "", ""},
      {{"-p", "0.002", "-c", "no-such-catalogue.csv"}, two, 66, "", ""},
      // A line with no segments, and no input at all.
      {{"-p", "0.002"},
       "segment,length,flow\n",
       1,
       "",
       "tarnivel: a line needs at least one segment\n"},
      {{"-p", "0.002"}, "", 65, "", "tarnivel: -: the input is empty; it needs a header row\n"},
      // Two allowances, and an appliance pressure at medium pressure.
      {{"-p", "0.002", "--max-drop", "1", "--appliance-pressure", "2000"},
       two,
       1,
       "",
       "tarnivel: give max_drop or appliance_pressure, not both\n"},
      {{"-p", "0.2", "--appliance-pressure", "2000"}, two, 1, "", ""},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = c.args;
    args.insert(args.begin(), "line");
    std::istringstream in(c.in);
    std::ostringstream out, err;
    const int status = RunCommandLine(args, in, out, err);
    const std::string where = ::testing::PrintToString(args);
    EXPECT_EQ(status, c.status) << where << err.str();
    EXPECT_EQ(out.str().substr(0, out.str().find('\n')), c.out) << where;
    if (!c.err.empty()) {
      EXPECT_EQ(err.str(), c.err) << where;
    }
  }
}

}  // namespace
}  // namespace tarnivel
