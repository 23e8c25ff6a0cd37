#pragma once
// A realistic stream of low-level key events for the double-tap hook: typing
// with shifted letters, Ctrl chords and now and then a double tap of Alt.
#include <cstdint>
#include <vector>

#include "triggers/double_tap.h"

namespace lumetra::bench {

struct TimedKey {
    triggers::KeyEvent event;
    std::uint32_t at;
};

inline std::vector<TimedKey> TypingStream(std::size_t count) {
    using triggers::KeyTransition;
    std::vector<TimedKey> out;
    out.reserve(count + 8);
    std::uint32_t now = 0xFFFF0000u, seed = 12345;
    auto press = [&](std::uint32_t vk, std::uint32_t gap) {
        now += gap;
        out.push_back({{KeyTransition::kDown, vk, false, false, false}, now});
        now += 40;
        out.push_back({{KeyTransition::kUp, vk, false, false, false}, now});
    };
    while (out.size() < count) {
        seed = seed * 1103515245u + 12345u;
        const std::uint32_t r = (seed >> 16) % 100;
        if (r < 80) {
            press(0x41 + r % 26, 70);  // a letter
        } else if (r < 90) {
            now += 50;
            out.push_back(
                {{KeyTransition::kDown, 160, false, false, false}, now});  // Shift + letter
            press(0x41 + r % 26, 30);
            out.push_back({{KeyTransition::kUp, 160, false, false, false}, now + 20});
        } else if (r < 97) {
            out.push_back(
                {{KeyTransition::kDown, 162, false, false, false}, now += 60});  // Ctrl + C
            press(0x43, 30);
            out.push_back({{KeyTransition::kUp, 162, false, false, false}, now += 20});
        } else {
            press(164, 300);  // Alt, Alt
            press(164, 120);
        }
    }
    out.resize(count);
    return out;
}

}  // namespace lumetra::bench
