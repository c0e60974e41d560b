#include "forms/TrayIcon.h"

// No shell icon: the properties are the whole state.
struct TTrayIcon::Impl {};

TTrayIcon::TTrayIcon(TComponent* owner) : TComponent(owner) {}

TTrayIcon::~TTrayIcon() = default;

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

void TTrayIcon::Update() {}
