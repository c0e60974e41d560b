// Creating and destroying forms with every control leaves no GDI or USER
// object behind.
#include "tests/windows/forms/Win32FormsFixture.h"

#include <cstdio>
#include <functional>

#include "tests/windows/forms/ProbeForm.h"

using namespace formstest;

namespace {

using LeakWin32 = Win32Forms;

// One life of a form: built, shown with its tray icon, painted, its timer
// ticking, edited, then destroyed.
void FormLifetime() {
    ProbeForm* form = nullptr;
    Application->CreateForm(form);
    form->SetFont("MS Sans Serif", -11);
    form->combo.SetItemIndex(2);
    form->edit.SetText("200");
    form->tray.SetVisible(true);
    form->tray.SetIconIndex(1);
    form->tray.SetHint("OFF");
    form->timer.SetEnabled(true);
    form->Show();
    UpdateWindow(Handle(*form));
    PumpPending();
    Application->DestroyForms();
}

void Print(const char* when, const GuiObjects& objects) {
    std::printf("%s: GDI %ld, USER %ld (windows %ld) [%s]", when, objects.gdi, objects.user, objects.windows,
                objects.fromGetGuiResources ? "GetGuiResources" : "handle tables probed");
    for (const auto& [type, count] : objects.gdiByType) {
        std::printf(" type%lu:%ld", type, count);
    }
    std::printf("\n");
}

// Before counting: the first lives register the window classes and load the
// shared icons, and Wine's cache of window device contexts (a DC and a
// region each) grows to what the windows need; after that it stays.
void WarmUp(const std::function<void()>& life) {
    for (int round = 0; round < 10; ++round) {
        life();
    }
    PumpFor(200ms);
}

TEST_F(LeakWin32, ThousandFormsWithAllControlsLeaveTheObjectCountsUnchanged) {
    // Another icon keeps the shell's tray window up between the forms' icons.
    TTrayIcon resident(nullptr);
    resident.SetVisible(true);
    WarmUp(FormLifetime);
    const GuiObjects before = CountGuiObjects();
    Print("before", before);
    ASSERT_GT(before.gdi, 0);
    ASSERT_GT(before.user, 0);

    for (int round = 0; round < 1000; ++round) {
        FormLifetime();
    }
    PumpFor(200ms);
    const GuiObjects after = CountGuiObjects();
    Print("after 1000", after);
    EXPECT_EQ(after.gdi, before.gdi);
    EXPECT_EQ(after.user, before.user);
    EXPECT_EQ(after.windows, before.windows);
}

TEST_F(LeakWin32, PopupMenusLeaveTheObjectCountsUnchanged) {
    ProbeForm* form = nullptr;
    Application->CreateForm(form);
    form->Show();
    const auto cycle = [&] {
        // Closed at once: the Escape is waiting in the queue when the menu starts.
        PostMessageA(static_cast<HWND>(Application->Handle()), WM_KEYDOWN, VK_ESCAPE, 0);
        form->menu.Popup(50, 50);
        PumpPending();
    };
    WarmUp(cycle);
    const GuiObjects before = CountGuiObjects();
    for (int round = 0; round < 200; ++round) {
        cycle();
    }
    const GuiObjects after = CountGuiObjects();
    Print("menus before", before);
    Print("menus after 200", after);
    EXPECT_EQ(after.gdi, before.gdi);
    EXPECT_EQ(after.user, before.user);
}

}  // namespace
