#include "support/TempFolder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace testing_support {

TempFolder::TempFolder(Storage storage) {
    std::filesystem::path base = std::filesystem::temp_directory_path();
    std::error_code error;
    if (storage == Storage::Memory && std::filesystem::is_directory("/dev/shm", error)) {
        base = "/dev/shm";
    }
    std::string pattern = (base / "nimbora-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("mkdtemp failed");
    }
    m_csPath = pattern + "/";
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(m_csPath, ignored);
}

void TempFolder::write(const std::string& name, const std::string& content) const {
    std::filesystem::path target = m_csPath + name;
    std::filesystem::create_directories(target.parent_path());
    std::ofstream out(target, std::ios::binary);
    out << content;
}

std::string TempFolder::read(const std::string& name) const {
    std::ifstream in(m_csPath + name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace testing_support
