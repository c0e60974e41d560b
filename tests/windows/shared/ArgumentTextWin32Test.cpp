// ArgumentText against what a real WinMain receives: a helper program is
// started with each command line and writes back its lpCmdLine.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "shared/LaunchContract.h"
#include "tests/unit/shared/CommandLineCases.h"

namespace {

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

std::string DirectoryOfThisProgram() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path, length);
    return dir.substr(0, dir.find_last_of('\\') + 1);
}

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Starts the helper with the given command line; returns what its WinMain got.
std::string ReceivedByWinMain(const std::string& commandLine) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string output = std::string(temp) + "edgeroam-args-" + std::to_string(GetCurrentProcessId());
    DeleteFileA(output.c_str());
    SetEnvironmentVariableA("EDGEROAM_ARGUMENT_FILE", output.c_str());

    const std::string program = DirectoryOfThisProgram() + "shared_argument_echo.exe";
    std::string line = commandLine;  // CreateProcessA may write to it
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &info)) {
        ADD_FAILURE() << "could not start " << program << ", error " << GetLastError();
        return {};
    }
    const UniqueHandle process(info.hProcess);
    const UniqueHandle thread(info.hThread);
    EXPECT_EQ(WaitForSingleObject(process.get(), 30000), WAIT_OBJECT_0);
    DWORD status = 1;
    GetExitCodeProcess(process.get(), &status);
    EXPECT_EQ(status, 0u);
    std::string received = ReadWholeFile(output);
    DeleteFileA(output.c_str());
    return received;
}

class ArgumentTextWin32Test : public testing::TestWithParam<CommandLineCase> {};

TEST_P(ArgumentTextWin32Test, IsWhatWinMainReceives) {
    const CommandLineCase& c = GetParam();
    EXPECT_EQ(ReceivedByWinMain(c.commandLine), c.args);
    EXPECT_STREQ(ArgumentText(c.commandLine), c.args);
}

INSTANTIATE_TEST_SUITE_P(CommandLines, ArgumentTextWin32Test, testing::ValuesIn(kCommandLineCases));

}  // namespace
