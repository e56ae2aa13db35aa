// The line window: the line's parameters, its segments, and what the core computes of them.

#include "ui/line_window.h"

#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <initializer_list>

#include "core/line/line_summary.h"
#include "core/line/segment_csv.h"
#include "core/numeric.h"
#include "core/pipes.h"
#include "core/quantities.h"
#include "ui/accessibility.h"
#include "ui/language.h"
#include "ui/sheet/sheet_dialog.h"

namespace tarnivel {
namespace {

// The columns of the results, beside the segments' own.
enum class ResultColumn { Pipe, Bore, Velocity, Drop, Outlet };
constexpr int kResultColumns = 5;

// A column's or a field's caption: «管长（m）», «Length (m)»; the word alone without a unit.
QString Caption(std::string_view label, std::string_view unit) {
  if (unit.empty()) return CoreText(label);
  //: A caption with its unit: %1 the quantity, %2 the unit.
  return LineWindow::tr("%1（%2）").arg(CoreText(label), Text(unit));
}

QString Cell(const QTableWidget& table, int row, int column) {
  const QTableWidgetItem* item = table.item(row, column);
  return item == nullptr ? QString() : item->text();
}

std::optional<std::string> TextOf(const QLineEdit& box) {
  const QString text = box.text().trimmed();
  if (text.isEmpty()) return std::nullopt;
  return text.toStdString();
}

QPushButton* AddButton(QHBoxLayout& row, const char* name, const QString& text,
                       const QString& keys) {
  auto* button = new QPushButton(text);
  button->setObjectName(QString::fromLatin1(name));
  button->setAutoDefault(true);  // Enter clicks it when it has the focus
  if (!keys.isEmpty()) button->setToolTip(keys);
  row.addWidget(button);
  return button;
}

}  // namespace

LineWindow::LineWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("lineWindow"));
  setWindowTitle(tr("管线"));
  setAccessibleDescription(tr("由多个管段串联的燃气管线：逐段计算出口压力、选管并校核总压降"));

  auto* parameters = new QGridLayout;
  const InputField& pressure = InputFieldOf(Field::Pressure);
  inlet_ = AddParameter(QStringLiteral("lineInlet"), pressure.quantity, pressure.display_unit, {});
  parameters->addWidget(new QLabel(Caption(pressure.quantity, pressure.display_unit)), 0, 0);
  parameters->addWidget(inlet_, 0, 1);

  series_ = new QComboBox;
  series_->setObjectName(QStringLiteral("lineSeries"));
  series_->addItem(tr("（不选管）"), QString());
  for (const SeriesLabel& label : kSeriesLabels) {
    series_->addItem(Text(label.label), Text(label.series));
    series_->setItemData(series_->count() - 1, CoreText(label.description), Qt::ToolTipRole);
  }
  const QString series_name = tr("管材系列");
  series_->setAccessibleName(series_name);
  series_->setAccessibleDescription(tr("未给内径和管材的管段在此系列中选管"));
  parameters->addWidget(new QLabel(series_name), 0, 2);
  parameters->addWidget(series_, 0, 3);

  const DropQuantityInfo& max_drop = DropQuantityOf(DropQuantity::MaxDrop);
  const LineQuantityInfo& appliance = LineQuantityOf(LineQuantity::AppliancePressure);
  const LineQuantityInfo& local = LineQuantityOf(LineQuantity::LocalShare);
  const DropQuantityInfo& temperature = DropQuantityOf(DropQuantity::Temperature);
  max_drop_ =
      AddParameter(QStringLiteral("lineMaxDrop"), max_drop.label, max_drop.display_unit, {});
  appliance_ =
      AddParameter(QStringLiteral("lineAppliance"), appliance.label, appliance.display_unit, {});
  local_ = AddParameter(QStringLiteral("lineLocal"), local.label, local.display_unit,
                        Text(FormatGeneral(*local.default_value)));
  temperature_ =
      AddParameter(QStringLiteral("lineTemperature"), temperature.label, temperature.display_unit,
                   Text(FormatGeneral(*temperature.default_value)));
  max_drop_->setAccessibleDescription(tr("允许的总压降；低压时也可由燃具额定压力得出"));
  appliance_->setAccessibleDescription(tr("低压管线：允许压降为 0.75 倍额定压力加 150 Pa"));
  const std::array<std::pair<QLineEdit*, QString>, 4> more{{
      {max_drop_, Caption(max_drop.label, max_drop.display_unit)},
      {appliance_, Caption(appliance.label, appliance.display_unit)},
      {local_, Caption(local.label, local.display_unit)},
      {temperature_, Caption(temperature.label, temperature.display_unit)},
  }};
  for (std::size_t i = 0; i < more.size(); ++i) {
    const int row = 1 + static_cast<int>(i / 2);
    const int column = 2 * static_cast<int>(i % 2);
    auto* label = new QLabel(more[i].second);
    label->setBuddy(more[i].first);
    parameters->addWidget(label, row, column);
    parameters->addWidget(more[i].first, row, column + 1);
  }
  parameters->setColumnStretch(1, 1);
  parameters->setColumnStretch(3, 1);

  segments_ = new QTableWidget(0, static_cast<int>(kSegmentColumns.size()));
  segments_->setObjectName(QStringLiteral("lineSegments"));
  segments_->setAccessibleName(tr("管段"));
  segments_->setAccessibleDescription(
      tr("每行一个管段，从入口起；Insert 添加，Ctrl+Delete 删除，Alt+上/下 移动"));
  QStringList headers;
  for (const SegmentColumnInfo& info : kSegmentColumns) {
    headers << Caption(info.label, info.display_unit);
  }
  segments_->setHorizontalHeaderLabels(headers);
  // The wall's roughness is the series' or the line's; a file's column is kept, not shown.
  segments_->setColumnHidden(static_cast<int>(SegmentColumn::Roughness), true);
  segments_->setEditTriggers(QAbstractItemView::AllEditTriggers);
  segments_->setSelectionBehavior(QAbstractItemView::SelectItems);
  // Each column as wide as its caption and cells, the last one taking what is left.
  segments_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  segments_->horizontalHeader()->setStretchLastSection(true);
  segments_->horizontalHeader()->setMinimumSectionSize(fontMetrics().averageCharWidth() * 8);
  segments_->horizontalHeader()->setHighlightSections(false);

  auto* buttons = new QHBoxLayout;
  QPushButton* add = AddButton(*buttons, "lineAdd", tr("添加管段"), QStringLiteral("Insert"));
  QPushButton* remove =
      AddButton(*buttons, "lineRemove", tr("删除管段"), QStringLiteral("Ctrl+Delete"));
  QPushButton* up = AddButton(*buttons, "lineUp", tr("上移"), QStringLiteral("Alt+Up"));
  QPushButton* down = AddButton(*buttons, "lineDown", tr("下移"), QStringLiteral("Alt+Down"));
  buttons->addStretch();
  QPushButton* open = AddButton(*buttons, "lineOpen", tr("打开…"), QStringLiteral("Ctrl+O"));
  QPushButton* save = AddButton(*buttons, "lineSave", tr("保存…"), QStringLiteral("Ctrl+S"));
  QPushButton* sheet = AddButton(*buttons, "lineSheet", tr("计算书…"), QStringLiteral("Ctrl+P"));

  results_ = new QTableWidget(0, kResultColumns);
  results_->setObjectName(QStringLiteral("lineResults"));
  results_->setAccessibleName(tr("各管段计算结果"));
  results_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  results_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  results_->horizontalHeader()->setHighlightSections(false);

  totals_ = new QLabel;
  totals_->setObjectName(QStringLiteral("lineTotals"));
  totals_->setWordWrap(true);
  totals_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  totals_->setFocusPolicy(Qt::StrongFocus);  // readers reach it by Tab
  totals_->setAccessibleName(tr("总压降与校核"));

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(parameters);
  layout->addWidget(segments_, 1);
  layout->addLayout(buttons);
  layout->addWidget(results_, 1);
  layout->addWidget(totals_);

  connect(add, &QPushButton::clicked, this, &LineWindow::AddSegment);
  connect(remove, &QPushButton::clicked, this, &LineWindow::RemoveSegment);
  connect(up, &QPushButton::clicked, this, [this] { MoveSegment(-1); });
  connect(down, &QPushButton::clicked, this, [this] { MoveSegment(1); });
  connect(open, &QPushButton::clicked, this, &LineWindow::ChooseOpen);
  connect(save, &QPushButton::clicked, this, &LineWindow::ChooseSave);
  connect(sheet, &QPushButton::clicked, this, &LineWindow::SaveSheet);
  const auto key = [this](QKeySequence keys, QWidget* scope, auto slot) {
    auto* shortcut = new QShortcut(keys, scope, this, slot);
    shortcut->setContext(Qt::WidgetWithChildrenShortcut);
  };
  key(QKeySequence(Qt::Key_Insert), segments_, [this] { AddSegment(); });
  key(QKeySequence(Qt::CTRL | Qt::Key_Delete), segments_, [this] { RemoveSegment(); });
  key(QKeySequence(Qt::ALT | Qt::Key_Up), segments_, [this] { MoveSegment(-1); });
  key(QKeySequence(Qt::ALT | Qt::Key_Down), segments_, [this] { MoveSegment(1); });
  key(QKeySequence::Open, this, [this] { ChooseOpen(); });
  key(QKeySequence::Save, this, [this] { ChooseSave(); });
  key(QKeySequence(Qt::CTRL | Qt::Key_P), this, [this] { SaveSheet(); });
  key(QKeySequence(Qt::CTRL | Qt::Key_W), this, [this] { close(); });

  for (QLineEdit* box : {inlet_, max_drop_, appliance_, local_, temperature_}) {
    connect(box, &QLineEdit::textChanged, this, &LineWindow::Recompute);
  }
  connect(series_, &QComboBox::currentIndexChanged, this, &LineWindow::Recompute);
  connect(segments_, &QTableWidget::itemChanged, this, &LineWindow::Recompute);

  // Top to bottom: the parameters row by row, the segments, their buttons, the results.
  QWidget* previous = nullptr;
  for (QWidget* next : std::initializer_list<QWidget*>{inlet_, series_, max_drop_, appliance_,
                                                       local_, temperature_, segments_, add, remove,
                                                       up, down, open, save, sheet, results_,
                                                       totals_}) {
    if (previous != nullptr) setTabOrder(previous, next);
    previous = next;
  }
  // Room for the parameters and some rows of both tables at the window's font, within the screen.
  const QFontMetrics metrics = fontMetrics();
  int columns = segments_->verticalHeader()->sizeHint().width();
  for (int c = 0; c < segments_->columnCount(); ++c) {
    if (!segments_->isColumnHidden(c)) columns += segments_->horizontalHeader()->sectionSizeHint(c);
  }
  const QMargins margins = layout->contentsMargins();
  const int width = columns + 2 * segments_->frameWidth() + margins.left() + margins.right();
  QSize size(std::max(metrics.averageCharWidth() * 120, width), metrics.height() * 42);
  if (const QScreen* screen = this->screen()) {
    size = size.boundedTo(screen->availableGeometry().size() * 9 / 10);
  }
  resize(size);
  AddSegment();
}

LineWindow::~LineWindow() {
  // A cell's editor still open commits its text as the children go, after this window's own
  // part is gone: nothing of theirs may reach it then.
  for (QObject* child : findChildren<QObject*>())
    QObject::disconnect(child, nullptr, this, nullptr);
}

QLineEdit* LineWindow::AddParameter(const QString& name, std::string_view label,
                                    std::string_view unit, const QString& placeholder) {
  auto* box = new QLineEdit;
  box->setObjectName(name);
  box->setAccessibleName(SpokenName(label, unit));
  box->setPlaceholderText(placeholder);
  return box;
}

void LineWindow::OfferInlet(const QString& inlet) {
  if (inlet_->text().trimmed().isEmpty() && !inlet.trimmed().isEmpty()) inlet_->setText(inlet);
}

GasLineTexts LineWindow::Typed() const {
  GasLineTexts texts;
  texts.inlet = inlet_->text().toStdString();
  texts.drop[DropQuantity::MaxDrop] = TextOf(*max_drop_);
  texts.drop[DropQuantity::Temperature] = TextOf(*temperature_);
  texts[LineQuantity::AppliancePressure] = TextOf(*appliance_);
  texts[LineQuantity::LocalShare] = TextOf(*local_);
  for (int row = 0; row < segments_->rowCount(); ++row) {
    SegmentTexts& segment = texts.segments.emplace_back();
    for (std::size_t c = 0; c < kSegmentColumns.size(); ++c) {
      segment.texts[c] = Cell(*segments_, row, static_cast<int>(c)).toStdString();
    }
  }
  GiveLineSeries(texts.segments, series_->currentData().toString().toStdString());
  return texts;
}

void LineWindow::AddSegment() {
  const int row = segments_->currentRow() < 0 ? segments_->rowCount() : segments_->currentRow() + 1;
  {
    const QSignalBlocker quiet(segments_);
    segments_->insertRow(row);
    for (int c = 0; c < segments_->columnCount(); ++c) {
      segments_->setItem(row, c, new QTableWidgetItem);
    }
  }
  segments_->setCurrentCell(row, 0);
  Recompute();
}

void LineWindow::RemoveSegment() {
  const int row = segments_->currentRow();
  if (row < 0) return;
  segments_->removeRow(row);
  Recompute();
}

void LineWindow::MoveSegment(int by) {
  const int row = segments_->currentRow();
  const int to = row + by;
  if (row < 0 || to < 0 || to >= segments_->rowCount()) return;
  {
    const QSignalBlocker quiet(segments_);
    for (int c = 0; c < segments_->columnCount(); ++c) {
      QTableWidgetItem* a = segments_->takeItem(row, c);
      QTableWidgetItem* b = segments_->takeItem(to, c);
      segments_->setItem(row, c, b);
      segments_->setItem(to, c, a);
    }
  }
  segments_->setCurrentCell(to, segments_->currentColumn());
  Recompute();
}

void LineWindow::SetSegments(const std::vector<SegmentTexts>& segments) {
  {
    const QSignalBlocker quiet(segments_);
    segments_->setRowCount(0);
    segments_->setRowCount(static_cast<int>(segments.size()));
    for (int row = 0; row < segments_->rowCount(); ++row) {
      for (std::size_t c = 0; c < kSegmentColumns.size(); ++c) {
        segments_->setItem(
            row, static_cast<int>(c),
            new QTableWidgetItem(Text(segments[static_cast<std::size_t>(row)].texts[c])));
      }
    }
  }
  Recompute();
}

bool LineWindow::OpenFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    ShowFault(tr("无法打开 %1：%2").arg(path, file.errorString()));
    return false;
  }
  const QByteArray bytes = file.readAll();
  const auto read = ReadSegmentCsv(std::string_view(bytes.constData(), bytes.size()));
  if (const auto* error = std::get_if<std::string>(&read)) {
    ShowFault(tr("无法读取 %1：%2").arg(path, Text(*error)));
    return false;
  }
  SetSegments(std::get<std::vector<SegmentTexts>>(read));
  return true;
}

bool LineWindow::SaveFile(const QString& path) {
  GasLineTexts texts = Typed();
  // The file keeps the segments as typed, without the line's series given to them.
  for (int row = 0; row < segments_->rowCount(); ++row) {
    texts.segments[static_cast<std::size_t>(row)][SegmentColumn::Series] =
        Cell(*segments_, row, static_cast<int>(SegmentColumn::Series)).toStdString();
  }
  const std::string csv = SegmentCsv(texts.segments);
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
      file.write(csv.data(), static_cast<qint64>(csv.size())) != static_cast<qint64>(csv.size()) ||
      !file.flush()) {
    ShowFault(tr("无法保存 %1：%2").arg(path, file.errorString()));
    return false;
  }
  return true;
}

void LineWindow::ShowFault(const QString& text) {
  QMessageBox box(QMessageBox::Warning, windowTitle(), text, QMessageBox::Ok, this);
  box.exec();
}

void LineWindow::ChooseOpen() {
  const QString path = QFileDialog::getOpenFileName(this, tr("打开管段表"), {},
                                                    tr("CSV 文件 (*.csv);;所有文件 (*)"));
  if (!path.isEmpty()) OpenFile(path);
}

void LineWindow::ChooseSave() {
  const QString path = QFileDialog::getSaveFileName(this, tr("保存管段表"), {},
                                                    tr("CSV 文件 (*.csv);;所有文件 (*)"));
  if (!path.isEmpty()) SaveFile(path);
}

void LineWindow::SaveSheet() {
  const GasLineTexts texts = Typed();
  const auto read = ReadGasLine(texts);
  const auto computed =
      std::holds_alternative<GasLine>(read)
          ? ComputeGasLine(std::get<GasLine>(read))
          : std::variant<GasLineResult, LineFault>(std::get<LineFault>(read));
  if (const auto* fault = std::get_if<LineFault>(&computed)) {
    const Translate translate = [](std::string_view text) {
      return CoreText(text).toStdString();
    };
    QMessageBox::information(this, tr("计算书"), Text(LineFaultText(*fault, translate)));
    return;
  }
  const GasLine& line = std::get<GasLine>(read);
  const GasLineResult& result = std::get<GasLineResult>(computed);
  tarnivel::SaveSheet(this, [&](const SheetStamp& stamp) {
    return LineSheet(stamp, {&texts, &line, &result});
  });
}

void LineWindow::Recompute() {
  results_->setRowCount(segments_->rowCount());
  results_->clearContents();
  const auto show = [this](bool passed, const QString& text) {
    QPalette palette = totals_->palette();
    palette.setColor(QPalette::WindowText, passed ? QColor(0, 120, 0) : QColor(190, 0, 0));
    totals_->setPalette(palette);
    totals_->setText(text);
  };
  const GasLineTexts typed = Typed();
  bool untyped = true;  // every cell blank, whatever series the line gives its segments
  for (int row = 0; row < segments_->rowCount(); ++row) {
    for (int c = 0; c < segments_->columnCount(); ++c) {
      if (!Cell(*segments_, row, c).trimmed().isEmpty()) untyped = false;
    }
  }
  if (IsBlankText(typed.inlet) || untyped) {  // nothing to find fault with yet
    totals_->setPalette(palette());
    totals_->setText(tr("输入入口压强与管段，结果随输入计算"));
    return;
  }
  const Translate translate = [](std::string_view text) { return CoreText(text).toStdString(); };
  const auto read = ReadGasLine(typed);
  if (const auto* fault = std::get_if<LineFault>(&read)) {
    show(false, Text(LineFaultText(*fault, translate)));
    return;
  }
  const GasLine& line = std::get<GasLine>(read);
  const auto computed = ComputeGasLine(line);
  if (const auto* fault = std::get_if<LineFault>(&computed)) {
    show(false, Text(LineFaultText(*fault, translate)));
    return;
  }
  const GasLineResult& result = std::get<GasLineResult>(computed);
  const LineUnits units = LineUnitsOf(result.form);
  const InputField& velocity = InputFieldOf(Field::Velocity);
  results_->setHorizontalHeaderLabels(
      {Caption(SegmentColumnOf(SegmentColumn::Pipe).label, ""),
       Caption(SegmentColumnOf(SegmentColumn::Bore).label, "mm"),
       Caption(velocity.quantity, velocity.display_unit),
       Caption(DropQuantityOf(DropQuantity::Drop).label, units.drop),
       Caption(DropQuantityOf(DropQuantity::Outlet).label, units.pressure)});
  for (std::size_t i = 0; i < result.segments.size(); ++i) {
    const SegmentResult& out = result.segments[i];
    const Segment& segment = line.segments[i];
    std::array<QString, kResultColumns> cells;
    const auto cell = [&cells](ResultColumn column) -> QString& {
      return cells[static_cast<std::size_t>(column)];
    };
    if (out.pipe) {
      cell(ResultColumn::Pipe) =
          Text(segment.series->pipes[*out.pipe].designation) + (out.sized ? "*" : "");
    }
    cell(ResultColumn::Bore) = Text(FormatGeneral(out.bore_mm));
    cell(ResultColumn::Velocity) = Text(FormatGeneral(out.inlet_velocity_ms));
    if (out.outlet_mpa) {
      cell(ResultColumn::Drop) =
          Text(FormatGeneral((out.inlet_mpa - *out.outlet_mpa) * 1e3 * units.drop_scale));
      cell(ResultColumn::Outlet) = Text(FormatGeneral(*out.outlet_mpa * units.pressure_scale));
    }
    for (int c = 0; c < kResultColumns; ++c) {
      results_->setItem(static_cast<int>(i), c,
                        new QTableWidgetItem(cells[static_cast<std::size_t>(c)]));
    }
  }
  const LineSummary summary = SummariseLine(line, result, translate);
  show(summary.passed, Text(summary.text));
}

}  // namespace tarnivel
