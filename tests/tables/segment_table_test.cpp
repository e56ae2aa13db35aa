// The line command reads its segments as they stream; the window and the page read a file whole.
// Both must take the same segments from the same text and refuse the same texts in the same words.
#include "tables/segment_table.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <variant>
#include <vector>

#include "core/line/segment_csv.h"

namespace tarnivel {
namespace {

TEST(SegmentTable, TheStreamingAndTheWholeReaderAgree) {
  const char* const texts[] = {
      "segment,length,flow\na,10,20\n",
      "\xEF\xBB\xBF\n\nSegment , LENGTH,flow,note,bore\r\na,10,20,\"x,\"\"y\"\"\",50\r\n\r\nb,5,6\n",
      "segment,length,flow,series,pipe\n\"multi\nline\",1,2,pe-sdr11,de63",
      "segment,length,flow,length\n",
      "segment,flow\n",
      "",
      "\n \n",
      "segment,length,flow\na,1,2,3\n",
      "segment,length,flow\n\"a,1,2\n",
      "segment,length,flow\n\"a\"b,1,2\n",
  };
  for (const char* text : texts) {
    std::istringstream in(text);
    std::ostringstream err;
    const auto streamed = ReadSegmentTable(in, "in", err);
    const auto whole = ReadSegmentCsv(text);
    if (const auto* table = std::get_if<SegmentTable>(&streamed)) {
      ASSERT_TRUE(std::holds_alternative<std::vector<SegmentTexts>>(whole)) << text;
      const auto& segments = std::get<std::vector<SegmentTexts>>(whole);
      const std::vector<SegmentTexts> expected = SegmentTextsOf(*table);
      ASSERT_EQ(segments.size(), expected.size()) << text;
      for (std::size_t i = 0; i < segments.size(); ++i) {
        EXPECT_EQ(segments[i].texts, expected[i].texts) << text;
      }
      continue;
    }
    ASSERT_TRUE(std::holds_alternative<std::string>(whole)) << text;
    // The streaming reader says «tarnivel: in: WHAT»; an empty input it calls the input.
    std::string said = err.str();
    said = said.substr(said.find("in: ") + 4);
    std::string what = std::get<std::string>(whole) + "\n";
    if (what.starts_with("the file is empty")) what.replace(4, 4, "input");
    EXPECT_EQ(said, what) << text;
  }
}

}  // namespace
}  // namespace tarnivel
