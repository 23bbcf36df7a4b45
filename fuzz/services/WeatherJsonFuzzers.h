#pragma once

#include "FuzzChecks.h"
#include "services/ObservationService.h"
#include "services/SkyCodes.h"

// What a parsed upstream answer must give, whatever the upstream sent: a
// temperature in a range people live in, a sky code the program has an
// icon for, and a document the program can read.
inline void checkObservation(const Observation& observation) {
    using fuzz_checks::require;
    require(observation.temperatureF.has_value());
    require(*observation.temperatureF >= -238 && *observation.temperatureF <= 302);
    require(observation.skyCode >= 0 && observation.skyCode <= kSkyCodeNotAvailable);
    require(fuzz_checks::xmlWithRoot(ObservationService::document(observation), "observation"));
}
