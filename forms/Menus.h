// Pop-up menus and their items.
#pragma once

#include <vector>

#include "forms/Classes.h"

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* owner) : TComponent(owner) {}
    // "&" marks the access key; "-" makes a separator line.
    void SetCaption(const String& caption) { caption_ = caption; }
    const String& Caption() const { return caption_; }
    bool IsSeparator() const { return caption_ == "-"; }
    void Click();  // raises OnClick through the event guard
    TNotifyEvent OnClick;

private:
    String caption_;
};

class TPopupMenu : public TComponent {
public:
    explicit TPopupMenu(TComponent* owner) : TComponent(owner) {}
    // Items, top to bottom. The menu does not own them (the form does).
    void Add(TMenuItem* item) { items_.push_back(item); }
    const std::vector<TMenuItem*>& Items() const { return items_; }
    // Shows the menu at a screen position and returns once it is closed;
    // the chosen item's OnClick runs. The owner window is the one to notify.
    void Popup(int x, int y);

private:
    std::vector<TMenuItem*> items_;
};
