#pragma once
// One run of the lister: serve the stored list while its stamp holds,
// otherwise enumerate, print and store; or print the stamp alone.
#include <functional>
#include <string>
#include <string_view>

#include "pinlister/command_line.h"
#include "pinlister/pin_cache.h"
#include "pinlister/pin_line.h"

namespace lumetra::pinlister {

// Everything a run touches outside its own logic.
struct ListerHost {
    CachePaths paths;
    FileStore files;
    std::wstring tempTag;                         // unique to this process
    std::function<std::string()> currentStamp;    // UTF-8, taken anew on each call
    std::function<void(PinnedLines&)> enumerate;  // appends the pinned items' lines
    // Runs `save` holding the lock that every run of the lister shares; false,
    // with nothing run, when the lock could not be had.
    std::function<bool(const std::function<void()>& save)> exclusively;
    // Standard output: false unless every byte was written. Null when there is
    // no standard output.
    std::function<bool(std::string_view bytes)> write;
};

// Returns the exit code: 0 in the list modes; with the stamp alone, 0 when the
// stamp and its LF were written, else 1.
int RunLister(RunMode mode, const ListerHost& host);

}  // namespace lumetra::pinlister
