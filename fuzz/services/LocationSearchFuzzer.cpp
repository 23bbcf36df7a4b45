// Input: the search text, as the server has it after decoding.
#include "FuzzChecks.h"
#include "services/LocationSearch.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

const Gazetteer& sampleGazetteer() {
    static const Gazetteer gazetteer = [] {
        Gazetteer loaded;
        std::string error;
        if (!loaded.load(NIMBORA_FUZZ_GAZETTEER, error)) {
            std::abort();
        }
        return loaded;
    }();
    return gazetteer;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using fuzz_checks::require;
    const LocationSearch search(sampleGazetteer());
    const std::string where(reinterpret_cast<const char*>(data), size);
    std::vector<SearchMatch> matches;
    std::string errorType;
    std::string errorText;
    if (search.search(where, matches, errorType, errorText)) {
        require(matches.size() <= LocationSearch::kMaxMatches);
        for (const SearchMatch& match : matches) {
            require(sampleGazetteer().findLocationId(match.locationId) != nullptr);
        }
    } else {
        require(matches.empty() && !errorType.empty() && !errorText.empty());
    }
    const std::string answer = search.answer(where);
    require(fuzz_checks::xmlWithRoot(answer, "search") ||
            fuzz_checks::xmlWithRoot(answer, "error"));
    return 0;
}
