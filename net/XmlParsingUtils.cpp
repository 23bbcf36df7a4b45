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

// Length of the well-formed UTF-8 sequence at text[i], 0 when there is none.
std::size_t utf8SequenceLength(std::string_view text, std::size_t i) {
    const auto byte = [&text](std::size_t at) {
        return at < text.size() ? static_cast<unsigned char>(text[at]) : 0u;
    };
    const unsigned lead = byte(i);
    unsigned low = 0x80;
    unsigned high = 0xBF;
    std::size_t length = 0;
    if (lead < 0x80) {
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    for (std::size_t k = 1; k < length; ++k) {
        const unsigned next = byte(i + k);
        if (next < (k == 1 ? low : 0x80) || next > (k == 1 ? high : 0xBF)) {
            return 0;
        }
    }
    return length;
}

// TinyXML steps over a multi-byte character by its lead byte alone, so a
// malformed or truncated sequence can carry it past the end of the buffer.
// Bytes that do not form UTF-8 are taken as Latin-1 and re-encoded, which
// keeps the text readable and every sequence whole.
std::string wellFormedUtf8(const std::string& text) {
    std::string result;
    result.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t length = utf8SequenceLength(text, i);
        if (length > 0) {
            result.append(text, i, length);
            i += length;
        } else {
            const auto byte = static_cast<unsigned char>(text[i++]);
            result += static_cast<char>(0xC0 | (byte >> 6));
            result += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return result;
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
    document.Parse(wellFormedUtf8(text).c_str(), nullptr, TIXML_ENCODING_UTF8);
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
