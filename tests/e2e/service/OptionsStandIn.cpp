// Stands in for options.exe in the service's end-to-end tests: writes its
// own path and its argument text, one a line, to options-started.txt beside
// itself, then ends. The file appears complete (written, then renamed).
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

std::string ProgramPath() {
    std::string path(MAX_PATH, '\0');
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    path.resize(length < path.size() ? length : 0);
    return path;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR lpCmdLine, int) {
    const std::string self = ProgramPath();
    const std::size_t slash = self.rfind('\\');
    if (slash == std::string::npos) {
        return 1;
    }
    const std::string report = self.substr(0, slash + 1) + "options-started.txt";
    const std::string partial = report + ".part";
    {
        const std::unique_ptr<std::FILE, FileCloser> out(std::fopen(partial.c_str(), "w"));
        if (!out || std::fprintf(out.get(), "%s\n%s\n", self.c_str(), lpCmdLine) < 0) {
            return 1;
        }
    }
    return MoveFileExA(partial.c_str(), report.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
