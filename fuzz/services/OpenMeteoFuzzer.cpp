// Input: a forecast service's answer with current conditions (JSON).
#include "WeatherJsonFuzzers.h"
#include "services/OpenMeteoProvider.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return fuzzObservationParser(&OpenMeteoProvider::parseCurrent, data, size);
}
