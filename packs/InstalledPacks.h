#pragma once

#include <string>
#include <vector>

// A pack file found in one of the pack folders.
struct InstalledPack {
    std::string folder;   // ending in '/'
    std::string fileName; // no folder
    std::string path() const { return folder + fileName; }
};

// Every *.wxs file of the folders, one entry per file name: a name found in
// more than one folder counts once, from the first folder that holds it (the
// order of packFolders(): the install folder first). Within a folder, the
// order the directory lists them.
std::vector<InstalledPack> installedPacks(const std::vector<std::string>& folders);
