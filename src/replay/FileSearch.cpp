#include "replay/FileSearch.h"

namespace {

// The attributes a search passes over unless they are asked for.
constexpr DWORD kSpecialAttributes =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | 0x08 /* volume label */ | FILE_ATTRIBUTE_DIRECTORY;

FoundFile Entry(const WIN32_FIND_DATAA& data)
{
    FoundFile found;
    found.name = data.cFileName;
    found.size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    found.attributes = data.dwFileAttributes;
    found.time = PackedLocalTime(data.ftLastWriteTime);
    return found;
}

}  // namespace

std::optional<DosDateTime> PackedLocalTime(const FILETIME& lastWrite)
{
    FILETIME local;
    if (!FileTimeToLocalFileTime(&lastWrite, &local))
        return std::nullopt;
    // Wine packs years after 2107 into nonsense (2108 comes out as 1980)
    // instead of failing as Windows does: the range is tested here.
    SYSTEMTIME st;
    if (!FileTimeToSystemTime(&local, &st) || st.wYear < 1980 || st.wYear > 2107)
        return std::nullopt;
    DosDateTime dt;
    WORD date = 0, time = 0;
    if (!FileTimeToDosDateTime(&local, &date, &time))
        return std::nullopt;
    dt.date = date;
    dt.time = time;
    return dt;
}

FileSearch::FileSearch(const std::string& pattern, DWORD allowed)
    : exclude_(kSpecialAttributes & ~allowed)
{
    ZeroMemory(&data_, sizeof data_);
    handle_.Reset(FindFirstFileA(pattern.c_str(), &data_));
}

std::optional<FoundFile> FileSearch::Next()
{
    while (handle_) {
        if (first_) {
            first_ = false;
        } else if (!FindNextFileA(handle_.Get(), &data_)) {
            handle_.Reset();
            break;
        }
        if (data_.dwFileAttributes & exclude_)
            continue;
        return Entry(data_);
    }
    return std::nullopt;
}

std::optional<FoundFile> FindFileEntry(const std::string& path)
{
    WIN32_FIND_DATAA data;
    FindHandle handle(FindFirstFileA(path.c_str(), &data));
    if (!handle || (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::nullopt;
    return Entry(data);
}
