#include "log/long_path.h"

#include <algorithm>
#include <string_view>

namespace lumetra::log {
namespace {

constexpr std::wstring_view kExtendedPrefix = L"\\\\?\\";
constexpr std::wstring_view kExtendedUncPrefix = L"\\\\?\\UNC\\";
constexpr std::wstring_view kDevicePrefix = L"\\\\.\\";

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

bool StartsWith(std::wstring_view text, std::wstring_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

bool IsDriveRoot(std::wstring_view path) {
    return path.size() >= 3 &&
           ((path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z')) &&
           path[1] == L':' && path[2] == L'\\';
}

// Index just behind the n-th backslash at or after from; npos when missing.
std::size_t AfterSeparators(std::wstring_view path, std::size_t from, int n) {
    for (std::size_t i = from; i < path.size(); ++i)
        if (path[i] == L'\\' && --n == 0) return i + 1;
    return std::wstring_view::npos;
}

}  // namespace

std::wstring ReadGrowing(const FillBuffer& fill) {
    std::size_t capacity = 260;
    std::wstring buffer;
    for (;;) {
        buffer.assign(capacity, L'\0');
        const std::size_t n = fill(buffer.data(), capacity);
        if (n == 0) return {};
        if (n < capacity) {
            buffer.resize(n);
            return buffer;
        }
        if (capacity == kMaxPathUnits) return {};
        capacity = std::min(std::max(n + 1, capacity * 2), kMaxPathUnits);
    }
}

std::wstring FolderOf(const std::wstring& path) {
    std::size_t n = path.size();
    while (n > 0 && !IsSeparator(path[n - 1])) --n;
    while (n > 0 && IsSeparator(path[n - 1])) --n;
    return path.substr(0, n);
}

std::wstring ExtendedLengthForm(const std::wstring& fullPath) {
    if (fullPath.size() < kLongPathUnits || StartsWith(fullPath, kExtendedPrefix) ||
        StartsWith(fullPath, kDevicePrefix))
        return fullPath;
    if (IsDriveRoot(fullPath)) return std::wstring(kExtendedPrefix) + fullPath;
    if (StartsWith(fullPath, L"\\\\")) return std::wstring(kExtendedUncPrefix) + fullPath.substr(2);
    return fullPath;
}

std::vector<std::wstring> FolderChain(const std::wstring& extendedFolder) {
    std::size_t next = std::wstring_view::npos;
    if (StartsWith(extendedFolder, kExtendedUncPrefix))
        next = AfterSeparators(extendedFolder, kExtendedUncPrefix.size(), 2);  // server\share
    else if (StartsWith(extendedFolder, kExtendedPrefix) &&
             IsDriveRoot(std::wstring_view(extendedFolder).substr(kExtendedPrefix.size())))
        next = kExtendedPrefix.size() + 3;  // behind "C:\"
    std::vector<std::wstring> chain;
    if (next == std::wstring_view::npos) return chain;
    while (next < extendedFolder.size()) {
        std::size_t end = extendedFolder.find(L'\\', next);
        if (end == std::wstring::npos) end = extendedFolder.size();
        if (end > next) chain.push_back(extendedFolder.substr(0, end));
        next = end + 1;
    }
    return chain;
}

}  // namespace lumetra::log
