// DecodeText on arbitrary bytes: it never reads out of bounds, its result is
// no longer than the alphabet characters allow, and re-encoding it gives a text
// that decodes to the same bytes.
#include "codec.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::string bytes = swl::DecodeText(input);
    if (bytes.size() > size * 6 / 8) std::abort();

    const std::string text = swl::EncodeText(bytes);
    if (text.size() != (bytes.size() * 8 + 5) / 6) std::abort();
    if (swl::DecodeText(text) != bytes) std::abort();
    // The re-encoding is the valid prefix of the input with its fill bits
    // cleared, so it is never longer than the input.
    if (text.size() > size) std::abort();
    return 0;
}
