// A caption's width known without the fallback font is the width Qt measures with it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
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

}  // namespace
}  // namespace tarnivel
