// The window in both languages, at every font size, and as a screen reader sees it.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <memory>

#include "core/pipe_summary.h"
#include "core/quantities.h"
#include "tests/ui/recording_messages.h"
#include "ui/application.h"
#include "ui/language.h"
#include "ui/main_window.h"
#include "ui/twips.h"

namespace tarnivel {
namespace {

// The window's language and the application font for one test; both come back afterwards.
class Setting {
 public:
  explicit Setting(Language language, double points = 0) {
    InstallTranslations(language);
    if (points > 0) {
      QFont font = saved_font_;
      font.setPointSizeF(points);
      QApplication::setFont(font);
    }
  }
  ~Setting() {
    QApplication::setFont(saved_font_);
    InstallTranslations(Language::Chinese);
  }
  Setting(const Setting&) = delete;
  Setting& operator=(const Setting&) = delete;

 private:
  QFont saved_font_ = QApplication::font();
};

QString Source(std::string_view text) { return QString::fromUtf8(text.data(), text.size()); }

TEST(Language, FollowsTheLocaleAsQtReadsIt) {
  const std::pair<QStringList, Language> cases[] = {
      {{"zh-CN", "zh-Hans-CN", "zh"}, Language::Chinese},
      {{"zh-TW", "zh-Hant-TW", "zh"}, Language::Chinese},
      {{"C"}, Language::Chinese},
      {{"POSIX"}, Language::Chinese},
      {{}, Language::Chinese},
      {{"en-US", "en-Latn-US", "en"}, Language::English},
      {{"de-DE", "de-Latn-DE", "de"}, Language::English},  // no German yet
      {{"de", "zh-CN", "zh"}, Language::Chinese},          // LANGUAGE=de:zh_CN
      {{"fr", "en-GB"}, Language::English},
  };
  for (const auto& [languages, language] : cases) {
    EXPECT_EQ(LanguageFor(languages), language) << languages.join(',').toStdString();
  }
}

TEST(Language, EveryTextOfCoresTablesHasItsEnglish) {
  std::vector<std::string_view> texts;
  for (const InputField& input : kInputFields) {
    texts.push_back(input.caption);
    texts.push_back(input.quantity);
  }
  for (const CalculationInfo& info : kCalculations) texts.push_back(info.caption);
  for (Prompt prompt : {Prompt::EnterDiameter, Prompt::EnterCompleteData}) {
    texts.push_back(PromptText(prompt));
  }
  for (FaultKind kind :
       {FaultKind::Overflow, FaultKind::DivisionByZero, FaultKind::InvalidArgument}) {
    texts.push_back(FaultDescription(kind));
  }
  for (const SeriesLabel& label : kSeriesLabels) texts.push_back(label.description);
  texts.push_back(kSeriesHint);
  Setting english(Language::English);
  for (std::string_view text : texts) {
    const QString translated = CoreText(text);
    EXPECT_NE(translated, Source(text)) << text;
    EXPECT_FALSE(translated.contains(QRegularExpression(QStringLiteral("[\\x{4e00}-\\x{9fff}]"))))
        << text;
  }
}

// Qt's own words, from its catalogue: a text box's context menu and a message box's button.
QStringList ContextMenu(QLineEdit* box) {
  const std::unique_ptr<QMenu> menu(box->createStandardContextMenu());
  QStringList texts;
  for (const QAction* action : menu->actions()) {
    if (!action->isSeparator()) texts << action->text().section(u'\t', 0, 0);
  }
  return texts;
}

TEST(Language, TheWindowSpeaksChineseOrEnglishThroughout) {
  {
    RecordingMessages messages;
    MainWindow window(messages);
    EXPECT_EQ(
        ContextMenu(window.findChild<QLineEdit*>("TP")),
        QStringList({"撤消(&U)", "重做(&R)", "剪切(&T)", "复制(&C)", "粘贴(&P)", "删除", "全选"}));
  }
  Setting english(Language::English);
  RecordingMessages messages;
  MainWindow window(messages);
  EXPECT_EQ(window.windowTitle(), "Tarnivel 1.0");
  EXPECT_EQ(window.findChild<QGroupBox*>("Frame1")->title(), "Pressure (MPa)");
  EXPECT_EQ(window.findChild<QGroupBox*>("Frame4")->title(), "Flow (Nm^3/h)");
  EXPECT_EQ(window.findChild<QPushButton*>("CMD1")->text(), "Velocity");
  EXPECT_EQ(window.findChild<QPushButton*>("CMD3")->text(), "Exit");
  EXPECT_EQ(ContextMenu(window.findChild<QLineEdit*>("TP")),
            QStringList({"&Undo", "&Redo", "Cu&t", "&Copy", "&Paste", "Delete", "Select All"}));

  const auto prompt = QtMessageBoxes::BuildPromptBox(&window, Prompt::EnterCompleteData);
  EXPECT_EQ(prompt->windowTitle(), "Ovrin");
  EXPECT_EQ(prompt->text(), "Please enter complete data.");
  EXPECT_EQ(prompt->button(QMessageBox::Ok)->text(), "OK");
  const auto fault = QtMessageBoxes::BuildFaultBox(&window, FaultKind::DivisionByZero);
  EXPECT_EQ(fault->text(), "Division by zero");
  EXPECT_TRUE(fault->informativeText().startsWith("The calculation could not be completed"));
}

// Every caption, button text and field of the window has room for its text.
void ExpectEveryTextFits(const QWidget& window, const std::string& setting) {
  for (const auto* frame : window.findChildren<QGroupBox*>()) {
    const QFontMetrics metrics = frame->fontMetrics();
    const auto* box = frame->findChild<QLineEdit*>();
    const double scale = LayoutScale(window.font());
    // The caption's indent and padding, on its left and right.
    const int insets = qRound(10 * scale);
    EXPECT_LE(metrics.horizontalAdvance(frame->title()) + insets, frame->width())
        << setting << " " << frame->title().toStdString();
    EXPECT_LE(metrics.height(), box->y()) << setting << " caption above its field";
    EXPECT_LE(box->minimumSizeHint().height(), box->height()) << setting;
    EXPECT_LE(box->geometry().right(), frame->width()) << setting;
    EXPECT_LE(box->geometry().bottom(), frame->height()) << setting;
  }
  for (const auto* button : window.findChildren<QPushButton*>()) {
    const QFontMetrics metrics = button->fontMetrics();
    EXPECT_LE(metrics.horizontalAdvance(button->text()) + 8, button->width())
        << setting << " " << button->text().toStdString();
    EXPECT_LE(metrics.height() + 4, button->height()) << setting;
  }
  for (const auto* child : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (child->isHidden()) continue;  // the marker, a closed section
    EXPECT_TRUE(window.rect().contains(child->geometry())) << setting;
  }
  // The strip's lines, as a diameter calculation fills them, whole and hardly smaller than
  // the window's type; the chooser's label whole.
  for (const auto* line : window.findChild<QWidget*>("pipeStrip")->findChildren<QLineEdit*>()) {
    EXPECT_FALSE(line->text().isEmpty()) << setting;
    EXPECT_LE(line->fontMetrics().horizontalAdvance(line->text()), line->width()) << setting;
    EXPECT_GE(line->font().pointSizeF(), 0.9 * window.font().pointSizeF())
        << setting << " " << line->text().toStdString();
    EXPECT_LE(line->minimumSizeHint().height(), line->height()) << setting;
  }
  const auto* label = window.findChild<QLabel*>("seriesLabel");
  EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width()) << setting;
  EXPECT_LE(label->fontMetrics().height(), label->height()) << setting;
  // The pressure drop's toggle, its word beside its arrow, and the section's text, wrapped.
  const auto* toggle = window.findChild<QToolButton*>("dropToggle");
  EXPECT_LE(
      toggle->fontMetrics().horizontalAdvance(toggle->text()) + toggle->iconSize().width() + 8,
      toggle->width())
      << setting;
  EXPECT_LE(toggle->fontMetrics().height() + 4, toggle->height()) << setting;
  const auto* drop_text = window.findChild<QLabel*>("dropText");
  EXPECT_LE(drop_text->heightForWidth(drop_text->width()), drop_text->height())
      << setting << " " << drop_text->text().toStdString();
}

TEST(Layout, EveryTextFitsAtEveryFontSizeInBothLanguages) {
  for (Language language : {Language::Chinese, Language::English}) {
    QSize previous;
    for (double points : {9, 11, 12, 14, 16}) {
      const std::string setting = (language == Language::English ? "English " : "Chinese ") +
                                  std::to_string(static_cast<int>(points)) + " pt";
      Setting applied(language, points);
      RecordingMessages messages;
      MainWindow window(messages);
      window.show();
      ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
      window.Write(Field::Pressure, "0.3");
      window.Write(Field::Velocity, "10");
      window.Write(Field::Flow, "1000");
      window.findChild<QPushButton*>("dia")->click();
      ExpectEveryTextFits(window, setting);
      const QSize closed = window.size();
      window.findChild<QAbstractButton*>("dropToggle")->click();
      // Its longest text: where the gas runs out.
      window.findChild<QLineEdit*>("drop_length")->setText("100000");
      ExpectEveryTextFits(window, setting + " with the pressure drop");
      EXPECT_EQ(window.width(), closed.width()) << setting;
      window.findChild<QAbstractButton*>("dropToggle")->click();
      EXPECT_EQ(window.size(), closed) << setting;
      EXPECT_EQ(window.minimumSize(), window.maximumSize()) << setting << " still fixed";
      if (previous.isValid()) {
        EXPECT_GT(window.width(), previous.width()) << setting;
      }
      previous = window.size();

      // Centred as grown: the outer frame's middle is the screen's middle.
      window.CentreOnScreen();
      const QRect screen = window.screen()->geometry();
      EXPECT_NEAR(window.x() + (window.width() + 6) / 2.0, screen.center().x(), 1.5) << setting;
      EXPECT_NEAR(window.y() + (window.height() + 25) / 2.0, screen.center().y(), 1.5) << setting;
    }
  }
}

TEST(Layout, TheDefaultFontGivesTodaysGeometryToThePixel) {
  const std::pair<const char*, QRect> controls[] = {
      {"Frame1", {24, 8, 105, 49}},   {"TP", {8, 16, 89, 25}},       {"Frame2", {184, 8, 121, 49}},
      {"TV", {8, 16, 105, 25}},       {"Frame3", {24, 64, 105, 49}}, {"TD", {8, 16, 89, 25}},
      {"Frame4", {184, 64, 121, 49}}, {"TM", {8, 16, 105, 25}},      {"CMD1", {16, 128, 65, 25}},
      {"CMD2", {96, 128, 65, 25}},    {"CMD3", {256, 128, 65, 25}},  {"dia", {176, 128, 65, 25}},
      {"T5", {136, 56, 33, 18}},
  };
  for (Language language : {Language::Chinese, Language::English}) {
    Setting applied(language, 9);
    RecordingMessages messages;
    MainWindow window(messages);
    EXPECT_EQ(window.size(), QSize(326, 167 + 40)) << "today's window and the two-line strip";
    for (const auto& [name, geometry] : controls) {
      EXPECT_EQ(window.findChild<QWidget*>(name)->geometry(), geometry) << name;
    }
    auto* toggle = window.findChild<QAbstractButton*>("dropToggle");
    toggle->click();
    EXPECT_EQ(window.size(), QSize(326, 207 + 153)) << "with the pressure drop open";
    toggle->click();
  }
}

TEST(Accessibility, ReadersHearNamesUnitsActionsAndAlerts) {
  RecordingMessages messages;
  MainWindow window(messages);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  QAccessibleInterface* form = QAccessible::queryAccessibleInterface(&window);
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->role(), QAccessible::Window);
  EXPECT_EQ(form->childCount(), 10) << "four frames, four buttons, the pipe strip and the "
                                       "pressure drop's toggle, not the marker";
  QStringList seen;
  for (int i = 0; i < form->childCount(); ++i) {
    QAccessibleInterface* child = form->child(i);
    EXPECT_EQ(form->indexOfChild(child), i);
    seen << child->object()->objectName();
  }
  EXPECT_FALSE(seen.contains("T5"));

  const std::tuple<const char*, QAccessible::Role, const char*> named[] = {
      {"Frame1", QAccessible::Grouping, "压强（MPa）"},
      {"TP", QAccessible::EditableText, "压强 MPa"},
      {"TV", QAccessible::EditableText, "流速 m/s"},
      {"TD", QAccessible::EditableText, "流通直径 mm"},
      {"TM", QAccessible::EditableText, "流量 Nm³/h"},
      {"CMD1", QAccessible::Button, "计算流速"},
      {"CMD2", QAccessible::Button, "计算流量"},
      {"dia", QAccessible::Button, "计算流通直径"},
      {"CMD3", QAccessible::Button, "退  出"},
  };
  for (const auto& [name, role, spoken] : named) {
    QAccessibleInterface* control =
        QAccessible::queryAccessibleInterface(window.findChild<QWidget*>(name));
    EXPECT_EQ(control->role(), role) << name;
    EXPECT_EQ(control->text(QAccessible::Name), QString::fromUtf8(spoken)) << name;
    if (role == QAccessible::EditableText) {
      EXPECT_FALSE(control->text(QAccessible::Description).isEmpty()) << name;
    }
  }
  {
    Setting english(Language::English);
    MainWindow english_window(messages);
    const auto name = [&](const char* control) {
      return QAccessible::queryAccessibleInterface(english_window.findChild<QWidget*>(control))
          ->text(QAccessible::Name);
    };
    EXPECT_EQ(name("TP"), "Pressure, MPa");
    EXPECT_EQ(name("TM"), "Flow, Nm³/h");
    EXPECT_EQ(name("CMD2"), "Calculate Flow");
  }

  // Prompts and faults are alerts, which Qt announces when they show.
  for (const auto& box : {QtMessageBoxes::BuildPromptBox(&window, Prompt::EnterDiameter),
                          QtMessageBoxes::BuildFaultBox(&window, FaultKind::Overflow)}) {
    EXPECT_EQ(QAccessible::queryAccessibleInterface(box.get())->role(), QAccessible::AlertMessage);
  }
}

TEST(Desktop, TheWindowIconComesFromTheIconThemeOrIsBuiltIn) {
  const QStringList saved_paths = QIcon::themeSearchPaths();
  const QString saved_theme = QIcon::themeName();
  QTemporaryDir icons;
  ASSERT_TRUE(QDir(icons.path()).mkpath("hicolor/48x48/apps"));
  QFile index(icons.filePath("hicolor/index.theme"));
  ASSERT_TRUE(index.open(QIODevice::WriteOnly));
  index.write(
      "[Icon Theme]\nName=Hicolor\nDirectories=48x48/apps\n"
      "[48x48/apps]\nSize=48\nType=Fixed\n");
  index.close();
  QIcon::setThemeName("hicolor");
  QIcon::setThemeSearchPaths({icons.path()});
  EXPECT_TRUE(ApplicationIcon().name().isEmpty()) << "nothing installed: the built-in icon";
  EXPECT_TRUE(ApplicationIcon().availableSizes().contains(QSize(256, 256)));
  for (const int side : {16, 40, 256}) {
    const QImage drawn = ApplicationIcon().pixmap(QSize(side, side)).toImage();
    EXPECT_EQ(drawn.size(), QSize(side, side));
    EXPECT_NE(drawn.pixelColor(side / 2, side / 2).alpha(), 0) << side << " px: the icon drawn";
  }
  ASSERT_TRUE(
      QFile::copy(":/tarnivel/tarnivel-48.png", icons.filePath("hicolor/48x48/apps/tarnivel.png")));
  QIcon::setThemeSearchPaths({icons.path()});  // looks again
  EXPECT_EQ(ApplicationIcon().name(), "tarnivel");
  {
    RecordingMessages messages;
    MainWindow window(messages);
    ShowCalculatorWindow(window);
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.windowIcon().name() == "tarnivel"; }))
        << "the shown window gets the icon once it is painted";
  }
  QIcon::setThemeSearchPaths(saved_paths);
  QIcon::setThemeName(saved_theme);
}

}  // namespace
}  // namespace tarnivel
