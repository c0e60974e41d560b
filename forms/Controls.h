// Controls: the base classes and the standard controls the programs place on forms.
// Positions and sizes are pixels at 96 DPI, relative to the parent's client area.
#pragma once

#include <memory>

#include "forms/Classes.h"

class TWinControl;

class TControl : public TComponent {
public:
    TControl(TComponent* owner, TWinControl* parent);
    ~TControl() override;

    TWinControl* Parent() const { return parent_; }

    void SetBounds(int left, int top, int width, int height);
    void SetLeft(int left);
    void SetTop(int top);
    void SetWidth(int width);
    void SetHeight(int height);
    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;

    void SetCaption(const String& caption);  // "&" marks the access key
    String Caption() const;
    void SetVisible(bool visible);
    bool Visible() const;
    void SetEnabled(bool enabled);
    bool Enabled() const;
    // Position in the parent's tab order; -1 for a control that takes no focus.
    void SetTabOrder(int order);
    int TabOrder() const;

    struct Impl;
    Impl& impl() const { return *impl_; }

protected:
    // Backend hook: creates the native control once the derived class knows its kind.
    enum class Kind { Form, GroupBox, CheckBox, Label, Edit, ComboBox, Button, UpDown };
    void CreateNative(Kind kind);

private:
    TWinControl* parent_;
    std::unique_ptr<Impl> impl_;
};

class TWinControl : public TControl {
public:
    using TControl::TControl;
};

class TGroupBox : public TWinControl {
public:
    TGroupBox(TComponent* owner, TWinControl* parent);
};

class TLabel : public TControl {
public:
    TLabel(TComponent* owner, TWinControl* parent);
};

class TCheckBox : public TWinControl {
public:
    TCheckBox(TComponent* owner, TWinControl* parent);
    void SetChecked(bool checked);
    bool Checked() const;
    void Click();  // as if the user clicked it: toggles
    TNotifyEvent OnClick;
};

class TEdit : public TWinControl {
public:
    TEdit(TComponent* owner, TWinControl* parent);
    // Every change of the text, typed or set, raises OnChange.
    void SetText(const String& text);
    String Text() const;
    TNotifyEvent OnChange;
    // Backend hook: the text changed (typed or set).
    void Changed();
};

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList };

class TComboBox : public TWinControl {
public:
    TComboBox(TComponent* owner, TWinControl* parent);
    void SetStyle(TComboBoxStyle style);
    TComboBoxStyle Style() const { return style_; }
    void SetItemHeight(int height);
    TStrings& Items() { return items_; }
    const TStrings& Items() const { return items_; }
    // An index outside the items selects nothing and reads back -1.
    void SetItemIndex(int index);
    int ItemIndex() const;

private:
    TComboBoxStyle style_ = csDropDown;
    TStrings items_;
};

class TButton : public TWinControl {
public:
    TButton(TComponent* owner, TWinControl* parent);
    void Click();  // as if the user clicked it
    TNotifyEvent OnClick;
};
