#pragma once

#include <string>
#include <string_view>

class TiXmlNode;

// Absolute location paths over a TinyXML tree, the small subset of XPath 1.0
// the program's documents need:
//   /name/name[N]/.../name          element steps (child axis, exact name)
//   .../@name  or  .../text()       as the last step only
// with at most one positive integer predicate per element step, counting the
// step's matches under each parent from 1. The result is the string value
// of the first selected node in document order.
//
// Every absence and every error (a document that does not parse, a malformed,
// too long or too deep expression, an unsupported construct) yields the empty
// string, so callers treat an empty answer as "absent".

inline constexpr std::size_t kMaxXmlPathLength = 1024;
inline constexpr std::size_t kMaxXmlPathSteps = 32;

// Parses documentText afresh (nothing is cached) and evaluates expression on it.
std::string queryXmlPath(const std::string& documentText, std::string_view expression);

// Evaluates expression on the tree that node belongs to; the path is absolute,
// so evaluation starts at the document whichever node is given.
std::string evaluateXmlPath(const TiXmlNode& node, std::string_view expression);
