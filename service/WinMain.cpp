// Start-up of the pointer service: off the taskbar, one copy only, the
// launch switch required; then the main window and its message loop.
#include <windows.h>

#include <optional>

#include "forms/Forms.h"
#include "service/Main.h"
#include "shared/LaunchContract.h"
#include "shared/win32/SingleInstance.h"

namespace {

constexpr char kMutexName[] = "Edgeroam2";
constexpr char kTitle[] = "Edgeroam2";
constexpr char kAlreadyRunningText[] = "Edgeroam 2 is already running.";
constexpr char kAlreadyRunningCaption[] = "Edgeroam 2 : Korvantis(TM)";

// No taskbar button: the application's window becomes a tool window.
void KeepOffTaskbar() {
    const auto window = static_cast<HWND>(Application->Handle());
    SetWindowLongA(window, GWL_EXSTYLE, GetWindowLongA(window, GWL_EXSTYLE) | WS_EX_TOOLWINDOW);
}

void RunService(const String& arguments, const char* lpCmdLine) {
    Application->Initialize();
    Application->SetHint(arguments);
    if (!ServiceSwitchGiven(lpCmdLine)) {
        Application->MessageBox(kNotLaunchedText, kNotLaunchedCaption, MB_OK);
        return;
    }
    Application->CreateForm(frmMain);
    Application->SetTitle(kTitle);
    Application->Run();
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR lpCmdLine, int) {
    const char* commandLine = lpCmdLine != nullptr ? lpCmdLine : "";
    const String arguments = commandLine;
    KeepOffTaskbar();
    std::optional<SingleInstance> instance(std::in_place, kMutexName);
    if (instance->AlreadyRunning()) {
        instance.reset();  // the handle goes before the message waits for the user
        Application->MessageBox(kAlreadyRunningText, kAlreadyRunningCaption, MB_OK);
        return 0;
    }
    try {
        RunService(arguments, commandLine);
    } catch (const Exception& e) {
        Application->ShowException(e);
    } catch (...) {
        Application->ShowException(Exception(""));
    }
    return 0;
}
