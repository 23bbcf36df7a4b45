#include "slideshow/PackArchive.h"

bool isSafeEntryName(const std::string& csName) {
    if (csName.empty() || csName.size() > PackArchive::kMaxNameLength || csName.front() == '/') {
        return false;
    }
    std::size_t nStart = 0;
    while (nStart <= csName.size()) {
        std::size_t nEnd = csName.find('/', nStart);
        if (nEnd == std::string::npos) {
            nEnd = csName.size();
        }
        const std::string csPart = csName.substr(nStart, nEnd - nStart);
        const bool bLastOfFolder = nEnd == csName.size() && nEnd > 0 && csName.back() == '/';
        if (!bLastOfFolder && (csPart.empty() || csPart == "." || csPart == "..")) {
            return false;
        }
        nStart = nEnd + 1;
    }
    for (const char c : csName) {
        if (static_cast<unsigned char>(c) < 0x20 || c == '\\' || c == 0x7F) {
            return false;
        }
    }
    return true;
}

PackArchive::PackArchive(std::string csPath, ZipArchive archive)
    : m_csPath(std::move(csPath)), m_archive(std::move(archive)) {}

PackArchive::~PackArchive() = default;

std::unique_ptr<PackArchive> PackArchive::open(const std::string& csPath, std::string& csError) {
    return open(csPath, csError, Limits{kMaxEntries, kMaxEntrySize});
}

std::unique_ptr<PackArchive> PackArchive::open(const std::string& csPath, std::string& csError,
                                               const Limits& limits) {
    int nError = 0;
    ZipArchive archive(zip_open(csPath.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &nError));
    if (archive.get() == nullptr) {
        csError = zipErrorText(nError);
        return nullptr;
    }
    std::unique_ptr<PackArchive> pPack(new PackArchive(csPath, std::move(archive)));
    if (!pPack->indexEntries(limits, csError)) {
        return nullptr;
    }
    return pPack;
}

bool PackArchive::indexEntries(const Limits& limits, std::string& csError) {
    const zip_int64_t nCount = zip_get_num_entries(m_archive.get(), 0);
    if (nCount < 0 || static_cast<std::uint64_t>(nCount) > limits.nMaxEntries) {
        csError = "the archive has " + std::to_string(nCount) + " entries, more than " +
                  std::to_string(limits.nMaxEntries);
        return false;
    }
    for (zip_int64_t i = 0; i < nCount; ++i) {
        zip_stat_t stat;
        zip_stat_init(&stat);
        // Names as the archive stores them: libzip would otherwise read a name
        // not flagged as UTF-8 as CP437 and turn its control bytes into
        // harmless-looking characters before the check below.
        if (zip_stat_index(m_archive.get(), static_cast<zip_uint64_t>(i), ZIP_FL_ENC_RAW, &stat) !=
                0 ||
            (stat.valid & ZIP_STAT_NAME) == 0 || (stat.valid & ZIP_STAT_SIZE) == 0) {
            csError = "entry " + std::to_string(i) + " cannot be read";
            return false;
        }
        const std::string csName = stat.name;
        if (!isSafeEntryName(csName)) {
            csError = "entry " + std::to_string(i) + " has an unsafe name";
            return false;
        }
        if ((stat.valid & ZIP_STAT_ENCRYPTION_METHOD) != 0 &&
            stat.encryption_method != ZIP_EM_NONE) {
            csError = "entry " + csName + " is encrypted";
            return false;
        }
        if (stat.size > limits.nMaxEntrySize) {
            csError = "entry " + csName + " declares " + std::to_string(stat.size) +
                      " bytes, more than " + std::to_string(limits.nMaxEntrySize);
            return false;
        }
        Entry entry;
        entry.nIndex = static_cast<std::uint64_t>(i);
        entry.nSize = stat.size;
        entry.nCompressedSize = (stat.valid & ZIP_STAT_COMP_SIZE) != 0 ? stat.comp_size : 0;
        entry.bCompressed =
            (stat.valid & ZIP_STAT_COMP_METHOD) != 0 && stat.comp_method != ZIP_CM_STORE;
        if (!m_entries.emplace(csName, entry).second) {
            csError = "entry " + csName + " appears twice";
            return false;
        }
    }
    return true;
}

const PackArchive::Entry* PackArchive::find(const std::string& csName) const {
    const auto it = m_entries.find(csName);
    return it == m_entries.end() ? nullptr : &it->second;
}

bool PackArchive::read(const std::string& csName, std::uint64_t nMaxSize, std::string& data,
                       std::string& csError) const {
    const Entry* pEntry = find(csName);
    if (pEntry == nullptr) {
        csError = "no entry " + csName;
        return false;
    }
    if (pEntry->nSize > nMaxSize) {
        csError = "entry " + csName + " is larger than " + std::to_string(nMaxSize) + " bytes";
        return false;
    }
    ZipEntryFile reader(zip_fopen_index(m_archive.get(), pEntry->nIndex, 0));
    if (reader.get() == nullptr) {
        csError = std::string("cannot open entry ") + csName + ": " + zip_strerror(m_archive.get());
        return false;
    }
    std::string buffer(static_cast<std::size_t>(pEntry->nSize), '\0');
    std::uint64_t nDone = 0;
    zip_int64_t nRead = 0;
    while (nDone < pEntry->nSize) {
        nRead = zip_fread(reader.get(), buffer.data() + nDone, pEntry->nSize - nDone);
        if (nRead <= 0) {
            break;
        }
        nDone += static_cast<std::uint64_t>(nRead);
    }
    // One more byte must not be there, and reaching the end checks the CRC.
    char cExtra = 0;
    if (nRead >= 0 && nDone == pEntry->nSize) {
        nRead = zip_fread(reader.get(), &cExtra, 1);
    }
    if (nRead < 0) {
        csError = "entry " + csName + " is damaged: " + zip_file_strerror(reader.get());
        return false;
    }
    if (nDone != pEntry->nSize || nRead != 0) {
        csError = "entry " + csName + (nRead > 0 ? " holds more than" : " ends before") + " the " +
                  std::to_string(pEntry->nSize) + " bytes it declares";
        return false;
    }
    data = std::move(buffer);
    return true;
}
