#include "location/LocationResolution.h"

#include "platform/MessageBox.h"
#include "res/ResourceIds.h"
#include "res/StringTable.h"

std::optional<ChosenLocation> resolveTypedLocation(const std::string& location,
                                                   const ResolveLocationFactory& factory,
                                                   CityChooser& chooser) {
    TOVAKERROR er;
    clearTovakError(&er);
    const ResolveLocationSearchResults results = factory.resolveLocation(location, &er);
    if (er.code != TOVAKERROR_NONE) {
        platform::showMessageBox(res::kApplicationTitle, er.message,
                                 platform::MessageBoxIcon::None);
        return std::nullopt;
    }
    if (results.getCount() == 0) {
        platform::showMessageBox("Note", res::loadString(res::IDS_LOCATION_INVALID),
                                 platform::MessageBoxIcon::None);
        return std::nullopt;
    }
    int index = 0;
    if (results.getCount() > 1) {
        CityChoice choice{results.getDisplayNames()};
        choice.accept(chooser.chooseCity(choice.m_cityNames));
        if (choice.m_nSelectedCity < 0) {
            return std::nullopt;
        }
        index = choice.m_nSelectedCity;
    }
    return ChosenLocation{results.getDisplayName(index), results.getLocationId(index)};
}
