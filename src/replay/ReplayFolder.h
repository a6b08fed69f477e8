#pragma once
// Windows side of the replay folder's location at start-up: the facts it is
// decided from (the game's installation record, the platform family, the
// application-data folder, the folder test). The questions and the picker
// belong to the window: ui/StartupUi.h.
#include <windows.h>

#include <string>

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
