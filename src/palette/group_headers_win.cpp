#include "palette/group_headers_win.h"

#include <commctrl.h>

#include "config/settings.h"
#include "hostedview/view_mode_win.h"
#include "palette/appearance_rules.h"
#include "palette/appearance_win.h"
#include "platform/unique_handle_win.h"

namespace lumetra::palette {
namespace {

constexpr int kHeaderCapacity = 512;
constexpr UINT kHeaderTextFormat =
    DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX | DT_LEFT;

RECT ToRect(const ScreenRect& r) { return {r.left, r.top, r.right, r.bottom}; }

platform::UniqueGdiObject BoldFontOf(HWND list) {
    auto font = reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0));
    if (!font) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    LOGFONTW face{};
    if (!GetObjectW(font, sizeof(face), &face)) return platform::UniqueGdiObject();
    face.lfWeight = FW_BOLD;
    return platform::UniqueGdiObject(CreateFontIndirectW(&face));
}

struct HeaderTools {
    platform::UniqueGdiObject font;
    platform::UniqueGdiObject band{CreateSolidBrush(kDarkGroupHeaderBand)};
    platform::UniqueGdiObject mark{CreateSolidBrush(kDarkGroupHeaderText)};
    platform::UniqueGdiObject outline{CreatePen(PS_SOLID, 1, kDarkGroupHeaderText)};
};

void PaintHeader(HWND list, HDC dc, const HeaderTools& tools, int index, int dpi) {
    wchar_t text[kHeaderCapacity] = {};
    LVGROUP group{};
    group.cbSize = sizeof(group);
    group.mask = LVGF_HEADER | LVGF_STATE | LVGF_GROUPID;
    group.pszHeader = text;
    group.cchHeader = kHeaderCapacity;
    group.stateMask = LVGS_COLLAPSED;
    if (!SendMessageW(list, LVM_GETGROUPINFOBYINDEX, static_cast<WPARAM>(index),
                      reinterpret_cast<LPARAM>(&group)) ||
        !text[0])
        return;
    RECT header{};
    header.top = LVGGR_HEADER;
    if (!SendMessageW(list, LVM_GETGROUPRECT, static_cast<WPARAM>(group.iGroupId),
                      reinterpret_cast<LPARAM>(&header)))
        return;
    const GroupHeaderDrawing drawing =
        GroupHeaderDrawingFor({header.left, header.top, header.right, header.bottom}, dpi,
                              (group.state & LVGS_COLLAPSED) != 0);

    const RECT band = ToRect(drawing.band);
    FillRect(dc, &band, static_cast<HBRUSH>(tools.band.get()));
    RECT textRect = ToRect(drawing.text);
    DrawTextW(dc, text, -1, &textRect, kHeaderTextFormat);
    POINT corners[3];
    for (std::size_t i = 0; i < 3; ++i) corners[i] = {drawing.triangle[i].x, drawing.triangle[i].y};
    Polygon(dc, corners, 3);
}

}  // namespace

void PaintGroupHeadersOn(HWND list, HDC dc) {
    if (!DarkMode() || !(hostedview::IsViewGrouped() || config::Cfg().groupBy)) return;
    const int count = static_cast<int>(SendMessageW(list, LVM_GETGROUPCOUNT, 0, 0));
    if (count <= 0) return;
    const int dpi = static_cast<int>(GetDpiForWindow(list));
    HeaderTools tools;
    tools.font = BoldFontOf(list);
    const int saved = SaveDC(dc);
    if (tools.font) SelectObject(dc, tools.font.get());
    SelectObject(dc, tools.mark.get());
    SelectObject(dc, tools.outline.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kDarkGroupHeaderText);
    for (int index = 0; index < count; ++index)
        PaintHeader(list, dc, tools, index, dpi > 0 ? dpi : 96);
    RestoreDC(dc, saved);  // before the tools go
}

void PaintGroupHeaders(HWND list) {
    if (!list) return;
    HDC dc = GetDC(list);
    if (!dc) return;
    PaintGroupHeadersOn(list, dc);
    ReleaseDC(list, dc);
}

}  // namespace lumetra::palette
