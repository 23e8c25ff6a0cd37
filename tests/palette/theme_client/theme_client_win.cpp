// A module that asks for a non-client theme the way comctl32 does, through
// its import of uxtheme's ordinal 49, for the scroll-bar redirect's test.
#include <windows.h>
#include <uxtheme.h>

extern "C" __declspec(dllimport) HTHEME WINAPI OpenNcThemeData(HWND window, LPCWSTR classList);

extern "C" __declspec(dllexport) HTHEME AskNonClientTheme(HWND window, LPCWSTR classList) {
    return OpenNcThemeData(window, classList);
}
