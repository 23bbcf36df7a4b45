#pragma once

#include <map>
#include <string>

// Writes a pack archive: every entry at a fixed time stamp and in name
// order, so the same entries always give the same bytes. JPEG data is stored
// as it is (it does not compress); other entries are deflated. The file
// appears under its name only when complete.
class PackWriter {
public:
    void addEntry(const std::string& csName, std::string data);
    const std::map<std::string, std::string>& entries() const { return m_entries; }

    bool write(const std::string& csPath, std::string& csError) const;

private:
    std::map<std::string, std::string> m_entries;
};
