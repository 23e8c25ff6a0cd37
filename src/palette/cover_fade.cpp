#include "palette/cover_fade.h"

namespace lumetra::palette {
namespace {
// Later than `deadline` by the signed difference, so that a deadline just
// past the tick counter's wrap still lies ahead of a tick just before it.
bool Before(std::uint32_t now, std::uint32_t deadline) {
    return static_cast<std::int32_t>(deadline - now) > 0;
}
}  // namespace

int FadeSteps(int ms) {
    const int steps = (ms + kFadeStepMs - 1) / kFadeStepMs;
    return steps < 1 ? 1 : steps;
}

int NextFadeAlpha(int alpha, int steps) {
    if (steps < 1) steps = 16;
    return alpha - (steps + kOpaque - 1) / steps;
}

std::uint32_t HideWaitMs(std::uint32_t hideNotBefore, std::uint32_t now) {
    if (hideNotBefore == 0 || !Before(now, hideNotBefore)) return 0;
    return hideNotBefore - now;
}

std::uint32_t RaisedHideNotBefore(std::uint32_t hideNotBefore, std::uint32_t now,
                                  std::uint32_t ms) {
    const std::uint32_t until = now + ms;
    return hideNotBefore == 0 || Before(hideNotBefore, until) ? until : hideNotBefore;
}

bool CoverRecentlyShown(bool paletteFadingIn, std::uint32_t hideNotBefore, std::uint32_t shownTick,
                        std::uint32_t now) {
    if (paletteFadingIn) return true;
    if (HideWaitMs(hideNotBefore, now) > 0) return true;
    return shownTick != 0 && now - shownTick < kCoverRecentMs;
}

bool CoverStranded(const StrandedCoverCheck& check, std::uint32_t now) {
    if (check.settling || check.revealDeferred || check.remainingSweeps >= 1 || check.fading)
        return false;
    return check.shown && check.shownTick != 0 && now - check.shownTick > kStrandedCoverMs;
}

}  // namespace lumetra::palette
