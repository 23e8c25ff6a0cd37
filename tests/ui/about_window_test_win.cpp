// The About card as a real window (run under Wine): one card at a time, the
// texts of this test program's own version resource, fonts and size by DPI,
// the link's tooltip and click, and every font, brush, pen and icon deleted
// whatever closes it.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/monitors_win.h"
#include "ui/about_gdi_win.h"
#include "ui/about_version.h"
#include "ui/about_window_win.h"

namespace lumetra::ui {
namespace {

HWND Card() { return FindWindowW(kAboutClassName, nullptr); }

int CountCards() {
    int count = 0;
    for (HWND w = FindWindowExW(nullptr, nullptr, kAboutClassName, nullptr); w;
         w = FindWindowExW(nullptr, w, kAboutClassName, nullptr))
        ++count;
    return count;
}

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

std::vector<HWND> Children(HWND card) {
    std::vector<HWND> out;
    for (HWND c = GetWindow(card, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) out.push_back(c);
    return out;
}

std::wstring ClassOf(HWND w) {
    wchar_t name[64] = {};
    GetClassNameW(w, name, 64);
    return name;
}

std::wstring TextOf(HWND w) {
    wchar_t text[256] = {};
    GetWindowTextW(w, text, 256);
    return text;
}

RECT ClientRectIn(HWND child, HWND card) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, card, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

LOGFONTW FontOf(HWND child) {
    LOGFONTW font{};
    const auto handle = reinterpret_cast<HGDIOBJ>(SendMessageW(child, WM_GETFONT, 0, 0));
    EXPECT_TRUE(handle);
    GetObjectW(handle, sizeof(font), &font);
    return font;
}

HWND TooltipOf(HWND card) {
    for (HWND w = FindWindowExW(nullptr, nullptr, TOOLTIPS_CLASSW, nullptr); w;
         w = FindWindowExW(nullptr, w, TOOLTIPS_CLASSW, nullptr))
        if (GetWindow(w, GW_OWNER) == card) return w;
    return nullptr;
}

// A monitor of the test's choosing: its DPI and work area.
struct FakeMonitor {
    UINT dpi = 96;
    RECT work{0, 0, 1920, 1040};
};
FakeMonitor& Fake() {
    static FakeMonitor fake;
    return fake;
}

class AboutWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        Fake() = FakeMonitor{};
        platform::MonitorSource source;
        source.fromPoint = [](POINT, DWORD) { return reinterpret_cast<HMONITOR>(1); };
        source.fromWindow = [](HWND, DWORD) { return reinterpret_cast<HMONITOR>(1); };
        source.info = [](HMONITOR, MONITORINFOEXW& info) {
            info.rcMonitor = info.rcWork = Fake().work;
            return true;
        };
        source.effectiveDpi = [](HMONITOR) { return Fake().dpi; };
        platform::SetMonitorSource(source);
        gdiAtStart_ = AboutGdiObjectsAlive();
    }
    void TearDown() override {
        if (HWND card = Card()) DestroyWindow(card);
        Pump();
        platform::SetMonitorSource({});
        SetAboutLinkOpener(nullptr);
    }
    int gdiAtStart_ = 0;
};

TEST_F(AboutWindow, ShowsTheFirstTranslationsTextsWithDefaultsAndOnlyOnce) {
    ShowAboutWindow(nullptr);
    HWND card = Card();
    ASSERT_TRUE(card);
    EXPECT_TRUE(AboutWindowOpen());
    EXPECT_EQ(TextOf(card), L"About Lumetra");
    EXPECT_TRUE(IsWindowVisible(card));

    struct Child {
        const wchar_t* cls;
        std::wstring text;
        RECT at;
    };
    const std::vector<Child> expected = {
        {L"Static", L"", {34, 28, 98, 92}},
        {L"Static", L"Testkarte", {142, 30, 322, 66}},
        {L"Static", L"Version 9.8", {292, 39, 482, 64}},
        {L"Static", kDefaultComments, {142, 62, 488, 90}},  // empty in the resource
        {L"Static", L"(C) Testfirma", {142, 105, 488, 127}},
        {L"SysLink", L"", {142, 127, 488, 149}},
        {L"Static", kDefaultNote, {142, 149, 488, 193}},  // only in the second table
    };
    const std::vector<HWND> children = Children(card);
    ASSERT_EQ(children.size(), expected.size());
    for (std::size_t i = 0; i < children.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(_wcsicmp(ClassOf(children[i]).c_str(), expected[i].cls), 0)
            << ClassOf(children[i]);
        if (!expected[i].text.empty()) {
            EXPECT_EQ(TextOf(children[i]), expected[i].text);
        }
        const RECT r = ClientRectIn(children[i], card);
        EXPECT_TRUE(EqualRect(&r, &expected[i].at))
            << r.left << "," << r.top << "," << r.right << "," << r.bottom;
        EXPECT_TRUE(GetWindowLongW(children[i], GWL_STYLE) & WS_VISIBLE);
    }
    EXPECT_TRUE(GetPropW(children[1], L"Lumetra.About.Title"));
    EXPECT_FALSE(GetPropW(children[2], L"Lumetra.About.Title"));
    EXPECT_TRUE(SendMessageW(children[0], STM_GETICON, 0, 0)) << "icon 101 of the program";

    // A second command brings the same card forward.
    ShowAboutWindow(nullptr);
    EXPECT_EQ(CountCards(), 1);
    EXPECT_EQ(Card(), card);
}

TEST_F(AboutWindow, IsALayeredToolWindowResizedAndPlacedForTheMonitorsDpi) {
    struct Case {
        UINT dpi;
        int width, height, margin;
        LONG title, version, small;
    };
    for (const Case& c :
         {Case{96, 520, 200, 12, 28, 17, 15}, Case{144, 780, 300, 18, 42, 26, 23}}) {
        SCOPED_TRACE(c.dpi);
        Fake().dpi = c.dpi;
        // Narrower than the card: it starts at the left margin, whatever the cursor.
        Fake().work = {100, 50, 600, 750};
        ShowAboutWindow(nullptr);
        HWND card = Card();
        ASSERT_TRUE(card);
        RECT r{};
        GetWindowRect(card, &r);
        EXPECT_EQ(r.left, 100 + c.margin);
        EXPECT_EQ(r.bottom, 750 - c.margin);
        EXPECT_EQ(r.right - r.left, c.width);
        EXPECT_EQ(r.bottom - r.top, c.height);

        const LONG_PTR ex = GetWindowLongPtrW(card, GWL_EXSTYLE);
        EXPECT_TRUE(ex & WS_EX_TOOLWINDOW);
        EXPECT_TRUE(ex & WS_EX_LAYERED);
        COLORREF key = 0;
        DWORD flags = 0;
        ASSERT_TRUE(GetLayeredWindowAttributes(card, &key, nullptr, &flags));
        EXPECT_EQ(key, RGB(255, 0, 255));
        EXPECT_TRUE(flags & LWA_COLORKEY);

        const std::vector<HWND> children = Children(card);
        ASSERT_EQ(children.size(), 7u);
        const LOGFONTW title = FontOf(children[1]), description = FontOf(children[3]),
                       credit = FontOf(children[5]);
        EXPECT_EQ(title.lfHeight, c.title);
        EXPECT_EQ(title.lfWeight, 650);
        EXPECT_EQ(FontOf(children[2]).lfHeight, c.version);
        EXPECT_EQ(description.lfHeight, c.version);
        EXPECT_TRUE(description.lfItalic);
        EXPECT_FALSE(title.lfItalic);
        for (HWND small : {children[4], children[5], children[6]})
            EXPECT_EQ(FontOf(small).lfHeight, c.small);
        EXPECT_EQ(std::wstring(credit.lfFaceName), L"Segoe UI");
        EXPECT_EQ(credit.lfQuality, CLEARTYPE_QUALITY);
        EXPECT_EQ(credit.lfCharSet, DEFAULT_CHARSET);

        ICONINFO icon{};
        ASSERT_TRUE(GetIconInfo(
            reinterpret_cast<HICON>(SendMessageW(children[0], STM_GETICON, 0, 0)), &icon));
        BITMAP mask{};
        GetObjectW(icon.hbmMask, sizeof(mask), &mask);
        EXPECT_EQ(mask.bmWidth, 64 * static_cast<LONG>(c.dpi) / 96);
        DeleteObject(icon.hbmMask);
        if (icon.hbmColor) DeleteObject(icon.hbmColor);
        DestroyWindow(card);
    }
}

TEST_F(AboutWindow, TheTitleIsDarkerThanTheOtherLinesOnAWhiteBrushThatOutlivesPainting) {
    ShowAboutWindow(nullptr);
    HWND card = Card();
    ASSERT_TRUE(card);
    // Every child has painted with the brush it was given, the link too.
    RedrawWindow(card, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    const std::vector<HWND> children = Children(card);
    ASSERT_EQ(children.size(), 7u);
    HDC dc = CreateCompatibleDC(nullptr);
    for (std::size_t i : {1u, 2u, 4u, 6u}) {
        SCOPED_TRACE(i);
        const auto brush = reinterpret_cast<HBRUSH>(
            SendMessageW(card, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                         reinterpret_cast<LPARAM>(children[i])));
        EXPECT_EQ(GetTextColor(dc), i == 1 ? RGB(18, 18, 18) : RGB(96, 96, 108));
        EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
        LOGBRUSH colour{};
        ASSERT_TRUE(GetObjectW(brush, sizeof(colour), &colour)) << "a brush that still exists";
        EXPECT_EQ(colour.lbColor, RGB(255, 255, 255));
    }
    DeleteDC(dc);
}

TEST_F(AboutWindow, TheLinkShowsItsAddressAsATipAndAClickOpensItAndKeepsTheCard) {
    static std::vector<std::wstring> opened;
    opened.clear();
    SetAboutLinkOpener([](const wchar_t* address) { opened.emplace_back(address); });
    ShowAboutWindow(nullptr);
    HWND card = Card();
    ASSERT_TRUE(card);
    HWND link = Children(card).at(5);

    HWND tip = TooltipOf(card);
    ASSERT_TRUE(tip);
    EXPECT_EQ(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
    EXPECT_EQ(SendMessageW(tip, TTM_GETMAXTIPWIDTH, 0, 0), 480);
    wchar_t text[128] = {};
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.lpszText = text;
    ASSERT_TRUE(SendMessageW(tip, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&tool)));
    EXPECT_EQ(reinterpret_cast<HWND>(tool.uId), link);
    EXPECT_TRUE(tool.uFlags & TTF_IDISHWND);
    EXPECT_EQ(std::wstring(text), L"https://test.example/about");

    // A click on the link's first letters, as the control itself receives it.
    SendMessageW(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 8));
    SendMessageW(link, WM_LBUTTONUP, 0, MAKELPARAM(4, 8));
    Pump();
    EXPECT_EQ(opened, std::vector<std::wstring>{L"https://test.example/about"});
    // The release that ends a link click leaves the card open.
    SendMessageW(card, WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(Card(), card);
}

TEST_F(AboutWindow, EveryWayToCloseDeletesEachFontBrushPenAndIcon) {
    struct Way {
        const char* what;
        UINT message;
        WPARAM wParam;
    };
    for (const Way& way :
         {Way{"Esc", WM_KEYDOWN, VK_ESCAPE}, Way{"Enter", WM_KEYDOWN, VK_RETURN},
          Way{"close", WM_CLOSE, 0}, Way{"right click", WM_RBUTTONUP, 0},
          Way{"middle click", WM_MBUTTONUP, 0}, Way{"click", WM_LBUTTONDOWN, MK_LBUTTON}}) {
        SCOPED_TRACE(way.what);
        ShowAboutWindow(nullptr);
        HWND card = Card();
        ASSERT_TRUE(card);
        // Four fonts, the background brush, two pens and the icon.
        EXPECT_EQ(AboutGdiObjectsAlive() - gdiAtStart_, 8);
        RedrawWindow(card, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        EXPECT_EQ(AboutGdiObjectsAlive() - gdiAtStart_, 8) << "painting keeps no object";

        std::vector<HGDIOBJ> fonts;
        for (HWND child : Children(card))
            if (auto font = reinterpret_cast<HGDIOBJ>(SendMessageW(child, WM_GETFONT, 0, 0)))
                fonts.push_back(font);
        ASSERT_EQ(fonts.size(), 6u);
        HWND tip = TooltipOf(card);
        ASSERT_TRUE(tip);

        SendMessageW(card, WM_KEYDOWN, VK_SPACE, 0);
        ASSERT_EQ(Card(), card) << "other keys leave it open";
        SendMessageW(card, way.message, way.wParam, 0);
        if (way.message == WM_LBUTTONDOWN) SendMessageW(card, WM_LBUTTONUP, 0, 0);
        Pump();

        EXPECT_FALSE(IsWindow(card));
        EXPECT_FALSE(AboutWindowOpen());
        EXPECT_FALSE(IsWindow(tip));
        EXPECT_EQ(AboutGdiObjectsAlive(), gdiAtStart_);
        for (HGDIOBJ font : fonts) EXPECT_EQ(GetObjectType(font), 0u) << "font deleted";
    }
}

}  // namespace
}  // namespace lumetra::ui
