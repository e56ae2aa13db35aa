// A seeded storm of keys, pastes, input-method text and clicks over the real window.
//
// After every action: nothing crashed, T5 holds nothing or "1", and each input field changed
// only by typing into it or by the calculation that owns it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <array>
#include <random>

#include "tests/ui/recording_messages.h"
#include "ui/main_window.h"

namespace tarnivel {
namespace {

QString Name(std::string_view name) { return QString::fromLatin1(name.data(), name.size()); }

const std::array<QString, 4> kFields = [] {
  std::array<QString, 4> names;
  for (std::size_t f = 0; f < names.size(); ++f) names[f] = Name(kInputFields[f].control);
  return names;
}();
const std::array<QString, 4> kButtons = {Name(kCalculations[0].control),
                                         Name(kCalculations[1].control), "CMD3",
                                         Name(kCalculations[2].control)};

// The fields each button's calculation may write.
bool Owns(const QString& button, const QString& field) {
  for (const CalculationInfo& info : kCalculations) {
    if (button != Name(info.control)) continue;
    for (const InputField& input : kInputFields) {
      if (field == Name(input.control)) return Writes(info.calculation, input.field);
    }
  }
  return false;
}

QString OddText(std::mt19937& random) {
  switch (random() % 7) {
    case 0:
      return QString(1 << 17, QChar('7'));  // four times what a text box used to keep
    case 1:
      return QStringLiteral("\t\x01\x1b\r\n0.3\x7f");
    case 2:
      return QStringLiteral("流量１２３，４");
    case 3:
      return QStringLiteral("1e999");
    case 4:
      return QStringLiteral("-0.1");
    case 5:
      return QString::number(static_cast<double>(random()) / 1000, 'g', 17);
    default:
      return QStringLiteral("12abc 1,000 .5 +7");
  }
}

class Storm {
 public:
  explicit Storm(unsigned seed) : random_(seed) {}

  void Run(int actions) {
    window_.show();
    window_.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
    for (int i = 0; i < actions; ++i) {
      const auto before = Texts();
      const QString owner = Act();
      const auto after = Texts();
      for (const QString& text : after) longest_ = std::max(longest_, text.size());
      const QString marker = window_.findChild<QLineEdit*>("T5")->text();
      ASSERT_TRUE(marker.isEmpty() || marker == "1") << "action " << i;
      for (std::size_t f = 0; f < 4; ++f) {
        if (before[f] != after[f]) {
          ASSERT_TRUE(owner == kFields[f] || Owns(owner, kFields[f]))
              << "action " << i << " by " << owner.toStdString() << " changed "
              << kFields[f].toStdString();
        }
      }
      if (!window_.isVisible()) {  // the exit button closed it; the user starts it again
        window_.show();
        window_.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
      }
    }
  }

  const RecordingMessages& messages() const { return messages_; }
  qsizetype longest() const { return longest_; }

 private:
  std::array<QString, 4> Texts() const {
    std::array<QString, 4> texts;
    for (std::size_t f = 0; f < 4; ++f)
      texts[f] = window_.findChild<QLineEdit*>(kFields[f])->text();
    return texts;
  }

  // Does one random thing; returns the name of the control that may change fields: a field
  // typed into, or a button whose calculation ran.
  QString Act() {
    QWidget* focus = QApplication::focusWidget();
    const QString focused = focus ? focus->objectName() : QString();
    switch (random_() % 10) {
      case 0: {  // click a button
        auto* button = window_.findChild<QPushButton*>(kButtons[random_() % 4]);
        QTest::mouseClick(button, Qt::LeftButton);
        return button->objectName();
      }
      case 1: {  // click into a field
        auto* field = window_.findChild<QLineEdit*>(kFields[random_() % 4]);
        QTest::mouseClick(field, Qt::LeftButton);
        return QString();
      }
      case 2: {  // paste something odd into the focused field
        QApplication::clipboard()->setText(OddText(random_));
        QTest::keyClick(focus, Qt::Key_V, Qt::ControlModifier);
        return focused;
      }
      case 3: {  // an input method commits text
        QInputMethodEvent commit;
        commit.setCommitString(random_() % 2 ? QStringLiteral("流速") : QStringLiteral("１.５"));
        if (focus) QApplication::sendEvent(focus, &commit);
        return focused;
      }
      default: {  // a key
        static const Qt::Key kKeys[] = {
            Qt::Key_0,      Qt::Key_1,      Qt::Key_5,    Qt::Key_9,       Qt::Key_Period,
            Qt::Key_Minus,  Qt::Key_E,      Qt::Key_A,    Qt::Key_Comma,   Qt::Key_Space,
            Qt::Key_Return, Qt::Key_Enter,  Qt::Key_Tab,  Qt::Key_Backtab, Qt::Key_Backspace,
            Qt::Key_Delete, Qt::Key_Escape, Qt::Key_Left, Qt::Key_Home,    Qt::Key_Z};
        const Qt::Key key = kKeys[random_() % std::size(kKeys)];
        const auto modifiers = random_() % 8 == 0 ? Qt::ControlModifier : Qt::NoModifier;
        if (focus) QTest::keyClick(focus, key, modifiers);
        // Enter or Space on a focused button runs its calculation.
        return focused;
      }
    }
  }

  std::mt19937 random_;
  qsizetype longest_ = 0;
  RecordingMessages messages_;
  MainWindow window_{messages_};
};

TEST(Storm, ThousandsOfActionsKeepTheWindowSound) {
  for (unsigned seed : {1u, 2u, 3u}) {
    Storm storm(seed);
    storm.Run(1500);
    if (testing::Test::HasFatalFailure()) return;
    EXPECT_FALSE(storm.messages().shown.empty()) << "the storm reached prompts and faults";
    EXPECT_GT(storm.longest(), 10000) << "long pastes reached the fields";
  }
}

}  // namespace
}  // namespace tarnivel
