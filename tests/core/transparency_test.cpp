#include "geometry/transparency.h"

#include <gtest/gtest.h>

namespace swl {
namespace {

TEST(Transparency, BlendAndSwitch) {
    struct Case {
        int percent;
        AlphaState expected;
        std::u16string tooltip;
    };
    const Case cases[] = {
        {0, {255, false}, u"0%"},
        {1, {254, true}, u"1%"},
        {40, {215, true}, u"40%"},
        {100, {155, true}, u"100%"},
        {-7, {255, false}, u"0%"},    // a damaged saved position
        {250, {155, true}, u"100%"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AlphaForTransparency(c.percent), c.expected) << c.percent;
        EXPECT_EQ(TransparencyTooltip(c.percent), c.tooltip) << c.percent;
    }
}

}  // namespace
}  // namespace swl
