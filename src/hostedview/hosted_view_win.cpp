// The shell view host. Building the view arrives with the hosted-view work;
// until then the palette hosts nothing and every user of the view finds none.
#include "hostedview/hosted_view_win.h"

#include <commctrl.h>

namespace lumetra::hostedview {

HostedView& View() {
    static HostedView view;
    return view;
}

bool InitializeExplorerBrowser(HWND) { return false; }

void ReleaseExplorerBrowser() {
    HostedView& v = View();
    v.shellView.reset();
    v.desktopFolder.reset();
    v.viewWindow = nullptr;
    v.listView = nullptr;
}

bool ListViewEditing() {
    return HasListView() && SendMessageW(View().listView, LVM_GETEDITCONTROL, 0, 0) != 0;
}

}  // namespace lumetra::hostedview
