// trayprobe HINT LOGFILE: a notification-area icon for the harness's own test, set up as the
// service sets up its own (NIM_ADD, then NIM_SETVERSION 4). It logs what reaches it:
//
//   READY                       the icon is added
//   TRAY LBUTTONUP              a callback event (LOWORD of lParam, version 4)
//   CLICKS 2                    after each left-button release; the hint becomes "HINT 2"
//   MENU                        the pop-up menu ("&Count", "E&xit") opens on a right-button release
//   COMMAND 1 / COMMAND 2       a menu item was chosen; Exit removes the icon and ends the program

#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <string>

#include "tests/e2e/tools/common/LineLog.h"
#include "tests/e2e/tools/common/ToolError.h"
#include "tests/e2e/tools/common/win32/ToolMain.h"
#include "tests/e2e/tools/common/win32/Window.h"

namespace e2e {
namespace {

constexpr UINT kCallbackMessage = WM_APP + 1;
constexpr UINT kIconId = 1;
constexpr UINT_PTR kCountItem = 1;
constexpr UINT_PTR kExitItem = 2;

struct Probe {
  LineLog log;
  std::string hint;
  int clicks = 0;
};

std::string eventName(UINT event) {
  switch (event) {
    case WM_LBUTTONDOWN: return "LBUTTONDOWN";
    case WM_LBUTTONUP: return "LBUTTONUP";
    case WM_LBUTTONDBLCLK: return "LBUTTONDBLCLK";
    case WM_RBUTTONDOWN: return "RBUTTONDOWN";
    case WM_RBUTTONUP: return "RBUTTONUP";
    case WM_MBUTTONDOWN: return "MBUTTONDOWN";
    case WM_MBUTTONUP: return "MBUTTONUP";
    case WM_CONTEXTMENU: return "CONTEXTMENU";
    case NIN_SELECT: return "SELECT";
    default: return std::to_string(event);
  }
}

NOTIFYICONDATAA iconData(HWND window) {
  NOTIFYICONDATAA data{};
  data.cbSize = sizeof data;
  data.hWnd = window;
  data.uID = kIconId;
  return data;
}

void setHint(HWND window, const std::string& hint) {
  NOTIFYICONDATAA data = iconData(window);
  data.uFlags = NIF_TIP | NIF_SHOWTIP;
  lstrcpynA(data.szTip, hint.c_str(), sizeof data.szTip);
  Shell_NotifyIconA(NIM_MODIFY, &data);
}

void addIcon(HWND window, const std::string& hint) {
  NOTIFYICONDATAA data = iconData(window);
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP;
  data.uCallbackMessage = kCallbackMessage;
  data.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
  lstrcpynA(data.szTip, hint.c_str(), sizeof data.szTip);
  if (!Shell_NotifyIconA(NIM_ADD, &data)) throw ToolError(kFailed, "NIM_ADD failed");
  data.uVersion = NOTIFYICON_VERSION_4;
  Shell_NotifyIconA(NIM_SETVERSION, &data);
}

void showMenu(HWND window, Probe& probe) {
  HMENU menu = CreatePopupMenu();
  AppendMenuA(menu, MF_STRING, kCountItem, "&Count");
  AppendMenuA(menu, MF_STRING, kExitItem, "E&xit");
  POINT at{};
  GetCursorPos(&at);
  SetForegroundWindow(window);  // so that the menu closes when the user clicks elsewhere
  probe.log.write("MENU");
  TrackPopupMenu(menu, TPM_RIGHTBUTTON, at.x, at.y, 0, window, nullptr);
  PostMessageA(window, WM_NULL, 0, 0);
  DestroyMenu(menu);
}

void count(HWND window, Probe& probe) {
  ++probe.clicks;
  setHint(window, probe.hint + " " + std::to_string(probe.clicks));
  probe.log.write("CLICKS " + std::to_string(probe.clicks));
}

void onTrayEvent(HWND window, Probe& probe, UINT event) {
  if (event == WM_MOUSEMOVE) return;
  probe.log.write("TRAY " + eventName(event));
  if (event == WM_LBUTTONUP) count(window, probe);
  if (event == WM_RBUTTONUP) showMenu(window, probe);
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Probe* probe = stateOf<Probe>(window, message, lParam);
  if (!probe) return DefWindowProcA(window, message, wParam, lParam);
  switch (message) {
    case kCallbackMessage:
      onTrayEvent(window, *probe, LOWORD(lParam));
      return 0;
    case WM_COMMAND:
      probe->log.write("COMMAND " + std::to_string(LOWORD(wParam)));
      if (LOWORD(wParam) == kCountItem) count(window, *probe);
      if (LOWORD(wParam) == kExitItem) DestroyWindow(window);
      return 0;
    case WM_DESTROY: {
      NOTIFYICONDATAA data = iconData(window);
      Shell_NotifyIconA(NIM_DELETE, &data);
      PostQuitMessage(0);
      return 0;
    }
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

int runTrayProbe(int argc, char** argv) {
  if (argc != 3) throw ToolError(kUsage, "usage: trayprobe HINT LOGFILE");
  Probe probe{LineLog(argv[2]), argv[1]};
  registerWindowClass("EdgeroamTrayProbe", windowProc);
  HWND window = createTopLevel("EdgeroamTrayProbe", "Harness tray probe", WS_OVERLAPPEDWINDOW, &probe);
  addIcon(window, probe.hint);
  probe.log.write("READY");
  return runMessageLoop();
}

}  // namespace
}  // namespace e2e

int main(int argc, char** argv) {
  return e2e::runTool("trayprobe", [&] { return e2e::runTrayProbe(argc, argv); });
}
