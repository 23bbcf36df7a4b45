// Input: a weather service's latest-observation answer (JSON).
#include "WeatherJsonFuzzers.h"
#include "services/NwsProvider.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return fuzzObservationParser(&NwsProvider::parseObservation, data, size);
}
