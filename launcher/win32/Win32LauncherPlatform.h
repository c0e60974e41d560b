// The launcher's system calls on Windows. Paths and the Run entry go through
// the wide-character functions, so that a folder name outside the ANSI code
// page still works; the logic sees them as UTF-8.
#pragma once

#include "launcher/LauncherPlatform.h"

class Win32LauncherPlatform final : public LauncherPlatform {
public:
    String ProgramPath() override;
    std::optional<String> RunEntry() override;
    bool SetRunEntry(const String& data) override;
    bool RemoveRunEntry() override;
    bool StartProgram(const String& path, const String& arguments) override;
};
