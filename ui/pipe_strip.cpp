#include "ui/pipe_strip.h"

#include <QComboBox>
#include <QLineEdit>

#include "core/pipes.h"
#include "ui/language.h"
#include "ui/twips.h"

namespace tarnivel {
namespace {

// Inside the strip: the text, then the chooser at its end.
constexpr int kTextWidth = 3657, kChooserLeft = 3702, kChooserWidth = 990;

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
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
  for (const PipeSeries& series : BuiltInSeries()) {
    const SeriesLabel label = LabelOf(series.name);
    series_->addItem(Text(label.label), Text(series.name));
    series_->setItemData(series_->count() - 1, CoreText(label.description), Qt::ToolTipRole);
  }
  series_->setCurrentIndex(series_->findData(Text(kFirstSeries)));
  series_->setToolTip(CoreText(kSeriesHint));
  series_->setAccessibleName(tr("管道系列"));
  text_->setAccessibleName(tr("标准管道与工况"));
  text_->setAccessibleDescription(
      tr("上次计算的依据：绝压与工况流量；直径计算后还有所选系列中的标准管道及其中的流速"));
  setAccessibleName(tr("标准管道"));
  connect(series_, &QComboBox::currentIndexChanged, this, &PipeStrip::Refresh);
}

QWidget* PipeStrip::Chooser() const { return series_; }

void PipeStrip::ShowCalculation(Calculation calculation, const FieldSet& fields) {
  summary_.Show(calculation, fields);
  shown_ = calculation;
  for (Field field : kAllFields) shown_fields_.Write(field, fields.Read(field));
  Refresh();
}

void PipeStrip::Clear() {
  summary_.Clear();
  shown_.reset();
  Refresh();
}

std::optional<DropTexts> PipeStrip::ShownLine() const {
  if (!shown_) return std::nullopt;
  return StripLine(*shown_, shown_fields_, series_->currentData().toString().toStdString());
}

void PipeStrip::Refresh() {
  // The words in the window's language; their storage lives as long as this call.
  const QByteArray bore = tr("内径").toUtf8(), absolute = tr("绝压").toUtf8(),
                   line_flow = tr("工况流量").toUtf8(),
                   no_pipe = tr("%1 中没有内径 ≥ %2 mm 的管").toUtf8();
  const auto view = [](const QByteArray& bytes) {
    return std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()));
  };
  const SummaryWords words{view(bore), view(absolute), view(line_flow), view(no_pipe)};
  const QString text = Text(summary_.Text(series_->currentData().toString().toStdString(), words));
  text_->setText(text);
  text_->setCursorPosition(0);
  text_->setToolTip(text);
  emit Changed();
}

}  // namespace tarnivel
