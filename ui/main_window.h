#pragma once
// The calculator window.
//
//   text boxes (FieldSet) --> CalcVelocity / CalcFlow / CalcDiameter --> CalcOutcome
//        ^                                 |                                  |
//        |                                               prompt, then focus, or fault
//        +--- FieldKeys (Enter walks the fields, T5 marks odd characters)     |
//                                          v                                  v
//                              MessageBoxInterface::ShowFault   MessageBoxInterface::ShowPrompt
//
// Controls carry the names the rest of the program and the tests know them by (TP, TV, TD,
// TM, T5, CMD1, CMD2, CMD3, dia, Frame1..Frame4); the window itself is form1.

#include <QWidget>
#include <array>

#include "core/fields.h"
#include "core/quantities.h"

class QLineEdit;
class QPushButton;

namespace tarnivel {

class DropSection;
class LineWindow;
class MessageBoxInterface;
class PipeStrip;

class MainWindow final : public QWidget, public FieldSet {
  Q_OBJECT

 public:
  explicit MainWindow(MessageBoxInterface& messages, QWidget* parent = nullptr);

  // FieldSet over the text boxes; a write shows at once.
  std::string Read(Field field) const override;
  void Write(Field field, std::string_view text) override;

  // Moves the window to the middle of the screen it is on; leaves it be if that fails.
  void CentreOnScreen();

 private:
  // Grows the layout, placed in twips at the default font, for the window's font.
  void GrowWithFont();
  void RunCalculation(Calculation calculation);
  // Shows the line window (Ctrl+L), made at its first use, its inlet offered from 压强.
  void OpenLineWindow();
  // Saves the calculation sheet of the last diameter calculation (Ctrl+P, or the window's
  // context menu), with the pressure-drop section's line when it is open.
  void SaveSheet();
  QLineEdit* TextBox(Field field) const;

  MessageBoxInterface& messages_;
  double scale_ = 1;  // the layout's growth with the window's font (twips.h)
  std::array<QLineEdit*, kFieldCount> text_boxes_{};  // by Field
  PipeStrip* strip_ = nullptr;         // below the buttons: the basis and the pipe of a result
  DropSection* drop_ = nullptr;        // below the strip
  LineWindow* line_window_ = nullptr;  // none until Ctrl+L
};

}  // namespace tarnivel
