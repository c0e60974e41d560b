#include "forms/ComCtrls.h"

#include <algorithm>

TUpDown::TUpDown(TComponent* owner, TWinControl* parent) : TWinControl(owner, parent) { CreateNative(Kind::UpDown); }

void TUpDown::SetRange(int min, int max) {
    min_ = min;
    max_ = max;
}

// Like the real control, the position stays within the range (either way round).
void TUpDown::SetPosition(int position) { position_ = std::clamp(position, std::min(min_, max_), std::max(min_, max_)); }

void TUpDown::SetWrap(bool wrap) { wrap_ = wrap; }
