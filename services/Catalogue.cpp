#include "services/Catalogue.h"

#include "net/Sha256.h"
#include "services/IniFile.h"
#include "services/UrlText.h"
#include "services/XmlText.h"

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <set>

namespace fs = std::filesystem;

Catalogue::Catalogue(std::string packsFolder, std::string catalogueFile, std::string publicBase)
    : m_csPacksFolder(std::move(packsFolder)), m_csCatalogueFile(std::move(catalogueFile)),
      m_csPublicBase(std::move(publicBase)) {}

bool Catalogue::isPlainFileName(const std::string& name) {
    if (name.empty() || name.size() > 255 || name[0] == '.') {
        return false;
    }
    return std::none_of(name.begin(), name.end(), [](unsigned char c) {
        return c < 0x20 || c == 0x7F || c == '/' || c == '\\' || c == ':';
    });
}

bool Catalogue::existsInFolder(const std::string& name) const {
    std::error_code error;
    const fs::path path = fs::path(m_csPacksFolder) / name;
    return isPlainFileName(name) && fs::is_regular_file(fs::symlink_status(path, error));
}

std::string Catalogue::packUrl(const std::string& name) const {
    return m_csPublicBase + "/packs/" + urlEncode(name);
}

std::string Catalogue::digestOf(const std::string& name) const {
    std::error_code error;
    const fs::path path = fs::path(m_csPacksFolder) / name;
    const std::uintmax_t nSize = fs::file_size(path, error);
    const auto modified = fs::last_write_time(path, error);
    if (error) {
        return {};
    }
    const std::int64_t nModified = modified.time_since_epoch().count();
    {
        const std::lock_guard<std::mutex> lock(m_digestMutex);
        const auto found = m_digests.find(name);
        if (found != m_digests.end() && found->second.nSize == nSize &&
            found->second.nModified == nModified) {
            return found->second.csSha256;
        }
    }
    std::string csError;
    std::string csSha256 = sha256OfFile(path.string(), csError);
    if (csSha256.empty()) {
        std::cerr << "catalogue: " << csError << '\n';
        return {};
    }
    const std::lock_guard<std::mutex> lock(m_digestMutex);
    m_digests[name] = Digest{nSize, nModified, csSha256};
    return csSha256;
}

std::vector<CataloguePack> Catalogue::packs(std::vector<std::string>& warnings) const {
    std::vector<CataloguePack> result;
    std::set<std::string> listed;
    IniFile ini;
    std::string error;
    if (!m_csCatalogueFile.empty() && !ini.load(m_csCatalogueFile, error)) {
        warnings.push_back(error);
    }
    for (const std::string& id : ini.sections()) {
        CataloguePack pack;
        pack.id = id;
        pack.desc = ini.get(id, "desc", fs::path(id).stem().string());
        pack.installer = ini.get(id, "installer", id);
        pack.installerLfn = ini.get(id, "installer_lfn", pack.installer);
        pack.show = ini.get(id, "show", "f");
        pack.ranking = ini.get(id, "ranking");
        pack.uniqueVal = ini.get(id, "unique_val");
        pack.image = ini.get(id, "image");
        pack.imageLfn = ini.get(id, "image_lfn", pack.image);
        for (std::size_t i = 0; i < 7; ++i) {
            pack.tracking[i] = ini.get(id, kTrackingNames[i]);
        }
        const bool namesOk = isPlainFileName(id) && id.ends_with(".wxs") &&
                             isPlainFileName(pack.installerLfn) &&
                             (pack.image.empty() || isPlainFileName(pack.imageLfn));
        if (!namesOk || listed.count(id) != 0) {
            warnings.push_back("catalogue entry '" + id + "' has an unusable file name");
            continue;
        }
        if (!existsInFolder(pack.installer)) {
            warnings.push_back("catalogue entry '" + id + "': no file '" + pack.installer + "'");
            continue;
        }
        if (!pack.image.empty() && !existsInFolder(pack.image)) {
            warnings.push_back("catalogue entry '" + id + "': no picture '" + pack.image + "'");
            pack.image.clear();
            pack.imageLfn.clear();
        }
        pack.installerSha256 = digestOf(pack.installer);
        listed.insert(id);
        result.push_back(std::move(pack));
    }
    std::vector<std::string> others;
    std::error_code folderError;
    for (const auto& item : fs::directory_iterator(m_csPacksFolder, folderError)) {
        const std::string name = item.path().filename().string();
        if (name.ends_with(".wxs") && listed.count(name) == 0 && existsInFolder(name)) {
            others.push_back(name);
        }
    }
    std::sort(others.begin(), others.end());
    for (const std::string& name : others) {
        CataloguePack pack;
        pack.id = pack.installer = pack.installerLfn = name;
        pack.desc = fs::path(name).stem().string();
        pack.installerSha256 = digestOf(name);
        result.push_back(std::move(pack));
    }
    return result;
}

std::string Catalogue::document(const std::string& cycle) const {
    std::vector<std::string> warnings;
    const auto list = packs(warnings);
    for (const auto& warning : warnings) {
        std::cerr << "catalogue: " << warning << '\n';
    }
    std::string xml = std::string(kXmlDeclaration) + "<ss>\n  <app><cycle>" + xmlEscape(cycle) +
                      "</cycle></app>\n  <packs>\n";
    for (const CataloguePack& pack : list) {
        xml += "    <pack id=\"" + xmlEscape(pack.id) + "\">\n";
        // The digest lets the program check what it downloaded; programs
        // that do not know the attribute ignore it.
        xml += "      <dlurl lfn=\"" + xmlEscape(pack.installerLfn) + "\"" +
               (pack.installerSha256.empty() ? "" : " sha256=\"" + pack.installerSha256 + "\"") +
               ">" + xmlEscape(packUrl(pack.installer)) + "</dlurl>\n";
        xml += "      <desc>" + xmlEscape(pack.desc) + "</desc>\n";
        xml += "      <promo show=\"" + xmlEscape(pack.show) + "\">\n";
        xml += "        <ranking>" + xmlEscape(pack.ranking) + "</ranking>\n";
        xml += "        <unique_val>" + xmlEscape(pack.uniqueVal) + "</unique_val>\n";
        if (!pack.image.empty()) {
            xml += "        <imgurl lfn=\"" + xmlEscape(pack.imageLfn) + "\">" +
                   xmlEscape(packUrl(pack.image)) + "</imgurl>\n";
        }
        xml += "        <tracking>";
        for (std::size_t i = 0; i < 7; ++i) {
            xml += std::string("<") + kTrackingNames[i] + ">" + xmlEscape(pack.tracking[i]) + "</" +
                   kTrackingNames[i] + ">";
        }
        xml += "</tracking>\n      </promo>\n    </pack>\n";
    }
    return xml + "  </packs>\n</ss>\n";
}
