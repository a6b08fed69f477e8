#pragma once
// Windows side of what the lists ask about one file: is it a replay, what
// date does it show, is it there as a file.
#include <string>

#include "replay/LocaleSnapshot.h"

// True when the file's first 26 bytes carry both tags. Folders give false
// without being opened. Raises the open error ("ファイル "%s". %s は開けません")
// when the file cannot be opened without sharing.
bool IsReplayFile(const std::string& fileName);

// Date text of a file by its path (a directory search for the path), as the
// incoming list shows it; raises when the file cannot be found.
std::string FileDateText(const std::string& path, const LocaleSnapshot& locale);

// The same-name test of a transfer: a directory search for `path` finds an
// entry that is not a folder and whose time the packed form can hold.
bool FileExistsAsFile(const std::string& path);
