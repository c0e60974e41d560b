#include "forms/Classes.h"

#include "forms/Forms.h"

void InvokeEvent(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const ProgramExit&) {
        throw;
    } catch (const Exception& e) {
        Application->ShowException(e);
    } catch (...) {
        Application->ShowException(Exception(""));
    }
}

void FireNotify(const TNotifyEvent& handler, TObject* sender) {
    if (!handler) {
        return;
    }
    InvokeEvent([&] { handler(sender); });
}

int TStrings::Add(const String& text) {
    items_.push_back(text);
    if (OnAdded) {
        OnAdded(text);
    }
    return Count() - 1;
}

void TStrings::Clear() {
    items_.clear();
    if (OnCleared) {
        OnCleared();
    }
}
