#pragma once
// Windows side of the replay folder's location at start-up: the game's
// installation record, the platform family, the application-data folder,
// and the questions and picker of the start-up.
#include <windows.h>

#include <optional>
#include <string>

#include "replay/StartupDecision.h"

class TFolderDialog;

// The game's installation path from HKCU "Software\Sega\PuyoF" "Install
// Path", taken literally (REG_EXPAND_SZ unexpanded). Empty when the key or the
// value is missing or the value is empty. Raises "'Install Path' のデータ型が
// 不正です" for a value that holds no text.
std::string ReadInstallPath();

// True on the NT family of Windows.
bool IsWindowsNT();

// The user's application-data folder as the shell gives it (as a rule without
// a final backslash); empty when the shell cannot give it.
std::string GetAppDataFolder(HWND owner);

// True when `path` names an existing folder.
bool DirectoryExists(const std::string& path);

// The start-up's questions as message boxes owned by the application window,
// and the folder picker.
class WinStartupUi : public StartupUi {
public:
    explicit WinStartupUi(TFolderDialog& picker) : picker_(picker) {}
    bool AskGameNotInstalled() override;
    bool AskFolderMissing() override;
    PickResult PickFolder() override;
    bool FolderExists(const std::string& path) override { return DirectoryExists(path); }

private:
    TFolderDialog& picker_;
};

// The whole start-up location for the main window's creation: reads the
// record, asks what has to be asked, and gives the replay folder (ending in a
// backslash), or nothing when the user chose to end the program (the caller
// then posts the quit message and returns). An installation record of the
// wrong kind raises its error before anything is asked.
std::optional<std::string> LocateReplayFolderAtStartup(TFolderDialog& picker);
