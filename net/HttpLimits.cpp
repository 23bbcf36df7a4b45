#include "net/HttpLimits.h"

#include <mutex>

namespace {

std::mutex g_limitsMutex;
HttpLimits g_limits;

} // namespace

HttpLimits httpLimits() {
    std::lock_guard lock(g_limitsMutex);
    return g_limits;
}

void setHttpLimits(const HttpLimits& limits) {
    std::lock_guard lock(g_limitsMutex);
    g_limits = limits;
}
