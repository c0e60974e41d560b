// The service's main window on the headless form layer, the fake registry
// and the recording shell: settings load, the switch, the menu and its launches.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "forms/Forms.h"
#include "forms/headless/Testing.h"
#include "service/Main.h"
#include "service/Tick.h"
#include "service/headless/ShellTesting.h"
#include "shared/Settings.h"
#include "shared/headless/TestRegistry.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::StartsWith;

namespace {

constexpr char kProgramPath[] = "E:\\Programs\\Pointer\\edgeroam2.exe";

// Names the cases of a table by their "what", in test names and failures.
template <class Case>
    requires requires(const Case& c) { c.what; }
void PrintTo(const Case& c, std::ostream* out) {
    *out << c.what;
}

struct CaseName {
    template <class Case>
    std::string operator()(const ::testing::TestParamInfo<Case>& param) const {
        return param.param.what;
    }
};

class MainFormTest : public ::testing::Test {
protected:
    void SetUp() override { FreshStart(); }
    void TearDown() override { FreshStart(); }

    static void FreshStart() {
        forms::testing::ResetApplication();
        ResetMainState();
        TestRegistry().Reset();
        service::testing::ResetShell();
    }

    // Stores a setting the way another writer would (REG_EXPAND_SZ, text and NUL).
    static void Store(const char* name, const std::string& text) {
        std::vector<unsigned char> data(text.begin(), text.end());
        data.push_back(0);
        TestRegistry().PutValue(kSettingsKey, name, kRegistryExpandableText, std::move(data));
    }

    // What the start-up routine does: the argument text into Hint, then the main window.
    static TfrmMain& Start(const std::string& arguments) {
        Application->SetHint(arguments);
        Application->CreateForm(frmMain);
        return *frmMain;
    }

    static TfrmMain& StartWithSettings() {
        Store(kSettingHoriRecog, "3");
        Store(kSettingVertRecog, "5");
        return Start("/ok400");
    }

    static std::vector<std::string> MessageTexts() {
        std::vector<std::string> texts;
        for (const auto& box : forms::testing::MessageBoxes()) {
            texts.push_back(box.text);
        }
        return texts;
    }
};

TEST_F(MainFormTest, LoadsBothActionCodesAndTheTimeout) {
    StartWithSettings();
    EXPECT_EQ(HoriRecogAction, 3);
    EXPECT_EQ(VertRecogAction, 5);
    EXPECT_EQ(RecogTimeoutMs, 400);
    EXPECT_THAT(forms::testing::MessageBoxes(), IsEmpty());
}

struct LoadCase {
    const char* what;
    std::optional<std::string> hori;  // nullopt: never stored
    std::optional<std::string> vert;
    std::string arguments;
    int hori_expected;
    int vert_expected;
    int timeout_expected;
    std::optional<std::string> error;  // the one reported message, if any
};

class FormCreateLoad : public MainFormTest, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(FormCreateLoad, SetsTheNumbersUpToTheFirstUnusableText) {
    const LoadCase& c = GetParam();
    if (c.hori) {
        Store(kSettingHoriRecog, *c.hori);
    }
    if (c.vert) {
        Store(kSettingVertRecog, *c.vert);
    }
    TfrmMain& form = Start(c.arguments);

    EXPECT_EQ(HoriRecogAction, c.hori_expected);
    EXPECT_EQ(VertRecogAction, c.vert_expected);
    EXPECT_EQ(RecogTimeoutMs, c.timeout_expected);
    if (c.error) {
        EXPECT_THAT(MessageTexts(), ElementsAre(*c.error));
    } else {
        EXPECT_THAT(MessageTexts(), IsEmpty());
    }
    // The icon is shown and the window moved before anything is read.
    EXPECT_TRUE(form.TrayIcon.Visible());
    EXPECT_EQ(form.Left(), -500);
}

const std::string k79(79, '7');

INSTANTIATE_TEST_SUITE_P(
    Cases, FormCreateLoad,
    ::testing::Values(
        LoadCase{"SwitchInCapitals", "3", "5", "/OK400", 3, 5, 400, std::nullopt},
        LoadCase{"ZeroTimeout", "3", "5", "/ok0", 3, 5, 0, std::nullopt},
        LoadCase{"NegativeTimeout", "3", "5", "/ok-20", 3, 5, -20, std::nullopt},
        LoadCase{"CodesOutOfRangeKept", "-1", "7", "/ok250", -1, 7, 250, std::nullopt},
        LoadCase{"BareSwitch", "3", "5", "/ok", 3, 5, 0, "'' is not a valid integer value"},
        LoadCase{"SwitchWithLetters", "3", "5", "/okay", 3, 5, 0, "'ay' is not a valid integer value"},
        LoadCase{"HoriNeverStored", std::nullopt, "5", "/ok400", 0, 0, 0, "'' is not a valid integer value"},
        LoadCase{"NothingStored", std::nullopt, std::nullopt, "/ok400", 0, 0, 0,
                 "'' is not a valid integer value"},
        LoadCase{"HoriEmpty", "", "5", "/ok400", 0, 0, 0, "'' is not a valid integer value"},
        LoadCase{"VertNotANumber", "3", "x", "/ok400", 3, 0, 0, "'x' is not a valid integer value"},
        LoadCase{"VertNeverStored", "3", std::nullopt, "/ok400", 3, 0, 0, "'' is not a valid integer value"},
        // Longer than two characters: refused, not cut to a different number.
        LoadCase{"HoriThreeDigits", "123", "5", "/ok400", 0, 0, 0,
                 "'123' is not a valid action code for HoriRecog"},
        LoadCase{"VertLongestStoredText", "3", k79, "/ok400", 3, 0, 0,
                 "'" + k79 + "' is not a valid action code for VertRecog"}),
    CaseName());

TEST_F(MainFormTest, ConversionErrorIsReportedAsAnExceptionAndTheWindowStays) {
    TfrmMain& form = Start("/ok400");
    ASSERT_EQ(forms::testing::MessageBoxes().size(), 1U);
    EXPECT_EQ(forms::testing::MessageBoxes()[0].flags, 0x10);  // the framework's error report
    EXPECT_EQ(frmMain, &form);
    EXPECT_EQ(Application->MainForm(), &form);
    EXPECT_TRUE(form.timControl.Enabled());
}

TEST_F(MainFormTest, ConstructorCopiesTheHintIntoCommandLine) {
    StartWithSettings();
    EXPECT_EQ(CommandLine, "/ok400");
    Application->SetHint("/ok999");  // later changes of the hint do not reach it
    EXPECT_EQ(CommandLine, "/ok400");
}

TEST_F(MainFormTest, WindowAndComponentsHaveTheirDesignedProperties) {
    TfrmMain& form = StartWithSettings();
    EXPECT_EQ(form.Caption(), "Edgeroam2");
    EXPECT_EQ(form.BorderStyle(), bsToolWindow);
    EXPECT_EQ(form.BorderIcons(), 0);
    EXPECT_EQ(form.Left(), -500);
    EXPECT_EQ(form.Top(), -100);
    EXPECT_EQ(form.ClientWidth(), 118);
    EXPECT_EQ(form.ClientHeight(), 207);
    EXPECT_EQ(form.Position(), poDefault);
    EXPECT_FALSE(form.Scaled());

    EXPECT_TRUE(form.timControl.Enabled());
    EXPECT_EQ(form.timControl.Interval(), 50U);

    EXPECT_TRUE(form.TrayIcon.Visible());
    EXPECT_EQ(form.TrayIcon.IconIndex(), 0);
    EXPECT_EQ(form.TrayIcon.Hint(), "On : Edgeroam 2 : Korvantis(TM)");
    EXPECT_EQ(form.TrayIcon.PopupMenu(), &form.PopupMenu);
    EXPECT_EQ(form.TrayIcon.PopupMenuOn(), imRightClickUp);
    EXPECT_EQ(form.TrayIcon.Icons(), &form.ImageList);

    EXPECT_EQ(form.ImageList.Width(), 16);
    EXPECT_EQ(form.ImageList.Height(), 16);
    ASSERT_EQ(form.ImageList.Count(), 2);
    EXPECT_EQ(form.ImageList.ResourceName(0), kTrayOnResource);
    EXPECT_EQ(form.ImageList.ResourceName(1), kTrayOffResource);
}

TEST_F(MainFormTest, RunShowsTheMainWindowOffTheScreen) {
    TfrmMain& form = StartWithSettings();
    Application->Run();
    EXPECT_TRUE(form.Visible());
    EXPECT_LE(form.Left() + form.ClientWidth(), 0);
}

TEST_F(MainFormTest, MenuHasItsSevenItemsInOrder) {
    TfrmMain& form = StartWithSettings();
    struct Item {
        const TMenuItem* item;
        std::string caption;
        bool operator==(const Item&) const = default;
    };
    std::vector<Item> items;
    for (const TMenuItem* item : form.PopupMenu.Items()) {
        items.push_back({item, item->Caption()});
    }
    EXPECT_THAT(items, ElementsAre(Item{&form.mnuEdgeroamHome, "Edgeroam &homepage"},
                                   Item{&form.mnuOptons, "&Options"},
                                   Item{&form.mnuHelpAbout, "&Help / About"},
                                   Item{&form.mnuSep1, "-"},
                                   Item{&form.mnuTurn, "&Turn OFF"},
                                   Item{&form.mnuSep2, "-"},
                                   Item{&form.mnuExit, "E&xit"}));
}

TEST_F(MainFormTest, RightClickUpOnTheIconOpensTheMenu) {
    TfrmMain& form = StartWithSettings();
    form.TrayIcon.RightClickUp(1270, 790);
    ASSERT_EQ(forms::testing::Popups().size(), 1U);
    EXPECT_EQ(forms::testing::Popups()[0].menu, &form.PopupMenu);
}

struct SwitchState {
    bool timer;
    int image;
    std::string hint;
    std::string turnCaption;
    bool operator==(const SwitchState&) const = default;
};

SwitchState StateOf(const TfrmMain& form) {
    return {form.timControl.Enabled(), form.TrayIcon.IconIndex(), form.TrayIcon.Hint(), form.mnuTurn.Caption()};
}

const SwitchState kOff{false, 1, "OFF : Edgeroam 2 : Korvantis(TM)", "&Turn ON"};
const SwitchState kOn{true, 0, "ON : Edgeroam 2 : Korvantis(TM)", "&Turn OFF"};

TEST_F(MainFormTest, ToggleWrapSwitchesOffAndOnAndLeavesTheTickAlone) {
    StartWithSettings();
    LastX = 640;
    LastY = 400;
    StrokeHistory[0] = {dirLeft, 12345};
    StrokeHistory[1] = {dirRight, 12300};
    CurrentDirection = dirLeft;
    const auto history = StrokeHistory;

    ToggleWrap();
    EXPECT_EQ(StateOf(*frmMain), kOff);
    ToggleWrap();
    EXPECT_EQ(StateOf(*frmMain), kOn);

    EXPECT_EQ(LastX, 640);
    EXPECT_EQ(LastY, 400);
    EXPECT_EQ(CurrentDirection, dirLeft);
    for (std::size_t i = 0; i < history.size(); ++i) {
        EXPECT_EQ(StrokeHistory[i].Direction, history[i].Direction) << i;
        EXPECT_EQ(StrokeHistory[i].Time, history[i].Time) << i;
    }
    EXPECT_EQ(HoriRecogAction, 3);
    EXPECT_EQ(VertRecogAction, 5);
    EXPECT_EQ(RecogTimeoutMs, 400);
}

// The icon's click and the Turn item do the same, whichever state they meet.
TEST_F(MainFormTest, TurnItemAndIconClickAreTheSameSwitch) {
    TfrmMain& form = StartWithSettings();
    struct Step {
        TNotifyEvent click;
        SwitchState after;
    };
    const auto icon = [&](TObject*) { form.TrayIcon.Click(); };
    const auto turn = [&](TObject*) { form.mnuTurn.Click(); };
    const std::vector<Step> steps{{icon, kOff}, {turn, kOn}, {turn, kOff}, {icon, kOn}, {icon, kOff}, {turn, kOn}};
    for (std::size_t i = 0; i < steps.size(); ++i) {
        steps[i].click(nullptr);
        EXPECT_EQ(StateOf(form), steps[i].after) << "step " << i;
    }
}

struct LaunchCase {
    const char* what;
    void (TfrmMain::*handler)(TObject*);
    std::string file;
    std::optional<std::string> parameters;
    int showCommand;
};

class MenuLaunch : public MainFormTest, public ::testing::WithParamInterface<LaunchCase> {};

TEST_P(MenuLaunch, OpensItsFileThroughTheShell) {
    const LaunchCase& c = GetParam();
    service::testing::SetModuleFileName(kProgramPath);
    TfrmMain& form = StartWithSettings();
    (form.*c.handler)(nullptr);
    const auto& calls = service::testing::ShellExecuteCalls();
    ASSERT_EQ(calls.size(), 1U);
    EXPECT_EQ(calls[0].verb, "open");
    EXPECT_EQ(calls[0].file, c.file);
    EXPECT_EQ(calls[0].parameters, c.parameters);
    EXPECT_EQ(calls[0].showCommand, c.showCommand);
}

INSTANTIATE_TEST_SUITE_P(
    Items, MenuLaunch,
    ::testing::Values(
        LaunchCase{"Options", &TfrmMain::mnuOptonsClick, "E:\\Programs\\Pointer\\options.exe", "/ok", 1},
        LaunchCase{"Help", &TfrmMain::mnuHelpAboutClick, "E:\\Programs\\Pointer\\help.chm", "/ok", 3},
        LaunchCase{"Homepage", &TfrmMain::mnuEdgeroamHomeClick,
                   "http://" EDGEROAM_HOMEPAGE_HOST "/products/utils/edgeroam/", std::nullopt, 3}),
    CaseName());

TEST_F(MainFormTest, HomepageIsAnHttpAddressWithTheProductPath) {
    TfrmMain& form = StartWithSettings();
    form.mnuEdgeroamHome.Click();
    ASSERT_EQ(service::testing::ShellExecuteCalls().size(), 1U);
    const std::string& url = service::testing::ShellExecuteCalls()[0].file;
    EXPECT_THAT(url, ::testing::MatchesRegex("http://[A-Za-z0-9.-]+(:[0-9]+)?/products/utils/edgeroam/"));
}

// A directory of n characters (the backslash included) under the drive "C:".
std::string DirOfLength(std::size_t n) { return "C:" + std::string(n - 3, 'd') + "\\"; }

struct NoLaunchCase {
    const char* what;
    std::optional<std::string> modulePath;
};

class LaunchWithoutUsableDir : public MainFormTest, public ::testing::WithParamInterface<NoLaunchCase> {};

TEST_P(LaunchWithoutUsableDir, StartsNothing) {
    service::testing::SetModuleFileName(GetParam().modulePath);
    TfrmMain& form = StartWithSettings();
    form.mnuOptons.Click();
    form.mnuHelpAbout.Click();
    EXPECT_THAT(service::testing::ShellExecuteCalls(), IsEmpty());
    EXPECT_THAT(forms::testing::MessageBoxes(), IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Paths, LaunchWithoutUsableDir,
    ::testing::Values(NoLaunchCase{"QueryFails", std::nullopt},
                      NoLaunchCase{"NoBackslash", "edgeroam2.exe"},
                      NoLaunchCase{"PathCutByTheBuffer", DirOfLength(990) + "edgeroam2.exe"},
                      // The directory fits; with "help.chm" (8) or "options.exe" (11) the path would not.
                      NoLaunchCase{"NameDoesNotFit", DirOfLength(992) + "e.exe"}),
    CaseName());

TEST_F(MainFormTest, LongestDirectoryThatLeavesRoomForTheNameStillLaunches) {
    const std::string dir = DirOfLength(1000 - 1 - 11);  // dir + "options.exe" + NUL = 1000 bytes
    service::testing::SetModuleFileName(dir + "e.exe");
    TfrmMain& form = StartWithSettings();
    form.mnuOptons.Click();
    form.mnuHelpAbout.Click();
    const auto& calls = service::testing::ShellExecuteCalls();
    ASSERT_EQ(calls.size(), 2U);
    EXPECT_EQ(calls[0].file, dir + "options.exe");
    EXPECT_EQ(calls[1].file, dir + "help.chm");
}

TEST_F(MainFormTest, ExitClosesTheMainWindowInEitherState) {
    for (const bool switchedOff : {false, true}) {
        FreshStart();
        TfrmMain& form = StartWithSettings();
        if (switchedOff) {
            form.TrayIcon.Click();
        }
        form.mnuExit.Click();
        EXPECT_TRUE(form.Closed()) << "switched off: " << switchedOff;
        EXPECT_THAT(forms::testing::MessageBoxes(), IsEmpty());
    }
}

struct ProgramDirCase {
    const char* what;
    std::optional<std::string> modulePath;
    int size;
    int expected;
    std::string left;  // the text left in the buffer
};

class ProgramDir : public ::testing::TestWithParam<ProgramDirCase> {
protected:
    void TearDown() override { service::testing::ResetShell(); }
};

TEST_P(ProgramDir, LeavesTheDirectoryWithItsBackslash) {
    const ProgramDirCase& c = GetParam();
    service::testing::SetModuleFileName(c.modulePath);
    // Exactly size bytes on the heap, so that a write past them is caught.
    std::vector<char> buffer(static_cast<std::size_t>(c.size), '#');
    EXPECT_EQ(GetProgramDir(buffer.data(), c.size), c.expected);
    EXPECT_EQ(std::string(buffer.data()), c.left);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, ProgramDir,
    ::testing::Values(ProgramDirCase{"Nested", kProgramPath, 1000, 20, "E:\\Programs\\Pointer\\"},
                      ProgramDirCase{"DriveRoot", "D:\\edgeroam2.exe", 1000, 3, "D:\\"},
                      ProgramDirCase{"NoBackslash", "edgeroam2.exe", 1000, 0, ""},
                      ProgramDirCase{"QueryFails", std::nullopt, 1000, 0, ""},
                      // 16 characters and the NUL fit exactly into 17 bytes.
                      ProgramDirCase{"PathJustFits", "D:\\edgeroam2.exe", 17, 3, "D:\\"},
                      ProgramDirCase{"PathOneTooLong", "D:\\edgeroam2.exe", 16, 0, ""},
                      ProgramDirCase{"TinyBuffer", kProgramPath, 1, 0, ""}),
    CaseName());

TEST(ProgramDirNullBuffer, ReturnsZero) {
    EXPECT_EQ(GetProgramDir(nullptr, 1000), 0);
    char untouched = '#';
    EXPECT_EQ(GetProgramDir(&untouched, 0), 0);
    EXPECT_EQ(untouched, '#');
}

}  // namespace
