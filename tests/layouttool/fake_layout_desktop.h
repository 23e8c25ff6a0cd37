#pragma once
// A desktop for the layout actions whose view, files and reports are plain values.
#include <algorithm>
#include <initializer_list>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "layouttool/layout_actions.h"
#include "layouttool/layout_undo.h"

namespace lumetra::layouttool {

using Bytes = std::vector<std::uint8_t>;

inline Bytes ItemId(char tag) { return {3, 0, static_cast<std::uint8_t>(tag), 0, 0}; }

inline Bytes Layout(std::initializer_list<std::pair<char, LayoutPoint>> items) {
    std::vector<SavedItem> saved;
    for (const auto& [tag, point] : items) saved.push_back({ItemId(tag), point});
    return BuildLayoutImage(saved);
}

struct FakeDesktop {
    bool viewAvailable = true;
    ViewAccess access = ViewAccess::kOk;
    long long count = 0;
    bool listReadable = true;
    // What the view shows; a restore moves the ones in `present`.
    std::vector<SavedItem> items;
    std::wstring path = L"C:\\data\\desktop_layout.sv1";
    bool writable = true;
    std::map<std::wstring, Bytes> files;
    std::set<std::wstring> locked;  // files that cannot be written, replaced or deleted
    bool autoArrange = false;
    std::vector<char> present;  // items the view can position, by tag
    std::vector<std::pair<char, LayoutPoint>> positioned;
    std::vector<Notice> notices;
    std::vector<std::wstring> logged;
    int itemReads = 0;
    bool mapped = false;

    SaveSteps Save() {
        SaveSteps s;
        s.openView = [this] { return viewAvailable; };
        s.itemCount = [this] { return count; };
        s.readItems = [this](std::vector<SavedItem>& out) { return ReadItems(out); };
        s.layoutPath = [this] { return path; };
        s.writeFile = [this](const std::wstring& p, const Bytes& image) {
            if (writable) files[p] = image;
            return writable;
        };
        s.notify = [this](const Notice& n) { notices.push_back(n); };
        return s;
    }

    RestoreSteps Restore() {
        RestoreSteps s;
        s.layoutPath = [this] { return path; };
        s.readFile = [this](const std::wstring& p, Bytes& out) {
            const auto it = files.find(p);
            if (it == files.end()) return FileRead::kUnavailable;
            out = it->second;
            return FileRead::kOk;
        };
        s.openView = [this] { return viewAvailable ? access : ViewAccess::kNoView; };
        s.autoArrangeOn = [this] { return autoArrange; };
        s.prepareMapping = [this] { mapped = true; };
        s.positionItem = [this](const LayoutRecordView& r) {
            const char tag = r.id.size() > 2 ? static_cast<char>(r.id[2]) : '?';
            positioned.emplace_back(tag, r.point);
            if (std::find(present.begin(), present.end(), tag) == present.end()) return false;
            for (SavedItem& item : items)
                if (item.id == ItemId(tag)) item.point = r.point;
            return true;
        };
        s.notify = [this](const Notice& n) { notices.push_back(n); };
        return s;
    }

    UndoFileSteps UndoFiles() {
        UndoFileSteps s;
        s.readItems = [this](std::vector<SavedItem>& out) { return ReadItems(out); };
        s.writeFile = [this](const std::wstring& p, const Bytes& image) {
            if (locked.contains(p)) return false;
            files[p] = image;
            return true;
        };
        s.replaceFile = [this](const std::wstring& from, const std::wstring& to) {
            if (locked.contains(from) || locked.contains(to) || !files.contains(from)) return false;
            files[to] = files[from];
            files.erase(from);
            return true;
        };
        s.deleteFile = [this](const std::wstring& p) { return Delete(p); };
        s.log = [this](const wchar_t* line) { logged.emplace_back(line); };
        return s;
    }

    UndoSteps Undo(bool answer, bool* asked = nullptr) {
        UndoSteps s;
        s.restore = Restore();
        s.confirm = [answer, asked] {
            if (asked) *asked = true;
            return answer;
        };
        s.deleteFile = [this](const std::wstring& p) { return Delete(p); };
        s.log = [this](const wchar_t* line) { logged.emplace_back(line); };
        return s;
    }

    // The points of the items the view shows, by tag.
    std::vector<std::pair<char, LayoutPoint>> Points() const {
        std::vector<std::pair<char, LayoutPoint>> out;
        for (const SavedItem& item : items)
            out.emplace_back(item.id.size() > 2 ? static_cast<char>(item.id[2]) : '?', item.point);
        return out;
    }

  private:
    bool ReadItems(std::vector<SavedItem>& out) {
        ++itemReads;
        out = items;
        return listReadable;
    }

    bool Delete(const std::wstring& p) {
        if (locked.contains(p)) return false;
        files.erase(p);
        return true;
    }
};

}  // namespace lumetra::layouttool
