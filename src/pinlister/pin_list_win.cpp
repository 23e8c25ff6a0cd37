#include "pinlister/pin_list_win.h"

#include <shlobj.h>

#include "pinlister/pinned_item.h"
#include "pinlister/shell_names_win.h"
#include "pinlister/shortcut_files_win.h"
#include "platform/com_ptr_win.h"
#include "platform/unique_id_list_win.h"

namespace lumetra::pinlister {

const CLSID kTaskbarPinListClassId = {
    0x90AA3A4E, 0x1CBA, 0x4233, {0xB8, 0xBB, 0x53, 0x57, 0x73, 0xD4, 0x84, 0x49}};
const IID kPinListPrimaryIid = {
    0x0DD79AE2, 0xD156, 0x45D4, {0x9E, 0xEB, 0x3B, 0x54, 0x97, 0x69, 0xE9, 0x40}};
const IID kPinListFallbackIids[5] = {
    {0xC3C6EB6D, 0xC837, 0x4EAE, {0xB1, 0x72, 0x5F, 0xEC, 0x52, 0xA2, 0xA4, 0xFD}},
    {0xBBD20037, 0xBC0E, 0x42F1, {0x91, 0x3F, 0xE2, 0x93, 0x6B, 0xB0, 0xEA, 0x0C}},
    {0x60274FA2, 0x611F, 0x4B8A, {0xA2, 0x93, 0xF2, 0x7B, 0xF1, 0x03, 0xD1, 0x48}},
    {0x53D51C3C, 0xD7E0, 0x4FEC, {0xB4, 0xC6, 0x33, 0xB4, 0xF8, 0xA4, 0x1C, 0x64}},
    kPinListPrimaryIid,
};

namespace {

using PinList = platform::ComPtr<ITaskbarPinList>;

struct OpenedPinList {
    PinList list;
    bool primary = false;  // only the primary interface is asked the keep test
};

PinList CreatePrimary() {
    PinList list;
    if (FAILED(CoCreateInstance(kTaskbarPinListClassId, nullptr, CLSCTX_INPROC_SERVER,
                                kPinListPrimaryIid, list.put_void())))
        list.reset();
    return list;
}

OpenedPinList OpenPinList() {
    if (PinList primary = CreatePrimary()) return {std::move(primary), true};
    platform::ComPtr<IUnknown> object;
    if (FAILED(CoCreateInstance(kTaskbarPinListClassId, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                object.put_void())) ||
        !object)
        return {};
    for (const IID& iid : kPinListFallbackIids) {
        PinList list;
        if (SUCCEEDED(object.As(iid, list)) && list) return {std::move(list), false};
    }
    return {};
}

std::wstring ShellItemNameOf(IShellItem* item, ShellName kind) {
    switch (kind) {
        case ShellName::NormalDisplay: return ShellItemName(item, SIGDN_NORMALDISPLAY);
        case ShellName::ParentRelativeParsing:
            return ShellItemName(item, SIGDN_PARENTRELATIVEPARSING);
        case ShellName::DesktopAbsoluteParsing:
            return ShellItemName(item, SIGDN_DESKTOPABSOLUTEPARSING);
        case ShellName::FileSysPath: return ShellItemName(item, SIGDN_FILESYSPATH);
    }
    return {};
}

bool ProcessIdList(PCIDLIST_ABSOLUTE idList, const OpenedPinList& pins, ShortcutFinder& shortcuts,
                   PinnedLines& out) {
    if (pins.primary && pins.list->KeepTest(idList) == S_FALSE) return false;

    platform::ComPtr<IShellItem> item;
    if (FAILED(SHCreateItemFromIDList(idList, IID_IShellItem, item.put_void()))) item.reset();

    PinnedItemSource source;
    if (item)
        source.shellItemName = [&item](ShellName kind) {
            return ShellItemNameOf(item.get(), kind);
        };
    source.nameFromIdList = [idList] { return NameFromIdList(idList); };
    source.parsingPathFromIdList = [idList] { return ParsingPathFromIdList(idList); };
    return ProcessPinnedItem(source, shortcuts, out);
}

}  // namespace

int EnumerateTaskbarPins(PinnedLines& out) {
    const OpenedPinList pins = OpenPinList();
    if (!pins.list) return 0;
    platform::ComPtr<IEnumFullIDList> items;
    if (FAILED(pins.list->EnumObjects(items.put())) || !items) return 0;

    ShortcutFinder shortcuts(ShortcutFolderOnDisk(PinnedShortcutFolder()));
    int added = 0;
    items->Reset();
    for (;;) {
        platform::UniqueIdList idList;
        ULONG fetched = 0;
        const HRESULT hr = items->Next(1, idList.put(), &fetched);
        if (fetched == 0 || !idList) break;
        if (ProcessIdList(idList.get(), pins, shortcuts, out)) ++added;
        if (hr != S_OK) break;
    }
    return added;
}

std::uint32_t PinListChangeCount() {
    const PinList list = CreatePrimary();
    return list ? static_cast<std::uint32_t>(list->GetChangeCount()) : 0;
}

}  // namespace lumetra::pinlister
