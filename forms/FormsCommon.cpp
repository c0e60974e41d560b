// Members that behave the same in every backend: form ownership, the event
// guard's report, the tray icon's property setters (the backend's Update
// mirrors them), and the "as if clicked" entry points that raise events.
#include "forms/ComCtrls.h"
#include "forms/Controls.h"
#include "forms/ExtCtrls.h"
#include "forms/Forms.h"
#include "forms/Menus.h"
#include "forms/TrayIcon.h"

namespace {
constexpr int kStopIconFlags = 0x10;  // MB_OK | MB_ICONSTOP
}

void TApplication::AdoptForm(std::unique_ptr<TForm, void (*)(TForm*)> form) {
    forms_.push_back(std::move(form));
}

void TApplication::FormCreated(TForm* form) {
    if (mainForm_ == nullptr) {
        mainForm_ = form;
    }
    FireNotify(form->OnCreate, form);
}

void TApplication::ShowException(const Exception& e) {
    MessageBox(e.Message().c_str(), Title().c_str(), kStopIconFlags);
}

void TApplication::DestroyForms() {
    mainForm_ = nullptr;
    while (!forms_.empty()) {
        forms_.pop_back();  // newest first
    }
}

void TCheckBox::Click() {
    SetChecked(!Checked());
    FireNotify(OnClick, this);
}

void TButton::Click() { FireNotify(OnClick, this); }

void TEdit::Changed() { FireNotify(OnChange, this); }

void TUpDown::Click(TUDBtnType button) {
    if (!OnClick) {
        return;
    }
    InvokeEvent([&] { OnClick(this, button); });
}

void TTimer::Timer() { FireNotify(OnTimer, this); }

void TMenuItem::Click() { FireNotify(OnClick, this); }

void TTrayIcon::SetVisible(bool visible) {
    visible_ = visible;
    Update();
}

void TTrayIcon::SetHint(const String& hint) {
    hint_ = hint;
    Update();
}

void TTrayIcon::SetIconIndex(int index) {
    iconIndex_ = index;
    Update();
}

void TTrayIcon::SetIcons(TImageList* icons) {
    icons_ = icons;
    Update();
}

void TTrayIcon::Click() { FireNotify(OnClick, this); }

void TTrayIcon::RightClickUp(int screenX, int screenY) {
    if (popupMenuOn_ != imRightClickUp || popupMenu_ == nullptr) {
        return;
    }
    popupMenu_->Popup(screenX, screenY);
}
