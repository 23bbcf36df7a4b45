#include "tools/PackWriter.h"

#include "slideshow/ZipHandles.h"

#include <cstdio>
#include <ctime>
#include <unistd.h>

namespace {

// 2020-01-01 00:00 local time: archive entries carry this instead of now.
std::time_t fixedTimeStamp() {
    std::tm date{};
    date.tm_year = 120;
    date.tm_mon = 0;
    date.tm_mday = 1;
    date.tm_isdst = -1;
    return std::mktime(&date);
}

bool addAll(zip_t* pArchive, const std::map<std::string, std::string>& entries,
            std::string& csError) {
    const std::time_t stamp = fixedTimeStamp();
    for (const auto& [csName, data] : entries) {
        zip_source_t* pSource = zip_source_buffer(pArchive, data.data(), data.size(), 0);
        const zip_int64_t nIndex =
            pSource == nullptr ? -1
                               : zip_file_add(pArchive, csName.c_str(), pSource, ZIP_FL_ENC_UTF_8);
        if (nIndex < 0) {
            zip_source_free(pSource);
            csError = "cannot add " + csName + ": " + zip_strerror(pArchive);
            return false;
        }
        const auto nEntry = static_cast<zip_uint64_t>(nIndex);
        const bool bStore = csName.ends_with(".jpg") || csName.ends_with(".png");
        zip_set_file_compression(pArchive, nEntry, bStore ? ZIP_CM_STORE : ZIP_CM_DEFLATE, 9);
        zip_file_set_mtime(pArchive, nEntry, stamp, 0);
    }
    return true;
}

} // namespace

void PackWriter::addEntry(const std::string& csName, std::string data) {
    m_entries[csName] = std::move(data);
}

bool PackWriter::write(const std::string& csPath, std::string& csError) const {
    const std::string csTemporary = csPath + ".part" + std::to_string(getpid());
    int nError = 0;
    ZipArchive output(zip_open(csTemporary.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &nError));
    if (output.get() == nullptr) {
        csError = "cannot create " + csTemporary + ": " + zipErrorText(nError);
        return false;
    }
    if (!addAll(output.get(), m_entries, csError) || !output.close(csError)) {
        std::remove(csTemporary.c_str());
        return false;
    }
    if (std::rename(csTemporary.c_str(), csPath.c_str()) != 0) {
        csError = "cannot rename " + csTemporary + " to " + csPath;
        std::remove(csTemporary.c_str());
        return false;
    }
    return true;
}
