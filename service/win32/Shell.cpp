#include <windows.h>
#include <shellapi.h>

#include "service/Shell.h"

namespace {

class Win32Shell final : public Shell {
public:
    void Execute(const char* verb, const char* file, const char* parameters, int showCommand) override {
        ShellExecuteA(nullptr, verb, file, parameters, nullptr, showCommand);
    }

    unsigned ModuleFileName(char* buffer, unsigned size) override {
        return GetModuleFileNameA(nullptr, buffer, size);
    }
};

}  // namespace

Shell& SystemShell() {
    static Win32Shell shell;
    return shell;
}
