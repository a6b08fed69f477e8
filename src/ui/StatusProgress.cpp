#include "ui/StatusProgress.h"

#include <commctrl.h>

#include "common/win/StatusBar.h"
#include "common/win/WindowCreate.h"
#include "ui/Layout.h"

StatusProgress::StatusProgress(TStatusBar& statusBar)
{
    HWND status = statusBar.Handle();
    RECT client;
    GetClientRect(status, &client);
    ChildWindowArgs args;
    args.parent = status;
    args.className = PROGRESS_CLASSA;
    args.left = layout::kStatusPanelWidth + 2;
    args.top = 2;
    args.width = layout::kStatusPanelWidth - 3;
    args.height = client.bottom - 2;
    args.visible = false;
    bar_.Reset(CreateChildWindow(args));
    SendMessageA(bar_.Get(), PBM_SETRANGE, 0, MAKELPARAM(0, 100));
    SendMessageA(bar_.Get(), PBM_SETPOS, 0, 0);
    ShowWindow(bar_.Get(), SW_SHOW);
}

void StatusProgress::SetPosition(int position)
{
    position_ = position;
    SendMessageA(bar_.Get(), PBM_SETPOS, position, 0);
}
