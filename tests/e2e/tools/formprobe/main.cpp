// formprobe TITLE LOGFILE: a window with the kinds of control the options dialog has, for the
// harness's own test of wtool's control commands. It logs what its handlers see:
//
//   READY
//   EN_CHANGE id=101 text=42
//   BN_CLICKED id=102 check=1     the check box sits inside a group box, as a grandchild
//   CBN_SELCHANGE id=103 sel=2
//   DELTAPOS id=104 delta=1       up arrow +1, down arrow -1; while the edit box holds "box",
//                                 each step also shows the modal message box "Harness step"
//   BN_CLICKED id=1               the "&Ok" button
//
// A step whose handler shows a modal box must not show it from inside the step notification:
// the up-down sends that notification from its WM_LBUTTONDOWN before it takes the mouse
// capture and starts its auto-repeat timer, so a release that arrives while the box is open is
// dropped and the timer steps again once the box is closed. The box is therefore shown from a
// posted message, after the up-down's tracking has been ended with WM_CANCELMODE.

#include <windows.h>

#include <commctrl.h>

#include <array>
#include <string>

#include "tests/e2e/tools/common/LineLog.h"
#include "tests/e2e/tools/common/ToolError.h"
#include "tests/e2e/tools/common/win32/ToolMain.h"
#include "tests/e2e/tools/common/win32/Window.h"

namespace e2e {
namespace {

constexpr int kEditId = 101;
constexpr int kCheckId = 102;
constexpr int kComboId = 103;
constexpr int kUpDownId = 104;
constexpr int kGroupId = 110;
constexpr UINT kShowStepBox = WM_APP + 1;

HWND createControl(HWND parent, const char* className, const char* text, DWORD style, RECT box, int id) {
  HWND control = CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, box.left, box.top,
                                 box.right - box.left, box.bottom - box.top, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
  if (!control) throw ToolError(kFailed, std::string("cannot create a ") + className + ": " + lastErrorText());
  return control;
}

// A group box does not pass its children's notifications on; this one does.
LRESULT CALLBACK forwardCommands(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  if (message == WM_COMMAND) return SendMessageA(GetParent(window), message, wParam, lParam);
  return DefSubclassProc(window, message, wParam, lParam);
}

void createControls(HWND window) {
  HWND group = createControl(window, "BUTTON", "General", BS_GROUPBOX, {8, 8, 330, 60}, kGroupId);
  SetWindowSubclass(group, forwardCommands, 0, 0);
  createControl(group, "BUTTON", "&Check", BS_AUTOCHECKBOX | WS_TABSTOP, {16, 24, 200, 41}, kCheckId);
  createControl(window, "EDIT", "200", WS_BORDER | WS_TABSTOP, {8, 72, 60, 93}, kEditId);
  HWND updown = createControl(window, UPDOWN_CLASSA, "", 0, {68, 72, 84, 93}, kUpDownId);
  SendMessageA(updown, UDM_SETRANGE32, static_cast<WPARAM>(-32768), 32767);
  HWND combo = createControl(window, "COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, {100, 72, 220, 200},
                             kComboId);
  for (const char* item : {"Disabled", "Cut", "Copy", "Paste"}) {
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  }
  createControl(window, "BUTTON", "&Ok", BS_DEFPUSHBUTTON | WS_TABSTOP, {8, 110, 81, 135}, IDOK);
}

std::string controlText(HWND window, int id) {
  std::array<char, 256> text{};
  GetDlgItemTextA(window, id, text.data(), static_cast<int>(text.size()));
  return text.data();
}

void onCommand(HWND window, LineLog& log, int id, int code, HWND control) {
  const std::string prefix = " id=" + std::to_string(id);
  if (id == kEditId && code == EN_CHANGE) log.write("EN_CHANGE" + prefix + " text=" + controlText(window, id));
  if (id == kComboId && code == CBN_SELCHANGE) {
    log.write("CBN_SELCHANGE" + prefix + " sel=" + std::to_string(SendMessageA(control, CB_GETCURSEL, 0, 0)));
  }
  if (code != BN_CLICKED) return;
  if (id == kCheckId) log.write("BN_CLICKED" + prefix + " check=" + std::to_string(SendMessageA(control, BM_GETCHECK, 0, 0)));
  if (id == IDOK) log.write("BN_CLICKED" + prefix);
}

void onDeltaPos(HWND window, LineLog& log, const NMUPDOWN& change) {
  log.write("DELTAPOS id=" + std::to_string(change.hdr.idFrom) + " delta=" + std::to_string(change.iDelta));
  if (controlText(window, kEditId) == "box") {
    PostMessageA(window, kShowStepBox, 0, reinterpret_cast<LPARAM>(change.hdr.hwndFrom));
  }
}

void showStepBox(HWND window, HWND updown) {
  SendMessageA(updown, WM_CANCELMODE, 0, 0);
  MessageBoxA(window, "step", "Harness step", MB_OK);
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  LineLog* log = stateOf<LineLog>(window, message, lParam);
  if (log && message == WM_COMMAND) {
    onCommand(window, *log, LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
    return 0;
  }
  if (log && message == WM_NOTIFY) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->code == UDN_DELTAPOS) onDeltaPos(window, *log, *reinterpret_cast<const NMUPDOWN*>(lParam));
    return 0;
  }
  if (message == kShowStepBox) {
    showStepBox(window, reinterpret_cast<HWND>(lParam));
    return 0;
  }
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcA(window, message, wParam, lParam);
}

int runFormProbe(int argc, char** argv) {
  if (argc != 3) throw ToolError(kUsage, "usage: formprobe TITLE LOGFILE");
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  LineLog log(argv[2]);
  registerWindowClass("EdgeroamFormProbe", windowProc);
  HWND window = createTopLevel("EdgeroamFormProbe", argv[1], WS_OVERLAPPEDWINDOW, &log);
  createControls(window);
  ShowWindow(window, SW_SHOWNORMAL);
  SetForegroundWindow(window);
  log.write("READY");
  return runMessageLoop();
}

}  // namespace
}  // namespace e2e

int main(int argc, char** argv) {
  return e2e::runTool("formprobe", [&] { return e2e::runFormProbe(argc, argv); });
}
