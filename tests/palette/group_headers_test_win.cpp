// The dark group headers drawn onto a bitmap for a stand-in list view that
// answers the group questions itself (Wine's list view has no groups).
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstring>

#include "config/settings.h"
#include "palette/appearance_rules.h"
#include "palette/appearance_win.h"
#include "palette/group_headers_win.h"
#include "platform/unique_handle_win.h"

namespace lumetra::palette {
namespace {

constexpr int kWidth = 400;
constexpr int kHeight = 120;
constexpr COLORREF kListBackground = RGB(0x1C, 0x1C, 0x1C);

struct Group {
    int id;
    const wchar_t* header;
    bool collapsed;
    RECT headerRect;
};
const Group kGroups[] = {
    {11, L"Documents", false, {0, 0, kWidth, 30}},
    {12, L"", false, {0, 40, kWidth, 70}},  // no header text: not drawn
    {13, L"Pictures", true, {0, 80, kWidth, 110}},
};

LRESULT CALLBACK GroupedListProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case LVM_GETGROUPCOUNT: return 3;
        case LVM_GETGROUPINFOBYINDEX: {
            const Group& g = kGroups[wParam];
            auto* info = reinterpret_cast<LVGROUP*>(lParam);
            info->iGroupId = g.id;
            info->state = g.collapsed ? LVGS_COLLAPSED : 0;
            lstrcpynW(info->pszHeader, g.header, info->cchHeader);
            return TRUE;
        }
        case LVM_GETGROUPRECT:
            for (const Group& g : kGroups)
                if (g.id == static_cast<int>(wParam) &&
                    reinterpret_cast<RECT*>(lParam)->top == LVGGR_HEADER) {
                    *reinterpret_cast<RECT*>(lParam) = g.headerRect;
                    return TRUE;
                }
            return FALSE;
        default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

class GroupHeaders : public ::testing::Test {
  protected:
    void SetUp() override {
        WNDCLASSW wc{};
        wc.lpfnWndProc = GroupedListProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"GroupedListStandIn";
        RegisterClassW(&wc);
        list_ = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, kWidth, kHeight, nullptr,
                                nullptr, wc.hInstance, nullptr);
        ASSERT_TRUE(list_);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = kWidth;
        info.bmiHeader.biHeight = -kHeight;  // top-down rows
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        bitmap_.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS,
                                       reinterpret_cast<void**>(&pixels_), nullptr, 0));
        ASSERT_TRUE(bitmap_);
        dc_ = CreateCompatibleDC(nullptr);
        previous_ = SelectObject(dc_, bitmap_.get());
        platform::UniqueGdiObject background(CreateSolidBrush(kListBackground));
        const RECT all{0, 0, kWidth, kHeight};
        FillRect(dc_, &all, static_cast<HBRUSH>(background.get()));
        config::Cfg().groupBy = true;
    }
    void TearDown() override {
        SelectObject(dc_, previous_);
        DeleteDC(dc_);
        DestroyWindow(list_);
        config::Cfg() = config::Settings();
        ApplyAppMode(nullptr);
    }
    void Paint(config::DisplayMode mode) {
        config::Cfg().displayMode = mode;
        ApplyAppMode(nullptr);
        PaintGroupHeadersOn(list_, dc_);
        GdiFlush();
    }
    COLORREF At(int x, int y) const {
        const std::uint32_t p = pixels_[y * kWidth + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    int CountIn(const RECT& r, COLORREF colour) const {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) n += At(x, y) == colour;
        return n;
    }
    bool Untouched(const RECT& r) const {
        return CountIn(r, kListBackground) == (r.right - r.left) * (r.bottom - r.top);
    }

    HWND list_ = nullptr;
    platform::UniqueGdiObject bitmap_;
    std::uint32_t* pixels_ = nullptr;
    HDC dc_ = nullptr;
    HGDIOBJ previous_ = nullptr;
};

TEST_F(GroupHeaders, DarkGroupedHeadersGetTheirBandTextAndTriangle) {
    Paint(config::DisplayMode::Dark);
    const COLORREF band = kDarkGroupHeaderBand;
    const COLORREF text = kDarkGroupHeaderText;
    for (const Group* g : {&kGroups[0], &kGroups[2]}) {
        SCOPED_TRACE(g->header);
        const GroupHeaderDrawing d = GroupHeaderDrawingFor(
            {g->headerRect.left, g->headerRect.top, g->headerRect.right, g->headerRect.bottom}, 96,
            g->collapsed);
        EXPECT_EQ(At(d.band.left + 2, d.band.top + 1), band) << "band corner";
        EXPECT_EQ(At(d.band.right - 1, d.band.bottom - 1), band);
        // The text, in the bold list font: some pixels of the text colour at
        // the start of the text area.
        EXPECT_GT(CountIn({d.text.left, d.text.top, d.text.left + 60, d.text.bottom}, text), 20);
        // The triangle's middle, in the strip the band leaves free.
        const int cx = (d.triangle[0].x + d.triangle[1].x + d.triangle[2].x) / 3;
        const int cy = (d.triangle[0].y + d.triangle[1].y + d.triangle[2].y) / 3;
        EXPECT_EQ(At(cx, cy), text) << "triangle";
        EXPECT_EQ(At(g->headerRect.right - 2, g->headerRect.top + 1), kListBackground)
            << "strip right of the band";
    }
    // Collapsed points right: wider on its left edge than on its right.
    const GroupHeaderDrawing collapsed = GroupHeaderDrawingFor({0, 80, kWidth, 110}, 96, true);
    EXPECT_EQ(At(collapsed.triangle[0].x, 95 - 2), kDarkGroupHeaderText);
    EXPECT_EQ(At(collapsed.triangle[2].x, 95 - 2), kListBackground);
    EXPECT_TRUE(Untouched(kGroups[1].headerRect)) << "a group without header text";
}

TEST_F(GroupHeaders, NothingIsDrawnInLightOrWithoutGrouping) {
    Paint(config::DisplayMode::Light);
    EXPECT_TRUE(Untouched({0, 0, kWidth, kHeight}));
    config::Cfg().groupBy = false;
    Paint(config::DisplayMode::Dark);
    EXPECT_TRUE(Untouched({0, 0, kWidth, kHeight}));
}

}  // namespace
}  // namespace lumetra::palette
