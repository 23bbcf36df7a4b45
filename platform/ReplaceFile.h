#pragma once

#include <string>
#include <string_view>

namespace platform {

// Replaces the file at path with content so that readers see either the old
// or the new file, never a part of one, even after a crash: the content goes
// to a temporary file in the same folder, is flushed to disk and renamed over
// the old file. A symbolic link at path is followed, so the link stays. The
// new file keeps the old one's permissions (0600 for a new file). False,
// with nothing left behind, when any step fails.
bool replaceFile(const std::string& path, std::string_view content);

// Removes the temporary files that replaceFile() of path leaves behind when
// its process dies between making one and renaming it. Call it only while
// holding the lock that every writer of the file holds while it replaces
// it: then no temporary file is in use.
void removeStaleReplacements(const std::string& path);

// The whole content of a file. False when it cannot be opened or read; errno
// tells why (ENOENT for a missing file).
bool readWholeFile(const std::string& path, std::string& content);

} // namespace platform
