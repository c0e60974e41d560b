// The application object and forms.
#pragma once

#include <memory>
#include <new>
#include <type_traits>
#include <vector>

#include "forms/Classes.h"
#include "forms/Controls.h"

#ifdef MessageBox
#undef MessageBox  // <windows.h> maps it to MessageBoxA; ours is a method.
#endif

enum TBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBorderIcon { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
using TBorderIcons = int;  // bit set of TBorderIcon
enum TPosition { poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter };

// Thrown by the headless backend's Halt so that tests can see a program end;
// event guards let it pass. The Win32 Halt ends the process instead.
struct ProgramExit {
    int status;
};

// Ends the program at once with the given status (the standard library's exit).
[[noreturn]] void Halt(int status);

class TForm;

class TApplication : public TComponent {
public:
    TApplication();
    ~TApplication() override;

    void Initialize();

    // Creates a form of class T: the pointer is stored in `ref` before T's
    // constructor runs, OnCreate runs after it, and the first form created
    // becomes the main form. The application owns the form.
    template <class T>
    void CreateForm(T*& ref);

    // Message loop. Shows the main form and returns once it has been closed.
    void Run();

    // Modal box owned by the application; returns the pressed button's id.
    int MessageBox(const char* text, const char* caption, int flags);
    void ShowException(const Exception& e);

    const String& Hint() const { return hint_; }
    void SetHint(String hint) { hint_ = std::move(hint); }
    const String& Title() const { return title_; }
    void SetTitle(String title);

    // The hidden top-level window that carries the taskbar button and owns the forms.
    void* Handle() const;
    TForm* MainForm() const { return mainForm_; }

    // Called by TForm when a form is closed or destroyed.
    void FormClosed(TForm* form);
    void FormDestroyed(TForm* form);

    // Destroys every form (end of Run, or a test's fresh start).
    void DestroyForms();

    struct Impl;
    Impl& impl() { return *impl_; }

private:
    void AdoptForm(std::unique_ptr<TForm, void (*)(TForm*)> form);
    void FormCreated(TForm* form);

    String hint_;
    String title_;
    TForm* mainForm_ = nullptr;
    std::vector<std::unique_ptr<TForm, void (*)(TForm*)>> forms_;
    std::unique_ptr<Impl> impl_;
};

extern TApplication* Application;

class TForm : public TWinControl {
public:
    explicit TForm(TComponent* owner);
    ~TForm() override;

    TNotifyEvent OnCreate;

    void SetBorderStyle(TBorderStyle style);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderIcons(TBorderIcons icons);
    TBorderIcons BorderIcons() const { return borderIcons_; }
    void SetPosition(TPosition position);
    TPosition Position() const { return position_; }
    void SetScaled(bool scaled) { scaled_ = scaled; }
    bool Scaled() const { return scaled_; }
    void SetClientWidth(int width);
    void SetClientHeight(int height);
    int ClientWidth() const;
    int ClientHeight() const;
    // Font of the form and its controls (name, height in pixels, negative = character height).
    void SetFont(const String& name, int height);

    // Controls the Enter and Escape keys press.
    void SetDefaultButton(class TButton* button) { defaultButton_ = button; }
    void SetCancelButton(class TButton* button) { cancelButton_ = button; }
    class TButton* DefaultButton() const { return defaultButton_; }
    class TButton* CancelButton() const { return cancelButton_; }

    void Show();
    void Close();
    bool Closed() const { return closed_; }

protected:
    void SetClosed() { closed_ = true; }

private:
    TBorderStyle borderStyle_ = bsSizeable;
    TBorderIcons borderIcons_ = biSystemMenu | biMinimize | biMaximize;
    TPosition position_ = poDesigned;
    bool scaled_ = true;
    bool closed_ = false;
    class TButton* defaultButton_ = nullptr;
    class TButton* cancelButton_ = nullptr;
};

template <class T>
void TApplication::CreateForm(T*& ref) {
    static_assert(std::is_base_of_v<TForm, T>, "CreateForm makes forms");
    std::allocator<T> alloc;
    T* storage = alloc.allocate(1);
    ref = storage;  // visible to the constructor, as the programs expect
    try {
        std::construct_at(storage, this);
    } catch (...) {
        alloc.deallocate(storage, 1);
        ref = nullptr;
        throw;
    }
    auto destroy = [](TForm* form) {
        T* derived = static_cast<T*>(form);
        std::destroy_at(derived);
        std::allocator<T>().deallocate(derived, 1);
    };
    AdoptForm(std::unique_ptr<TForm, void (*)(TForm*)>(storage, destroy));
    FormCreated(storage);
}
