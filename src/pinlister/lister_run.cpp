#include "pinlister/lister_run.h"

#include <optional>

namespace lumetra::pinlister {
namespace {

bool Write(const ListerHost& host, std::string_view bytes) {
    return host.write && host.write(bytes);
}

int PrintStamp(const ListerHost& host) {
    const std::string stamp = host.currentStamp();
    if (stamp.empty() || !host.write) return 1;
    const bool written = Write(host, stamp);
    return written && Write(host, "\n") ? 0 : 1;
}

// The stamp is taken before the enumeration and stored with its list: a pin
// change while the enumeration runs then makes the next run's stamp differ and
// enumerate again. A stamp taken afterwards would already include that change
// and vouch for a list that misses it.
void EnumeratePrintAndStore(const ListerHost& host, const std::string& stamp) {
    PinnedLines pins;
    host.enumerate(pins);
    for (const std::string& line : pins.lines) {
        if (!line.empty() && Write(host, line)) Write(host, "\n");
    }
    if (pins.lines.empty() || stamp.empty()) return;
    const std::string cache = JoinLines(pins.lines);
    // The list is printed already; without the lock it is simply not stored.
    host.exclusively([&] { SaveCache(host.files, host.paths, cache, stamp, host.tempTag); });
}

}  // namespace

int RunLister(RunMode mode, const ListerHost& host) {
    if (mode == RunMode::StampOnly) return PrintStamp(host);
    const std::string stamp = host.paths.known() ? host.currentStamp() : std::string();
    if (mode == RunMode::List) {
        if (const std::optional<std::string> cache =
                ReadMatchingCache(host.files, host.paths, stamp)) {
            Write(host, *cache);
            return 0;
        }
    }
    EnumeratePrintAndStore(host, stamp);
    return 0;
}

}  // namespace lumetra::pinlister
