#pragma once
// The window's language: Chinese, the program's own, or English for everyone else.
//
// The window's texts are written in Chinese in the code and in core's tables; the English
// catalogues (translations/*.ts) are compiled into the program. Qt's own texts (the
// context menu of a text box, a message box's button) come from Qt's catalogue for the
// same language.

#include <QString>
#include <QStringList>
#include <string_view>

namespace tarnivel {

enum class Language { Chinese, English };

// The language for the user's preferred languages as Qt reads them from the locale
// (QLocale::uiLanguages(): LANGUAGE, then LC_ALL, LC_MESSAGES, LANG): the first one the
// program speaks; C and POSIX mean the program's own Chinese; a language the program has no
// translation for is passed over, and English is what is left.
Language LanguageFor(const QStringList& ui_languages);

// Installs the program's and Qt's catalogues for `language` in the running application,
// replacing any installed before, and makes its locale the default one.
void InstallTranslations(Language language);

// A text from core's tables (a caption, a prompt, a fault's description) in the window's
// language. Their English lives under the context "Core" in translations/core_en.ts, kept
// by hand, since lupdate does not see texts that reach tr() from a table.
QString CoreText(std::string_view text);

// A UTF-8 text of the core's as Qt holds it, untranslated: a control's name, a computed line.
QString Text(std::string_view text);

}  // namespace tarnivel
