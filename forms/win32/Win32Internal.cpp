#include "forms/win32/Win32Internal.h"

namespace forms::win32 {

HINSTANCE Instance() { return GetModuleHandleA(nullptr); }

void EnsureCommonControls() {
    static const bool registered = [] {
        INITCOMMONCONTROLSEX controls{};
        controls.dwSize = sizeof controls;
        controls.dwICC = ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS | ICC_WIN95_CLASSES;
        return InitCommonControlsEx(&controls) != FALSE;
    }();
    static_cast<void>(registered);
}

const char* RegisterWindowClass(const char* name, WNDPROC proc, bool withProgramIcon) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = proc;
    windowClass.hInstance = Instance();
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    windowClass.lpszClassName = name;
    if (withProgramIcon) {
        windowClass.hIcon = ProgramIcon(GetSystemMetrics(SM_CXICON));
        windowClass.hIconSm = ProgramIcon(GetSystemMetrics(SM_CXSMICON));
    }
    RegisterClassExA(&windowClass);  // fails only if it exists, which is as good
    return name;
}

HICON ProgramIcon(int size) {
    // Shared: the system keeps one copy per size and frees it with the process.
    return static_cast<HICON>(LoadImageA(Instance(), "MAINICON", IMAGE_ICON, size, size, LR_SHARED));
}

String WindowText(HWND window) {
    const int length = GetWindowTextLengthA(window);
    if (length <= 0) {
        return String();
    }
    String text(static_cast<std::size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

String ProgramName() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    String name(path, length < MAX_PATH ? length : 0);
    const std::size_t slash = name.find_last_of("\\/");
    if (slash != String::npos) {
        name.erase(0, slash + 1);
    }
    const std::size_t dot = name.find_last_of('.');
    if (dot != String::npos && dot > 0) {
        name.erase(dot);
    }
    return name;
}

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen != nullptr) {
        ReleaseDC(nullptr, screen);
    }
    return dpi > 0 ? dpi : 96;
}

bool IsControlColorMessage(UINT message) { return message == WM_CTLCOLORSTATIC || message == WM_CTLCOLORBTN; }

LRESULT DialogColor(WPARAM deviceContext) {
    SetBkColor(reinterpret_cast<HDC>(deviceContext), GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

MessageWindow::MessageWindow(const char* className, Handler handler)
    : handler_(std::make_unique<Handler>(std::move(handler))) {
    RegisterWindowClass(className, &MessageWindow::Proc, false);
    window_.reset(CreateWindowExA(0, className, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, Instance(),
                                  handler_.get()));
    if (!window_) {
        throw Exception("Cannot create a window of class " + String(className));
    }
}

MessageWindow::~MessageWindow() {
    // The owner is going away: no message of the destruction reaches the handler.
    SetWindowLongPtrA(window_.get(), GWLP_USERDATA, 0);
}

LRESULT CALLBACK MessageWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* handler = reinterpret_cast<Handler*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    LRESULT result = 0;
    bool handled = false;
    if (handler != nullptr && message != WM_NCDESTROY) {
        InvokeEvent([&] { handled = (*handler)(message, wParam, lParam, result); });
    }
    return handled ? result : DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace forms::win32
