// Pop-up menus: built from the items when shown, tracked modally.
#include "forms/win32/Win32Internal.h"

#include "forms/Forms.h"
#include "forms/Menus.h"

void TPopupMenu::Popup(int x, int y) {
    const std::vector<TMenuItem*> items = items_;  // a handler may change the menu
    forms::win32::UniqueMenu menu(CreatePopupMenu());
    if (!menu) {
        throw Exception("Cannot create a menu");
    }
    for (std::size_t index = 0; index < items.size(); ++index) {
        if (items[index]->IsSeparator()) {
            AppendMenuA(menu.get(), MF_SEPARATOR, 0, nullptr);
        } else {
            AppendMenuA(menu.get(), MF_STRING, index + 1, items[index]->Caption().c_str());
        }
    }
    // The menu closes on a click elsewhere, and gets the keys, only if its owner
    // is in the foreground. The owner is a hidden window of its own: bringing the
    // visible application window to the foreground raced with the activation that
    // a click on the tray icon sets off (seen under Wine about every other time),
    // and the menu closed at once or the keys went elsewhere.
    HWND application = static_cast<HWND>(Application->Handle());
    forms::win32::UniqueWindow owner(CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP, 0, 0, 0, 0,
                                                     application, nullptr, forms::win32::Instance(), nullptr));
    if (!owner) {
        throw Exception("Cannot create a menu");
    }
    SetForegroundWindow(owner.get());
    const BOOL chosen =
        TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, x, y, 0, owner.get(), nullptr);
    PostMessageA(application, WM_NULL, 0, 0);  // so that the next menu does not close at once
    if (chosen <= 0 || static_cast<std::size_t>(chosen) > items.size()) {
        return;
    }
    items[static_cast<std::size_t>(chosen) - 1]->Click();
}
