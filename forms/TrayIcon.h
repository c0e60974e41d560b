// The notification-area icon.
#pragma once

#include <memory>

#include "forms/Classes.h"

class TImageList;
class TPopupMenu;

enum TTrayIconMode { imNone, imClick, imDoubleClick, imLeftClickUp, imRightClickUp };

class TTrayIcon : public TComponent {
public:
    explicit TTrayIcon(TComponent* owner);
    ~TTrayIcon() override;  // removes the icon: no ghost left behind

    // Shown while visible; re-added when the shell restarts (taskbar created).
    void SetVisible(bool visible);
    bool Visible() const { return visible_; }
    void SetHint(const String& hint);
    const String& Hint() const { return hint_; }
    void SetIconIndex(int index);
    int IconIndex() const { return iconIndex_; }
    void SetIcons(TImageList* icons);
    TImageList* Icons() const { return icons_; }
    void SetPopupMenu(TPopupMenu* menu) { popupMenu_ = menu; }
    TPopupMenu* PopupMenu() const { return popupMenu_; }
    void SetHide(bool hide) { hide_ = hide; }
    void SetRestoreOn(TTrayIconMode mode) { restoreOn_ = mode; }
    void SetPopupMenuOn(TTrayIconMode mode) { popupMenuOn_ = mode; }
    TTrayIconMode PopupMenuOn() const { return popupMenuOn_; }

    TNotifyEvent OnClick;
    // What a left click and a right-button release do; the backend calls them.
    void Click();
    void RightClickUp(int screenX, int screenY);

    struct Impl;

private:
    void Update();  // backend: add, modify or delete the shell's icon
    bool visible_ = false;
    String hint_;
    int iconIndex_ = 0;
    TImageList* icons_ = nullptr;
    TPopupMenu* popupMenu_ = nullptr;
    bool hide_ = false;
    TTrayIconMode restoreOn_ = imNone;
    TTrayIconMode popupMenuOn_ = imNone;
    std::unique_ptr<Impl> impl_;
};
