#include "app/ServiceAddresses.h"

#include "app/SettingsKeys.h"

namespace {

std::string baseAddress(const settings::StringKey& key) {
    std::string address = settings::get(key);
    while (!address.empty() && address.back() == '/') {
        address.pop_back();
    }
    // A blank entry would send every request nowhere; use the default then.
    return address.empty() ? std::string(key.defaultValue) : address;
}

} // namespace

ServiceAddresses serviceAddresses() {
    ServiceAddresses addresses;
    addresses.observation = baseAddress(settings::kObservationService);
    addresses.search = baseAddress(settings::kSearchService);
    addresses.configuration = baseAddress(settings::kConfigurationService);
    addresses.tracking = baseAddress(settings::kTrackingService);
    addresses.web = baseAddress(settings::kWebService);
    return addresses;
}
