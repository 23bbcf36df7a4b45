#include "ui/EnterLocationLogic.h"

#include "location/LocationResolution.h"
#include "location/LocationText.h"
#include "platform/MessageBox.h"
#include "res/ResourceIds.h"
#include "res/StringTable.h"

bool EnterLocationLogic::onOK(const std::string& editText) {
    const std::string location = trimWhiteSpace(editText);
    if (location.empty()) {
        platform::showMessageBox("Note", res::loadString(res::IDS_LOCATION_REQUIRED),
                                 platform::MessageBoxIcon::None);
        return false;
    }
    const std::optional<ChosenLocation> chosen =
        resolveTypedLocation(location, m_factory, m_chooser);
    if (!chosen) {
        return false;
    }
    m_csDisplayName = chosen->displayName;
    m_csLocationId = chosen->locationId;
    return true;
}
