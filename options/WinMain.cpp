// Entry of options.exe: one copy at a time, only when started with the launch
// switch; runs the options window until it is left.
#include <windows.h>

#include "forms/Forms.h"
#include "options/Option.h"
#include "shared/LaunchContract.h"
#include "shared/win32/SingleInstance.h"

namespace {

void RunEditor() {
    Application->Initialize();
    if (!EditorSwitchGiven(ArgumentText(GetCommandLineA()))) {
        Application->MessageBox(kNotLaunchedText, kNotLaunchedCaption, 0);
        Halt(0);
    }
    Application->CreateForm(Form1);
    Application->SetName("Options");
    Application->Run();
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const SingleInstance instance("Edgeroam2Options");
    if (instance.AlreadyRunning()) {
        return 0;  // another copy runs: leave silently
    }
    try {
        RunEditor();
    } catch (const Exception& e) {
        Application->ShowException(e);
    } catch (...) {
        Application->ShowException(Exception(""));
    }
    return 0;
}
