#pragma once
// The window's texts: UTF-8 in the core, UTF-16 in Windows' controls, and in the user's
// language, Chinese when Windows speaks Chinese, English otherwise.

#include <string>
#include <string_view>

namespace tarnivel {

[[nodiscard]] std::wstring Wide(std::string_view utf8);
[[nodiscard]] std::string Utf8(std::wstring_view wide);

// Whether the user's UI language is Chinese; read once, at the first call.
[[nodiscard]] bool SpeaksChinese();

// One of the program's Chinese texts in the window's language: the English of the translation
// catalogues, or the text itself when it has none.
[[nodiscard]] std::string Translated(std::string_view chinese);
[[nodiscard]] inline std::wstring Tr(std::string_view chinese) { return Wide(Translated(chinese)); }

}  // namespace tarnivel
