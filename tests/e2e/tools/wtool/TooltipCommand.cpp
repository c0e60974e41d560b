// wtool tooltips: the text of every tool of every tooltip window, read across processes.
// TTM_ENUMTOOLSA is not marshalled between processes, so its TOOLINFOA and the text buffer
// live in the tooltip owner's memory (VirtualAllocEx) and are copied back with ReadProcessMemory.

#include <windows.h>

#include <commctrl.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>

#include "tests/e2e/tools/common/ToolError.h"
#include "tests/e2e/tools/common/win32/Handles.h"
#include "tests/e2e/tools/common/win32/ToolMain.h"
#include "tests/e2e/tools/wtool/Commands.h"
#include "tests/e2e/tools/wtool/Windows.h"

namespace e2e {
namespace {

// The tooltip control copies at most this many characters of a tool's text.
constexpr std::size_t kTextSize = 1024;

struct RemoteBlock {
  TOOLINFOA info;
  char text[kTextSize];
};

// A block of memory in another process, freed with the object.
class RemoteMemory {
 public:
  RemoteMemory(HANDLE process, std::size_t size)
      : process_(process), address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE)) {}
  RemoteMemory(const RemoteMemory&) = delete;
  RemoteMemory& operator=(const RemoteMemory&) = delete;
  ~RemoteMemory() {
    if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
  }
  void* address() const { return address_; }

 private:
  HANDLE process_;
  void* address_;
};

// The address of the text buffer inside the other process's block.
char* remoteText(void* remote) { return static_cast<char*>(remote) + offsetof(RemoteBlock, text); }

std::string toolText(const RemoteBlock& local, void* remote) {
  if (local.info.lpszText == remoteText(remote)) return std::string(local.text, strnlen(local.text, kTextSize));
  if (local.info.lpszText == LPSTR_TEXTCALLBACKA) return "<callback>";
  if (local.info.lpszText == nullptr) return "";
  return "<resource " + std::to_string(reinterpret_cast<std::uintptr_t>(local.info.lpszText)) + ">";
}

// One tool's text, or nullopt when the tool is gone.
std::optional<std::string> readTool(HWND tooltip, HANDLE process, void* remote, std::size_t index) {
  RemoteBlock local{};
  local.info.cbSize = sizeof local.info;
  local.info.lpszText = remoteText(remote);
  if (!WriteProcessMemory(process, remote, &local, sizeof local, nullptr)) {
    throw ToolError(kFailed, "WriteProcessMemory failed: " + lastErrorText());
  }
  if (!query(tooltip, TTM_ENUMTOOLSA, index, reinterpret_cast<LPARAM>(remote))) return std::nullopt;
  if (!ReadProcessMemory(process, remote, &local, sizeof local, nullptr)) {
    throw ToolError(kFailed, "ReadProcessMemory failed: " + lastErrorText());
  }
  local.text[kTextSize - 1] = '\0';
  return toolText(local, remote);
}

void printTools(HWND tooltip) {
  const auto count = static_cast<std::size_t>(query(tooltip, TTM_GETTOOLCOUNT));
  if (count == 0) return;
  KernelHandle process(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                                   processOf(tooltip)));
  if (!process) throw ToolError(kFailed, "OpenProcess failed: " + lastErrorText());
  RemoteMemory memory(process.get(), sizeof(RemoteBlock));
  if (!memory.address()) throw ToolError(kFailed, "VirtualAllocEx failed: " + lastErrorText());
  const std::string visible = IsWindowVisible(tooltip) ? "1" : "0";
  for (std::size_t i = 0; i < count; ++i) {
    if (auto text = readTool(tooltip, process.get(), memory.address(), i)) {
      printLine(handleText(tooltip) + "\t" + visible + "\t" + escaped(*text));
    }
  }
}

}  // namespace

int commandTooltips(const Args&) {
  for (HWND window : topLevelWindows()) {
    if (classOf(window) == TOOLTIPS_CLASSA) printTools(window);
  }
  return 0;
}

}  // namespace e2e
