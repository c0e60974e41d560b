// Unit Option: the options window, which loads, edits, validates and saves
// the five settings.
#pragma once

#include <array>

#include "forms/ComCtrls.h"
#include "forms/Controls.h"
#include "forms/Forms.h"

// The items of both action lists; an item's position is its action code.
inline constexpr std::array<const char*, 6> ActionLabels{
    "Disabled", "Cut", "Copy", "Paste", "Back in IE", "Forward in IE"};

class TForm1 : public TForm {
public:
    explicit TForm1(TComponent* owner);

    // Controls, parents before children.
    TGroupBox GroupBox1;
    TCheckBox chkStartupLoad;
    TCheckBox chkRecogActive;
    TGroupBox GroupBox2;
    TButton Button1;
    TButton Button2;
    TUpDown sclRecogTimeout;
    TEdit txtRecogTimeout;
    TLabel Label1;
    TLabel Label2;
    TLabel Label3;
    TComboBox lstHorizontal;
    TComboBox lstVertical;
    TLabel Label4;
    TLabel Label5;

    void FormCreate(TObject* sender);
    void Button1Click(TObject* sender);
    void sclRecogTimeoutClick(TObject* sender, TUDBtnType button);
    void txtRecogTimeoutChange(TObject* sender);
    void Button2Click(TObject* sender);

private:
    void BuildLayout();
    void ConnectEvents();
    void ShowTimeout();
};

extern TForm1* Form1;

// The recognition timeout being edited, in milliseconds; the value OK stores.
extern int intRecogTimeout;

// Reports and clamps a timeout outside 50..5000; true when it was inside.
bool ValidateTimeout();

// Puts the unit's variables back to their program-start values (for tests).
void ResetOptionUnit();
