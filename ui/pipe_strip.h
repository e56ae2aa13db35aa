#pragma once
// The strip below the window's buttons: the basis of the last calculation (absolute pressure,
// flow at line conditions) and, after a diameter calculation, the standard pipe of the series
// chosen at its end, with the velocity in it.

#include <QWidget>
#include <optional>
#include <string>

#include "core/fields.h"
#include "core/quantities.h"

class QComboBox;
class QLineEdit;

namespace tarnivel {

class PipeStrip final : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kHeightTwips = 375;  // one line, as high as a text box

  explicit PipeStrip(QWidget* parent);

  // After `calculation` has succeeded on `fields`.
  void ShowCalculation(Calculation calculation, const FieldSet& fields);
  // After a prompt or a fault.
  void Clear();
  // The series chooser, for the window's tab order.
  QWidget* Chooser() const;

 private:
  void Refresh();
  QString PipeText() const;
  QString BasisText() const;

  QLineEdit* text_;
  QComboBox* series_;
  std::optional<Calculation> shown_;  // the calculation the strip describes
  std::string pressure_, velocity_, flow_;
};

}  // namespace tarnivel
