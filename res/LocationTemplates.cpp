// The location dialogs: the city choice and the location entry.
#include "res/DialogTemplates.h"
#include "res/ResourceIds.h"

namespace res {

using namespace ControlStyle;
using enum ControlKind;

DialogTemplate selectCityTemplate() {
    return {IDD_SELECT_CITY,
            "Select City",
            249,
            63,
            "MS Sans Serif",
            8,
            DialogStyle::kCaption | DialogStyle::kSystemMenu | DialogStyle::kModalFrame,
            {
                {IDC_STATIC,
                 Label,
                 "&Multiple cities were found.  Please select one from the list below.",
                 {9, 10, 202, 8}},
                {IDC_CITY_LIST, DropDownList, "", {17, 22, 162, 84}, kVScroll},
                {IDOK, PushButton, "OK", {192, 24, 50, 14}, kDefault},
                {IDCANCEL, PushButton, "Cancel", {192, 42, 50, 14}},
            }};
}

DialogTemplate enterLocationTemplate() {
    return {IDD_ENTER_LOCATION,
            "Location Preference",
            194,
            62,
            "MS Sans Serif",
            8,
            DialogStyle::kCaption | DialogStyle::kSystemMenu | DialogStyle::kModalFrame,
            {
                {IDC_STATIC, Label, "&Enter your city name or US Zip Code.", {7, 7, 180, 10}},
                {IDC_LOCATION_EDIT, Edit, "", {17, 21, 159, 14}, kAutoHScroll | kBorder},
                {IDOK, PushButton, "OK", {82, 41, 51, 14}, kDefault},
                {IDCANCEL, PushButton, "Cancel", {137, 41, 50, 14}},
            }};
}

} // namespace res
