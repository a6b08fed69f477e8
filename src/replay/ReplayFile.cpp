#include "replay/ReplayFile.h"

#include <windows.h>

#include <vector>

#include "common/Exception.h"
#include "common/win/Handles.h"
#include "common/win/SysError.h"
#include "replay/DateText.h"
#include "replay/FileSearch.h"
#include "replay/ReplayHeader.h"

namespace {

// The path as the user would find it: made absolute against the current folder.
std::string AbsolutePath(const std::string& path)
{
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        DWORD n = GetFullPathNameA(path.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
        if (n == 0)
            return path;
        if (n < buffer.size())
            return std::string(buffer.data(), n);
        buffer.resize(n);
    }
}

}  // namespace

bool IsReplayFile(const std::string& fileName)
{
    DWORD attributes = GetFileAttributesA(fileName.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;

    // No sharing: a replay that the game holds open is reported, not passed over.
    FileHandle file(
        CreateFileA(fileName.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        DWORD error = GetLastError();
        throw Exception(FormatText("ファイル \"%s\". %s は開けません", AbsolutePath(fileName).c_str(),
                                   SysErrorMessage(error).c_str()));
    }

    char block[kReplayHeaderSize] = {};
    DWORD read = 0;
    if (!ReadFile(file.Get(), block, sizeof block, &read, nullptr))
        read = 0;  // a failed read is a read of nothing, not an error
    return IsReplayHeader(std::string_view(block, read));
}

std::string FileDateText(const std::string& path, const LocaleSnapshot& locale)
{
    auto entry = FindFileEntry(path);
    if (!entry)
        throw Exception(FormatText("ファイル \"%s\" が見つかりません", AbsolutePath(path).c_str()));
    return DateTimeText(entry->time, locale);
}

bool FileExistsAsFile(const std::string& path)
{
    auto entry = FindFileEntry(path);
    return entry && entry->time.has_value();
}
