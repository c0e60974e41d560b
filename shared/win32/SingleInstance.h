// The one-copy rule of both programs: a named mutex created owned. The copy
// that created it releases it before closing its handle; a copy that found it
// existing only closes its handle.
#pragma once

#include <windows.h>

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
