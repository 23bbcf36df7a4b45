#include "ui/DialogLayout.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

using namespace ControlStyle;

// A dialog font of 8 × 16 pixels: one dialog unit is 2 pixels either way.
const DialogUnitConverter kTwoPixels = averageCharacterConverter({8, 16});

DialogTemplate twoControls(unsigned secondStyle = 0) {
    DialogTemplate dialog;
    dialog.width = 100;
    dialog.height = 50;
    dialog.controls = {
        {10, ControlKind::PushButton, "OK", {10, 10, 40, 14}, kDefault},
        {11, ControlKind::Label, "Text", {10, 30, 80, 8}, secondStyle},
    };
    return dialog;
}

TEST(DialogLayout, ConvertsLikeTheToolkitRoundingEachEdge) {
    // Base 7 × 17: x × 7 / 4 and y × 17 / 8, to the nearest pixel.
    const DialogUnitConverter convert = averageCharacterConverter({7, 17});
    EXPECT_EQ(convert(4, 8).x, 7);
    EXPECT_EQ(convert(4, 8).y, 17);
    EXPECT_EQ(convert(1, 1).x, 2);      // 1.75
    EXPECT_EQ(convert(1, 1).y, 2);      // 2.125
    EXPECT_EQ(convert(194, 62).x, 340); // 339.5 rounds up
    EXPECT_EQ(convert(194, 62).y, 132); // 131.75

    // A control's size is the difference of its converted edges, so that
    // neighbours that touch in dialog units touch in pixels too.
    DialogTemplate dialog;
    dialog.width = 10;
    dialog.height = 10;
    dialog.controls = {{1, ControlKind::Label, "", {1, 1, 1, 1}},
                       {2, ControlKind::Label, "", {2, 1, 1, 1}}};
    const DialogPlacement placed = placeDialog(dialog, convert, {});
    EXPECT_EQ(placed.controls[0].x + placed.controls[0].width, placed.controls[1].x);
    EXPECT_EQ(placed.growth, 1.0);
}

TEST(DialogLayout, KeepsTheTemplatesSizesWhenEveryControlFits) {
    const DialogPlacement placed = placeDialog(twoControls(), kTwoPixels, {{30, 20}, {100, 16}});
    EXPECT_EQ(placed.growth, 1.0);
    EXPECT_EQ(placed.clientSize.width, 200);
    EXPECT_EQ(placed.clientSize.height, 100);
    EXPECT_EQ(placed.controls[0].x, 20);
    EXPECT_EQ(placed.controls[0].y, 20);
    EXPECT_EQ(placed.controls[0].width, 80);
    EXPECT_EQ(placed.controls[0].height, 28);
}

TEST(DialogLayout, GrowsTheWholeDialogEvenlyForTheNeediestControl) {
    // The button wants 35 pixels of height where it has 28; the label wants
    // a little more width than its 160.
    const DialogPlacement placed = placeDialog(twoControls(), kTwoPixels, {{0, 35}, {170, 0}});
    EXPECT_NEAR(placed.growth, 1.25, 1.0 / 64);
    EXPECT_GE(placed.controls[0].height, 35);
    EXPECT_GE(placed.controls[1].width, 170);
    // Everything keeps its proportions: positions and the client area grow
    // by the same factor in both directions.
    EXPECT_EQ(placed.clientSize.width, static_cast<int>(std::lround(200 * placed.growth)));
    EXPECT_EQ(placed.clientSize.height, static_cast<int>(std::lround(100 * placed.growth)));
    EXPECT_EQ(placed.controls[1].y, static_cast<int>(std::lround(60 * placed.growth)));
    EXPECT_EQ(placed.controls[0].width, static_cast<int>(std::lround(100 * placed.growth)) -
                                            static_cast<int>(std::lround(20 * placed.growth)));
}

TEST(DialogLayout, HiddenControlsAndShutDropDownListsDoNotDriveGrowth) {
    // A hidden control that would need twice its room changes nothing.
    EXPECT_EQ(placeDialog(twoControls(kHidden), kTwoPixels, {{}, {400, 40}}).growth, 1.0);

    // A drop-down list of 84 units is 14 tall when shut: it is placed so,
    // and its need is measured against that height.
    DialogTemplate dialog;
    dialog.width = 100;
    dialog.height = 100;
    dialog.controls = {{1003, ControlKind::DropDownList, "", {10, 10, 60, 84}}};
    DialogPlacement placed = placeDialog(dialog, kTwoPixels, {{0, 28}});
    EXPECT_EQ(placed.growth, 1.0);
    EXPECT_EQ(placed.controls[0].height, 28);
    placed = placeDialog(dialog, kTwoPixels, {{0, 34}});
    EXPECT_GT(placed.growth, 1.0);
    EXPECT_GE(placed.controls[0].height, 34);
}

TEST(DialogLayout, GrowthStopsAtItsBound) {
    const DialogPlacement placed = placeDialog(twoControls(), kTwoPixels, {{}, {5000, 0}});
    EXPECT_EQ(placed.growth, kMaxGrowth);
    EXPECT_EQ(placed.clientSize.width, 600);
}

} // namespace
