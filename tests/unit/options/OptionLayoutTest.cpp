// The window's layout as a user meets it: a clean tab order, no control
// hidden under another or outside its parent, distinct access keys.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <vector>

#include "forms/headless/State.h"
#include "tests/unit/options/OptionFixture.h"

using ::testing::ElementsAre;

namespace {

struct Named {
    const char* name;
    const TControl* control;
};

std::vector<Named> AllControls(const TForm1& f) {
    return {{"GroupBox1", &f.GroupBox1},     {"chkStartupLoad", &f.chkStartupLoad},
            {"chkRecogActive", &f.chkRecogActive}, {"GroupBox2", &f.GroupBox2},
            {"Button1", &f.Button1},         {"Button2", &f.Button2},
            {"sclRecogTimeout", &f.sclRecogTimeout}, {"txtRecogTimeout", &f.txtRecogTimeout},
            {"Label1", &f.Label1},           {"Label2", &f.Label2},
            {"Label3", &f.Label3},           {"lstHorizontal", &f.lstHorizontal},
            {"lstVertical", &f.lstVertical}, {"Label4", &f.Label4},
            {"Label5", &f.Label5}};
}

bool Overlap(const TControl& a, const TControl& b) {
    return a.Left() < b.Left() + b.Width() && b.Left() < a.Left() + a.Width() && a.Top() < b.Top() + b.Height() &&
           b.Top() < a.Top() + a.Height();
}

class OptionLayoutTest : public OptionTest {
protected:
    void SetUp() override {
        OptionTest::SetUp();
        form_ = &OpenWith({});
    }
    const TForm1& form() const { return *form_; }

private:
    TForm1* form_ = nullptr;
};

TEST_F(OptionLayoutTest, TheWindowIsAFixedCentredDialogWithACloseBoxOnly) {
    EXPECT_EQ(form().Caption(), "Edgeroam 2 : Options");
    EXPECT_EQ(form().Width(), 257);
    EXPECT_EQ(form().Height(), 339);
    EXPECT_EQ(form().Position(), poDesktopCenter);
    EXPECT_EQ(form().BorderIcons(), biSystemMenu);
    EXPECT_EQ(form().BorderStyle(), bsSizeable);
    EXPECT_EQ(form().impl().fontName, "MS Sans Serif");
    EXPECT_EQ(form().impl().fontHeight, -11);
}

TEST_F(OptionLayoutTest, FocusableControlsOfEachParentHaveTabOrdersFromZeroWithoutGaps) {
    std::map<const TWinControl*, std::vector<int>> orders;
    for (const Named& c : AllControls(form())) {
        if (dynamic_cast<const TLabel*>(c.control) != nullptr) {
            EXPECT_EQ(c.control->TabOrder(), -1) << c.name << " is a label and takes no focus";
            continue;
        }
        orders[c.control->Parent()].push_back(c.control->TabOrder());
    }
    for (auto& [parent, list] : orders) {
        std::sort(list.begin(), list.end());
        for (std::size_t i = 0; i < list.size(); ++i) {
            EXPECT_EQ(list[i], static_cast<int>(i));
        }
    }
    EXPECT_EQ(form().chkStartupLoad.TabOrder(), 0);
    EXPECT_EQ(form().sclRecogTimeout.TabOrder(), 0);
    EXPECT_EQ(form().txtRecogTimeout.TabOrder(), 1);
}

TEST_F(OptionLayoutTest, EveryControlLiesInsideItsParentAndCoversNoSibling) {
    const auto controls = AllControls(form());
    for (const Named& c : controls) {
        const TWinControl* parent = c.control->Parent();
        ASSERT_NE(parent, nullptr) << c.name;
        EXPECT_GE(c.control->Left(), 0) << c.name;
        EXPECT_GE(c.control->Top(), 0) << c.name;
        EXPECT_LE(c.control->Left() + c.control->Width(), parent->Width()) << c.name;
        EXPECT_LE(c.control->Top() + c.control->Height(), parent->Height()) << c.name;
        for (const Named& other : controls) {
            if (other.control != c.control && other.control->Parent() == parent) {
                EXPECT_FALSE(Overlap(*c.control, *other.control)) << c.name << " / " << other.name;
            }
        }
    }
    EXPECT_EQ(form().chkStartupLoad.Parent(), &form().GroupBox1);
    EXPECT_EQ(form().txtRecogTimeout.Parent(), &form().GroupBox2);
    EXPECT_EQ(form().Button1.Parent(), &form());
}

TEST_F(OptionLayoutTest, AccessKeysAreDistinct) {
    std::vector<char> keys;
    for (const Named& c : AllControls(form())) {
        const String caption = c.control->Caption();
        const auto amp = caption.find('&');
        if (amp != String::npos && amp + 1 < caption.size()) {
            keys.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(caption[amp + 1]))));
        }
    }
    EXPECT_THAT(keys, ElementsAre('s', 'p', 'o', 'c', 'v', 'h'));
}

TEST_F(OptionLayoutTest, ListsOnlyOfferTheirItemsAndTheUpDownNeverWraps) {
    for (const TComboBox* list : {&form().lstHorizontal, &form().lstVertical}) {
        EXPECT_EQ(list->Style(), csDropDownList);
        EXPECT_EQ(list->impl().itemHeight, 13);
    }
    EXPECT_FALSE(form().sclRecogTimeout.Wrap());
    EXPECT_EQ(form().sclRecogTimeout.Min(), -32768);
    EXPECT_EQ(form().sclRecogTimeout.Max(), 32767);
    EXPECT_EQ(form().sclRecogTimeout.Position(), 0);
}

}  // namespace
