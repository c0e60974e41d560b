// The up-down arrows: a standalone up-down control whose steps the program handles.
#include "forms/win32/Win32Internal.h"

#include <algorithm>

#include "forms/ComCtrls.h"
#include "forms/Forms.h"

TUpDown::TUpDown(TComponent* owner, TWinControl* parent) : TWinControl(owner, parent) {
    CreateNative(Kind::UpDown);
    SetRange(min_, max_);  // the native control starts with a range of its own
    SetPosition(position_);
}

void TUpDown::SetRange(int min, int max) {
    min_ = min;
    max_ = max;
    SendMessageA(impl().hwnd, UDM_SETRANGE32, static_cast<WPARAM>(min), max);
    position_ = static_cast<int>(SendMessageA(impl().hwnd, UDM_GETPOS32, 0, 0));
}

void TUpDown::SetPosition(int position) {
    SendMessageA(impl().hwnd, UDM_SETPOS32, 0, position);
    position_ = static_cast<int>(SendMessageA(impl().hwnd, UDM_GETPOS32, 0, 0));  // kept within the range
}

void TUpDown::SetWrap(bool wrap) {
    wrap_ = wrap;
    const LONG style = GetWindowLongA(impl().hwnd, GWL_STYLE);
    SetWindowLongA(impl().hwnd, GWL_STYLE, wrap ? (style | UDS_WRAP) : (style & ~UDS_WRAP));
}

// One step of the arrows, by mouse or keyboard. The control's own move is
// refused: the position is set here (clamped or wrapped) and OnClick raised.
LRESULT TControl::Impl::UpDownDeltaPos(const NMUPDOWN& change) {
    if (stepping || change.iDelta == 0) {
        return TRUE;  // auto-repeat while the last step's handler still runs
    }
    auto& upDown = static_cast<TUpDown&>(control);
    const int low = std::min(upDown.Min(), upDown.Max());
    const int high = std::max(upDown.Min(), upDown.Max());
    const bool up = (change.iDelta > 0) != (upDown.Max() < upDown.Min());
    const long long proposed = static_cast<long long>(change.iPos) + change.iDelta;
    int next = static_cast<int>(std::clamp<long long>(proposed, low, high));
    if (upDown.Wrap() && proposed > high) {
        next = low;
    } else if (upDown.Wrap() && proposed < low) {
        next = high;
    }
    upDown.SetPosition(next);

    const unsigned boxesBefore = Application->impl().modalBoxes;
    stepping = true;
    upDown.Click(up ? btNext : btPrev);
    stepping = false;
    if (Application->impl().modalBoxes != boxesBefore && hwnd != nullptr) {
        // The handler showed a message box while the arrow was held: end the
        // control's tracking, or it would repeat the step once the box is gone.
        // Posted, because the control starts tracking only after this returns.
        PostMessageA(hwnd, WM_CANCELMODE, 0, 0);
    }
    return TRUE;
}
