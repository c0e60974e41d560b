// Internals shared by the Win32 backend's files: handle wrappers, the window
// classes, and the Impl structs behind the form layer's classes.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <type_traits>
#include <vector>

#include "forms/Controls.h"
#include "forms/Forms.h"
#include "forms/TrayIcon.h"

namespace forms::win32 {

// Window classes of the backend; tests find windows by them.
inline constexpr char kApplicationClass[] = "Edgeroam.Application";
inline constexpr char kFormClass[] = "Edgeroam.Form";
inline constexpr char kTimerClass[] = "Edgeroam.Timer";
inline constexpr char kTrayIconClass[] = "Edgeroam.TrayIcon";

// The shell's notifications for a tray icon arrive as this message.
inline constexpr UINT kTrayCallbackMessage = WM_APP + 1;
// Posted to the application window: hand the activation on to a form.
inline constexpr UINT kActivateFormMessage = WM_APP + 2;
// Every tray icon has a window of its own, so one id serves all.
inline constexpr UINT kTrayIconId = 1;
// Control ids start above IDOK..IDHELP so that Enter and Escape never hit a control by id.
inline constexpr int kFirstControlId = 100;

struct WindowDeleter {
    void operator()(HWND window) const { DestroyWindow(window); }
};
struct GdiObjectDeleter {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct IconDeleter {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};
struct MenuDeleter {
    void operator()(HMENU menu) const { DestroyMenu(menu); }
};
using UniqueWindow = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDeleter>;
using UniqueFont = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiObjectDeleter>;
using UniqueIcon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;
using UniqueMenu = std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDeleter>;

HINSTANCE Instance();
// Registers the common controls (up-down, combo box) once per process.
void EnsureCommonControls();
// Registers a window class (callers keep the result in a function-local static).
// Classes with the program icon show "MAINICON" in their caption and task switcher.
const char* RegisterWindowClass(const char* name, WNDPROC proc, bool withProgramIcon);
// The program's icon resource "MAINICON" at a size; null when the program has none.
HICON ProgramIcon(int size);
String WindowText(HWND window);
// The name of the running program's file without folder and extension.
String ProgramName();
// Logical pixels per inch of the screen.
int ScreenDpi();

// Labels, check boxes and group box captions ask their parent for colours
// (WM_CTLCOLORSTATIC, WM_CTLCOLORBTN): they are drawn on the dialog colour.
bool IsControlColorMessage(UINT message);
LRESULT DialogColor(WPARAM deviceContext);

// A hidden message-only window that hands its messages to a handler. The
// handler returns true when it dealt with a message (the result is then used).
class MessageWindow {
public:
    using Handler = std::function<bool(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)>;
    MessageWindow(const char* className, Handler handler);
    ~MessageWindow();
    MessageWindow(const MessageWindow&) = delete;
    MessageWindow& operator=(const MessageWindow&) = delete;
    HWND Handle() const { return window_.get(); }

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    std::unique_ptr<Handler> handler_;
    UniqueWindow window_;
};

}  // namespace forms::win32

struct TControl::Impl {
    explicit Impl(TControl& owner) : control(owner) {}
    ~Impl();
    Impl(const Impl&) = delete;
    Impl& operator=(const Impl&) = delete;

    TControl& control;
    Kind kind = Kind::Form;
    HWND hwnd = nullptr;
    // Takes a place in its parent's tab order (labels and forms do not).
    bool inTabOrder = false;

    // Forms: the font of the form and its controls, the control that had the
    // focus when the form was last deactivated, whether it has been shown.
    forms::win32::UniqueFont font;
    HWND lastFocus = nullptr;
    bool shown = false;

    // Up-downs: a step's handler is running.
    bool stepping = false;

    bool IsForm() const { return kind == Kind::Form; }
    static Impl* FromHandle(HWND window);
    void Attach(HWND window);
    void Detach();

    // Native window creation, per kind.
    void CreateFormWindow();
    void CreateChildWindow(TWinControl* parent);
    void RecreateComboBox(TComboBoxStyle style);

    // The form the control is on (itself for a form); null for a control without one.
    const TForm* Form() const;
    // Sizes are given at 96 DPI and scaled to the screen for a Scaled form;
    // a form's own position is in screen pixels and never scaled.
    int Scale(int pixels) const;
    int Unscale(int pixels) const;
    int ScalePosition(int pixels) const;
    int UnscalePosition(int pixels) const;
    // The window's rectangle in its parent's client coordinates (screen for a form).
    RECT NativeBounds() const;
    void MoveNative(int left, int top, int width, int height) const;
    void ApplyFont(HFONT font) const;

    // Notifications of child controls, at the form or at a group box.
    bool RouteCommand(WPARAM wParam, LPARAM lParam) const;
    bool RouteNotify(LPARAM lParam, LRESULT& result) const;
    // This control's own notification code (BN_CLICKED, EN_CHANGE).
    void Notified(WORD code);
    LRESULT UpDownDeltaPos(const NMUPDOWN& change);

    // Forms.
    bool HandleFormMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void RestoreFocus() const;
    LRESULT DefaultButtonId() const;
    void ApplyPosition() const;
    void ResizeKeepingClient(LONG style, LONG exStyle) const;
    static LRESULT CALLBACK FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR id, DWORD_PTR data);
};

struct TApplication::Impl {
    Impl();
    HWND Window();
    void ShowWindowOnce();
    HWND MessageBoxOwner();
    bool DialogMessage(MSG& message);

    forms::win32::UniqueWindow window;
    UINT taskbarCreated = 0;
    std::vector<TTrayIcon::Impl*> trayIcons;
    // Message boxes shown so far; lets an up-down see that a step's handler ran one.
    unsigned modalBoxes = 0;

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
};

// Shows a tray icon again after the shell (re)started; defined with the tray icon.
void ReaddTrayIcon(TTrayIcon::Impl& icon);
