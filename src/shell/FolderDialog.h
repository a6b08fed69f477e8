#pragma once
// A non-visual component that lets the user pick a folder in the shell's
// folder browser, with an instruction text, an optional preselection and the
// selected path shown in the browser's status line.
#include <windows.h>

#include <functional>
#include <string>

#include "common/Component.h"

class TFolderDialog : public TComponent {
public:
    explicit TFolderDialog(TComponent* owner, std::string name = {});

    // In: the folder to preselect (only when it names an existing folder).
    // Out: the chosen folder's path after Execute returned true, unless the
    // chosen item has no file-system path (then it keeps its value).
    std::string Folder;
    // The instruction text above the folder tree; may hold "\r\n".
    std::string Title = "フォルダーの選択";

    // Shows the browser, modal. True when the user confirmed a selection.
    // Failures of the shell give false with Folder unchanged.
    bool Execute();

    // Called on the browser's thread after the component's own reaction to
    // each message of the browser, with the browser's window, the message and
    // its parameter. Empty in the program; tests select folders and press
    // buttons from here, inside the browser's modal loop.
    std::function<void(HWND browser, UINT message, LPARAM param)> BrowseHook;

private:
    // The owner's window when the owner is a windowed control, else 0.
    HWND OwnerWindow();
};
