#include "res/DialogTemplates.h"
#include "res/ResourceIds.h"
#include "res/StringTable.h"
#include "ui/DialogLayout.h"
#include "ui/MnemonicText.h"

#include <gtest/gtest.h>
#include <map>
#include <set>

namespace {

TEST(StringTable, HoldsTheProgramsStrings) {
    EXPECT_EQ(res::loadString(101), "&About...");
    EXPECT_EQ(res::loadString(103), "A valid location is required.");
    EXPECT_EQ(res::loadString(104),
              "The location is invalid.  Please enter another city or Zip code.");
    EXPECT_EQ(res::loadString(105), "In order to change your selected location, you must be "
                                    "connected to the Internet.");
    EXPECT_EQ(res::loadString(106), "");
}

// What every template must get right whatever its content.
TEST(DialogTemplates, AreConsistent) {
    ASSERT_EQ(res::dialogTemplateIds(), (std::vector<int>{100, 102, 131, 138, 140, 156}));
    for (int id : res::dialogTemplateIds()) {
        const DialogTemplate& dialog = *res::findDialogTemplate(id);
        SCOPED_TRACE("template " + std::to_string(id));
        EXPECT_EQ(dialog.id, id);
        std::set<int> ids;
        std::map<char, std::string> mnemonics;
        int defaults = 0;
        for (const ControlTemplate& control : dialog.controls) {
            if (control.id != -1) {
                EXPECT_TRUE(ids.insert(control.id).second) << "id " << control.id << " twice";
            }
            const DialogRect rect = shownRect(control);
            EXPECT_GE(rect.x, 0);
            EXPECT_GE(rect.y, 0);
            EXPECT_LE(rect.x + rect.width, dialog.width) << control.text;
            EXPECT_LE(rect.y + rect.height, dialog.height) << control.text;
            if (control.kind == ControlKind::PushButton && control.has(ControlStyle::kDefault)) {
                ++defaults;
            }
            const char letter = mnemonicLetter(control.text);
            if (letter != 0 && !control.has(ControlStyle::kHidden)) {
                const auto [at, isNew] = mnemonics.emplace(letter, control.text);
                EXPECT_TRUE(isNew)
                    << control.text << " and " << at->second << " share '" << letter << "'";
            }
        }
        EXPECT_EQ(defaults, 1);
        if (const ControlTemplate* ok = dialog.findControl(res::IDOK); ok != nullptr) {
            EXPECT_TRUE(ok->has(ControlStyle::kDefault));
        }
    }
    EXPECT_EQ(res::findDialogTemplate(99), nullptr);
}

TEST(DialogTemplates, TheLocationDialogsSayWhatTheyAlwaysSaid) {
    const DialogTemplate& city = *res::findDialogTemplate(res::IDD_SELECT_CITY);
    EXPECT_EQ(city.title, "Select City");
    EXPECT_EQ(city.width, 249);
    EXPECT_EQ(city.height, 63);
    EXPECT_EQ(city.controls[0].text,
              "&Multiple cities were found.  Please select one from the list below.");
    EXPECT_EQ(city.controls[1].id, 1003);
    EXPECT_FALSE(city.controls[1].has(ControlStyle::kSorted));

    const DialogTemplate& entry = *res::findDialogTemplate(res::IDD_ENTER_LOCATION);
    EXPECT_EQ(entry.title, "Location Preference");
    EXPECT_EQ(entry.width, 194);
    EXPECT_EQ(entry.height, 62);
    EXPECT_EQ(entry.controls[0].text, "&Enter your city name or US Zip Code.");
    EXPECT_EQ(entry.controls[1].id, 1038);
    EXPECT_EQ(entry.controls[1].textLimit, 0);
    std::vector<int> tabOrder;
    for (const ControlTemplate& control : entry.controls) {
        tabOrder.push_back(control.id);
    }
    EXPECT_EQ(tabOrder, (std::vector<int>{-1, 1038, 1, 2}));
}

} // namespace
