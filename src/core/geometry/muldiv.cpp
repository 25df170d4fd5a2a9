#include "geometry/muldiv.h"

#include <cstdint>
#include <limits>

namespace swl {

int MulDiv(int a, int b, int c) {
    if (c == 0) return -1;
    // |a * b| <= 2^62, so negating the product and the divisor cannot overflow.
    std::int64_t product = static_cast<std::int64_t>(a) * b;
    std::int64_t divisor = c;
    if (divisor < 0) {
        product = -product;
        divisor = -divisor;
    }
    const std::int64_t half = divisor / 2;
    const std::int64_t q = product >= 0 ? (product + half) / divisor : (product - half) / divisor;
    // The platform rejects everything beyond +-INT_MAX, INT_MIN included.
    constexpr std::int64_t kMax = std::numeric_limits<int>::max();
    if (q > kMax || q < -kMax) return -1;
    return static_cast<int>(q);
}

}  // namespace swl
