#include "services/Catalogue.h"

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
        xml += "      <dlurl lfn=\"" + xmlEscape(pack.installerLfn) + "\">" +
               xmlEscape(packUrl(pack.installer)) + "</dlurl>\n";
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
