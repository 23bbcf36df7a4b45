#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <vector>

// One pack as the catalogue document lists it.
struct CataloguePack {
    std::string id; // the pack's file name, "*.wxs"
    std::string desc;
    std::string installer; // file under the packs folder
    std::string installerLfn;
    std::string installerSha256; // lower-case hexadecimal; empty when unreadable
    std::string show = "f";
    std::string ranking;
    std::string uniqueVal;
    std::string image; // promotional picture under the packs folder, may be empty
    std::string imageLfn;
    // promo_disp, sel_yes, sel_no, sel_later, dwnld_init, dwnld_succ, dwnld_fail
    std::vector<std::string> tracking = std::vector<std::string>(7);
};

// Builds ssconfig.xml from the packs folder and the operator's catalogue
// file (an INI file with one section per pack id, see the services docs).
class Catalogue {
public:
    static constexpr const char* kTrackingNames[7] = {
        "promo_disp", "sel_yes", "sel_no", "sel_later", "dwnld_init", "dwnld_succ", "dwnld_fail"};

    Catalogue(std::string packsFolder, std::string catalogueFile, std::string publicBase);

    // The packs in document order: those of the catalogue file in its order,
    // then the other packs of the folder by name. Entries whose files are
    // missing or whose names are not plain file names are left out and
    // reported in warnings.
    std::vector<CataloguePack> packs(std::vector<std::string>& warnings) const;

    std::string document(const std::string& cycle) const;

    // A name that is safe as a file name on the client: no folder parts.
    static bool isPlainFileName(const std::string& name);

private:
    bool existsInFolder(const std::string& name) const;
    std::string packUrl(const std::string& name) const;
    // The file's SHA-256, computed again only when its size or time changed.
    std::string digestOf(const std::string& name) const;

    std::string m_csPacksFolder;
    std::string m_csCatalogueFile;
    std::string m_csPublicBase;

    struct Digest {
        std::uintmax_t nSize = 0;
        std::int64_t nModified = 0;
        std::string csSha256;
    };
    mutable std::mutex m_digestMutex;
    mutable std::map<std::string, Digest> m_digests;
};
