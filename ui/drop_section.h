#pragma once
// The pressure-drop section below the pipe strip: the length of the line, the gas temperature
// and an allowed drop in, the outlet pressure of the strip's pipe (or of the bore in 流通直径)
// out. It opens and closes by a toggle that stays in the window while it is closed, and the
// window remembers which it was.

#include <QWidget>
#include <array>
#include <optional>

#include "core/drop_summary.h"

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
  DropSection(PipeStrip& strip, QWidget* window);

  // Opens the section if the user left it open; for the window to call once it has its size.
  void RestoreOpenState();
  // Opens or closes the section, and remembers it.
  void SetOpen(bool open);
  [[nodiscard]] bool IsOpen() const;
  // The section's texts while it is open; none while it is closed.
  [[nodiscard]] std::optional<DropParameters> OpenLine() const;

 private:
  void ShowOpen(bool open);  // without remembering it
  QLineEdit* AddFrame(const DropSectionField& field);
  QLineEdit* Box(DropQuantity quantity) const;
  void Refresh();
  DropParameters Typed() const;
  void TellTheStrip();  // the strip's pipe follows the section's texts while it is open

  PipeStrip& strip_;
  QToolButton* toggle_;
  std::array<QLineEdit*, kDropSectionFields.size()> boxes_{};  // by kDropSectionFields
  QLineEdit* outlet_;
  QLabel* text_;
};

}  // namespace tarnivel
