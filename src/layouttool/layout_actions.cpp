#include "layouttool/layout_actions.h"

#include "layouttool/exit_codes.h"

namespace lumetra::layouttool {
namespace {

int Report(const std::function<void(const Notice&)>& notify, NoticeKind kind, const TextPair& title,
           const TextPair* body, int exitCode) {
    notify(Notice{kind, &title, body});
    return exitCode;
}

}  // namespace

int RunSave(const SaveSteps& steps) {
    if (!steps.openView())
        return Report(steps.notify, NoticeKind::kErrorDialog, text::kNoViewTitle,
                      &text::kNoViewBody, kExitSaveNoView);
    if (steps.itemCount() < 1)
        return Report(steps.notify, NoticeKind::kToast, text::kNoIconsTitle, &text::kNoIconsBody,
                      kExitSaveNoView);
    std::vector<SavedItem> items;
    if (!steps.readItems(items))
        return Report(steps.notify, NoticeKind::kErrorDialog, text::kIconListUnreadableTitle,
                      nullptr, kExitSaveNoView);
    std::erase_if(items, [](const SavedItem& item) { return !IsStorableItemId(item.id.size()); });
    if (items.empty())
        return Report(steps.notify, NoticeKind::kToast, text::kNothingToSaveTitle,
                      &text::kNothingToSaveBody, kExitSaveNoView);
    const std::vector<std::uint8_t> image = BuildLayoutImage(items);
    const std::wstring path = steps.layoutPath();
    if (path.empty() || !steps.writeFile(path, image))
        return Report(steps.notify, NoticeKind::kErrorDialog, text::kSaveFailedTitle,
                      &text::kSaveFailedBody, kExitSaveWriteFailed);
    return kExitOk;
}

bool LayoutFileMissing(FileRead read, std::span<const std::uint8_t> bytes) {
    return read != FileRead::kOk || ReadLayoutHeader(bytes).status == LayoutHeaderStatus::kTooShort;
}

int RunRestore(const RestoreSteps& steps) {
    const std::wstring path = steps.layoutPath();
    if (path.empty()) return kExitRestoreForeignFile;
    std::vector<std::uint8_t> bytes;
    const FileRead read = steps.readFile(path, bytes);
    if (LayoutFileMissing(read, bytes))
        return Report(steps.notify, NoticeKind::kToast, *steps.missingTitle, steps.missingBody,
                      kExitRestoreNoFile);
    const LayoutHeader header = ReadLayoutHeader(bytes);
    if (header.status == LayoutHeaderStatus::kForeign)
        return Report(steps.notify, NoticeKind::kToast, text::kForeignFileTitle,
                      &text::kForeignFileBody, kExitRestoreForeignFile);
    switch (steps.openView()) {
        case ViewAccess::kNoView:
            return Report(steps.notify, NoticeKind::kErrorDialog, text::kNoViewTitle,
                          &text::kNoViewBody, kExitRestoreNoView);
        case ViewAccess::kNoLayoutInterface:
            return Report(steps.notify, NoticeKind::kErrorDialog, text::kNoLayoutApiTitle,
                          &text::kNoLayoutApiBody, kExitRestoreNoView);
        case ViewAccess::kOk: break;
    }
    if (steps.autoArrangeOn())
        return Report(steps.notify, NoticeKind::kToast, text::kAutoArrangeTitle,
                      &text::kAutoArrangeBody, kExitOk);
    steps.prepareMapping();
    if (header.count == 0) return kExitOk;
    if (steps.beforeMoving) steps.beforeMoving();
    std::size_t placed = 0;
    ForEachLayoutRecord(bytes, header.count, [&](const LayoutRecordView& record) {
        // Only what a save writes reaches the shell; any other record is skipped
        // like a missing item.
        if (IsSingleItemId(record.id) && steps.positionItem(record)) ++placed;
    });
    if (steps.afterMoving) steps.afterMoving(placed);
    if (placed == 0)
        return Report(steps.notify, NoticeKind::kToast, text::kNothingRestoredTitle,
                      &text::kNothingRestoredBody, kExitOk);
    return kExitOk;
}

}  // namespace lumetra::layouttool
