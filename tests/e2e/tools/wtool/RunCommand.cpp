// wtool run: starts a program with an exact command line (CreateProcessA), so a test can give
// a program argument text that a Unix argument list cannot express (several blanks, quotes).

#include <windows.h>

#include <string>

#include "tests/e2e/tools/common/TextParse.h"
#include "tests/e2e/tools/common/ToolError.h"
#include "tests/e2e/tools/common/win32/Handles.h"
#include "tests/e2e/tools/common/win32/ToolMain.h"
#include "tests/e2e/tools/wtool/Commands.h"

namespace e2e {
namespace {

constexpr long long kDefaultRunMs = 30000;

// A job that ends its processes when its last handle closes, so the program started here
// does not outlive wtool when the test stops wtool.
KernelHandle killOnCloseJob() {
  KernelHandle job(CreateJobObjectA(nullptr, nullptr));
  if (!job) throw ToolError(kFailed, "CreateJobObject failed: " + lastErrorText());
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
  SetInformationJobObject(job.get(), JobObjectExtendedLimitInformation, &limits, sizeof limits);
  return job;
}

}  // namespace

// run CMDLINE [MS]: waits for the program and ends with its exit status.
int commandRun(const Args& args) {
  const auto timeout = args.size() > 1 ? parseIntegerIn(args[1], 0, 24LL * 3600 * 1000) : kDefaultRunMs;
  if (!timeout) throw ToolError(kUsage, "not a timeout in milliseconds: '" + args[1] + "'");
  const KernelHandle job = killOnCloseJob();
  std::string commandLine = args[0];
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr,
                      &startup, &process)) {
    throw ToolError(kFailed, "cannot start '" + args[0] + "': " + lastErrorText());
  }
  const KernelHandle processHandle(process.hProcess);
  const KernelHandle threadHandle(process.hThread);
  AssignProcessToJobObject(job.get(), processHandle.get());
  ResumeThread(threadHandle.get());
  if (WaitForSingleObject(processHandle.get(), static_cast<DWORD>(*timeout)) != WAIT_OBJECT_0) {
    TerminateProcess(processHandle.get(), 1);
    throw ToolError(kFailed, "'" + args[0] + "' still ran after " + std::to_string(*timeout) + " ms; ended it");
  }
  DWORD status = 0;
  GetExitCodeProcess(processHandle.get(), &status);
  return static_cast<int>(status);
}

}  // namespace e2e
