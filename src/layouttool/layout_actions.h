#pragma once
// The save and restore actions as sequences of steps and their reports. The
// Windows side supplies the steps (shell view, files, coordinate mapping);
// the decisions, messages and exit codes live here.
#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "layouttool/layout_file.h"
#include "layouttool/texts.h"

namespace lumetra::layouttool {

struct SaveSteps {
    std::function<bool()> openView;
    // Negative when the count cannot be read.
    std::function<long long()> itemCount;
    // False when the icon list cannot be read; items carry screen points.
    std::function<bool(std::vector<SavedItem>& items)> readItems;
    std::function<std::wstring()> layoutPath;
    std::function<bool(const std::wstring& path, const std::vector<std::uint8_t>& image)> writeFile;
    std::function<void(const Notice& notice)> notify;
};

// Exit code 0, 3 or 4.
int RunSave(const SaveSteps& steps);

enum class ViewAccess { kOk, kNoView, kNoLayoutInterface };
enum class FileRead { kOk, kUnavailable };

struct RestoreSteps {
    std::function<std::wstring()> layoutPath;
    // kUnavailable: missing, unreadable, or larger than kMaxLayoutFileBytes.
    std::function<FileRead(const std::wstring& path, std::vector<std::uint8_t>& bytes)> readFile;
    std::function<ViewAccess()> openView;
    std::function<bool()> autoArrangeOn;
    // Finds the list view whose client area the saved screen points map into.
    std::function<void()> prepareMapping;
    // Positions one saved item; true when the view accepted it.
    std::function<bool(const LayoutRecordView& record)> positionItem;
    std::function<void(const Notice& notice)> notify;
    // Optional: once every check has passed, just before the first record is positioned.
    std::function<void()> beforeMoving;
    // Optional: after the walk, with the number of items whose position the view set.
    std::function<void(std::size_t moved)> afterMoving;
    // How a missing or too short file is reported.
    const TextPair* missingTitle = &text::kNoLayoutFileTitle;
    const TextPair* missingBody = &text::kNoLayoutFileBody;
};

// True when a read gave nothing a restore could start from (exit code 5).
bool LayoutFileMissing(FileRead read, std::span<const std::uint8_t> bytes);

// Exit code 0, 5, 6 or 7.
int RunRestore(const RestoreSteps& steps);

}  // namespace lumetra::layouttool
