// A caption's width known without the fallback font is the width Qt measures with it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <cstdint>
#include <fstream>
#include <sstream>
#include <vector>

#include "core/drop_summary.h"
#include "core/quantities.h"
#include "ui/caption_width.h"
#include "ui/language.h"

namespace tarnivel {
namespace {

TEST(CaptionWidth, IsWhatTheFallbackFontMeasures) {
  std::vector<QString> texts = {
      // One character of each kind the fallback font is held to be one em wide in: ideographs
      // of the main block, its extension A and the compatibility block; the ideographic
      // punctuation; the full-width forms and signs.
      QStringLiteral("一龥䶵豈"), QStringLiteral("　、。《》「」【】〇"),
      QStringLiteral("（），：；！？～"), QStringLiteral("￥￡"),
      // Runs of the window's font between them, kerned within and not across.
      QStringLiteral("退  出"), QStringLiteral("AV（AV）VA"), QStringLiteral("Flow (Nm³/h)"),
      // Characters neither in the window's font nor held to be one em wide: measured for real.
      QStringLiteral("압력（MPa）"), QStringLiteral("あつりょく（MPa）")};
  for (const InputField& input : kInputFields) texts.push_back(Text(input.caption));
  for (const CalculationInfo& info : kCalculations) texts.push_back(Text(info.caption));
  for (const DropSectionField& field : kDropSectionFields)
    texts.push_back(Text(DropCaption(field.quantity)));
  // The default font, the larger desktop fonts, and sizes of fractional pixels.
  for (const double points : {9.0, 11.0, 14.0, 7.5, 10.0, 12.5}) {
    QFont font = QApplication::font();
    font.setPointSizeF(points);
    for (const QString& text : texts) {
      EXPECT_EQ(CaptionWidth(font, text), QFontMetrics(font).horizontalAdvance(text))
          << text.toStdString() << " at " << points << " pt";
    }
  }
}

// Written by tests/ui/make_full_width.py from Unicode's data: each range whole, nothing beyond.
TEST(CaptionWidth, CountsAsOneEmTheFullWidthCharactersUnicodeHas) {
  std::ifstream file(TARNIVEL_FULL_WIDTH_EXPECTED);
  ASSERT_TRUE(file) << TARNIVEL_FULL_WIDTH_EXPECTED;
  std::uint32_t expected = 0;
  for (std::string line; std::getline(file, line);) {
    if (line.empty() || line.front() == '#') continue;
    std::uint32_t first = 0, last = 0;
    std::istringstream(line) >> std::hex >> first >> last;
    EXPECT_FALSE(IsFullWidth(first - 1)) << line;
    EXPECT_FALSE(IsFullWidth(last + 1)) << line;
    for (std::uint32_t c = first; c <= last; ++c) ASSERT_TRUE(IsFullWidth(c)) << std::hex << c;
    expected += last - first + 1;
  }
  std::uint32_t counted = 0;
  for (std::uint32_t c = 0; c <= 0x10FFFF; ++c) counted += IsFullWidth(c) ? 1 : 0;
  EXPECT_EQ(counted, expected);
}

}  // namespace
}  // namespace tarnivel
