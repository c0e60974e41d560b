#include "launcher/Launcher.h"

#include <array>

#include "forms/Forms.h"
#include "shared/LaunchContract.h"
#include "shared/Settings.h"

namespace {

constexpr int kPlainBox = 0;  // MB_OK, no icon
constexpr int kStatusStarted = 0;
constexpr int kStatusNotStarted = 1;

constexpr std::array<SettingDefault, 5> kDefaults{{
    {kSettingOnStartUp, "0"},
    {kSettingRecogActive, "1"},
    {kSettingHoriRecog, "0"},
    {kSettingVertRecog, "0"},
    {kSettingRecogTimeout, "1000"},
}};

std::optional<int> NumberIn(const String& text) {
    try {
        return StrToInt(text);
    } catch (const EConvertError&) {
        return std::nullopt;
    }
}

bool SwitchOn(const String& text, bool fallback) {
    const std::optional<int> number = NumberIn(text);
    return number ? *number != 0 : fallback;
}

int TimeoutWithin(const String& text, int fallback) {
    const std::optional<int> number = NumberIn(text);
    if (!number || *number < kMinRecogTimeoutMs || *number > kMaxRecogTimeoutMs) {
        return fallback;
    }
    return *number;
}

void Tell(const String& text) { Application->MessageBox(text.c_str(), kLauncherCaption, kPlainBox); }

// Brings the Run entry in line with "OnStartUp"; an entry that already holds
// the right data is not written again.
void UpdateRunEntry(LauncherPlatform& platform, const String& launcherPath, bool onStartUp) {
    if (!onStartUp) {
        if (!platform.RemoveRunEntry()) {
            Tell("Edgeroam 2 could not be removed from the programs that start with Windows.");
        }
        return;
    }
    const String data = RunEntryData(launcherPath);
    if (platform.RunEntry() == data) {
        return;
    }
    if (!platform.SetRunEntry(data)) {
        Tell("Edgeroam 2 could not be added to the programs that start with Windows.");
    }
}

}  // namespace

std::span<const SettingDefault> SettingDefaults() { return kDefaults; }

void SeedMissingSettings() {
    for (const SettingDefault& setting : kDefaults) {
        if (SettingMissing(setting.name)) {
            WriteSetting(setting.name, setting.text);
        }
    }
}

LaunchSettings LaunchSettingsFrom(const String& onStartUp, const String& recogActive, const String& recogTimeout) {
    const LaunchSettings defaults;
    return LaunchSettings{
        SwitchOn(onStartUp, defaults.onStartUp),
        SwitchOn(recogActive, defaults.recogActive),
        TimeoutWithin(recogTimeout, defaults.recogTimeoutMs),
    };
}

LaunchSettings ReadLaunchSettings() {
    const String onStartUp = ReadSetting(kSettingOnStartUp);
    const String recogActive = ReadSetting(kSettingRecogActive);
    const String recogTimeout = ReadSetting(kSettingRecogTimeout);
    return LaunchSettingsFrom(onStartUp, recogActive, recogTimeout);
}

String ServiceArguments(const LaunchSettings& settings) {
    return kLaunchSwitch + IntToStr(settings.recogActive ? settings.recogTimeoutMs : 0);
}

String DirectoryOf(const String& path) {
    const std::size_t slash = path.rfind('\\');
    return slash == String::npos ? String() : path.substr(0, slash + 1);
}

String RunEntryData(const String& launcherPath) { return '"' + launcherPath + '"'; }

int RunLauncher(LauncherPlatform& platform) {
    SeedMissingSettings();
    const LaunchSettings settings = ReadLaunchSettings();
    const String launcherPath = platform.ProgramPath();
    const String directory = DirectoryOf(launcherPath);
    if (directory.empty()) {
        Tell("Edgeroam 2 could not find the folder it was started from.");
        return kStatusNotStarted;
    }
    UpdateRunEntry(platform, launcherPath, settings.onStartUp);
    const String service = directory + kServiceFileName;
    if (!platform.StartProgram(service, ServiceArguments(settings))) {
        Tell("Edgeroam 2 could not be started:\n" + service);
        return kStatusNotStarted;
    }
    return kStatusStarted;
}
