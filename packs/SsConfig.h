#pragma once

#include "packs/ImgPackInfo.h"

#include <cstddef>
#include <string>
#include <string_view>

class TiXmlNode;

// Most packs a catalogue holds; entries past it are not read. Every entry
// costs a walk over the document, so an absurd list would stall start-up.
inline constexpr int kMaxCataloguePacks = 1000;

// The configuration document ssconfig.xml: the pack catalogue and the cycle
// value, fetched once per run from the configuration service. Queries
// parse the stored text afresh; nothing but the text is kept.
class SsConfig {
public:
    SsConfig() = default;
    SsConfig(const SsConfig&) = delete;
    SsConfig& operator=(const SsConfig&) = delete;

    // Downloads the document (two routes, see fetchDocument). On failure
    // the previous text stays but the document counts as not loaded.
    bool fetch();
    bool isLoaded() const { return m_bLoaded; }
    // Sets the text as if fetched; for the tools and tests that have a
    // document at hand.
    void setText(std::string csText);

    // The value at the path, empty when the text does not parse or the path
    // finds nothing.
    std::string query(std::string_view path) const;
    // Entry nIndex (from 0): false when not loaded, when the index is past
    // kMaxCataloguePacks or when the entry's id is empty.
    bool getPack(int nIndex, ImgPackInfo& info) const;
    // The same over a document already parsed.
    static bool getPack(const TiXmlNode& document, int nIndex, ImgPackInfo& info);
    // The key of the observation request: the cycle value, or the texts
    // "{no config available}" and "{empty cycle value in config}".
    std::string getCycle() const;

    const std::string& text() const { return m_csText; }
    // <configuration service>/services/plexa/screensaver/ssconfig.xml
    static std::string url();

private:
    std::string m_csText;
    bool m_bLoaded = false;
};
