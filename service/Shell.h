// The shell services the service's menu needs, behind a seam so that unit
// Main builds and runs without Windows.
#pragma once

// Show commands passed on to the program that opens a file.
inline constexpr int kShowNormal = 1;     // SW_SHOWNORMAL
inline constexpr int kShowMaximized = 3;  // SW_SHOWMAXIMIZED

class Shell {
public:
    Shell() = default;
    Shell(const Shell&) = delete;
    Shell& operator=(const Shell&) = delete;
    virtual ~Shell() = default;

    // ShellExecuteA with no owner window and no working directory; a null
    // parameters text passes none. The shell's result is not reported.
    virtual void Execute(const char* verb, const char* file, const char* parameters,
                         int showCommand) = 0;

    // GetModuleFileNameA for the running program: the full path of its file
    // into buffer (size bytes); the number of characters written, 0 on failure.
    // A path that does not fit is cut and gives size.
    virtual unsigned ModuleFileName(char* buffer, unsigned size) = 0;
};

// The shell of this build: the real one on Windows, a recording fake on the host.
Shell& SystemShell();
