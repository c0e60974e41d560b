// The controls under Wine: properties read back from the real windows,
// notifications through group boxes, the dialog keys, the up-down's steps.
#include "tests/windows/forms/Win32FormsFixture.h"

#include <functional>

#include "tests/windows/forms/ProbeForm.h"

using namespace formstest;

namespace {

using ControlsWin32 = Win32Forms;

struct ControlCase {
    const char* name;
    TControl& (*control)(ProbeForm&);
    const char* className;
    const char* caption;
    bool inGroup;
    RECT bounds;  // left, top, right, bottom in the parent; 0 = not checked
};

class ControlReadBack : public Win32Forms, public ::testing::WithParamInterface<ControlCase> {};

TEST_P(ControlReadBack, ClassCaptionParentAndBoundsAreTheRealWindows) {
    ProbeForm& form = NewForm();
    const ControlCase& wanted = GetParam();
    TControl& control = wanted.control(form);
    HWND window = Handle(control);
    ASSERT_NE(IsWindow(window), FALSE);
    EXPECT_EQ(lstrcmpiA(ClassName(window).c_str(), wanted.className), 0) << ClassName(window);
    EXPECT_EQ(Text(window), wanted.caption);
    EXPECT_EQ(control.Caption(), wanted.caption);
    EXPECT_EQ(GetParent(window), wanted.inGroup ? Handle(form.group) : Handle(form));
    const RECT bounds = BoundsInParent(window);
    EXPECT_EQ(bounds.left, wanted.bounds.left);
    EXPECT_EQ(bounds.top, wanted.bounds.top);
    EXPECT_EQ(control.Left(), wanted.bounds.left);
    EXPECT_EQ(control.Top(), wanted.bounds.top);
    if (wanted.bounds.right != 0) {
        EXPECT_EQ(bounds.right, wanted.bounds.right);
        EXPECT_EQ(control.Width(), wanted.bounds.right - wanted.bounds.left);
    }
    if (wanted.bounds.bottom != 0) {
        EXPECT_EQ(bounds.bottom, wanted.bounds.bottom);
        EXPECT_EQ(control.Height(), wanted.bounds.bottom - wanted.bounds.top);
    }
    EXPECT_TRUE(control.Visible());
    EXPECT_TRUE(control.Enabled());
}

INSTANTIATE_TEST_SUITE_P(
    Controls, ControlReadBack,
    ::testing::Values(
        ControlCase{"GroupBox", [](ProbeForm& f) -> TControl& { return f.group; }, "Button", "&Group", false,
                    {8, 8, 241, 129}},
        ControlCase{"CheckBox", [](ProbeForm& f) -> TControl& { return f.check; }, "Button", "C&heck me", true,
                    {16, 24, 217, 41}},
        ControlCase{"Label", [](ProbeForm& f) -> TControl& { return f.label; }, "Static", "&Timeout:", true,
                    {16, 52, 76, 65}},
        ControlCase{"Edit", [](ProbeForm& f) -> TControl& { return f.edit; }, "Edit", "", true, {104, 48, 145, 69}},
        // Wine draws an up-down at least 16 pixels wide; its height is kept.
        ControlCase{"UpDown", [](ProbeForm& f) -> TControl& { return f.upDown; }, UPDOWN_CLASSA, "", true,
                    {145, 48, 0, 69}},
        // A drop-down list's closed height follows its font, not the layout.
        ControlCase{"ComboBox", [](ProbeForm& f) -> TControl& { return f.combo; }, "ComboBox", "", true,
                    {16, 84, 113, 0}},
        ControlCase{"Button", [](ProbeForm& f) -> TControl& { return f.ok; }, "Button", "&Ok", false,
                    {8, 140, 81, 165}}),
    CaseName());

TEST_F(ControlsWin32, VisibleAndEnabledAreTheWindowsStates) {
    ProbeForm& form = NewForm();
    form.edit.SetEnabled(false);
    form.check.SetVisible(false);
    EXPECT_EQ(IsWindowEnabled(Handle(form.edit)), FALSE);
    EXPECT_FALSE(form.edit.Enabled());
    EXPECT_EQ(Style(Handle(form.check)) & WS_VISIBLE, 0);
    EXPECT_FALSE(form.check.Visible());
    form.edit.SetEnabled(true);
    form.check.SetVisible(true);
    EXPECT_TRUE(form.edit.Enabled());
    EXPECT_TRUE(form.check.Visible());
}

TEST_F(ControlsWin32, CheckBoxStateIsTheButtonsAndAClickInsideTheGroupBoxReachesTheHandler) {
    ProbeForm& form = NewForm();
    HWND check = Handle(form.check);
    form.check.SetChecked(true);
    EXPECT_EQ(SendMessageA(check, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_TRUE(form.check.Checked());

    int clicks = 0;
    form.check.OnClick = [&](TObject* sender) {
        EXPECT_EQ(sender, &form.check);
        ++clicks;
    };
    SendMessageA(check, BM_CLICK, 0, 0);  // as the user's click: via the group box
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(SendMessageA(check, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    SendMessageA(check, BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 2);
    EXPECT_TRUE(form.check.Checked());
}

TEST_F(ControlsWin32, EditRaisesOnChangeOncePerChangeTypedOrSet) {
    ProbeForm& form = NewForm();
    HWND edit = Handle(form.edit);
    int changes = 0;
    form.edit.OnChange = [&](TObject*) { ++changes; };
    struct Step {
        const char* name;
        std::function<void()> act;
        int changes;
        const char* text;
    };
    const Step steps[] = {
        {"set", [&] { form.edit.SetText("200"); }, 1, "200"},
        {"set the same text", [&] { form.edit.SetText("200"); }, 0, "200"},
        {"typed digit",
         [&] {
             SendMessageA(edit, EM_SETSEL, 3, 3);  // the caret after the text
             SendMessageA(edit, WM_CHAR, '5', 0);
         },
         1, "2005"},
        {"typed backspace", [&] { SendMessageA(edit, WM_CHAR, VK_BACK, 0); }, 1, "200"},
        {"set empty", [&] { form.edit.SetText(""); }, 1, ""},
        {"caption of an edit is its text", [&] { form.edit.SetCaption("50"); }, 1, "50"},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        changes = 0;
        step.act();
        EXPECT_EQ(changes, step.changes);
        EXPECT_EQ(form.edit.Text(), step.text);
        EXPECT_EQ(Text(edit), step.text);
    }
}

TEST_F(ControlsWin32, ComboBoxIsADropDownListOfItsItems) {
    ProbeForm& form = NewForm();
    HWND combo = Handle(form.combo);
    EXPECT_EQ(Style(combo) & 3, CBS_DROPDOWNLIST);
    ASSERT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 6);
    char text[32] = {};
    SendMessageA(combo, CB_GETLBTEXT, 2, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "Copy");
    EXPECT_EQ(SendMessageA(combo, CB_GETITEMHEIGHT, 0, 0), 13);
}

struct IndexCase {
    int set;
    int read;
};

class ComboItemIndex : public Win32Forms, public ::testing::WithParamInterface<IndexCase> {};

TEST_P(ComboItemIndex, OutsideTheItemsSelectsNothing) {
    ProbeForm& form = NewForm();
    form.combo.SetItemIndex(1);  // something selected before
    form.combo.SetItemIndex(GetParam().set);
    EXPECT_EQ(SendMessageA(Handle(form.combo), CB_GETCURSEL, 0, 0), GetParam().read);
    EXPECT_EQ(form.combo.ItemIndex(), GetParam().read);
}

INSTANTIATE_TEST_SUITE_P(Indexes, ComboItemIndex,
                         ::testing::Values(IndexCase{0, 0}, IndexCase{5, 5}, IndexCase{6, -1}, IndexCase{7, -1},
                                           IndexCase{100, -1}, IndexCase{-1, -1}, IndexCase{-5, -1}));

TEST_F(ControlsWin32, ComboBoxMadeAgainForAnotherStyleKeepsItsPlaceItemsAndSelection) {
    ProbeForm& form = NewForm();
    form.combo.SetItemIndex(3);
    const int tabOrder = form.combo.TabOrder();
    form.combo.SetStyle(csDropDown);
    HWND combo = Handle(form.combo);
    EXPECT_EQ(Style(combo) & 3, CBS_DROPDOWN);
    EXPECT_EQ(GetParent(combo), Handle(form.group));
    EXPECT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 6);
    EXPECT_EQ(form.combo.ItemIndex(), 3);
    EXPECT_EQ(form.combo.TabOrder(), tabOrder);
    EXPECT_EQ(form.combo.Left(), 16);
    EXPECT_EQ(form.combo.Top(), 84);
    form.combo.Items().Clear();
    EXPECT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(form.combo.ItemIndex(), -1);
}

TEST_F(ControlsWin32, DefaultButtonIsDrawnAsDefaultAndAClickReachesItsHandler) {
    ProbeForm& form = NewForm();
    form.Show();
    EXPECT_EQ(Style(Handle(form.ok)) & 0x0F, BS_DEFPUSHBUTTON);
    EXPECT_EQ(Style(Handle(form.cancel)) & 0x0F, BS_PUSHBUTTON);
    int clicks = 0;
    form.cancel.OnClick = [&](TObject*) { ++clicks; };
    SendMessageA(Handle(form.cancel), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 1);
}

// ---- tab order ----

std::vector<HWND> TabWalk(HWND form) {
    std::vector<HWND> walk;
    HWND first = GetNextDlgTabItem(form, nullptr, FALSE);
    for (HWND item = first; item != nullptr;) {
        walk.push_back(item);
        item = GetNextDlgTabItem(form, item, FALSE);
        if (item == first || walk.size() > 20) {
            break;
        }
    }
    return walk;
}

TEST_F(ControlsWin32, TabOrderIsTheOrderThatTabWalks) {
    ProbeForm& form = NewForm();
    form.Show();
    EXPECT_EQ(form.label.TabOrder(), -1);
    EXPECT_EQ(form.check.TabOrder(), 0);
    EXPECT_EQ(form.edit.TabOrder(), 1);
    EXPECT_EQ(form.upDown.TabOrder(), 2);
    EXPECT_EQ(form.combo.TabOrder(), 3);
    EXPECT_EQ(form.group.TabOrder(), 0);
    EXPECT_EQ(form.ok.TabOrder(), 1);
    EXPECT_EQ(form.cancel.TabOrder(), 2);

    form.combo.SetTabOrder(0);
    form.cancel.SetTabOrder(0);
    EXPECT_EQ(form.combo.TabOrder(), 0);
    EXPECT_EQ(form.check.TabOrder(), 1);
    EXPECT_EQ(form.edit.TabOrder(), 2);
    EXPECT_EQ(form.cancel.TabOrder(), 0);
    EXPECT_EQ(form.group.TabOrder(), 1);
    // The up-down takes a place in the order but no focus.
    const std::vector<HWND> expected = {Handle(form.cancel), Handle(form.combo), Handle(form.check),
                                        Handle(form.edit), Handle(form.ok)};
    EXPECT_EQ(TabWalk(Handle(form)), expected);

    form.check.SetTabOrder(-1);
    EXPECT_EQ(form.check.TabOrder(), -1);
    const std::vector<HWND> withoutCheck = {Handle(form.cancel), Handle(form.combo), Handle(form.edit),
                                            Handle(form.ok)};
    EXPECT_EQ(TabWalk(Handle(form)), withoutCheck);
}

// ---- the dialog keys, through the message loop ----

struct KeyCase {
    const char* name;
    UINT message;
    WPARAM key;
    TControl& (*focus)(ProbeForm&);
    const char* outcome;  // what was clicked, then where the focus is
};

class DialogKey : public Win32Forms, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(DialogKey, ActsThroughTheMessageLoop) {
    ProbeForm& form = NewForm();
    std::string pressed;
    form.ok.OnClick = [&](TObject*) { pressed += "ok"; };
    form.cancel.OnClick = [&](TObject*) { pressed += "cancel"; };
    form.check.OnClick = [&](TObject*) { pressed += "check"; };
    int ticks = 0;
    form.timer.OnTimer = [&](TObject*) {
        ++ticks;
        if (ticks == 1) {
            HWND target = Handle(GetParam().focus(form));
            SetFocus(target);
            PostMessageA(target, GetParam().message, GetParam().key, 1);
        } else if (ticks == 3) {
            const std::pair<const TControl*, const char*> names[] = {
                {&form.check, "check"}, {&form.edit, "edit"}, {&form.ok, "ok"}, {&form.cancel, "cancel"}};
            pressed += " | focus:";
            for (const auto& [control, name] : names) {
                pressed += GetFocus() == Handle(*control) ? name : "";
            }
            form.Close();
        }
    };
    form.timer.SetEnabled(true);
    EXPECT_TRUE(RunWithin(10s));
    EXPECT_EQ(pressed, GetParam().outcome);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, DialogKey,
    ::testing::Values(
        KeyCase{"EnterPressesTheDefaultButton", WM_KEYDOWN, VK_RETURN, [](ProbeForm& f) -> TControl& { return f.edit; },
                "ok | focus:edit"},
        KeyCase{"EscapePressesTheCancelButton", WM_KEYDOWN, VK_ESCAPE,
                [](ProbeForm& f) -> TControl& { return f.edit; }, "cancel | focus:edit"},
        KeyCase{"EnterOnAFocusedButtonPressesThatButton", WM_KEYDOWN, VK_RETURN,
                [](ProbeForm& f) -> TControl& { return f.cancel; }, "cancel | focus:cancel"},
        KeyCase{"TabMovesToTheNextControl", WM_KEYDOWN, VK_TAB, [](ProbeForm& f) -> TControl& { return f.check; },
                " | focus:edit"},
        KeyCase{"TabFromTheLastControlWrapsToTheFirst", WM_KEYDOWN, VK_TAB, [](ProbeForm& f) -> TControl& { return f.cancel; },
                " | focus:check"},
        KeyCase{"AccessKeyClicksTheCheckBox", WM_SYSCHAR, 'h', [](ProbeForm& f) -> TControl& { return f.edit; },
                "check | focus:check"}),
    CaseName());

// A dialog whose buttons sit inside a group box.
class NestedButtonsForm : public TForm {
public:
    explicit NestedButtonsForm(TComponent* owner) : TForm(owner) {
        group.SetBounds(8, 8, 200, 100);
        edit.SetBounds(8, 20, 100, 21);
        ok.SetBounds(8, 60, 75, 25);
        cancel.SetBounds(96, 60, 75, 25);
        SetDefaultButton(&ok);
        SetCancelButton(&cancel);
        timer.SetInterval(20);
    }
    TGroupBox group{this, this};
    TEdit edit{this, &group};
    TButton ok{this, &group};
    TButton cancel{this, &group};
    TTimer timer{this};
};

struct NestedKeyCase {
    const char* name;
    WPARAM key;
    TButton NestedButtonsForm::*focus;
    const char* pressed;
};

class NestedDialogKey : public Win32Forms, public ::testing::WithParamInterface<NestedKeyCase> {};

TEST_P(NestedDialogKey, ReachesButtonsInsideAGroupBox) {
    NestedButtonsForm* form = nullptr;
    Application->CreateForm(form);
    std::string pressed;
    form->ok.OnClick = [&](TObject*) { pressed += "ok"; };
    form->cancel.OnClick = [&](TObject*) { pressed += "cancel"; };
    int ticks = 0;
    form->timer.OnTimer = [&](TObject*) {
        ++ticks;
        if (ticks == 1) {
            HWND target = GetParam().focus != nullptr ? Handle(form->*GetParam().focus) : Handle(form->edit);
            SetFocus(target);
            PostMessageA(target, WM_KEYDOWN, GetParam().key, 1);
        } else if (ticks == 3) {
            form->Close();
        }
    };
    EXPECT_TRUE(RunWithin(10s));
    EXPECT_EQ(pressed, GetParam().pressed);
}

INSTANTIATE_TEST_SUITE_P(Keys, NestedDialogKey,
                         ::testing::Values(NestedKeyCase{"Enter", VK_RETURN, nullptr, "ok"},
                                           NestedKeyCase{"Escape", VK_ESCAPE, nullptr, "cancel"},
                                           NestedKeyCase{"EnterOnFocusedCancel", VK_RETURN,
                                                         &NestedButtonsForm::cancel, "cancel"}),
                         CaseName());

// ---- the up-down ----

TEST_F(ControlsWin32, UpDownRangePositionAndWrapAreTheControls) {
    ProbeForm& form = NewForm();
    HWND upDown = Handle(form.upDown);
    form.upDown.SetRange(-32768, 32767);
    int low = 0;
    int high = 0;
    SendMessageA(upDown, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
    EXPECT_EQ(low, -32768);
    EXPECT_EQ(high, 32767);
    form.upDown.SetPosition(40);
    EXPECT_EQ(SendMessageA(upDown, UDM_GETPOS32, 0, 0), 40);
    form.upDown.SetPosition(40000);  // kept within the range
    EXPECT_EQ(form.upDown.Position(), 32767);
    EXPECT_EQ(Style(upDown) & UDS_WRAP, 0);
    form.upDown.SetWrap(true);
    EXPECT_NE(Style(upDown) & UDS_WRAP, 0);
}

void ClickArrow(HWND upDown, bool up) {
    RECT client{};
    GetClientRect(upDown, &client);
    const LPARAM at = MAKELPARAM(client.right / 2, up ? 2 : client.bottom - 3);
    PostMessageA(upDown, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(upDown, WM_LBUTTONUP, 0, at);
}

struct StepCase {
    const char* name;
    int low;
    int high;
    bool wrap;
    int start;
    bool up;
    TUDBtnType button;
    int position;
};

class UpDownStep : public Win32Forms, public ::testing::WithParamInterface<StepCase> {};

TEST_P(UpDownStep, OneClickOnAnArrowIsOneStep) {
    ProbeForm& form = NewForm();
    form.upDown.SetRange(GetParam().low, GetParam().high);
    form.upDown.SetWrap(GetParam().wrap);
    form.upDown.SetPosition(GetParam().start);
    std::vector<TUDBtnType> clicks;
    form.upDown.OnClick = [&](TObject* sender, TUDBtnType button) {
        EXPECT_EQ(sender, &form.upDown);
        clicks.push_back(button);
    };
    form.Show();
    ClickArrow(Handle(form.upDown), GetParam().up);
    PumpFor(300ms);
    EXPECT_EQ(clicks, std::vector<TUDBtnType>{GetParam().button});
    EXPECT_EQ(form.upDown.Position(), GetParam().position);
    EXPECT_EQ(SendMessageA(Handle(form.upDown), UDM_GETPOS32, 0, 0), GetParam().position);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, UpDownStep,
    ::testing::Values(StepCase{"Up", -32768, 32767, false, 0, true, btNext, 1},
                      StepCase{"Down", -32768, 32767, false, 0, false, btPrev, -1},
                      StepCase{"UpAtTheTopStaysButClicks", 0, 3, false, 3, true, btNext, 3},
                      StepCase{"UpAtTheTopWraps", 0, 3, true, 3, true, btNext, 0},
                      StepCase{"DownAtTheBottomWraps", 0, 3, true, 0, false, btPrev, 3}),
    CaseName());

// Every step shows a range message, as the options editor's handler can.
void ShowABoxOnEveryStep(TUpDown& upDown, int& clicks) {
    upDown.OnClick = [&clicks](TObject*, TUDBtnType) {
        ++clicks;
        Application->MessageBox("Timeout must be between 50 and 5000 m/secs", "Edgeroam 2", 0);
    };
}

TEST_F(ControlsWin32, UpDownStepWhoseHandlerShowsABoxIsOneStepPerClick) {
    ProbeForm& form = NewForm();
    int clicks = 0;
    ShowABoxOnEveryStep(form.upDown, clicks);
    form.Show();
    const BoxAnswerer answerer(IDOK);
    ClickArrow(Handle(form.upDown), true);
    PumpFor(1500ms);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(answerer.Count(), 1u);
}

TEST_F(ControlsWin32, UpDownHeldDownWhileItsHandlerShowsABoxStepsOnce) {
    ProbeForm& form = NewForm();
    int clicks = 0;
    ShowABoxOnEveryStep(form.upDown, clicks);
    form.SetLeft(20);  // clear of the box, which opens in the middle of the screen
    form.SetTop(20);
    form.Show();
    SetForegroundWindow(Handle(form));
    PumpFor(100ms);
    RECT arrows{};
    GetWindowRect(Handle(form.upDown), &arrows);
    SetCursorPos((arrows.left + arrows.right) / 2, arrows.top + 3);
    PumpFor(100ms);

    // The real mouse: pressed on the up arrow, the box answered a little
    // later, the button held well past the up-down's repeat delay.
    std::atomic<bool> late{false};
    const BoxAnswerer answerer(IDOK, [&] { return late.load(); });
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    PumpFor(400ms);
    late = true;
    PumpFor(1200ms);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    PumpFor(800ms);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(answerer.Count(), 1u);
}

}  // namespace
