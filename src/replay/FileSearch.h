#pragma once
// The platform's directory search as the lists use it: entries with their
// size and their last-write time in the packed local form.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "common/win/Handles.h"
#include "replay/DateText.h"

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

// The entry a directory search finds for `path` itself, when it is not a
// folder; nothing when there is none.
std::optional<FoundFile> FindFileEntry(const std::string& path);
