// The host's shell: records launches and answers the module path a test set,
// cut to the buffer like GetModuleFileNameA does.
#include <cstring>

#include "service/Shell.h"
#include "service/headless/ShellTesting.h"

namespace {

constexpr char kDefaultModulePath[] = "C:\\Program Files\\Edgeroam 2\\edgeroam2.exe";

class RecordingShell final : public Shell {
public:
    void Execute(const char* verb, const char* file, const char* parameters, int showCommand) override {
        calls.push_back({verb, file,
                         parameters != nullptr ? std::optional<std::string>(parameters) : std::nullopt,
                         showCommand});
    }

    // A path that does not fit is cut to size - 1 characters and its NUL,
    // and size is returned (what Windows does since Vista).
    unsigned ModuleFileName(char* buffer, unsigned size) override {
        if (!modulePath || size == 0) {
            return 0;
        }
        const auto length = static_cast<unsigned>(modulePath->size());
        if (length >= size) {
            std::memcpy(buffer, modulePath->data(), size - 1);
            buffer[size - 1] = '\0';
            return size;
        }
        std::memcpy(buffer, modulePath->c_str(), length + 1);
        return length;
    }

    std::vector<service::testing::ShellExecuteCall> calls;
    std::optional<std::string> modulePath = kDefaultModulePath;
};

RecordingShell& TheShell() {
    static RecordingShell shell;
    return shell;
}

}  // namespace

Shell& SystemShell() { return TheShell(); }

namespace service::testing {

const std::vector<ShellExecuteCall>& ShellExecuteCalls() { return TheShell().calls; }

void SetModuleFileName(std::optional<std::string> path) { TheShell().modulePath = std::move(path); }

void ResetShell() {
    TheShell().calls.clear();
    TheShell().modulePath = kDefaultModulePath;
}

}  // namespace service::testing
