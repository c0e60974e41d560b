#include "tests/windows/forms/Win32FormsTesting.h"

#include <set>

namespace formstest {

HWND Handle(const TControl& control) { return control.impl().hwnd; }

std::string ClassName(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string Text(HWND window) {
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

LONG Style(HWND window) { return GetWindowLongA(window, GWL_STYLE); }

LONG ExStyle(HWND window) { return GetWindowLongA(window, GWL_EXSTYLE); }

RECT BoundsInParent(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void PumpPending() {
    MSG message{};
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= end) {
            return false;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        PumpPending();
    }
    return true;
}

void PumpFor(std::chrono::milliseconds time) {
    PumpUntil([] { return false; }, time);
}

WindowWatcher::WindowWatcher(std::string className, Action action)
    : className_(std::move(className)), action_(std::move(action)), thread_([this] { Watch(); }) {}

WindowWatcher::~WindowWatcher() {
    stop_ = true;
    thread_.join();
}

void WindowWatcher::Watch() {
    std::set<HWND> handled;
    while (!stop_) {
        std::vector<HWND> found;
        for (HWND window = GetTopWindow(nullptr); window != nullptr; window = GetWindow(window, GW_HWNDNEXT)) {
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            if (process == GetCurrentProcessId() && IsWindowVisible(window) != FALSE &&
                ClassName(window) == className_) {
                found.push_back(window);
            }
        }
        std::erase_if(handled, [](HWND window) { return IsWindow(window) == FALSE; });
        for (HWND window : found) {
            if (handled.insert(window).second) {
                action_(window);
            }
        }
        Sleep(10);
    }
}

BoxAnswerer::BoxAnswerer(int button, std::function<bool()> ready)
    : button_(button), ready_(std::move(ready)), watcher_("#32770", [this](HWND box) { Answer(box); }) {}

void BoxAnswerer::Answer(HWND box) {
    SeenBox seen;
    seen.caption = Text(box);
    char text[1024] = {};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    seen.text = text;
    HWND icon = GetDlgItem(box, 1088);
    seen.hasIcon = icon != nullptr && IsWindowVisible(icon) != FALSE && SendMessageA(icon, STM_GETICON, 0, 0) != 0;
    seen.owner = GetWindow(box, GW_OWNER);
    GetWindowRect(box, &seen.rect);
    {
        const std::lock_guard lock(mutex_);
        seen_.push_back(seen);
    }
    const auto end = std::chrono::steady_clock::now() + 10s;
    while (ready_ && !ready_() && std::chrono::steady_clock::now() < end) {
        Sleep(10);
    }
    HWND button = GetDlgItem(box, button_);
    if (button != nullptr) {
        PostMessageA(button, BM_CLICK, 0, 0);
    } else {
        PostMessageA(box, WM_CLOSE, 0, 0);
    }
}

std::vector<SeenBox> BoxAnswerer::Seen() const {
    const std::lock_guard lock(mutex_);
    return seen_;
}

std::size_t BoxAnswerer::Count() const {
    const std::lock_guard lock(mutex_);
    return seen_.size();
}

HWND StandaloneTray() { return FindWindowA("__winex11_standalone_tray", nullptr); }

std::vector<HWND> TrayIconWindows() {
    std::vector<HWND> icons;
    HWND tray = StandaloneTray();
    if (tray == nullptr) {
        return icons;
    }
    for (HWND icon = FindWindowExA(tray, nullptr, "__winex11_tray_icon", nullptr); icon != nullptr;
         icon = FindWindowExA(tray, icon, "__winex11_tray_icon", nullptr)) {
        if (IsWindowVisible(icon) != FALSE) {
            icons.push_back(icon);
        }
    }
    return icons;
}

namespace {

struct ProcessDeleter {
    void operator()(HANDLE process) const { CloseHandle(process); }
};
using UniqueProcess = std::unique_ptr<std::remove_pointer_t<HANDLE>, ProcessDeleter>;

// Reads the tips of one tooltip window of another process through memory of that process.
void ReadTips(HWND tooltips, std::vector<std::string>& tips) {
    DWORD processId = 0;
    GetWindowThreadProcessId(tooltips, &processId);
    UniqueProcess process(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId));
    if (!process) {
        return;
    }
    constexpr std::size_t kTextSize = 256;
    void* remote = VirtualAllocEx(process.get(), nullptr, sizeof(TOOLINFOA) + kTextSize, MEM_COMMIT, PAGE_READWRITE);
    if (remote == nullptr) {
        return;
    }
    char* remoteText = static_cast<char*>(remote) + sizeof(TOOLINFOA);
    const auto count = SendMessageA(tooltips, TTM_GETTOOLCOUNT, 0, 0);
    for (LRESULT index = 0; index < count; ++index) {
        TOOLINFOA info{};
        info.cbSize = sizeof info;
        info.lpszText = remoteText;
        char text[kTextSize] = {};
        WriteProcessMemory(process.get(), remote, &info, sizeof info, nullptr);
        WriteProcessMemory(process.get(), remoteText, text, sizeof text, nullptr);
        if (SendMessageA(tooltips, TTM_ENUMTOOLSA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(remote)) != 0 &&
            ReadProcessMemory(process.get(), remoteText, text, sizeof text - 1, nullptr) != FALSE) {
            tips.emplace_back(text);
        }
    }
    VirtualFreeEx(process.get(), remote, 0, MEM_RELEASE);
}

}  // namespace

std::vector<std::string> TrayTooltips() {
    std::vector<std::string> tips;
    for (HWND tooltips = FindWindowExA(nullptr, nullptr, TOOLTIPS_CLASSA, nullptr); tooltips != nullptr;
         tooltips = FindWindowExA(nullptr, tooltips, TOOLTIPS_CLASSA, nullptr)) {
        DWORD processId = 0;
        GetWindowThreadProcessId(tooltips, &processId);
        if (processId != GetCurrentProcessId()) {
            ReadTips(tooltips, tips);
        }
    }
    return tips;
}

namespace {

template <class Handle>
Handle Probe(unsigned index) {
    return reinterpret_cast<Handle>(static_cast<ULONG_PTR>(index));
}

// Wine numbers its GDI and USER handles by table slot in the low word; a
// handle with a zero high word matches a live object of any generation.
GuiObjects ProbeHandleTables() {
    GuiObjects objects;
    for (unsigned index = 1; index < 0x10000; ++index) {
        const DWORD type = GetObjectType(Probe<HGDIOBJ>(index));
        if (type != 0) {
            ++objects.gdi;
            ++objects.gdiByType[type];
        }
    }
    for (unsigned index = 1; index < 0x10000; ++index) {
        HWND window = Probe<HWND>(index);
        DWORD process = 0;
        if (IsWindow(window) != FALSE && GetWindowThreadProcessId(window, &process) != 0 &&
            process == GetCurrentProcessId()) {
            ++objects.windows;
            continue;
        }
        if (IsMenu(Probe<HMENU>(index)) != FALSE) {
            ++objects.user;
            continue;
        }
        ICONINFO icon{};
        if (GetIconInfo(Probe<HICON>(index), &icon) != FALSE) {
            ++objects.user;
            DeleteObject(icon.hbmColor);
            DeleteObject(icon.hbmMask);
        }
    }
    objects.user += objects.windows;
    return objects;
}

}  // namespace

GuiObjects CountGuiObjects() {
    const auto gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    const auto user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    if (gdi == 0 && user == 0) {
        return ProbeHandleTables();
    }
    GuiObjects objects;
    objects.gdi = static_cast<long>(gdi);
    objects.user = static_cast<long>(user);
    objects.fromGetGuiResources = true;
    return objects;
}

}  // namespace formstest
