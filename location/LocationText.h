#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Typed text without the white space at either end: blanks, tabs, line
// breaks, and the Unicode spaces a pasted name may carry (no-break space,
// ideographic space and the like), whole UTF-8 characters only.
std::string trimWhiteSpace(std::string_view text);

// The first count characters of UTF-8 text; never splits a character.
std::string firstCharacters(std::string_view text, std::size_t count);
