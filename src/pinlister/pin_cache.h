#pragma once
// The stored list and its stamp. The stamp is written only for a list that is
// complete on disk, so a stamp that matches always vouches for a whole list.
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumetra::pinlister {

struct CachePaths {
    std::wstring cache;  // both empty when the data folder is unknown
    std::wstring stamp;

    bool known() const { return !cache.empty() && !stamp.empty(); }
};

// Paths in the data folder; none for an empty folder.
CachePaths CachePathsIn(std::wstring_view dataFolder);

// Larger stored files are taken for damage, not read: the list is enumerated
// and stored anew instead.
inline constexpr std::size_t kMaxStampBytes = 64 * 1024;
inline constexpr std::size_t kMaxCacheBytes = 16 * 1024 * 1024;

// The file operations the cache needs, each reporting success.
struct FileStore {
    // The whole file; nothing when it is missing, unreadable or holds more
    // than `maxBytes`, which are then never read into memory.
    std::function<std::optional<std::string>(const std::wstring& path, std::size_t maxBytes)> read;
    // Creates or truncates, then writes every byte.
    std::function<bool(const std::wstring& path, std::string_view bytes)> write;
    // Renames over an existing file in one step.
    std::function<bool(const std::wstring& from, const std::wstring& to)> replace;
    // True also when there was nothing to remove.
    std::function<bool(const std::wstring& path)> remove;
    // Full paths of the files matching a path whose last element holds '*'.
    std::function<std::vector<std::wstring>(const std::wstring& pattern)> find;
};

// A stored stamp matches when it equals the current one byte for byte once
// the CR and LF bytes at its end are gone.
bool StampMatches(std::string_view stored, std::string_view current);

// The stored list when its stamp matches the current one and it is not empty.
std::optional<std::string> ReadMatchingCache(const FileStore& files, const CachePaths& paths,
                                             std::string_view currentStamp);

// Every line followed by one LF.
std::string JoinLines(const std::vector<std::string>& lines);

// Stores the list and then its stamp. The old stamp goes first and each file
// arrives through a temporary file renamed over it, so a failure or a crash
// half way never leaves a stamp beside a list that was not written with it.
// Two runs saving at once could still interleave their steps and leave the
// older list under the newer stamp: callers hold the lock all runs share
// around it. Temporary files that earlier runs left behind are removed first.
// True when both files were stored.
bool SaveCache(const FileStore& files, const CachePaths& paths, std::string_view cache,
               std::string_view stamp, std::wstring_view tempTag);

}  // namespace lumetra::pinlister
