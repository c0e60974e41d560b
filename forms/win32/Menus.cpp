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
    // The menu closes on a click elsewhere only if its owner is in the foreground.
    HWND owner = static_cast<HWND>(Application->Handle());
    SetForegroundWindow(owner);
    const BOOL chosen =
        TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, x, y, 0, owner, nullptr);
    PostMessageA(owner, WM_NULL, 0, 0);  // so that the next menu does not close at once
    if (chosen <= 0 || static_cast<std::size_t>(chosen) > items.size()) {
        return;
    }
    items[static_cast<std::size_t>(chosen) - 1]->Click();
}
