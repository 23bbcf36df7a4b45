// Input: a forecast service's answer with current conditions (JSON).
#include "WeatherJsonFuzzers.h"
#include "services/OpenMeteoProvider.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Observation observation;
    std::string error;
    if (OpenMeteoProvider::parseCurrent(std::string(reinterpret_cast<const char*>(data), size),
                                        observation, error)) {
        checkObservation(observation);
    } else {
        fuzz_checks::require(!error.empty());
    }
    return 0;
}
