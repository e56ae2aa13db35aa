#pragma once
// The calculator window in Windows' own controls: the frames, fields and buttons of the core's
// layout table, the pipe strip and the pressure-drop section, placed in twips at the screen's
// DPI and grown with the system's message font. The calculations, their prompts and faults and
// every text the strip and the section show come from the core.

#include <windows.h>

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "core/fields.h"
#include "core/pipe_summary.h"
#include "core/pressure_drop.h"
#include "core/quantities.h"

namespace tarnivel {

class MainWindow final : public FieldSet {
 public:
  explicit MainWindow(HINSTANCE instance);
  ~MainWindow() override;
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Shows the window centred on the screen, the velocity button focused.
  void Show(int show_command);
  // The keys the window takes before the focused control: Tab and Shift+Tab along the core's
  // tab order, Enter on a button, Ctrl+Q. True when `message` was one of them.
  [[nodiscard]] bool PreTranslate(const MSG& message);

  [[nodiscard]] std::string Read(Field field) const override;
  void Write(Field field, std::string_view text) override;

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK FieldProcedure(HWND field, UINT message, WPARAM wparam, LPARAM lparam,
                                         UINT_PTR id, DWORD_PTR self);
  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT HandleField(HWND field, UINT message, WPARAM wparam, LPARAM lparam);

  void CreateControls();
  // Places every control for `dpi`, in the system's message font at that DPI.
  void Layout(UINT dpi);
  [[nodiscard]] SIZE OuterSize() const;
  void CentreOnScreen();
  void OnCommand(int id, int code);
  void MoveFocus(bool forward);

  void RunCalculation(Calculation calculation);
  // The strip: shows the last calculation, or that the fields changed since.
  void ShowStrip(std::optional<Calculation> calculation);
  void MarkChanged();
  void RefreshStrip();
  [[nodiscard]] std::string_view Series() const;

  // The pressure-drop section.
  void SetSectionOpen(bool open);
  [[nodiscard]] bool SectionOpen() const;
  [[nodiscard]] DropParameters Typed() const;
  void TellTheStrip();
  void RefreshSection();

  [[nodiscard]] HWND Control(std::string_view name) const;
  [[nodiscard]] HWND TextBox(Field field) const;
  void SetText(std::string_view name, std::string_view text);

  HINSTANCE instance_;
  HWND window_ = nullptr;
  HFONT font_ = nullptr;
  UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
  double scale_ = 1;  // pixels per 15 twips
  std::array<HWND, 29> controls_{};  // by the rows of the layout table
  HWND focus_ = nullptr;  // kept while the window is inactive
  bool ready_ = false;    // the controls exist and hold their first texts

  PipeSummary summary_;
  std::optional<Calculation> shown_;  // the calculation the strip describes
  TextFields shown_fields_;           // the fields as it left them
  bool changed_ = false;              // a field changed since
  bool over_limit_ = false;           // the section's drop exceeds the allowed one
};

}  // namespace tarnivel
