// Parses arbitrary bytes as a document and walks the tree with the value
// helpers, as the location search does.
#include "net/XmlParsingUtils.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <tinyxml.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    TiXmlDocument document("fuzz");
    if (!parseXmlDocument(document, text)) {
        return 0;
    }
    // Iterative walk: the depth check must have made the tree safe to visit.
    const TiXmlNode* node = document.FirstChild();
    std::size_t visited = 0;
    while (node != nullptr && visited < 100000) {
        ++visited;
        getNodeValue(node);
        getAttributeValue(node, "id");
        getAttributeValue(node, "type");
        if (node->FirstChild() != nullptr) {
            node = node->FirstChild();
            continue;
        }
        while (node != nullptr && node->NextSibling() == nullptr) {
            node = node->Parent();
        }
        node = node != nullptr ? node->NextSibling() : nullptr;
    }
    return 0;
}
