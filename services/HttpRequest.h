#pragma once

#include <string>
#include <vector>

// One request as the services' handlers see it, free of the HTTP library.
struct HttpRequest {
    struct Parameter {
        std::string name;
        std::string value;      // decoded; the text as sent when it does not decode
        bool wellFormed = true; // false: a malformed escape or an encoded NUL byte
    };

    std::string method;
    std::string target; // path and query exactly as sent
    std::string path;   // decoded
    std::vector<Parameter> query;
    std::string remoteAddress;

    // The first parameter of that name, or nullptr.
    const Parameter* parameter(const std::string& name) const;
    // Its value, empty when absent.
    std::string parameterValue(const std::string& name) const;
};

// Splits target into the decoded path and the query parameters ('+' reads
// as a blank in them). False when the target cannot be a path of this
// server: it does not start with '/', or its path holds an encoded NUL byte.
bool parseRequestTarget(const std::string& target, HttpRequest& request);
