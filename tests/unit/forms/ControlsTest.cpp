#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <climits>

#include "forms/ComCtrls.h"
#include "forms/Controls.h"
#include "forms/ExtCtrls.h"
#include "forms/Forms.h"
#include "forms/headless/Testing.h"
#include "tests/unit/forms/FreshApplication.h"

namespace {

using testing::ElementsAre;
using testing::FieldsAre;

using ControlsTest = FreshApplication;

class ComboBoxIndexTest : public ControlsTest, public testing::WithParamInterface<std::pair<int, int>> {};

TEST_P(ComboBoxIndexTest, SelectsOnlyAnExistingItem) {
    TComboBox combo(nullptr, nullptr);
    for (const char* label : {"Disabled", "Cut", "Copy", "Paste", "Back in IE", "Forward in IE"}) {
        combo.Items().Add(label);
    }
    combo.SetItemIndex(2);
    combo.SetItemIndex(GetParam().first);
    EXPECT_EQ(combo.ItemIndex(), GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(Indexes, ComboBoxIndexTest,
                         testing::Values(std::pair{0, 0}, std::pair{5, 5}, std::pair{-1, -1}, std::pair{6, -1},
                                         std::pair{7, -1}, std::pair{-2, -1}, std::pair{INT_MAX, -1},
                                         std::pair{INT_MIN, -1}));

TEST_F(ControlsTest, ComboBoxStartsWithoutSelectionAndLosesItOnClear) {
    TComboBox combo(nullptr, nullptr);
    EXPECT_EQ(combo.ItemIndex(), -1);
    combo.SetItemIndex(0);  // no items yet
    EXPECT_EQ(combo.ItemIndex(), -1);
    combo.Items().Add("Disabled");
    combo.SetItemIndex(0);
    EXPECT_EQ(combo.ItemIndex(), 0);
    combo.Items().Clear();
    EXPECT_EQ(combo.ItemIndex(), -1);
}

TEST_F(ControlsTest, EditRaisesOnChangeOncePerChangeOfText) {
    TEdit edit(nullptr, nullptr);
    std::vector<String> seen;
    edit.OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, &edit);
        seen.push_back(edit.Text());
    };
    edit.SetText("200");
    edit.SetText("20");
    edit.SetText("20");  // same text: no change
    edit.SetText("");
    EXPECT_THAT(seen, ElementsAre("200", "20", ""));
}

TEST_F(ControlsTest, EditCaptionIsItsText) {
    TEdit edit(nullptr, nullptr);
    int changes = 0;
    edit.OnChange = [&](TObject*) { ++changes; };
    edit.SetCaption("50");
    EXPECT_EQ(edit.Text(), "50");
    EXPECT_EQ(edit.Caption(), "50");
    EXPECT_EQ(changes, 1);
}

// A handler that converts the typed text: a refused text is reported and stays in the box.
TEST_F(ControlsTest, ConversionErrorInOnChangeIsReportedAndTheTextKept) {
    Application->SetTitle("Edgeroam 2");
    TEdit edit(nullptr, nullptr);
    int value = 0;
    edit.OnChange = [&](TObject*) { value = StrToInt(edit.Text()); };
    edit.SetText("47");
    edit.SetText("-");
    EXPECT_EQ(value, 47);
    EXPECT_EQ(edit.Text(), "-");
    EXPECT_THAT(forms::testing::MessageBoxes(),
                ElementsAre(FieldsAre("'-' is not a valid integer value", "Edgeroam 2", 0x10)));
}

TEST_F(ControlsTest, SetTextWithinOnChangeSettles) {
    TEdit edit(nullptr, nullptr);
    int changes = 0;
    edit.OnChange = [&](TObject*) {
        ++changes;
        edit.SetText("50");
    };
    edit.SetText("30");
    EXPECT_EQ(edit.Text(), "50");
    EXPECT_EQ(changes, 2);
}

TEST_F(ControlsTest, CheckBoxClickTogglesBeforeItsHandlerRuns) {
    TCheckBox box(nullptr, nullptr);
    std::vector<bool> seen;
    box.OnClick = [&](TObject*) { seen.push_back(box.Checked()); };
    box.Click();
    box.Click();
    box.SetChecked(true);  // programmatic: no event
    EXPECT_THAT(seen, ElementsAre(true, false));
    EXPECT_TRUE(box.Checked());
}

TEST_F(ControlsTest, UpDownClickPassesTheArrow) {
    TUpDown updown(nullptr, nullptr);
    std::vector<TUDBtnType> seen;
    updown.OnClick = [&](TObject* sender, TUDBtnType button) {
        EXPECT_EQ(sender, &updown);
        seen.push_back(button);
    };
    updown.Click(btNext);
    updown.Click(btPrev);
    EXPECT_THAT(seen, ElementsAre(btNext, btPrev));
}

TEST_F(ControlsTest, UpDownPositionStaysWithinItsRange) {
    TUpDown updown(nullptr, nullptr);
    updown.SetRange(-32768, 32767);
    for (const auto& [set, read] : {std::pair{0, 0}, std::pair{-32768, -32768}, std::pair{40000, 32767},
                                    std::pair{-40000, -32768}}) {
        updown.SetPosition(set);
        EXPECT_EQ(updown.Position(), read) << set;
    }
}

TEST_F(ControlsTest, TimerStartsOnAtOneSecondAndKeepsWhatIsSet) {
    TTimer timer(nullptr);
    EXPECT_TRUE(timer.Enabled());
    EXPECT_EQ(timer.Interval(), 1000u);
    timer.SetInterval(50);
    timer.SetEnabled(false);
    EXPECT_FALSE(timer.Enabled());
    EXPECT_EQ(timer.Interval(), 50u);
}

TEST_F(ControlsTest, FormsStartHiddenAndControlsVisible) {
    TForm form(nullptr);
    TLabel label(&form, &form);
    EXPECT_FALSE(form.Visible());
    EXPECT_TRUE(label.Visible());
    EXPECT_EQ(label.Parent(), &form);
    form.SetLeft(-100);
    form.SetClientWidth(118);
    form.SetLeft(-500);
    EXPECT_EQ(form.Left(), -500);
    EXPECT_EQ(form.ClientWidth(), 118);
}

}  // namespace
