#include "ui/main_window.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include "ui/centring.h"
#include "ui/field_keys.h"
#include "ui/message_box.h"
#include "ui/pipe_strip.h"
#include "ui/twips.h"

namespace tarnivel {
namespace {

// The client area and, around it, the edges of a thin fixed frame with a caption bar.
constexpr int kClientWidth = 4890;
constexpr int kClientHeight = 2505;
constexpr int kSideInset = 45;
constexpr int kTopInset = 330;

// Where each input field's frame sits: at (left, top) in the window, its text box at
// (120, 240) in it. Names and captions come from the field table.
struct FieldFrame {
  const char* frame_name;
  Field field;
  int left, top, width, text_width;
};
constexpr FieldFrame kFrames[] = {
    {"Frame1", Field::TP, 360, 120, 1572, 1332},
    {"Frame2", Field::TV, 2760, 120, 1812, 1572},
    {"Frame3", Field::TD, 360, 960, 1572, 1332},
    {"Frame4", Field::TM, 2760, 960, 1812, 1572},
};
constexpr int kFrameHeight = 735;
constexpr int kTextLeft = 120, kTextTop = 240, kTextHeight = 375;

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QPushButton* AddButton(QWidget* window, std::string_view name, std::string_view caption,
                       QRect twips) {
  auto* button = new QPushButton(Text(caption), window);
  button->setObjectName(Text(name));
  button->setGeometry(TwipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
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
  setObjectName(QStringLiteral("form1"));
  setWindowTitle(QStringLiteral("Tarnivel 1.0"));
  setWindowIcon(QIcon(QStringLiteral(":/tarnivel/tarnivel-32.png")));
  setFixedSize(TwipsToPixels(kClientWidth), TwipsToPixels(kClientHeight));
  // Frame captions sit on the frame's top edge, so the text box below them is inside it.
  setStyleSheet(QStringLiteral(
      "QGroupBox { border: 1px solid palette(mid); border-radius: 3px; margin-top: 7px; }"
      "QGroupBox::title { subcontrol-origin: margin; left: 6px; padding: 0 2px; }"));

  for (const FieldFrame& layout : kFrames) {
    const InputField& input = *InputFieldOf(layout.field);
    auto* frame = new QGroupBox(Text(input.caption), this);
    frame->setObjectName(QString::fromLatin1(layout.frame_name));
    frame->setGeometry(TwipsRect(layout.left, layout.top, layout.width, kFrameHeight));
    auto* text_box = new QLineEdit(frame);
    text_box->setObjectName(Text(input.control));
    text_box->setGeometry(TwipsRect(kTextLeft, kTextTop, layout.text_width, kTextHeight));
    text_boxes_[static_cast<std::size_t>(layout.field)] = text_box;
  }
  // The marker field is written by the key rules and read by nothing: kept, never shown.
  auto* marker = new QLineEdit(this);
  marker->setObjectName(Text(ControlName(Field::T5)));
  marker->setGeometry(TwipsRect(2040, 840, 495, 264));
  marker->setFocusPolicy(Qt::NoFocus);
  marker->hide();
  text_boxes_[static_cast<std::size_t>(Field::T5)] = marker;

  const auto calculation_button = [this](Calculation calculation, QRect twips) {
    const CalculationInfo& info = InfoOf(calculation);
    QPushButton* button = AddButton(this, info.control, info.caption, twips);
    connect(button, &QPushButton::clicked, this,
            [this, calculation] { RunCalculation(calculation); });
    return button;
  };
  QPushButton* velocity = calculation_button(Calculation::Velocity, {240, 1920, 975, 372});
  QPushButton* flow = calculation_button(Calculation::Flow, {1440, 1920, 975, 372});
  QPushButton* exit = AddButton(this, "CMD3", "退  出", {3840, 1920, 972, 372});
  QPushButton* diameter = calculation_button(Calculation::Diameter, {2640, 1920, 975, 375});

  QWidget* const tab_order[] = {
      velocity,           flow,    exit, TextBox(Field::TP), TextBox(Field::TV), TextBox(Field::TD),
      TextBox(Field::TM), diameter};
  for (std::size_t i = 1; i < std::size(tab_order); ++i) {
    setTabOrder(tab_order[i - 1], tab_order[i]);
  }
  velocity->setFocus();

  // The pipe strip: below the buttons, after dia in the tab order; the window grows by it.
  strip_ = new PipeStrip(this);
  strip_->setGeometry(TwipsRect(120, 2400, 4692, PipeStrip::kHeightTwips));
  setTabOrder(diameter, strip_->Chooser());
  setFixedHeight(TwipsToPixels(kClientHeight + PipeStrip::kHeightTwips));

  auto* keys = new FieldKeys(marker, this);
  keys->Watch(TextBox(Field::TP), TextBox(Field::TV));
  keys->Watch(TextBox(Field::TV), TextBox(Field::TD));
  keys->Watch(TextBox(Field::TD), TextBox(Field::TM));
  keys->Watch(TextBox(Field::TM), velocity);

  connect(exit, &QPushButton::clicked, this, &QWidget::close);
}

QLineEdit* MainWindow::TextBox(Field field) const {
  return text_boxes_[static_cast<std::size_t>(field)];
}

std::string MainWindow::Read(Field field) const { return TextBox(field)->text().toStdString(); }

void MainWindow::Write(Field field, std::string_view text) {
  QLineEdit* box = TextBox(field);
  box->setText(Text(text));
  box->setCursorPosition(0);  // a long result reads from its first digit
}

void MainWindow::RunCalculation(Calculation calculation) {
  CalcOutcome outcome;
  try {
    outcome = Calculate(calculation, *this);
  } catch (const ArithmeticFault& fault) {
    strip_->Clear();
    // The fields stay as the calculation left them, so the user can correct the input.
    messages_.ShowFault(this, fault.kind());
    return;
  }
  if (outcome.prompt == Prompt::None) {
    strip_->ShowCalculation(calculation, *this);
  } else {
    strip_->Clear();
  }
  if (outcome.prompt != Prompt::None) messages_.ShowPrompt(this, outcome.prompt);
  if (outcome.focus) TextBox(*outcome.focus)->setFocus(Qt::OtherFocusReason);
}

void MainWindow::CentreOnScreen() {
  const QScreen* screen = this->screen();
  if (screen == nullptr) return;
  const QSize screen_size = screen->geometry().size() * kTwipsPerPixel;
  const CentredEdges edges = CentredOrigin(
      static_cast<float>(screen_size.width()), static_cast<float>(screen_size.height()),
      static_cast<float>(width() * kTwipsPerPixel + 2 * kSideInset),
      static_cast<float>(height() * kTwipsPerPixel + kTopInset + kSideInset));
  const QPoint screen_origin = screen->geometry().topLeft();
  QPoint origin = pos();
  if (edges.top) origin.setY(screen_origin.y() + qRound(*edges.top / kTwipsPerPixel));
  if (edges.left) origin.setX(screen_origin.x() + qRound(*edges.left / kTwipsPerPixel));
  move(origin);
}

}  // namespace tarnivel
