#include "tests/e2e/tools/common/win32/Window.h"

#include <cstdio>

#include "tests/e2e/tools/common/ToolError.h"
#include "tests/e2e/tools/common/win32/ToolMain.h"

namespace e2e {

void registerWindowClass(const char* className, WNDPROC procedure) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  windowClass.lpszClassName = className;
  if (!RegisterClassA(&windowClass)) throw ToolError(kFailed, "RegisterClass failed: " + lastErrorText());
}

HWND createTopLevel(const char* className, const char* title, DWORD style, void* state) {
  HWND window = CreateWindowExA(0, className, title, style, 200, 200, 360, 200, nullptr, nullptr,
                                GetModuleHandleA(nullptr), state);
  if (!window) throw ToolError(kFailed, "CreateWindow failed: " + lastErrorText());
  return window;
}

int runMessageLoop() {
  MSG message{};
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}

std::string handleText(const void* handle) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "0x%llx", static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(handle)));
  return buffer;
}

}  // namespace e2e
