#pragma once
// Every modal message the window shows goes through this interface, so that tests can record
// them instead of blocking on a dialog.

#include <QCoreApplication>
#include <QString>
#include <memory>

#include "core/fields.h"

class QMessageBox;
class QWidget;

namespace tarnivel {

class MessageBoxInterface {
 public:
  virtual ~MessageBoxInterface() = default;
  // A calculation asks for more data: title "Ovrin", the prompt, one OK button, no icon.
  virtual void ShowPrompt(QWidget* parent, Prompt prompt) = 0;
  // A calculation hit an arithmetic fault; the window stays open with its fields as they are.
  virtual void ShowFault(QWidget* parent, FaultKind kind) = 0;
};

// The real dialogs, modal over the window.
class QtMessageBoxes final : public MessageBoxInterface {
  Q_DECLARE_TR_FUNCTIONS(tarnivel::QtMessageBoxes)

 public:
  void ShowPrompt(QWidget* parent, Prompt prompt) override;
  void ShowFault(QWidget* parent, FaultKind kind) override;

  // The dialogs themselves, not yet shown.
  static std::unique_ptr<QMessageBox> BuildPromptBox(QWidget* parent, Prompt prompt);
  static std::unique_ptr<QMessageBox> BuildFaultBox(QWidget* parent, FaultKind kind);
};

}  // namespace tarnivel
