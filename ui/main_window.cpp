#include "ui/main_window.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QAction>
#include <QMessageBox>
#include <QShortcut>
#include <algorithm>
#include <limits>

#include "ui/accessibility.h"
#include "ui/caption_width.h"
#include "ui/centring.h"
#include "ui/drop_section.h"
#include "ui/field_keys.h"
#include "ui/frame_style.h"
#include "ui/language.h"
#include "ui/line_window.h"
#include "ui/sheet/sheet_dialog.h"
#include "ui/message_box.h"
#include "ui/pipe_strip.h"
#include "ui/text_fit.h"
#include "ui/twips.h"

namespace tarnivel {
namespace {

// Around the client area, the edges of a thin fixed frame with a caption bar.
constexpr int kSideInset = 45;
constexpr int kTopInset = 330;

// The room a button's text needs beside it, in pixels.
constexpr int kButtonTextMargins = 8;

// The smallest scale of the layout at which every frame caption and button text has its room;
// measured before the window is shown, so without a fallback font (CaptionWidth).
double ScaleToFitTexts(const QWidget& window) {
  double scale = 1;
  // `text` pixels that do not fit into `room`, which grows with the layout: a half pixel more,
  // since scaled sizes are rounded to whole pixels.
  const auto fit = [&scale](int text, int room) {
    if (text > room) scale = std::max(scale, (text + 0.5) / room);
  };
  for (const auto* frame : window.findChildren<QGroupBox*>()) {
    // The caption's indent and padding grow with the layout, its text with the font.
    fit(CaptionWidth(frame->font(), frame->title()),
        frame->width() - kCaptionIndent - 2 * kCaptionPadding);
  }
  for (const auto* button : window.findChildren<QPushButton*>()) {
    fit(CaptionWidth(button->font(), button->text()) + kButtonTextMargins, button->width());
  }
  return scale;
}

// What each field holds, for screen readers; its name gives the quantity and the unit.
const char* Description(Field field) {
  switch (field) {
    case Field::Pressure:
      return QT_TRANSLATE_NOOP("tarnivel::MainWindow", "管道内气体的表压，即高出大气压的部分");
    case Field::Velocity:
      return QT_TRANSLATE_NOOP("tarnivel::MainWindow", "管道内气体的平均流速");
    case Field::Diameter:
      return QT_TRANSLATE_NOOP("tarnivel::MainWindow", "管道的流通内径");
    case Field::Flow:
      return QT_TRANSLATE_NOOP("tarnivel::MainWindow", "标准状态下的体积流量");
  }
  return "";
}

QPushButton* AddButton(QWidget* window, std::string_view name, const QString& caption) {
  auto* button = new QPushButton(caption, window);
  button->setObjectName(Text(name));
  button->setGeometry(TwipsRect(PlacementOf(name)));
  // Enter clicks a focused button, as Space does; outside a dialog this makes no button the
  // default one.
  button->setAutoDefault(true);
  return button;
}

}  // namespace

MainWindow::MainWindow(MessageBoxInterface& messages, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      messages_(messages) {
  ExposeToReaders(staticMetaObject);
  setObjectName(Text(kWindowName));
  setWindowTitle(Text(kWindowTitle));
  setFixedSize(TwipsToPixels(kClassicClientWidth), TwipsToPixels(kClientHeight));

  for (const InputField& input : kInputFields) {
    const Placement& text_place = PlacementOf(input.control);
    auto* frame = new QGroupBox(CoreText(input.caption), this);
    frame->setObjectName(Text(text_place.container));
    frame->setGeometry(TwipsRect(PlacementOf(text_place.container)));
    auto* text_box = new QLineEdit(frame);
    text_box->setObjectName(Text(input.control));
    text_box->setGeometry(TwipsRect(text_place));
    text_box->setMaxLength(std::numeric_limits<int>::max());  // a pasted text is kept whole
    text_box->setAccessibleName(SpokenName(input));
    text_box->setAccessibleDescription(tr(Description(input.field)));
    RestoreFontOnEdit(*text_box);
    text_boxes_[static_cast<std::size_t>(input.field)] = text_box;
  }
  // The marker field is written by the key rules and read by nothing: kept, never shown.
  auto* marker = new QLineEdit(this);
  marker->setObjectName(QStringLiteral("T5"));
  marker->setGeometry(TwipsRect(PlacementOf("T5")));
  marker->setFocusPolicy(Qt::NoFocus);
  marker->hide();

  QPushButton* first_button = nullptr;
  for (const CalculationInfo& info : kCalculations) {
    QPushButton* button = AddButton(this, info.control, CoreText(info.caption));
    button->setAccessibleName(tr("计算%1").arg(CoreText(InputFieldOf(info.result).quantity)));
    connect(button, &QPushButton::clicked, this,
            [this, calculation = info.calculation] { RunCalculation(calculation); });
    if (first_button == nullptr) first_button = button;
  }
  QPushButton* exit = AddButton(this, "CMD3", tr("退  出"));

  // The pipe strip below the buttons; a change to any field makes what it says out of date.
  strip_ = new PipeStrip(this);
  for (QLineEdit* text_box : text_boxes_) {
    connect(text_box, &QLineEdit::textChanged, strip_, &PipeStrip::MarkChanged);
  }

  // The pressure drop along the strip's pipe, in a section below it, closed at first.
  auto* drop = drop_ = new DropSection(*strip_, this);

  QWidget* previous = nullptr;
  for (std::string_view name : kTabOrder) {
    auto* control = findChild<QWidget*>(Text(name));
    if (previous != nullptr) setTabOrder(previous, control);
    previous = control;
  }
  first_button->setFocus();

  auto* keys = new FieldKeys(marker, this);
  keys->Watch(TextBox(Field::Pressure), TextBox(Field::Velocity));
  keys->Watch(TextBox(Field::Velocity), TextBox(Field::Diameter));
  keys->Watch(TextBox(Field::Diameter), TextBox(Field::Flow));
  keys->Watch(TextBox(Field::Flow), first_button);

  connect(exit, &QPushButton::clicked, this, &QWidget::close);
  new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), this, this, &QWidget::close);
  // The line window is a key away, with no control of its own in this window's layout.
  new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_L), this, this, &MainWindow::OpenLineWindow);
  // So is the calculation sheet, also in the context menu of the window's background.
  auto* sheet = new QAction(tr("计算书…"), this);
  sheet->setObjectName(QStringLiteral("sheet"));
  sheet->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
  connect(sheet, &QAction::triggered, this, &MainWindow::SaveSheet);
  addAction(sheet);
  setContextMenuPolicy(Qt::ActionsContextMenu);

  GrowWithFont();  // last: it grows everything placed in twips above
  drop->RestoreOpenState();
}

void MainWindow::GrowWithFont() {
  // With the font, and further if a text needs more room than that.
  scale_ = std::max(LayoutScale(font()), ScaleToFitTexts(*this));
  // Frame captions sit on the frame's top edge, so the text box below them is inside it. One
  // style for every frame, made last so that it outlives them.
  auto* frame_style = new FrameStyle(scale_);
  frame_style->setParent(this);
  for (auto* frame : findChildren<QGroupBox*>()) frame->setStyle(frame_style);
  ScaleTwipsLayout(*this, scale_);
}

QLineEdit* MainWindow::TextBox(Field field) const {
  return text_boxes_[static_cast<std::size_t>(field)];
}

std::string MainWindow::Read(Field field) const { return TextBox(field)->text().toStdString(); }

void MainWindow::Write(Field field, std::string_view text) {
  QLineEdit* box = TextBox(field);
  ShowWhole(*box, Text(text));
}

void MainWindow::RunCalculation(Calculation calculation) {
  const CalcOutcome outcome = Calculate(calculation, *this);
  if (outcome.fault) {
    strip_->Clear();
    // The fields stay as the calculation left them, so the user can correct the input.
    messages_.ShowFault(this, *outcome.fault);
    return;
  }
  if (outcome.prompt == Prompt::None) {
    strip_->ShowCalculation(calculation, *this);
  } else {
    strip_->Clear();
  }
  if (outcome.prompt != Prompt::None) messages_.ShowPrompt(this, outcome.prompt);
  if (outcome.focus) {
    QLineEdit* box = TextBox(*outcome.focus);
    box->setFocus(Qt::OtherFocusReason);
    box->selectAll();  // what the user types replaces what the field held
  }
}

void MainWindow::OpenLineWindow() {
  if (line_window_ == nullptr) line_window_ = new LineWindow(this);
  line_window_->OfferInlet(TextBox(Field::Pressure)->text());
  line_window_->show();
  line_window_->raise();
  line_window_->activateWindow();
}

void MainWindow::SaveSheet() {
  const std::optional<DropParameters> line = drop_->OpenLine();
  if (!strip_->SheetOf(SheetStamp{}, line)) {
    QMessageBox::information(this, tr("计算书"),
                             tr("计算书记录直径计算所选的管道：请先进行直径计算。"));
    return;
  }
  tarnivel::SaveSheet(this, [this, &line](const SheetStamp& stamp) {
    return *strip_->SheetOf(stamp, line);
  });
}

void MainWindow::CentreOnScreen() {
  const QScreen* screen = this->screen();
  if (screen == nullptr) return;
  // A twip covers more pixels in a window grown with its font; the frame around it does not
  // grow with it.
  const double twips_per_pixel = kTwipsPerPixel / scale_;
  const auto twips = [twips_per_pixel](int pixels) {
    return static_cast<float>(pixels * twips_per_pixel);
  };
  const int side = TwipsToPixels(kSideInset);
  const QRect screen_area = screen->geometry();
  const CentredEdges edges =
      CentredOrigin(twips(screen_area.width()), twips(screen_area.height()),
                    twips(width() + 2 * side), twips(height() + TwipsToPixels(kTopInset) + side));
  QPoint origin = pos();
  if (edges.top) origin.setY(screen_area.y() + qRound(*edges.top / twips_per_pixel));
  if (edges.left) origin.setX(screen_area.x() + qRound(*edges.left / twips_per_pixel));
  move(origin);
}

}  // namespace tarnivel
