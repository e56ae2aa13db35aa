#include "cli/pipe_command.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "tables/csv.h"

namespace tarnivel {
namespace {

struct Ran {
  int status;
  std::string out, err;
};

Ran Tarnivel(std::vector<std::string> args) {
  std::istringstream in;
  std::ostringstream out, err;
  const int status = RunCommandLine(args, in, out, err);
  return {status, out.str(), err.str()};
}

// A catalogue file that removes itself.
class CatalogueFile {
 public:
  explicit CatalogueFile(std::string_view text)
      : path_(std::filesystem::temp_directory_path() /
              ("tarnivel-catalogue-" +
               std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
               std::to_string(reinterpret_cast<std::uintptr_t>(this)) + ".csv")) {
    std::ofstream(path_) << text;
  }
  ~CatalogueFile() { std::filesystem::remove(path_); }
  std::string path() const { return path_.string(); }

 private:
  std::filesystem::path path_;
};

TEST(PipeCommand, PrintsTheSmallerChosenAndLargerPipeOfEachSeries) {
  const Ran ran = Tarnivel({"pipe", "-p", "0.3", "-v", "10", "-q", "1000"});
  EXPECT_EQ(ran.status, 0);
  EXPECT_EQ(ran.err, "");
  EXPECT_EQ(ran.out,
            "required bore 94.0315980599624 mm; outside, wall and bore in mm\n"
            "\n"
            "steel\n"
            "  pipe   outside × wall    bore  velocity (m/s)\n"
            "  DN90     101.6 × 5.74   90.12  10.886925921662\n"
            "* DN100    114.3 × 6.02  102.26  8.45543698308157\n"
            "  DN125    141.3 × 6.55   128.2  5.37986754906551\n"
            "\n"
            "pe-sdr11\n"
            "  pipe   outside × wall   bore  velocity (m/s)\n"
            "  de110      110 × 10       90  10.9159770786547\n"
            "* de125      125 × 11.4  102.2  8.46536800344508\n"
            "  de140      140 × 12.7  114.6  6.73253157176973\n"
            "\n"
            "pe-sdr17\n"
            "  pipe   outside × wall   bore  velocity (m/s)\n"
            "  de90        90 × 5.4    79.2  14.0960447813207\n"
            "* de110      110 × 6.6    96.8  9.4361952668345\n"
            "  de125      125 × 7.4   110.2  7.2808895834585\n");

  // Past the largest pipe: said in words, with its own exit status; a series named twice, by
  // name and by label in any case, is shown once.
  const Ran past = Tarnivel({"pipe", "-p", "0.3", "-v", "0.1", "-q", "1000", "--series=pe-sdr17",
                             "-s", " sdr17 ", "-s", "STEEL"});
  EXPECT_EQ(past.status, 4);
  EXPECT_EQ(past.out,
            "required bore 940.315980599624 mm; outside, wall and bore in mm\n\n"
            "pe-sdr17: no pipe; the largest, de630, has a bore of 555.2 mm, less than the "
            "940.315980599624 mm required\n\n"
            "steel: no pipe; the largest, DN600, has a bore of 575.04 mm, less than the "
            "940.315980599624 mm required\n");
  const Ran csv =
      Tarnivel({"pipe", "-p", "0.3", "-v", "0.1", "-q", "1000", "-s", "Sch40", "--csv"});
  EXPECT_EQ(csv.status, 4);
  EXPECT_TRUE(
      csv.out.ends_with("\nsteel,DN600,610,17.48,575.04,0.267393916942438,\n"
                        "steel,,,,,,none\n"))
      << csv.out;
}

// Every velocity of the CSV is what `tarnivel velocity` prints for the pipe's bore.
TEST(PipeCommand, CsvListsEveryPipeWithTheVelocityCalculationsDigits) {
  const std::string p = "1.6", q = "5000 ";
  const Ran ran = Tarnivel({"pipe", "-p", p, "-v", "15", "-q", q, "--csv"});
  ASSERT_EQ(ran.status, 0) << ran.err;
  CsvReader reader;
  reader.Feed(ran.out);
  reader.Finish();
  ASSERT_EQ(reader.Next(), CsvReader::Status::Record);
  const std::vector<std::string> header(reader.record().begin(), reader.record().end());
  EXPECT_EQ(header, (std::vector<std::string>{"series", "pipe", "outside", "wall", "bore",
                                              "velocity", "choice"}));
  std::size_t rows = 0;
  std::string choices;
  while (reader.Next() == CsvReader::Status::Record) {
    const auto row = reader.record();
    ++rows;
    const Ran velocity = Tarnivel({"velocity", "-p", p, "-d", row[4], "-q", q});
    EXPECT_EQ(row[5] + "\n", velocity.out) << row[0] << " " << row[1];
    if (!row[6].empty()) choices += row[0] + " " + row[1] + " " + row[6] + "; ";
  }
  EXPECT_EQ(rows, 20u + 24u + 24u);
  EXPECT_EQ(choices,  // required bore 83.2 mm
            "steel DN80 smaller; steel DN90 chosen; steel DN100 larger; "
            "pe-sdr11 de90 smaller; pe-sdr11 de110 chosen; pe-sdr11 de125 larger; "
            "pe-sdr17 de90 smaller; pe-sdr17 de110 chosen; pe-sdr17 de125 larger; ");
}

TEST(PipeCommand, PromptsFaultsAndUsageAsTheDiameterHasThem) {
  struct Case {
    std::vector<std::string> args;
    int status;
    std::string err;        // the first line of standard error
    std::string last = "";  // its last line, said once, when other than the first
  } cases[] = {
      {{"pipe", "-p", "0.3", "-v", "10"}, 1, "tarnivel: 请输入完整数据"},
      {{"pipe", "-p", "-1", "-v", "5", "-q", "1000"}, 2, "tarnivel: 无效的过程调用或参数"},
      {{"pipe", "-p", "-0.1", "-v", "5", "-q", "1000"}, 2, "tarnivel: 除数为零"},
      {{"pipe", "-d", "100"}, 64, "tarnivel: option '-d' is unknown"},
      {{"pipe", "-p"}, 64, "tarnivel: option '-p' needs a value"},
      {{"pipe", "--csv=yes"}, 64, "tarnivel: option '--csv' takes no value"},
      {{"pipe", "-v", "1", "-q", "1", "--series", "copper"},
       64,
       "tarnivel: unknown series 'copper' (known: steel, pe-sdr11, pe-sdr17)"},
      {{"pipe", "-v", "1", "-q", "1", "--catalogue", "/nonexistent/pipes.csv"},
       66,
       "tarnivel: /nonexistent/pipes.csv: No such file or directory"},
      {{"pipe", "-v", "1", "-q", "1", "-t", "20"},
       64,
       "tarnivel: option '--temperature' needs --length"},
      {{"pipe", "-p", "0.005", "-v", "10", "-q", "50", "-l", "0"},
       1,
       "tarnivel: length must be more than 0 m"},
      {{"pipe", "-p", "0.005", "-v", "10", "-q", "50", "-l", "200", "--max-drop", "-1"},
       1,
       "tarnivel: max_drop must be more than 0 kPa"},
      // A blank limit is none, and needs no length.
      {{"pipe", "-p", "0.3", "-v", "10", "--max-drop", ""}, 1, "tarnivel: 请输入完整数据"},
      // A fault or an input out of range in the pipes is the line's: said once, before output.
      {{"pipe", "-p", "0.3", "-v", "10", "-q", "1000", "--length", "200", "--roughness", "1000"},
       1,
       "tarnivel: roughness must be at least 0 mm and less than 3.7 times the bore (steel DN15, "
       "bore 15.76 mm)"},
      {{"pipe", "-p", "0.3", "-v", "10", "-q", "1000", "-l", "1000", "--viscosity", "1e308"},
       2,
       "tarnivel: viscosity 1E+308 m2/s is outside the usual 1E-07 to 0.001 m2/s: is it in "
       "another unit? (read as m2/s)",
       "tarnivel: the Reynolds number 4*Q/(3600*pi*d*viscosity) leaves the double range: check "
       "the flow, bore and viscosity (steel DN15, bore 15.76 mm)"},
  };
  for (const Case& c : cases) {
    const Ran ran = Tarnivel(c.args);
    EXPECT_EQ(ran.status, c.status) << c.err;
    EXPECT_EQ(ran.out, "") << c.err;
    EXPECT_EQ(ran.err.substr(0, ran.err.find('\n')), c.err);
    if (!c.last.empty()) {
      EXPECT_TRUE(ran.err.ends_with("\n" + c.last + "\n")) << ran.err;
    }
    EXPECT_LE(std::count(ran.err.begin(), ran.err.end(), '\n'), 2) << ran.err;
  }
}

TEST(PipeCommand, AUsersCatalogueAddsOrReplacesSeries) {
  const CatalogueFile file(
      " Series ,pipe,outside,wall,note\n"
      "pe-sdr11,de110,110,10.0,\n"
      "pe-sdr11,de125,125,11.4,local\n"
      "\"copper, hard\",22x1,22,1\n");
  const Ran ran = Tarnivel({"pipe", "-p", "0", "-v", "1", "-q", "1", "--catalogue", file.path(),
                            "--csv", "--series", "copper, hard", "--series", "pe-sdr11"});
  EXPECT_EQ(ran.status, 0) << ran.err;
  EXPECT_EQ(ran.out,
            "series,pipe,outside,wall,bore,velocity,choice\n"
            "\"copper, hard\",22x1,22,1,20,0.884194143371033,chosen\n"
            "pe-sdr11,de110,110,10,90,0.0436639083146189,chosen\n"
            "pe-sdr11,de125,125,11.4,102.2,0.0338614720137803,larger\n");
}

TEST(PipeCommand, AMalformedCatalogueIsNamedByItsLineAndNothingElseHappens) {
  using namespace std::string_literals;
  const std::pair<std::string, const char*> cases[] = {
      {"series,pipe,outside\n", "line 1: the header has no 'wall' column"},
      {"series,pipe,outside,wall,WALL\n", "line 1: the header names the column 'WALL' twice"},
      {"series,pipe,outside,wall\na,b,20,2\na,c,20.005,2\n",
       "line 3: outside '20.005' is not millimetres with at most two decimals"},
      {"series,pipe,outside,wall\na,b,20,10\n", "line 2: pipe 'b' has no bore"},
      {"series,pipe,outside,wall\na,b,20,2\n\na,c,20,3\n",
       "line 4: the bore of pipe 'c' is not larger"},
      {"series,pipe,outside,wall\n,b,20,2\n", "line 2: the series name is empty"},
      {"series,pipe,outside,wall\na,b,20,2,x\n", "line 2: more cells than the header"},
      {"series,pipe,outside,wall\na," + std::string(101, 'b') + ",20,2\n",
       "line 2: the pipe name is longer than 100 bytes"},
      {"series,pipe,outside,wall\na,\"b,20,2\n", "line 2: "},
      {"series,pipe,outside,wall\na,b,20,2\na,b,30,2\n",
       "line 3: pipe 'b' is already in its series"},
      {"series,pipe,outside,wall\na,b,20,0\n", "line 2: pipe 'b' has a wall of 0"},
      {"series,pipe,outside,wall\na,\"b\nc\",20,2\n", "line 2: the pipe name holds a control"},
      {"series,pipe,outside,wall\na\0,b,20,2\n"s, "line 2: the series name holds a control"},
      {"series,pipe,outside,wall\na,b,\"2\n0\",2\n", "line 2: outside '2\\n0' is not"},
      {"", "the file is empty"},
      {"series,pipe,outside,wall,roughness\na,b,20,2,-0.1\n",
       "line 2: roughness '-0.1' is not a roughness in mm"},
      {"series,pipe,outside,wall,roughness\na,b,20,2,0.1\na,c,30,2,\na,d,40,2,0.2\n",
       "line 4: pipe 'd' gives its series another roughness"},
  };
  for (const auto& [text, message] : cases) {
    const CatalogueFile file(text);
    const Ran ran = Tarnivel({"pipe", "-v", "1", "-q", "1", "--catalogue", file.path()});
    EXPECT_EQ(ran.status, 65) << text;
    EXPECT_EQ(ran.out, "") << text;
    const std::string prefix = "tarnivel: " + file.path() + ": " + message;
    EXPECT_EQ(ran.err.substr(0, prefix.size()), prefix) << ran.err;
    EXPECT_EQ(std::count(ran.err.begin(), ran.err.end(), '\n'), 1) << ran.err;
  }
}

// The line of 50 Nm³/h at 5 kPa that needs de75 SDR 11 for its drop, though de63 is fast
// enough; every outlet is what `tarnivel drop` prints for the pipe's bore and its series'
// roughness, a catalogue's included.
TEST(PipeCommand, WithALengthEachPipeGetsItsDropAndALimitChoosesByBoth) {
  const std::vector<std::string> line = {"pipe", "-p", "0.005", "-v", "10", "-q", "50", "-l"};
  auto with = [&line](std::vector<std::string> more) {
    more.insert(more.begin(), line.begin(), line.end());
    return more;
  };
  const Ran ran = Tarnivel(with({"200", "--max-drop", "1", "-s", "pe-sdr11"}));
  EXPECT_EQ(ran.status, 0) << ran.err;
  EXPECT_EQ(ran.out,
            "required bore 41.0387538883277 mm; outside, wall and bore in mm\n"
            "\n"
            "pe-sdr11: chosen by pressure drop\n"
            "  pipe  outside × wall  bore  velocity (m/s)    outlet (MPa)         drop (kPa)\n"
            "  de63       63 × 5.8   51.4  6.37473436655638  0.00324074659018256  "
            "1.75925340981744\n"
            "* de75       75 × 6.8   61.4  4.46736655218286  0.00424824975298502  "
            "0.751750247014978\n"
            "  de90       90 × 8.2   73.6  3.10908576158349  0.0046833664150416   "
            "0.316633584958399\n"
            "\n"
            "velocity: as tarnivel velocity computes it, the model of the three calculations: the\n"
            "  gas carried from standard state at 0.1 MPa by Boyle's law, with no temperature or\n"
            "  compressibility correction. The drop's inlet and outlet velocities (--csv:\n"
            "  inlet_velocity, outlet_velocity; tarnivel drop --explain) are at the gas\n"
            "  temperature, from standard state at 101.325 kPa and 0 degC, with T/T0 and Z.\n");
  // A limit means "at most": a pipe that loses exactly the limit, as printed, meets it.
  const Ran equal = Tarnivel(with({"200", "--max-drop", "0.0859675154101359", "-s", "pe-sdr17"}));
  EXPECT_EQ(equal.status, 0);
  EXPECT_NE(equal.out.find("pe-sdr17: chosen by pressure drop\n"
                           "  pipe   outside × wall   bore  velocity (m/s)    outlet (MPa)         "
                           "drop (kPa)\n"
                           "  de90        90 × 5.4    79.2  2.68496091072775  0.00477671892796888  "
                           "0.22328107203112\n"
                           "* de110      110 × 6.6    96.8  1.7973705270161   0.00491403248458986  "
                           "0.0859675154101359\n"),
            std::string::npos)
      << equal.out;
  // The gas does not reach the end of the velocity's pipe; no pipe loses as little as asked.
  EXPECT_EQ(Tarnivel(with({"2000", "-s", "steel"})).status, 3);
  const Ran none = Tarnivel(with({"2000", "--max-drop", "1e-9", "-s", "steel"}));
  EXPECT_EQ(none.status, 4);
  EXPECT_EQ(none.out,
            "required bore 41.0387538883277 mm; outside, wall and bore in mm\n\n"
            "steel: no pipe loses at most 1E-09 kPa; in the largest, DN600, 0.000122948832504072 "
            "kPa\n\n"
            "velocity: as tarnivel velocity computes it, the model of the three calculations: the\n"
            "  gas carried from standard state at 0.1 MPa by Boyle's law, with no temperature or\n"
            "  compressibility correction. The drop's inlet and outlet velocities (--csv:\n"
            "  inlet_velocity, outlet_velocity; tarnivel drop --explain) are at the gas\n"
            "  temperature, from standard state at 101.325 kPa and 0 degC, with T/T0 and Z.\n");

  const CatalogueFile file(
      "series,pipe,outside,wall,roughness\ncopper,54x2,54,2,0.0015\ncopper,76x2,76,2,\n");
  const Ran csv = Tarnivel(
      with({"200", "--max-drop", "1", "-c", file.path(), "-s", "copper", "-s", "sdr11", "--csv"}));
  ASSERT_EQ(csv.status, 0) << csv.err;
  CsvReader reader;
  reader.Feed(csv.out);
  reader.Finish();
  ASSERT_EQ(reader.Next(), CsvReader::Status::Record);
  EXPECT_EQ(std::vector<std::string>(reader.record().begin(), reader.record().end()),
            (std::vector<std::string>{"series", "pipe", "outside", "wall", "bore", "velocity",
                                      "choice", "outlet", "drop", "chosen_by", "message",
                                      "inlet_velocity", "outlet_velocity"}));
  std::string choices;
  while (reader.Next() == CsvReader::Status::Record) {
    const std::vector<std::string> row(reader.record().begin(), reader.record().end());
    const std::string roughness = row[0] == "copper" ? "0.0015" : "0.01";
    std::vector<std::string> args = {"drop", "-p", "0.005", "-q",          "50",     "-d",
                                     row[4], "-l", "200",   "--roughness", roughness};
    const Ran drop = Tarnivel(args);
    EXPECT_EQ(row[7].empty() ? "" : row[7] + "\n", drop.out) << row[0] << " " << row[1];
    // The gas velocities are those of the drop's working.
    args.push_back("--explain");
    const std::string working = Tarnivel(args).out;
    EXPECT_NE(working.find("inlet velocity    " + row[11] + " m/s\n"), std::string::npos) << row[1];
    EXPECT_EQ(working.find("outlet velocity   " + row[12] + " m/s\n") != std::string::npos,
              !row[7].empty())
        << row[1];
    EXPECT_EQ(row[10].empty(), drop.status == 0) << row[0] << " " << row[1];
    if (!row[9].empty()) choices += row[1] + " " + row[6] + " by " + row[9] + "; ";
  }
  EXPECT_EQ(choices, "76x2 chosen by pressure drop; de75 chosen by pressure drop; ");
}

}  // namespace
}  // namespace tarnivel
