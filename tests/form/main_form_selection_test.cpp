// MainForm1's start-up state and the column and total selection: each box
// in step with its menu twin, the result area's layout by the two total
// boxes, and the resolution split.
#include <gtest/gtest.h>

#include "form_test_support.h"

namespace folvane::testing {
namespace {

using form::MainCheck;
using form::MainMenuItem;
using form::ResultLayout;

using SelectionTest = MainFormTest;

TEST_F(SelectionTest, StartsWithNothingAddedAndTheRunMenusOff) {
    EXPECT_EQ(form.State().FilesAdded, 0);
    EXPECT_EQ(form.State().ResultState, 0);
    EXPECT_EQ(form.State().NotTiffText, "Tiffではないのでは？");
    // Only the three run menus are switched off at start.
    EXPECT_FALSE(view.MenuEnabled(MainMenuItem::IDMView));
    EXPECT_FALSE(view.MenuEnabled(MainMenuItem::IDMSave));
    EXPECT_FALSE(view.MenuEnabled(MainMenuItem::IDMD_Save));
    EXPECT_EQ(view.menuEnabled.size(), 3u);
    const SelectionState selection = form.CurrentSelection();
    for (const CheckValue value : selection.Check) EXPECT_EQ(value, 1);
    EXPECT_EQ(selection.Check_Total, 1);
    EXPECT_EQ(selection.Check_CTotal, 1);
    EXPECT_EQ(selection.Check_RTotal, 0);
    EXPECT_TRUE(view.TakeLog().empty());
}

struct Twin {
    MainCheck box;
    MainMenuItem item;
};

class MenuTwinTest : public MainFormTest, public ::testing::WithParamInterface<Twin> {};

TEST_P(MenuTwinTest, MenuItemTogglesItsBoxAndBack) {
    const auto [box, item] = GetParam();
    const int column = static_cast<int>(box);
    auto clickItem = [&] {
        if (item == MainMenuItem::IDMCHTO)
            form.IDMCHTO_Click();
        else if (item == MainMenuItem::IDMCHCT)
            form.IDMCHCT_Click();
        else
            form.IDMCH_Click(column);
    };
    clickItem();
    EXPECT_EQ(view.Check(box), 0);
    EXPECT_FALSE(view.MenuChecked(item));
    clickItem();
    EXPECT_EQ(view.Check(box), 1);
    EXPECT_TRUE(view.MenuChecked(item));
    // And a click on the box moves the menu tick.
    view.SetCheckValue(box, 0);
    if (box == MainCheck::Check_Total)
        form.Check_Total_Click(0);
    else if (box == MainCheck::Check_CTotal)
        form.Check_CTotal_Click(0);
    else
        form.Check_Click(column, 0);
    EXPECT_FALSE(view.MenuChecked(item));
}

std::vector<Twin> AllTwins() {
    std::vector<Twin> twins;
    for (int i = 0; i < kColumnBoxCount; ++i)
        twins.push_back({form::ColumnCheck(i), form::ColumnMenuItem(i)});
    twins.push_back({MainCheck::Check_Total, MainMenuItem::IDMCHTO});
    twins.push_back({MainCheck::Check_CTotal, MainMenuItem::IDMCHCT});
    return twins;
}

INSTANTIATE_TEST_SUITE_P(EveryTwin, MenuTwinTest, ::testing::ValuesIn(AllTwins()),
                         [](const ::testing::TestParamInfo<Twin>& info) {
                             const int item = static_cast<int>(info.param.item);
                             if (info.param.item == MainMenuItem::IDMCHTO)
                                 return std::string("IDMCHTO");
                             if (info.param.item == MainMenuItem::IDMCHCT)
                                 return std::string("IDMCHCT");
                             return "IDMCH" + std::to_string(item);
                         });

TEST_F(SelectionTest, TogglingTotalUnderSummaryKeepsTheLayout) {
    form.IDMCHTO_Click();
    EXPECT_EQ(view.layout, ResultLayout::Summary);
}

TEST_F(SelectionTest, LayoutsFollowTheTotalBoxes) {
    // "総合計" alone: a one-line totals box under a taller list.
    form.Check_CTotal_Click(0);
    EXPECT_EQ(view.layout, ResultLayout::TotalOnly);
    form.Check_Total_Click(0);
    EXPECT_EQ(view.layout, ResultLayout::None);
    form.Check_Total_Click(1);
    EXPECT_EQ(view.layout, ResultLayout::TotalOnly);
    form.Check_CTotal_Click(1);
    EXPECT_EQ(view.layout, ResultLayout::Summary);
    // Summary with "総合計" clear is still Summary.
    form.Check_Total_Click(0);
    form.Check_CTotal_Click(0);
    EXPECT_EQ(view.layout, ResultLayout::None);
    form.Check_CTotal_Click(1);
    EXPECT_EQ(view.layout, ResultLayout::Summary);
}

TEST_F(SelectionTest, ClearingSizeTotalsClearsTheResolutionSplit) {
    form.Check_RTotal_Click(1);
    EXPECT_TRUE(view.resolutionInputsShown);
    view.aresoText = "200";
    view.bresoText = "4000";
    view.SetCheckValue(MainCheck::Check_RTotal, 1);
    form.Check_CTotal_Click(0);
    EXPECT_EQ(view.Check(MainCheck::Check_RTotal), 0);
    EXPECT_EQ(form.CurrentSelection().Check_RTotal, 0);
    EXPECT_FALSE(view.checkEnabled[12]);
    EXPECT_EQ(view.aresoText, "");
    EXPECT_EQ(view.bresoText, "");
    EXPECT_FALSE(view.resolutionInputsShown);
    form.Check_CTotal_Click(1);
    EXPECT_TRUE(view.checkEnabled[12]);
    EXPECT_EQ(view.Check(MainCheck::Check_RTotal), 0);
    EXPECT_FALSE(view.resolutionInputsShown);
}

TEST_F(SelectionTest, ClearingSizeTotalsWithTheSplitOffHidesTheBoxesAnyway) {
    form.Check_CTotal_Click(0);
    EXPECT_FALSE(view.resolutionInputsShown);
    EXPECT_EQ(view.layout, ResultLayout::TotalOnly);
}

TEST_F(SelectionTest, ResolutionBoxesComeBackEmpty) {
    form.Check_RTotal_Click(1);
    view.aresoText = "200";
    view.bresoText = "400";
    form.Check_RTotal_Click(0);
    EXPECT_FALSE(view.resolutionInputsShown);
    form.Check_RTotal_Click(1);
    EXPECT_EQ(view.aresoText, "");
    EXPECT_EQ(view.bresoText, "");
    EXPECT_TRUE(view.resolutionInputsShown);
}

TEST_F(SelectionTest, ChoicesAreReadAsTheyStandWhenAsked) {
    form.Check_Click(3, 0);
    form.Check_Click(0, 0);
    form.Check_RTotal_Click(1);
    view.aresoText = "200";
    const SelectionState selection = form.CurrentSelection();
    EXPECT_EQ(selection.Check[3], 0);
    EXPECT_EQ(selection.Check[0], 0);
    EXPECT_EQ(selection.Check[1], 1);
    EXPECT_EQ(selection.Check_RTotal, 1);
    EXPECT_EQ(selection.AresoText, "200");
    EXPECT_EQ(selection.BresoText, "");
}

TEST_F(SelectionTest, MenuItemOnAGreyedBoxDoesNothing) {
    // Only 0 and 1 toggle; a greyed box (2) stays as it is.
    form.Check_Click(5, 2);
    view.SetCheckValue(form::ColumnCheck(5), 2);
    form.IDMCH_Click(5);
    EXPECT_EQ(view.Check(form::ColumnCheck(5)), 2);
    EXPECT_EQ(form.CurrentSelection().Check[5], 2);
}

}  // namespace
}  // namespace folvane::testing
