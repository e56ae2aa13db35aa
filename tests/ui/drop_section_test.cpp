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
#include <QScreen>
#include <QSettings>
#include <QTest>

#include "core/drop_summary.h"
#include "core/numeric.h"
#include "tests/ui/recording_messages.h"
#include "ui/centring.h"
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
  EXPECT_TRUE(Find<QLabel>("dropText")->text().contains(QStringLiteral("5\u00a0kPa")))
      << Find<QLabel>("dropText")->text().toStdString();
  Find("drop_length")->setText("100000");
  EXPECT_EQ(Find("drop_outlet")->text(), "") << "the gas runs out: no pressure printed";
  EXPECT_TRUE(Find<QLabel>("dropText")->text().contains(QStringLiteral("\u00a0m ")))
      << Find<QLabel>("dropText")->text().toStdString();

  {
    MainWindow reopened(messages);
    EXPECT_TRUE(reopened.findChild<QWidget*>("dropSection")->isVisibleTo(&reopened))
        << "the window remembers the open section";
  }
  Find<QAbstractButton>("dropToggle")->click();
  EXPECT_EQ(window.size(), closed);
}

// What the strip and the section show after a calculation, the section open and typed into.
struct StripDropCase {
  const char* what;
  const char* pressure;
  const char* velocity;
  const char* diameter;
  const char* flow;
  const char* button;  // the calculation
  const char* series;
  const char* length;
  const char* temperature;
  const char* max_drop;
  const char* outlet;  // exactly, empty for none; nullptr: not looked at
  const char* said;    // in the section's line ("" for nothing to look for)
  const char* strip;   // in the strip's first line; "" for an empty line
};

// The no-break space between a number and its unit.
#define NB "\u00a0"

const StripDropCase kStripDropCases[] = {
    // tarnivel pipe -p 0.005 -v 10 -q 50 -s pe-sdr11 --length 200 --max-drop 1: de75, not de63.
    {"both checks", "0.005", "10", "", "50", "dia", "pe-sdr11", "200", "15", "1",
     "0.00424824975298502", "按压降选管 · 内径 61.4" NB "mm · 压降 0.7518" NB "kPa · 紊流",
     "de75×6.8"},
    {"velocity decides", "0.005", "10", "", "50", "dia", "pe-sdr11", "200", "15", "5",
     "0.00324074659018256", "按流速选管 · 内径 51.4" NB "mm", "de63×5.8"},
    {"a limit of 0", "0.005", "10", "", "50", "dia", "pe-sdr11", "200", "15", "0", "",
     "允许压降须大于 0" NB "kPa", "de63×5.8"},
    {"a negative limit", "0.3", "10", "94", "1000", "CMD1", "steel", "1000", "15", "-1", "",
     "允许压降须大于 0" NB "kPa", ""},
    {"a limit without digits", "0.005", "10", "", "50", "dia", "pe-sdr11", "200", "15", "abc", "",
     "允许压降须大于 0" NB "kPa · 允许压降 只读了开头：按 0" NB "kPa 计算", "de63×5.8"},
    {"a limit beyond the doubles", "0.005", "10", "", "50", "dia", "pe-sdr11", "200", "15", "1e999",
     "", "允许压降（kPa） 超出适用范围", "de63×5.8"},
    {"no pipe large enough", "0.005", "10", "", "1e7", "dia", "pe-sdr11", "200", "15", "", "",
     "SDR11 中没有内径 ≥ ", "SDR11 中没有内径"},
    {"no pipe within the drop", "0.005", "10", "", "50", "dia", "pe-sdr11", "200", "15", "1e-9", "",
     "SDR11 中没有压降不超过 1e-09" NB "kPa 的管，无出口压力", "SDR11 中没有压降不超过 1e-09"},
    {"a gas flowing backwards", "0.005", "-10", "", "-50", "dia", "pe-sdr11", "200", "15", "", "",
     "流速（m/s） 超出适用范围", ""},
    {"a steel bore as the strip prints it", "0.3", "10", "", "1000", "dia", "steel", "1000", "15",
     "", "0.276023194235405", "内径 102.26" NB "mm", "内径 102.26 mm"},
    {"near a friction band's edge", "0.005", "", "100", "9", "CMD1", "pe-sdr11", "100", "15", "",
     nullptr, "临界区 · Re 2122 接近 2100", ""},
    {"an unusual temperature", "0.005", "", "100", "50", "CMD1", "pe-sdr11", "100", "150", "",
     nullptr, "温度 150" NB "°C 不在常见的 -60 至 100" NB "°C 内", ""},
    {"a temperature read in part", "0.005", "", "100", "50", "CMD1", "pe-sdr11", "100", "12abc", "",
     nullptr, "温度 只读了开头：按 12" NB "°C 计算", ""},
    {"a pressure read in part", "0.005x", "", "100", "50", "CMD1", "pe-sdr11", "100", "15", "",
     nullptr, "压强 只读了开头：按 0.005" NB "MPa 计算", ""},
};

TEST_F(DropSectionTest, FollowsTheStripAndSaysWhatDecided) {
  Find<QAbstractButton>("dropToggle")->click();
  auto* series = Find<QComboBox>("series");
  for (const StripDropCase& c : kStripDropCases) {
    SCOPED_TRACE(c.what);
    const std::pair<const char*, const char*> texts[] = {
        {"TP", c.pressure},           {"TV", c.velocity},
        {"TD", c.diameter},           {"TM", c.flow},
        {"drop_length", c.length},    {"drop_temperature", c.temperature},
        {"drop_max_drop", c.max_drop}};
    for (const auto& [name, text] : texts) Find(name)->setText(QString::fromUtf8(text));
    series->setCurrentIndex(series->findData(c.series));
    QTest::mouseClick(Find<QPushButton>(c.button), Qt::LeftButton);
    if (c.outlet != nullptr) {
      EXPECT_EQ(Find("drop_outlet")->text().toStdString(), c.outlet);
    }
    const std::string said = Find<QLabel>("dropText")->text().toStdString();
    EXPECT_NE(said.find(c.said), std::string::npos) << said;
    const std::string strip = Find("pipeText")->text().toStdString();
    if (*c.strip == '\0') {
      EXPECT_TRUE(c.button != std::string("dia") || strip.empty()) << strip;
    } else {
      EXPECT_NE(strip.find(c.strip), std::string::npos) << strip;
    }
  }
  // The strip's pipe follows the allowed drop as it is typed, and the closed section's none.
  const StripDropCase& both = kStripDropCases[0];
  for (const auto& [name, text] :
       {std::pair{"TP", both.pressure}, std::pair{"TV", both.velocity},
        std::pair{"TD", both.diameter}, std::pair{"TM", both.flow},
        std::pair{"drop_length", both.length}, std::pair{"drop_temperature", both.temperature}}) {
    Find(name)->setText(text);
  }
  QTest::mouseClick(Find<QPushButton>("dia"), Qt::LeftButton);
  const auto strip = [this] { return Find("pipeText")->text().left(4).toStdString(); };
  EXPECT_EQ(strip(), "de63");
  Find("drop_max_drop")->setText("1");
  EXPECT_EQ(strip(), "de75");
  Find<QAbstractButton>("dropToggle")->click();
  EXPECT_EQ(strip(), "de63");
}

TEST_F(DropSectionTest, ItsWindowStaysOnTheScreenWhenItOpens) {
  const QRect area = window.screen()->availableGeometry();
  window.move(window.x(), area.bottom() - window.frameGeometry().height() - 2);
  Find<QAbstractButton>("dropToggle")->click();
  EXPECT_LE(window.frameGeometry().bottom(), area.bottom());
  EXPECT_GE(window.frameGeometry().top(), area.top());
  EXPECT_EQ(TopKeptOnScreen(700, 900, 0, 767), 567);
  EXPECT_EQ(TopKeptOnScreen(100, 900, 0, 767), 0) << "never above the top";
  EXPECT_EQ(TopKeptOnScreen(100, 500, 0, 767), 100);
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
