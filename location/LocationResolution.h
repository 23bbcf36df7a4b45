#pragma once

#include "location/CityChoice.h"
#include "location/ResolveLocationFactory.h"

#include <optional>
#include <string>

struct ChosenLocation {
    std::string displayName;
    std::string locationId;
};

// What a dialog's OK step does with the location the user typed (trimmed):
// search for it; when the search fails, show the error record's text; take
// the one place found, or let the user choose among several; when none is
// found, say so. The place taken, or nullopt when none was (the user has
// been told why, or cancelled the choice).
std::optional<ChosenLocation> resolveTypedLocation(const std::string& location,
                                                   const ResolveLocationFactory& factory,
                                                   CityChooser& chooser);
