#pragma once
// Finding and talking to other processes' windows for wtool.

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "tests/e2e/tools/common/WindowPattern.h"
#include "tests/e2e/tools/common/win32/Window.h"

namespace e2e {

std::vector<HWND> topLevelWindows();
std::vector<HWND> descendantWindows(HWND parent);

std::string classOf(HWND window);
// GetWindowTextA: a top-level window's title; never waits for the window's thread.
std::string titleOf(HWND window);
// WM_GETTEXT: a control's text (also an edit box's of another process).
std::string textOf(HWND window);
DWORD processOf(HWND window);

// The first visible top-level window that matches, else the first hidden one, else null.
HWND findWindow(const WindowPattern& pattern);
HWND findVisibleWindow(const WindowPattern& pattern);
HWND findControl(HWND parent, const ControlPattern& pattern);

// As above from command-line text; throw a ToolError when nothing matches.
WindowPattern windowPatternArg(std::string_view pattern);
HWND requireWindow(std::string_view pattern);
HWND requireControl(HWND parent, std::string_view pattern);

// Polls every 20 ms until done() or until timeoutMs has passed; returns done().
template <typename Done>
bool pollUntil(unsigned long timeoutMs, Done done) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  for (;;) {
    if (done()) return true;
    if (GetTickCount64() >= deadline) return done();
    Sleep(20);
  }
}

// A query that must be answered (e.g. BM_GETCHECK): throws when the window does not reply.
LRESULT query(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

// An action whose handler may open a modal box and so not return for a while: waits up to
// kReplyMs for the reply and then goes on. False when the handler is still busy.
inline constexpr unsigned kReplyMs = 500;
bool deliver(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

// Escapes \n, \r, \t and \ for one-line listings.
std::string escaped(std::string_view text);

}  // namespace e2e
