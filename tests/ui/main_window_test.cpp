#include "ui/main_window.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "tests/ui/recording_messages.h"
#include "ui/centring.h"
#include "ui/field_keys.h"
#include "ui/twips.h"

namespace tarnivel {
namespace {

class WindowTest : public testing::Test {
 protected:
  void SetUp() override {
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  }

  QLineEdit* Box(const char* name) { return window.findChild<QLineEdit*>(name); }
  QPushButton* Button(const char* name) { return window.findChild<QPushButton*>(name); }
  QString Text(const char* name) { return Box(name)->text(); }
  QString FocusName() {
    QWidget* focus = QApplication::focusWidget();
    return focus ? focus->objectName() : QString();
  }
  // Keys go where the user's keys would: to the widget with the focus.
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
  }
  void Type(const char* text) { QTest::keyClicks(QApplication::focusWidget(), text); }
  void Fill(const char* tp, const char* tv, const char* td, const char* tm) {
    Box("TP")->setText(tp);
    Box("TV")->setText(tv);
    Box("TD")->setText(td);
    Box("TM")->setText(tm);
  }

  RecordingMessages messages;
  MainWindow window{messages};
};

TEST_F(WindowTest, TheKeyboardRoadComputesTheVelocity) {
  EXPECT_EQ(FocusName(), "CMD1");
  for (int i = 0; i < 3; ++i) Key(Qt::Key_Tab);
  EXPECT_EQ(FocusName(), "TP");
  Type("0.3");
  Key(Qt::Key_Return);
  EXPECT_EQ(FocusName(), "TV");
  Key(Qt::Key_Return);
  EXPECT_EQ(FocusName(), "TD");
  Type("100");
  Key(Qt::Key_Enter);  // the keypad's Enter walks on too
  EXPECT_EQ(FocusName(), "TM");
  Type("1000");
  Key(Qt::Key_Return);
  EXPECT_EQ(FocusName(), "CMD1");
  EXPECT_EQ(Text("TV"), "");
  Key(Qt::Key_Return);
  EXPECT_EQ(Text("TV"), "8.84194143371033");
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(Text("T5"), "") << "only digits, periods and Enter were typed";
}

TEST_F(WindowTest, ButtonsClickBySpaceAndEnterButNeverFromATextBox) {
  Fill("0.3", "10", "100", "");
  Key(Qt::Key_Tab);  // CMD2, the flow
  Key(Qt::Key_Space);
  EXPECT_EQ(Text("TM"), "1130.973336");

  Box("TM")->setText("1000");
  for (int i = 0; i < 6; ++i) Key(Qt::Key_Tab);
  EXPECT_EQ(FocusName(), "dia");
  Key(Qt::Key_Return);
  EXPECT_EQ(Text("TD"), "94");

  // Enter and Esc in a text box click nothing; Enter only moves on.
  Fill("0.3", "", "100", "1000");
  Box("TV")->setFocus();
  Key(Qt::Key_Escape);
  Key(Qt::Key_Return);
  EXPECT_EQ(FocusName(), "TD");
  EXPECT_EQ(Text("TV"), "");
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_TRUE(window.isVisible());
}

struct PromptCase {
  const char* button;
  const char *tp, *tv, *td, *tm;
  Prompt prompt;
  const char* focus;
  const char *tv_under, *tm_under, *td_under;  // the fields as the prompt showed them
};

TEST_F(WindowTest, PromptsShowOverTheWrittenFieldsThenMoveTheFocus) {
  const PromptCase cases[] = {
      {"CMD1", "", "", "", "", Prompt::EnterDiameter, "TD", "0", "", ""},
      {"CMD1", "0.3", "7", "", "1000", Prompt::EnterDiameter, "TD", "0", "1000", ""},
      {"CMD2", "0.3", "10", "abc", "55", Prompt::EnterDiameter, "TD", "10", "0", "abc"},
      {"dia", "0.3", "10", "55", "", Prompt::EnterCompleteData, "TM", "10", "0", "55"},
      {"dia", "0.3", "", "55", "12abc", Prompt::EnterCompleteData, "TM", "", "12", "55"},
  };
  for (const PromptCase& c : cases) {
    messages.shown.clear();
    Fill(c.tp, c.tv, c.td, c.tm);
    Button("CMD1")->setFocus();
    QTest::mouseClick(Button(c.button), Qt::LeftButton);
    ASSERT_EQ(messages.shown.size(), 1u) << c.button;
    const ShownMessage& shown = messages.shown.front();
    EXPECT_EQ(shown.prompt, c.prompt) << c.button;
    EXPECT_EQ(shown.tv, c.tv_under) << c.button;
    EXPECT_EQ(shown.tm, c.tm_under) << c.button;
    EXPECT_EQ(shown.td, c.td_under) << c.button;
    EXPECT_EQ(FocusName(), c.focus) << c.button;
  }
}

TEST(MessageBoxes, PromptsAndFaultsReadAsTheyShould) {
  const auto prompt = QtMessageBoxes::BuildPromptBox(nullptr, Prompt::EnterDiameter);
  EXPECT_EQ(prompt->windowTitle(), "Ovrin");
  EXPECT_EQ(prompt->text(), "请输入流通直径");
  EXPECT_EQ(prompt->icon(), QMessageBox::NoIcon);
  EXPECT_EQ(prompt->standardButtons(), QMessageBox::Ok);
  EXPECT_EQ(prompt->button(QMessageBox::Ok)->text(), "确定");
  EXPECT_EQ(QtMessageBoxes::BuildPromptBox(nullptr, Prompt::EnterCompleteData)->text(),
            "请输入完整数据");

  const std::pair<FaultKind, const char*> faults[] = {
      {FaultKind::Overflow, "溢出"},
      {FaultKind::DivisionByZero, "除数为零"},
      {FaultKind::InvalidArgument, "无效的过程调用或参数"},
  };
  for (const auto& [kind, text] : faults) {
    const auto box = QtMessageBoxes::BuildFaultBox(nullptr, kind);
    EXPECT_EQ(box->windowTitle(), "Tarnivel");
    EXPECT_EQ(box->text(), QString::fromUtf8(text));
    EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
  }
}

struct FaultCase {
  const char* button;
  const char *tp, *tv, *td, *tm;
  FaultKind fault;
  const char *tv_after, *tm_after, *td_after;
};

TEST_F(WindowTest, FaultsAreReportedAndTheWindowKeepsTheFields) {
  const FaultCase cases[] = {
      {"CMD1", "-0.1", "", "100", "1000", FaultKind::DivisionByZero, "0", "1000", "100"},
      {"CMD1", "0.3", "", "1e200", "1000", FaultKind::Overflow, "0", "1000", "1e200"},
      {"CMD2", "0.3", "1e300", "1e200", "", FaultKind::Overflow, "1e300", "0", "1e200"},
      {"dia", "-1", "5", "9", "1000", FaultKind::InvalidArgument, "5", "1000", "9"},
      {"dia", "0.3", "5", "9", "1e999", FaultKind::Overflow, "5", "1e999", "9"},
  };
  for (const FaultCase& c : cases) {
    messages.shown.clear();
    Fill(c.tp, c.tv, c.td, c.tm);
    QTest::mouseClick(Button(c.button), Qt::LeftButton);
    ASSERT_EQ(messages.shown.size(), 1u) << c.button << " " << c.tp;
    EXPECT_EQ(messages.shown.front().fault, c.fault) << c.button << " " << c.tp;
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(Text("TP"), c.tp);
    EXPECT_EQ(Text("TV"), c.tv_after) << c.button << " " << c.tp;
    EXPECT_EQ(Text("TM"), c.tm_after) << c.button << " " << c.tp;
    EXPECT_EQ(Text("TD"), c.td_after) << c.button << " " << c.tp;
  }
  // The user corrects the input and goes on.
  messages.shown.clear();
  Fill("0.3", "", "100", "1000");
  QTest::mouseClick(Button("CMD1"), Qt::LeftButton);
  EXPECT_EQ(Text("TV"), "8.84194143371033");
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(WindowTest, OddCharactersMarkTheHiddenFieldAndStillGoIn) {
  QLineEdit* marker = Box("T5");
  EXPECT_FALSE(marker->isVisible());
  EXPECT_EQ(marker->focusPolicy(), Qt::NoFocus);

  Box("TP")->setFocus();
  Type("0.5");
  QTest::keyClick(Box("TP"), Qt::Key_Backspace);
  EXPECT_EQ(Text("TP"), "0.");
  EXPECT_EQ(marker->text(), "");

  struct Typed {
    const char* field;
    const char* keys;
    const char* text_after;
  };
  const Typed marking[] = {
      {"TD", "-", "-"},
      {"TM", "1e3", "1e3"},
      {"TV", " ", " "},
      {"TP", "a", "0.a"},
  };
  for (const Typed& typed : marking) {
    marker->clear();
    QTest::keyClicks(Box(typed.field), typed.keys);
    EXPECT_EQ(Text(typed.field), typed.text_after) << typed.keys;
    EXPECT_EQ(marker->text(), "1") << typed.keys;
  }

  // Control characters that reach the field as characters: Esc and Ctrl+V.
  for (const auto& [key, modifiers] :
       {std::pair(Qt::Key_Escape, Qt::NoModifier), std::pair(Qt::Key_V, Qt::ControlModifier)}) {
    marker->clear();
    QTest::keyClick(Box("TV"), key, modifiers, 0);
    QKeyEvent press(QEvent::KeyPress, key, modifiers,
                    key == Qt::Key_Escape ? QStringLiteral("\x1b") : QStringLiteral("\x16"));
    QApplication::sendEvent(Box("TV"), &press);
    EXPECT_EQ(marker->text(), "1") << key;
  }

  // Chinese text arrives from an input method, not as key presses.
  marker->clear();
  Box("TM")->clear();
  QInputMethodEvent commit;
  commit.setCommitString(QStringLiteral("流量"));
  QApplication::sendEvent(Box("TM"), &commit);
  EXPECT_EQ(Text("TM"), "流量");
  EXPECT_EQ(marker->text(), "1");

  // Once set, the marker stays; navigation keys are no characters and leave it alone.
  marker->setText("1");
  QTest::keyClick(Box("TP"), Qt::Key_Left);
  QTest::keyClick(Box("TP"), Qt::Key_Delete);
  EXPECT_EQ(marker->text(), "1");
  marker->clear();
  QTest::keyClick(Box("TP"), Qt::Key_Left);
  QTest::keyClick(Box("TP"), Qt::Key_Delete);
  EXPECT_EQ(marker->text(), "");
}

TEST(FieldKeyRules, TheCodesTheRulesNameAndTheirNeighbours) {
  struct Case {
    int code;
    bool mark, advance;
  };
  const Case cases[] = {
      {47, true, false},     {48, false, false}, {57, false, false},     // '/', '0', '9'
      {58, true, false},     {46, false, false}, {45, true, false},      // ':', '.', '-'
      {8, false, false},     {13, false, true},  {7, true, false},       // Backspace, Enter, BEL
      {9, true, false},      {12, true, false},  {14, true, false},      // Tab, 12 and 14
      {32, true, false},     {27, true, false},  {22, true, false},      // space, Esc, Ctrl+V
      {0, true, false},      {-1, true, false},  {-20319, true, false},  // NUL, double-byte
      {-32768, true, false}, {101, true, false}, {0xFF10, true, false},  // 'e', full-width 0
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FieldKeyRules(c.code).mark, c.mark) << c.code;
    EXPECT_EQ(FieldKeyRules(c.code).advance, c.advance) << c.code;
  }
}

TEST_F(WindowTest, TabWalksTheControlsInOrder) {
  const char* order[] = {"CMD1", "CMD2", "CMD3",   "TP",         "TV",  "TD",
                         "TM",   "dia",  "series", "dropToggle", "CMD1"};
  EXPECT_EQ(FocusName(), order[0]);
  for (std::size_t i = 1; i < std::size(order); ++i) {
    Key(Qt::Key_Tab);
    EXPECT_EQ(FocusName(), order[i]) << "after " << order[i - 1];
  }
  for (std::size_t i = std::size(order) - 1; i > 0; --i) {
    Key(Qt::Key_Backtab);
    EXPECT_EQ(FocusName(), order[i - 1]);
  }
}

TEST_F(WindowTest, ControlsSitWhereTheLayoutPutsThemInTwips) {
  struct Placed {
    const char* name;
    const char* caption;
    const char* container;
    int left, top, width, height;
  };
  const Placed controls[] = {
      {"Frame1", "压强（MPa）", "form1", 360, 120, 1572, 735},
      {"TP", "", "Frame1", 120, 240, 1332, 375},
      {"Frame2", "流速（m/s）", "form1", 2760, 120, 1812, 735},
      {"TV", "", "Frame2", 120, 240, 1572, 375},
      {"Frame3", "流通直径（mm）", "form1", 360, 960, 1572, 735},
      {"TD", "", "Frame3", 120, 240, 1332, 375},
      {"Frame4", "流量（Nm^3/h)", "form1", 2760, 960, 1812, 735},
      {"TM", "", "Frame4", 120, 240, 1572, 375},
      {"CMD1", "流速计算", "form1", 240, 1920, 975, 372},
      {"CMD2", "流量计算", "form1", 1440, 1920, 975, 372},
      {"CMD3", "退  出", "form1", 3840, 1920, 972, 372},
      {"dia", "直径计算", "form1", 2640, 1920, 975, 375},
      {"T5", "", "form1", 2040, 840, 495, 264},
      {"pipeStrip", "", "form1", 120, 2400, 4692, 375},
  };
  EXPECT_EQ(window.objectName(), "form1");
  EXPECT_EQ(window.windowTitle(), "Tarnivel 1.0");
  EXPECT_FALSE(window.windowIcon().isNull());
  EXPECT_EQ(window.size(), QSize(326, 167 + 25)) << "grown by the pipe strip only";
  EXPECT_EQ(window.minimumSize(), window.maximumSize()) << "not resizable";
  for (const Placed& placed : controls) {
    auto* widget = window.findChild<QWidget*>(placed.name);
    ASSERT_NE(widget, nullptr) << placed.name;
    EXPECT_EQ(widget->parentWidget()->objectName(), placed.container) << placed.name;
    const QRect g = widget->geometry();
    const int half_pixel = kTwipsPerPixel / 2;
    EXPECT_NEAR(g.x() * kTwipsPerPixel, placed.left, half_pixel) << placed.name;
    EXPECT_NEAR(g.y() * kTwipsPerPixel, placed.top, half_pixel) << placed.name;
    EXPECT_NEAR(g.width() * kTwipsPerPixel, placed.width, half_pixel) << placed.name;
    EXPECT_NEAR(g.height() * kTwipsPerPixel, placed.height, half_pixel) << placed.name;
    if (auto* frame = qobject_cast<QGroupBox*>(widget)) {
      EXPECT_EQ(frame->title(), QString::fromUtf8(placed.caption));
      // The caption fits its frame, after its indent and padding.
      EXPECT_LE(frame->fontMetrics().horizontalAdvance(frame->title()) + 10, g.width());
    }
    if (auto* button = qobject_cast<QPushButton*>(widget)) {
      EXPECT_EQ(button->text(), QString::fromUtf8(placed.caption));
      EXPECT_LE(button->fontMetrics().horizontalAdvance(button->text()) + 8, g.width());
    }
  }
}

TEST(Centring, PutsTheWindowInTheMiddleOfTheScreen) {
  // The window's outer size is 4980 x 2880 twips with its frame and caption bar.
  const CentredEdges edges = CentredOrigin(15360, 11520, 4980, 2880);
  EXPECT_EQ(edges.left, 5190.0f);
  EXPECT_EQ(edges.top, 4320.0f);
  const CentredEdges odd = CentredOrigin(1023, 767, 4980, 2880);
  EXPECT_EQ(odd.left, -1978.5f);
  EXPECT_EQ(odd.top, -1056.5f);
  // Sizes travel through a 7-digit text: whole twips below ten million pass unchanged, larger
  // ones come back rounded (12345678 reads back as 12345680).
  const CentredEdges wide = CentredOrigin(12345678, 9999998, 0, 0);
  EXPECT_EQ(wide.left, 6172840.0f);
  EXPECT_EQ(wide.top, 4999999.0f);
}

TEST_F(WindowTest, TheStripShowsTheBasisAndThePipeOfTheLastResult) {
  auto* strip = window.findChild<QLineEdit*>("pipeText");
  auto* series = window.findChild<QComboBox*>("series");
  ASSERT_NE(strip, nullptr);
  ASSERT_NE(series, nullptr);
  EXPECT_TRUE(strip->isReadOnly());
  EXPECT_EQ(strip->text(), "");

  Fill("0.3", "10", "", "1000");
  QTest::mouseClick(Button("dia"), Qt::LeftButton);
  EXPECT_EQ(strip->text(),
            "de125×11.4 · 内径 102.2 mm · 8.47 m/s · 绝压 0.4 MPa · 工况流量 250 m³/h");
  series->setCurrentIndex(series->findData("steel"));
  EXPECT_TRUE(strip->text().startsWith("DN100×6.02 · 内径 102.26 mm · 8.46 m/s"))
      << strip->text().toStdString();

  QTest::mouseClick(Button("CMD1"), Qt::LeftButton);  // the velocity in the 94 mm bore
  EXPECT_EQ(strip->text(), "绝压 0.4 MPa · 工况流量 250 m³/h");

  Fill("0.3", "", "", "1000");  // a prompt clears the strip, as does a fault
  QTest::mouseClick(Button("dia"), Qt::LeftButton);
  EXPECT_EQ(strip->text(), "");
  Fill("0.3", "10", "", "1000");
  QTest::mouseClick(Button("dia"), Qt::LeftButton);
  Fill("-1", "5", "9", "1000");
  QTest::mouseClick(Button("dia"), Qt::LeftButton);
  EXPECT_EQ(strip->text(), "");
}

TEST_F(WindowTest, TheExitButtonClosesTheWindowWhateverTheFieldsHold) {
  Fill("0.3", "x", "100", "1000");
  QTest::mouseClick(Button("CMD3"), Qt::LeftButton);
  EXPECT_FALSE(window.isVisible());
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(WindowTest, ResultsShowWholeAndTypingReplacesWhatAPromptPointsAt) {
  // 8.84194143371033E-06 m/s is wider than its box: the font shrinks rather than cutting it.
  Fill("0.3", "", "100", "0.001");
  QTest::mouseClick(Button("CMD1"), Qt::LeftButton);
  QLineEdit* tv = Box("TV");
  EXPECT_EQ(tv->text(), "8.84194143371033E-06");
  EXPECT_LT(tv->font().pointSizeF(), window.font().pointSizeF());
  EXPECT_LE(QFontMetricsF(tv->font()).horizontalAdvance(tv->text()), tv->width() - 8);
  EXPECT_EQ(tv->toolTip(), tv->text());
  // The user's own typing brings the ordinary font back, as does a result that fits.
  tv->setFocus();
  Key(Qt::Key_Delete);
  EXPECT_EQ(tv->font(), window.font());
  EXPECT_TRUE(tv->toolTip().isEmpty());
  QTest::mouseClick(Button("CMD1"), Qt::LeftButton);
  EXPECT_LT(tv->font().pointSizeF(), window.font().pointSizeF());
  Fill("0.3", "10", "100", "");
  QTest::mouseClick(Button("CMD2"), Qt::LeftButton);
  EXPECT_EQ(Text("TM"), "1130.973336");
  EXPECT_EQ(Box("TM")->font(), window.font());

  // The prompt leaves «0» in the flow and the cursor there: typing replaces it.
  Fill("0.3", "10", "55", "");
  QTest::mouseClick(Button("dia"), Qt::LeftButton);
  ASSERT_EQ(FocusName(), "TM");
  Type("1000");
  EXPECT_EQ(Text("TM"), "1000");

  // A pasted text is kept whole, however long.
  const QString digits(40000, QChar('7'));
  QApplication::clipboard()->setText(digits);
  Box("TP")->clear();
  Box("TP")->setFocus();
  Key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Text("TP"), digits);
}

TEST_F(WindowTest, CtrlQClosesTheWindowLikeTheExitButton) {
  Box("TV")->setFocus();
  Type("12");
  Key(Qt::Key_Q, Qt::ControlModifier);
  EXPECT_FALSE(window.isVisible());
  EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
}  // namespace tarnivel
