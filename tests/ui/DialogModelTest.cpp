// Mnemonics and control maps: the parts of the dialog layer that window
// tests and the toolkit glue rely on.
#include "ui/ControlMap.h"
#include "ui/MnemonicText.h"

#include <gtest/gtest.h>

namespace {

TEST(Mnemonics, LetterAndShownTextFollowTheAmpersandRules) {
    EXPECT_EQ(mnemonicLetter("&Enter your city"), 'e');
    EXPECT_EQ(mnemonicLetter("Se&quentially"), 'q');
    EXPECT_EQ(mnemonicLetter("Tom && Jerry"), 0);
    EXPECT_EQ(mnemonicLetter("Tom && &Jerry"), 'j');
    EXPECT_EQ(mnemonicLetter("OK"), 0);
    EXPECT_EQ(mnemonicLetter("trailing &"), 0);
    EXPECT_EQ(withoutMnemonics("S&how the temperature in:"), "Show the temperature in:");
    EXPECT_EQ(withoutMnemonics("Tom && Jerry"), "Tom & Jerry");
    EXPECT_EQ(withoutMnemonics("&Randomly "), "Randomly ");
}

TEST(Mnemonics, ALabelLeadsToTheNextControlThatTakesTheFocus) {
    DialogTemplate dialog;
    dialog.controls = {
        {-1, ControlKind::Label, "&Name:", {}},
        {-1, ControlKind::GroupBox, "", {}},
        {5, ControlKind::Edit, "", {}, ControlStyle::kHidden},
        {6, ControlKind::DropDownList, "", {}},
        {-1, ControlKind::Label, "&Last", {}},
    };
    EXPECT_EQ(mnemonicTarget(dialog, 0), 3); // past the group box and the hidden edit
    EXPECT_EQ(mnemonicTarget(dialog, 4), -1);
}

TEST(ControlMaps, SurviveTheirTextFormAndRefuseOtherText) {
    ControlMap map;
    map.templateId = 140;
    map.title = "Location Preference";
    map.screenRect = {100, 200, 340, 132};
    map.scale = 2;
    map.controls = {{1038, "edit", {130, 236, 278, 30}, true, true, ""},
                    {-1, "label", {112, 212, 315, 17}, true, false, "Tab\there, and\nbreaks"}};
    const std::optional<ControlMap> read = parseControlMap(formatControlMap(map));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->templateId, 140);
    EXPECT_EQ(read->title, "Location Preference");
    EXPECT_EQ(read->scale, 2);
    EXPECT_EQ(read->screenRect.height, 132);
    ASSERT_EQ(read->controls.size(), 2u);
    const MappedControl* edit = read->find(1038);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->screenRect.x, 130);
    EXPECT_TRUE(edit->shown);
    EXPECT_FALSE(read->controls[1].enabled);
    EXPECT_EQ(read->controls[1].text, "Tab here, and breaks");
    EXPECT_EQ(read->find(7), nullptr);

    EXPECT_FALSE(parseControlMap(""));
    EXPECT_FALSE(parseControlMap("control\t1\tedit\t1\t2\t3\t4\t1\t1\t\n"));
    EXPECT_FALSE(
        parseControlMap("dialog\t1\t0\t0\t1\t1\t1\tx\ncontrol\tx\tedit\t1\t2\t3\t4\t1\t1\n"));
    EXPECT_FALSE(parseControlMap("dialog\t1\t0\t0\t1\t1\t1\tx\ngarbage\n"));
}

} // namespace
