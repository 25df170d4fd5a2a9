// Reading one tag of markup: its name and its attributes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace swl::markup_detail {

struct MarkupAttribute {
    std::u16string name;   // lower case (ASCII)
    std::u16string value;  // surrounding quotes removed
};

struct MarkupTag {
    std::u16string name;   // lower case (ASCII); an end tag's name starts with "/"
    std::vector<MarkupAttribute> attributes;

    // The value of the first attribute called `lowerName`, or null.
    const std::u16string* Find(std::u16string_view lowerName) const;
};

struct TagRead {
    std::size_t next = 0;  // where reading the text goes on
    bool isTag = false;    // false for a comment or a tag cut off by the end of the text
    MarkupTag tag;
};

// Reads the tag whose "<" is at text[pos]. The name runs to the first space
// or ">"; after a space, attributes run to the first ">" and are split at
// spaces outside single or double quotes (runs of spaces inside quotes
// collapse to one); pieces without "=" are dropped. "<!--" starts a comment
// that ends after the next "-->".
TagRead ReadTag(std::u16string_view text, std::size_t pos);

}  // namespace swl::markup_detail
