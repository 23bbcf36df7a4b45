#pragma once

#include "net/XmlEscape.h"

// Every document the server answers starts with this line.
inline constexpr const char* kXmlDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
