#include <windows.h>
#include <commctrl.h>

#include "common/Exception.h"
#include "common/win/Application.h"
#include "shell/drag_drop.h"
#include "ui/main.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    InitCommonControls();
    DragDropModule ole;  // before the window: its drop target registers at once

    TfrMain* form = nullptr;
    try {
        Application.Initialize(instance);
        form = new TfrMain();
    } catch (const std::exception& e) {
        // Without its window the program cannot go on: say so, then end.
        Application.ShowException(Exception(std::string("起動できませんでした。\r\n") + e.what()));
        return 1;
    }
    // A user who ended the program during start-up does not see the window.
    MSG pending;
    if (!PeekMessageA(&pending, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE)) {
        Application.ShowTaskbarButton();
        form->Show();
    }
    int code = Application.Run();
    delete form;  // revokes the drop target while OLE is still up
    return code;
}
