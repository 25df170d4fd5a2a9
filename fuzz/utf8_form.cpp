// FromUtf8Form on arbitrary bytes, and ToUtf8Form on arbitrary 16-bit units.
//
// The reader takes overlong forms and unusual leads as they are, so a
// non-empty result need not re-encode to the very bytes it came from: it must
// re-encode to bytes no longer than those, which read back to the same units.
// What the writer produces must read back exactly.
#include "utf8_form.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::u16string wide = swl::FromUtf8Form(input);
    if (wide.size() > size) std::abort();
    if (!wide.empty()) {
        const std::string again = swl::ToUtf8Form(wide);
        if (again.size() > size) std::abort();
        if (swl::FromUtf8Form(again) != wide) std::abort();
    }

    // The other way round: any units, taken from pairs of input bytes.
    std::u16string units(size / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i)
        units[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
    const std::string form = swl::ToUtf8Form(units);
    if (swl::FromUtf8Form(form) != units) std::abort();
    if (swl::ToUtf8Form(swl::FromUtf8Form(form)) != form) std::abort();
    return 0;
}
