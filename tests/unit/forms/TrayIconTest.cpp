#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "forms/Forms.h"
#include "forms/Menus.h"
#include "forms/TrayIcon.h"
#include "forms/headless/Testing.h"
#include "tests/unit/forms/FreshApplication.h"

namespace {

using testing::ElementsAre;
using testing::FieldsAre;

using TrayIconTest = FreshApplication;

class PopupModeTest : public TrayIconTest, public testing::WithParamInterface<TTrayIconMode> {};

TEST_P(PopupModeTest, RightButtonReleaseOpensTheMenuOnlyWhenSetToRightClickUp) {
    TPopupMenu menu(nullptr);
    TTrayIcon icon(nullptr);
    icon.SetPopupMenu(&menu);
    icon.SetPopupMenuOn(GetParam());
    int clicks = 0;
    icon.OnClick = [&](TObject*) { ++clicks; };

    icon.RightClickUp(640, 480);
    if (GetParam() == imRightClickUp) {
        EXPECT_THAT(forms::testing::Popups(), ElementsAre(FieldsAre(&menu, 640, 480)));
    } else {
        EXPECT_TRUE(forms::testing::Popups().empty());
    }
    EXPECT_EQ(clicks, 0);
}

INSTANTIATE_TEST_SUITE_P(Modes, PopupModeTest,
                         testing::Values(imNone, imClick, imDoubleClick, imLeftClickUp, imRightClickUp));

TEST_F(TrayIconTest, RightButtonReleaseWithoutMenuShowsNothing) {
    TTrayIcon icon(nullptr);
    icon.SetPopupMenuOn(imRightClickUp);
    icon.RightClickUp(1, 1);
    EXPECT_TRUE(forms::testing::Popups().empty());
}

TEST_F(TrayIconTest, LeftClickRaisesOnClickAndOpensNoMenu) {
    TPopupMenu menu(nullptr);
    TTrayIcon icon(nullptr);
    icon.SetPopupMenu(&menu);
    icon.SetPopupMenuOn(imRightClickUp);
    TObject* sender = nullptr;
    icon.OnClick = [&](TObject* s) { sender = s; };
    icon.Click();
    EXPECT_EQ(sender, &icon);
    EXPECT_TRUE(forms::testing::Popups().empty());
}

TEST_F(TrayIconTest, MenuItemsKeepTheirOrderAndSeparators) {
    TPopupMenu menu(nullptr);
    TMenuItem turn(nullptr);
    TMenuItem separator(nullptr);
    turn.SetCaption("&Turn OFF");
    separator.SetCaption("-");
    menu.Add(&turn);
    menu.Add(&separator);
    EXPECT_THAT(menu.Items(), ElementsAre(&turn, &separator));
    EXPECT_FALSE(turn.IsSeparator());
    EXPECT_TRUE(separator.IsSeparator());
}

}  // namespace
