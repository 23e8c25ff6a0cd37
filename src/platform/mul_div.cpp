#include "platform/mul_div.h"

#include <cstdint>
#include <cstdlib>

namespace lumetra::platform {

int MulDivRound(int a, int b, int c) {
    if (c == 0) return -1;
    const long long product = static_cast<long long>(a) * b;
    const long long half = std::llabs(c) / 2;
    long long q = (std::llabs(product) + half) / std::llabs(c);
    if ((product < 0) != (c < 0)) q = -q;
    if (q > INT32_MAX || q < INT32_MIN) return -1;
    return static_cast<int>(q);
}

}  // namespace lumetra::platform
