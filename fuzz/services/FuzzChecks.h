#pragma once

#include <string>
#include <tinyxml.h>

namespace fuzz_checks {

// Stops the run (a finding) when what must hold does not.
inline void require(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

// True when text is a well-formed XML document with a root element of that name.
inline bool xmlWithRoot(const std::string& text, const char* root) {
    TiXmlDocument document;
    document.Parse(text.c_str(), nullptr, TIXML_ENCODING_UTF8);
    return !document.Error() && document.RootElement() != nullptr &&
           document.RootElement()->ValueStr() == root;
}

} // namespace fuzz_checks
