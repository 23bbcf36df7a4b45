// The favourite picker and the pack promotion.
#include "res/DialogTemplates.h"
#include "res/ResourceIds.h"

namespace res {

using namespace ControlStyle;
using enum ControlKind;

DialogTemplate selectImagesTemplate() {
    return {IDD_SELECT_IMAGES,
            "Select Images",
            350,
            257,
            "MS Sans Serif",
            8,
            DialogStyle::kCaption | DialogStyle::kSystemMenu | DialogStyle::kModalFrame,
            {
                {IDC_STATIC,
                 Label,
                 "&From the list of images below, select up to 35 which you would like to view.",
                 {7, 7, 269, 8}},
                {IDC_STATIC,
                 Label,
                 "- To select a single image, simply left-click on that image.",
                 {7, 19, 192, 8}},
                {IDC_STATIC,
                 Label,
                 "- To select a random group of images, hold down the Ctrl key while left-clicking "
                 "on the desired images.",
                 {7, 30, 331, 8}},
                {IDC_STATIC,
                 Label,
                 "- To select a range of images, left-click on the first image and hold down the "
                 "Shift key while left-clicking on the last image.",
                 {7, 41, 327, 17}},
                {IDC_IMAGE_LIST, ListView, "", {3, 66, 340, 166}, kShowSelAlways | kBorder},
                {IDC_SELECTED_COUNT, Label, "# images selected", {7, 236, 75, 8}},
                {IDOK, PushButton, "OK", {239, 235, 50, 14}, kDefault},
                {IDCANCEL, PushButton, "Cancel", {293, 235, 50, 14}},
            }};
}

DialogTemplate imagePackPromotionTemplate() {
    return {IDD_IMGPK_PROMO,
            "Nimbora Screensaver",
            373,
            255,
            "MS Shell Dlg",
            8,
            DialogStyle::kCaption,
            {
                {IDOK, PushButton, "&Yes", {268, 234, 50, 14}, kDefault},
                {IDCANCEL, PushButton, "&No Thanks", {54, 234, 50, 14}},
                {IDC_ASK_ME_LATER, PushButton, "Ask Me &Later", {210, 234, 50, 14}},
            }};
}

} // namespace res
