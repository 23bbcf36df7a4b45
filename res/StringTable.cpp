#include "res/StringTable.h"

#include "res/ResourceIds.h"

#include <utility>

namespace res {

namespace {

const std::pair<int, const char*> kStrings[] = {
    {IDS_ABOUTBOX, "&About..."},
    {IDS_LOCATION_REQUIRED, "A valid location is required."},
    {IDS_LOCATION_INVALID, "The location is invalid.  Please enter another city or Zip code."},
    {IDS_CONNECTION_REQUIRED,
     "In order to change your selected location, you must be connected to the Internet."},
};

} // namespace

std::string loadString(int id) {
    for (const auto& [stringId, text] : kStrings) {
        if (stringId == id) {
            return text;
        }
    }
    return {};
}

} // namespace res
