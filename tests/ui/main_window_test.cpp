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

TEST_F(WindowTest, ControlsSitWhereTheLayoutTablePutsThem) {
  EXPECT_EQ(window.objectName(), "form1");
  EXPECT_EQ(window.windowTitle(), "Tarnivel 1.0");
  EXPECT_EQ(TwipsRect(0, 0, kClassicClientWidth, kClassicClientHeight).size(), QSize(326, 167))
      << "the classic client area";
  EXPECT_EQ(window.width(), 326);
  EXPECT_LE(window.height(), 167 + 40) << "the pipe strip adds at most 40 pixels";
  EXPECT_EQ(window.minimumSize(), window.maximumSize()) << "not resizable";
  for (const Placement& placed : kLayout) {
    auto* widget =
        window.findChild<QWidget*>(QString::fromUtf8(placed.control.data(), placed.control.size()));
    ASSERT_NE(widget, nullptr) << placed.control;
    EXPECT_EQ(widget->parentWidget()->objectName().toStdString(), placed.container)
        << placed.control;
    EXPECT_EQ(widget->geometry(), TwipsRect(placed)) << placed.control;
  }
  // The odd sizes of the original drawing, from the table, still give today's pixels.
  EXPECT_EQ(Button("dia")->geometry(), QRect(176, 128, 65, 25));
  EXPECT_EQ(Button("CMD3")->geometry(), QRect(256, 128, 65, 25));
  EXPECT_EQ(Box("T5")->geometry(), QRect(136, 56, 33, 18));
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

TEST_F(WindowTest, TheStripDescribesTheLastResultUntilAFieldChanges) {
  auto* pipe = window.findChild<QLineEdit*>("pipeText");
  auto* basis = window.findChild<QLineEdit*>("basisText");
  auto* series = window.findChild<QComboBox*>("series");
  const auto strip = [&] { return (pipe->text() + " | " + basis->text()).toStdString(); };
  EXPECT_TRUE(pipe->isReadOnly() && basis->isReadOnly());
  EXPECT_EQ(strip(), " | ");

  Fill("0.3", "10", "", "1000");
  QTest::mouseClick(Button("dia"), Qt::LeftButton);
  EXPECT_EQ(strip(), "de125×11.4 · 内径 102.2 mm · 8.47 m/s | 绝压 0.4 MPa · 工况流量 250 m³/h");
  series->setCurrentIndex(series->findData("steel"));
  EXPECT_EQ(pipe->text(), "DN100 (114.3×6.02) · 内径 102.26 mm · 8.46 m/s");

  QTest::mouseClick(Button("CMD1"), Qt::LeftButton);  // the velocity in the 94 mm bore
  EXPECT_EQ(strip(), " | 绝压 0.4 MPa · 工况流量 250 m³/h");

  // Typing into any field makes the result out of date; another series brings nothing back.
  Fill("0.3", "10", "", "1000");
  QTest::mouseClick(Button("dia"), Qt::LeftButton);
  Box("TP")->setFocus();
  Type("5");
  EXPECT_EQ(strip(), "已更改，请重新计算 | ");
  EXPECT_NE(pipe->palette().color(QPalette::Text), window.palette().color(QPalette::Text));
  series->setCurrentIndex(series->findData("pe-sdr17"));
  EXPECT_EQ(strip(), "已更改，请重新计算 | ");
  QTest::mouseClick(Button("CMD2"), Qt::LeftButton);
  EXPECT_TRUE(basis->text().startsWith("绝压 ")) << strip();
  EXPECT_EQ(pipe->palette().color(QPalette::Text), window.palette().color(QPalette::Text));

  Fill("0.3", "", "", "1000");  // a prompt clears the strip, as does a fault
  QTest::mouseClick(Button("dia"), Qt::LeftButton);
  EXPECT_EQ(strip(), " | ");
  Fill("0.3", "10", "", "1000");
  QTest::mouseClick(Button("dia"), Qt::LeftButton);
  Fill("-1", "5", "9", "1000");
  QTest::mouseClick(Button("dia"), Qt::LeftButton);
  EXPECT_EQ(strip(), " | ");
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
