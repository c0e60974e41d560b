// In-memory state of the headless backend: what the Win32 backend would keep
// in real windows, and the log of what the user would have seen.
#pragma once

#include <vector>

#include "forms/Controls.h"
#include "forms/Forms.h"
#include "forms/headless/Testing.h"

struct TControl::Impl {
    Kind kind = Kind::Form;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int clientWidth = 0;
    int clientHeight = 0;
    String text;  // caption, or an edit box's text
    bool visible = true;
    bool enabled = true;
    int tabOrder = -1;
    bool checked = false;
    int itemIndex = -1;
    int itemHeight = 0;
    String fontName;
    int fontHeight = 0;
};

struct TApplication::Impl {
    std::vector<forms::testing::MessageBoxCall> messageBoxes;
    std::vector<forms::testing::PopupCall> popups;
};
