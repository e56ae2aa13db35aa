#pragma once
// The strip below the window's buttons, on two lines: after a diameter calculation the standard
// pipe of the series chosen at its end, with the velocity in it; then the basis of the last
// calculation (absolute pressure, flow at line conditions).

#include <QWidget>
#include <optional>

#include "core/drop_summary.h"
#include "core/fields.h"
#include "core/pipe_summary.h"
#include "core/quantities.h"
#include "core/sheet/sheet.h"

class QComboBox;
class QLineEdit;

namespace tarnivel {

class PipeStrip final : public QWidget {
  Q_OBJECT

 public:
  explicit PipeStrip(QWidget* parent);

  // After `calculation` has succeeded on `fields`.
  void ShowCalculation(Calculation calculation, const FieldSet& fields);
  // After a prompt or a fault.
  void Clear();
  // A field has changed since the result the strip describes: the strip says so instead of
  // describing numbers that are no longer there.
  void MarkChanged();

  // The texts of the pressure-drop section while it is open, none while it is closed: with an
  // allowed drop, the strip's pipe meets both the velocity and the drop.
  void SetDropLine(std::optional<DropParameters> typed);
  // What the pressure-drop section shows along the line the strip describes, with its texts
  // `typed` (SummariseStripDrop); none while the strip is empty.
  std::optional<DropSummary> DropAlong(const DropParameters& typed) const;
  // The calculation sheet of the pipe the strip shows after a diameter calculation, along the
  // line of the pressure-drop section's texts `typed` when it is open; none for another
  // result, or once a field has changed.
  std::optional<Sheet> SheetOf(const SheetStamp& stamp,
                               const std::optional<DropParameters>& typed) const;

 signals:
  void Changed();

 private:
  void Refresh();  // shows the lines and tells whoever follows the strip
  void ShowLines();

  QLineEdit* pipe_;
  QLineEdit* basis_;
  QComboBox* series_;
  PipeSummary summary_;               // what the strip says, written by the core
  std::optional<Calculation> shown_;  // the result described, so a change makes it out of date
  TextFields shown_fields_;           // as that calculation left them
  bool changed_ = false;              // a field changed since: the strip says so
};

}  // namespace tarnivel
