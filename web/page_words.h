#pragma once
// The page's translations of the words the core's answers may hold (DropSummaryWords,
// LineSummaryWords), given by the page's script once the core starts, from its dictionary.

#include <string>
#include <string_view>

namespace tarnivel {

// `translation` stands for `source` in every answer from now on.
void AddPageWord(std::string_view source, std::string_view translation);
// `text` in the page's words; a word without a translation stays as the core writes it.
[[nodiscard]] std::string Translated(std::string_view text);

}  // namespace tarnivel
