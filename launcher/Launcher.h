// The launcher: fills in the settings that were never stored, keeps the
// current user's Run entry in step with "OnStartUp", and starts the pointer
// service with the launch switch and the recognition timeout.
#pragma once

#include <optional>
#include <span>

#include "forms/SysUtils.h"
#include "launcher/LauncherPlatform.h"

struct SettingDefault {
    const char* name;
    const char* text;
};

// What a setting reads as while the user has never stored it.
std::span<const SettingDefault> SettingDefaults();

// Writes the default of every setting that is missing; stored values, even
// empty or unreadable ones, stay as they are.
void SeedMissingSettings();

// The settings the launcher acts on.
struct LaunchSettings {
    bool onStartUp = false;
    bool recogActive = true;
    int recogTimeoutMs = 1000;
};

inline constexpr int kMinRecogTimeoutMs = 50;
inline constexpr int kMaxRecogTimeoutMs = 5000;

// The stored texts as the launcher reads them: a check box setting is on when
// its number is not 0; a timeout outside 50 to 5000 ms, or any text that is not
// a number, gives that setting's default.
LaunchSettings LaunchSettingsFrom(const String& onStartUp, const String& recogActive, const String& recogTimeout);

// Reads the three settings through the settings store.
LaunchSettings ReadLaunchSettings();

// The service's argument text: the switch and the timeout, or the switch and 0
// when recognition is off (no stroke is then ever within the time window).
String ServiceArguments(const LaunchSettings& settings);

// The directory of a full path, trailing backslash included; empty when the
// path has no backslash.
String DirectoryOf(const String& path);

// The Run entry's data for the launcher at path: the path in double quotes.
String RunEntryData(const String& launcherPath);

inline constexpr char kServiceFileName[] = "edgeroam2.exe";
inline constexpr char kRunEntryName[] = "Edgeroam2";
inline constexpr char kLauncherCaption[] = "Edgeroam 2 : Korvantis(TM)";

// The whole start: seed, Run entry, service. Returns the exit status: 0 once
// the service has been started, 1 when it could not be (the user is told).
int RunLauncher(LauncherPlatform& platform);
