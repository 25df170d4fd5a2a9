// Unicode normalisation form C through the system (NormalizeString): a
// letter with combining marks ("e" + U+0323 + U+0302) becomes the one
// precomposed character ("ệ"), as most keyboards type it. Systems without
// NormalizeString (before Windows Vista, without the IDN download) keep
// texts as they are.
#pragma once

#include <string>
#include <string_view>

namespace swl {

std::u16string ComposedForm(std::u16string_view text);

}  // namespace swl
