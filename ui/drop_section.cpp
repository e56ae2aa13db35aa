#include "ui/drop_section.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QSignalBlocker>
#include <QToolButton>

#include "core/drop_summary.h"
#include "core/layout.h"
#include "core/numeric.h"
#include "ui/accessibility.h"
#include "ui/language.h"
#include "ui/pipe_strip.h"
#include "ui/text_fit.h"
#include "ui/twips.h"

namespace tarnivel {
namespace {

// Inside the section, on the window's grid: frames in its two columns, the text below them.
constexpr int kLeftColumn = 360, kLeftWidth = 1572, kRightColumn = 2760, kRightWidth = 1812;
constexpr int kSecondRow = 840, kFrameHeight = 735, kTextTop = 1680, kTextHeight = 555;
constexpr int kBoxLeft = 120, kBoxTop = 240, kBoxHeight = 375;

constexpr auto kOpenKey = "dropSection/open";

QSettings Settings() { return QSettings(QStringLiteral("Tarnivel"), QStringLiteral("Tarnivel")); }

QString Text(const std::string& text) { return QString::fromStdString(text); }

std::optional<std::string> Typed(const QLineEdit& box) {
  const QString text = box.text().trimmed();
  if (text.isEmpty()) return std::nullopt;
  return text.toStdString();
}

}  // namespace

DropSection::DropSection(const PipeStrip& strip, QWidget* window) : QWidget(window), strip_(strip) {
  setObjectName(QStringLiteral("dropSection"));
  setAccessibleName(CoreText(kDropSectionTitle));
  setAccessibleDescription(CoreText(kDropSectionHint));

  toggle_ = new QToolButton(window);
  toggle_->setObjectName(QStringLiteral("dropToggle"));
  toggle_->setText(CoreText(kDropSectionTitle));
  toggle_->setToolTip(CoreText(kDropSectionHint));
  toggle_->setAccessibleName(tr("压降计算"));
  toggle_->setAccessibleDescription(CoreText(kDropSectionHint));
  toggle_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  // A small arrow, for the word beside it to have its room between the fields.
  const int arrow = toggle_->fontMetrics().height() / 2;
  toggle_->setIconSize(QSize(arrow, arrow));
  toggle_->setArrowType(Qt::RightArrow);
  toggle_->setCheckable(true);
  toggle_->setFocusPolicy(Qt::StrongFocus);  // a tool button takes no Tab focus by default
  // In the free space between the two columns of fields, so that a closed section leaves the
  // window as it has always been.
  toggle_->setGeometry(TwipsRect(PlacementOf("dropToggle")));

  length_ = AddFrame(DropQuantity::Length, {kLeftColumn, 0, kLeftWidth, kFrameHeight},
                     QT_TR_NOOP("管道的长度，从入口到出口"));
  temperature_ = AddFrame(DropQuantity::Temperature, {kRightColumn, 0, kRightWidth, kFrameHeight},
                          QT_TR_NOOP("管道内气体的温度"));
  max_drop_ = AddFrame(DropQuantity::MaxDrop, {kLeftColumn, kSecondRow, kLeftWidth, kFrameHeight},
                       QT_TR_NOOP("可选：允许的最大压降，超过时提示"));
  outlet_ = AddFrame(DropQuantity::Outlet, {kRightColumn, kSecondRow, kRightWidth, kFrameHeight},
                     QT_TR_NOOP("管道末端气体的表压"));
  temperature_->setText(
      Text(FormatGeneral(*DropQuantityOf(DropQuantity::Temperature).default_value)));
  outlet_->setReadOnly(true);  // a result: selectable and copyable, never typed into
  outlet_->setFocusPolicy(Qt::ClickFocus);

  // Two lines: a limit exceeded or the gas running out is said in full, never cut.
  text_ = new QLabel(this);
  text_->setObjectName(QStringLiteral("dropText"));
  text_->setWordWrap(true);
  text_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  text_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  text_->setGeometry(
      TwipsRect(kBoxLeft, kTextTop, kRightColumn + kRightWidth - kBoxLeft, kTextHeight));

  hide();  // closed until the window restores what the user left
  connect(toggle_, &QToolButton::toggled, this, &DropSection::SetOpen);
  connect(&strip_, &PipeStrip::Changed, this, &DropSection::Refresh);
  for (QLineEdit* box : {length_, temperature_, max_drop_}) {
    connect(box, &QLineEdit::textChanged, this, &DropSection::Refresh);
  }
  Refresh();
}

QLineEdit* DropSection::AddFrame(DropQuantity quantity, QRect twips, const char* description) {
  auto* frame = new QGroupBox(CoreText(DropCaption(quantity)), this);
  const QString name = Text(std::string(DropQuantityOf(quantity).name));
  frame->setObjectName(QStringLiteral("%1Frame").arg(name));
  frame->setGeometry(TwipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
  auto* box = new QLineEdit(frame);
  box->setObjectName(QStringLiteral("drop_%1").arg(name));
  box->setGeometry(TwipsRect(kBoxLeft, kBoxTop, twips.width() - 2 * kBoxLeft, kBoxHeight));
  const DropQuantityInfo& info = DropQuantityOf(quantity);
  box->setAccessibleName(SpokenName(info.label, info.display_unit));
  box->setAccessibleDescription(tr(description));
  return box;
}

void DropSection::FollowInTabOrder(QWidget* previous) {
  for (QWidget* next : {static_cast<QWidget*>(toggle_), static_cast<QWidget*>(length_),
                        static_cast<QWidget*>(temperature_), static_cast<QWidget*>(max_drop_)}) {
    setTabOrder(previous, next);
    previous = next;
  }
}

void DropSection::RestoreOpenState() { ShowOpen(Settings().value(kOpenKey, false).toBool()); }

bool DropSection::IsOpen() const { return toggle_->isChecked(); }

void DropSection::SetOpen(bool open) {
  ShowOpen(open);
  Settings().setValue(kOpenKey, open);
}

void DropSection::ShowOpen(bool open) {
  const QSignalBlocker quiet(toggle_);  // toggled() would come back here
  toggle_->setChecked(open);
  toggle_->setArrowType(open ? Qt::DownArrow : Qt::RightArrow);
  setVisible(open);
  // The section's top is the closed window's bottom edge, at any font size.
  parentWidget()->setFixedHeight(y() + (open ? height() : 0));
}

void DropSection::Refresh() {
  text_->setPalette(palette());
  std::optional<DropTexts> texts = strip_.ShownLine();
  if (!texts) {
    outlet_->clear();
    text_->setText(CoreText(kDropNoLine));
    return;
  }
  (*texts)[DropQuantity::Length] = length_->text().toStdString();
  (*texts)[DropQuantity::Temperature] = Typed(*temperature_);
  (*texts)[DropQuantity::MaxDrop] = Typed(*max_drop_);
  const DropSummary summary =
      SummariseDrop(*texts, [](std::string_view text) { return CoreText(text).toStdString(); });
  ShowWhole(*outlet_, Text(summary.outlet));
  text_->setText(Text(summary.line));
  if (summary.over_limit) {  // said in the text, and shown in red as well
    QPalette red = palette();
    red.setColor(QPalette::WindowText, QColor(0xa0, 0, 0));
    text_->setPalette(red);
  }
}

}  // namespace tarnivel
