#pragma once
// The line window (管线): a whole gas line of segments in series, computed as it is typed.
//
//   the line's parameters + the table of segments --> GasLineTexts --> ComputeGasLine
//        --> per segment its pipe, bore, velocity, drop and outlet (a read-only table)
//        --> the totals and the check, green when it passes, red when it does not
//
// The segments open from and save to the CSV the line command reads (core/line/segment_csv.h).
// The main window opens it by Ctrl+L; it has no place in the main window's own layout.

#include <QWidget>
#include <array>

#include "core/line/line.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QTableWidget;

namespace tarnivel {

class LineWindow final : public QWidget {
  Q_OBJECT

 public:
  explicit LineWindow(QWidget* parent = nullptr);
  ~LineWindow() override;

  // The inlet gauge pressure in MPa, as the main window's 压强 holds it, when none is typed.
  void OfferInlet(const QString& inlet);

  // The segments from a CSV file, or to one; false, with the reason said, when that fails.
  bool OpenFile(const QString& path);
  bool SaveFile(const QString& path);

  // The line as typed, the line's series given to the segments without a pipe.
  [[nodiscard]] GasLineTexts Typed() const;

 private:
  QLineEdit* AddParameter(const QString& name, std::string_view label, std::string_view unit,
                          const QString& placeholder);
  void AddSegment();
  void RemoveSegment();
  void MoveSegment(int by);
  void SetSegments(const std::vector<SegmentTexts>& segments);
  void Recompute();
  void ShowFault(const QString& text);
  void ChooseOpen();
  void ChooseSave();
  // Saves the calculation sheet of the line as typed (Ctrl+P), or says why it cannot be had.
  void SaveSheet();

  QLineEdit* inlet_;
  QComboBox* series_;
  QLineEdit* max_drop_;
  QLineEdit* appliance_;
  QLineEdit* local_;
  QLineEdit* temperature_;
  QTableWidget* segments_;
  QTableWidget* results_;
  QLabel* totals_;
};

}  // namespace tarnivel
