#include "ui/field_keys.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace tarnivel {
namespace {

void AppendCodes(const QString& text, std::vector<int>& codes) {
  for (QChar c : text) codes.push_back(c.unicode());
}

}  // namespace

KeyRuleEffect FieldKeyRules(int code) {
  KeyRuleEffect effect;
  if (code > '9') effect.mark = true;
  if (code < '0' && code != kEnterCode && code != '.' && code != kBackspaceCode) {
    effect.mark = true;
  }
  effect.advance = code == kEnterCode;
  return effect;
}

std::vector<int> CharacterCodes(const QEvent& event) {
  std::vector<int> codes;
  if (event.type() == QEvent::InputMethod) {
    AppendCodes(static_cast<const QInputMethodEvent&>(event).commitString(), codes);
    return codes;
  }
  if (event.type() != QEvent::KeyPress) return codes;
  const auto& key = static_cast<const QKeyEvent&>(event);
  switch (key.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      codes.push_back(kEnterCode);
      return codes;
    case Qt::Key_Backspace:
      codes.push_back(kBackspaceCode);
      return codes;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
      return codes;  // moving and deleting, not typing
    default:
      AppendCodes(key.text(), codes);
      return codes;
  }
}

FieldKeys::FieldKeys(QLineEdit* marker, QObject* parent) : QObject(parent), marker_(marker) {}

void FieldKeys::Watch(QLineEdit* field, QWidget* successor) {
  successors_.emplace_back(field, successor);
  field->installEventFilter(this);
}

bool FieldKeys::eventFilter(QObject* watched, QEvent* event) {
  for (int code : CharacterCodes(*event)) {
    const KeyRuleEffect effect = FieldKeyRules(code);
    if (effect.mark) marker_->setText(QStringLiteral("1"));
    if (effect.advance) {
      for (const auto& [field, successor] : successors_) {
        if (field == watched) successor->setFocus(Qt::TabFocusReason);
      }
    }
  }
  return false;  // the field still gets the character
}

}  // namespace tarnivel
