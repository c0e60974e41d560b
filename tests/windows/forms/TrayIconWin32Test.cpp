// The tray icon, its pop-up menu and image list under Wine's standalone tray.
#include "tests/windows/forms/Win32FormsFixture.h"

#include <shellapi.h>

#include <algorithm>

#include "tests/windows/forms/ProbeForm.h"

using namespace formstest;
using forms::win32::kTrayCallbackMessage;
using forms::win32::kTrayIconClass;
using forms::win32::kTrayIconId;

namespace {

using TrayIconWin32 = Win32Forms;

HWND CallbackWindow() { return FindWindowExA(HWND_MESSAGE, nullptr, kTrayIconClass, nullptr); }

NOTIFYICONDATAA Identity(HWND window) {
    NOTIFYICONDATAA data{};
    data.cbSize = sizeof data;
    data.hWnd = window;
    data.uID = kTrayIconId;
    return data;
}

// The shell knows the icon (a change to nothing succeeds only for a known icon).
bool ShellHasIcon(HWND window) {
    NOTIFYICONDATAA data = Identity(window);
    return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

bool TipShown(const std::string& tip) {
    for (const std::string& shown : TrayTooltips()) {
        if (shown == tip) {
            return true;
        }
    }
    return false;
}

TEST_F(TrayIconWin32, ShownWhileVisibleWithItsHintAndGoneWhenHiddenOrDestroyed) {
    const std::size_t before = TrayIconWindows().size();
    ProbeForm& form = NewForm();
    HWND callback = CallbackWindow();
    ASSERT_NE(callback, nullptr);
    EXPECT_FALSE(ShellHasIcon(callback));

    form.tray.SetVisible(true);
    EXPECT_TRUE(ShellHasIcon(callback));
    EXPECT_TRUE(PumpUntil([&] { return TrayIconWindows().size() == before + 1; }));
    EXPECT_NE(StandaloneTray(), nullptr);
    EXPECT_TRUE(PumpUntil([] { return TipShown("Probe : on"); }, 2s));

    form.tray.SetHint("Probe : OFF");
    form.tray.SetIconIndex(1);
    EXPECT_TRUE(PumpUntil([] { return TipShown("Probe : OFF"); }, 2s));

    form.tray.SetVisible(false);
    EXPECT_FALSE(ShellHasIcon(callback));
    EXPECT_TRUE(PumpUntil([&] { return TrayIconWindows().size() == before; }));

    form.tray.SetVisible(true);
    EXPECT_TRUE(PumpUntil([&] { return TrayIconWindows().size() == before + 1; }));
    Application->DestroyForms();  // no ghost icon
    EXPECT_FALSE(ShellHasIcon(callback));
    EXPECT_TRUE(PumpUntil([&] { return TrayIconWindows().size() == before; }));
}

TEST_F(TrayIconWin32, LongHintIsCutToTheTipBufferNotRefused) {
    ProbeForm& form = NewForm();
    std::string hint;
    for (int index = 0; hint.size() < 300; ++index) {
        hint += std::to_string(index % 10);
    }
    form.tray.SetHint(hint);
    form.tray.SetVisible(true);
    EXPECT_TRUE(ShellHasIcon(CallbackWindow()));
    // The shell's tooltips hand out at most 80 characters of a tip.
    EXPECT_TRUE(PumpUntil([&] { return TipShown(hint.substr(0, 80)); }, 2s))
        << ::testing::PrintToString(TrayTooltips());
}

TEST_F(TrayIconWin32, TaskbarCreatedBringsTheVisibleIconBack) {
    ProbeForm& form = NewForm();
    HWND callback = CallbackWindow();
    form.tray.SetVisible(true);
    const std::size_t shown = TrayIconWindows().size();
    const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");

    // The shell restarted and lost the icon.
    NOTIFYICONDATAA data = Identity(callback);
    ASSERT_NE(Shell_NotifyIconA(NIM_DELETE, &data), FALSE);
    ASSERT_FALSE(ShellHasIcon(callback));
    SendMessageA(static_cast<HWND>(Application->Handle()), taskbarCreated, 0, 0);
    EXPECT_TRUE(ShellHasIcon(callback));
    EXPECT_TRUE(PumpUntil([&] { return TrayIconWindows().size() == shown; }));

    // A broadcast while the icon is still there makes no second one.
    SendMessageA(static_cast<HWND>(Application->Handle()), taskbarCreated, 0, 0);
    PumpFor(200ms);
    EXPECT_EQ(TrayIconWindows().size(), shown);

    // A hidden icon stays hidden.
    form.tray.SetVisible(false);
    SendMessageA(static_cast<HWND>(Application->Handle()), taskbarCreated, 0, 0);
    EXPECT_FALSE(ShellHasIcon(callback));
}

using Keys = std::vector<std::pair<UINT, WPARAM>>;

// Acts on every pop-up menu that opens (from its own thread), reads its items
// and counts the menus. By default it posts Escape to close the menu.
class MenuDriver {
public:
    using Action = std::function<void(HWND menu)>;
    explicit MenuDriver(Action action = PostKeys({{WM_KEYDOWN, VK_ESCAPE}}))
        : action_(std::move(action)), watcher_("#32768", [this](HWND menu) { Drive(menu); }) {}
    static Action PostKeys(Keys keys) {
        return [keys](HWND menu) {
            for (const auto& [message, key] : keys) {
                PostMessageA(menu, message, key, 0);
            }
        };
    }
    int Count() const { return count_; }
    std::vector<std::string> Items() const {
        const std::lock_guard lock(mutex_);
        return items_;
    }

private:
    void Drive(HWND menu) {
        auto* handle = reinterpret_cast<HMENU>(SendMessageA(menu, MN_GETHMENU, 0, 0));
        {
            const std::lock_guard lock(mutex_);
            items_.clear();
            for (int index = 0; handle != nullptr && index < GetMenuItemCount(handle); ++index) {
                char text[64] = {};
                MENUITEMINFOA info{};
                info.cbSize = sizeof info;
                info.fMask = MIIM_FTYPE | MIIM_STRING;
                info.dwTypeData = text;
                info.cch = sizeof text;
                GetMenuItemInfoA(handle, static_cast<UINT>(index), TRUE, &info);
                items_.push_back((info.fType & MFT_SEPARATOR) != 0 ? "-" : text);
            }
        }
        action_(menu);
        ++count_;
    }
    Action action_;
    std::atomic<int> count_{0};
    mutable std::mutex mutex_;
    std::vector<std::string> items_;
    WindowWatcher watcher_;
};

struct CallbackCase {
    const char* name;
    std::vector<std::pair<WPARAM, LPARAM>> messages;
    int clicks;
    int menus;
};

WPARAM At(int x, int y) { return MAKEWPARAM(x, y); }
LPARAM V4(UINT event) { return MAKELPARAM(event, kTrayIconId); }

class TrayCallback : public Win32Forms, public ::testing::WithParamInterface<CallbackCase> {};

TEST_P(TrayCallback, LeftClickRaisesOnClickAndRightClickOpensTheMenuOnce) {
    ProbeForm& form = NewForm();
    int clicks = 0;
    form.tray.OnClick = [&](TObject* sender) {
        EXPECT_EQ(sender, &form.tray);
        ++clicks;
    };
    form.tray.SetVisible(true);
    const MenuDriver driver;
    for (const auto& [wParam, lParam] : GetParam().messages) {
        SendMessageA(CallbackWindow(), kTrayCallbackMessage, wParam, lParam);
    }
    PumpUntil([&] { return driver.Count() >= GetParam().menus; }, 2s);
    PumpFor(100ms);
    EXPECT_EQ(clicks, GetParam().clicks);
    EXPECT_EQ(driver.Count(), GetParam().menus);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, TrayCallback,
    ::testing::Values(
        // What Wine's tray sends for version 4 (position in wParam, event and id in lParam).
        CallbackCase{"Version4LeftClick",
                     {{At(13, 32), V4(WM_MOUSEMOVE)},
                      {At(13, 32), V4(WM_LBUTTONDOWN)},
                      {At(13, 32), V4(WM_LBUTTONUP)},
                      {At(13, 32), V4(NIN_SELECT)}},
                     1,
                     0},
        CallbackCase{"Version4RightClick",
                     {{At(13, 32), V4(WM_RBUTTONDOWN)}, {At(13, 32), V4(WM_RBUTTONUP)}, {At(13, 32), V4(WM_CONTEXTMENU)}},
                     0,
                     1},
        CallbackCase{"Version4Keyboard", {{At(13, 32), V4(NIN_KEYSELECT)}, {At(13, 32), V4(WM_CONTEXTMENU)}}, 1, 1},
        // The older form: id in wParam, event in lParam.
        CallbackCase{"OlderLeftClick", {{kTrayIconId, WM_LBUTTONDOWN}, {kTrayIconId, WM_LBUTTONUP}}, 1, 0},
        CallbackCase{"OlderRightClick", {{kTrayIconId, WM_RBUTTONDOWN}, {kTrayIconId, WM_RBUTTONUP}}, 0, 1},
        CallbackCase{"OlderDoubleClick",
                     {{kTrayIconId, WM_LBUTTONDOWN},
                      {kTrayIconId, WM_LBUTTONUP},
                      {kTrayIconId, WM_LBUTTONDBLCLK},
                      {kTrayIconId, WM_LBUTTONUP}},
                     2,
                     0}),
    CaseName());

TEST_F(TrayIconWin32, NoMenuWithoutRightClickUpMode) {
    ProbeForm& form = NewForm();
    form.tray.SetPopupMenuOn(imNone);
    form.tray.SetVisible(true);
    const MenuDriver driver;
    SendMessageA(CallbackWindow(), kTrayCallbackMessage, At(13, 32), V4(WM_RBUTTONUP));
    PumpFor(300ms);
    EXPECT_EQ(driver.Count(), 0);
}

POINT Centre(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

bool MenuOpen() {
    HWND menu = FindWindowA("#32768", nullptr);
    return menu != nullptr && IsWindowVisible(menu) != FALSE;
}

void RealClick(DWORD down, DWORD up) {
    mouse_event(down, 0, 0, 0, 0);
    mouse_event(up, 0, 0, 0, 0);
}

TEST_F(TrayIconWin32, RealClicksOnTheIconUnderWine) {
    const std::size_t before = TrayIconWindows().size();
    ProbeForm& form = NewForm();
    int clicks = 0;
    std::string chosen;
    form.tray.OnClick = [&](TObject*) { ++clicks; };
    form.first.OnClick = [&](TObject*) { chosen += "first"; };
    form.exit.OnClick = [&](TObject*) { chosen += "exit"; };
    form.tray.SetVisible(true);
    ASSERT_TRUE(PumpUntil([&] { return TrayIconWindows().size() == before + 1; }));
    const POINT icon = Centre(TrayIconWindows().back());
    SetCursorPos(icon.x, icon.y);
    PumpFor(100ms);

    RealClick(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(PumpUntil([&] { return clicks == 1; }));
    PumpFor(600ms);  // not a double click

    {
        // A click elsewhere closes the menu without choosing: its owner is in the foreground.
        const MenuDriver driver([](HWND) {
            Sleep(100);
            SetCursorPos(700, 600);
            RealClick(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
        });
        RealClick(MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
        EXPECT_TRUE(PumpUntil([&] { return driver.Count() == 1; }));
        EXPECT_TRUE(PumpUntil([] { return !MenuOpen(); }, 3s));
        EXPECT_EQ(chosen, "");
    }
    SetCursorPos(icon.x, icon.y);
    PumpFor(600ms);
    {
        const MenuDriver driver(MenuDriver::PostKeys({{WM_CHAR, 'x'}}));
        RealClick(MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
        EXPECT_TRUE(PumpUntil([&] { return chosen == "exit"; }));
        PumpFor(300ms);
        EXPECT_EQ(driver.Count(), 1);
    }
    EXPECT_EQ(clicks, 1);
}

struct MenuCase {
    const char* name;
    Keys keys;
    const char* chosen;
};

class PopupMenu : public Win32Forms, public ::testing::WithParamInterface<MenuCase> {};

TEST_P(PopupMenu, ShowsTheItemsAndRaisesTheChosenOne) {
    ProbeForm& form = NewForm();
    std::string chosen;
    form.first.OnClick = [&](TObject* sender) {
        EXPECT_EQ(sender, &form.first);
        chosen += "first";
    };
    form.exit.OnClick = [&](TObject*) { chosen += "exit"; };
    const MenuDriver driver(MenuDriver::PostKeys(GetParam().keys));
    form.menu.Popup(100, 100);
    EXPECT_EQ(chosen, GetParam().chosen);
    EXPECT_EQ(driver.Count(), 1);
    EXPECT_EQ(driver.Items(), (std::vector<std::string>{"&First", "-", "E&xit"}));
}

INSTANTIATE_TEST_SUITE_P(
    Keys, PopupMenu,
    ::testing::Values(MenuCase{"AccessKey", {{WM_CHAR, 'x'}}, "exit"},
                      MenuCase{"DownAndEnter", {{WM_KEYDOWN, VK_DOWN}, {WM_KEYDOWN, VK_RETURN}}, "first"},
                      MenuCase{"Escape", {{WM_KEYDOWN, VK_ESCAPE}}, ""}),
    CaseName());

TEST_F(TrayIconWin32, ImageListLoadsIconsByNameAtItsSize) {
    TImageList images(nullptr);
    EXPECT_EQ(images.AddIconResource("MAINICON"), 0);
    EXPECT_EQ(images.AddIconResource("TESTIMAGE"), 1);
    for (int index : {0, 1}) {
        auto* icon = static_cast<HICON>(images.IconHandle(index));
        ASSERT_NE(icon, nullptr);
        ICONINFO info{};
        ASSERT_NE(GetIconInfo(icon, &info), FALSE);
        BITMAP mask{};
        GetObjectA(info.hbmMask, sizeof mask, &mask);
        EXPECT_EQ(mask.bmWidth, 16);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
    }
    EXPECT_EQ(images.IconHandle(2), nullptr);
    EXPECT_EQ(images.IconHandle(-1), nullptr);
    EXPECT_EQ(images.ResourceName(1), "TESTIMAGE");
    EXPECT_THROW(images.AddIconResource("NOSUCHICON"), Exception);
    EXPECT_EQ(images.Count(), 2);
}

}  // namespace
