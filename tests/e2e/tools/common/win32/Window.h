#pragma once
// The little window plumbing the e2e tools' windows share.

#include <windows.h>

#include <cstdint>
#include <string>

namespace e2e {

// Registers a window class with this procedure; throws a ToolError on failure.
void registerWindowClass(const char* className, WNDPROC procedure);

// Creates a top-level window whose GWLP_USERDATA is `state` from WM_NCCREATE on.
HWND createTopLevel(const char* className, const char* title, DWORD style, void* state);

// The state given to createTopLevel, or null before WM_NCCREATE.
template <typename State>
State* stateOf(HWND window, UINT message, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  return reinterpret_cast<State*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

// Runs the message loop until WM_QUIT; returns its exit code.
int runMessageLoop();

// "0x20064"
std::string handleText(const void* handle);

}  // namespace e2e
