// wtool commands that play the part of a restarting shell: the new shell knows none of the
// old one's tray icons, and it announces itself with the registered message "TaskbarCreated".

#include <windows.h>

#include <shellapi.h>

#include <string>

#include "tests/e2e/tools/common/TextParse.h"
#include "tests/e2e/tools/common/ToolError.h"
#include "tests/e2e/tools/common/win32/ToolMain.h"
#include "tests/e2e/tools/wtool/Commands.h"
#include "tests/e2e/tools/wtool/Windows.h"

namespace e2e {

// traydelete CLASS ID: NIM_DELETE for icon ID of the first window of class CLASS, message-only
// windows included (a tray icon's owner is often one).
int commandTrayDelete(const Args& args) {
  const auto id = parseIntegerIn(args[1], 0, 0xffffffffLL);
  if (!id) throw ToolError(kUsage, "not an icon id: '" + args[1] + "'");
  HWND owner = FindWindowExA(HWND_MESSAGE, nullptr, args[0].c_str(), nullptr);
  if (!owner) owner = FindWindowA(args[0].c_str(), nullptr);
  if (!owner) throw ToolError(kNotFound, "no window of class '" + args[0] + "'");
  NOTIFYICONDATAA data{};
  data.cbSize = sizeof data;
  data.hWnd = owner;
  data.uID = static_cast<UINT>(*id);
  if (!Shell_NotifyIconA(NIM_DELETE, &data)) {
    throw ToolError(kFailed, "the shell has no icon " + args[1] + " of " + handleText(owner));
  }
  return 0;
}

// Returns once every top-level window has taken the message (or 5 s have passed for a hung one).
int commandBroadcast(const Args& args) {
  const UINT message = RegisterWindowMessageA(args[0].c_str());
  if (message == 0) throw ToolError(kFailed, "cannot register '" + args[0] + "': " + lastErrorText());
  DWORD_PTR ignored = 0;
  if (!SendMessageTimeoutA(HWND_BROADCAST, message, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored)) {
    throw ToolError(kFailed, "broadcast of '" + args[0] + "' failed: " + lastErrorText());
  }
  return 0;
}

}  // namespace e2e
