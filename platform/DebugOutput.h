#pragma once

#include <functional>
#include <string_view>

namespace platform {

// Diagnostics of code that runs outside the framework's log: written to
// standard error, or to the sink a test installed.
void debugOutput(std::string_view text);

using DebugSink = std::function<void(std::string_view)>;
// Replaces the destination; an empty function restores standard error.
void setDebugSink(DebugSink sink);

} // namespace platform
