#pragma once

#include "net/TovakError.h"

#include <cstddef>
#include <string>

namespace tovak {

// Default limit of one download.
inline constexpr std::size_t kMaxDownloadBytes = 512 * 1024 * 1024;

// Downloads url to destinationPath. The body goes to a temporary file beside
// the destination, which replaces the destination only once the download is
// complete and flushed; on any failure the temporary file is removed and the
// destination is untouched. Missing folders of the destination are created.
// error gets code 5 (flags 1/2 for an empty url/path) or 3 and a text.
bool downloadFile(const char* url, const char* destinationPath, std::size_t maxBytes,
                  unsigned* downloadedSize, LPTOVAKERROR error);

} // namespace tovak
