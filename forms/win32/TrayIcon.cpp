// The notification-area icon: Shell_NotifyIcon on a hidden window of its own.
#include "forms/win32/Win32Internal.h"

#include <shellapi.h>

#include <algorithm>

#include "forms/Forms.h"
#include "forms/ImgList.h"
#include "forms/TrayIcon.h"

using forms::win32::kTrayCallbackMessage;
using forms::win32::kTrayIconId;

struct TTrayIcon::Impl {
    explicit Impl(TTrayIcon& icon);
    ~Impl();
    Impl(const Impl&) = delete;
    Impl& operator=(const Impl&) = delete;

    NOTIFYICONDATAA Data(UINT flags) const;
    HICON Image() const;
    void Add();
    void Remove();
    void Callback(WPARAM wParam, LPARAM lParam);

    TTrayIcon& owner;
    forms::win32::MessageWindow window;
    bool added = false;
    // The right button was just released: the WM_CONTEXTMENU that follows is the same click.
    bool rightButtonReleased = false;
};

TTrayIcon::Impl::Impl(TTrayIcon& icon)
    : owner(icon), window(forms::win32::kTrayIconClass, [this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT&) {
          if (message != kTrayCallbackMessage) {
              return false;
          }
          Callback(wParam, lParam);
          return true;
      }) {
    Application->impl().trayIcons.push_back(this);
}

TTrayIcon::Impl::~Impl() {
    Remove();
    auto& icons = Application->impl().trayIcons;
    icons.erase(std::remove(icons.begin(), icons.end(), this), icons.end());
}

HICON TTrayIcon::Impl::Image() const {
    const TImageList* images = owner.Icons();
    if (images != nullptr && images->IconHandle(owner.IconIndex()) != nullptr) {
        return static_cast<HICON>(images->IconHandle(owner.IconIndex()));
    }
    if (HICON icon = forms::win32::ProgramIcon(GetSystemMetrics(SM_CXSMICON)); icon != nullptr) {
        return icon;
    }
    return LoadIcon(nullptr, IDI_APPLICATION);
}

NOTIFYICONDATAA TTrayIcon::Impl::Data(UINT flags) const {
    NOTIFYICONDATAA data{};
    data.cbSize = sizeof data;
    data.hWnd = window.Handle();
    data.uID = kTrayIconId;
    data.uFlags = flags;
    data.uCallbackMessage = kTrayCallbackMessage;
    // Only when asked for: removing the icon must not touch the image list,
    // which a form may already have destroyed by then.
    if ((flags & NIF_ICON) != 0) {
        data.hIcon = Image();
    }
    // The tip has a fixed buffer: a longer hint is cut, never overrun.
    const String& hint = owner.Hint();
    const std::size_t length = std::min(hint.size(), sizeof data.szTip - 1);
    std::copy_n(hint.begin(), length, data.szTip);
    data.szTip[length] = '\0';
    return data;
}

void TTrayIcon::Impl::Add() {
    NOTIFYICONDATAA data = Data(NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP);
    if (Shell_NotifyIconA(NIM_ADD, &data) == FALSE) {
        return;  // no shell yet: its "TaskbarCreated" brings the icon back
    }
    added = true;
    data.uVersion = NOTIFYICON_VERSION_4;
    Shell_NotifyIconA(NIM_SETVERSION, &data);
}

void TTrayIcon::Impl::Remove() {
    if (!added) {
        return;
    }
    NOTIFYICONDATAA data = Data(0);
    Shell_NotifyIconA(NIM_DELETE, &data);
    added = false;
}

void TTrayIcon::Impl::Callback(WPARAM wParam, LPARAM lParam) {
    UINT event = 0;
    POINT at{};
    if (HIWORD(lParam) != 0) {
        // Version 4: the event in the low word, the icon id in the high word,
        // the anchor point in wParam.
        event = LOWORD(lParam);
        at = {static_cast<short>(LOWORD(wParam)), static_cast<short>(HIWORD(wParam))};
    } else {
        // The older form (a shell that ignored NIM_SETVERSION): id in wParam, event in lParam.
        event = static_cast<UINT>(lParam);
        GetCursorPos(&at);
    }
    const bool afterRightButton = rightButtonReleased;
    rightButtonReleased = event == WM_RBUTTONUP;
    switch (event) {
    case WM_LBUTTONUP:
    case NIN_KEYSELECT:
        owner.Click();
        break;
    case WM_RBUTTONUP:
        owner.RightClickUp(at.x, at.y);
        break;
    case WM_CONTEXTMENU:  // from the keyboard; after a right click it repeats that click
        if (!afterRightButton) {
            owner.RightClickUp(at.x, at.y);
        }
        break;
    default:
        break;
    }
}

void ReaddTrayIcon(TTrayIcon::Impl& icon) {
    if (!icon.owner.Visible()) {
        return;
    }
    icon.added = false;
    icon.Add();
    if (!icon.added) {
        // Still there (the shell did not lose it after all): bring it up to date.
        NOTIFYICONDATAA data = icon.Data(NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP);
        icon.added = Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
    }
}

TTrayIcon::TTrayIcon(TComponent* owner) : TComponent(owner), impl_(std::make_unique<Impl>(*this)) {}

TTrayIcon::~TTrayIcon() = default;  // removes the icon

void TTrayIcon::Update() {
    if (!visible_) {
        impl_->Remove();
        return;
    }
    if (!impl_->added) {
        impl_->Add();
        return;
    }
    NOTIFYICONDATAA data = impl_->Data(NIF_ICON | NIF_TIP | NIF_SHOWTIP);
    Shell_NotifyIconA(NIM_MODIFY, &data);
}
