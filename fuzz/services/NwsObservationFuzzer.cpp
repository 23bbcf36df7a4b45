// Input: a weather service's latest-observation answer (JSON).
#include "WeatherJsonFuzzers.h"
#include "services/NwsProvider.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Observation observation;
    std::string error;
    if (NwsProvider::parseObservation(std::string(reinterpret_cast<const char*>(data), size),
                                      observation, error)) {
        checkObservation(observation);
    } else {
        fuzz_checks::require(!error.empty());
    }
    return 0;
}
