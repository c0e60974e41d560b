// Forms under Wine: frame styles, sizes, placement, font and icon, read back
// from the real windows.
#include "tests/windows/forms/Win32FormsFixture.h"

#include <cstdio>
#include <cstdlib>

#include "tests/windows/forms/ProbeForm.h"

using namespace formstest;

namespace {

using FormWin32 = Win32Forms;

struct FrameCase {
    const char* name;
    TBorderStyle border;
    TBorderIcons icons;
    LONG styleWanted;
    LONG styleUnwanted;
    LONG exStyleWanted;
};

class FormFrame : public Win32Forms, public ::testing::WithParamInterface<FrameCase> {};

TEST_P(FormFrame, HasTheStylesOfItsBorderAndIcons) {
    ProbeForm* form = nullptr;
    Application->CreateForm(form);
    form->SetBorderStyle(GetParam().border);
    form->SetBorderIcons(GetParam().icons);
    HWND window = Handle(*form);
    EXPECT_EQ(Style(window) & GetParam().styleWanted, GetParam().styleWanted);
    EXPECT_EQ(Style(window) & GetParam().styleUnwanted, 0);
    EXPECT_EQ(ExStyle(window) & GetParam().exStyleWanted, GetParam().exStyleWanted);
    EXPECT_EQ(ExStyle(window) & WS_EX_TOOLWINDOW, GetParam().exStyleWanted & WS_EX_TOOLWINDOW);
}

constexpr LONG kMinMax = WS_MINIMIZEBOX | WS_MAXIMIZEBOX;

INSTANTIATE_TEST_SUITE_P(
    Frames, FormFrame,
    ::testing::Values(
        // The service's hidden window: tool window, no system menu, no caption buttons.
        FrameCase{"ToolWindowNoIcons", bsToolWindow, 0, WS_CAPTION, WS_SYSMENU | kMinMax | WS_THICKFRAME,
                  WS_EX_TOOLWINDOW},
        // The options dialog: default frame with the close box only.
        FrameCase{"SizeableSystemMenuOnly", bsSizeable, biSystemMenu, WS_CAPTION | WS_SYSMENU | WS_THICKFRAME,
                  kMinMax, 0},
        FrameCase{"SizeableAllIcons", bsSizeable, biSystemMenu | biMinimize | biMaximize,
                  WS_SYSMENU | kMinMax | WS_THICKFRAME, 0, 0},
        FrameCase{"SingleMinimiseOnly", bsSingle, biSystemMenu | biMinimize, WS_SYSMENU | WS_MINIMIZEBOX,
                  WS_MAXIMIZEBOX | WS_THICKFRAME, 0},
        FrameCase{"MinMaxNeedTheSystemMenu", bsSizeable, biMinimize | biMaximize, WS_THICKFRAME,
                  WS_SYSMENU | kMinMax, 0},
        FrameCase{"DialogNoMinMax", bsDialog, biSystemMenu | biMinimize | biMaximize, WS_SYSMENU | WS_DLGFRAME,
                  kMinMax | WS_THICKFRAME, WS_EX_DLGMODALFRAME},
        FrameCase{"NoneIsAPopup", bsNone, biSystemMenu, static_cast<LONG>(WS_POPUP), WS_CAPTION | WS_SYSMENU, 0}),
    CaseName());

TEST_F(FormWin32, ClientSizeIsKeptWhenTheFrameChanges) {
    ProbeForm* form = nullptr;
    Application->CreateForm(form);
    form->SetClientWidth(118);
    form->SetClientHeight(207);
    form->SetBorderStyle(bsToolWindow);
    form->SetBorderIcons(0);
    RECT client{};
    GetClientRect(Handle(*form), &client);
    EXPECT_EQ(client.right, 118);
    EXPECT_EQ(client.bottom, 207);
    EXPECT_EQ(form->ClientWidth(), 118);
    EXPECT_EQ(form->ClientHeight(), 207);
}

TEST_F(FormWin32, WidthAndHeightAreTheOuterSize) {
    ProbeForm* form = nullptr;
    Application->CreateForm(form);
    form->SetWidth(257);
    form->SetHeight(339);
    RECT outer{};
    GetWindowRect(Handle(*form), &outer);
    EXPECT_EQ(outer.right - outer.left, 257);
    EXPECT_EQ(outer.bottom - outer.top, 339);
    EXPECT_EQ(form->Width(), 257);
    EXPECT_EQ(form->Height(), 339);
    EXPECT_LT(form->ClientWidth(), 257);
}

TEST_F(FormWin32, DesktopCentreIsAppliedWhenShown) {
    ProbeForm* form = nullptr;
    Application->CreateForm(form);
    form->SetPosition(poDesktopCenter);
    form->SetWidth(257);
    form->SetHeight(339);
    form->Show();
    RECT outer{};
    GetWindowRect(Handle(*form), &outer);
    EXPECT_NEAR((outer.left + outer.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    EXPECT_NEAR((outer.top + outer.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
}

TEST_F(FormWin32, LeftMovesTheWindowOffTheScreenAndShowingKeepsItThere) {
    ProbeForm* form = nullptr;
    Application->CreateForm(form);
    form->SetPosition(poDefault);
    form->SetTop(-100);
    form->SetLeft(-500);
    form->Show();
    RECT outer{};
    GetWindowRect(Handle(*form), &outer);
    EXPECT_EQ(outer.left, -500);
    EXPECT_EQ(outer.top, -100);
    EXPECT_EQ(form->Left(), -500);
    EXPECT_NE(IsWindowVisible(Handle(*form)), FALSE);
}

TEST_F(FormWin32, FormAndControlsUseTheFormsFont) {
    ProbeForm* form = nullptr;
    Application->CreateForm(form);
    for (HWND window : {Handle(form->group), Handle(form->check), Handle(form->edit), Handle(form->ok)}) {
        auto* font = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
        ASSERT_NE(font, nullptr) << ClassName(window);
        LOGFONTA description{};
        GetObjectA(font, sizeof description, &description);
        EXPECT_STREQ(description.lfFaceName, "MS Sans Serif") << ClassName(window);
        EXPECT_EQ(description.lfHeight, -11) << ClassName(window);
    }
    form->SetFont("Tahoma", -13);
    auto* font = reinterpret_cast<HFONT>(SendMessageA(Handle(form->edit), WM_GETFONT, 0, 0));
    LOGFONTA description{};
    GetObjectA(font, sizeof description, &description);
    EXPECT_STREQ(description.lfFaceName, "Tahoma");
    EXPECT_EQ(description.lfHeight, -13);
}

TEST_F(FormWin32, WindowsCarryTheProgramIcon) {
    ProbeForm* form = nullptr;
    Application->CreateForm(form);
    const auto small = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), "MAINICON", IMAGE_ICON,
                                                     GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                                     LR_SHARED));
    ASSERT_NE(small, nullptr);
    for (HWND window : {Handle(*form), static_cast<HWND>(Application->Handle())}) {
        EXPECT_EQ(reinterpret_cast<HICON>(GetClassLongPtrA(window, GCLP_HICONSM)), small) << ClassName(window);
    }
}

TEST_F(FormWin32, CaptionIsTheTitleBarTextAndCloseHidesTheForm) {
    ProbeForm* form = nullptr;
    Application->CreateForm(form);
    form->SetCaption("Edgeroam 2 : Options");
    EXPECT_EQ(Text(Handle(*form)), "Edgeroam 2 : Options");
    EXPECT_EQ(form->Caption(), "Edgeroam 2 : Options");
    form->Show();
    EXPECT_TRUE(form->Visible());
    form->Close();
    EXPECT_TRUE(form->Closed());
    EXPECT_FALSE(form->Visible());
    EXPECT_EQ(IsWindowVisible(Handle(*form)), FALSE);
}

}  // namespace

namespace {

TEST(ProgramWin32, CarriesTheManifestWithCommonControls6AndDpiAwareness) {
    HRSRC resource = FindResourceA(nullptr, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    ASSERT_NE(resource, nullptr);
    const auto* text = static_cast<const char*>(LockResource(LoadResource(nullptr, resource)));
    const std::string manifest(text, SizeofResource(nullptr, resource));
    EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
    EXPECT_NE(IsProcessDPIAware(), FALSE);

    // Version 6 of the common controls is the side-by-side one (its own
    // DllGetVersion says 5 under Wine).
    char path[MAX_PATH] = {};
    GetModuleFileNameA(GetModuleHandleA("comctl32.dll"), path, MAX_PATH);
    const std::string module = path;
    EXPECT_NE(module.find("common-controls"), std::string::npos) << module;
    EXPECT_NE(module.find("_6.0."), std::string::npos) << module;
}

constexpr char kDesktopKey[] = "Control Panel\\Desktop";

// Run in a child process that starts with the screen at 120 DPI.
[[noreturn]] void CheckScalingAt120Dpi() {
    RegDeleteKeyValueA(HKEY_CURRENT_USER, kDesktopKey, "LogPixels");  // read at start-up: no longer needed
    std::string failures;
    const auto check = [&](const char* what, long got, long wanted) {
        if (got != wanted) {
            failures += std::string(what) + ": " + std::to_string(got) + " instead of " + std::to_string(wanted) + "\n";
        }
    };
    check("screen DPI", forms::win32::ScreenDpi(), 120);
    {
        TForm form(Application);
        TButton button(&form, &form);
        form.SetClientWidth(200);
        button.SetBounds(8, 8, 80, 24);
        RECT client{};
        GetClientRect(Handle(form), &client);
        const RECT bounds = BoundsInParent(Handle(button));
        check("scaled client width", client.right, 250);
        check("scaled ClientWidth", form.ClientWidth(), 200);
        check("scaled button left", bounds.left, 10);
        check("scaled button width", bounds.right - bounds.left, 100);
        check("scaled button Width", button.Width(), 80);
        form.SetLeft(-500);
        check("form Left is not scaled", form.Left(), -500);
        LOGFONTA font{};
        GetObjectA(reinterpret_cast<HFONT>(SendMessageA(Handle(button), WM_GETFONT, 0, 0)), sizeof font, &font);
        check("scaled font height", font.lfHeight, -14);
    }
    {
        TForm form(Application);
        form.SetScaled(false);
        TButton button(&form, &form);
        form.SetClientWidth(200);
        button.SetBounds(8, 8, 80, 24);
        RECT client{};
        GetClientRect(Handle(form), &client);
        check("unscaled client width", client.right, 200);
        check("unscaled button width", BoundsInParent(Handle(button)).right - 8, 80);
    }
    std::fputs(failures.c_str(), stderr);
    std::exit(failures.empty() ? 0 : 1);
}

TEST(ScaledFormWin32, SizesAndTheFontFollowTheScreenDpi) {
    const DWORD dpi = 120;
    ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, kDesktopKey, "LogPixels", REG_DWORD, &dpi, sizeof dpi),
              ERROR_SUCCESS);
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(CheckScalingAt120Dpi(), ::testing::ExitedWithCode(0), "^$");
    RegDeleteKeyValueA(HKEY_CURRENT_USER, kDesktopKey, "LogPixels");
}

}  // namespace
