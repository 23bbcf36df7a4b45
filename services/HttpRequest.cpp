#include "services/HttpRequest.h"

#include "services/UrlText.h"

#include <algorithm>

const HttpRequest::Parameter* HttpRequest::parameter(const std::string& name) const {
    for (const Parameter& parameter : query) {
        if (parameter.name == name) {
            return &parameter;
        }
    }
    return nullptr;
}

std::string HttpRequest::parameterValue(const std::string& name) const {
    const Parameter* found = parameter(name);
    return found != nullptr ? found->value : std::string();
}

namespace {

void parseQuery(const std::string& query, std::vector<HttpRequest::Parameter>& parameters) {
    std::size_t at = 0;
    while (at <= query.size()) {
        const auto end = std::min(query.find('&', at), query.size());
        const std::string pair = query.substr(at, end - at);
        at = end + 1;
        if (pair.empty()) {
            continue;
        }
        const auto equals = pair.find('=');
        HttpRequest::Parameter parameter;
        const std::string rawName = pair.substr(0, equals);
        const std::string rawValue = equals == std::string::npos ? "" : pair.substr(equals + 1);
        if (!urlDecode(rawName, parameter.name, true)) {
            parameter.name = rawName;
            parameter.wellFormed = false;
        }
        if (!urlDecode(rawValue, parameter.value, true)) {
            parameter.value = rawValue;
            parameter.wellFormed = false;
        }
        parameters.push_back(std::move(parameter));
    }
}

} // namespace

bool parseRequestTarget(const std::string& target, HttpRequest& request) {
    request.target = target;
    request.query.clear();
    const auto mark = target.find('?');
    const std::string rawPath = target.substr(0, mark);
    if (rawPath.empty() || rawPath[0] != '/') {
        return false;
    }
    if (!urlDecode(rawPath, request.path, false)) {
        // A malformed escape stays as it was sent, as the files it may name
        // do; a NUL byte can name nothing here.
        if (rawPath.find("%00") != std::string::npos) {
            return false;
        }
        request.path = rawPath;
    }
    if (mark != std::string::npos) {
        parseQuery(target.substr(mark + 1), request.query);
    }
    return true;
}
