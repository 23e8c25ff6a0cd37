// winprobe verbs about the list view inside another program's window and the
// files on the clipboard:
//
//   winprobe listview CLASS              items of the first SysListView32 below the
//                                        top-level window of CLASS: texts, count,
//                                        selection, focus, open label edit and
//                                        its text, and its view (LVM_GETVIEW)
//   winprobe listview-item-rect CLASS I  screen rectangle of item I's icon (a press
//                                        there always hits the item; one in the
//                                        spacing around it does not)
//   winprobe listview-layout CLASS       icon spacing, every item's position,
//                                        the list's client width, and the
//                                        screen rectangles of the list view, its
//                                        parent (the view window) and the
//                                        top-level window's client area
//   winprobe clipboard-files             the CF_HDROP file names on the clipboard
//   winprobe process-memory CLASS        private bytes and working set of the
//                                        process owning the window of CLASS
//
// Item texts live in the other process: the request records and the text
// buffer are placed there with VirtualAllocEx and read back.
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "winprobe_json_win.h"

namespace {

using lumetra::winprobe::Fail;
using lumetra::winprobe::JsonString;
using lumetra::winprobe::Utf8;

HWND FindListView(const wchar_t* cls) {
    HWND top = FindWindowW(cls, nullptr);
    if (!top) return nullptr;
    HWND found = nullptr;
    EnumChildWindows(
        top,
        [](HWND child, LPARAM param) -> BOOL {
            wchar_t name[64] = {};
            GetClassNameW(child, name, 64);
            if (_wcsicmp(name, L"SysListView32") != 0) return TRUE;
            *reinterpret_cast<HWND*>(param) = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// Memory in the list view's process, freed on scope exit.
struct RemoteBuffer {
    HANDLE process = nullptr;
    void* address = nullptr;
    RemoteBuffer(HWND window, SIZE_T size) {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        process =
            OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        if (process)
            address =
                VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    }
    ~RemoteBuffer() {
        if (address) VirtualFreeEx(process, address, 0, MEM_RELEASE);
        if (process) CloseHandle(process);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;
    bool Write(const void* data, SIZE_T size, SIZE_T offset = 0) const {
        return WriteProcessMemory(process, static_cast<char*>(address) + offset, data, size,
                                  nullptr) != 0;
    }
    bool Read(void* data, SIZE_T size, SIZE_T offset = 0) const {
        return ReadProcessMemory(process, static_cast<char*>(address) + offset, data, size,
                                 nullptr) != 0;
    }
    char* At(SIZE_T offset) const { return static_cast<char*>(address) + offset; }
};

constexpr int kTextUnits = 520;

int ListItems(const wchar_t* cls) {
    HWND list = FindListView(cls);
    if (!list) return Fail("list view not found");
    const auto count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    RemoteBuffer remote(list, sizeof(LVITEMW) + kTextUnits * sizeof(wchar_t));
    if (!remote.address) return Fail("no memory in the list view's process");
    std::string items = "[";
    for (int i = 0; i < count; ++i) {
        LVITEMW item{};
        item.iSubItem = 0;
        item.cchTextMax = kTextUnits;
        item.pszText = reinterpret_cast<LPWSTR>(remote.At(sizeof(LVITEMW)));
        wchar_t text[kTextUnits] = {};
        if (remote.Write(&item, sizeof(item)))
            SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(i),
                         reinterpret_cast<LPARAM>(remote.address));
        remote.Read(text, sizeof(text) - sizeof(wchar_t), sizeof(LVITEMW));
        if (i) items += ",";
        items += JsonString(text);
    }
    const auto selected = static_cast<int>(SendMessageW(list, LVM_GETSELECTEDCOUNT, 0, 0));
    const auto focused = static_cast<int>(
        SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
    HWND edit = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETEDITCONTROL, 0, 0));
    // GetWindowTextW does not ask a window of another process: WM_GETTEXT does.
    wchar_t editText[kTextUnits] = {};
    DWORD_PTR copied = 0;
    if (edit)
        SendMessageTimeoutW(edit, WM_GETTEXT, kTextUnits, reinterpret_cast<LPARAM>(editText),
                            SMTO_ABORTIFHUNG, 2000, &copied);
    std::printf(
        "{\"found\":true,\"hwnd\":%llu,\"visible\":%s,\"count\":%d,\"selected\":%d,\"focused\":%d,"
        "\"editing\":%s,\"edit_text\":%s,\"view\":%d,\"text_color\":%lu,\"bk_color\":%lu,"
        "\"items\":%s]}\n",
        static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(list)),
        IsWindowVisible(list) ? "true" : "false", count, selected, focused, edit ? "true" : "false",
        JsonString(editText).c_str(), static_cast<int>(SendMessageW(list, LVM_GETVIEW, 0, 0)),
        static_cast<unsigned long>(SendMessageW(list, LVM_GETTEXTCOLOR, 0, 0)),
        static_cast<unsigned long>(SendMessageW(list, LVM_GETBKCOLOR, 0, 0)), items.c_str());
    return 0;
}

int ItemRect(const wchar_t* cls, int index) {
    HWND list = FindListView(cls);
    if (!list) return Fail("list view not found");
    RemoteBuffer remote(list, sizeof(RECT));
    RECT rect{};
    rect.left = LVIR_ICON;
    if (!remote.address || !remote.Write(&rect, sizeof(rect)))
        return Fail("no memory in the list view's process");
    if (!SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(index),
                      reinterpret_cast<LPARAM>(remote.address)))
        return Fail("no such item");
    remote.Read(&rect, sizeof(rect));
    MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    std::printf("{\"rect\":[%ld,%ld,%ld,%ld]}\n", rect.left, rect.top, rect.right, rect.bottom);
    return 0;
}

std::string ScreenRect(HWND window, bool client) {
    RECT rect{};
    if (client) {
        GetClientRect(window, &rect);
        MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    } else {
        GetWindowRect(window, &rect);
    }
    char text[80];
    std::snprintf(text, sizeof text, "[%ld,%ld,%ld,%ld]", rect.left, rect.top, rect.right,
                  rect.bottom);
    return text;
}

int ListLayout(const wchar_t* cls) {
    HWND list = FindListView(cls);
    if (!list) return Fail("list view not found");
    RemoteBuffer remote(list, sizeof(POINT));
    if (!remote.address) return Fail("no memory in the list view's process");
    const auto count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    std::string positions = "[";
    for (int i = 0; i < count; ++i) {
        POINT at{};
        if (SendMessageW(list, LVM_GETITEMPOSITION, static_cast<WPARAM>(i),
                         reinterpret_cast<LPARAM>(remote.address)))
            remote.Read(&at, sizeof(at));
        char item[48];
        std::snprintf(item, sizeof item, "%s[%ld,%ld]", i ? "," : "", at.x, at.y);
        positions += item;
    }
    const auto spacing = static_cast<DWORD>(SendMessageW(list, LVM_GETITEMSPACING, FALSE, 0));
    RECT client{};
    GetClientRect(list, &client);
    std::printf(
        "{\"spacing\":[%u,%u],\"client_width\":%ld,\"list\":%s,\"parent\":%s,"
        "\"top_client\":%s,\"positions\":%s]}\n",
        LOWORD(spacing), HIWORD(spacing), client.right, ScreenRect(list, false).c_str(),
        ScreenRect(GetParent(list), false).c_str(),
        ScreenRect(FindWindowW(cls, nullptr), true).c_str(), positions.c_str());
    return 0;
}

int ClipboardFiles() {
    if (!OpenClipboard(nullptr)) return Fail("clipboard busy");
    std::string files = "[";
    if (HANDLE data = GetClipboardData(CF_HDROP)) {
        auto drop = static_cast<HDROP>(GlobalLock(data));
        const UINT n = drop ? DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0) : 0;
        for (UINT i = 0; i < n; ++i) {
            wchar_t name[MAX_PATH] = {};
            DragQueryFileW(drop, i, name, MAX_PATH);
            if (i) files += ",";
            files += JsonString(name);
        }
        if (drop) GlobalUnlock(data);
    }
    CloseClipboard();
    std::printf("{\"files\":%s]}\n", files.c_str());
    return 0;
}

int ProcessMemory(const wchar_t* cls) {
    HWND window = FindWindowW(cls, nullptr);
    if (!window) return Fail("window not found");
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    if (!process) return Fail("cannot open the process");
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof(counters);
    const BOOL ok = K32GetProcessMemoryInfo(
        process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof(counters));
    CloseHandle(process);
    if (!ok) return Fail("no memory counters");
    std::printf("{\"private_bytes\":%llu,\"pagefile_bytes\":%llu,\"working_set\":%llu}\n",
                static_cast<unsigned long long>(counters.PrivateUsage),
                static_cast<unsigned long long>(counters.PagefileUsage),
                static_cast<unsigned long long>(counters.WorkingSetSize));
    return 0;
}

}  // namespace

int RunListViewVerb(const std::wstring& verb, int argc, wchar_t** argv) {
    if (verb == L"listview" && argc >= 3) return ListItems(argv[2]);
    if (verb == L"listview-item-rect" && argc >= 4)
        return ItemRect(argv[2], static_cast<int>(std::wcstol(argv[3], nullptr, 10)));
    if (verb == L"listview-layout" && argc >= 3) return ListLayout(argv[2]);
    if (verb == L"clipboard-files") return ClipboardFiles();
    if (verb == L"process-memory" && argc >= 3) return ProcessMemory(argv[2]);
    return -1;
}
