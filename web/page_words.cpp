#include "web/page_words.h"

namespace tarnivel {
namespace {

// Each word as the core writes it, then its translation, each ended by a NUL.
std::string& Translations() {
  static std::string translations;
  return translations;
}

}  // namespace

void AddPageWord(std::string_view source, std::string_view translation) {
  Translations().append(source).append(1, '\0').append(translation).append(1, '\0');
}

std::string Translated(std::string_view text) {
  const std::string_view all = Translations();
  for (std::size_t at = 0; at < all.size();) {
    const std::size_t source_end = all.find('\0', at);
    const std::size_t end = all.find('\0', source_end + 1);
    if (all.substr(at, source_end - at) == text) {
      return std::string(all.substr(source_end + 1, end - source_end - 1));
    }
    at = end + 1;
  }
  return std::string(text);
}

}  // namespace tarnivel
