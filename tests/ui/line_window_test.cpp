// The line window: Ctrl+L opens it from the main window, a line typed into it is computed as
// the line command computes it, and its segments survive a save and an open.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <vector>

#include "core/line/line.h"
#include "core/line/line_summary.h"
#include "ui/language.h"
#include "tests/ui/recording_messages.h"
#include "ui/line_window.h"
#include "ui/main_window.h"

namespace tarnivel {
namespace {

struct Row {
  const char* segment;
  const char* length;
  const char* flow;
  const char* rise;
  const char* pipe;  // as the results show it: * marks a pipe the line chose
};
// A courtyard: regulator to yard, yard, a branch and a riser, in PE SDR11 at 2000 Pa.
constexpr Row kCourtyard[] = {
    {"regulator-yard", "40", "60", "", "de63*"},
    {"yard", "35", "40", "", "de63*"},
    {"branch", "25", "20", "", "de50*"},
    {"riser", "12", "8", "12", "de32*"},
};

class LineWindowTest : public testing::Test {
 protected:
  LineWindow* OpenByKey() {
    window.show();
    window.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_L, Qt::ControlModifier);
    return window.findChild<LineWindow*>(QStringLiteral("lineWindow"));
  }
  template <typename T = QLineEdit>
  static T* Find(LineWindow& line, const char* name) {
    return line.findChild<T*>(QString::fromLatin1(name));
  }
  static void TypeCourtyard(LineWindow& line) {
    Find(line, "lineInlet")->setText(QStringLiteral("0.002"));
    auto* series = Find<QComboBox>(line, "lineSeries");
    series->setCurrentIndex(series->findText(QStringLiteral("SDR11")));
    Find(line, "lineAppliance")->setText(QStringLiteral("2000"));
    auto* table = Find<QTableWidget>(line, "lineSegments");
    table->setRowCount(static_cast<int>(std::size(kCourtyard)));
    for (int row = 0; row < table->rowCount(); ++row) {
      const Row& r = kCourtyard[row];
      for (auto [column, text] : {std::pair{SegmentColumn::Name, r.segment},
                                  {SegmentColumn::Length, r.length},
                                  {SegmentColumn::Flow, r.flow},
                                  {SegmentColumn::Rise, r.rise}}) {
        table->setItem(row, static_cast<int>(column), new QTableWidgetItem(text));
      }
    }
  }

  RecordingMessages messages;
  MainWindow window{messages};
};

TEST_F(LineWindowTest, CtrlLOpensItWithThePressureOffered) {
  window.findChild<QLineEdit*>(QStringLiteral("TP"))->setText(QStringLiteral("0.3"));
  LineWindow* line = OpenByKey();
  ASSERT_NE(line, nullptr);
  EXPECT_TRUE(line->isVisible());
  EXPECT_EQ(Find(*line, "lineInlet")->text(), QStringLiteral("0.3"));
}

TEST_F(LineWindowTest, TheCourtyardIsSizedAsTheCommandSizesIt) {
  LineWindow* line = OpenByKey();
  ASSERT_NE(line, nullptr);
  TypeCourtyard(*line);
  auto* results = Find<QTableWidget>(*line, "lineResults");
  ASSERT_EQ(results->rowCount(), static_cast<int>(std::size(kCourtyard)));
  for (int row = 0; row < results->rowCount(); ++row) {
    EXPECT_EQ(results->item(row, 0)->text(), QString::fromLatin1(kCourtyard[row].pipe)) << row;
  }
  // `tarnivel line -p 0.002 -s pe-sdr11 --appliance-pressure 2000` prints these digits.
  const QString totals = Find<QLabel>(*line, "lineTotals")->text();
  EXPECT_TRUE(totals.contains(QStringLiteral("总压降 964.936036755767\u00a0Pa")))
      << totals.toStdString();
  EXPECT_TRUE(totals.contains(QStringLiteral("校核通过"))) << totals.toStdString();
}

TEST_F(LineWindowTest, SavedSegmentsOpenAsTheyWere) {
  LineWindow* line = OpenByKey();
  ASSERT_NE(line, nullptr);
  TypeCourtyard(*line);
  const GasLineTexts typed = line->Typed();
  const QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("courtyard.csv"));
  ASSERT_TRUE(line->SaveFile(path));
  Find<QTableWidget>(*line, "lineSegments")->setRowCount(0);
  ASSERT_TRUE(line->OpenFile(path));
  const GasLineTexts opened = line->Typed();
  ASSERT_EQ(opened.segments.size(), typed.segments.size());
  for (std::size_t i = 0; i < typed.segments.size(); ++i) {
    EXPECT_EQ(opened.segments[i].texts, typed.segments[i].texts) << i;
  }
}

TEST_F(LineWindowTest, ItsTotalsAndFaultsSpeakTheWindowsLanguage) {
  InstallTranslations(Language::English);
  const QRegularExpression chinese(QStringLiteral("[\\x{3000}-\\x{9fff}\\x{ff00}-\\x{ffef}]"));
  for (const std::string& word : LineSummaryWords()) {
    EXPECT_FALSE(CoreText(word).contains(chinese)) << word;
  }
  LineWindow* line = OpenByKey();
  ASSERT_NE(line, nullptr);
  TypeCourtyard(*line);
  Find(*line, "lineAppliance")->setText(QStringLiteral("1000"));
  auto* table = Find<QTableWidget>(*line, "lineSegments");
  // The yard given a bore of 20 mm loses more than the whole allowance on its own.
  table->setItem(1, static_cast<int>(SegmentColumn::Bore), new QTableWidgetItem("20"));
  const auto totals = [&] { return Find<QLabel>(*line, "lineTotals")->text(); };
  EXPECT_EQ(totals().toStdString(), "allowed drop 900\u00a0Pa; check failed: segment 1 "
                                    "(regulator-yard): nothing of the allowed drop is left to size "
                                    "it with");
  table->item(2, static_cast<int>(SegmentColumn::Length))->setText(QStringLiteral("-3"));
  EXPECT_EQ(totals().toStdString(), "Cannot compute: segment 3 (branch): Length is out of range");
  InstallTranslations(Language::Chinese);
}

// The segments' keys, from the courtyard with the yard (row 1) current: what each leaves.
struct KeyCase {
  Qt::Key key;
  Qt::KeyboardModifiers modifiers;
  std::vector<QString> names;
};
const KeyCase kKeyCases[] = {
    {Qt::Key_Up, Qt::AltModifier, {"yard", "regulator-yard", "branch", "riser"}},
    {Qt::Key_Down, Qt::AltModifier, {"regulator-yard", "branch", "yard", "riser"}},
    {Qt::Key_Delete, Qt::ControlModifier, {"regulator-yard", "branch", "riser"}},
    {Qt::Key_Insert, Qt::NoModifier, {"regulator-yard", "yard", "", "branch", "riser"}},
};

TEST_F(LineWindowTest, KeysAddRemoveAndMoveSegments) {
  LineWindow* line = OpenByKey();
  ASSERT_NE(line, nullptr);
  window.hide();  // the line window alone takes the keys
  line->activateWindow();
  ASSERT_TRUE(QTest::qWaitFor([line] { return QApplication::activeWindow() == line; }));
  auto* table = Find<QTableWidget>(*line, "lineSegments");
  for (const KeyCase& key : kKeyCases) {
    TypeCourtyard(*line);
    table->setFocus();
    table->setCurrentCell(1, 1);
    QTest::keyClick(QApplication::focusWidget(), key.key, key.modifiers);
    std::vector<QString> names;
    for (int row = 0; row < table->rowCount(); ++row) {
      const QTableWidgetItem* item = table->item(row, 0);
      names.push_back(item == nullptr ? QString() : item->text());
    }
    EXPECT_EQ(names, key.names) << key.key;
  }
}

}  // namespace
}  // namespace tarnivel
