#pragma once

#include <string>
#include <string_view>

// Text made safe for XML character data and attribute values (either quote):
// & < > " ' become their predefined entity references; every other byte,
// UTF-8 sequences included, is copied unchanged.
std::string xmlEscape(std::string_view text);
