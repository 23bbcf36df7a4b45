#pragma once

#include "platform/UniqueFd.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// The answer to one request: a body in memory, or an open file sent as it
// stands (installers and packs can be large).
struct HttpResponse {
    int status = 200;
    std::string contentType = "text/plain";
    std::string body;
    std::vector<std::pair<std::string, std::string>> headers;
    UniqueFd file;
    std::uint64_t fileSize = 0;

    void setContent(std::string content, std::string type) {
        body = std::move(content);
        contentType = std::move(type);
    }
    // A short text answer for a status other than 200.
    void setStatus(int code, std::string text) {
        status = code;
        setContent(std::move(text), "text/plain");
    }
    std::uint64_t bodySize() const { return file ? fileSize : body.size(); }
};
