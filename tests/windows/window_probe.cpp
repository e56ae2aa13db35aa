// Looks at Tarnivel.exe from outside, as a test under Wine sees it: which control has the focus,
// what the fields and the strip hold, and which message box is up, one line each, in UTF-8.
//   window_probe          waits up to 20 s for the window, then prints its state
#include <windows.h>

#include <cstdio>
#include <string>

#include "win32/controls.h"

namespace {

std::string Utf8(const std::wstring& wide) {
  if (wide.empty()) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), text.data(), size,
                      nullptr, nullptr);
  return text;
}

// Its text, asked for by message, which works across processes.
std::string TextOf(HWND window) {
  wchar_t text[1024] = {};
  SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_BLOCK, 2000,
                      nullptr);
  return Utf8(text);
}

// A message box of the program: «box TITLE: TEXT».
BOOL CALLBACK PrintBox(HWND window, LPARAM process) {
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  wchar_t window_class[64] = {};
  GetClassNameW(window, window_class, 64);
  if (owner != static_cast<DWORD>(process) || std::wstring(window_class) != L"#32770" ||
      !IsWindowVisible(window)) {
    return TRUE;
  }
  std::printf("box %s: %s\n", TextOf(window).c_str(), TextOf(GetDlgItem(window, 0xFFFF)).c_str());
  return TRUE;
}

}  // namespace

int main() {
  HWND main = nullptr;
  for (int tries = 0; tries < 200 && main == nullptr; ++tries) {
    main = FindWindowW(L"TarnivelWindow", nullptr);
    if (main == nullptr) Sleep(100);
  }
  if (main == nullptr) {
    std::puts("no window");
    return 1;
  }
  std::printf("title %s\n", TextOf(main).c_str());
  RECT client{};
  GetClientRect(main, &client);
  std::printf("client %ldx%ld\n", client.right, client.bottom);
  RECT frame{};
  GetWindowRect(main, &frame);
  std::printf("frame %ldx%ld+%ld+%ld\n", frame.right - frame.left, frame.bottom - frame.top,
              frame.left, frame.top);
  DWORD process = 0;
  const DWORD thread = GetWindowThreadProcessId(main, &process);
  GUITHREADINFO gui{};
  gui.cbSize = sizeof gui;
  GetGUIThreadInfo(thread, &gui);
  const std::string_view focus = tarnivel::ControlNamed(GetDlgCtrlID(gui.hwndFocus));
  std::printf("focus %.*s\n", static_cast<int>(focus.size()), focus.data());
  for (const tarnivel::Placement& place : tarnivel::kLayout) {
    HWND control = GetDlgItem(main, tarnivel::ControlId(place.control));
    if (control == nullptr) continue;
    std::printf("%.*s=%s\n", static_cast<int>(place.control.size()), place.control.data(),
                TextOf(control).c_str());
  }
  EnumWindows(&PrintBox, static_cast<LPARAM>(process));
  return 0;
}
