#pragma once

#include <string>

class TiXmlDocument;
class TiXmlNode;

// Deepest element nesting a document may have. TinyXML parses and frees
// its tree recursively, so an absurdly deep document would exhaust the stack.
inline constexpr int kMaxXmlDocumentDepth = 256;

// Parses text (UTF-8; stray bytes that are not are read as Latin-1) into
// document, whose previous content is dropped. False when
// TinyXML reports an error or the nesting is deeper than kMaxXmlDocumentDepth;
// the document is then left empty.
bool parseXmlDocument(TiXmlDocument& document, const std::string& text);

// The value of node's attribute of exactly that name when node is an element
// that has it; otherwise empty.
std::string getAttributeValue(const TiXmlNode* node, const std::string& attributeName);

// The text of node's first child when that child is a text node; otherwise
// empty (also when the first child is a comment or element and text follows).
std::string getNodeValue(const TiXmlNode* node);
