// Unit Main: the service's hidden main window with its timer, tray icon,
// menu and images, and the routines its handlers share.
#pragma once

#include "forms/ExtCtrls.h"
#include "forms/Forms.h"
#include "forms/ImgList.h"
#include "forms/Menus.h"
#include "forms/TrayIcon.h"

class TfrmMain : public TForm {
public:
    TTimer timControl{this};
    TTrayIcon TrayIcon{this};
    TPopupMenu PopupMenu{this};
    TMenuItem mnuExit{this};
    TImageList ImageList{this};
    TMenuItem mnuOptons{this};
    TMenuItem mnuEdgeroamHome{this};
    TMenuItem mnuHelpAbout{this};
    TMenuItem mnuSep2{this};
    TMenuItem mnuTurn{this};
    TMenuItem mnuSep1{this};

    void timControlTimer(TObject* Sender);
    void mnuExitClick(TObject* Sender);
    void FormCreate(TObject* Sender);
    void mnuEdgeroamHomeClick(TObject* Sender);
    void mnuOptonsClick(TObject* Sender);
    void TrayIconClick(TObject* Sender);
    void mnuTurnClick(TObject* Sender);
    void mnuHelpAboutClick(TObject* Sender);

    explicit TfrmMain(TComponent* Owner);
};

// The one main window; CreateForm stores it here before its constructor runs.
extern TfrmMain* frmMain;

// The argument text, copied from Application->Hint() by the constructor.
extern String CommandLine;

// Switches the service off (timer stopped, image 1, "OFF" hint, "&Turn ON")
// or on again; the tick's state is left as it is.
void ToggleWrap();

// Leaves the running program's directory with its trailing backslash in
// buffer (size bytes) and returns its length. Returns 0 and leaves the empty
// text (when there is room for it) for a null buffer, a failed query, a path
// that does not fit, or a path without a backslash.
int GetProgramDir(char* buffer, int size);

// Tray texts, also what the tests and the end-to-end checks look for.
inline constexpr char kHintAtStart[] = "On : Edgeroam 2 : Korvantis(TM)";
inline constexpr char kHintOn[] = "ON : Edgeroam 2 : Korvantis(TM)";
inline constexpr char kHintOff[] = "OFF : Edgeroam 2 : Korvantis(TM)";
inline constexpr char kTurnOffCaption[] = "&Turn OFF";
inline constexpr char kTurnOnCaption[] = "&Turn ON";

// Icon resources of the two tray images, in image list order.
inline constexpr char kTrayOnResource[] = "TRAYON";
inline constexpr char kTrayOffResource[] = "TRAYOFF";

// The unit's state back to program start (tick state included), for tests.
void ResetMainState();
