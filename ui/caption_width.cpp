#include "ui/caption_width.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QRawFont>
#include <algorithm>
#include <utility>

namespace tarnivel {
namespace {

// CJK fonts draw each of these characters on a square em: Chinese text is set on a grid of
// such squares (W3C, Requirements for Chinese Text Layout, on the character frame). The ranges
// are the spacing characters Unicode 14 gives an East Asian Width of Wide or Fullwidth in the
// CJK blocks, checked against Unicode's data (tests/ui/make_full_width.py); the window's tests
// hold the installed fallback font to the em at several sizes.
constexpr std::pair<char32_t, char32_t> kFullWidth[] = {
    {0x3000, 0x3029},   // the ideographic space and punctuation: 、。《》「」【】
    {0x3030, 0x303E},   // the wavy dash, iteration marks and Hangzhou numerals
    {0x3400, 0x4DBF},   // CJK Unified Ideographs Extension A
    {0x4E00, 0x9FFF},   // CJK Unified Ideographs
    {0xF900, 0xFAD9},   // CJK Compatibility Ideographs
    {0xFF01, 0xFF60},   // full-width forms of ASCII: （），：
    {0xFFE0, 0xFFE6},   // full-width signs: ￥￡
    {0x20000, 0x3134A}  // the ideographs of planes 2 and 3
};

}  // namespace

bool IsFullWidth(char32_t character) {
  return std::any_of(std::begin(kFullWidth), std::end(kFullWidth), [character](const auto& range) {
    return range.first <= character && character <= range.second;
  });
}

int CaptionWidth(const QFont& font, const QString& text) {
  // The font itself, without the fallbacks QFontMetrics would look up for what it lacks.
  const QRawFont own = QRawFont::fromFont(font);
  const QFontMetricsF metrics(font);
  qreal width = 0;
  int full_width = 0;
  qsizetype run = 0;  // where the current run of the font's own characters began
  const auto end_run = [&](qsizetype end) {
    if (end > run) width += metrics.horizontalAdvance(text.mid(run, end - run));
  };
  for (qsizetype i = 0; i < text.size();) {
    char32_t character = text[i].unicode();
    qsizetype length = 1;
    if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
      character = QChar::surrogateToUcs4(text[i], text[i + 1]);
      length = 2;
    }
    if (!own.supportsCharacter(character)) {
      if (!IsFullWidth(character)) return QFontMetrics(font).horizontalAdvance(text);
      // Qt shapes each font's run apart, so the runs' widths add up exactly.
      end_run(i);
      ++full_width;
      run = i + length;
    }
    i += length;
  }
  end_run(text.size());
  // Qt sizes a font engine at whole pixels, as QFontInfo reports them, and rounds the sum.
  return qRound(width + full_width * QFontInfo(font).pixelSize());
}

}  // namespace tarnivel
