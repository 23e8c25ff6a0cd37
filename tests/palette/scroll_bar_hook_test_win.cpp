// The scroll-bar theme redirect on a module that imports the theme lookup by
// ordinal, as comctl32 does, around the real palette and its hosted view.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/settings.h"
#include "hostedview/hosted_view_win.h"
#include "palette/appearance_win.h"
#include "palette/scroll_bar_hook_win.h"
#include "palette/test_palette_win.h"

namespace lumetra::palette {
namespace {

struct Lookup {
    HWND window;
    std::wstring classList;
};
std::vector<Lookup> gLookups;
const HTHEME kTheme = reinterpret_cast<HTHEME>(0x5EED);

HTHEME WINAPI RecordingLookup(HWND window, LPCWSTR classList) {
    gLookups.push_back({window, classList ? classList : L"(null)"});
    return kTheme;
}

using AskFn = HTHEME (*)(HWND, LPCWSTR);

void SetDark(bool dark) {
    config::Cfg().displayMode = dark ? config::DisplayMode::Dark : config::DisplayMode::Light;
    ApplyAppMode(nullptr);
    ASSERT_EQ(DarkMode(), dark);
}

TEST(HostedScrollBar, OnlyTheHostedViewsScrollBarLookupsTurnDarkAndOnlyWhileDark) {
    HMODULE client = LoadLibraryW(L"theme_client.dll");
    ASSERT_TRUE(client);
    const auto ask = reinterpret_cast<AskFn>(
        reinterpret_cast<void*>(GetProcAddress(client, "AskNonClientTheme")));
    ASSERT_TRUE(ask);
    ASSERT_EQ(InstallHostedScrollBar(client, RecordingLookup), ScrollBarHookResult::Installed);

    HWND palette = OpenTestPalette();
    ASSERT_TRUE(palette);
    HWND list = hostedview::FindHostedListView();
    ASSERT_TRUE(list);
    HWND view = hostedview::View().viewWindow;
    HWND barInList = CreateWindowExW(0, L"ScrollBar", L"", WS_CHILD | SBS_VERT, 0, 0, 10, 40, list,
                                     nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(barInList);

    struct Case {
        const char* what;
        HWND window;
        const wchar_t* classList;
        bool redirected;
    };
    const Case cases[] = {
        {"list view", list, L"ScrollBar", true},
        {"any case", list, L"SCROLLBAR", true},
        {"view window", view, L"ScrollBar", true},
        {"inside the list view", barInList, L"ScrollBar", true},
        {"another class", list, L"Button", false},
        {"the palette itself", palette, L"ScrollBar", false},
        {"no window", nullptr, L"ScrollBar", false},
    };
    SetDark(true);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        gLookups.clear();
        EXPECT_EQ(ask(c.window, c.classList), kTheme);
        ASSERT_EQ(gLookups.size(), 1u);
        EXPECT_EQ(gLookups[0].window, c.redirected ? nullptr : c.window);
        EXPECT_EQ(gLookups[0].classList,
                  c.redirected ? L"DarkMode_Explorer::ScrollBar" : std::wstring(c.classList));
    }

    SetDark(false);
    gLookups.clear();
    ask(list, L"ScrollBar");
    ASSERT_EQ(gLookups.size(), 1u);
    EXPECT_EQ(gLookups[0].window, list);
    EXPECT_EQ(gLookups[0].classList, L"ScrollBar");

    CloseTestPalette(palette);
}

TEST(HostedScrollBar, AModuleWithoutTheImportIsLeftAlone) {
    EXPECT_EQ(InstallHostedScrollBar(GetModuleHandleW(L"kernel32.dll"), RecordingLookup),
              ScrollBarHookResult::NoImport);
    EXPECT_EQ(InstallHostedScrollBar(nullptr, RecordingLookup), ScrollBarHookResult::NoImport);
}

}  // namespace
}  // namespace lumetra::palette
