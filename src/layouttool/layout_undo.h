#pragma once
// Taking a restore back. Before /restore positions its first icon it writes the
// current layout, as a save would, to a snapshot beside the layout file. Once
// the restore has set at least one position the snapshot becomes the undo file
// in one step; when it set none, the snapshot goes and the undo file stays.
// /undo restores the undo file like a layout file and then removes it.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "layouttool/layout_actions.h"

namespace lumetra::layouttool {

// The files a restore keeps its undo in.
struct UndoFileSteps {
    // The current positions, read as a save reads them (screen points).
    std::function<bool(std::vector<SavedItem>& items)> readItems;
    // The layout writer of /save.
    std::function<bool(const std::wstring& path, const std::vector<std::uint8_t>& image)> writeFile;
    // Moves `from` over `to` so that `to` is never missing in between.
    std::function<bool(const std::wstring& from, const std::wstring& to)> replaceFile;
    // True when the file is gone afterwards, also when there was none.
    std::function<bool(const std::wstring& path)> deleteFile;
    std::function<void(const wchar_t* line)> log;
};

// /restore with its undo kept. A snapshot that cannot be taken does not stop
// the restore: the restore goes on, and when it then moves icons the old undo
// file is removed, since it no longer describes the layout before the last
// restore. Exit codes as RunRestore.
int RunRestoreKeepingUndo(RestoreSteps restore, const UndoFileSteps& files);

struct UndoSteps {
    // Its layoutPath names the layout file; the undo file beside it is restored.
    RestoreSteps restore;
    // The question; true for yes.
    std::function<bool()> confirm;
    std::function<bool(const std::wstring& path)> deleteFile;
    std::function<void(const wchar_t* line)> log;
};

// Without a usable undo file: "Nothing to undo.", exit 5, no question. After a
// yes the undo file is restored with restore's messages and exit codes, and
// removed once the restore set a position; otherwise it stays for another try.
int RunUndo(UndoSteps steps);

}  // namespace lumetra::layouttool
