// Scripted checks of the hook watchdog: raw input and hook events arrive,
// the timer checks, and the script records the checks that found the hook
// lost. Each script also runs across the wrap of the tick and the counters.
#include "triggers/hook_watchdog.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace lumetra::triggers {
namespace {

struct Case {
    const char* name;
    const char* script;
    const char* expected;
};

// "r6@100" six raw input events, "h1@100" one hook event, "c@100" a check,
// "tap@100" a first tap pending from then, "done@" it resolved, "off@" /
// "on@" the trigger disabled / enabled, "gone@" the handle released,
// "inst@" the hook (re)installed. Returns "lost:<raw>/<ms>@t" per loss found.
std::string RunWatch(const std::string& script, std::uint32_t base, std::uint32_t countBase) {
    HookWatch watch;
    HookFacts facts;
    facts.enabled = facts.installed = true;
    facts.counts = {countBase, countBase};
    RestartHookWatch(watch, facts.counts, base);
    std::istringstream in(script);
    std::string token, out;
    while (in >> token) {
        const std::size_t at = token.find('@');
        const std::string op = token.substr(0, at);
        const std::uint32_t ms = static_cast<std::uint32_t>(std::stoul(token.substr(at + 1)));
        const std::uint32_t now = base + ms;
        if (op[0] == 'r' && op.size() > 1) {
            facts.counts.raw += static_cast<std::uint32_t>(std::stoul(op.substr(1)));
        } else if (op[0] == 'h') {
            facts.counts.hook += static_cast<std::uint32_t>(std::stoul(op.substr(1)));
        } else if (op == "c") {
            const HookLoss loss = CheckHook(watch, facts, now);
            if (loss.lost) {
                EXPECT_EQ(loss.hookEvents, 0u);
                if (!out.empty()) out.append(" ");
                out.append("lost:")
                    .append(std::to_string(loss.rawEvents))
                    .append("/")
                    .append(std::to_string(loss.silentMs))
                    .append("@")
                    .append(std::to_string(ms));
            }
        } else if (op == "tap") {
            facts.pendingGestureTick = now;
        } else if (op == "done") {
            facts.pendingGestureTick = 0;
        } else if (op == "off" || op == "on") {
            facts.enabled = op == "on";
        } else if (op == "gone") {
            facts.installed = false;
        } else if (op == "inst") {
            facts.installed = true;
            RestartHookWatch(watch, facts.counts, now);
        } else {
            ADD_FAILURE() << "bad token " << token;
        }
    }
    return out;
}

const Case kCases[] = {
    {"raw input without the hook for the window is a loss",
     "r3@100 c@100 r3@600 c@600 c@900 c@1000", "lost:6/1000@1000"},
    {"the window is timed from the last check that saw the hook",
     "h2@100 r2@100 c@100 r6@900 c@1000 c@1099 c@1100", "lost:6/1000@1100"},
    {"a live hook is never lost, however much raw input",
     "r50@300 h49@300 c@400 r50@1300 h50@1300 c@1400 r50@2400 h1@2400 c@2500", ""},
    {"no raw input: an idle desktop says nothing about the hook", "c@1000 c@5000 c@60000", ""},
    {"fewer raw events than needed, however long", "r3@100 c@1000 c@30000 r1@30100 c@30200",
     "lost:4/30200@30200"},
    {"right after an install the window starts again",
     "r9@100 inst@900 c@1000 r4@1000 c@1899 c@1900", "lost:4/1000@1900"},
    {"a tap in progress holds the decision back", "r8@100 tap@200 c@1100 c@2100 done@2150 c@2200",
     "lost:8/2200@2200"},
    {"a first tap a lost hook left behind is stale after 2 s", "tap@0 r8@100 c@1500 c@1999 c@2000",
     "lost:8/2000@2000"},
    {"a disabled trigger is never lost, and its window restarts when enabled",
     "off@0 r20@100 c@1200 c@5000 on@5000 c@5100 c@6000 r4@6050 c@6100", "lost:4/1000@6100"},
    {"a hook the program released is not watched",
     "gone@0 r20@100 c@1200 c@5000 inst@5000 c@5999 r4@5999 c@6000", "lost:4/1000@6000"},
    {"after a loss the next check only starts the window again, and the next loss waits twice as "
     "long",
     "r4@100 c@1000 r4@1050 c@1100 r4@1200 c@2100 c@3099 c@3100",
     "lost:4/1000@1000 lost:4/2000@3100"},
    {"a hook lost again and again is re-installed ever less often, at most every 64 s",
     "r4@0 c@1000 c@1001 r4@1001 c@3001 c@3002 r4@3002 c@7002 c@7003 r4@7003 c@15003 c@15004 "
     "r4@15004 c@31004 c@31005 r4@31005 c@63005 c@63006 r4@63006 c@127006 c@127007 r4@127007 "
     "c@191006 c@191007",
     "lost:4/1000@1000 lost:4/2000@3001 lost:4/4000@7002 lost:4/8000@15003 lost:4/16000@31004 "
     "lost:4/32000@63005 lost:4/64000@127006 lost:4/64000@191007"},
    {"one event the hook sees ends the waiting longer",
     "r4@0 c@1000 c@1001 r4@1001 c@3001 c@3002 h1@3500 c@3600 r4@3700 c@4599 c@4600",
     "lost:4/1000@1000 lost:4/2000@3001 lost:4/1000@4600"},
    {"a trigger turned off and on again starts without waiting longer",
     "r4@0 c@1000 c@1001 r4@1001 c@3001 off@3002 c@3002 on@3003 c@3003 r4@3004 c@4003",
     "lost:4/1000@1000 lost:4/2000@3001 lost:4/1000@4003"},
};

constexpr std::uint32_t kTickBases[] = {1000u, 0xFFFFFE00u};
constexpr std::uint32_t kCountBases[] = {0u, 0xFFFFFFFEu};

TEST(HookWatchdog, Scripts) {
    for (const Case& c : kCases)
        for (std::uint32_t base : kTickBases)
            for (std::uint32_t counts : kCountBases)
                EXPECT_EQ(RunWatch(c.script, base, counts), c.expected)
                    << c.name << " (tick base " << base << ", counts from " << counts << ")";
}

}  // namespace
}  // namespace lumetra::triggers
