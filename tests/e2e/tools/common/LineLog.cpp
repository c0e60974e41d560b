#include "tests/e2e/tools/common/LineLog.h"

#include "tests/e2e/tools/common/ToolError.h"

namespace e2e {

LineLog::LineLog(const std::string& path) : file_(std::fopen(path.c_str(), "wb")) {
  if (!file_) throw ToolError(kFailed, "cannot write " + path);
}

void LineLog::write(const std::string& line) {
  std::fputs(line.c_str(), file_.get());
  std::fputc('\n', file_.get());
  std::fflush(file_.get());
}

}  // namespace e2e
