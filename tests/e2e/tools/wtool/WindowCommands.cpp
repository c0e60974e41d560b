// wtool commands on top-level windows and their controls.

#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <cstdio>
#include <optional>

#include "tests/e2e/tools/common/TextParse.h"
#include "tests/e2e/tools/common/ToolError.h"
#include "tests/e2e/tools/common/win32/ToolMain.h"
#include "tests/e2e/tools/wtool/Commands.h"
#include "tests/e2e/tools/wtool/Windows.h"

namespace e2e {
namespace {

constexpr unsigned long kDefaultWaitMs = 5000;
constexpr int kMessageBoxTextId = 0xffff;

unsigned long timeoutArg(const Args& args, std::size_t index) {
  if (args.size() <= index) return kDefaultWaitMs;
  const auto value = parseIntegerIn(args[index], 0, 24 * 3600 * 1000);
  if (!value) throw ToolError(kUsage, "not a timeout in milliseconds: '" + args[index] + "'");
  return static_cast<unsigned long>(*value);
}

int intArg(const std::string& text, const char* what) {
  const auto value = parseIntegerIn(text, INT32_MIN, INT32_MAX);
  if (!value) throw ToolError(kUsage, std::string("not ") + what + ": '" + text + "'");
  return static_cast<int>(*value);
}

// The window named by args[0], or its control named by args[1].
HWND targetOf(const Args& args) {
  HWND window = requireWindow(args[0]);
  return args.size() > 1 ? requireControl(window, args[1]) : window;
}

std::string rectText(const RECT& rect) {
  return std::to_string(rect.left) + " " + std::to_string(rect.top) + " " + std::to_string(rect.right) + " " +
         std::to_string(rect.bottom);
}

void noteBusy(const char* command) {
  std::fprintf(stderr, "wtool: %s: no reply within %u ms (a modal box open?); going on\n", command, kReplyMs);
}

bool isChecked(HWND button) { return query(button, BM_GETCHECK) == BST_CHECKED; }

}  // namespace

int commandList(const Args& args) {
  const auto pattern = args.empty() ? std::optional<WindowPattern>{} : windowPatternArg(args[0]);
  for (HWND window : topLevelWindows()) {
    const std::string className = classOf(window);
    const std::string title = titleOf(window);
    if (pattern && !matchesWindow(*pattern, className, title)) continue;
    printLine(handleText(window) + "\t" + std::to_string(processOf(window)) + "\t" +
              (IsWindowVisible(window) ? "1" : "0") + "\t" + escaped(className) + "\t" + escaped(title));
  }
  return 0;
}

int commandWait(const Args& args) {
  const WindowPattern pattern = windowPatternArg(args[0]);
  const unsigned long timeout = timeoutArg(args, 1);
  HWND found = nullptr;
  if (!pollUntil(timeout, [&] { return (found = findVisibleWindow(pattern)) != nullptr; })) {
    throw ToolError(kFailed, "no visible window matches '" + args[0] + "' after " + std::to_string(timeout) + " ms");
  }
  printLine(handleText(found));
  return 0;
}

int commandGone(const Args& args) {
  const WindowPattern pattern = windowPatternArg(args[0]);
  const unsigned long timeout = timeoutArg(args, 1);
  if (!pollUntil(timeout, [&] { return findVisibleWindow(pattern) == nullptr; })) {
    throw ToolError(kFailed, "a visible window still matches '" + args[0] + "' after " + std::to_string(timeout) +
                                 " ms");
  }
  return 0;
}

int commandChildren(const Args& args) {
  for (HWND child : descendantWindows(requireWindow(args[0]))) {
    printLine(handleText(child) + "\t" + std::to_string(GetDlgCtrlID(child)) + "\t" +
              (IsWindowVisible(child) ? "1" : "0") + "\t" + escaped(classOf(child)) + "\t" + escaped(textOf(child)));
  }
  return 0;
}

int commandText(const Args& args) {
  HWND box = requireWindow(args[0]);
  HWND text = GetDlgItem(box, kMessageBoxTextId);
  if (!text) throw ToolError(kNotFound, "window " + handleText(box) + " has no message text (is it a message box?)");
  printLine(textOf(text));
  return 0;
}

int commandGetText(const Args& args) {
  printLine(textOf(targetOf(args)));
  return 0;
}

int commandSetText(const Args& args) {
  HWND control = targetOf(args);
  if (!deliver(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(args[2].c_str()))) noteBusy("settext");
  return 0;
}

int commandClick(const Args& args) {
  if (!deliver(targetOf(args), BM_CLICK)) noteBusy("click");
  return 0;
}

int commandCmd(const Args& args) {
  HWND window = requireWindow(args[0]);
  const int id = intArg(args[1], "a command id");
  HWND control = GetDlgItem(window, id);
  const WPARAM wParam = MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED);
  if (!deliver(window, WM_COMMAND, wParam, reinterpret_cast<LPARAM>(control))) noteBusy("cmd");
  return 0;
}

int commandCheck(const Args& args) {
  HWND button = targetOf(args);
  if (args.size() > 2) {
    const int wanted = intArg(args[2], "0 or 1");
    if (wanted != 0 && wanted != 1) throw ToolError(kUsage, "the check state is 0 or 1");
    if (isChecked(button) != (wanted == 1)) {
      if (!deliver(button, BM_CLICK)) noteBusy("check");
      if (!pollUntil(2000, [&] { return isChecked(button) == (wanted == 1); })) {
        throw ToolError(kFailed, "the check box did not become " + args[2] + " after a click");
      }
    }
  }
  printLine(isChecked(button) ? "1" : "0");
  return 0;
}

int commandCurSel(const Args& args) {
  printLine(std::to_string(static_cast<int>(query(targetOf(args), CB_GETCURSEL))));
  return 0;
}

int commandSetCurSel(const Args& args) {
  HWND combo = targetOf(args);
  const int index = intArg(args[2], "an item index");
  const auto result = static_cast<int>(query(combo, CB_SETCURSEL, static_cast<WPARAM>(index)));
  if (index != -1 && result != index) {
    throw ToolError(kFailed, "the list has no item " + args[2]);
  }
  const auto id = static_cast<WORD>(GetDlgCtrlID(combo));
  if (!deliver(GetParent(combo), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo))) {
    noteBusy("setcursel");
  }
  return 0;
}

// One click on an arrow: both button messages are queued before the control sees the first,
// so a handler that opens a modal box cannot leave the arrow held down (auto-repeat).
int commandUpDown(const Args& args) {
  HWND updown = targetOf(args);
  const std::string& arrow = args[2];
  if (arrow != "up" && arrow != "down") throw ToolError(kUsage, "the arrow is up or down, not '" + arrow + "'");
  RECT client{};
  GetClientRect(updown, &client);
  const int x = client.right / 2;
  const int y = arrow == "up" ? 2 : client.bottom - 3;
  const LPARAM at = MAKELPARAM(x, y);
  if (!PostMessageA(updown, WM_LBUTTONDOWN, MK_LBUTTON, at) || !PostMessageA(updown, WM_LBUTTONUP, 0, at)) {
    throw ToolError(kFailed, "could not post the click: " + lastErrorText());
  }
  return 0;
}

int commandClose(const Args& args) {
  HWND window = requireWindow(args[0]);
  if (!PostMessageA(window, WM_CLOSE, 0, 0)) throw ToolError(kFailed, "could not post WM_CLOSE: " + lastErrorText());
  return 0;
}

int commandFg(const Args& args) {
  HWND window = requireWindow(args[0]);
  SetForegroundWindow(window);
  if (!pollUntil(1000, [&] { return GetForegroundWindow() == window; })) {
    throw ToolError(kFailed, "window " + handleText(window) + " did not come to the foreground");
  }
  return 0;
}

int commandForeground(const Args&) {
  HWND window = GetForegroundWindow();
  if (!window) throw ToolError(kNotFound, "no foreground window");
  printLine(handleText(window) + "\t" + escaped(classOf(window)) + "\t" + escaped(titleOf(window)));
  return 0;
}

int commandRect(const Args& args) {
  RECT rect{};
  HWND window = targetOf(args);
  if (!GetWindowRect(window, &rect)) throw ToolError(kFailed, "GetWindowRect failed: " + lastErrorText());
  printLine(rectText(rect));
  return 0;
}

}  // namespace e2e
