// Start-up of the launcher: no window of its own; it seeds the settings,
// keeps the Run entry and starts the pointer service, then ends.
#include <windows.h>

#include "forms/Forms.h"
#include "launcher/Launcher.h"
#include "launcher/win32/Win32LauncherPlatform.h"

namespace {
constexpr int kStatusFailed = 1;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    Win32LauncherPlatform platform;
    try {
        Application->Initialize();
        return RunLauncher(platform);
    } catch (const Exception& e) {
        Application->ShowException(e);
    } catch (const std::exception& e) {
        Application->ShowException(Exception(e.what()));
    } catch (...) {
        Application->ShowException(Exception(""));
    }
    return kStatusFailed;
}
