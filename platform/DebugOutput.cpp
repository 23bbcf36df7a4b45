#include "platform/DebugOutput.h"

#include <cstdio>
#include <mutex>

namespace platform {

namespace {

std::mutex g_sinkMutex;
DebugSink g_sink;

void writeToStandardError(std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stderr);
    if (text.empty() || text.back() != '\n') {
        std::fputc('\n', stderr);
    }
    std::fflush(stderr);
}

} // namespace

void debugOutput(std::string_view text) {
    DebugSink sink;
    {
        std::lock_guard<std::mutex> guard(g_sinkMutex);
        sink = g_sink;
    }
    // Called outside the lock so that a sink may itself write diagnostics.
    if (sink) {
        sink(text);
    } else {
        std::lock_guard<std::mutex> guard(g_sinkMutex);
        writeToStandardError(text);
    }
}

void setDebugSink(DebugSink sink) {
    std::lock_guard<std::mutex> guard(g_sinkMutex);
    g_sink = std::move(sink);
}

} // namespace platform
