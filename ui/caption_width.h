#pragma once
// How wide a caption is, known before the window is first shown without loading a fallback
// font: measuring the Chinese of a caption for real makes Qt look up a CJK font and open it,
// which would delay the window's first appearance by more than everything else it does.

#include <QString>

class QFont;

namespace tarnivel {

// Whether CJK fonts set `character` on a square em: ideographs, ideographic punctuation and
// full-width forms.
[[nodiscard]] bool IsFullWidth(char32_t character);

// The width QFontMetrics(font).horizontalAdvance(text) gives, in whole pixels: the runs of
// characters `font` has glyphs for by its own metrics, and each full-width character it lacks
// (ideographs, ideographic punctuation, full-width forms) as one em of its pixel size. A text
// with any other character `font` lacks is measured for real.
[[nodiscard]] int CaptionWidth(const QFont& font, const QString& text);

}  // namespace tarnivel
