// The Vietnamese string table.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace swl {

// The Vietnamese text of a key (lower-cased before the lookup); empty for a
// key the table does not hold. The table keeps its texts in UTF-8 and
// decodes them at every lookup, so the result does not depend on any code
// page.
std::u16string GetTextVI(std::string_view key);

// The table's keys, in table order.
std::span<const std::string_view> KeysVI();

}  // namespace swl
