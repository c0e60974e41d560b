#include "tests/e2e/tools/wtool/Windows.h"


#include "tests/e2e/tools/common/ToolError.h"
#include "tests/e2e/tools/common/win32/ToolMain.h"

namespace e2e {
namespace {

BOOL CALLBACK collect(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

constexpr unsigned kQueryMs = 2000;

}  // namespace

std::vector<HWND> topLevelWindows() {
  std::vector<HWND> windows;
  EnumWindows(collect, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

std::vector<HWND> descendantWindows(HWND parent) {
  std::vector<HWND> windows;
  EnumChildWindows(parent, collect, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

std::string classOf(HWND window) {
  char buffer[256] = {};
  const int length = GetClassNameA(window, buffer, sizeof buffer);
  return std::string(buffer, static_cast<std::size_t>(length > 0 ? length : 0));
}

std::string titleOf(HWND window) {
  const int length = GetWindowTextLengthA(window);
  if (length <= 0) return {};
  std::string title(static_cast<std::size_t>(length) + 1, '\0');
  const int copied = GetWindowTextA(window, title.data(), length + 1);
  title.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return title;
}

std::string textOf(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, kQueryMs, &length)) {
    throw ToolError(kFailed, "window " + handleText(window) + " does not answer WM_GETTEXTLENGTH: " + lastErrorText());
  }
  // The length can be short for multi-byte text: leave room and trust the copy's count.
  std::string text(length * 2 + 2, '\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_NORMAL,
                           kQueryMs, &copied)) {
    throw ToolError(kFailed, "window " + handleText(window) + " does not answer WM_GETTEXT: " + lastErrorText());
  }
  text.resize(copied < text.size() ? copied : text.size() - 1);
  return text;
}

DWORD processOf(HWND window) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  return process;
}

HWND findWindow(const WindowPattern& pattern) {
  HWND hidden = nullptr;
  for (HWND window : topLevelWindows()) {
    if (!matchesWindow(pattern, classOf(window), titleOf(window))) continue;
    if (IsWindowVisible(window)) return window;
    if (!hidden) hidden = window;
  }
  return hidden;
}

HWND findVisibleWindow(const WindowPattern& pattern) {
  HWND window = findWindow(pattern);
  return window && IsWindowVisible(window) ? window : nullptr;
}

HWND findControl(HWND parent, const ControlPattern& pattern) {
  for (HWND child : descendantWindows(parent)) {
    if (pattern.id) {
      if (GetDlgCtrlID(child) == *pattern.id) return child;
    } else if (matchesWindow(pattern.window, classOf(child), textOf(child))) {
      return child;
    }
  }
  return nullptr;
}

WindowPattern windowPatternArg(std::string_view pattern) {
  auto parsed = parseWindowPattern(pattern);
  if (!parsed) throw ToolError(kUsage, "not a window name: '" + std::string(pattern) + "'");
  return *parsed;
}

HWND requireWindow(std::string_view pattern) {
  HWND window = findWindow(windowPatternArg(pattern));
  if (!window) throw ToolError(kNotFound, "no window matches '" + std::string(pattern) + "'");
  return window;
}

HWND requireControl(HWND parent, std::string_view pattern) {
  auto parsed = parseControlPattern(pattern);
  if (!parsed) throw ToolError(kUsage, "not a control name: '" + std::string(pattern) + "'");
  HWND control = findControl(parent, *parsed);
  if (!control) {
    throw ToolError(kNotFound, "window " + handleText(parent) + " has no control '" + std::string(pattern) + "'");
  }
  return control;
}

LRESULT query(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, kQueryMs, &result)) {
    throw ToolError(kFailed, "window " + handleText(window) + " does not answer message " + std::to_string(message) +
                                 ": " + lastErrorText());
  }
  return static_cast<LRESULT>(result);
}

bool deliver(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, kReplyMs, &result)) return true;
  const DWORD error = GetLastError();
  if (!IsWindow(window)) return true;  // the handler closed its own window
  if (error == ERROR_TIMEOUT || error == 0) return false;
  throw ToolError(kFailed, "could not send message " + std::to_string(message) + " to window " + handleText(window) +
                               ": " + errorText(error));
}

std::string escaped(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '\n': result += "\\n"; break;
      case '\r': result += "\\r"; break;
      case '\t': result += "\\t"; break;
      case '\\': result += "\\\\"; break;
      default: result += c;
    }
  }
  return result;
}

}  // namespace e2e
