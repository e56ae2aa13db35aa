#pragma once
// The strip below the window's buttons: the basis of the last calculation (absolute pressure,
// flow at line conditions) and, after a diameter calculation, the standard pipe of the series
// chosen at its end, with the velocity in it.

#include <QWidget>
#include <optional>
#include <string>

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

  // The line the strip describes, for a calculation along it: the last calculation's pressure
  // and flow, the bore of the pipe shown (after a diameter calculation) or else of 流通直径,
  // and the series chosen. None while the strip is empty.
  struct Line {
    std::string pressure, flow, bore, series;
  };
  std::optional<Line> ShownLine() const;

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
