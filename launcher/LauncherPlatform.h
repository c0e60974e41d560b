// What the launcher needs from the system besides the settings store: its own
// path, the current user's Run entry, and starting a program.
#pragma once

#include <optional>

#include "forms/SysUtils.h"

class LauncherPlatform {
public:
    LauncherPlatform() = default;
    LauncherPlatform(const LauncherPlatform&) = delete;
    LauncherPlatform& operator=(const LauncherPlatform&) = delete;
    virtual ~LauncherPlatform() = default;

    // The full path of the running launcher; empty when it cannot be had.
    virtual String ProgramPath() = 0;

    // The data of the launcher's value in the current user's Run key; nothing
    // when there is no such value.
    virtual std::optional<String> RunEntry() = 0;
    // Stores data as the launcher's Run value; false when it could not.
    virtual bool SetRunEntry(const String& data) = 0;
    // Deletes the launcher's Run value; true also when there was none.
    virtual bool RemoveRunEntry() = 0;

    // Starts the program at path with the argument text and does not wait
    // for it; false when it could not be started.
    virtual bool StartProgram(const String& path, const String& arguments) = 0;
};
