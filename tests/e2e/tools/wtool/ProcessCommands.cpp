// wtool commands on processes: find them by file name, read their memory and handle figures,
// start many copies at the same moment, end one.

#include <windows.h>

#include <psapi.h>
#include <tlhelp32.h>
#include <winternl.h>

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "tests/e2e/tools/common/TextParse.h"
#include "tests/e2e/tools/common/ToolError.h"
#include "tests/e2e/tools/common/win32/Handles.h"
#include "tests/e2e/tools/common/win32/ToolMain.h"
#include "tests/e2e/tools/wtool/Commands.h"

namespace e2e {
namespace {

constexpr long long kDefaultRaceMs = 120000;
constexpr long long kMaxRaceCopies = MAXIMUM_WAIT_OBJECTS;

// Ids of the running processes whose file name (without folder) is name, case ignored.
std::vector<DWORD> processesNamed(const std::string& name) {
  const KernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (snapshot.get() == INVALID_HANDLE_VALUE) {
    throw ToolError(kFailed, "CreateToolhelp32Snapshot failed: " + lastErrorText());
  }
  std::vector<DWORD> ids;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot.get(), &entry); more; more = Process32Next(snapshot.get(), &entry)) {
    if (equalsIgnoringCase(entry.szExeFile, name)) ids.push_back(entry.th32ProcessID);
  }
  return ids;
}

// A process id given as a number, or the one running process of that file name.
DWORD processArg(const std::string& text) {
  if (const auto id = parseIntegerIn(text, 1, 0xffffffffLL)) return static_cast<DWORD>(*id);
  const std::vector<DWORD> ids = processesNamed(text);
  if (ids.empty()) throw ToolError(kNotFound, "no running process '" + text + "'");
  if (ids.size() > 1) throw ToolError(kFailed, std::to_string(ids.size()) + " processes '" + text + "' run");
  return ids.front();
}

KernelHandle openProcess(DWORD id, DWORD access) {
  KernelHandle process(OpenProcess(access, FALSE, id));
  if (!process) throw ToolError(kNotFound, "cannot open process " + std::to_string(id) + ": " + lastErrorText());
  return process;
}

// "n/a" where the call failed or the system keeps no such figure.
std::string figure(std::optional<unsigned long long> value) { return value ? std::to_string(*value) : "n/a"; }

std::optional<unsigned long long> guiObjects(HANDLE process, DWORD kind) {
  SetLastError(ERROR_SUCCESS);
  const DWORD count = GetGuiResources(process, kind);
  if (count == 0 && GetLastError() != ERROR_SUCCESS) return std::nullopt;
  return count;
}

// One entry of the system's list of open handles (SystemHandleInformation).
struct HandleEntry {
  ULONG ownerId;
  BYTE objectType;
  BYTE flags;
  USHORT value;
  PVOID object;
  ACCESS_MASK access;
};

struct HandleList {
  ULONG count;
  HandleEntry entries[1];
};

constexpr NTSTATUS kInfoLengthMismatch = static_cast<NTSTATUS>(0xC0000004L);

// The open handles of process id in the system's list of all handles: a second count where
// GetProcessHandleCount keeps none.
std::optional<unsigned long long> listedHandles(DWORD id) {
  std::vector<unsigned char> buffer(1 << 16);
  NTSTATUS status = kInfoLengthMismatch;
  while (status == kInfoLengthMismatch && buffer.size() <= (1u << 28)) {
    ULONG needed = 0;
    status = NtQuerySystemInformation(static_cast<SYSTEM_INFORMATION_CLASS>(SystemHandleInformation), buffer.data(),
                                      static_cast<ULONG>(buffer.size()), &needed);
    if (status == kInfoLengthMismatch) buffer.resize(std::max<std::size_t>(buffer.size() * 2, needed));
  }
  if (status != 0) return std::nullopt;
  HandleList list{};
  std::memcpy(&list, buffer.data(), sizeof list.count);
  const auto* entries = reinterpret_cast<const unsigned char*>(buffer.data()) + offsetof(HandleList, entries);
  unsigned long long owned = 0;
  for (ULONG i = 0; i < list.count; ++i) {
    HandleEntry entry{};
    std::memcpy(&entry, entries + i * sizeof(HandleEntry), sizeof entry);
    if (entry.ownerId == id) ++owned;
  }
  return owned;
}

void countWindowsOf(HWND parent, DWORD id, unsigned long long& count) {
  for (HWND child = FindWindowExA(parent, nullptr, nullptr, nullptr); child;
       child = FindWindowExA(parent, child, nullptr, nullptr)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(child, &owner);
    if (owner == id) ++count;
    countWindowsOf(child, id, count);
  }
}

// The windows of process id: top-level ones, message-only ones and all their children.
unsigned long long windowsOf(DWORD id) {
  unsigned long long count = 0;
  countWindowsOf(nullptr, id, count);
  countWindowsOf(HWND_MESSAGE, id, count);
  return count;
}

// A job whose processes end when its last handle closes; their own children may leave it.
KernelHandle killOnCloseJob() {
  KernelHandle job(CreateJobObjectA(nullptr, nullptr));
  if (!job) throw ToolError(kFailed, "CreateJobObject failed: " + lastErrorText());
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE | JOB_OBJECT_LIMIT_SILENT_BREAKAWAY_OK;
  SetInformationJobObject(job.get(), JobObjectExtendedLimitInformation, &limits, sizeof limits);
  return job;
}

void printNow(const std::string& line) {
  printLine(line);
  std::fflush(stdout);
}

struct Copy {
  KernelHandle process;
  DWORD id;
};

// Starts count copies held before their first instruction, then lets all of them go.
std::vector<Copy> startTogether(const std::string& commandLine, long long count, HANDLE job) {
  std::vector<Copy> copies;
  std::vector<KernelHandle> threads;
  for (long long i = 0; i < count; ++i) {
    std::string line = commandLine;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr, &startup,
                        &started)) {
      throw ToolError(kFailed, "cannot start '" + commandLine + "': " + lastErrorText());
    }
    copies.push_back({KernelHandle(started.hProcess), started.dwProcessId});
    threads.emplace_back(started.hThread);
    AssignProcessToJobObject(job, started.hProcess);
  }
  for (const KernelHandle& thread : threads) ResumeThread(thread.get());
  return copies;
}

}  // namespace

int commandProcs(const Args& args) {
  for (DWORD id : processesNamed(args[0])) printLine(std::to_string(id));
  return 0;
}

// One line of NAME=VALUE: pid, private (bytes), workingset (bytes), handles, gdi, user (GDI and
// USER objects), and two counts of our own for where the system keeps none: listedhandles (in
// the system's list of open handles) and windows (all windows of the process).
int commandProcInfo(const Args& args) {
  const DWORD id = processArg(args[0]);
  const KernelHandle process = openProcess(id, PROCESS_QUERY_INFORMATION | PROCESS_VM_READ);
  std::optional<unsigned long long> privateBytes;
  std::optional<unsigned long long> workingSet;
  PROCESS_MEMORY_COUNTERS_EX memory{};
  memory.cb = sizeof memory;
  // A running process always has private memory and open handles: 0 means the system keeps
  // no such figure (Wine answers 0 for both), so it is shown as n/a.
  if (GetProcessMemoryInfo(process.get(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory)) {
    if (memory.PrivateUsage != 0) privateBytes = memory.PrivateUsage;
    workingSet = memory.WorkingSetSize;
  }
  std::optional<unsigned long long> handles;
  DWORD handleCount = 0;
  if (GetProcessHandleCount(process.get(), &handleCount) && handleCount != 0) handles = handleCount;
  printLine("pid=" + std::to_string(id) + " private=" + figure(privateBytes) + " workingset=" + figure(workingSet) +
            " handles=" + figure(handles) + " gdi=" + figure(guiObjects(process.get(), GR_GDIOBJECTS)) +
            " user=" + figure(guiObjects(process.get(), GR_USEROBJECTS)) +
            " listedhandles=" + figure(listedHandles(id)) + " windows=" + std::to_string(windowsOf(id)));
  return 0;
}

// race COUNT CMDLINE [MS]: prints "started PID" for each copy, then "exited PID STATUS" as each
// ends. Fails when some still run after MS; they are ended with wtool.
int commandRace(const Args& args) {
  const auto count = parseIntegerIn(args[0], 1, kMaxRaceCopies);
  if (!count) throw ToolError(kUsage, "not a number of copies (1 to 64): '" + args[0] + "'");
  const auto timeout = args.size() > 2 ? parseIntegerIn(args[2], 0, 24LL * 3600 * 1000) : kDefaultRaceMs;
  if (!timeout) throw ToolError(kUsage, "not a timeout in milliseconds: '" + args[2] + "'");

  const KernelHandle job = killOnCloseJob();
  std::vector<Copy> running = startTogether(args[1], *count, job.get());
  for (const Copy& copy : running) printNow("started " + std::to_string(copy.id));

  const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(*timeout);
  while (!running.empty()) {
    std::vector<HANDLE> handles;
    for (const Copy& copy : running) handles.push_back(copy.process.get());
    const ULONGLONG now = GetTickCount64();
    const DWORD left = now < deadline ? static_cast<DWORD>(deadline - now) : 0;
    const DWORD woken = WaitForMultipleObjects(static_cast<DWORD>(handles.size()), handles.data(), FALSE, left);
    if (woken == WAIT_FAILED) throw ToolError(kFailed, "waiting for the copies failed: " + lastErrorText());
    if (woken >= WAIT_OBJECT_0 + handles.size()) {
      throw ToolError(kFailed, std::to_string(running.size()) + " copies still ran after " +
                                   std::to_string(*timeout) + " ms; ended them");
    }
    const auto index = static_cast<std::size_t>(woken - WAIT_OBJECT_0);
    DWORD status = 0;
    GetExitCodeProcess(running[index].process.get(), &status);
    printNow("exited " + std::to_string(running[index].id) + " " + std::to_string(status));
    running.erase(running.begin() + static_cast<std::ptrdiff_t>(index));
  }
  return 0;
}

int commandTerminate(const Args& args) {
  const DWORD id = processArg(args[0]);
  const KernelHandle process = openProcess(id, PROCESS_TERMINATE | SYNCHRONIZE);
  if (!TerminateProcess(process.get(), 1)) {
    throw ToolError(kFailed, "cannot end process " + std::to_string(id) + ": " + lastErrorText());
  }
  if (WaitForSingleObject(process.get(), 5000) != WAIT_OBJECT_0) {
    throw ToolError(kFailed, "process " + std::to_string(id) + " did not end within 5000 ms");
  }
  return 0;
}

}  // namespace e2e
