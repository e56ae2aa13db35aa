// The pressure-drop section of the window: closed, it leaves the window as it was; open, it
// shows what the core computes for the strip's pipe.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QTest>

#include "core/drop_summary.h"
#include "core/numeric.h"
#include "tests/ui/recording_messages.h"
#include "ui/language.h"
#include "ui/main_window.h"

namespace tarnivel {
namespace {

class DropSectionTest : public testing::Test {
 protected:
  void SetUp() override {
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  }
  void TearDown() override { ForgetTheSection(); }  // every other test starts closed too
  static bool ForgetTheSection() {
    QSettings(QStringLiteral("Tarnivel"), QStringLiteral("Tarnivel")).clear();
    return true;
  }

  template <typename T = QLineEdit>
  T* Find(const char* name) {
    return window.findChild<T*>(name);
  }
  QString FocusName() {
    QWidget* focus = QApplication::focusWidget();
    return focus ? focus->objectName() : QString();
  }
  void Key(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }

  bool forgotten = ForgetTheSection();  // whatever a test before left open: first of all
  RecordingMessages messages;
  MainWindow window{messages};
};

// What `tarnivel drop` prints for the line.
std::string Outlet(const char* pressure, const char* flow, const char* bore, const char* length,
                   double roughness) {
  DropCase line;
  line.inlet_mpa = ReadLeadingNumber(pressure).value;
  line.flow_nm3h = ReadLeadingNumber(flow).value;
  line.bore_mm = ReadLeadingNumber(bore).value;
  line.length_m = ReadLeadingNumber(length).value;
  line.roughness_mm = roughness;
  const auto result = ComputeDrop(line);
  return FormatGeneral(*std::get<DropResult>(result).outlet_mpa);
}

TEST_F(DropSectionTest, OpensByKeyboardAndShowsTheOutletOfTheStripsPipe) {
  const QSize closed = window.size();
  auto* section = Find<QWidget>("dropSection");
  EXPECT_FALSE(section->isVisible());
  EXPECT_EQ(Find<QLabel>("dropText")->text().toStdString(), kDropNoLine);

  // Tab order: the chooser, the toggle, then the section's fields once it is open.
  Find<QComboBox>("series")->setFocus();
  Key(Qt::Key_Tab);
  ASSERT_EQ(FocusName(), "dropToggle");
  Key(Qt::Key_Space);
  EXPECT_TRUE(section->isVisible());
  EXPECT_EQ(window.size(), QSize(closed.width(), closed.height() + section->height()));
  const char* order[] = {"drop_length", "drop_temperature", "drop_max_drop", "CMD1"};
  for (const char* name : order) {
    Key(Qt::Key_Tab);
    EXPECT_EQ(FocusName(), name);
  }

  Find("TP")->setText("0.3");
  Find("TV")->setText("10");
  Find("TM")->setText("1000");
  QTest::mouseClick(Find<QPushButton>("dia"), Qt::LeftButton);  // de125 in SDR11, bore 102.2
  EXPECT_EQ(Find<QLabel>("dropText")->text().toStdString(), kDropEnterLength);
  Find("drop_length")->setFocus();
  QTest::keyClicks(Find("drop_length"), "1000");
  EXPECT_EQ(Find("drop_outlet")->text().toStdString(),
            Outlet("0.3", "1000", "102.2", "1000", 0.01));

  // The strip's series brings its pipe and its roughness; without a pipe, 流通直径 counts.
  auto* series = Find<QComboBox>("series");
  series->setCurrentIndex(series->findData("steel"));
  EXPECT_EQ(Find("drop_outlet")->text().toStdString(),
            Outlet("0.3", "1000", "102.26", "1000", 0.1));
  QTest::mouseClick(Find<QPushButton>("CMD1"), Qt::LeftButton);  // a velocity in the 94 mm bore
  EXPECT_EQ(Find("drop_outlet")->text().toStdString(), Outlet("0.3", "1000", "94", "1000", 0.1));
  Find("TM")->setText("999");  // the strip's result is out of date, and the outlet with it
  EXPECT_EQ(Find("drop_outlet")->text(), "");
  EXPECT_EQ(Find<QLabel>("dropText")->text().toStdString(), kDropNoLine);
  QTest::mouseClick(Find<QPushButton>("CMD1"), Qt::LeftButton);

  Find("drop_max_drop")->setText("5");
  EXPECT_TRUE(Find<QLabel>("dropText")->text().contains("5 kPa"))
      << Find<QLabel>("dropText")->text().toStdString();
  Find("drop_length")->setText("100000");
  EXPECT_EQ(Find("drop_outlet")->text(), "") << "the gas runs out: no pressure printed";
  EXPECT_TRUE(Find<QLabel>("dropText")->text().contains(" m "))
      << Find<QLabel>("dropText")->text().toStdString();

  {
    MainWindow reopened(messages);
    EXPECT_TRUE(reopened.findChild<QWidget*>("dropSection")->isVisibleTo(&reopened))
        << "the window remembers the open section";
  }
  Find<QAbstractButton>("dropToggle")->click();
  EXPECT_EQ(window.size(), closed);
}

TEST(DropSectionLanguage, EveryTextOfTheSectionHasItsEnglish) {
  std::vector<std::string> texts = DropSummaryWords();
  for (std::string_view text : {kDropSectionTitle, kDropSectionHint, kDropNoLine}) {
    texts.emplace_back(text);
  }
  InstallTranslations(Language::English);
  for (const std::string& text : texts) {
    EXPECT_FALSE(
        CoreText(text).contains(QRegularExpression(QStringLiteral("[\\x{4e00}-\\x{9fff}]"))))
        << text;
  }
  RecordingMessages messages;
  MainWindow window(messages);
  const QAccessibleInterface* length =
      QAccessible::queryAccessibleInterface(window.findChild<QLineEdit*>("drop_length"));
  EXPECT_EQ(length->text(QAccessible::Name), "Length, m");
  InstallTranslations(Language::Chinese);
  MainWindow chinese(messages);
  EXPECT_EQ(QAccessible::queryAccessibleInterface(chinese.findChild<QLineEdit*>("drop_length"))
                ->text(QAccessible::Name),
            "管长 m");
}

}  // namespace
}  // namespace tarnivel
