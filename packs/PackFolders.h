#pragma once

#include <string>
#include <vector>

// Every folder the program loads packs from, each ending in '/': the
// install folder, then the user's own packs folder (UserDataFolder()
// "packs/"), where packs installed for one user go. Folders that cannot be
// named (no install folder, no data home) are left out.
std::vector<std::string> packFolders();

// Whether a pack file of that name is in any of the folders. Only a plain
// file name counts: a name with a folder part ('/' or '\'), "." or ".."
// could point anywhere, and is never found.
bool isPackInstalled(const std::string& csFileName, const std::vector<std::string>& folders);
