// shell_change_probe.dll: raises shell change notifications from inside the
// process it is loaded into. Wine delivers a notification only to
// registrations of the process that called SHChangeNotify, so a test that
// wants the palette to hear of a Desktop change loads this library into the
// palette's process (winprobe inject) instead of building a back door into it.
//
// Request, beside the library: "<library path>.txt", UTF-8, one step a line:
//     EVENT_HEX PATH[<TAB>NEW_PATH]   a notification, e.g. "2 C:\users\me\Desktop\a.txt"
//                                     (a creation) or "1 OLD<TAB>NEW" (a rename)
//     wait FILE<TAB>TEXT              waits (10 s at most) until the UTF-16 file
//                                     FILE contains TEXT, e.g. a line of a log
// Each notification is flushed: it has been handled when the next step starts.
// The request is deleted once read; the answer "<library path>.done" has one
// line a step ("EVENT_HEX ok", "wait ok", or "... bad"). The library then
// unloads itself, so that the next load reads the next request.
#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "probe_library_win.h"

namespace {

using lumetra::winprobe::ModulePath;
using lumetra::winprobe::WriteAnswer;

std::wstring ReadUtf8File(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string bytes;
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0) bytes.append(chunk, got);
    CloseHandle(file);
    if (bytes.empty()) return {};
    const int n =
        MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring text(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), n);
    return text;
}

std::vector<std::wstring> Lines(const std::wstring& text) {
    std::vector<std::wstring> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos) end = text.size();
        std::wstring line = text.substr(start, end - start);
        while (!line.empty() && (line.back() == L'\r' || line.back() == L' ')) line.pop_back();
        if (!line.empty()) lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

// The id lists are built before the first notification, so that a request of
// many lines arrives as one quick burst.
struct Step {
    LONG event = 0;  // 0: a wait
    PIDLIST_ABSOLUTE ids[2] = {};
    std::wstring file, text;  // of a wait
    bool valid = false;
};

Step ParseStep(const std::wstring& line) {
    Step step;
    const std::size_t tab = line.find(L'\t');
    if (line.rfind(L"wait ", 0) == 0) {
        if (tab == std::wstring::npos) return step;
        step.file = line.substr(5, tab - 5);
        step.text = line.substr(tab + 1);
        step.valid = !step.file.empty() && !step.text.empty();
        return step;
    }
    wchar_t* end = nullptr;
    step.event = static_cast<LONG>(std::wcstoul(line.c_str(), &end, 16));
    if (end == line.c_str() || *end != L' ' || step.event == 0) return step;
    const std::wstring paths(end + 1);
    const std::size_t split = paths.find(L'\t');
    step.ids[0] = SHSimpleIDListFromPath(paths.substr(0, split).c_str());
    if (split != std::wstring::npos)
        step.ids[1] = SHSimpleIDListFromPath(paths.substr(split + 1).c_str());
    step.valid = step.ids[0] && (split == std::wstring::npos || step.ids[1]);
    return step;
}

bool FileContains(const std::wstring& file, const std::wstring& text) {
    HANDLE handle = CreateFileW(file.c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    std::wstring content;
    wchar_t chunk[2048];
    DWORD got = 0;
    while (ReadFile(handle, chunk, sizeof chunk, &got, nullptr) && got >= sizeof(wchar_t))
        content.append(chunk, got / sizeof(wchar_t));
    CloseHandle(handle);
    return content.find(text) != std::wstring::npos;
}

bool WaitForText(const Step& step) {
    const ULONGLONG deadline = GetTickCount64() + 10000;
    while (!FileContains(step.file, step.text)) {
        if (GetTickCount64() > deadline) return false;
        Sleep(5);
    }
    return true;
}

bool Run(const Step& step) {
    if (!step.valid) return false;
    if (step.event == 0) return WaitForText(step);
    SHChangeNotify(step.event, SHCNF_IDLIST | SHCNF_FLUSH, step.ids[0], step.ids[1]);
    return true;
}

DWORD WINAPI Worker(void* param) {
    auto* self = static_cast<HMODULE>(param);
    const std::wstring base = ModulePath(self);
    const std::wstring request = base + L".txt";
    const std::wstring text = ReadUtf8File(request);
    DeleteFileW(request.c_str());
    std::vector<Step> steps;
    for (const std::wstring& line : Lines(text)) steps.push_back(ParseStep(line));
    std::string answer = text.empty() ? "no request\n" : "";
    for (Step& step : steps) {
        const bool ok = Run(step);
        char row[64];
        if (step.event)
            std::snprintf(row, sizeof row, "%lX %s\n", static_cast<unsigned long>(step.event),
                          ok ? "ok" : "bad");
        else
            std::snprintf(row, sizeof row, "wait %s\n", ok ? "ok" : "bad");
        answer += row;
        ILFree(step.ids[0]);
        ILFree(step.ids[1]);
    }
    WriteAnswer(base + L".done", answer);
    FreeLibraryAndExitThread(self, 0);
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void*) {
    return lumetra::winprobe::StartProbeWorker(instance, reason, Worker);
}
