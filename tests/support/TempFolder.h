#pragma once

#include <string>

namespace testing_support {

// A fresh folder under the system's temporary folder, removed with
// everything in it when the object goes.
class TempFolder {
public:
    enum class Storage {
        Disk,
        // In memory (/dev/shm) where there is such a folder: flushing a file
        // to disk costs nothing there, for tests that write thousands of
        // times and are not about the disk.
        Memory,
    };

    explicit TempFolder(Storage storage = Storage::Disk);
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // Ends in '/'.
    const std::string& path() const { return m_csPath; }
    std::string file(const std::string& name) const { return m_csPath + name; }
    void write(const std::string& name, const std::string& content) const;
    std::string read(const std::string& name) const;

private:
    std::string m_csPath;
};

} // namespace testing_support
