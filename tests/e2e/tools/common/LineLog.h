#pragma once
// A log file of the e2e tools' windows: one line per event, "\n" line ends, flushed at once,
// so a test polling the file sees every line as soon as it is written.

#include <cstdio>
#include <memory>
#include <string>

namespace e2e {

class LineLog {
 public:
  // Opens (truncates) the file; throws a ToolError when it cannot be written.
  explicit LineLog(const std::string& path);

  void write(const std::string& line);

 private:
  struct CloseFile {
    void operator()(std::FILE* file) const { std::fclose(file); }
  };
  std::unique_ptr<std::FILE, CloseFile> file_;
};

}  // namespace e2e
