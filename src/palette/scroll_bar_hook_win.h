#pragma once
// The hosted list view draws its scroll bars in its non-client area, and
// comctl32 asks uxtheme for their theme through its import of
// OpenNcThemeData, which SetWindowTheme does not reach. Redirecting that
// import is the only way to give them the dark theme.
#include <windows.h>
#include <uxtheme.h>

namespace lumetra::palette {

using ThemeLookup = HTHEME(WINAPI*)(HWND window, LPCWSTR classList);

enum class ScrollBarHookResult {
    Installed,
    NoImport,     // the module does not import the lookup: nothing to do, ever
    NotWritable,  // its slot could not be written: worth another try later
};

// Points `module`'s import of uxtheme's OpenNcThemeData (by ordinal 49, or by
// name) at a redirect that hands the hosted view's "ScrollBar" lookups, while
// the theme is dark, to `lookup` as the dark scroll bars and every other call
// to `lookup` unchanged.
ScrollBarHookResult InstallHostedScrollBar(HMODULE module, ThemeLookup lookup);

}  // namespace lumetra::palette
