// Entry of options.exe: one copy at a time, only when started with the launch
// switch; runs the options window until it is left.
#include <windows.h>

#include "forms/Forms.h"
#include "options/Option.h"
#include "shared/LaunchContract.h"

namespace {

// The one-copy key. The handle is closed when the process ends in any way;
// a normal return also releases the ownership taken at creation.
class SingleInstance {
public:
    explicit SingleInstance(const char* name)
        : handle_(CreateMutexA(nullptr, TRUE, name)), alreadyRunning_(GetLastError() == ERROR_ALREADY_EXISTS) {}
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;
    ~SingleInstance() {
        if (handle_ == nullptr) {
            return;
        }
        if (!alreadyRunning_) {
            ReleaseMutex(handle_);
        }
        CloseHandle(handle_);
    }
    bool AlreadyRunning() const { return alreadyRunning_; }

private:
    HANDLE handle_;
    bool alreadyRunning_;
};

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
