#pragma once
// Shortcut files and a pinned-shortcut folder for the tests that run under Wine.
#include <windows.h>
#include <objidl.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <string>

#include "platform/com_ptr_win.h"
#include "support/temp_dir_win.h"

namespace lumetra::pinlister::fakes {

// Saves a shortcut at `path` pointing at `target`.
inline bool CreateShortcut(const std::wstring& path, const std::wstring& target) {
    platform::ComPtr<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                link.put_void())))
        return false;
    platform::ComPtr<IPersistFile> file;
    return SUCCEEDED(link->SetPath(target.c_str())) && SUCCEEDED(link.As(IID_IPersistFile, file)) &&
           SUCCEEDED(file->Save(path.c_str(), TRUE));
}

inline bool CreateEmptyFile(const std::wstring& path) {
    return testing_support::WriteBytes(path, "", 0);
}

// COM for the test's thread, and %APPDATA% pointing into a fresh folder whose
// pinned-shortcut folder exists; both are put back afterwards.
class PinnedFolderScope {
  public:
    PinnedFolderScope() {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
        wchar_t old[1024] = {};
        hadAppData_ = GetEnvironmentVariableW(L"APPDATA", old, 1024) > 0;
        oldAppData_ = old;
        SetEnvironmentVariableW(L"APPDATA", temp_.path().c_str());
        pinned_ =
            temp_.path() + L"\\Microsoft\\Internet Explorer\\Quick Launch\\User Pinned\\TaskBar";
        SHCreateDirectoryExW(nullptr, pinned_.c_str(), nullptr);
        CreateDirectoryW(apps().c_str(), nullptr);
    }
    ~PinnedFolderScope() {
        SetEnvironmentVariableW(L"APPDATA", hadAppData_ ? oldAppData_.c_str() : nullptr);
        CoUninitialize();
    }
    PinnedFolderScope(const PinnedFolderScope&) = delete;
    PinnedFolderScope& operator=(const PinnedFolderScope&) = delete;

    const std::wstring& pinned() const { return pinned_; }
    std::wstring pin(const wchar_t* name) const { return pinned_ + L"\\" + name; }
    std::wstring apps() const { return temp_.path() + L"\\Apps"; }
    // An existing file below Apps.
    std::wstring app(const wchar_t* name) const {
        std::wstring path = apps() + L"\\" + name;
        CreateEmptyFile(path);
        return path;
    }
    const std::wstring& root() const { return temp_.path(); }

  private:
    testing_support::TempDir temp_;
    std::wstring pinned_;
    std::wstring oldAppData_;
    bool hadAppData_ = false;
};

}  // namespace lumetra::pinlister::fakes
