// The application object (hidden window, message loop, message boxes) and forms.
#include "forms/win32/Win32Internal.h"

#include <cstdlib>

#include "forms/Controls.h"
#include "forms/Forms.h"

using forms::win32::kApplicationClass;
using forms::win32::kFormClass;
using forms::win32::kActivateFormMessage;
using forms::win32::RegisterWindowClass;

[[noreturn]] void Halt(int status) { std::exit(status); }

namespace {

TApplication& TheApplication() {
    static TApplication application;
    return application;
}

struct FrameStyle {
    LONG style;
    LONG exStyle;
};

// The bits of the window styles that the border style and icons decide.
constexpr LONG kFrameStyleBits = static_cast<LONG>(WS_POPUP | WS_CAPTION | WS_BORDER | WS_THICKFRAME | WS_DLGFRAME |
                                                   WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
constexpr LONG kFrameExStyleBits = WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME | WS_EX_CONTEXTHELP | WS_EX_WINDOWEDGE;

FrameStyle FrameStyleOf(TBorderStyle border, TBorderIcons icons) {
    FrameStyle frame{0, 0};
    switch (border) {
    case bsNone:
        frame.style = static_cast<LONG>(WS_POPUP);
        return frame;  // no caption, so no caption buttons either
    case bsSingle:
        frame.style = WS_CAPTION | WS_BORDER;
        break;
    case bsSizeable:
        frame.style = WS_CAPTION | WS_THICKFRAME;
        break;
    case bsDialog:
        frame.style = WS_CAPTION | WS_DLGFRAME;
        frame.exStyle = WS_EX_DLGMODALFRAME;
        break;
    case bsToolWindow:
        frame.style = WS_CAPTION;
        frame.exStyle = WS_EX_TOOLWINDOW;
        break;
    case bsSizeToolWin:
        frame.style = WS_CAPTION | WS_THICKFRAME;
        frame.exStyle = WS_EX_TOOLWINDOW;
        break;
    }
    if ((icons & biSystemMenu) == 0) {
        return frame;  // minimise, maximise and help need the system menu
    }
    frame.style |= WS_SYSMENU;
    if (border == bsSingle || border == bsSizeable) {
        frame.style |= (icons & biMinimize) != 0 ? WS_MINIMIZEBOX : 0;
        frame.style |= (icons & biMaximize) != 0 ? WS_MAXIMIZEBOX : 0;
    }
    if (border == bsDialog && (icons & biHelp) != 0) {
        frame.exStyle |= WS_EX_CONTEXTHELP;
    }
    return frame;
}

void ApplyFrameStyle(const TForm& form) {
    const TControl::Impl& impl = form.impl();
    if (impl.hwnd == nullptr) {
        return;
    }
    const FrameStyle frame = FrameStyleOf(form.BorderStyle(), form.BorderIcons());
    const LONG style = (GetWindowLongA(impl.hwnd, GWL_STYLE) & ~kFrameStyleBits) | frame.style;
    const LONG exStyle = (GetWindowLongA(impl.hwnd, GWL_EXSTYLE) & ~kFrameExStyleBits) | frame.exStyle;
    impl.ResizeKeepingClient(style, exStyle);
}

int RectWidth(const RECT& rect) { return rect.right - rect.left; }
int RectHeight(const RECT& rect) { return rect.bottom - rect.top; }

}  // namespace

TApplication* Application = &TheApplication();

// ---- the application object ----

TApplication::Impl::Impl() : taskbarCreated(RegisterWindowMessageA("TaskbarCreated")) {}

HWND TApplication::Impl::Window() {
    if (window) {
        return window.get();
    }
    static const char* const windowClass = RegisterWindowClass(kApplicationClass, &Impl::Proc, true);
    // A popup of no size: it is never seen, but while shown it carries the
    // taskbar button of the program (its forms are owned and get none).
    const int centreX = GetSystemMetrics(SM_CXSCREEN) / 2;
    const int centreY = GetSystemMetrics(SM_CYSCREEN) / 2;
    window.reset(CreateWindowExA(0, windowClass, Application->Title().c_str(),
                                 WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX, centreX,
                                 centreY, 0, 0, nullptr, nullptr, forms::win32::Instance(), this));
    if (!window) {
        throw Exception("Cannot create the application window");
    }
    return window.get();
}

void TApplication::Impl::ShowWindowOnce() {
    HWND handle = Window();
    if (IsWindowVisible(handle) == FALSE) {
        ShowWindow(handle, SW_SHOWNOACTIVATE);
    }
}

HWND TApplication::Impl::MessageBoxOwner() {
    HWND active = GetActiveWindow();
    const TControl::Impl* form = TControl::Impl::FromHandle(active);
    if (form != nullptr && form->IsForm() && IsWindowVisible(active) != FALSE) {
        return active;
    }
    return Window();
}

bool TApplication::Impl::DialogMessage(MSG& message) {
    if (message.hwnd == nullptr) {
        return false;
    }
    HWND root = GetAncestor(message.hwnd, GA_ROOT);
    const TControl::Impl* form = TControl::Impl::FromHandle(root);
    if (form == nullptr || !form->IsForm()) {
        return false;
    }
    return IsDialogMessageA(root, &message) != FALSE;
}

LRESULT CALLBACK TApplication::Impl::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<Impl*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    LRESULT result = 0;
    bool handled = false;
    if (self != nullptr && message != WM_NCDESTROY) {
        InvokeEvent([&] { handled = self->HandleMessage(message, wParam, lParam, result); });
    }
    return handled ? result : DefWindowProcA(window, message, wParam, lParam);
}

bool TApplication::Impl::HandleMessage(UINT message, WPARAM wParam, LPARAM, LRESULT&) {
    if (message == taskbarCreated) {
        // The shell (re)started and lost its icons: show ours again.
        const std::vector<TTrayIcon::Impl*> icons = trayIcons;
        for (TTrayIcon::Impl* icon : icons) {
            ReaddTrayIcon(*icon);
        }
        return true;
    }
    switch (message) {
    case WM_CLOSE:  // "Close window" on the taskbar button
        if (Application->MainForm() != nullptr) {
            Application->MainForm()->Close();
        }
        return true;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) {
            PostMessageA(window.get(), kActivateFormMessage, 0, 0);
        }
        return false;
    case kActivateFormMessage: {
        // Activated through the taskbar button: the form the user last used takes over.
        HWND popup = GetLastActivePopup(window.get());
        if (popup != window.get() && IsWindowVisible(popup) != FALSE && IsWindowEnabled(popup) != FALSE) {
            SetActiveWindow(popup);
        }
        return true;
    }
    default:
        return false;
    }
}

TApplication::TApplication() : TComponent(nullptr), impl_(std::make_unique<Impl>()) {
    title_ = forms::win32::ProgramName();
}

TApplication::~TApplication() { DestroyForms(); }

void TApplication::Initialize() {
    forms::win32::EnsureCommonControls();
    impl_->Window();
}

void TApplication::Run() {
    if (mainForm_ == nullptr) {
        return;
    }
    if (!mainForm_->Closed()) {
        mainForm_->Show();
    }
    MSG message{};
    while (mainForm_ != nullptr && !mainForm_->Closed()) {
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0 || got == -1) {
            break;  // WM_QUIT, or no queue to read
        }
        if (!impl_->DialogMessage(message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    DestroyForms();
    if (impl_->window) {
        ShowWindow(impl_->window.get(), SW_HIDE);  // no taskbar button while the program ends
    }
}

int TApplication::MessageBox(const char* text, const char* caption, int flags) {
    HWND owner = impl_->MessageBoxOwner();
    ++impl_->modalBoxes;
    return MessageBoxA(owner, text != nullptr ? text : "", caption, static_cast<UINT>(flags));
}

void TApplication::SetTitle(String title) {
    title_ = std::move(title);
    SetWindowTextA(impl_->Window(), title_.c_str());
}

void* TApplication::Handle() const { return impl_->Window(); }

void TApplication::FormClosed(TForm* form) {
    if (form == mainForm_ && impl_->window) {
        PostMessageA(impl_->window.get(), WM_NULL, 0, 0);  // wake the loop so that Run returns
    }
}

void TApplication::FormDestroyed(TForm* form) {
    if (form == mainForm_) {
        mainForm_ = nullptr;
    }
}

// ---- forms ----

void TControl::Impl::CreateFormWindow() {
    static const char* const windowClass = RegisterWindowClass(kFormClass, &Impl::FormProc, true);
    const auto& form = static_cast<const TForm&>(control);
    const FrameStyle frame = FrameStyleOf(form.BorderStyle(), form.BorderIcons());
    HWND owner = static_cast<HWND>(Application->Handle());
    // WM_NCCREATE attaches the window to this object.
    CreateWindowExA(static_cast<DWORD>(frame.exStyle | WS_EX_CONTROLPARENT), windowClass, "",
                    static_cast<DWORD>(frame.style | WS_CLIPCHILDREN),
                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                    forms::win32::Instance(), this);
    if (hwnd == nullptr) {
        throw Exception("Cannot create a form window");
    }
    static_cast<TForm&>(control).SetFont("MS Sans Serif", -11);
}

void TControl::Impl::ResizeKeepingClient(LONG style, LONG exStyle) const {
    RECT client{};
    GetClientRect(hwnd, &client);
    SetWindowLongA(hwnd, GWL_STYLE, style);
    SetWindowLongA(hwnd, GWL_EXSTYLE, exStyle);
    RECT outer = client;
    AdjustWindowRectEx(&outer, static_cast<DWORD>(style), FALSE, static_cast<DWORD>(exStyle));
    SetWindowPos(hwnd, nullptr, 0, 0, RectWidth(outer), RectHeight(outer),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TControl::Impl::ApplyPosition() const {
    const auto& form = static_cast<const TForm&>(control);
    RECT area{};
    switch (form.Position()) {
    case poScreenCenter:
        area = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        break;
    case poDesktopCenter:
        area.left = GetSystemMetrics(SM_XVIRTUALSCREEN);
        area.top = GetSystemMetrics(SM_YVIRTUALSCREEN);
        area.right = area.left + GetSystemMetrics(SM_CXVIRTUALSCREEN);
        area.bottom = area.top + GetSystemMetrics(SM_CYVIRTUALSCREEN);
        break;
    default:
        return;  // designed or default placement: left as it is
    }
    RECT window{};
    GetWindowRect(hwnd, &window);
    SetWindowPos(hwnd, nullptr, area.left + (RectWidth(area) - RectWidth(window)) / 2,
                 area.top + (RectHeight(area) - RectHeight(window)) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TControl::Impl::RestoreFocus() const {
    HWND target = lastFocus;
    const bool usable = target != nullptr && IsWindow(target) != FALSE && IsChild(hwnd, target) != FALSE &&
                        IsWindowVisible(target) != FALSE && IsWindowEnabled(target) != FALSE;
    if (!usable) {
        target = GetNextDlgTabItem(hwnd, nullptr, FALSE);
    }
    if (target != nullptr && target != hwnd) {
        SetFocus(target);
    }
}

LRESULT TControl::Impl::DefaultButtonId() const {
    // Enter on a focused push button presses that button; anywhere else the default one.
    HWND focus = GetFocus();
    const Impl* focused = FromHandle(focus);
    if (focused != nullptr && focused->kind == Kind::Button && IsChild(hwnd, focus) != FALSE) {
        return MAKELRESULT(GetDlgCtrlID(focus), DC_HASDEFID);
    }
    const TButton* button = static_cast<const TForm&>(control).DefaultButton();
    if (button != nullptr && button->impl().hwnd != nullptr) {
        return MAKELRESULT(GetDlgCtrlID(button->impl().hwnd), DC_HASDEFID);
    }
    return 0;
}

bool TControl::Impl::HandleFormMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_COMMAND:
        return RouteCommand(wParam, lParam);
    case WM_NOTIFY:
        return RouteNotify(lParam, result);
    case WM_CLOSE:
        static_cast<TForm&>(control).Close();
        return true;
    case DM_GETDEFID:
        result = DefaultButtonId();
        return true;
    case WM_NEXTDLGCTL: {
        HWND next = LOWORD(lParam) != 0 ? reinterpret_cast<HWND>(wParam)
                                        : GetNextDlgTabItem(hwnd, GetFocus(), wParam != 0 ? TRUE : FALSE);
        if (next != nullptr) {
            SetFocus(next);
        }
        return true;
    }
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus != nullptr && IsChild(hwnd, focus) != FALSE) {
                lastFocus = focus;
            }
            return false;
        }
        if (HIWORD(wParam) != 0) {
            return false;  // activated while minimised
        }
        RestoreFocus();
        return true;
    case WM_SETFOCUS:
        RestoreFocus();
        return true;
    default:
        if (forms::win32::IsControlColorMessage(message)) {
            result = forms::win32::DialogColor(wParam);
            return true;
        }
        return false;
    }
}

LRESULT CALLBACK TControl::Impl::FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        static_cast<Impl*>(create->lpCreateParams)->Attach(window);
    }
    Impl* self = FromHandle(window);
    if (self == nullptr) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        self->Detach();
        self->hwnd = nullptr;
        return DefWindowProcA(window, message, wParam, lParam);
    }
    LRESULT result = 0;
    bool handled = false;
    InvokeEvent([&] { handled = self->HandleFormMessage(message, wParam, lParam, result); });
    return handled ? result : DefWindowProcA(window, message, wParam, lParam);
}

TForm::TForm(TComponent* owner) : TWinControl(owner, nullptr) { CreateNative(Kind::Form); }

TForm::~TForm() { Application->FormDestroyed(this); }

void TForm::SetBorderStyle(TBorderStyle style) {
    borderStyle_ = style;
    ApplyFrameStyle(*this);
}

void TForm::SetBorderIcons(TBorderIcons icons) {
    borderIcons_ = icons;
    ApplyFrameStyle(*this);
}

void TForm::SetPosition(TPosition position) {
    position_ = position;
    if (impl().shown) {
        impl().ApplyPosition();
    }
}

void TForm::SetClientWidth(int width) {
    HWND window = impl().hwnd;
    RECT outer{};
    RECT client{};
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    SetWindowPos(window, nullptr, 0, 0, impl().Scale(width) + RectWidth(outer) - RectWidth(client), RectHeight(outer),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm::SetClientHeight(int height) {
    HWND window = impl().hwnd;
    RECT outer{};
    RECT client{};
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    SetWindowPos(window, nullptr, 0, 0, RectWidth(outer), impl().Scale(height) + RectHeight(outer) - RectHeight(client),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int TForm::ClientWidth() const {
    RECT client{};
    GetClientRect(impl().hwnd, &client);
    return impl().Unscale(RectWidth(client));
}

int TForm::ClientHeight() const {
    RECT client{};
    GetClientRect(impl().hwnd, &client);
    return impl().Unscale(RectHeight(client));
}

void TForm::SetFont(const String& name, int height) {
    forms::win32::UniqueFont font(CreateFontA(impl().Scale(height), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                              DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                              DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, name.c_str()));
    if (!font) {
        throw Exception("Cannot create the font " + name);
    }
    impl().ApplyFont(font.get());
    impl().font.swap(font);  // the old font goes once no control uses it
}

void TForm::Show() {
    TControl::Impl& self = impl();
    if (!self.shown) {
        self.shown = true;
        self.ApplyPosition();
        if (DefaultButton() != nullptr && DefaultButton()->impl().hwnd != nullptr) {
            SendMessageA(DefaultButton()->impl().hwnd, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
        }
    }
    Application->impl().ShowWindowOnce();
    ShowWindow(self.hwnd, SW_SHOW);
}

void TForm::Close() {
    SetClosed();
    ShowWindow(impl().hwnd, SW_HIDE);
    Application->FormClosed(this);
}
