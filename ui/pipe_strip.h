#pragma once
// The strip below the window's buttons: the basis of the last calculation (absolute pressure,
// flow at line conditions) and, after a diameter calculation, the standard pipe of the series
// chosen at its end, with the velocity in it.

#include <QWidget>
#include <optional>

#include "core/drop_summary.h"
#include "core/fields.h"
#include "core/pipe_summary.h"
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

  // The line the strip describes, for the pressure drop along it (StripLine); none while the
  // strip is empty.
  std::optional<DropTexts> ShownLine() const;

 signals:
  void Changed();

 private:
  void Refresh();

  QLineEdit* text_;
  QComboBox* series_;
  PipeSummary summary_;  // what the strip says, written by the core
  std::optional<Calculation> shown_;
  TextFields shown_fields_;  // as the shown calculation left them
};

}  // namespace tarnivel
