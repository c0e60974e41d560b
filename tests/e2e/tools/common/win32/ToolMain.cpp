#include <windows.h>

#include "tests/e2e/tools/common/win32/ToolMain.h"

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <exception>

#include "tests/e2e/tools/common/ToolError.h"

namespace e2e {

int runTool(std::string_view tool, const std::function<int()>& body) {
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  const std::string name(tool);
  try {
    const int status = body();
    std::fflush(stdout);
    return status;
  } catch (const ToolError& error) {
    std::fflush(stdout);
    std::fprintf(stderr, "%s: %s\n", name.c_str(), error.what());
    return error.status();
  } catch (const std::exception& error) {
    std::fflush(stdout);
    std::fprintf(stderr, "%s: %s\n", name.c_str(), error.what());
    return kFailed;
  }
}

void printLine(std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fputc('\n', stdout);
}

std::string errorText(unsigned long code) {
  char buffer[256] = {};
  const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                                      buffer, sizeof buffer, nullptr);
  std::string text(buffer, length);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.pop_back();
  return "error " + std::to_string(code) + (text.empty() ? "" : " (" + text + ")");
}

std::string lastErrorText() { return errorText(GetLastError()); }

}  // namespace e2e
