#include "service/Main.h"

#include <array>
#include <cstring>

#include "service/Shell.h"
#include "service/Tick.h"
#include "service/TickPlatform.h"
#include "shared/LaunchContract.h"
#include "shared/Settings.h"

TfrmMain* frmMain = nullptr;
String CommandLine;

namespace {

constexpr char kHomepage[] = "http://" EDGEROAM_HOMEPAGE_HOST "/products/utils/edgeroam/";
constexpr char kOptionsFile[] = "options.exe";
constexpr char kHelpFile[] = "help.chm";

// Options and Help pass the launch switch along (the editor requires it).
constexpr const char* kLaunchParameters = kLaunchSwitch;

// An action setting is taken through a working buffer of two characters and
// the NUL. A longer text is refused like an unusable one (the error stops
// FormCreate at this step), never cut into a different number.
int LoadActionCode(const char* settingName) {
    const String text = ReadSetting(settingName);
    std::array<char, 3> buffer{};
    if (text.size() >= buffer.size()) {
        throw EConvertError("'" + text + "' is not a valid action code for " + settingName);
    }
    std::memcpy(buffer.data(), text.c_str(), text.size() + 1);
    return StrToInt(buffer.data());
}

// Starts a file from the program's directory with the launch switch. Nothing
// is started when the directory is unknown or the full path would not fit.
void LaunchFromProgramDir(const char* fileName, int showCommand) {
    std::array<char, 1000> path{};
    const int dirLength = GetProgramDir(path.data(), static_cast<int>(path.size()));
    if (dirLength <= 0) {
        return;
    }
    const std::size_t used = static_cast<std::size_t>(dirLength);
    const std::size_t nameLength = std::strlen(fileName);
    if (used + nameLength >= path.size()) {
        return;
    }
    std::memcpy(path.data() + used, fileName, nameLength + 1);
    SystemShell().Execute("open", path.data(), kLaunchParameters, showCommand);
}

}  // namespace

TfrmMain::TfrmMain(TComponent* Owner) : TForm(Owner) {
    SetCaption("Edgeroam2");
    SetBorderStyle(bsToolWindow);
    SetBorderIcons(0);
    SetPosition(poDefault);
    SetScaled(false);
    SetFont("MS Sans Serif", -11);
    SetLeft(-100);
    SetTop(-100);
    SetClientWidth(118);
    SetClientHeight(207);
    OnCreate = [this](TObject* sender) { FormCreate(sender); };

    timControl.SetInterval(50);
    timControl.OnTimer = [this](TObject* sender) { timControlTimer(sender); };

    ImageList.SetSize(16, 16);
    ImageList.AddIconResource(kTrayOnResource);
    ImageList.AddIconResource(kTrayOffResource);

    mnuEdgeroamHome.SetCaption("Edgeroam &homepage");
    mnuEdgeroamHome.OnClick = [this](TObject* sender) { mnuEdgeroamHomeClick(sender); };
    mnuOptons.SetCaption("&Options");
    mnuOptons.OnClick = [this](TObject* sender) { mnuOptonsClick(sender); };
    mnuHelpAbout.SetCaption("&Help / About");
    mnuHelpAbout.OnClick = [this](TObject* sender) { mnuHelpAboutClick(sender); };
    mnuSep1.SetCaption("-");
    mnuTurn.SetCaption(kTurnOffCaption);
    mnuTurn.OnClick = [this](TObject* sender) { mnuTurnClick(sender); };
    mnuSep2.SetCaption("-");
    mnuExit.SetCaption("E&xit");
    mnuExit.OnClick = [this](TObject* sender) { mnuExitClick(sender); };
    for (TMenuItem* item : {&mnuEdgeroamHome, &mnuOptons, &mnuHelpAbout, &mnuSep1, &mnuTurn, &mnuSep2, &mnuExit}) {
        PopupMenu.Add(item);
    }

    TrayIcon.SetHint(kHintAtStart);
    TrayIcon.SetPopupMenu(&PopupMenu);
    TrayIcon.SetHide(true);
    TrayIcon.SetRestoreOn(imDoubleClick);
    TrayIcon.SetPopupMenuOn(imRightClickUp);
    TrayIcon.SetIcons(&ImageList);
    TrayIcon.OnClick = [this](TObject* sender) { TrayIconClick(sender); };

    CommandLine = Application->Hint();
}

void TfrmMain::timControlTimer(TObject*) { RunTick(SystemTickPlatform()); }

void TfrmMain::mnuExitClick(TObject*) { Close(); }

void TfrmMain::FormCreate(TObject*) {
    TrayIcon.SetVisible(true);
    frmMain->SetLeft(-500);
    HoriRecogAction = LoadActionCode(kSettingHoriRecog);
    VertRecogAction = LoadActionCode(kSettingVertRecog);
    RecogTimeoutMs = RecogTimeoutFromArgs(CommandLine);
}

void TfrmMain::mnuEdgeroamHomeClick(TObject*) { SystemShell().Execute("open", kHomepage, nullptr, kShowMaximized); }

void TfrmMain::mnuOptonsClick(TObject*) { LaunchFromProgramDir(kOptionsFile, kShowNormal); }

void TfrmMain::TrayIconClick(TObject*) { ToggleWrap(); }

void TfrmMain::mnuTurnClick(TObject*) { ToggleWrap(); }

void TfrmMain::mnuHelpAboutClick(TObject*) { LaunchFromProgramDir(kHelpFile, kShowMaximized); }

void ToggleWrap() {
    TfrmMain& form = *frmMain;
    if (form.timControl.Enabled()) {
        form.TrayIcon.SetIconIndex(1);
        form.TrayIcon.SetHint(kHintOff);
        form.mnuTurn.SetCaption(kTurnOnCaption);
    } else {
        form.TrayIcon.SetIconIndex(0);
        form.TrayIcon.SetHint(kHintOn);
        form.mnuTurn.SetCaption(kTurnOffCaption);
    }
    form.timControl.SetEnabled(!form.timControl.Enabled());
}

int GetProgramDir(char* buffer, int size) {
    if (buffer == nullptr || size <= 0) {
        return 0;
    }
    const auto capacity = static_cast<unsigned>(size);
    const unsigned length = SystemShell().ModuleFileName(buffer, capacity);
    // 0 is a failure; a full buffer means the path was cut.
    if (length == 0 || length >= capacity) {
        buffer[0] = '\0';
        return 0;
    }
    for (unsigned i = length; i > 0; --i) {
        if (buffer[i - 1] == '\\') {
            buffer[i] = '\0';
            return static_cast<int>(i);
        }
    }
    // No directory in the path: nothing usable to start files from.
    buffer[0] = '\0';
    return 0;
}

void ResetMainState() {
    frmMain = nullptr;
    CommandLine.clear();
    ResetTickState();
}
