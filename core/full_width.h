#pragma once
// The full-width forms a Chinese input method types in its full-width mode, read as the ASCII
// characters they stand for: the digits ０…９ (U+FF10…FF19), the period ． (U+FF0E), the
// minus － (U+FF0D), the plus ＋ (U+FF0B) and the exponent letters Ｅ ｅ (U+FF25, U+FF45).
// The ideographic space (U+3000) the same methods type for a space becomes a space, so that
// the lenient reading skips it as it skips any blank. Texts are UTF-8.

#include <string>
#include <string_view>

namespace tarnivel {

// False when `text` holds none of those forms; cheap, so a reading can tell it need not fold.
[[nodiscard]] bool MayHoldFullWidth(std::string_view text);

// `text` with each of those forms replaced by its ASCII character; everything else unchanged.
[[nodiscard]] std::string FoldFullWidth(std::string_view text);

}  // namespace tarnivel
