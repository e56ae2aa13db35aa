// --sheet on the commands that size: the normal output unchanged, the file written whole or
// not at all, and each refusal with its status.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"

namespace tarnivel {
namespace {

struct Ran {
  int status;
  std::string out, err;
};

Ran RunWith(const std::vector<std::string>& args, const std::string& input = "") {
  std::istringstream in(input);
  std::ostringstream out, err;
  const int status = RunCommandLine(args, in, out, err);
  return {status, out.str(), err.str()};
}

TEST(SheetOption, WrittenBesideTheOutputOrRefused) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("tarnivel-sheet-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder / "d.html");  // a folder is no sheet
  const std::string html = (folder / "s.html").string();
  const std::vector<std::string> pipe = {"pipe", "-p", "0.3", "-v", "10", "-q", "1000", "-s",
                                         "steel"};
  const std::vector<std::string> drop = {"drop", "-p", "0.4", "-q", "1000", "-d", "102.26", "-l",
                                         "1000"};
  const std::string segments = "segment,length,flow,bore\na,100,500,80\n";
  struct Case {
    std::vector<std::string> command, more;
    int status;
    std::string err;  // its start
    bool written;
  };
  const Case cases[] = {
      {pipe, {"--sheet", html, "--project", "P"}, 0, "", true},
      {drop, {"--sheet", html, "--language", "en"}, 0, "", true},
      {{"line", "-p", "0.2"}, {"--sheet", html, "-"}, 0, "", true},
      {pipe, {"--sheet", (folder / "s.txt").string()}, 64, "tarnivel: the sheet '", false},
      {pipe, {"--project", "P"}, 64, "tarnivel: the sheet's options need --sheet FILE", false},
      {drop, {"--sheet", html, "--language", "fr"}, 64, "tarnivel: unknown language 'fr'", false},
      // The program hands in the PDF writer; without it a PDF is unavailable.
      {drop, {"--sheet", (folder / "s.pdf").string()}, 69, "tarnivel: cannot write the PDF", false},
      {drop, {"--sheet", (folder / "none" / "s.html").string()}, 74, "tarnivel: ", false},
      {drop, {"--sheet", (folder / "d.html").string()}, 74, "tarnivel: ", false},
  };
  for (const Case& c : cases) {
    std::filesystem::remove(html);
    std::vector<std::string> args = c.command;
    const Ran plain = RunWith(args, segments);
    args.insert(args.end(), c.more.begin(), c.more.end());
    const Ran ran = RunWith(args, segments);
    SCOPED_TRACE(args.back());
    EXPECT_EQ(ran.status, c.status) << ran.err;
    EXPECT_EQ(ran.err.substr(0, c.err.size()), c.err);
    EXPECT_EQ(std::filesystem::exists(html), c.written);
    if (c.status != 64) {
      EXPECT_EQ(ran.out, plain.out) << "the normal output is unchanged";
    }
  }
  // Nothing is left behind: no temporary file beside the sheet.
  std::filesystem::remove(html);
  std::filesystem::remove(folder / "d.html");
  EXPECT_TRUE(std::filesystem::is_empty(folder));
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace tarnivel
