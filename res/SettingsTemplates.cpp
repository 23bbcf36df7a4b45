// The settings dialog and its about box.
#include "res/DialogTemplates.h"
#include "res/ResourceIds.h"

namespace res {

using namespace ControlStyle;
using enum ControlKind;

DialogTemplate saverDialogTemplate() {
    return {IDD_SAVER_DIALOG,
            "Nimbora Screensaver",
            248,
            257,
            "MS Sans Serif",
            8,
            DialogStyle::kCaption | DialogStyle::kSystemMenu | DialogStyle::kModalFrame,
            {
                {IDC_STATIC, GroupBox, "Display images by", {7, 7, 234, 96}},
                {IDC_METHOD_WEATHER,
                 RadioButton,
                 "&Weather-triggered sky conditions",
                 {17, 19, 119, 10},
                 kGroupStart},
                {IDC_METHOD_FAVORITES, RadioButton, "Select your &favorites", {17, 34, 81, 10}},
                {IDC_SELECT_FAVORITES, PushButton, "...", {99, 30, 16, 14}},
                {IDC_METHOD_SHOW_ALL, RadioButton, "Show a&ll", {17, 49, 49, 10}},
                {IDC_ORDER_RANDOM, RadioButton, "&Randomly ", {32, 62, 55, 10}, kGroupStart},
                {IDC_ORDER_SEQUENTIAL, RadioButton, "Se&quentially", {32, 76, 59, 10}},
                {IDC_STATIC, Bitmap, "", {141, 17, 93, 78}, kBorder | kRealSizeImage, IDB_MONITOR},
                {IDC_SPEED_GROUP, GroupBox, "", {8, 106, 151, 40}},
                {IDC_STATIC, Label, "15 seconds", {16, 118, 38, 8}, kGroupStart},
                {IDC_SPEED_SCROLLBAR, HorizontalScrollBar, "", {26, 130, 116, 11}},
                {IDC_STATIC, Label, "10 minutes", {115, 119, 35, 8}, kAlignRight},
                {IDC_STATIC,
                 Label,
                 "Weather location (City Name or U.S. &ZIP Code):",
                 {7, 149, 151, 8}},
                {IDC_LOCATION, Edit, "", {12, 160, 147, 14}, kAutoHScroll | kBorder, 0, 256},
                {IDC_TEMPERATURE_LABEL, Label, "S&how the temperature in:", {7, 180, 82, 8}},
                {IDC_TEMPERATURE_LIST, DropDownList, "", {12, 191, 127, 60}, kSorted},
                {IDC_PACK_LABEL, Label, "Image &pack:", {7, 209, 40, 8}},
                {IDC_PACK_LIST, DropDownList, "", {12, 220, 127, 60}, kSorted},
                {IDC_CLEAR_SCREEN, CheckBox, "&Clear screen", {161, 164, 67, 10}, kHidden},
                {IDC_BLEND_IMAGES, CheckBox, "&Blend images", {163, 174, 67, 10}, kHidden},
                {IDC_FAQ_LINK, Label, "Screensaver FAQ", {158, 182, 75, 8}, kAlignCentre | kHidden},
                {IDC_PROFILE_LINK, Label, "My Nimbora profile", {156, 191, 75, 8}, kHidden},
                {IDOK, PushButton, "OK", {191, 203, 50, 14}, kDefault},
                {IDCANCEL, PushButton, "Cancel", {191, 220, 50, 14}},
                {IDC_ABOUT_BUTTON, PushButton, "&About...", {191, 237, 50, 14}},
                {IDC_PREVIEW_PLACEHOLDER, Label, "", {154, 30, 66, 45}, kBorder | kHidden},
                {IDC_DOWNLOAD_LINK, Label, "Download More Image Packs", {28, 240, 94, 8}},
                {IDC_NOTIFICATIONS,
                 CheckBox,
                 "&Receive notifications\rfor new image packs.",
                 {172, 111, 60, 33},
                 kMultiLine | kHidden},
                {IDC_MORE_INFO_LINK, Label, "(more info)", {187, 144, 34, 8}, kHidden},
            }};
}

DialogTemplate aboutBoxTemplate() {
    return {
        IDD_ABOUTBOX,
        "About Nimbora Screensaver",
        150,
        99,
        "MS Sans Serif",
        8,
        DialogStyle::kThinBorder,
        {
            {IDOK, PushButton, "OK", {104, 66, 37, 14}, kDefault},
            {IDC_VERSION, Label, "", {97, 46, 43, 8}, kAlignRight},
            {IDC_ABOUT_LINE1, Label, "Weather photographs", {7, 64, 74, 8}},
            {IDC_ABOUT_LINE2, Label, "by the Nimbora team", {7, 73, 71, 8}},
            {IDC_ABOUT_LINE3, Label, "and friends.", {7, 82, 50, 8}},
            {IDC_SUBMIT_PHOTOS_LINK, Label, "Submit your photos", {69, 10, 69, 8}, kAlignCentre},
            {IDC_VIEW_PHOTOS_LINK, Label, "View more photos", {69, 22, 69, 8}, kAlignCentre},
        }};
}

} // namespace res
