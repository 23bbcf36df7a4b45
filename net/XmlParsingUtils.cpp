#include "net/XmlParsingUtils.h"

#include <string_view>
#include <tinyxml.h>

namespace {

// Index just past the first occurrence of terminator at or after from, or
// the end of text when there is none.
std::size_t skipPast(std::string_view text, std::size_t from, std::string_view terminator) {
    const std::size_t found = text.find(terminator, from);
    return found == std::string_view::npos ? text.size() : found + terminator.size();
}

// Index of the '>' closing the tag that starts at from, honouring quoted
// attribute values; text.size() when the tag never closes.
std::size_t tagEnd(std::string_view text, std::size_t from) {
    char quote = 0;
    for (std::size_t i = from; i < text.size(); ++i) {
        const char c = text[i];
        if (quote != 0) {
            if (c == quote) {
                quote = 0;
            }
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '>') {
            return i;
        }
    }
    return text.size();
}

// A single linear pass that over-estimates rather than under-estimates the
// element nesting, so anything it lets through is safe to hand to TinyXML.
bool nestingWithinLimit(std::string_view text, int limit) {
    int depth = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        i = text.find('<', i);
        if (i == std::string_view::npos) {
            break;
        }
        const std::string_view rest = text.substr(i);
        if (rest.starts_with("<!--")) {
            i = skipPast(text, i + 4, "-->");
        } else if (rest.starts_with("<![CDATA[")) {
            i = skipPast(text, i + 9, "]]>");
        } else if (rest.starts_with("<?")) {
            i = skipPast(text, i + 2, "?>");
        } else if (rest.starts_with("</")) {
            depth = depth > 0 ? depth - 1 : 0;
            i += 2;
        } else if (rest.starts_with("<!")) {
            i += 2;
        } else {
            const std::size_t end = tagEnd(text, i + 1);
            if (end == text.size() || text[end - 1] != '/') {
                if (++depth > limit) {
                    return false;
                }
            }
            i = end;
        }
    }
    return true;
}

} // namespace

bool parseXmlDocument(TiXmlDocument& document, const std::string& text) {
    document.Clear();
    document.ClearError();
    if (!nestingWithinLimit(text, kMaxXmlDocumentDepth)) {
        return false;
    }
    // Narrow strings are UTF-8 here, so character references decode to UTF-8
    // whether or not the document declares its encoding.
    document.Parse(text.c_str(), nullptr, TIXML_ENCODING_UTF8);
    if (document.Error()) {
        document.Clear();
        return false;
    }
    return true;
}

std::string getAttributeValue(const TiXmlNode* node, const std::string& attributeName) {
    const TiXmlElement* element = node != nullptr ? node->ToElement() : nullptr;
    if (element == nullptr || attributeName.find('\0') != std::string::npos) {
        return {};
    }
    const char* value = element->Attribute(attributeName.c_str());
    return value != nullptr ? std::string(value) : std::string();
}

std::string getNodeValue(const TiXmlNode* node) {
    const TiXmlNode* child = node != nullptr ? node->FirstChild() : nullptr;
    if (child == nullptr || child->ToText() == nullptr) {
        return {};
    }
    return child->ValueStr();
}
