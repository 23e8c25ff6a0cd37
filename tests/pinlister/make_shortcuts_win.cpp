// make_shortcuts.exe LNK TARGET [LNK TARGET ...]: saves shortcut files the way
// the shell does, for the end-to-end tests and the benchmark. Exit 0 when all
// were saved.
#include <windows.h>
#include <objidl.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cstdio>

int wmain(int argc, wchar_t** argv) {
    if (argc < 3 || argc % 2 == 0) {
        std::fputs("usage: make_shortcuts LNK TARGET [LNK TARGET ...]\n", stderr);
        return 2;
    }
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 3;
    int failed = 0;
    for (int i = 1; i + 1 < argc; i += 2) {
        IShellLinkW* link = nullptr;
        IPersistFile* file = nullptr;
        const bool ok =
            SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                       IID_IShellLinkW, reinterpret_cast<void**>(&link))) &&
            SUCCEEDED(link->SetPath(argv[i + 1])) &&
            SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
            SUCCEEDED(file->Save(argv[i], TRUE));
        if (file) file->Release();
        if (link) link->Release();
        if (!ok) {
            std::fprintf(stderr, "cannot save %ls\n", argv[i]);
            ++failed;
        }
    }
    CoUninitialize();
    return failed == 0 ? 0 : 1;
}
