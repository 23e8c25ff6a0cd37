#pragma once
// The cover's timing: how a fade-out is cut into 16 ms steps, how long a
// hide waits for the cover's minimum time, when the cover counts as fresh and
// when a cover left on screen is stranded. Ticks are 32-bit milliseconds that
// wrap; every comparison goes through unsigned or signed differences.
#include <cstdint>

namespace lumetra::palette {

inline constexpr int kFadeStepMs = 16;
inline constexpr int kCoverFadeOutMs = 256;
inline constexpr int kCrossfadeMs = 180;
inline constexpr int kOpaque = 255;
// The palette's show keeps the cover up at least this long.
inline constexpr std::uint32_t kCoverMinShowMs = 350;
inline constexpr std::uint32_t kCoverRecentMs = 750;
inline constexpr std::uint32_t kStrandedCoverMs = 1500;

// The 16 ms steps of a fade of `ms`: (ms + 15) / 16, at least 1.
int FadeSteps(int ms);
// The opacity after one more step of a fade of `steps` steps (ceil(255 /
// steps) less; a fade without a step count runs 16 steps). 0 or below: the
// fade is over.
int NextFadeAlpha(int alpha, int steps);

// How long a fade-out must still wait for `hideNotBefore` (0 = no limit);
// 0 when it may start now.
std::uint32_t HideWaitMs(std::uint32_t hideNotBefore, std::uint32_t now);
// `hideNotBefore` moved to now + ms, unless it already lies later.
std::uint32_t RaisedHideNotBefore(std::uint32_t hideNotBefore, std::uint32_t now, std::uint32_t ms);

// The cover went up so recently that the view under it may still be in
// transition: the palette fades in, the minimum time has not passed, or the
// cover was shown (`shownTick`, 0 = not shown) less than 750 ms ago.
bool CoverRecentlyShown(bool paletteFadingIn, std::uint32_t hideNotBefore, std::uint32_t shownTick,
                        std::uint32_t now);

// What the overlay watchdog looks at.
struct StrandedCoverCheck {
    bool settling = false;        // a refresh is settling
    bool revealDeferred = false;  // a deferred reveal will remove the cover
    int remainingSweeps = 0;      // reveal sweeps still armed
    bool fading = false;          // the cover's own fade-out runs
    bool shown = false;           // the cover window is visible
    std::uint32_t shownTick = 0;  // when it was shown; 0 = not shown
};
// A cover no refresh, reveal or fade will ever remove, up for over 1500 ms.
bool CoverStranded(const StrandedCoverCheck& check, std::uint32_t now);

}  // namespace lumetra::palette
