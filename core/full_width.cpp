#include "core/full_width.h"

namespace tarnivel {
namespace {

// Every form folded here is three bytes in UTF-8, starting with one of these.
constexpr unsigned char kFullWidthLead = 0xEF;    // U+F000…FFFF
constexpr unsigned char kIdeographicLead = 0xE3;  // U+3000…3FFF

// The ASCII character of the full-width form whose UTF-8 is EF `second` `third`, or 0.
char AsciiOfFullWidth(unsigned char second, unsigned char third) {
  if (second == 0xBC) {  // U+FF00…FF3F
    if (third >= 0x90 && third <= 0x99) return static_cast<char>('0' + (third - 0x90));
    if (third == 0x8E) return '.';
    if (third == 0x8D) return '-';
    if (third == 0x8B) return '+';
    if (third == 0xA5) return 'E';
  } else if (second == 0xBD && third == 0x85) {  // U+FF45
    return 'e';
  }
  return 0;
}

}  // namespace

bool MayHoldFullWidth(std::string_view text) {
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte == kFullWidthLead || byte == kIdeographicLead) return true;
  }
  return false;
}

std::string FoldFullWidth(std::string_view text) {
  std::string folded;
  folded.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (i + 2 < text.size() && (byte == kFullWidthLead || byte == kIdeographicLead)) {
      const auto second = static_cast<unsigned char>(text[i + 1]);
      const auto third = static_cast<unsigned char>(text[i + 2]);
      const char ascii = byte == kFullWidthLead            ? AsciiOfFullWidth(second, third)
                         : second == 0x80 && third == 0x80 ? ' '  // U+3000
                                                           : '\0';
      if (ascii != '\0') {
        folded.push_back(ascii);
        i += 2;
        continue;
      }
    }
    folded.push_back(text[i]);
  }
  return folded;
}

}  // namespace tarnivel
