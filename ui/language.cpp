#include "ui/language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <string>

namespace tarnivel {
namespace {

// The catalogues in force are children of the application, named so they can be replaced.
constexpr auto kCatalogueName = "tarnivel-catalogue";

void InstallCatalogue(const QString& name, const QString& folder) {
  auto* translator = new QTranslator(QCoreApplication::instance());
  translator->setObjectName(QString::fromLatin1(kCatalogueName));
  if (translator->load(name, folder)) {
    QCoreApplication::installTranslator(translator);
  } else {
    delete translator;
  }
}

}  // namespace

Language LanguageFor(const QStringList& ui_languages) {
  for (const QString& name : ui_languages) {
    const QString language = name.section(u'-', 0, 0).section(u'_', 0, 0);
    if (language == u"zh" || language == u"C" || language == u"POSIX") return Language::Chinese;
    if (language == u"en") return Language::English;
  }
  return ui_languages.isEmpty() ? Language::Chinese : Language::English;
}

void InstallTranslations(Language language) {
  QCoreApplication* app = QCoreApplication::instance();
  for (auto* old : app->findChildren<QTranslator*>(QString::fromLatin1(kCatalogueName),
                                                   Qt::FindDirectChildrenOnly)) {
    QCoreApplication::removeTranslator(old);
    delete old;
  }
  const bool english = language == Language::English;
  QLocale::setDefault(english ? QLocale(QLocale::English, QLocale::UnitedStates)
                              : QLocale(QLocale::Chinese, QLocale::China));
  if (english) InstallCatalogue(QStringLiteral("tarnivel_en"), QStringLiteral(":/i18n"));
  // Qt's own texts; without its catalogue (qt6-translations-l10n) they stay in English.
  InstallCatalogue(english ? QStringLiteral("qtbase_en") : QStringLiteral("qtbase_zh_CN"),
                   QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString CoreText(std::string_view text) {
  const std::string source(text);  // translate() wants a terminated text
  return QCoreApplication::translate("Core", source.c_str());
}

}  // namespace tarnivel
