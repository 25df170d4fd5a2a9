// How the string tables match a key: the asked key is lower-cased (ASCII
// "A" to "Z" only, every other byte stays) and then compared byte for byte
// with the table's lower-case key.
#pragma once

#include <string_view>

#include "ascii_case.h"

namespace swl {

constexpr bool KeyMatches(std::string_view tableKey, std::string_view key) {
    if (tableKey.size() != key.size()) return false;
    for (std::size_t i = 0; i < key.size(); ++i)
        if (LowerAscii(key[i]) != tableKey[i]) return false;
    return true;
}

}  // namespace swl
