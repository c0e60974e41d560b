// Headless application and forms: no windows, no message loop. Message boxes
// are logged and answered with IDOK at once.
#include "forms/Forms.h"

#include "forms/headless/State.h"

namespace {

constexpr int kIdOk = 1;

TApplication& TheApplication() {
    static TApplication application;
    return application;
}

}  // namespace

TApplication* Application = &TheApplication();

[[noreturn]] void Halt(int status) { throw ProgramExit{status}; }

TApplication::TApplication() : TComponent(nullptr), impl_(std::make_unique<Impl>()) {}

// Forms report their destruction here, so they go while the rest still exists.
TApplication::~TApplication() { DestroyForms(); }

void TApplication::Initialize() {}

// Nothing to pump: shows the main form unless it has already been closed.
void TApplication::Run() {
    if (mainForm_ != nullptr && !mainForm_->Closed()) {
        mainForm_->Show();
    }
}

int TApplication::MessageBox(const char* text, const char* caption, int flags) {
    impl_->messageBoxes.push_back({text != nullptr ? text : "", caption != nullptr ? caption : "", flags});
    return kIdOk;
}

void TApplication::SetTitle(String title) { title_ = std::move(title); }

void* TApplication::Handle() const { return nullptr; }

// Closing the main form would end the message loop; there is none to end.
void TApplication::FormClosed(TForm*) {}

void TApplication::FormDestroyed(TForm* form) {
    if (form == mainForm_) {
        mainForm_ = nullptr;
    }
}

TForm::TForm(TComponent* owner) : TWinControl(owner, nullptr) { CreateNative(Kind::Form); }

TForm::~TForm() {
    if (Application != nullptr) {
        Application->FormDestroyed(this);
    }
}

void TForm::SetBorderStyle(TBorderStyle style) { borderStyle_ = style; }
void TForm::SetBorderIcons(TBorderIcons icons) { borderIcons_ = icons; }
void TForm::SetPosition(TPosition position) { position_ = position; }
void TForm::SetClientWidth(int width) { impl().clientWidth = width; }
void TForm::SetClientHeight(int height) { impl().clientHeight = height; }
int TForm::ClientWidth() const { return impl().clientWidth; }
int TForm::ClientHeight() const { return impl().clientHeight; }

void TForm::SetFont(const String& name, int height) {
    impl().fontName = name;
    impl().fontHeight = height;
}

void TForm::Show() { SetVisible(true); }

void TForm::Close() {
    if (Closed()) {
        return;
    }
    SetClosed();
    SetVisible(false);
    Application->FormClosed(this);
}
