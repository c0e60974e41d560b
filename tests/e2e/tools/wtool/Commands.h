#pragma once
// The commands of wtool. Each takes the arguments after its name and returns the exit status.

#include <string>
#include <vector>

namespace e2e {

using Args = std::vector<std::string>;

// Windows and controls.
int commandList(const Args& args);
int commandWait(const Args& args);
int commandGone(const Args& args);
int commandChildren(const Args& args);
int commandText(const Args& args);
int commandGetText(const Args& args);
int commandSetText(const Args& args);
int commandClick(const Args& args);
int commandCmd(const Args& args);
int commandCheck(const Args& args);
int commandCurSel(const Args& args);
int commandSetCurSel(const Args& args);
int commandUpDown(const Args& args);
int commandClose(const Args& args);
int commandFg(const Args& args);
int commandForeground(const Args& args);
int commandRect(const Args& args);
int commandTooltips(const Args& args);

// Pointer, keyboard, clipboard.
int commandCursor(const Args& args);
int commandKeys(const Args& args);
int commandClip(const Args& args);
int commandSetClip(const Args& args);

// Registry.
int commandRegQuery(const Args& args);
int commandRegDump(const Args& args);
int commandRegSet(const Args& args);
int commandRegDelete(const Args& args);

// Processes.
int commandRun(const Args& args);
int commandProcs(const Args& args);
int commandProcInfo(const Args& args);
int commandRace(const Args& args);
int commandTerminate(const Args& args);

// A restarting shell.
int commandTrayDelete(const Args& args);
int commandBroadcast(const Args& args);

}  // namespace e2e
