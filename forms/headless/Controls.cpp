// Headless controls: every property is a field of TControl::Impl.
#include "forms/Controls.h"

#include "forms/headless/State.h"

TControl::TControl(TComponent* owner, TWinControl* parent)
    : TComponent(owner), parent_(parent), impl_(std::make_unique<Impl>()) {}

TControl::~TControl() = default;

// Forms start hidden until shown; controls start visible on their form.
void TControl::CreateNative(Kind kind) {
    impl_->kind = kind;
    impl_->visible = kind != Kind::Form;
}

void TControl::SetBounds(int left, int top, int width, int height) {
    impl_->left = left;
    impl_->top = top;
    impl_->width = width;
    impl_->height = height;
}

void TControl::SetLeft(int left) { impl_->left = left; }
void TControl::SetTop(int top) { impl_->top = top; }
void TControl::SetWidth(int width) { impl_->width = width; }
void TControl::SetHeight(int height) { impl_->height = height; }
int TControl::Left() const { return impl_->left; }
int TControl::Top() const { return impl_->top; }
int TControl::Width() const { return impl_->width; }
int TControl::Height() const { return impl_->height; }

// An edit box's caption is its text, and changing it raises OnChange.
void TControl::SetCaption(const String& caption) {
    if (impl_->kind == Kind::Edit) {
        static_cast<TEdit*>(this)->SetText(caption);
        return;
    }
    impl_->text = caption;
}

String TControl::Caption() const { return impl_->text; }
void TControl::SetVisible(bool visible) { impl_->visible = visible; }
bool TControl::Visible() const { return impl_->visible; }
void TControl::SetEnabled(bool enabled) { impl_->enabled = enabled; }
bool TControl::Enabled() const { return impl_->enabled; }
void TControl::SetTabOrder(int order) { impl_->tabOrder = order; }
int TControl::TabOrder() const { return impl_->tabOrder; }

TGroupBox::TGroupBox(TComponent* owner, TWinControl* parent) : TWinControl(owner, parent) {
    CreateNative(Kind::GroupBox);
}

TLabel::TLabel(TComponent* owner, TWinControl* parent) : TControl(owner, parent) { CreateNative(Kind::Label); }

TCheckBox::TCheckBox(TComponent* owner, TWinControl* parent) : TWinControl(owner, parent) {
    CreateNative(Kind::CheckBox);
}

void TCheckBox::SetChecked(bool checked) { impl().checked = checked; }
bool TCheckBox::Checked() const { return impl().checked; }

TEdit::TEdit(TComponent* owner, TWinControl* parent) : TWinControl(owner, parent) { CreateNative(Kind::Edit); }

// Setting the text it already holds is no change and raises nothing.
void TEdit::SetText(const String& text) {
    if (impl().text == text) {
        return;
    }
    impl().text = text;
    Changed();
}

String TEdit::Text() const { return impl().text; }

TComboBox::TComboBox(TComponent* owner, TWinControl* parent) : TWinControl(owner, parent) {
    CreateNative(Kind::ComboBox);
    items_.OnCleared = [this] { impl().itemIndex = -1; };
}

void TComboBox::SetStyle(TComboBoxStyle style) { style_ = style; }
void TComboBox::SetItemHeight(int height) { impl().itemHeight = height; }

void TComboBox::SetItemIndex(int index) {
    const bool inRange = index >= 0 && index < items_.Count();
    impl().itemIndex = inRange ? index : -1;
}

int TComboBox::ItemIndex() const { return impl().itemIndex; }

TButton::TButton(TComponent* owner, TWinControl* parent) : TWinControl(owner, parent) { CreateNative(Kind::Button); }
