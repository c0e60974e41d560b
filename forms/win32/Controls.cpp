// The controls: one native window each, every property one message to it.
#include "forms/win32/Win32Internal.h"

#include <algorithm>

#include "forms/ComCtrls.h"
#include "forms/Controls.h"
#include "forms/Forms.h"

using forms::win32::kFirstControlId;
using forms::win32::WindowText;

namespace {

constexpr char kControlProperty[] = "Edgeroam.Control";
// Rows of a combo box's drop-down list.
constexpr int kDropDownRows = 8;

int RectWidth(const RECT& rect) { return rect.right - rect.left; }
int RectHeight(const RECT& rect) { return rect.bottom - rect.top; }

BOOL CALLBACK KeepHighestId(HWND child, LPARAM highest) {
    int& value = *reinterpret_cast<int*>(highest);
    value = std::max(value, GetDlgCtrlID(child));
    return TRUE;
}

// Ids are unique within the whole window, group boxes' children included: the
// dialog manager looks the default button up by its id among all descendants,
// so a label inside a group box must not share the id of the OK button.
int NextControlId(HWND parent) {
    int highest = kFirstControlId - 1;
    EnumChildWindows(GetAncestor(parent, GA_ROOT), KeepHighestId, reinterpret_cast<LPARAM>(&highest));
    return highest + 1;
}

DWORD ComboBoxStyle(TComboBoxStyle style) {
    switch (style) {
    case csSimple:
        return CBS_SIMPLE;
    case csDropDownList:
        return CBS_DROPDOWNLIST;
    case csDropDown:
        break;
    }
    return CBS_DROPDOWN;
}

HMENU ChildId(int id) { return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)); }

}  // namespace

// ---- the native side of every control ----

TControl::Impl::~Impl() {
    if (hwnd == nullptr) {
        return;  // never created, or destroyed with its parent
    }
    HWND window = hwnd;
    Detach();
    hwnd = nullptr;
    DestroyWindow(window);
}

TControl::Impl* TControl::Impl::FromHandle(HWND window) {
    if (window == nullptr) {
        return nullptr;
    }
    return static_cast<Impl*>(GetPropA(window, kControlProperty));
}

void TControl::Impl::Attach(HWND window) {
    hwnd = window;
    SetPropA(window, kControlProperty, this);
    if (kind != Kind::Form) {
        SetWindowSubclass(window, &Impl::ControlProc, 0, reinterpret_cast<DWORD_PTR>(this));
    }
}

void TControl::Impl::Detach() {
    if (hwnd == nullptr) {
        return;
    }
    RemovePropA(hwnd, kControlProperty);
    if (kind != Kind::Form) {
        RemoveWindowSubclass(hwnd, &Impl::ControlProc, 0);
    }
}

void TControl::Impl::CreateChildWindow(TWinControl* parent) {
    if (parent == nullptr || parent->impl().hwnd == nullptr) {
        throw Exception("A control needs a parent window");
    }
    forms::win32::EnsureCommonControls();
    struct Native {
        const char* className;
        DWORD style;
        DWORD exStyle;
        int width;
        int height;
        bool inTabOrder;
    };
    Native native{};
    switch (kind) {
    case Kind::GroupBox:  // its children take part in Tab through WS_EX_CONTROLPARENT
        native = {"BUTTON", BS_GROUPBOX, WS_EX_CONTROLPARENT, 185, 105, true};
        break;
    case Kind::CheckBox:  // toggled by TCheckBox::Click, not by the control itself
        native = {"BUTTON", BS_CHECKBOX | WS_TABSTOP, 0, 97, 17, true};
        break;
    case Kind::Label:
        native = {"STATIC", SS_LEFTNOWORDWRAP, 0, 65, 13, false};
        break;
    case Kind::Edit:
        native = {"EDIT", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, 121, 21, true};
        break;
    case Kind::ComboBox:
        native = {"COMBOBOX", ComboBoxStyle(csDropDown) | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP, 0, 145, 21,
                  true};
        break;
    case Kind::Button:
        native = {"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0, 75, 25, true};
        break;
    case Kind::UpDown:  // no buddy: the program does the stepping
        native = {UPDOWN_CLASSA, UDS_ARROWKEYS, 0, 17, 25, true};
        break;
    case Kind::Form:
        return;
    }
    HWND parentWindow = parent->impl().hwnd;
    HWND window = CreateWindowExA(native.exStyle, native.className, "", WS_CHILD | WS_VISIBLE | native.style, 0, 0,
                                  Scale(native.width), Scale(native.height), parentWindow,
                                  ChildId(NextControlId(parentWindow)), forms::win32::Instance(), nullptr);
    if (window == nullptr) {
        throw Exception(String("Cannot create a control of class ") + native.className);
    }
    Attach(window);
    inTabOrder = native.inTabOrder;
    if (const TForm* form = Form(); form != nullptr && form->impl().font) {
        SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(form->impl().font.get()), FALSE);
    }
    if (kind == Kind::ComboBox) {
        MoveNative(0, 0, Scale(native.width), Scale(native.height));  // room for the list
    }
}

void TControl::Impl::RecreateComboBox(TComboBoxStyle style) {
    // The kind of a combo box is fixed when it is created: make a new one in its place.
    HWND old = hwnd;
    const RECT bounds = NativeBounds();
    HWND previous = GetWindow(old, GW_HWNDPREV);
    const auto oldStyle = static_cast<DWORD>(GetWindowLongA(old, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongA(old, GWL_EXSTYLE));
    const DWORD newStyle = (oldStyle & ~static_cast<DWORD>(CBS_SIMPLE | CBS_DROPDOWN | CBS_DROPDOWNLIST)) |
                           ComboBoxStyle(style);
    const int id = GetDlgCtrlID(old);
    const auto oldFont = SendMessageA(old, WM_GETFONT, 0, 0);
    const auto selected = SendMessageA(old, CB_GETCURSEL, 0, 0);
    HWND parentWindow = GetParent(old);
    Detach();
    hwnd = nullptr;
    DestroyWindow(old);

    HWND window = CreateWindowExA(exStyle, "COMBOBOX", "", newStyle, bounds.left, bounds.top, RectWidth(bounds),
                                  RectHeight(bounds), parentWindow, ChildId(id), forms::win32::Instance(), nullptr);
    if (window == nullptr) {
        throw Exception("Cannot create a combo box");
    }
    Attach(window);
    SendMessageA(window, WM_SETFONT, static_cast<WPARAM>(oldFont), FALSE);
    SetWindowPos(window, previous != nullptr ? previous : HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    for (const String& item : static_cast<TComboBox&>(control).Items().All()) {
        SendMessageA(window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    }
    SendMessageA(window, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
    MoveNative(bounds.left, bounds.top, RectWidth(bounds), RectHeight(bounds));
}

const TForm* TControl::Impl::Form() const {
    const TControl* root = &control;
    while (root->Parent() != nullptr) {
        root = root->Parent();
    }
    return root->impl().IsForm() ? static_cast<const TForm*>(root) : nullptr;
}

int TControl::Impl::Scale(int pixels) const {
    const TForm* form = Form();
    if (form != nullptr && !form->Scaled()) {
        return pixels;
    }
    return MulDiv(pixels, forms::win32::ScreenDpi(), 96);
}

int TControl::Impl::Unscale(int pixels) const {
    const TForm* form = Form();
    if (form != nullptr && !form->Scaled()) {
        return pixels;
    }
    return MulDiv(pixels, 96, forms::win32::ScreenDpi());
}

int TControl::Impl::ScalePosition(int pixels) const { return IsForm() ? pixels : Scale(pixels); }

int TControl::Impl::UnscalePosition(int pixels) const { return IsForm() ? pixels : Unscale(pixels); }

RECT TControl::Impl::NativeBounds() const {
    RECT bounds{};
    if (hwnd == nullptr) {
        return bounds;
    }
    GetWindowRect(hwnd, &bounds);
    if (!IsForm()) {
        MapWindowPoints(HWND_DESKTOP, GetParent(hwnd), reinterpret_cast<POINT*>(&bounds), 2);
    }
    return bounds;
}

void TControl::Impl::MoveNative(int left, int top, int width, int height) const {
    if (hwnd == nullptr) {
        return;
    }
    if (kind == Kind::ComboBox) {
        // The window's height includes the dropped-down list; the closed box keeps its own.
        const auto row = static_cast<int>(SendMessageA(hwnd, CB_GETITEMHEIGHT, 0, 0));
        height += kDropDownRows * std::max(row, 1) + 2;
    }
    SetWindowPos(hwnd, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TControl::Impl::ApplyFont(HFONT newFont) const {
    SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(newFont), TRUE);
    EnumChildWindows(
        hwnd,
        [](HWND child, LPARAM value) -> BOOL {
            if (FromHandle(child) != nullptr) {
                SendMessageA(child, WM_SETFONT, static_cast<WPARAM>(value), TRUE);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(newFont));
}

bool TControl::Impl::RouteCommand(WPARAM wParam, LPARAM lParam) const {
    const WORD id = LOWORD(wParam);
    HWND from = reinterpret_cast<HWND>(lParam);
    Impl* sender = FromHandle(from);
    // From a child, or from a control further down that the dialog keys
    // pressed (Enter on a default button inside a group box).
    if (sender != nullptr && IsChild(hwnd, from) != FALSE && GetDlgCtrlID(from) == id) {
        sender->Notified(HIWORD(wParam));
        return true;
    }
    if (sender != nullptr) {
        return false;
    }
    // Enter and Escape without a control of that id (the dialog keys): press
    // the form's default or cancel button, if it can be pressed.
    const TForm* form = Form();
    if (form == nullptr || (id != IDOK && id != IDCANCEL)) {
        return false;
    }
    TButton* button = id == IDOK ? form->DefaultButton() : form->CancelButton();
    if (button == nullptr || button->impl().hwnd == nullptr || IsWindowEnabled(button->impl().hwnd) == FALSE) {
        return false;
    }
    button->Click();
    return true;
}

bool TControl::Impl::RouteNotify(LPARAM lParam, LRESULT& result) const {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    Impl* sender = FromHandle(header->hwndFrom);
    if (sender == nullptr || GetParent(header->hwndFrom) != hwnd) {
        return false;
    }
    if (sender->kind == Kind::UpDown && header->code == UDN_DELTAPOS) {
        result = sender->UpDownDeltaPos(*reinterpret_cast<const NMUPDOWN*>(lParam));
        return true;
    }
    return false;
}

void TControl::Impl::Notified(WORD code) {
    switch (kind) {
    case Kind::Button:
        if (code == BN_CLICKED) {
            static_cast<TButton&>(control).Click();
        }
        break;
    case Kind::CheckBox:
        if (code == BN_CLICKED) {
            static_cast<TCheckBox&>(control).Click();
        }
        break;
    case Kind::Edit:
        if (code == EN_CHANGE) {
            static_cast<TEdit&>(control).Changed();
        }
        break;
    default:
        break;
    }
}

LRESULT CALLBACK TControl::Impl::ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                             DWORD_PTR data) {
    auto* self = reinterpret_cast<Impl*>(data);
    if (message == WM_NCDESTROY) {
        self->Detach();  // destroyed with its parent: the object outlives the window
        self->hwnd = nullptr;
        return DefSubclassProc(window, message, wParam, lParam);
    }
    if (self->kind == Kind::GroupBox && message == WM_ERASEBKGND) {
        // A group box leaves its inside unpainted, and the form clips its children.
        RECT inside{};
        GetClientRect(window, &inside);
        FillRect(reinterpret_cast<HDC>(wParam), &inside, GetSysColorBrush(COLOR_BTNFACE));
        return TRUE;
    }
    if (self->kind == Kind::GroupBox && forms::win32::IsControlColorMessage(message)) {
        return forms::win32::DialogColor(wParam);
    }
    // A group box does not pass its children's notifications on: deliver them here.
    if (self->kind == Kind::GroupBox && (message == WM_COMMAND || message == WM_NOTIFY)) {
        LRESULT result = 0;
        bool handled = false;
        InvokeEvent([&] {
            handled = message == WM_COMMAND ? self->RouteCommand(wParam, lParam) : self->RouteNotify(lParam, result);
        });
        if (handled) {
            return result;
        }
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

// ---- TControl ----

TControl::TControl(TComponent* owner, TWinControl* parent)
    : TComponent(owner), parent_(parent), impl_(std::make_unique<Impl>(*this)) {}

TControl::~TControl() = default;

void TControl::CreateNative(Kind kind) {
    impl_->kind = kind;
    if (kind == Kind::Form) {
        impl_->CreateFormWindow();
    } else {
        impl_->CreateChildWindow(parent_);
    }
}

void TControl::SetBounds(int left, int top, int width, int height) {
    impl_->MoveNative(impl_->ScalePosition(left), impl_->ScalePosition(top), impl_->Scale(width),
                      impl_->Scale(height));
}

void TControl::SetLeft(int left) {
    const RECT bounds = impl_->NativeBounds();
    impl_->MoveNative(impl_->ScalePosition(left), bounds.top, RectWidth(bounds), RectHeight(bounds));
}

void TControl::SetTop(int top) {
    const RECT bounds = impl_->NativeBounds();
    impl_->MoveNative(bounds.left, impl_->ScalePosition(top), RectWidth(bounds), RectHeight(bounds));
}

void TControl::SetWidth(int width) {
    const RECT bounds = impl_->NativeBounds();
    impl_->MoveNative(bounds.left, bounds.top, impl_->Scale(width), RectHeight(bounds));
}

void TControl::SetHeight(int height) {
    const RECT bounds = impl_->NativeBounds();
    impl_->MoveNative(bounds.left, bounds.top, RectWidth(bounds), impl_->Scale(height));
}

int TControl::Left() const { return impl_->UnscalePosition(impl_->NativeBounds().left); }

int TControl::Top() const { return impl_->UnscalePosition(impl_->NativeBounds().top); }

int TControl::Width() const { return impl_->Unscale(RectWidth(impl_->NativeBounds())); }

int TControl::Height() const { return impl_->Unscale(RectHeight(impl_->NativeBounds())); }

void TControl::SetCaption(const String& caption) {
    if (impl_->kind == Kind::Edit) {
        static_cast<TEdit*>(this)->SetText(caption);
        return;
    }
    SetWindowTextA(impl_->hwnd, caption.c_str());
}

String TControl::Caption() const { return WindowText(impl_->hwnd); }

void TControl::SetVisible(bool visible) {
    if (impl_->IsForm() && visible) {
        static_cast<TForm*>(this)->Show();
        return;
    }
    ShowWindow(impl_->hwnd, visible ? SW_SHOW : SW_HIDE);
}

bool TControl::Visible() const {
    return impl_->hwnd != nullptr && (GetWindowLongA(impl_->hwnd, GWL_STYLE) & WS_VISIBLE) != 0;
}

void TControl::SetEnabled(bool enabled) { EnableWindow(impl_->hwnd, enabled ? TRUE : FALSE); }

bool TControl::Enabled() const { return impl_->hwnd != nullptr && IsWindowEnabled(impl_->hwnd) != FALSE; }

namespace {

// The siblings of a window that take a place in the tab order, in Z order.
std::vector<HWND> TabSiblings(HWND window) {
    std::vector<HWND> siblings;
    for (HWND sibling = GetWindow(window, GW_HWNDFIRST); sibling != nullptr;
         sibling = GetWindow(sibling, GW_HWNDNEXT)) {
        const TControl::Impl* impl = TControl::Impl::FromHandle(sibling);
        if (sibling != window && impl != nullptr && impl->inTabOrder) {
            siblings.push_back(sibling);
        }
    }
    return siblings;
}

}  // namespace

// The tab order is the Z order of the siblings, which is what Tab walks.
void TControl::SetTabOrder(int order) {
    HWND window = impl_->hwnd;
    if (window == nullptr || impl_->IsForm() || impl_->kind == Kind::Label) {
        return;
    }
    const bool focusable = impl_->kind != Kind::GroupBox && impl_->kind != Kind::UpDown;
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    if (order < 0) {
        impl_->inTabOrder = false;
        SetWindowLongA(window, GWL_STYLE, style & ~WS_TABSTOP);
        return;
    }
    impl_->inTabOrder = true;
    if (focusable) {
        SetWindowLongA(window, GWL_STYLE, style | WS_TABSTOP);
    }
    const std::vector<HWND> siblings = TabSiblings(window);
    const std::size_t place = std::min(static_cast<std::size_t>(order), siblings.size());
    HWND after = place == 0 ? HWND_TOP : siblings[place - 1];
    SetWindowPos(window, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

int TControl::TabOrder() const {
    HWND window = impl_->hwnd;
    if (window == nullptr || !impl_->inTabOrder) {
        return -1;
    }
    int order = 0;
    for (HWND sibling = GetWindow(window, GW_HWNDFIRST); sibling != window && sibling != nullptr;
         sibling = GetWindow(sibling, GW_HWNDNEXT)) {
        const Impl* impl = Impl::FromHandle(sibling);
        order += impl != nullptr && impl->inTabOrder ? 1 : 0;
    }
    return order;
}

// ---- the standard controls ----

TGroupBox::TGroupBox(TComponent* owner, TWinControl* parent) : TWinControl(owner, parent) {
    CreateNative(Kind::GroupBox);
}

TLabel::TLabel(TComponent* owner, TWinControl* parent) : TControl(owner, parent) { CreateNative(Kind::Label); }

TCheckBox::TCheckBox(TComponent* owner, TWinControl* parent) : TWinControl(owner, parent) {
    CreateNative(Kind::CheckBox);
}

void TCheckBox::SetChecked(bool checked) {
    SendMessageA(impl().hwnd, BM_SETCHECK, static_cast<WPARAM>(checked ? BST_CHECKED : BST_UNCHECKED), 0);
}

bool TCheckBox::Checked() const { return SendMessageA(impl().hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED; }

TEdit::TEdit(TComponent* owner, TWinControl* parent) : TWinControl(owner, parent) { CreateNative(Kind::Edit); }

// The edit control reports a change with EN_CHANGE (routed to Changed). It
// would report setting the same text too; that is no change and raises nothing.
void TEdit::SetText(const String& text) {
    if (Text() == text) {
        return;
    }
    SetWindowTextA(impl().hwnd, text.c_str());
}

String TEdit::Text() const { return WindowText(impl().hwnd); }

TComboBox::TComboBox(TComponent* owner, TWinControl* parent) : TWinControl(owner, parent) {
    CreateNative(Kind::ComboBox);
    items_.OnAdded = [this](const String& text) {
        SendMessageA(impl().hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    };
    items_.OnCleared = [this] { SendMessageA(impl().hwnd, CB_RESETCONTENT, 0, 0); };
}

void TComboBox::SetStyle(TComboBoxStyle style) {
    if (style == style_) {
        return;
    }
    style_ = style;
    impl().RecreateComboBox(style);
}

void TComboBox::SetItemHeight(int height) {
    SendMessageA(impl().hwnd, CB_SETITEMHEIGHT, 0, impl().Scale(height));
}

void TComboBox::SetItemIndex(int index) {
    // CB_SETCURSEL with an index past the end may keep the old selection: clear it outright.
    const bool inside = index >= 0 && index < items_.Count();
    SendMessageA(impl().hwnd, CB_SETCURSEL, static_cast<WPARAM>(inside ? index : -1), 0);
}

int TComboBox::ItemIndex() const { return static_cast<int>(SendMessageA(impl().hwnd, CB_GETCURSEL, 0, 0)); }

TButton::TButton(TComponent* owner, TWinControl* parent) : TWinControl(owner, parent) { CreateNative(Kind::Button); }
