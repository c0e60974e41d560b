// A form with one of everything the form layer offers, laid out like a small dialog.
#pragma once

#include "forms/win32/Win32Internal.h"

#include <initializer_list>

#include "forms/ComCtrls.h"
#include "forms/Controls.h"
#include "forms/ExtCtrls.h"
#include "forms/Forms.h"
#include "forms/ImgList.h"
#include "forms/Menus.h"
#include "forms/TrayIcon.h"

class ProbeForm : public TForm {
public:
    explicit ProbeForm(TComponent* owner) : TForm(owner) {
        SetCaption("Probe form");
        SetBorderIcons(biSystemMenu);
        SetClientWidth(250);
        SetClientHeight(180);
        group.SetCaption("&Group");
        group.SetBounds(8, 8, 233, 121);
        check.SetCaption("C&heck me");
        check.SetBounds(16, 24, 201, 17);
        label.SetCaption("&Timeout:");
        label.SetBounds(16, 52, 60, 13);
        edit.SetBounds(104, 48, 41, 21);
        upDown.SetBounds(145, 48, 13, 21);
        combo.SetStyle(csDropDownList);
        combo.SetItemHeight(13);
        combo.SetBounds(16, 84, 97, 21);
        for (const char* item : {"Disabled", "Cut", "Copy", "Paste", "Back", "Forward"}) {
            combo.Items().Add(item);
        }
        ok.SetCaption("&Ok");
        ok.SetBounds(8, 140, 73, 25);
        cancel.SetCaption("&Cancel");
        cancel.SetBounds(96, 140, 73, 25);
        SetDefaultButton(&ok);
        SetCancelButton(&cancel);

        timer.SetEnabled(false);
        timer.SetInterval(20);
        images.AddIconResource("MAINICON");
        images.AddIconResource("TESTIMAGE");
        first.SetCaption("&First");
        separator.SetCaption("-");
        exit.SetCaption("E&xit");
        menu.Add(&first);
        menu.Add(&separator);
        menu.Add(&exit);
        tray.SetIcons(&images);
        tray.SetHint("Probe : on");
        tray.SetPopupMenu(&menu);
        tray.SetPopupMenuOn(imRightClickUp);
    }

    TGroupBox group{this, this};
    TCheckBox check{this, &group};
    TLabel label{this, &group};
    TEdit edit{this, &group};
    TUpDown upDown{this, &group};
    TComboBox combo{this, &group};
    TButton ok{this, this};
    TButton cancel{this, this};
    TTimer timer{this};
    TImageList images{this};
    TPopupMenu menu{this};
    TMenuItem first{this};
    TMenuItem separator{this};
    TMenuItem exit{this};
    TTrayIcon tray{this};
};

// A new probe form, made by the application (the first one is the main form).
inline ProbeForm& NewForm() {
    ProbeForm* form = nullptr;
    Application->CreateForm(form);
    return *form;
}
