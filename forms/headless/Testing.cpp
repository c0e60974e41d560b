#include "forms/headless/Testing.h"

#include "forms/headless/State.h"

namespace forms::testing {

const std::vector<MessageBoxCall>& MessageBoxes() { return Application->impl().messageBoxes; }

void ClearMessageBoxes() { Application->impl().messageBoxes.clear(); }

const std::vector<PopupCall>& Popups() { return Application->impl().popups; }

void ResetApplication() {
    Application->DestroyForms();
    Application->SetHint("");
    Application->SetTitle("");
    Application->SetName("");
    Application->impl() = TApplication::Impl{};
}

}  // namespace forms::testing
