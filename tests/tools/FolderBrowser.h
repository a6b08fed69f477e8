#pragma once
// Drives the shell's folder browser of a TFolderDialog from inside, through
// the component's BrowseHook: on the browser's own thread, at its
// initialisation, before it shows. The button is pressed by the test's
// ModalAnswerer when the browser is activated.
#include <windows.h>

#include <optional>
#include <string>

#include "shell/FolderDialog.h"

namespace browser {

// Controls of the shell's folder browser.
constexpr int kTree = 0x3741;
constexpr int kInstruction = 0x3742;
constexpr int kStatus = 0x3743;

// What to select when the browser opens: a folder by its path, or (no path)
// "My Computer", an item without a file-system path.
struct Target {
    std::optional<std::string> path;
};
inline Target Folder(std::string path) { return Target{std::move(path)}; }
inline Target MyComputer() { return Target{}; }

// The browser as it opened, and whether the selection asked for took.
struct View {
    bool opened = false;
    std::string instruction;
    std::string status;  // the status line once the component has initialised it
    HWND owner = nullptr;
    bool selected = false;  // the browser reported the change to the target
};

// Sets the dialog's BrowseHook: fills `view` and selects `target`, if any.
// `view` must outlive the dialog's Execute.
void OnOpen(TFolderDialog& dialog, View& view, std::optional<Target> target = std::nullopt);

}  // namespace browser
