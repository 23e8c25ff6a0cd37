#pragma once
// An in-memory folder behind the cache's FileStore, with faults on demand:
// a chosen operation fails, or the process "dies" in it (a write leaves half
// its bytes behind first).
#include <functional>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "pinlister/pin_cache.h"

namespace lumetra::pinlister::fakes {

// Thrown by a fault that ends the run where it stands.
struct ProcessDied : std::runtime_error {
    ProcessDied() : std::runtime_error("process died") {}
};

class MemoryFiles {
  public:
    enum class Fault { None, Fail, Die };

    std::map<std::wstring, std::string> files;
    int operations = 0;  // writes, renames and removals so far
    // The operation (counted from 1, 0: every one) that meets `fault`, and
    // the text its path must contain (empty: any path).
    int faultAt = 0;
    Fault fault = Fault::None;
    std::wstring faultPathPart;

    FileStore store() {
        FileStore s;
        s.read = [this](const std::wstring& path,
                        std::size_t maxBytes) -> std::optional<std::string> {
            auto it = files.find(path);
            if (it == files.end() || it->second.size() > maxBytes) return std::nullopt;
            return it->second;
        };
        s.write = [this](const std::wstring& path, std::string_view bytes) {
            if (hit(path)) {
                files[path] = std::string(bytes.substr(0, bytes.size() / 2));
                if (fault == Fault::Die) throw ProcessDied();
                return false;
            }
            files[path] = std::string(bytes);
            return true;
        };
        s.replace = [this](const std::wstring& from, const std::wstring& to) {
            if (hit(to)) {
                if (fault == Fault::Die) throw ProcessDied();
                return false;
            }
            auto it = files.find(from);
            if (it == files.end()) return false;
            files[to] = std::move(it->second);
            files.erase(from);
            return true;
        };
        s.remove = [this](const std::wstring& path) {
            if (hit(path)) {
                if (fault == Fault::Die) throw ProcessDied();
                return false;
            }
            files.erase(path);
            return true;
        };
        // One '*' in the last element, standing for any text without a backslash.
        s.find = [this](const std::wstring& pattern) {
            const std::size_t star = pattern.find(L'*');
            const std::wstring head = pattern.substr(0, star);
            const std::wstring tail = pattern.substr(star + 1);
            std::vector<std::wstring> found;
            for (const auto& [path, bytes] : files) {
                if (path.size() < head.size() + tail.size() || !path.starts_with(head) ||
                    !path.ends_with(tail))
                    continue;
                const std::wstring middle =
                    path.substr(head.size(), path.size() - head.size() - tail.size());
                if (middle.find(L'\\') == std::wstring::npos) found.push_back(path);
            }
            return found;
        };
        return s;
    }

    std::optional<std::string> at(const std::wstring& path) const {
        auto it = files.find(path);
        return it == files.end() ? std::nullopt : std::optional<std::string>(it->second);
    }

  private:
    bool hit(const std::wstring& path) {
        ++operations;
        if (fault == Fault::None) return false;
        if (!faultPathPart.empty() && path.find(faultPathPart) == std::wstring::npos) return false;
        return faultAt == 0 || operations == faultAt;
    }
};

}  // namespace lumetra::pinlister::fakes
