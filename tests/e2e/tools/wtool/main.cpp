// wtool: a UI-automation helper for the end-to-end tests, run as `wine wtool.exe COMMAND ...`.
// It reaches what X cannot see: Win32 windows and controls, tooltips, the Wine clipboard,
// keyboard events and raw registry bytes. Exit status 0 on success; otherwise a message on
// stderr and 1 (failed or timed out), 2 (wrong usage) or 3 (no such window, control or value).

#include <windows.h>

#include <array>
#include <cstdio>
#include <string>
#include <string_view>

#include "tests/e2e/tools/common/ToolError.h"
#include "tests/e2e/tools/common/win32/ToolMain.h"
#include "tests/e2e/tools/wtool/Commands.h"

namespace e2e {
namespace {

struct Command {
  std::string_view name;
  std::size_t minArgs;
  std::size_t maxArgs;
  std::string_view args;
  std::string_view what;
  int (*run)(const Args&);
};

constexpr std::size_t kMany = 1000;

constexpr std::array kCommands{
    Command{"list", 0, 1, "[WIN]", "top-level windows: hwnd pid visible class title", commandList},
    Command{"wait", 1, 2, "WIN [MS]", "wait for a visible window (default 5000 ms); print its hwnd", commandWait},
    Command{"gone", 1, 2, "WIN [MS]", "wait until no visible window matches", commandGone},
    Command{"children", 1, 1, "WIN", "every control: hwnd id visible class text", commandChildren},
    Command{"text", 1, 1, "WIN", "a message box's text", commandText},
    Command{"gettext", 1, 2, "WIN [CTL]", "the text of a window or control (WM_GETTEXT)", commandGetText},
    Command{"settext", 3, 3, "WIN CTL TEXT", "set a control's text (WM_SETTEXT; the parent is notified)",
            commandSetText},
    Command{"click", 2, 2, "WIN CTL", "click a button (BM_CLICK)", commandClick},
    Command{"cmd", 2, 2, "WIN ID", "send WM_COMMAND ID (BN_CLICKED) to the window", commandCmd},
    Command{"check", 2, 3, "WIN CTL [0|1]", "a check box's state; with 0 or 1, click until it has it",
            commandCheck},
    Command{"cursel", 2, 2, "WIN CTL", "the selected index of a combo box (-1: none)", commandCurSel},
    Command{"setcursel", 3, 3, "WIN CTL N", "select item N of a combo box and notify its parent", commandSetCurSel},
    Command{"updown", 3, 3, "WIN CTL up|down", "one click on an arrow of an up-down control", commandUpDown},
    Command{"close", 1, 1, "WIN", "post WM_CLOSE", commandClose},
    Command{"fg", 1, 1, "WIN", "bring a window to the foreground", commandFg},
    Command{"foreground", 0, 0, "", "the foreground window: hwnd class title", commandForeground},
    Command{"rect", 1, 2, "WIN [CTL]", "screen rectangle: left top right bottom", commandRect},
    Command{"tooltips", 0, 0, "", "every tool of every tooltip window: hwnd visible text", commandTooltips},
    Command{"cursor", 0, 0, "", "the pointer position: x y", commandCursor},
    Command{"keys", 1, kMany, "KEY...", "keyboard events [+|-]KEY[:SCAN][:ext] (+ down, - up)", commandKeys},
    Command{"clip", 0, 0, "", "the clipboard's text", commandClip},
    Command{"setclip", 1, 1, "TEXT", "put text on the clipboard", commandSetClip},
    Command{"regquery", 2, 2, "KEY VALUE", "a value's type and data in hex, e.g. REG_EXPAND_SZ 3100",
            commandRegQuery},
    Command{"regdump", 1, 1, "KEY", "every value of a key: NAME, a tab, TYPE HEX", commandRegDump},
    Command{"regset", 4, 4, "KEY VALUE TYPE HEX", "store raw data of any type", commandRegSet},
    Command{"regdelete", 1, 2, "KEY [VALUE]", "delete a value, or the key with all below it", commandRegDelete},
    Command{"run", 1, 2, "CMDLINE [MS]", "run a command line as given; exit with its status", commandRun},
    Command{"procs", 1, 1, "EXE", "ids of the running processes of that file name", commandProcs},
    Command{"procinfo", 1, 1, "PID|EXE", "memory, handles, GDI and USER objects, windows: NAME=VALUE",
            commandProcInfo},
    Command{"race", 2, 3, "N CMDLINE [MS]", "start N copies at the same moment; report each exit",
            commandRace},
    Command{"terminate", 1, 1, "PID|EXE", "end a process (TerminateProcess) and wait for it", commandTerminate},
    Command{"traydelete", 2, 2, "CLASS ID", "remove tray icon ID of a window of that class (NIM_DELETE)",
            commandTrayDelete},
    Command{"broadcast", 1, 1, "MESSAGE", "send a registered window message to all top-level windows",
            commandBroadcast},
};

void printUsage() {
  std::fputs("usage: wtool COMMAND ARGS...\n", stderr);
  for (const Command& command : kCommands) {
    const std::string call = std::string(command.name) + " " + std::string(command.args);
    std::fprintf(stderr, "  %-30s %.*s\n", call.c_str(), static_cast<int>(command.what.size()),
                 command.what.data());
  }
  std::fputs("WIN: TITLE, ~SUBSTRING, =TITLE, #CLASS or #CLASS:TITLE.  CTL: a control id, or a WIN form\n"
             "where a bare NAME matches a control's text or class.\n",
             stderr);
}

int dispatch(int argc, char** argv) {
  if (argc < 2) {
    printUsage();
    return kUsage;
  }
  const std::string_view name = argv[1];
  for (const Command& command : kCommands) {
    if (command.name != name) continue;
    const Args args(argv + 2, argv + argc);
    if (args.size() < command.minArgs || args.size() > command.maxArgs) {
      throw ToolError(kUsage, "usage: wtool " + std::string(name) + " " + std::string(command.args));
    }
    return command.run(args);
  }
  printUsage();
  throw ToolError(kUsage, "unknown command '" + std::string(name) + "'");
}

}  // namespace
}  // namespace e2e

int main(int argc, char** argv) {
  return e2e::runTool("wtool", [&] { return e2e::dispatch(argc, argv); });
}
