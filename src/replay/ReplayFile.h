#pragma once
// Windows side of replay recognition and of the file facts the lists show.
#include <windows.h>

#include <optional>
#include <string>

#include "common/win/Handles.h"
#include "replay/DateText.h"

// True when the file's first 26 bytes carry both tags. Folders give false
// without being opened. Raises the open error ("ファイル "%s". %s は開けません")
// when the file cannot be opened without sharing.
bool IsReplayFile(const std::string& fileName);

// The user's default locale as the texts need it (read once per call).
LocaleSnapshot ReadUserLocale();

// Last-write time in local time, packed; nothing when the packed form cannot
// hold it (before 1980, after 2107).
std::optional<DosDateTime> PackedLocalTime(const FILETIME& lastWrite);

// One entry of a directory search, as the lists use it.
struct FoundFile {
    std::string name;  // long file name
    uint64_t size = 0;
    DWORD attributes = 0;
    std::optional<DosDateTime> time;
};

// FindFirstFileA/FindNextFileA over `pattern`, delivering only entries whose
// attributes lie within `allowed` (of hidden, system, volume label and
// directory, the ones not in `allowed` are passed over).
class FileSearch {
public:
    FileSearch(const std::string& pattern, DWORD allowed);
    FileSearch(const FileSearch&) = delete;
    FileSearch& operator=(const FileSearch&) = delete;
    // The next delivered entry, or nothing at the end.
    std::optional<FoundFile> Next();

private:
    FindHandle handle_;
    bool first_ = true;
    DWORD exclude_;
    WIN32_FIND_DATAA data_;
};

// Date text of a file by its path (a directory search for the path), as the
// incoming list shows it; raises when the file cannot be found.
std::string FileDateText(const std::string& path, const LocaleSnapshot& locale);

// The same-name test of a transfer: a directory search for `path` finds an
// entry that is not a folder and whose time the packed form can hold.
bool FileExistsAsFile(const std::string& path);
