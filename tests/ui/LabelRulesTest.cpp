#include "ui/LabelRules.h"

#include "res/ResourceIds.h"
#include "ui/SpeedScroll.h"

#include <gtest/gtest.h>

namespace {

TEST(LabelRulesTest, AFailedOpenSaysWhyWithTheShellsTexts) {
    EXPECT_EQ(hyperlinkFailureText(26),
              "Unable to open hyperlink:\n\nA sharing violation occurred. ");
    EXPECT_EQ(hyperlinkFailureText(4), "Unable to open hyperlink:\n\nUnknown Error (4) occurred.");
    EXPECT_EQ(hyperlinkFailureText(31), "Unable to open hyperlink:\n\nThere is no application "
                                        "associated\nwith the given filename extension.");
    EXPECT_EQ(hyperlinkFailureText(0),
              "Unable to open hyperlink:\n\nThe operating system is out\nof memory or resources.");
    EXPECT_EQ(hyperlinkFailureText(-3),
              "Unable to open hyperlink:\n\nUnknown Error (-3) occurred.");
}

TEST(LabelRulesTest, HoverWinsOverVisitedAndUnderlineFollowsTheMode) {
    const LinkColours colours;
    EXPECT_EQ(linkTextColour(colours, false, false), makeColorref(0, 0, 238));
    EXPECT_EQ(linkTextColour(colours, false, true), makeColorref(85, 26, 139));
    EXPECT_EQ(linkTextColour(colours, true, true), makeColorref(255, 0, 0));
    EXPECT_TRUE(linkUnderlined(kUnderlineAlways, false));
    EXPECT_FALSE(linkUnderlined(kUnderlineNever, true));
    EXPECT_FALSE(linkUnderlined(kUnderlineHover, false));
    EXPECT_TRUE(linkUnderlined(kUnderlineHover, true));
}

TEST(LabelRulesTest, ALinkFitsItsTextKeepingTheSideItsAlignmentKeeps) {
    // A 100 x 20 window with a one-pixel frame, a 40 x 16 text.
    const PixelRect window{10, 50, 100, 20};
    const PixelSize client{98, 18};
    const PixelSize text{40, 16};
    EXPECT_EQ(fittedLinkRect(window, client, text, TextAlignment::Left, false).x, 10);
    const PixelRect left = fittedLinkRect(window, client, text, TextAlignment::Left, false);
    EXPECT_EQ(left.width, 42);
    EXPECT_EQ(left.y, 50);
    EXPECT_EQ(left.height, 18);
    const PixelRect centre = fittedLinkRect(window, client, text, TextAlignment::Centre, true);
    EXPECT_EQ(centre.x, 10 + (100 - 42) / 2);
    EXPECT_EQ(centre.width, 42);
    EXPECT_EQ(centre.y, 50 + (20 - 18) / 2);
    const PixelRect right = fittedLinkRect(window, client, text, TextAlignment::Right, false);
    EXPECT_EQ(right.x + right.width, 110);
    // A text wider than the window widens it.
    EXPECT_EQ(fittedLinkRect(window, client, {150, 16}, TextAlignment::Left, false).width, 152);
}

TEST(LabelRulesTest, ATransparentLabelBreaksWordsUnlessItIsOneCentredLine) {
    EXPECT_TRUE(labelFormat(0).bWordBreak);
    EXPECT_EQ(labelFormat(ControlStyle::kAlignRight).alignment, TextAlignment::Right);
    EXPECT_TRUE(labelFormat(ControlStyle::kAlignRight).bWordBreak);
    const LabelFormat centred =
        labelFormat(ControlStyle::kCentreImage | ControlStyle::kAlignCentre);
    EXPECT_EQ(centred.alignment, TextAlignment::Centre);
    EXPECT_TRUE(centred.bSingleLineCentred);
    EXPECT_FALSE(centred.bWordBreak);
}

TEST(LabelRulesTest, EveryLinkLeadsToThePagesOfTheWebService) {
    const LinkTargets settings = settingsDialogLinks("http://127.0.0.1:8790");
    ASSERT_EQ(settings.size(), 4u);
    EXPECT_EQ(settings[3], (std::pair<int, std::string>{
                               res::IDC_DOWNLOAD_LINK, "http://127.0.0.1:8790/services/screensaver/"
                                                       "screensaver_email_lp.html?from=SS3"}));
    const LinkTargets about = aboutBoxLinks("https://example.org");
    EXPECT_EQ(about[0].second, "https://example.org/photos/index.html");
    EXPECT_EQ(about[1].second, "https://example.org/community/choosefile");
}

TEST(LabelRulesTest, TheSpeedLabelNamesTheInterval) {
    EXPECT_EQ(speedLabelText(-1), "&Show a new image every 15 seconds");
    EXPECT_EQ(speedLabelText(0), "&Show a new image every 30 seconds");
    EXPECT_EQ(speedLabelText(1), "&Show a new image every minute");
    EXPECT_EQ(speedLabelText(2), "&Show a new image every 2 minutes");
}

} // namespace
