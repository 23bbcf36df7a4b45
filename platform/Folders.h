#pragma once

#include <string>
#include <vector>

namespace platform {

// Base of the per-user data: $NIMBORA_DATA_HOME, else $XDG_DATA_HOME, else
// $HOME/.local/share. Empty when none of them is set. No trailing slash.
std::string userDataBase();

// The program's install folder, ending in '/': $NIMBORA_INSTALL_FOLDER when
// set and non-empty, else the folder fixed at build time. It holds
// libtovak.so, the image packs and downloaded installers.
std::string installFolderBase();

// Folder of the running executable, ending in '/'.
std::string executableFolder();

bool fileExists(const std::string& path);
bool folderExists(const std::string& path);

// Creates every missing folder of path, outermost first; a trailing '/' is
// ignored. True when the folder exists afterwards.
bool createFolders(const std::string& path);

// Plain file names (no folder) in folder matching a shell pattern such as
// "*.wxs", in the order the directory lists them.
std::vector<std::string> findFiles(const std::string& folder, const std::string& pattern);

// Folder for locks and other per-session runtime files, ending in '/':
// $XDG_RUNTIME_DIR/nimbora-screensaver/ or /tmp/nimbora-screensaver-<uid>/.
std::string runtimeFolder();

} // namespace platform
