#include "forms/Menus.h"

#include "forms/headless/State.h"

// Records that the menu was shown; no item is chosen.
void TPopupMenu::Popup(int x, int y) { Application->impl().popups.push_back({this, x, y}); }
