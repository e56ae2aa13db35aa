#pragma once
// The key rules of the four input fields, run on every character before it is inserted.
//
// Enter walks TP -> TV -> TD -> TM -> the velocity button; a character outside the digits,
// the period, Backspace and Enter writes "1" into the hidden marker field T5. The rules never
// change or swallow a character: the field still receives it.

#include <QObject>
#include <QString>
#include <utility>
#include <vector>

class QEvent;
class QLineEdit;
class QWidget;

namespace tarnivel {

inline constexpr int kEnterCode = 13;
inline constexpr int kBackspaceCode = 8;

struct KeyRuleEffect {
  bool mark = false;     // write "1" into T5
  bool advance = false;  // move the focus to the field's successor
};

// The rules for one character code.
KeyRuleEffect FieldKeyRules(int code);

// The character codes an event delivers to the rules: the typed characters of a key press
// (Enter and Backspace included, navigation keys such as Tab, arrows and Delete excluded) or
// the characters an input method commits. Empty when the event carries no character.
std::vector<int> CharacterCodes(const QEvent& event);

// Applies the rules to the fields it watches.
class FieldKeys final : public QObject {
 public:
  explicit FieldKeys(QLineEdit* marker, QObject* parent = nullptr);

  // Runs the rules on `field`, whose Enter moves the focus to `successor`.
  void Watch(QLineEdit* field, QWidget* successor);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLineEdit* marker_;
  std::vector<std::pair<QObject*, QWidget*>> successors_;  // field -> where Enter goes
};

}  // namespace tarnivel
