#pragma once

#include "FuzzChecks.h"
#include "services/ObservationService.h"
#include "services/SkyCodes.h"

#include <cstddef>
#include <cstdint>

// What a parsed upstream answer must give, whatever the upstream sent: a
// temperature in a range people live in, a sky code the program has an
// icon for, and a document the program can read; or else an error text.
inline int fuzzObservationParser(bool (*parse)(const std::string&, Observation&, std::string&),
                                 const std::uint8_t* data, std::size_t size) {
    using fuzz_checks::require;
    Observation observation;
    std::string error;
    if (!parse(std::string(reinterpret_cast<const char*>(data), size), observation, error)) {
        require(!error.empty());
        return 0;
    }
    require(observation.temperatureF.has_value());
    require(*observation.temperatureF >= -238 && *observation.temperatureF <= 302);
    require(observation.skyCode >= 0 && observation.skyCode <= kSkyCodeNotAvailable);
    require(fuzz_checks::xmlWithRoot(ObservationService::document(observation), "observation"));
    return 0;
}
