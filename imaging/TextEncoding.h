#pragma once

#include <string>
#include <string_view>

// The text as UTF-8: valid UTF-8 is kept; anything else is read as
// Latin-1 (the 8-bit code page texts from older data come in), so no
// byte of it is lost or rendered as garbage.
std::string toValidUtf8(std::string_view text);
