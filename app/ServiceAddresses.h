#pragma once

#include <string>

// Base addresses (scheme, host and port, no trailing '/') of the web
// services, read from the settings subsection "services". Each defaults to
// the local nimbora-services server.
struct ServiceAddresses {
    std::string observation;   // key "observation": /wxdata/obs/...
    std::string search;        // key "search": /search/search?...
    std::string configuration; // key "configuration": ssconfig.xml, usage ping, Referer
    std::string tracking;      // key "tracking": /27/<code>?...
    std::string web;           // key "web": pages the links open
};

inline constexpr const char* kServicesSubsection = "services";
inline constexpr const char* kDefaultServiceAddress = "http://127.0.0.1:8790";

ServiceAddresses serviceAddresses();
