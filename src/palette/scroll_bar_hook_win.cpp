#include "palette/scroll_bar_hook_win.h"

#include "hostedview/hosted_view_win.h"
#include "palette/appearance_rules.h"
#include "palette/appearance_win.h"
#include "platform/import_patch_win.h"

namespace lumetra::palette {
namespace {

// The real lookup behind the redirect; null until a module is redirected.
ThemeLookup gLookup = nullptr;

bool InHostedView(HWND window) {
    if (!window || !hostedview::HasViewWindow()) return false;
    HWND view = hostedview::View().viewWindow;
    if (window == view || IsChild(view, window)) return true;
    HWND list = hostedview::FindHostedListView();
    return list && (window == list || IsChild(list, window));
}

HTHEME WINAPI RedirectedThemeLookup(HWND window, LPCWSTR classList) {
    if (!gLookup) return nullptr;
    if (classList && RedirectsScrollBarTheme(DarkMode(), classList, InHostedView(window)))
        return gLookup(nullptr, kDarkScrollBarClass);
    return gLookup(window, classList);
}

}  // namespace

ScrollBarHookResult InstallHostedScrollBar(HMODULE module, ThemeLookup lookup) {
    void** slot = platform::FindImportSlot(module, {"uxtheme.dll", 49, "OpenNcThemeData"});
    if (!slot) return ScrollBarHookResult::NoImport;
    gLookup = lookup;
    if (!platform::ReplaceImportSlot(slot, reinterpret_cast<void*>(RedirectedThemeLookup)))
        return ScrollBarHookResult::NotWritable;
    return ScrollBarHookResult::Installed;
}

}  // namespace lumetra::palette
