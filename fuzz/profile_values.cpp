// ParseProfileInt and ParseProfileBool on arbitrary values: no crash or
// undefined behaviour, the default comes back for what is not a number, and
// every value the program writes reads back as itself.
#include "profile_values.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view value(reinterpret_cast<const char*>(data), size);

    // A number does not depend on the default: two defaults agree, or the
    // value is not a number and each default comes back as itself.
    const std::int32_t a = swl::ParseProfileInt(value, 0);
    const std::int32_t b = swl::ParseProfileInt(value, 1);
    if (a != b && !(a == 0 && b == 1)) std::abort();

    const bool t = swl::ParseProfileBool(value, true);
    const bool f = swl::ParseProfileBool(value, false);
    if (a == b && (t != (a != 0) || f != (a != 0))) std::abort();
    if (a != b && (!t || f)) std::abort();

    // Whatever was read, writing it and reading it again gives the same value.
    if (a == b) {
        if (swl::ParseProfileInt(swl::FormatProfileInt(a), 5) != a) std::abort();
        if (swl::ParseProfileInt(swl::FormatProfileInt(a), 6) != a) std::abort();
    }
    // Any four bytes as a 32-bit value: the written form reads back.
    if (size >= 4) {
        const auto v = static_cast<std::int32_t>(
            std::uint32_t{data[0]} | std::uint32_t{data[1]} << 8 |
            std::uint32_t{data[2]} << 16 | std::uint32_t{data[3]} << 24);
        if (swl::ParseProfileInt(swl::FormatProfileInt(v), v ^ 1) != v) std::abort();
    }
    return 0;
}
