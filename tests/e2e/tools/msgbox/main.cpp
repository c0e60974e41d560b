// msgbox TEXT CAPTION [FLAGS]: shows MessageBoxA and ends with its result as the exit status
// (IDOK 1, IDCANCEL 2, IDYES 6, IDNO 7 ...), so a test can prove how a box was answered.

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "tests/e2e/tools/common/TextParse.h"
#include "tests/e2e/tools/common/ToolError.h"
#include "tests/e2e/tools/common/win32/ToolMain.h"

namespace e2e {
namespace {

int showMessageBox(int argc, char** argv) {
  if (argc < 3 || argc > 4) throw ToolError(kUsage, "usage: msgbox TEXT CAPTION [FLAGS]");
  const auto flags = argc == 4 ? parseIntegerIn(argv[3], 0, 0xffffffffLL) : std::optional<std::int64_t>{0};
  if (!flags) throw ToolError(kUsage, std::string("not message box flags: '") + argv[3] + "'");
  const int result = MessageBoxA(nullptr, argv[1], argv[2], static_cast<UINT>(*flags));
  if (result == 0) throw ToolError(kFailed, "MessageBox failed: " + lastErrorText());
  return result;
}

}  // namespace
}  // namespace e2e

int main(int argc, char** argv) {
  return e2e::runTool("msgbox", [&] { return e2e::showMessageBox(argc, argv); });
}
