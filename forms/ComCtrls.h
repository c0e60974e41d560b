// Common controls: the up-down arrows.
#pragma once

#include <functional>

#include "forms/Controls.h"

enum TUDBtnType { btNext = 0, btPrev = 1 };
using TUDClickEvent = std::function<void(TObject* sender, TUDBtnType button)>;

class TUpDown : public TWinControl {
public:
    TUpDown(TComponent* owner, TWinControl* parent);
    void SetRange(int min, int max);
    void SetPosition(int position);
    void SetWrap(bool wrap);
    int Min() const { return min_; }
    int Max() const { return max_; }
    int Position() const { return position_; }
    bool Wrap() const { return wrap_; }
    // One click on an arrow: raises OnClick(sender, button).
    void Click(TUDBtnType button);
    TUDClickEvent OnClick;

private:
    int min_ = 0;
    int max_ = 100;
    int position_ = 0;
    bool wrap_ = false;
};
