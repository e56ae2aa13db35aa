#include "ui/drop_section.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QSettings>
#include <QSignalBlocker>
#include <QToolButton>

#include "core/drop_summary.h"
#include "core/layout.h"
#include "core/numeric.h"
#include "ui/accessibility.h"
#include "ui/centring.h"
#include "ui/language.h"
#include "ui/pipe_strip.h"
#include "ui/text_fit.h"
#include "ui/twips.h"

namespace tarnivel {
namespace {

constexpr auto kOpenKey = "dropSection/open";

QSettings Settings() { return QSettings(QStringLiteral("Tarnivel"), QStringLiteral("Tarnivel")); }

// What each of the section's fields holds, for screen readers; its name gives the quantity
// and the unit.
const char* Description(DropQuantity quantity) {
  switch (quantity) {
    case DropQuantity::Length:
      return QT_TRANSLATE_NOOP("tarnivel::DropSection", "管道的长度，从入口到出口");
    case DropQuantity::Temperature:
      return QT_TRANSLATE_NOOP("tarnivel::DropSection", "管道内气体的温度");
    case DropQuantity::MaxDrop:
      return QT_TRANSLATE_NOOP("tarnivel::DropSection", "可选：允许的最大压降，超过时提示");
    case DropQuantity::Outlet:
      return QT_TRANSLATE_NOOP("tarnivel::DropSection", "管道末端气体的表压");
    default:
      break;
  }
  return "";  // not a field of the section
}

std::optional<std::string> TextOf(const QLineEdit& box) {
  const QString text = box.text().trimmed();
  if (text.isEmpty()) return std::nullopt;
  return text.toStdString();
}

}  // namespace

DropSection::DropSection(PipeStrip& strip, QWidget* window) : QWidget(window), strip_(strip) {
  setObjectName(QStringLiteral("dropSection"));
  setGeometry(TwipsRect(PlacementOf("dropSection")));
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

  for (std::size_t i = 0; i < boxes_.size(); ++i) boxes_[i] = AddFrame(kDropSectionFields[i]);
  outlet_ = Box(DropQuantity::Outlet);
  outlet_->setReadOnly(true);  // a result: selectable and copyable, never typed into
  outlet_->setFocusPolicy(Qt::ClickFocus);

  // Two lines: a limit exceeded or the gas running out is said in full, never cut.
  text_ = new QLabel(this);
  text_->setObjectName(QStringLiteral("dropText"));
  text_->setWordWrap(true);
  text_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  text_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  text_->setGeometry(TwipsRect(PlacementOf("dropText")));

  hide();  // closed until the window restores what the user left
  connect(toggle_, &QToolButton::toggled, this, &DropSection::SetOpen);
  connect(&strip_, &PipeStrip::Changed, this, &DropSection::Refresh);
  for (QLineEdit* box : boxes_) {
    if (box != outlet_) connect(box, &QLineEdit::textChanged, this, &DropSection::TellTheStrip);
  }
  Refresh();
}

QLineEdit* DropSection::AddFrame(const DropSectionField& field) {
  const Placement& box_place = PlacementOf(field.control);
  auto* frame = new QGroupBox(CoreText(DropCaption(field.quantity)), this);
  frame->setObjectName(Text(box_place.container));
  frame->setGeometry(TwipsRect(PlacementOf(box_place.container)));
  auto* box = new QLineEdit(frame);
  box->setObjectName(Text(field.control));
  box->setGeometry(TwipsRect(box_place));
  const DropQuantityInfo& info = DropQuantityOf(field.quantity);
  box->setAccessibleName(SpokenName(info.label, info.display_unit));
  box->setAccessibleDescription(tr(Description(field.quantity)));
  if (info.default_value) box->setText(Text(FormatGeneral(*info.default_value)));
  return box;
}

QLineEdit* DropSection::Box(DropQuantity quantity) const {
  for (std::size_t i = 0; i < boxes_.size(); ++i) {
    if (kDropSectionFields[i].quantity == quantity) return boxes_[i];
  }
  return nullptr;
}

void DropSection::RestoreOpenState() { ShowOpen(Settings().value(kOpenKey, false).toBool()); }

bool DropSection::IsOpen() const { return toggle_->isChecked(); }

std::optional<DropParameters> DropSection::OpenLine() const {
  return IsOpen() ? std::optional(Typed()) : std::nullopt;
}

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
  QWidget* window = parentWidget();
  const int grown = y() + (open ? height() : 0);
  const int below = window->frameGeometry().bottom() - window->geometry().bottom();
  window->setFixedHeight(grown);
  // Grown downwards, the window moves up as far as it must to stay on the screen.
  if (open && window->isVisible() && window->screen() != nullptr) {
    const QRect area = window->screen()->availableGeometry();
    const QRect frame = window->frameGeometry();
    const int top = TopKeptOnScreen(frame.top(), window->geometry().top() + grown - 1 + below,
                                    area.top(), area.bottom());
    if (top != frame.top()) window->move(frame.left(), top);
  }
  TellTheStrip();
}

DropParameters DropSection::Typed() const {
  DropParameters typed;
  for (std::size_t i = 0; i < boxes_.size(); ++i) {
    if (boxes_[i] != outlet_) typed[kDropSectionFields[i].quantity] = TextOf(*boxes_[i]);
  }
  return typed;
}

void DropSection::TellTheStrip() {
  // The strip tells the section in turn (Changed), which then shows the same pipe.
  strip_.SetDropLine(IsOpen() ? std::optional(Typed()) : std::nullopt);
}

void DropSection::Refresh() {
  text_->setPalette(palette());
  // A closed section computes nothing: a calculation then reads its texts once, for the strip.
  const std::optional<DropSummary> summary = IsOpen() ? strip_.DropAlong(Typed()) : std::nullopt;
  if (!summary) {
    outlet_->clear();
    ShowWrapped(*text_, CoreText(kDropNoLine));
    return;
  }
  ShowWhole(*outlet_, Text(summary->outlet));
  ShowWrapped(*text_, Text(summary->line));
  if (summary->over_limit) {  // said in the text, and shown in red as well
    QPalette red = palette();
    red.setColor(QPalette::WindowText, QColor(0xa0, 0, 0));
    text_->setPalette(red);
  }
}

}  // namespace tarnivel
