// Test access to the headless backend: what was shown, and a fresh start.
#pragma once

#include <vector>

#include "forms/SysUtils.h"

class TPopupMenu;

namespace forms::testing {

struct MessageBoxCall {
    String text;
    String caption;
    int flags;
};

// Every message box shown since the last reset, in order. Boxes return IDOK at once.
const std::vector<MessageBoxCall>& MessageBoxes();
void ClearMessageBoxes();

struct PopupCall {
    const TPopupMenu* menu;
    int x;
    int y;
};

// Every pop-up menu shown since the last reset, in order. Nothing is chosen:
// a test picks an item by calling its Click().
const std::vector<PopupCall>& Popups();

// Destroys all forms and clears the application's state (hint, title, name)
// and the logs of message boxes and pop-up menus.
void ResetApplication();

}  // namespace forms::testing
