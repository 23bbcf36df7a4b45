// Input: an expression, a NUL byte, then the document. Whatever the input,
// the query must return without crashing, hanging or leaking.
#include "net/XmlPathQuery.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.find('\0');
    const std::string_view expression = input.substr(0, split);
    const std::string document(split == std::string_view::npos ? std::string_view()
                                                               : input.substr(split + 1));
    const std::string value = queryXmlPath(document, expression);
    // A value can only come from the document's text.
    if (!value.empty() && document.empty()) {
        __builtin_trap();
    }
    // The fixed expressions the program uses, on the same document.
    queryXmlPath(document, "/observation/temp/text()");
    queryXmlPath(document, "/ss/packs/pack[2]/promo/tracking/sel_yes/text()");
    queryXmlPath(document, "/ss/packs/pack[1]/@id");
    return 0;
}
