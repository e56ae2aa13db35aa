#pragma once
// The pressure-drop section below the pipe strip: the length of the line, the gas temperature
// and an allowed drop in, the outlet pressure of the strip's pipe (or of the bore in 流通直径)
// out. It opens and closes by a toggle that stays in the window while it is closed, and the
// window remembers which it was.

#include <QWidget>

#include "core/pressure_drop.h"

class QLabel;
class QLineEdit;
class QToolButton;

namespace tarnivel {

class PipeStrip;

class DropSection final : public QWidget {
  Q_OBJECT

 public:
  // Follows what `strip` shows. `window` must be the section's parent: the section sits at its
  // bottom edge, and the window grows by the section while it is open.
  DropSection(const PipeStrip& strip, QWidget* window);

  // The toggle, then the section's fields, after `previous` in the tab order.
  void FollowInTabOrder(QWidget* previous);
  // Opens the section if the user left it open; for the window to call once it has its size.
  void RestoreOpenState();
  // Opens or closes the section, and remembers it.
  void SetOpen(bool open);
  [[nodiscard]] bool IsOpen() const;

 private:
  void ShowOpen(bool open);  // without remembering it
  QLineEdit* AddFrame(DropQuantity quantity, QRect twips, const char* description);
  void Refresh();

  const PipeStrip& strip_;
  QToolButton* toggle_;
  QLineEdit *length_, *temperature_, *max_drop_, *outlet_;
  QLabel* text_;
};

}  // namespace tarnivel
