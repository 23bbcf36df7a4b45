#pragma once

#include <string>
#include <vector>

// Every folder the program loads packs from, each ending in '/': the
// install folder, then the user's own packs folder (userPackFolder()),
// where packs installed for one user go. Folders that cannot be named (no
// install folder, no data home) are left out.
std::vector<std::string> packFolders();

// UserDataFolder() + "packs/": the packs installed for this user alone;
// empty when there is no data home.
std::string userPackFolder();

// Whether a name is a plain file name that may be looked up in a pack
// folder: not empty, no folder part ('/' or '\'), not "." or "..", no
// control characters. Anything else could point anywhere.
bool isPlainFileName(const std::string& csFileName);

// Whether a pack file of that name is in any of the folders. Only a plain
// file name counts.
bool isPackInstalled(const std::string& csFileName, const std::vector<std::string>& folders);

// The full path of the pack of that name: the user's own copy when there is
// one (it wins), else the install folder's; empty when neither has it or
// the name is not a plain file name.
std::string findPackFile(const std::string& csFileName);

struct PackFile {
    std::string csFileName;
    std::string csPath; // where findPackFile finds it
};

// Every *.wxs of the pack folders, each name once: the install folder's in
// the order its listing gives, then the user's own that the install folder
// lacks. A name in both folders is the user's copy.
std::vector<PackFile> listPackFiles();
