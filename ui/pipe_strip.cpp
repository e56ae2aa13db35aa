#include "ui/pipe_strip.h"

#include <QComboBox>
#include <QLineEdit>

#include "core/numeric.h"
#include "core/pipecalc.h"
#include "core/pipes.h"
#include "ui/twips.h"

namespace tarnivel {
namespace {

// Inside the strip: the text, then the chooser at its end.
constexpr int kTextWidth = 3657, kChooserLeft = 3702, kChooserWidth = 990;

// The chooser's short caption of each built-in series, and the long one of its tooltip.
struct SeriesLabel {
  const char* series;
  const char* label;
  const char* description;
};
constexpr SeriesLabel kSeriesLabels[] = {
    {"steel", QT_TRANSLATE_NOOP("tarnivel::PipeStrip", "Sch40"),
     QT_TRANSLATE_NOOP("tarnivel::PipeStrip", "钢管 ASME B36.10M Schedule 40")},
    {"pe-sdr11", QT_TRANSLATE_NOOP("tarnivel::PipeStrip", "SDR11"),
     QT_TRANSLATE_NOOP("tarnivel::PipeStrip", "聚乙烯燃气管 SDR11")},
    {"pe-sdr17", QT_TRANSLATE_NOOP("tarnivel::PipeStrip", "SDR17"),
     QT_TRANSLATE_NOOP("tarnivel::PipeStrip", "聚乙烯燃气管 SDR17")},
};
constexpr const char* kFirstChoice = "pe-sdr11";  // the usual gas distribution pipe

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Short figures for a line of text: whole numbers from a thousand up, else four digits.
QString Brief(double value) {
  return std::abs(value) >= 1000 ? QString::number(value, 'f', 0) : QString::number(value, 'g', 4);
}

}  // namespace

PipeStrip::PipeStrip(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("pipeStrip"));
  text_ = new QLineEdit(this);
  text_->setObjectName(QStringLiteral("pipeText"));
  text_->setReadOnly(true);  // selectable and copyable, never typed into
  text_->setFrame(false);    // a line of text, not a field to fill in
  text_->setStyleSheet(QStringLiteral("QLineEdit { background: transparent; }"));
  text_->setFocusPolicy(Qt::ClickFocus);  // Tab goes from dia straight to the chooser
  text_->setGeometry(TwipsRect(0, 0, kTextWidth, kHeightTwips));

  series_ = new QComboBox(this);
  series_->setObjectName(QStringLiteral("series"));
  series_->setGeometry(TwipsRect(kChooserLeft, 0, kChooserWidth, kHeightTwips));
  for (const SeriesLabel& label : kSeriesLabels) {
    series_->addItem(tr(label.label), QString::fromLatin1(label.series));
    series_->setItemData(series_->count() - 1, tr(label.description), Qt::ToolTipRole);
  }
  series_->setCurrentIndex(series_->findData(QString::fromLatin1(kFirstChoice)));
  series_->setToolTip(tr("管道系列：内径不小于计算直径的最小管"));
  connect(series_, &QComboBox::currentIndexChanged, this, &PipeStrip::Refresh);
}

QWidget* PipeStrip::Chooser() const { return series_; }

void PipeStrip::ShowCalculation(Calculation calculation, const FieldSet& fields) {
  shown_ = calculation;
  pressure_ = fields.Read(Field::TP);
  velocity_ = fields.Read(Field::TV);
  flow_ = fields.Read(Field::TM);
  Refresh();
}

void PipeStrip::Clear() {
  shown_.reset();
  Refresh();
}

void PipeStrip::Refresh() {
  QStringList parts;
  if (shown_ == Calculation::Diameter) parts << PipeText();
  if (shown_) parts << BasisText();
  parts.removeAll(QString());
  const QString text = parts.join(tr(" · "));
  text_->setText(text);
  text_->setCursorPosition(0);
  text_->setToolTip(text);
}

QString PipeStrip::PipeText() const {
  const std::string name = series_->currentData().toString().toStdString();
  const PipeSeries* series = FindSeries(BuiltInSeries(), name);
  if (series == nullptr) return {};
  try {
    const RequiredBore required = RequiredBoreFor(pressure_, velocity_, flow_);
    if (required.outcome.prompt != Prompt::None) return {};
    const PipeChoice choice = ChoosePipe(*series, required.mm);
    if (!choice.chosen) {
      return tr("%1 中没有内径 ≥ %2 mm 的管").arg(series_->currentText(), Brief(required.mm));
    }
    const Pipe& pipe = series->pipes[*choice.chosen];
    const double velocity = ParseNumberStrict(VelocityInPipe(pressure_, flow_, pipe));
    return tr("%1×%2 · 内径 %3 mm · %4 m/s")
        .arg(Text(pipe.designation), Text(FormatMillimetres(pipe.wall)),
             Text(FormatMillimetres(pipe.Bore())), QString::number(velocity, 'f', 2));
  } catch (const ArithmeticFault&) {
    return {};  // the calculation went through; only the pipe's numbers are out of range
  }
}

QString PipeStrip::BasisText() const {
  TextFields fields;
  fields.Write(Field::TP, pressure_);
  fields.Write(Field::TM, flow_);
  try {
    const LineConditions line = LineConditionsOf(fields);
    QString text = tr("绝压 %1 MPa").arg(Brief(line.absolute_mpa));
    if (line.actual_flow_m3h) text += tr(" · 工况流量 %1 m³/h").arg(Brief(*line.actual_flow_m3h));
    return text;
  } catch (const ArithmeticFault&) {
    return {};
  }
}

}  // namespace tarnivel
