// Component basics: objects, owners, events and string lists.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "forms/SysUtils.h"

class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;
};

using TNotifyEvent = std::function<void(TObject* sender)>;

class TComponent : public TObject {
public:
    explicit TComponent(TComponent* owner) : owner_(owner) {}
    TComponent* Owner() const { return owner_; }
    const String& Name() const { return name_; }
    void SetName(String name) { name_ = std::move(name); }

private:
    TComponent* owner_;
    String name_;
};

// Runs an event handler. An exception escaping it is reported with
// Application->ShowException and the program runs on (ProgramExit passes).
void InvokeEvent(const std::function<void()>& handler);

// Calls a notify handler if one is assigned, through InvokeEvent.
void FireNotify(const TNotifyEvent& handler, TObject* sender);

// A plain ordered list of texts (items of a combo box).
class TStrings {
public:
    int Add(const String& text);
    void Clear();
    int Count() const { return static_cast<int>(items_.size()); }
    const String& operator[](int index) const { return items_.at(static_cast<std::size_t>(index)); }
    const std::vector<String>& All() const { return items_; }
    // Set by the owning control so that it can mirror changes into the real control.
    std::function<void(const String&)> OnAdded;
    std::function<void()> OnCleared;

private:
    std::vector<String> items_;
};
