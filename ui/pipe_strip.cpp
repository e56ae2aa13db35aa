#include "ui/pipe_strip.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <utility>

#include "core/layout.h"
#include "core/numeric.h"
#include "core/pipes.h"
#include "core/sizing.h"
#include "ui/language.h"
#include "ui/text_fit.h"
#include "ui/twips.h"

namespace tarnivel {
namespace {

// A strip line's colours: the strip's own, on no background of its own (a line of text, not
// a field to fill in), its text greyed when it describes no current result. A palette rather
// than a style sheet: that would bring in a style-sheet style for two lines of text.
QPalette LinePalette(const QLineEdit& line, bool greyed) {
  QPalette palette = line.parentWidget()->palette();
  for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    palette.setColor(group, QPalette::Base, Qt::transparent);
  }
  if (greyed) {
    palette.setColor(QPalette::Text, palette.color(QPalette::Disabled, QPalette::Text));
  }
  return palette;
}

// A line of the strip: selectable and copyable, never typed into, out of the tab order.
QLineEdit* AddLine(QWidget* strip, std::string_view name) {
  auto* line = new QLineEdit(strip);
  line->setObjectName(Text(name));
  line->setReadOnly(true);
  line->setFrame(false);
  line->setPalette(LinePalette(*line, false));
  line->setFocusPolicy(Qt::ClickFocus);  // Tab goes from dia straight to the chooser
  line->setGeometry(TwipsRect(PlacementOf(name)));
  return line;
}

// Shows `text` whole on `line`, greyed when it describes no current result.
void ShowLine(QLineEdit& line, const QString& text, bool greyed) {
  line.setPalette(LinePalette(line, greyed));
  ShowWhole(line, text);
  line.setToolTip(text);
}

}  // namespace

PipeStrip::PipeStrip(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("pipeStrip"));
  setGeometry(TwipsRect(PlacementOf("pipeStrip")));
  pipe_ = AddLine(this, "pipeText");
  basis_ = AddLine(this, "basisText");

  series_ = new QComboBox(this);
  series_->setObjectName(QStringLiteral("series"));
  series_->setGeometry(TwipsRect(PlacementOf("series")));
  for (const PipeSeries& series : BuiltInSeries()) {
    const SeriesLabel label = LabelOf(series.name);
    series_->addItem(Text(label.label), Text(series.name));
    series_->setItemData(series_->count() - 1, CoreText(label.description), Qt::ToolTipRole);
  }
  series_->setCurrentIndex(series_->findData(Text(kFirstSeries)));
  series_->setToolTip(CoreText(kSeriesHint));
  series_->setAccessibleName(tr("管道系列"));
  auto* label = new QLabel(tr("管道系列"), this);
  label->setObjectName(QStringLiteral("seriesLabel"));
  label->setGeometry(TwipsRect(PlacementOf("seriesLabel")));
  label->setBuddy(series_);

  pipe_->setAccessibleName(tr("标准管道"));
  pipe_->setAccessibleDescription(tr("直径计算后所选系列中的标准管道及其中的流速"));
  basis_->setAccessibleName(tr("工况"));
  basis_->setAccessibleDescription(tr("上次计算的依据：绝压与工况流量"));
  setAccessibleName(tr("标准管道"));
  connect(series_, &QComboBox::currentIndexChanged, this, &PipeStrip::Refresh);
}

void PipeStrip::ShowCalculation(Calculation calculation, const FieldSet& fields) {
  summary_.Show(calculation, fields);
  changed_ = false;
  shown_ = calculation;
  for (Field field : kAllFields) shown_fields_.Write(field, fields.Read(field));
  Refresh();
}

void PipeStrip::Clear() {
  summary_.Clear();
  changed_ = false;
  shown_.reset();
  Refresh();
}

void PipeStrip::MarkChanged() {
  if (!shown_) return;
  // Forgotten, so that another series cannot bring the old numbers back as if current.
  summary_.Clear();
  changed_ = true;
  shown_.reset();
  Refresh();
}

void PipeStrip::SetDropLine(std::optional<DropParameters> typed) {
  summary_.SetLine(std::move(typed));
  Refresh();
}

std::optional<DropSummary> PipeStrip::DropAlong(const DropParameters& typed) const {
  if (!shown_) return std::nullopt;
  return SummariseStripDrop(*shown_, shown_fields_, series_->currentData().toString().toStdString(),
                            typed,
                            [](std::string_view text) { return CoreText(text).toStdString(); });
}

std::optional<Sheet> PipeStrip::SheetOf(const SheetStamp& stamp,
                                        const std::optional<DropParameters>& typed) const {
  if (shown_ != Calculation::Diameter || changed_) return std::nullopt;
  const PipeSeries* series =
      FindSeries(BuiltInSeries(), series_->currentData().toString().toStdString());
  if (series == nullptr) return std::nullopt;
  // A blank text is the default, as the section reads it.
  std::optional<DropParameters> line = typed;
  if (line) {
    for (std::optional<std::string>& text : line->texts) {
      if (text && IsBlankText(*text)) text.reset();
    }
    if (!(*line)[DropQuantity::Length]) line.reset();
  }
  const std::string pressure = shown_fields_.Read(Field::Pressure),
                    velocity = shown_fields_.Read(Field::Velocity),
                    flow = shown_fields_.Read(Field::Flow);
  const Sizing sizing =
      SizeStripSeries(pressure, velocity, flow, *series, line.value_or(DropParameters{}));
  if (!sizing.bore_known) return std::nullopt;
  return PipeSheet(stamp, {pressure, velocity, flow, line ? &*line : nullptr, &sizing});
}

void PipeStrip::Refresh() {
  ShowLines();
  emit Changed();
}

void PipeStrip::ShowLines() {
  if (changed_) {
    ShowLine(*pipe_, tr("已更改，请重新计算"), true);
    ShowLine(*basis_, QString(), true);
    return;
  }
  // The words in the window's language; their storage lives as long as this call.
  const QByteArray bore = tr("内径").toUtf8(), absolute = tr("绝压").toUtf8(),
                   line_flow = tr("工况流量").toUtf8(),
                   no_pipe = tr("%1 中没有内径 ≥ %2 mm 的管").toUtf8(),
                   no_pipe_within = tr("%1 中没有压降不超过 %2 kPa 的管").toUtf8();
  const auto view = [](const QByteArray& bytes) {
    return std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()));
  };
  const SummaryWords words{view(bore), view(absolute), view(line_flow), view(no_pipe),
                           view(no_pipe_within)};
  const SummaryLines lines = summary_.Lines(series_->currentData().toString().toStdString(), words);
  ShowLine(*pipe_, Text(lines.pipe), false);
  ShowLine(*basis_, Text(lines.basis), false);
}

}  // namespace tarnivel
