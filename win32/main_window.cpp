#include "win32/main_window.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>

#include "core/drop_summary.h"
#include "core/layout.h"
#include "core/numeric.h"
#include "core/pipes.h"
#include "win32/controls.h"
#include "win32/text.h"

namespace tarnivel {
namespace {

constexpr wchar_t kWindowClass[] = L"TarnivelWindow";
constexpr int kTwipsPerPixel = 15;     // at 96 DPI
constexpr double kDefaultPoints = 9;   // the font the layout was drawn for
constexpr int kCaptionRoom = 16;       // a frame's caption indent and padding, pixels at 96 DPI
constexpr int kButtonTextMargins = 8;  // beside a button's text
constexpr int kDroppedListRows = 6;    // the series chooser's list, in its own heights
constexpr std::string_view kExitCaption = "退  出";
constexpr std::string_view kSeriesCaption = "管道系列";
constexpr std::string_view kChangedText = "已更改，请重新计算";
constexpr std::string_view kFaultHint = "计算无法完成，请检查输入的数据。";
// Where the window remembers whether the pressure-drop section was left open.
constexpr wchar_t kSettingsKey[] = L"Software\\Tarnivel";
constexpr wchar_t kSectionOpenValue[] = L"dropSectionOpen";

bool IsInputField(std::string_view name) {
  return std::ranges::any_of(kInputFields,
                             [name](const InputField& input) { return input.control == name; });
}

bool IsContainer(std::string_view name) { return name == "pipeStrip" || name == "dropSection"; }
bool IsFrame(std::string_view name) { return name.starts_with("Frame") || name.ends_with("Frame"); }
bool IsButton(std::string_view name) {
  return name == "CMD3" || std::ranges::any_of(kCalculations, [name](const auto& calculation) {
           return calculation.control == name;
         });
}

// Whether `name` sits, at any depth, in the container `container`.
bool Inside(std::string_view name, std::string_view container) {
  for (std::string_view at = PlacementOf(name).container; at != kWindowName;
       at = PlacementOf(at).container) {
    if (at == container) return true;
  }
  return false;
}

// The place of `name` on the window's client area, in twips.
RECT TwipsOnForm(std::string_view name) {
  const Placement& place = PlacementOf(name);
  RECT rect{place.left, place.top, place.left + place.width, place.top + place.height};
  if (place.container != kWindowName) {
    const RECT outer = TwipsOnForm(place.container);
    OffsetRect(&rect, outer.left, outer.top);
  }
  return rect;
}

const DropSectionField* DropFieldOf(std::string_view control) {
  for (const DropSectionField& field : kDropSectionFields) {
    if (field.control == control) return &field;
  }
  return nullptr;
}

// The caption of a frame, a button or a label, in the core's Chinese.
std::string CaptionOf(std::string_view name) {
  for (const InputField& input : kInputFields) {
    if (PlacementOf(input.control).container == name) return std::string(input.caption);
  }
  for (const DropSectionField& field : kDropSectionFields) {
    if (PlacementOf(field.control).container == name) return DropCaption(field.quantity);
  }
  for (const CalculationInfo& calculation : kCalculations) {
    if (calculation.control == name) return std::string(calculation.caption);
  }
  if (name == "CMD3") return std::string(kExitCaption);
  if (name == "seriesLabel") return std::string(kSeriesCaption);
  if (name == "dropToggle") return std::string(kDropSectionTitle);
  return {};
}

struct ControlKind {
  const wchar_t* window_class;
  DWORD style;
  DWORD extended_style = 0;
};

ControlKind KindOf(std::string_view name) {
  constexpr DWORD kEdit = WS_TABSTOP | ES_AUTOHSCROLL;
  if (IsFrame(name)) return {WC_BUTTONW, BS_GROUPBOX};
  if (IsButton(name)) return {WC_BUTTONW, WS_TABSTOP | BS_PUSHBUTTON};
  if (name == "dropToggle") return {WC_BUTTONW, WS_TABSTOP | BS_AUTOCHECKBOX | BS_PUSHLIKE};
  if (name == "series") return {WC_COMBOBOXW, WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST};
  if (name == "seriesLabel") return {WC_STATICW, SS_LEFT | SS_NOPREFIX};
  if (name == "dropText") return {WC_STATICW, SS_LEFT | SS_NOPREFIX};
  // The strip's lines and the outlet: selectable and copyable, never typed into.
  if (name == "pipeText" || name == "basisText") return {WC_EDITW, ES_READONLY | ES_AUTOHSCROLL};
  if (name == "drop_outlet") return {WC_EDITW, ES_READONLY | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
  return {WC_EDITW, kEdit, WS_EX_CLIENTEDGE};
}

// The width of `text` in `font`, in pixels.
int TextWidth(HWND window, HFONT font, const std::wstring& text) {
  HDC dc = GetDC(window);
  const HGDIOBJ old = SelectObject(dc, font);
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(window, dc);
  return size.cx;
}

std::wstring WindowText(HWND control) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
  return text;
}

bool RememberedOpen() {
  DWORD open = 0;
  DWORD size = sizeof open;
  return RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, kSectionOpenValue, RRF_RT_REG_DWORD,
                      nullptr, &open, &size) == ERROR_SUCCESS &&
         open != 0;
}

void RememberOpen(bool open) {
  const DWORD value = open ? 1 : 0;
  RegSetKeyValueW(HKEY_CURRENT_USER, kSettingsKey, kSectionOpenValue, REG_DWORD, &value,
                  sizeof value);
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance) : instance_(instance) {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = &MainWindow::Procedure;
  window_class.hInstance = instance;
  window_class.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
  window_class.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                       GetSystemMetrics(SM_CXSMICON),
                                                       GetSystemMetrics(SM_CYSMICON), 0));
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  window_class.lpszClassName = kWindowClass;
  RegisterClassExW(&window_class);
  // Not resizable: a thin fixed frame with a caption bar, its system menu and minimise box.
  CreateWindowExW(0, kWindowClass, Wide(kWindowTitle).c_str(),
                  WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN,
                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                  instance, this);
}

MainWindow::~MainWindow() {
  if (font_ != nullptr) DeleteObject(font_);
}

void MainWindow::Show(int show_command) {
  CentreOnScreen();
  ShowWindow(window_, show_command);
  // The focus shows from the start, for a window used from the keyboard.
  SendMessageW(window_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
  SetFocus(Control(kCalculations.front().control));
}

HWND MainWindow::Control(std::string_view name) const {
  return controls_[static_cast<std::size_t>(ControlId(name) - kFirstControlId)];
}

HWND MainWindow::TextBox(Field field) const { return Control(InputFieldOf(field).control); }

void MainWindow::SetText(std::string_view name, std::string_view text) {
  SetWindowTextW(Control(name), Wide(text).c_str());
}

std::string MainWindow::Read(Field field) const { return Utf8(WindowText(TextBox(field))); }

void MainWindow::Write(Field field, std::string_view text) {
  SetWindowTextW(TextBox(field), Wide(text).c_str());
}

void MainWindow::CreateControls() {
  for (std::size_t row = 0; row < kLayout.size(); ++row) {
    const std::string_view name = kLayout[row].control;
    if (IsContainer(name)) continue;
    const ControlKind kind = KindOf(name);
    DWORD style = WS_CHILD | kind.style;
    if (name != "T5" && !Inside(name, "dropSection")) style |= WS_VISIBLE;  // T5: never shown
    controls_[row] = CreateWindowExW(
        kind.extended_style, kind.window_class, Tr(CaptionOf(name)).c_str(), style, 0, 0, 0, 0,
        window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + row)), instance_,
        nullptr);
  }
  // Tab walks the controls in the core's order, which is also the order they lie in.
  HWND previous = HWND_TOP;
  for (std::string_view name : kTabOrder) {
    SetWindowPos(Control(name), previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    previous = Control(name);
  }
  for (const InputField& input : kInputFields) {
    SetWindowSubclass(TextBox(input.field), &MainWindow::FieldProcedure, 0,
                      reinterpret_cast<DWORD_PTR>(this));
  }
  HWND series = Control("series");
  for (const PipeSeries& each : BuiltInSeries()) {
    const SeriesLabel label = LabelOf(each.name);
    SendMessageW(series, CB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(Wide(label.label).c_str()));
    if (each.name == kFirstSeries) {
      SendMessageW(series, CB_SETCURSEL, SendMessageW(series, CB_GETCOUNT, 0, 0) - 1, 0);
    }
  }
  for (const DropSectionField& field : kDropSectionFields) {
    const auto& default_value = DropQuantityOf(field.quantity).default_value;
    if (default_value) SetText(field.control, FormatGeneral(*default_value));
  }
  ready_ = true;
  Layout(GetDpiForWindow(window_));
  SetSectionOpen(RememberedOpen());
  ShowStrip(std::nullopt);
}

void MainWindow::Layout(UINT dpi) {
  dpi_ = dpi;
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi);
  if (font_ != nullptr) DeleteObject(font_);
  font_ = CreateFontIndirectW(&metrics.lfMessageFont);
  const double pixels_per_dip = dpi / static_cast<double>(USER_DEFAULT_SCREEN_DPI);
  const double points = std::abs(metrics.lfMessageFont.lfHeight) * 72.0 / dpi;
  double scale = pixels_per_dip * std::max(1.0, points / kDefaultPoints);
  // Further, when a caption needs more room than that.
  for (std::size_t row = 0; row < kLayout.size(); ++row) {
    const std::string_view name = kLayout[row].control;
    const int margins = IsFrame(name) ? kCaptionRoom : IsButton(name) ? kButtonTextMargins : -1;
    if (margins < 0) continue;
    const int text = TextWidth(window_, font_, Tr(CaptionOf(name))) +
                     static_cast<int>(std::lround(margins * pixels_per_dip));
    const double room = kLayout[row].width / static_cast<double>(kTwipsPerPixel);
    scale = std::max(scale, (text + 0.5) / room);
  }
  scale_ = scale;
  const auto pixels = [this](int twips) {
    return static_cast<int>(std::lround(twips * scale_ / kTwipsPerPixel));
  };
  for (std::size_t row = 0; row < kLayout.size(); ++row) {
    HWND control = controls_[row];
    if (control == nullptr) continue;
    const RECT twips = TwipsOnForm(kLayout[row].control);
    int height = pixels(twips.bottom) - pixels(twips.top);
    if (kLayout[row].control == "series") height *= kDroppedListRows;  // with its list
    SetWindowPos(control, nullptr, pixels(twips.left), pixels(twips.top),
                 pixels(twips.right) - pixels(twips.left), height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  }
  const SIZE outer = OuterSize();
  SetWindowPos(window_, nullptr, 0, 0, outer.cx, outer.cy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(window_, nullptr, TRUE);
}

SIZE MainWindow::OuterSize() const {
  const auto pixels = [this](int twips) {
    return static_cast<int>(std::lround(twips * scale_ / kTwipsPerPixel));
  };
  const RECT section = TwipsOnForm("dropSection");
  RECT rect{0, 0, pixels(kClassicClientWidth), SectionOpen() ? pixels(section.bottom)
                                                             : pixels(section.top)};
  AdjustWindowRectExForDpi(&rect, static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_STYLE)), FALSE,
                           0, dpi_);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

void MainWindow::CentreOnScreen() {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY), &monitor);
  const RECT& screen = monitor.rcMonitor;
  const SIZE outer = OuterSize();
  SetWindowPos(window_, nullptr, screen.left + (screen.right - screen.left - outer.cx) / 2,
               screen.top + (screen.bottom - screen.top - outer.cy) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK MainWindow::Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(window, message, wparam, lparam);
  return self->Handle(message, wparam, lparam);
}

LRESULT MainWindow::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      CreateControls();
      return 0;
    case WM_COMMAND:
      OnCommand(LOWORD(wparam), HIWORD(wparam));
      return 0;
    case WM_ACTIVATE:
      // Leaving the window keeps its focus for its return, as a dialog does.
      if (LOWORD(wparam) == WA_INACTIVE) {
        focus_ = GetFocus();
      } else if (focus_ != nullptr && IsWindowVisible(focus_)) {
        SetFocus(focus_);
        return 0;
      }
      break;
    case WM_CTLCOLORSTATIC: {
      const auto control = reinterpret_cast<HWND>(lparam);
      const auto dc = reinterpret_cast<HDC>(wparam);
      SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
      const bool greyed = changed_ && (control == Control("pipeText") ||
                                       control == Control("basisText"));
      if (greyed) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
      if (over_limit_ && control == Control("dropText")) SetTextColor(dc, RGB(0xa0, 0, 0));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_DPICHANGED: {
      Layout(HIWORD(wparam));
      const auto* suggested = reinterpret_cast<const RECT*>(lparam);
      SetWindowPos(window_, nullptr, suggested->left, suggested->top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    }
    case WM_CLOSE:
      DestroyWindow(window_);  // nothing asked, nothing saved
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window_, message, wparam, lparam);
}

void MainWindow::OnCommand(int id, int code) {
  const std::string_view name = ControlNamed(id);
  if (!ready_ || name.empty()) return;  // IDOK, IDCANCEL: Enter and Esc click nothing
  for (const CalculationInfo& calculation : kCalculations) {
    if (name == calculation.control && code == BN_CLICKED) RunCalculation(calculation.calculation);
  }
  if (name == "CMD3" && code == BN_CLICKED) {
    DestroyWindow(window_);
  } else if (name == "dropToggle" && code == BN_CLICKED) {
    SetSectionOpen(SendMessageW(Control(name), BM_GETCHECK, 0, 0) == BST_CHECKED);
    RememberOpen(SectionOpen());
  } else if (name == "series" && code == CBN_SELCHANGE) {
    RefreshStrip();
  } else if (code == EN_CHANGE && name != "drop_outlet" && DropFieldOf(name) != nullptr) {
    TellTheStrip();
  } else if (code == EN_CHANGE && IsInputField(name)) {
    MarkChanged();
  }
}

void MainWindow::RunCalculation(Calculation calculation) {
  const CalcOutcome outcome = Calculate(calculation, *this);
  if (outcome.fault) {
    ShowStrip(std::nullopt);
    // The window stays, with the fields as the calculation left them, to be corrected.
    const std::wstring text =
        Tr(FaultDescription(*outcome.fault)) + L"\n\n" + Tr(kFaultHint);
    MessageBoxW(window_, text.c_str(), Tr("Tarnivel").c_str(), MB_OK | MB_ICONWARNING);
    return;
  }
  ShowStrip(outcome.prompt == Prompt::None ? std::optional(calculation) : std::nullopt);
  if (outcome.prompt != Prompt::None) {
    MessageBoxW(window_, Tr(PromptText(outcome.prompt)).c_str(), Tr("Ovrin").c_str(), MB_OK);
  }
  if (outcome.focus) {
    HWND box = TextBox(*outcome.focus);
    SetFocus(box);
    SendMessageW(box, EM_SETSEL, 0, -1);  // what the user types replaces what it held
  }
}

bool MainWindow::PreTranslate(const MSG& message) {
  if (message.message != WM_KEYDOWN ||
      (message.hwnd != window_ && !IsChild(window_, message.hwnd))) {
    return false;
  }
  const bool control = GetKeyState(VK_CONTROL) < 0;
  const bool alt = GetKeyState(VK_MENU) < 0;
  if (message.wParam == VK_TAB && !control && !alt) {
    // An open list of the series chooser keeps its Tab.
    if (SendMessageW(Control("series"), CB_GETDROPPEDSTATE, 0, 0)) return false;
    MoveFocus(GetKeyState(VK_SHIFT) >= 0);
    return true;
  }
  if (message.wParam == VK_RETURN && !control && !alt) {
    // Enter presses a focused button, as Space does.
    const std::string_view name = ControlNamed(GetDlgCtrlID(message.hwnd));
    if (IsButton(name) || name == "dropToggle") {
      SendMessageW(message.hwnd, BM_CLICK, 0, 0);
      return true;
    }
  }
  if (message.wParam == 'Q' && control && !alt) {
    DestroyWindow(window_);
    return true;
  }
  return false;
}

void MainWindow::MoveFocus(bool forward) {
  const std::string_view focused = ControlNamed(GetDlgCtrlID(GetFocus()));
  const auto count = static_cast<std::ptrdiff_t>(kTabOrder.size());
  std::ptrdiff_t at = std::ranges::find(kTabOrder, focused) - kTabOrder.begin();
  if (at == count) at = forward ? count - 1 : 0;
  for (std::ptrdiff_t step = 1; step <= count; ++step) {
    const std::ptrdiff_t next = ((forward ? at + step : at - step) % count + count) % count;
    HWND candidate = Control(kTabOrder[static_cast<std::size_t>(next)]);
    if (IsWindowVisible(candidate) && IsWindowEnabled(candidate)) {
      SetFocus(candidate);
      const std::string_view name = kTabOrder[static_cast<std::size_t>(next)];
      if (DropFieldOf(name) != nullptr || IsInputField(name)) {
        SendMessageW(candidate, EM_SETSEL, 0, -1);
      }
      return;
    }
  }
}

LRESULT CALLBACK MainWindow::FieldProcedure(HWND field, UINT message, WPARAM wparam,
                                            LPARAM lparam, UINT_PTR /*id*/, DWORD_PTR self) {
  return reinterpret_cast<MainWindow*>(self)->HandleField(field, message, wparam, lparam);
}

// The key rules of the four fields, for every character typed into them before it is
// inserted: a character outside the digits, the point, Backspace and Enter puts the marker
// into T5, and Enter walks on to the next field and from the last to the velocity button.
LRESULT MainWindow::HandleField(HWND field, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_CHAR) {
    const auto code = static_cast<int>(wparam);
    constexpr int kEnter = 13, kBackspace = 8;
    if (code > '9' || (code < '0' && code != kEnter && code != '.' && code != kBackspace)) {
      SetText("T5", "1");
    }
    if (code == kEnter) {
      for (std::size_t i = 0; i < kInputFields.size(); ++i) {
        if (TextBox(kInputFields[i].field) != field) continue;
        if (i + 1 == kInputFields.size()) {
          SetFocus(Control(kCalculations.front().control));
        } else {
          HWND next = TextBox(kInputFields[i + 1].field);
          SetFocus(next);
          SendMessageW(next, EM_SETSEL, 0, -1);  // as Tab would: typing replaces the text
        }
      }
      return 0;  // a one-line field has no use for the Enter itself
    }
  }
  return DefSubclassProc(field, message, wparam, lparam);
}

std::string_view MainWindow::Series() const {
  const auto index = SendMessageW(Control("series"), CB_GETCURSEL, 0, 0);
  const auto series = BuiltInSeries();
  if (index < 0 || static_cast<std::size_t>(index) >= series.size()) return kFirstSeries;
  return series[static_cast<std::size_t>(index)].name;
}

void MainWindow::ShowStrip(std::optional<Calculation> calculation) {
  if (calculation) {
    summary_.Show(*calculation, *this);
    for (Field field : kAllFields) shown_fields_.Write(field, Read(field));
  } else {
    summary_.Clear();
  }
  shown_ = calculation;
  changed_ = false;
  RefreshStrip();
}

void MainWindow::MarkChanged() {
  if (!shown_) return;
  // Forgotten, so that another series cannot bring the old numbers back as if current.
  summary_.Clear();
  shown_.reset();
  changed_ = true;
  RefreshStrip();
}

void MainWindow::RefreshStrip() {
  if (changed_) {
    SetText("pipeText", Translated(kChangedText));
    SetText("basisText", "");
  } else {
    const SummaryWords chinese;
    const std::string bore = Translated(chinese.bore), absolute = Translated(chinese.absolute),
                      line_flow = Translated(chinese.line_flow),
                      no_pipe = Translated(chinese.no_pipe),
                      no_pipe_within = Translated(chinese.no_pipe_within);
    const SummaryLines lines =
        summary_.Lines(Series(), SummaryWords{bore, absolute, line_flow, no_pipe, no_pipe_within});
    SetText("pipeText", lines.pipe);
    SetText("basisText", lines.basis);
  }
  RefreshSection();
}

bool MainWindow::SectionOpen() const {
  return SendMessageW(Control("dropToggle"), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void MainWindow::SetSectionOpen(bool open) {
  SendMessageW(Control("dropToggle"), BM_SETCHECK, open ? BST_CHECKED : BST_UNCHECKED, 0);
  for (const Placement& place : kLayout) {
    if (Inside(place.control, "dropSection")) {
      ShowWindow(Control(place.control), open ? SW_SHOWNA : SW_HIDE);
    }
  }
  // Grown downwards, the window moves up as far as it must to stay on the screen.
  RECT frame{};
  GetWindowRect(window_, &frame);
  const SIZE outer = OuterSize();
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTONEAREST), &monitor);
  const LONG top = std::max(monitor.rcWork.top,
                            std::min(frame.top, monitor.rcWork.bottom - outer.cy));
  SetWindowPos(window_, nullptr, frame.left, IsWindowVisible(window_) ? top : frame.top, outer.cx,
               outer.cy, SWP_NOZORDER | SWP_NOACTIVATE);
  TellTheStrip();
}

DropParameters MainWindow::Typed() const {
  DropParameters typed;
  for (const DropSectionField& field : kDropSectionFields) {
    if (field.quantity == DropQuantity::Outlet) continue;
    std::string text = Utf8(WindowText(Control(field.control)));
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) continue;  // a blank field is none
    text = text.substr(first, text.find_last_not_of(" \t") - first + 1);
    typed[field.quantity] = std::move(text);
  }
  return typed;
}

void MainWindow::TellTheStrip() {
  if (!ready_) return;
  summary_.SetLine(SectionOpen() ? std::optional(Typed()) : std::nullopt);
  RefreshStrip();
}

void MainWindow::RefreshSection() {
  over_limit_ = false;
  if (!SectionOpen() || !shown_) {
    SetText("drop_outlet", "");
    SetText("dropText", Translated(kDropNoLine));
    return;
  }
  const DropSummary summary = SummariseStripDrop(*shown_, shown_fields_, Series(), Typed(),
                                                 [](std::string_view text) {
                                                   return Translated(text);
                                                 });
  over_limit_ = summary.over_limit;
  SetText("drop_outlet", summary.outlet);
  SetText("dropText", summary.line);
  InvalidateRect(Control("dropText"), nullptr, TRUE);
}

}  // namespace tarnivel
