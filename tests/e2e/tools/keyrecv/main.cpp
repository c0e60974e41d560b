// keyrecv TITLE LOGFILE: a top-level window that takes the foreground and logs every keyboard
// message it receives, one line each, so an end-to-end test can see which keys arrived:
//
//   READY hwnd=0x20064 foreground=1
//   KEYDOWN vk=0x11 scan=69 ext=1 repeat=1 ctrl=1 shift=0 alt=0
//   CHAR code=0x03 scan=46 ext=0 repeat=1 ctrl=1 shift=0 alt=0
//   SETFOCUS / KILLFOCUS
//
// ctrl/shift/alt are the modifier states as the window's thread sees them at that message.
// WM_CLOSE ends the program with status 0.

#include <windows.h>

#include <cstdio>
#include <string>

#include "tests/e2e/tools/common/LineLog.h"
#include "tests/e2e/tools/common/ToolError.h"
#include "tests/e2e/tools/common/win32/ToolMain.h"
#include "tests/e2e/tools/common/win32/Window.h"

namespace e2e {
namespace {

const char* keyMessageName(UINT message) {
  switch (message) {
    case WM_KEYDOWN: return "KEYDOWN";
    case WM_KEYUP: return "KEYUP";
    case WM_SYSKEYDOWN: return "SYSKEYDOWN";
    case WM_SYSKEYUP: return "SYSKEYUP";
    case WM_CHAR: return "CHAR";
    case WM_SYSCHAR: return "SYSCHAR";
    default: return nullptr;
  }
}

int isDown(int vk) { return (GetKeyState(vk) & 0x8000) != 0 ? 1 : 0; }

std::string keyLine(UINT message, WPARAM wParam, LPARAM lParam) {
  const bool isChar = message == WM_CHAR || message == WM_SYSCHAR;
  const auto bits = static_cast<unsigned long>(lParam);
  char line[160];
  std::snprintf(line, sizeof line, "%s %s=0x%02x scan=%lu ext=%lu repeat=%lu ctrl=%d shift=%d alt=%d",
                keyMessageName(message), isChar ? "code" : "vk", static_cast<unsigned>(wParam), (bits >> 16) & 0xff,
                (bits >> 24) & 1, bits & 0xffff, isDown(VK_CONTROL), isDown(VK_SHIFT), isDown(VK_MENU));
  return line;
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  LineLog* log = stateOf<LineLog>(window, message, lParam);
  if (log && keyMessageName(message)) {
    log->write(keyLine(message, wParam, lParam));
    return 0;  // swallowed: no menu mode on Alt, no beep on unknown characters
  }
  if (log && message == WM_SETFOCUS) log->write("SETFOCUS");
  if (log && message == WM_KILLFOCUS) log->write("KILLFOCUS");
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcA(window, message, wParam, lParam);
}

int receiveKeys(int argc, char** argv) {
  if (argc != 3) throw ToolError(kUsage, "usage: keyrecv TITLE LOGFILE");
  LineLog log(argv[2]);
  registerWindowClass("EdgeroamKeyReceiver", windowProc);
  HWND window = createTopLevel("EdgeroamKeyReceiver", argv[1], WS_OVERLAPPEDWINDOW, &log);
  ShowWindow(window, SW_SHOWNORMAL);
  UpdateWindow(window);
  SetForegroundWindow(window);
  SetFocus(window);
  log.write("READY hwnd=" + handleText(window) + " foreground=" + (GetForegroundWindow() == window ? "1" : "0"));
  return runMessageLoop();
}

}  // namespace
}  // namespace e2e

int main(int argc, char** argv) {
  return e2e::runTool("keyrecv", [&] { return e2e::receiveKeys(argc, argv); });
}
