#include "layouttool/notices_win.h"

#include "layouttool/message_dialogs_win.h"
#include "layouttool/toast_win.h"

namespace lumetra::layouttool {

bool UiIsJapanese() { return IsJapaneseUiLanguage(GetUserDefaultUILanguage()); }

void ShowNotice(const Notice& notice) {
    const bool japanese = UiIsJapanese();
    const wchar_t* title = notice.title ? Pick(*notice.title, japanese) : nullptr;
    const wchar_t* body = notice.body ? Pick(*notice.body, japanese) : nullptr;
    if (notice.kind == NoticeKind::kToast) {
        if (body && ShowToast(title, body)) return;
        ShowMessage(TD_WARNING_ICON, title, body);
        return;
    }
    ShowMessage(TD_ERROR_ICON, title, body);
}

}  // namespace lumetra::layouttool
