#include "tables/batch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <sstream>
#include <string>
#include <vector>

#include "core/quantities.h"
#include "system/io_error.h"
#include "tables/csv.h"

namespace tarnivel {
namespace {

struct BatchCase {
  const char* name;
  std::string in;
  std::string out;
  BatchOutcome status;
  std::string err = "";
};

void ExpectBatch(const BatchCase& c) {
  std::istringstream in(c.in);
  std::ostringstream out, err;
  EXPECT_EQ(RunBatch(in, out, err), c.status) << c.name;
  EXPECT_EQ(out.str(), c.out) << c.name;
  EXPECT_EQ(err.str(), c.err) << c.name;
}

TEST(Batch, ComputesEveryRowAndCarriesTheRest) {
  const BatchCase cases[] = {
      {"the README example",
       "calc,pressure,velocity,diameter,flow,line\n"
       "velocity,0.3,,100,1000,A-1\n"
       "flow,0.3,10,100,,A-2\n"
       "diameter,0.3,10,,1000,A-3\n",
       "calc,pressure,velocity,diameter,flow,line,message\n"
       "velocity,0.3,8.84194143371033,100,1000,A-1,\n"
       "flow,0.3,10,100,1130.973336,A-2,\n"
       "diameter,0.3,10,94,1000,A-3,\n",
       BatchOutcome::AllComputed},
      {"carried columns stay in place, fields in any order",
       "id,flow,note,calc,diameter\n7,1000,\"north, main\",velocity,100\n",
       "id,flow,note,calc,diameter,pressure,velocity,message\n"
       "7,1000,\"north, main\",velocity,100,,35.3677657348413,\n",
       BatchOutcome::AllComputed},
      {"quotes, embedded quotes and line breaks, CRLF and a byte order mark",
       "\xEF\xBB\xBF\"calc\",\"pressure\",diameter,flow,note\r\n"
       "\"velocity\",\"0.3\",\"100\",\"1000\",\"say \"\"hi\"\"\r\nthere\"\r\n",
       "calc,pressure,diameter,flow,note,velocity,message\n"
       "velocity,0.3,100,1000,\"say \"\"hi\"\"\r\nthere\",8.84194143371033,\n",
       BatchOutcome::AllComputed},
      {"the diameter shows the rewritten flow; names and calc values ignore case and blanks",
       " Calc ,PRESSURE,Velocity,diameter,flow\n Diameter ,0.3,10,7,\"1,000\"\n",
       " Calc ,PRESSURE,Velocity,diameter,flow,message\n Diameter ,0.3,10,3,1,\n",
       BatchOutcome::AllComputed, "tarnivel: batch: line 2: flow \"1,000\" was read as 1\n"},
      {"a calc value longer than a short string, read in place",
       "calc,pressure,diameter,flow\n         velocity           ,0.3,100,1000\n",
       "calc,pressure,diameter,flow,velocity,message\n"
       "         velocity           ,0.3,100,1000,8.84194143371033,\n",
       BatchOutcome::AllComputed},
      {"short rows and blank lines", "calc,pressure,diameter,flow,note\n\nvelocity,0.3,100\n\r\n",
       "calc,pressure,diameter,flow,note,velocity,message\nvelocity,0.3,100,,,0,\n",
       BatchOutcome::AllComputed},
      {"a parameter outside its usual range warned about once for its column; a roughness "
       "cell wins over its series', as --roughness wins over --series",
       "calc,pressure,diameter,flow,length,temperature,series,roughness\n"
       "drop,0.4,102.26,1000,1000,300,,\n"
       "drop,0.4,102.26,1000,1000,,sdr11,0.1\n"
       "drop,0.4,102.26,1000,1000,400,sdr11,\n",
       "calc,pressure,diameter,flow,length,temperature,series,roughness,velocity,pipe,bore,"
       "pipe_velocity,outlet,drop,message\n"
       "drop,0.4,102.26,1000,1000,300,,,,,,,0.361482369899967,38.517630100033,\n"
       "drop,0.4,102.26,1000,1000,,sdr11,0.1,,,,,0.381019959228062,18.9800407719382,\n"
       "drop,0.4,102.26,1000,1000,400,sdr11,,,,,,0.365234669737221,34.7653302627792,\n",
       BatchOutcome::AllComputed,
       "tarnivel: batch: line 2: temperature 300 degC is outside the usual -60 to 100 degC: is it "
       "in another unit? (read as degC) (said once for the column)\n"},
      {"every message kind, and the rows after them",
       "calc,pressure,velocity,diameter,flow\n"
       "velocity,0.3,,,1000\n"
       "diameter,0.3,,55,1000\n"
       "velocity,-0.1,,100,1000\n"
       "velocity,0.3,,1e200,1000\n"
       "diameter,-1,5,9,1000\n"
       "speed,0.3,,100,1000\n"
       ",0.3,,100,1000\n"
       "velocity,0.3,,100,1000\n",
       "calc,pressure,velocity,diameter,flow,message\n"
       "velocity,0.3,,,1000,请输入流通直径\n"
       "diameter,0.3,,,1000,请输入完整数据\n"
       "velocity,-0.1,,100,1000,除数为零\n"
       "velocity,0.3,,1e200,1000,溢出\n"
       "diameter,-1,5,,1000,无效的过程调用或参数\n"
       "speed,0.3,,100,1000,unknown calc 'speed'\n"
       ",0.3,,100,1000,unknown calc ''\n"
       "velocity,0.3,8.84194143371033,100,1000,\n",
       BatchOutcome::SomeRowEnded},
  };
  for (const BatchCase& c : cases) ExpectBatch(c);
}

TEST(Batch, StopsAtMalformedInputAfterTheRowsBeforeIt) {
  const std::string header = "calc,pressure,diameter,flow\n";
  const std::string good = "velocity,0.3,100,1000\n";
  const std::string good_out = "velocity,0.3,100,1000,8.84194143371033,\n";
  const std::string out_header = "calc,pressure,diameter,flow,velocity,message\n";
  const BatchCase cases[] = {
      {"unterminated quote, named by the line it opens on",
       header + good + "velocity,\"0.3,100,1000\n\nmore\n", out_header + good_out,
       BatchOutcome::Malformed, "tarnivel: batch: line 3: a quoted cell is never closed\n"},
      {"more cells than the header", header + good + "\n" + "velocity,0.3,100,1000,5\n" + good,
       out_header + good_out, BatchOutcome::Malformed,
       "tarnivel: batch: line 4 has 5 cells, the header 4\n"},
      {"text after a closing quote", header + good + "velocity,\"0.3\"x,100,1000\n",
       out_header + good_out, BatchOutcome::Malformed,
       "tarnivel: batch: line 3: text after the closing quote of a cell\n"},
      {"line breaks inside quotes counted in a CR-only file",
       "calc,pressure,diameter,flow,note\rvelocity,0.3,100,1000,\"a\rb\rc\"\r"
       "velocity,\"0.3\"x,100,1000\r",
       "calc,pressure,diameter,flow,note,velocity,message\n"
       "velocity,0.3,100,1000,\"a\rb\rc\",8.84194143371033,\n",
       BatchOutcome::Malformed,
       "tarnivel: batch: line 5: text after the closing quote of a cell\n"},
      {"a column named twice, whichever way it is spelled",
       "calc,pressure,diameter,flow, Flow\n" + good, "", BatchOutcome::Malformed,
       "tarnivel: batch: the header names the column ' Flow' twice\n"},
      {"no calc column", "pressure,diameter\n0.3,100\n", "", BatchOutcome::Malformed,
       "tarnivel: batch: the header row has no 'calc' column\n"},
      {"empty input", "", "", BatchOutcome::Malformed,
       "tarnivel: batch: the input is empty; it needs a header row with a 'calc' column\n"},
  };
  for (const BatchCase& c : cases) ExpectBatch(c);
}

// A row too large to hold stops the batch like malformed CSV, after the rows before it; one
// just within the limits is computed.
TEST(Batch, StopsAtACellOrRowOverItsLimit) {
  const std::string header = "calc,pressure,diameter,flow,note\n";
  const std::string good = "velocity,0.3,100,1000\n";
  const std::string out_header = "calc,pressure,diameter,flow,note,velocity,message\n";
  const std::string good_out = "velocity,0.3,100,1000,,8.84194143371033,\n";
  const std::string mib(CsvReader::kMaxCellBytes, 'x');
  std::string wide_row = "velocity";
  for (int i = 0; i < 16; ++i) wide_row += "," + mib;
  const struct {
    std::string row;
    std::string err;
  } cases[] = {
      {"velocity,0.3,100,1000," + mib + "\n", ""},
      {"velocity,0.3,100,1000," + mib + "x\n", "line 3: a cell is longer than 1 MiB"},
      {"velocity,0.3,100,1000,\"" + mib + "\"\"\"\n", "line 3: a cell is longer than 1 MiB"},
      {wide_row + "\n", "line 3: a row is longer than 16 MiB"},
      {std::string(CsvReader::kMaxRecordCells, ',') + "\n",
       "line 3: a row has more than 65536 cells"},
  };
  for (const auto& c : cases) {
    std::istringstream in(header + good + c.row + good);
    std::ostringstream out, err;
    const BatchOutcome status = RunBatch(in, out, err);
    if (c.err.empty()) {
      EXPECT_EQ(status, BatchOutcome::AllComputed);
      EXPECT_EQ(err.str(), "");
      continue;
    }
    EXPECT_EQ(status, BatchOutcome::Malformed) << c.err;
    EXPECT_EQ(out.str(), out_header + good_out) << c.err;
    EXPECT_EQ(err.str(), "tarnivel: batch: " + c.err + "\n");
  }
}

// Only the cells a row has count toward its limit, however large the cell before a comma.
TEST(Batch, ComputesARowJustWithinItsLimit) {
  const std::string mib(CsvReader::kMaxCellBytes, 'x');
  std::string header = "calc,pressure,diameter,flow", row = "velocity,0.3,100,1000";
  for (int i = 0; i < 16; ++i) {
    header += ",n" + std::to_string(i);
    row += "," + (i < 15 ? mib : "x");
  }
  std::istringstream in(header + "\n" + row + "\n");
  std::ostringstream out, err;
  EXPECT_EQ(RunBatch(in, out, err), BatchOutcome::AllComputed);
  EXPECT_EQ(err.str(), "");
}

// Hands out its text one byte at a time and notes what had been written when it was asked for
// more, as a pipe fed by hand would.
class TricklingInput final : public std::streambuf {
 public:
  TricklingInput(std::string text, const std::ostringstream& out)
      : text_(std::move(text)), out_(out) {}
  std::vector<std::string> written_when_asked;

 protected:
  int_type underflow() override {
    if (pos_ == text_.size()) return traits_type::eof();
    if (pos_ > 0 && text_[pos_ - 1] == '\n') written_when_asked.push_back(out_.str());
    byte_ = text_[pos_++];
    setg(&byte_, &byte_, &byte_ + 1);
    return traits_type::to_int_type(byte_);
  }

 private:
  std::string text_;
  const std::ostringstream& out_;
  std::size_t pos_ = 0;
  char byte_ = 0;
};

TEST(Batch, WritesEachRowBeforeWaitingForTheNext) {
  std::ostringstream out, err;
  TricklingInput trickle("calc,pressure,diameter,flow\nvelocity,0.3,100,1000\nflow,,\n", out);
  std::istream in(&trickle);
  EXPECT_EQ(RunBatch(in, out, err), BatchOutcome::SomeRowEnded);
  ASSERT_EQ(trickle.written_when_asked.size(), 2u);
  EXPECT_EQ(trickle.written_when_asked[0], "calc,pressure,diameter,flow,velocity,message\n");
  EXPECT_EQ(trickle.written_when_asked[1],
            trickle.written_when_asked[0] + "velocity,0.3,100,1000,8.84194143371033,\n");
}

// Hands out its text in pieces of varying sizes, each followed by a pause (nothing ready), as a
// pipe written to in bursts would.
class BurstyInput final : public std::streambuf {
 public:
  explicit BurstyInput(std::string text) : text_(std::move(text)) {}

 protected:
  int_type underflow() override {
    if (pos_ == text_.size()) return traits_type::eof();
    const std::size_t size = std::min(text_.size() - pos_, kSizes[burst_++ % std::size(kSizes)]);
    setg(text_.data() + pos_, text_.data() + pos_, text_.data() + pos_ + size);
    pos_ += size;
    return traits_type::to_int_type(*gptr());
  }

 private:
  static constexpr std::size_t kSizes[] = {1, 7, 4093, 65537, 131071, 300000};
  std::string text_;
  std::size_t pos_ = 0;
  std::size_t burst_ = 0;
};

// A long table is read in pieces, computed in blocks shared by two threads and written in
// slices: whatever the boundaries fall on (a quoted cell with line breaks, a doubled quote, a
// CRLF, a row with a warning), each row comes out as it does alone, with its warning naming
// its own line, in order.
TEST(Batch, RowsComeOutAsAloneWhereverBlocksAndPiecesEnd) {
  const std::string header = "calc,pressure,velocity,diameter,flow,note\n";
  const std::string long_note =
      "\"" + std::string(400, 'x') + "\"\"y\"\"\r\n" + std::string(200, 'z') + "\"";
  const std::string rows[] = {
      "velocity,0.3,,100,1000,A-1\n",   "flow,0.3,10,\"1,000\",,\"say \"\"hi\"\"\r\nthere\"\r\n",
      "diameter,12abc,10,,1000,北区\n", "velocity,0.3,,,1000," + long_note + "\n",
      "speed,0.3,,100,1000,\"a\rb\"\r",
  };
  // Line ends as CSV counts them: CRLF, CR or LF.
  const auto line_ends = [](std::string_view text) {
    std::size_t n = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
      n += text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'));
    }
    return n;
  };
  struct Alone {
    std::string out, err;
  };
  std::vector<Alone> alone;
  std::string out_header;
  for (const std::string& row : rows) {
    std::istringstream in(header + row);
    std::ostringstream out, err;
    RunBatch(in, out, err);
    out_header = out.str().substr(0, out.str().find('\n') + 1);
    alone.push_back({out.str().substr(out_header.size()), err.str()});
  }
  std::string input = header, want_out, want_err;
  std::size_t line = 2;
  for (std::size_t n = 0; input.size() < 1'000'000; ++n) {
    const std::size_t k = (n * 7 + n / 5) % std::size(rows);
    input += rows[k];
    want_out += alone[k].out;
    std::string err = alone[k].err;
    if (const auto at = err.find("line 2:"); at != std::string::npos) {
      err.replace(at, 6, "line " + std::to_string(line));
    }
    want_err += err;
    line += line_ends(rows[k]);
  }
  for (const bool bursts : {false, true}) {
    std::istringstream whole(input);
    BurstyInput bursty(input);
    std::istream in_bursts(&bursty);
    std::ostringstream out, err;
    EXPECT_EQ(RunBatch(bursts ? in_bursts : whole, out, err), BatchOutcome::SomeRowEnded);
    EXPECT_EQ(out.str(), out_header + want_out) << "in bursts: " << bursts;
    EXPECT_EQ(err.str(), want_err) << "in bursts: " << bursts;
  }
}

// A descriptor-like buffer that hands out `text` and then fails with `error`, or, for output,
// takes `room` bytes and then fails.
class FailingBuffer final : public std::streambuf, public RemembersIoError {
 public:
  FailingBuffer(std::string text, std::size_t room) : text_(std::move(text)), room_(room) {}
  int io_error() const override { return failed_ ? EIO : 0; }
  std::string taken;

 protected:
  int_type underflow() override {
    if (pos_ == text_.size()) {
      failed_ = true;
      return traits_type::eof();
    }
    setg(text_.data() + pos_, text_.data() + pos_, text_.data() + text_.size());
    pos_ = text_.size();
    return traits_type::to_int_type(*gptr());
  }
  std::streamsize xsputn(const char* data, std::streamsize size) override {
    const auto fits = std::min<std::streamsize>(size, static_cast<std::streamsize>(room_));
    taken.append(data, static_cast<std::size_t>(fits));
    room_ -= static_cast<std::size_t>(fits);
    failed_ = fits < size;
    return fits;
  }

 private:
  std::string text_;
  std::size_t room_;
  std::size_t pos_ = 0;
  bool failed_ = false;
};

TEST(Batch, ReportsReadAndWriteFailuresAfterTheRowsBeforeThem) {
  const std::string rows = "calc,pressure,diameter,flow\nvelocity,0.3,100,1000\nvelocity,0.3,";
  {  // the input fails in the middle of a row
    FailingBuffer source(rows, 0);
    std::istream in(&source);
    std::ostringstream out, err;
    EXPECT_EQ(RunBatch(in, out, err, "lines.csv"), BatchOutcome::ReadOrWriteFailed);
    EXPECT_EQ(out.str(),
              "calc,pressure,diameter,flow,velocity,message\n"
              "velocity,0.3,100,1000,8.84194143371033,\n");
    EXPECT_EQ(err.str(), "tarnivel: lines.csv: Input/output error\n");
  }
  {  // the output fails: the batch stops at once instead of computing on
    std::istringstream in(rows + "100,1000\n");
    FailingBuffer sink("", 10);
    std::ostream out(&sink);
    std::ostringstream err;
    EXPECT_EQ(RunBatch(in, out, err), BatchOutcome::ReadOrWriteFailed);
    EXPECT_EQ(sink.taken, "calc,press");
    EXPECT_EQ(err.str(), "tarnivel: write error: Input/output error\n");
  }
}

TEST(BatchPipes, ASeriesColumnGivesDiameterRowsTheirPipe) {
  std::istringstream in(
      "calc,pressure,velocity,flow,series,line\n"
      "diameter,0.3,10,1000,pe-sdr11,A-3\n"
      "diameter,0.3,10,1000, STEEL ,A-4\n"
      "diameter,0.3,10,1000,,A-5\n"
      "diameter,0.3,0.01,1000,pe-sdr11,A-6\n"
      "velocity,0.3,,1000,pe-sdr11,A-7\n"
      "diameter,0.3,10,1000,copper,A-8\n"
      "diameter,0.3,10,,copper,A-9\n");
  std::ostringstream out, err;
  EXPECT_EQ(RunBatch(in, out, err), BatchOutcome::SomeRowEnded);
  EXPECT_EQ(out.str(),
            "calc,pressure,velocity,flow,series,line,diameter,pipe,bore,pipe_velocity,message\n"
            "diameter,0.3,10,1000,pe-sdr11,A-3,94,de125,102.2,8.46536800344508,\n"
            "diameter,0.3,10,1000, STEEL ,A-4,94,DN100,102.26,8.45543698308157,\n"
            "diameter,0.3,10,1000,,A-5,94,,,,\n"
            "diameter,0.3,0.01,1000,pe-sdr11,A-6,2974,,,,no pipe in pe-sdr11 with a bore of at "
            "least 2973.54021894952 mm\n"
            "velocity,0.3,,1000,pe-sdr11,A-7,,,,,请输入流通直径\n"
            "diameter,0.3,10,1000,copper,A-8,94,,,,unknown series 'copper'\n"
            "diameter,0.3,10,0,copper,A-9,,,,,请输入完整数据\n");

  // A user's columns under the batch's names are carried through untouched; the batch's own
  // take other names. A catalogue's series may be named, and replaces a built-in one.
  std::istringstream users(
      "calc,pressure,velocity,flow,pipe,bore,series,Message,tarnivel_pipe\n"
      "diameter,0.3,10,1000,P-101,old,,keep,mine\n"
      "diameter,0.3,10,1000,P-102,,sdr11,,\n"
      "diameter,0.3,10,1000,P-103,,steel,,\n");
  std::vector<PipeSeries> series(BuiltInSeries().begin(), BuiltInSeries().end());
  MergeSeries(series, {{"Steel", {{"DN100", {11430}, {500}}}}});
  std::ostringstream kept;
  EXPECT_EQ(RunBatch(users, kept, err, "-", series), BatchOutcome::AllComputed);
  EXPECT_EQ(kept.str(),
            "calc,pressure,velocity,flow,pipe,bore,series,Message,tarnivel_pipe,diameter,"
            "tarnivel_pipe_2,tarnivel_bore,pipe_velocity,tarnivel_message\n"
            "diameter,0.3,10,1000,P-101,old,,keep,mine,94,,,,\n"
            "diameter,0.3,10,1000,P-102,,sdr11,,,94,de125,102.2,8.46536800344508,\n"
            "diameter,0.3,10,1000,P-103,,steel,,,94,DN100,104.3,8.12791245265688,\n");
}

// Drop rows, with a series' roughness, running out or without a length; diameter rows sized
// by both checks, by velocity alone, or by velocity without a length. A user's outlet column
// stays theirs.
TEST(BatchDrop, DropRowsAndDiameterRowsWithALengthGetTheOutletAndTheDrop) {
  std::istringstream in(
      "calc,pressure,velocity,diameter,flow,length,series,max_drop,outlet\n"
      "drop,0.4,,102.26,1000,1000,,,mine\n"
      "Drop ,0.4,,102.26,1000,1000,sdr11,,\n"
      "drop,0.4,,102.26,1000,1e6,,,\n"
      "drop,0.4,,102.26,1000,,,,\n"
      "diameter,0.005,10,,50,200,pe-sdr11,1,\n"
      "diameter,0.005,10,,50,200,pe-sdr11,,\n"
      "diameter,0.005,10,,50, ,pe-sdr11,1,\n"
      "diameter,0.005,10,,50,2000,steel,,\n"
      "velocity,0.3,,100,1000,100,steel,,\n");
  std::ostringstream out, err;
  EXPECT_EQ(RunBatch(in, out, err), BatchOutcome::SomeRowEnded);
  EXPECT_EQ(out.str(),
            "calc,pressure,velocity,diameter,flow,length,series,max_drop,outlet,pipe,bore,"
            "pipe_velocity,tarnivel_outlet,drop,message\n"
            "drop,0.4,,102.26,1000,1000,,,mine,,,,0.381019959228062,18.9800407719382,\n"
            "Drop ,0.4,,102.26,1000,1000,sdr11,,,,,,0.38542233367312,14.5776663268804,\n"
            "drop,0.4,,102.26,1000,1e6,,,,,,,,,\"the gauge pressure falls to 0 at "
            "12911.5565808755 m, before the end of the line\"\n"
            "drop,0.4,,102.26,1000,,,,,,,,,,length must be more than 0 m\n"
            "diameter,0.005,10,41,50,200,pe-sdr11,1,,de75,61.4,4.46736655218286,"
            "0.00424824975298502,0.751750247014978,\n"
            "diameter,0.005,10,41,50,200,pe-sdr11,,,de63,51.4,6.37473436655638,"
            "0.00324074659018256,1.75925340981744,\n"
            "diameter,0.005,10,41,50, ,pe-sdr11,1,,de63,51.4,6.37473436655638,,,\n"
            "diameter,0.005,10,41,50,2000,steel,,,DN50,52.48,6.11505936896812,,,\"the gauge "
            "pressure falls to 0 at 552.666351472137 m, before the end of the line\"\n"
            "velocity,0.3,8.84194143371033,100,1000,100,steel,,,,,,,,\n");
}

}  // namespace
}  // namespace tarnivel
