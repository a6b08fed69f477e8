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
    bar_.Reset(CreateChildWindow({.parent = status, .className = PROGRESS_CLASSA,
                                  .left = layout::kStatusPanelWidth + 2, .top = 2,
                                  .width = layout::kStatusPanelWidth - 3, .height = client.bottom - 2,
                                  .visible = false}));
    SendMessageA(bar_.Get(), PBM_SETRANGE, 0, MAKELPARAM(0, 100));
    SendMessageA(bar_.Get(), PBM_SETPOS, 0, 0);
    ShowWindow(bar_.Get(), SW_SHOW);
}

void StatusProgress::SetPosition(int position)
{
    position_ = position;
    SendMessageA(bar_.Get(), PBM_SETPOS, position, 0);
}
