// The English string table.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace swl {

// The English text of a key (lower-cased before the lookup); empty for a key
// the table does not hold. All texts are plain ASCII.
std::string GetTextEN(std::string_view key);

// The table's keys, in table order.
std::span<const std::string_view> KeysEN();

}  // namespace swl
