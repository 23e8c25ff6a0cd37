#include "palette/registered_messages_win.h"

#include "protocol/messages.h"

namespace lumetra::palette {
namespace {

struct RegisteredMessages {
    UINT taskbarCreated = 0;
    UINT toggle[3] = {};  // WM_LUMETRA_TOGGLE, WM_CORVANEL_TOGGLE, WM_SAFFREL_TOGGLE
};

RegisteredMessages& Messages() {
    static RegisteredMessages messages;
    return messages;
}

}  // namespace

void RegisterPaletteMessages(HWND palette) {
    RegisteredMessages& ids = Messages();
    auto allow = [palette](UINT id) {
        if (id != 0) ChangeWindowMessageFilterEx(palette, id, MSGFLT_ALLOW, nullptr);
    };
    ids.taskbarCreated = RegisterWindowMessageW(protocol::kTaskbarCreatedMessageName);
    allow(ids.taskbarCreated);
    for (int i = 0; i < 3; ++i) {
        ids.toggle[i] = RegisterWindowMessageW(protocol::kToggleMessageNames[i]);
        allow(ids.toggle[i]);
    }
}

bool IsToggleMessage(UINT message) {
    if (message == 0) return false;
    for (UINT id : Messages().toggle)
        if (id == message) return true;
    return false;
}

bool IsTaskbarCreatedMessage(UINT message) {
    return message != 0 && message == Messages().taskbarCreated;
}

}  // namespace lumetra::palette
