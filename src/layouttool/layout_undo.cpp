#include "layouttool/layout_undo.h"

#include "layouttool/exit_codes.h"
#include "layouttool/layout_path.h"

namespace lumetra::layouttool {
namespace {

enum class SnapshotFate { kBecomesUndo, kDiscarded, kUndoDropped };

SnapshotFate DecideSnapshotFate(bool snapshotTaken, std::size_t moved) {
    if (moved == 0) return SnapshotFate::kDiscarded;
    return snapshotTaken ? SnapshotFate::kBecomesUndo : SnapshotFate::kUndoDropped;
}

bool TakeSnapshot(const UndoFileSteps& files, const std::wstring& snapshot) {
    std::vector<SavedItem> items;
    if (!files.readItems(items)) {
        files.log(L"undo: the current icon positions could not be read; no undo for this restore");
        return false;
    }
    std::erase_if(items, [](const SavedItem& item) { return !IsStorableItemId(item.id.size()); });
    if (items.empty()) {
        files.log(L"undo: no icon has a position to keep; no undo for this restore");
        return false;
    }
    if (!files.writeFile(snapshot, BuildLayoutImage(items))) {
        files.log(L"undo: the snapshot could not be written; no undo for this restore");
        return false;
    }
    return true;
}

void DropUndo(const UndoFileSteps& files, const std::wstring& undo) {
    if (!files.deleteFile(undo)) files.log(L"undo: the outdated undo file could not be removed");
}

void Settle(const UndoFileSteps& files, SnapshotFate fate, const std::wstring& snapshot,
            const std::wstring& undo) {
    switch (fate) {
        case SnapshotFate::kBecomesUndo:
            if (files.replaceFile(snapshot, undo)) return;
            files.log(L"undo: the snapshot could not replace the undo file");
            DropUndo(files, undo);
            break;
        case SnapshotFate::kUndoDropped: DropUndo(files, undo); break;
        case SnapshotFate::kDiscarded: break;
    }
    // Also clears a snapshot an interrupted run left behind.
    if (!files.deleteFile(snapshot)) files.log(L"undo: the snapshot could not be removed");
}

}  // namespace

int RunRestoreKeepingUndo(RestoreSteps restore, const UndoFileSteps& files) {
    const std::wstring layout = restore.layoutPath();
    restore.layoutPath = [layout] { return layout; };
    const std::wstring snapshot = SnapshotFileBeside(layout);
    const std::wstring undo = UndoFileBeside(layout);
    bool taken = false;
    bool walked = false;
    std::size_t moved = 0;
    restore.beforeMoving = [&] { taken = !snapshot.empty() && TakeSnapshot(files, snapshot); };
    restore.afterMoving = [&](std::size_t count) {
        walked = true;
        moved = count;
    };
    const int code = RunRestore(restore);
    if (walked && !undo.empty()) Settle(files, DecideSnapshotFate(taken, moved), snapshot, undo);
    return code;
}

int RunUndo(UndoSteps steps) {
    RestoreSteps& restore = steps.restore;
    const std::wstring undo = UndoFileBeside(restore.layoutPath());
    // Without an application-data folder, as a restore.
    if (undo.empty()) return kExitRestoreForeignFile;
    std::vector<std::uint8_t> bytes;
    const FileRead read = restore.readFile(undo, bytes);
    if (LayoutFileMissing(read, bytes)) {
        restore.notify(
            Notice{NoticeKind::kToast, &text::kNothingToUndoTitle, &text::kNothingToUndoBody});
        return kExitRestoreNoFile;
    }
    if (!steps.confirm()) return kExitOk;
    restore.layoutPath = [undo] { return undo; };
    restore.missingTitle = &text::kNothingToUndoTitle;
    restore.missingBody = &text::kNothingToUndoBody;
    std::size_t moved = 0;
    restore.afterMoving = [&moved](std::size_t count) { moved = count; };
    const int code = RunRestore(restore);
    if (code == kExitOk && moved > 0 && !steps.deleteFile(undo))
        steps.log(L"undo: the undo file could not be removed after the undo");
    return code;
}

}  // namespace lumetra::layouttool
