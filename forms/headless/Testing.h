// Test access to the headless backend: what was shown, and a fresh start.
#pragma once

#include <vector>

#include "forms/SysUtils.h"

namespace forms::testing {

struct MessageBoxCall {
    String text;
    String caption;
    int flags;
};

// Every message box shown since the last reset, in order. Boxes return IDOK at once.
const std::vector<MessageBoxCall>& MessageBoxes();
void ClearMessageBoxes();

// Destroys all forms and clears the application's state and the message box log.
void ResetApplication();

}  // namespace forms::testing
