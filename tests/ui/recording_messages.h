#pragma once
// A MessageBoxInterface that records what the window would have shown, and the field texts
// and focus at that moment, instead of blocking on a dialog.

#include <QApplication>
#include <QLineEdit>
#include <QWidget>
#include <optional>
#include <vector>

#include "ui/message_box.h"

namespace tarnivel {

struct ShownMessage {
  std::optional<Prompt> prompt;
  std::optional<FaultKind> fault;
  QString tv, tm, td;  // the fields as the window showed them under the message
};

class RecordingMessages final : public MessageBoxInterface {
 public:
  void ShowPrompt(QWidget* parent, Prompt prompt) override {
    shown.push_back(
        {prompt, std::nullopt, Text(parent, "TV"), Text(parent, "TM"), Text(parent, "TD")});
  }
  void ShowFault(QWidget* parent, FaultKind kind) override {
    shown.push_back(
        {std::nullopt, kind, Text(parent, "TV"), Text(parent, "TM"), Text(parent, "TD")});
  }

  std::vector<ShownMessage> shown;

 private:
  static QString Text(QWidget* window, const char* name) {
    return window->findChild<QLineEdit*>(QString::fromLatin1(name))->text();
  }
};

}  // namespace tarnivel
