#include "pinlister/pin_cache.h"

namespace lumetra::pinlister {
namespace {

bool ReplaceWhole(const FileStore& files, const std::wstring& path, std::string_view bytes,
                  std::wstring_view tempTag) {
    std::wstring temp = path;
    temp += L'.';
    temp += tempTag;
    temp += L".tmp";
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
    const std::optional<std::string> stored = files.read(paths.stamp);
    if (!stored || !StampMatches(*stored, currentStamp)) return std::nullopt;
    std::optional<std::string> cache = files.read(paths.cache);
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
    if (!files.remove(paths.stamp)) return false;
    if (!ReplaceWhole(files, paths.cache, cache, tempTag)) return false;
    return ReplaceWhole(files, paths.stamp, stamp, tempTag);
}

}  // namespace lumetra::pinlister
