// Helpers for the Win32 form backend's tests: pumping messages, answering
// message boxes from a second thread, finding the tray, counting GUI objects.
#pragma once

#include "forms/win32/Win32Internal.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace formstest {

using namespace std::chrono_literals;

HWND Handle(const TControl& control);
std::string ClassName(HWND window);
std::string Text(HWND window);
LONG Style(HWND window);
LONG ExStyle(HWND window);
// The window's rectangle in its parent's client coordinates.
RECT BoundsInParent(HWND window);

// Runs this thread's messages until `done` holds or the time is up; returns done().
bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = 5s);
void PumpFor(std::chrono::milliseconds time);
// Runs the messages that are waiting, without waiting for more.
void PumpPending();

// Watches, on a thread of its own, for visible top-level windows of this
// process with a class name, and runs an action once for each new one.
class WindowWatcher {
public:
    using Action = std::function<void(HWND)>;
    WindowWatcher(std::string className, Action action);
    ~WindowWatcher();
    WindowWatcher(const WindowWatcher&) = delete;
    WindowWatcher& operator=(const WindowWatcher&) = delete;

private:
    void Watch();
    std::string className_;
    Action action_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

struct SeenBox {
    std::string caption;
    std::string text;
    bool hasIcon = false;
    HWND owner = nullptr;
    RECT rect{};
};

// Answers every message box of this process with a button (once `ready`
// holds, if given) and remembers what each box said.
class BoxAnswerer {
public:
    explicit BoxAnswerer(int button = IDOK, std::function<bool()> ready = {});
    std::vector<SeenBox> Seen() const;
    std::size_t Count() const;

private:
    void Answer(HWND box);
    int button_;
    std::function<bool()> ready_;
    mutable std::mutex mutex_;
    std::vector<SeenBox> seen_;
    WindowWatcher watcher_;  // last: it stops before the rest goes
};

// The standalone tray window of the shell and its icon windows.
HWND StandaloneTray();
std::vector<HWND> TrayIconWindows();
// The tip texts that the shell's tooltips hold (read from the shell's process).
std::vector<std::string> TrayTooltips();

// Live GDI and USER objects of this process. GetGuiResources where it
// answers; under Wine (where it is a stub that returns 0) the objects are
// counted by probing the handle tables.
struct GuiObjects {
    long gdi = 0;
    long user = 0;
    long windows = 0;
    bool fromGetGuiResources = false;
    // Probed only: GDI objects by GetObjectType (OBJ_FONT, OBJ_BITMAP, ...).
    std::map<DWORD, long> gdiByType;
};
GuiObjects CountGuiObjects();

}  // namespace formstest
