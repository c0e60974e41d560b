#include "options/Option.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "shared/Settings.h"

TForm1* Form1 = nullptr;
int intRecogTimeout = 0;

namespace {

constexpr int kMinTimeoutMs = 50;
constexpr int kMaxTimeoutMs = 5000;
constexpr int kTimeoutStepMs = 5;

constexpr const char* kRangeText = "Timeout must be between 50 and 5000 m/secs";
constexpr const char* kSavedText = "New settings will take affect next time Edgeroam 2 is started.";
constexpr const char* kCaption = "Edgeroam 2";

constexpr int kNoTabStop = -1;

struct Placement {
    TControl* control;
    int left;
    int top;
    int width;
    int height;
    int tabOrder;
    const char* caption;
};

void Place(const Placement& p) {
    p.control->SetBounds(p.left, p.top, p.width, p.height);
    if (p.tabOrder != kNoTabStop) {
        p.control->SetTabOrder(p.tabOrder);
    }
    if (p.caption != nullptr) {
        p.control->SetCaption(p.caption);
    }
}

void FillActions(TComboBox& list) {
    for (const char* label : ActionLabels) {
        list.Items().Add(label);
    }
}

const char* FlagText(const TCheckBox& box) { return box.Checked() ? "1" : "0"; }

// The step in 64 bits, held to the int range: a typed extreme value must
// not overflow, it is then clamped by ValidateTimeout like any other.
int Stepped(int value, TUDBtnType button) {
    const std::int64_t step = button == btNext ? kTimeoutStepMs : -kTimeoutStepMs;
    const std::int64_t next = std::clamp<std::int64_t>(std::int64_t{value} + step,
                                                       std::numeric_limits<int>::min(),
                                                       std::numeric_limits<int>::max());
    return static_cast<int>(next);
}

}  // namespace

bool ValidateTimeout() {
    bool valid = true;
    if (intRecogTimeout < kMinTimeoutMs) {
        Application->MessageBox(kRangeText, kCaption, 0);
        intRecogTimeout = kMinTimeoutMs;
        valid = false;
    }
    if (intRecogTimeout > kMaxTimeoutMs) {
        Application->MessageBox(kRangeText, kCaption, 0);
        intRecogTimeout = kMaxTimeoutMs;
        valid = false;
    }
    return valid;
}

void ResetOptionUnit() {
    Form1 = nullptr;
    intRecogTimeout = 0;
}

TForm1::TForm1(TComponent* owner)
    : TForm(owner),
      GroupBox1(this, this),
      chkStartupLoad(this, &GroupBox1),
      chkRecogActive(this, &GroupBox1),
      GroupBox2(this, this),
      Button1(this, this),
      Button2(this, this),
      sclRecogTimeout(this, &GroupBox2),
      txtRecogTimeout(this, &GroupBox2),
      Label1(this, &GroupBox2),
      Label2(this, &GroupBox2),
      Label3(this, &GroupBox2),
      lstHorizontal(this, &GroupBox2),
      lstVertical(this, &GroupBox2),
      Label4(this, &GroupBox2),
      Label5(this, &GroupBox2) {
    // Events first: the box's first text then sets intRecogTimeout too, so the
    // box and the value agree even when loading the settings fails part-way.
    ConnectEvents();
    BuildLayout();
}

void TForm1::ConnectEvents() {
    OnCreate = [this](TObject* sender) { FormCreate(sender); };
    Button1.OnClick = [this](TObject* sender) { Button1Click(sender); };
    Button2.OnClick = [this](TObject* sender) { Button2Click(sender); };
    sclRecogTimeout.OnClick = [this](TObject* sender, TUDBtnType button) {
        sclRecogTimeoutClick(sender, button);
    };
    txtRecogTimeout.OnChange = [this](TObject* sender) { txtRecogTimeoutChange(sender); };
}

void TForm1::BuildLayout() {
    SetCaption("Edgeroam 2 : Options");
    SetWidth(257);
    SetHeight(339);
    SetPosition(poDesktopCenter);
    SetBorderIcons(biSystemMenu);
    SetFont("MS Sans Serif", -11);

    const Placement placements[] = {
        {&GroupBox1, 8, 8, 233, 81, 0, "General"},
        {&chkStartupLoad, 16, 24, 201, 17, 0, "Load on &Startup"},
        {&chkRecogActive, 16, 48, 201, 17, 1, "Action on &Pattern Recognition"},
        {&GroupBox2, 8, 96, 233, 161, 1, "Pattern Recognition"},
        {&Label1, 13, 130, 85, 13, kNoTabStop, "Timeout (m/secs):"},
        {&Label2, 20, 94, 103, 13, kNoTabStop, "Action on recognition:"},
        {&Label3, 20, 44, 103, 13, kNoTabStop, "Action on recognition:"},
        {&Label4, 8, 72, 149, 13, kNoTabStop, "Back and Forth &Vertical Motion:"},
        {&Label5, 8, 21, 161, 13, kNoTabStop, "Back and Forth &Horizontal Motion:"},
        {&sclRecogTimeout, 145, 128, 13, 21, 0, nullptr},
        {&txtRecogTimeout, 104, 128, 41, 21, 1, nullptr},
        {&lstHorizontal, 128, 42, 97, 21, 2, nullptr},
        {&lstVertical, 128, 92, 97, 21, 3, nullptr},
        {&Button1, 8, 272, 73, 25, 2, "&Ok"},
        {&Button2, 96, 272, 73, 25, 3, "&Cancel"},
    };
    for (const Placement& p : placements) {
        Place(p);
    }

    sclRecogTimeout.SetRange(-32768, 32767);
    sclRecogTimeout.SetPosition(0);
    sclRecogTimeout.SetWrap(false);
    txtRecogTimeout.SetText("200");
    for (TComboBox* list : {&lstHorizontal, &lstVertical}) {
        list->SetStyle(csDropDownList);
        list->SetItemHeight(13);
    }
    SetDefaultButton(&Button1);
    SetCancelButton(&Button2);
}

void TForm1::ShowTimeout() { txtRecogTimeout.SetText(IntToStr(intRecogTimeout)); }

void TForm1::FormCreate(TObject* /*sender*/) {
    FillActions(lstHorizontal);
    FillActions(lstVertical);
    chkStartupLoad.SetChecked(StrToInt(ReadSetting("OnStartUp")) != 0);
    chkRecogActive.SetChecked(StrToInt(ReadSetting("RecogActive")) != 0);
    lstHorizontal.SetItemIndex(StrToInt(ReadSetting("HoriRecog")));
    lstVertical.SetItemIndex(StrToInt(ReadSetting("VertRecog")));
    intRecogTimeout = StrToInt(ReadSetting("RecogTimeout"));
    ValidateTimeout();
    ShowTimeout();
}

void TForm1::Button1Click(TObject* /*sender*/) {
    if (!ValidateTimeout()) {
        ShowTimeout();
        return;
    }
    WriteSetting("OnStartUp", FlagText(chkStartupLoad));
    WriteSetting("RecogActive", FlagText(chkRecogActive));
    WriteSetting("HoriRecog", IntToStr(lstHorizontal.ItemIndex()).c_str());
    WriteSetting("VertRecog", IntToStr(lstVertical.ItemIndex()).c_str());
    WriteSetting("RecogTimeout", IntToStr(intRecogTimeout).c_str());
    Application->MessageBox(kSavedText, kCaption, 0);
    Halt(0);
}

void TForm1::sclRecogTimeoutClick(TObject* /*sender*/, TUDBtnType button) {
    intRecogTimeout = Stepped(intRecogTimeout, button);
    if (ValidateTimeout()) {
        ShowTimeout();
    }
}

void TForm1::txtRecogTimeoutChange(TObject* /*sender*/) {
    const String text = txtRecogTimeout.Text();
    if (text.empty()) {
        return;
    }
    intRecogTimeout = StrToInt(text);
}

void TForm1::Button2Click(TObject* /*sender*/) { Halt(0); }
