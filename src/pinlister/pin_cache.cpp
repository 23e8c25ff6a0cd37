#include "pinlister/pin_cache.h"

namespace lumetra::pinlister {
namespace {

constexpr std::wstring_view kTempSuffix = L".tmp";

std::wstring TempPath(const std::wstring& path, std::wstring_view tag) {
    std::wstring temp = path;
    temp += L'.';
    temp += tag;
    temp += kTempSuffix;
    return temp;
}

// Removes `path`.*.tmp of any run. The name is checked again here: a wildcard
// also matches short 8.3 names, so the listing may hold more than asked.
void RemoveLeftovers(const FileStore& files, const std::wstring& path) {
    if (!files.find) return;
    const std::wstring prefix = path + L'.';
    for (const std::wstring& found : files.find(TempPath(path, L"*"))) {
        const bool ours = found.size() > prefix.size() + kTempSuffix.size() &&
                          found.starts_with(prefix) && found.ends_with(kTempSuffix);
        if (ours) files.remove(found);
    }
}

bool ReplaceWhole(const FileStore& files, const std::wstring& path, std::string_view bytes,
                  std::wstring_view tempTag) {
    const std::wstring temp = TempPath(path, tempTag);
    if (files.write(temp, bytes) && files.replace(temp, path)) return true;
    files.remove(temp);
    return false;
}

}  // namespace

CachePaths CachePathsIn(std::wstring_view dataFolder) {
    if (dataFolder.empty()) return {};
    const std::wstring folder(dataFolder);
    return {folder + L"\\taskbar_pins.cache", folder + L"\\taskbar_pins.stamp"};
}

bool StampMatches(std::string_view stored, std::string_view current) {
    const std::size_t end = stored.find_last_not_of("\r\n");
    stored = end == std::string_view::npos ? std::string_view() : stored.substr(0, end + 1);
    return stored == current;
}

std::optional<std::string> ReadMatchingCache(const FileStore& files, const CachePaths& paths,
                                             std::string_view currentStamp) {
    if (!paths.known() || currentStamp.empty()) return std::nullopt;
    const std::optional<std::string> stored = files.read(paths.stamp, kMaxStampBytes);
    if (!stored || !StampMatches(*stored, currentStamp)) return std::nullopt;
    std::optional<std::string> cache = files.read(paths.cache, kMaxCacheBytes);
    if (!cache || cache->empty()) return std::nullopt;
    return cache;
}

std::string JoinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += '\n';
    }
    return text;
}

bool SaveCache(const FileStore& files, const CachePaths& paths, std::string_view cache,
               std::string_view stamp, std::wstring_view tempTag) {
    if (!paths.known()) return false;
    RemoveLeftovers(files, paths.cache);
    RemoveLeftovers(files, paths.stamp);
    if (!files.remove(paths.stamp)) return false;
    if (!ReplaceWhole(files, paths.cache, cache, tempTag)) return false;
    return ReplaceWhole(files, paths.stamp, stamp, tempTag);
}

}  // namespace lumetra::pinlister
