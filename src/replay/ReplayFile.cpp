#include "replay/ReplayFile.h"

#include <vector>

#include "common/Exception.h"
#include "common/win/SysError.h"
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

std::optional<std::string> ReadLocale(LCTYPE type)
{
    char buffer[128];
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buffer, sizeof buffer) <= 0)
        return std::nullopt;
    return std::string(buffer);
}

std::string LocaleText(LCTYPE type) { return ReadLocale(type).value_or(std::string()); }

void ReadLocale(LCTYPE type, std::string& field)
{
    if (auto value = ReadLocale(type))
        field = *value;
}

void ReadLocale(LCTYPE type, bool& field)
{
    if (auto value = ReadLocale(type))
        field = *value == "1";
}

// The attributes a search passes over unless they are asked for.
constexpr DWORD kSpecialAttributes =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | 0x08 /* volume label */ | FILE_ATTRIBUTE_DIRECTORY;

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

LocaleSnapshot ReadUserLocale()
{
    LocaleSnapshot locale;
    ReadLocale(LOCALE_SSHORTDATE, locale.shortDate);
    ReadLocale(LOCALE_SDATE, locale.dateSeparator);
    ReadLocale(LOCALE_STIME, locale.timeSeparator);
    ReadLocale(LOCALE_ITLZERO, locale.hourLeadingZero);
    ReadLocale(LOCALE_ITIME, locale.clock24);
    ReadLocale(LOCALE_ITIMEMARKPOSN, locale.markerBefore);
    ReadLocale(LOCALE_S1159, locale.amMarker);
    ReadLocale(LOCALE_S2359, locale.pmMarker);
    auto thousand = ReadLocale(LOCALE_STHOUSAND);
    locale.thousandReadable = thousand.has_value();
    locale.thousandSeparator = thousand.value_or(",");
    for (int i = 0; i < 12; ++i) {
        locale.shortMonthNames[i] = LocaleText(LOCALE_SABBREVMONTHNAME1 + i);
        locale.longMonthNames[i] = LocaleText(LOCALE_SMONTHNAME1 + i);
    }
    // The locale counts its day names from Monday; the snapshot from Sunday.
    for (int i = 0; i < 7; ++i) {
        locale.shortDayNames[(i + 1) % 7] = LocaleText(LOCALE_SABBREVDAYNAME1 + i);
        locale.longDayNames[(i + 1) % 7] = LocaleText(LOCALE_SDAYNAME1 + i);
    }
    return locale;
}

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
        FoundFile found;
        found.name = data_.cFileName;
        found.size = (static_cast<uint64_t>(data_.nFileSizeHigh) << 32) | data_.nFileSizeLow;
        found.attributes = data_.dwFileAttributes;
        found.time = PackedLocalTime(data_.ftLastWriteTime);
        return found;
    }
    return std::nullopt;
}

namespace {

// The entry a directory search finds for the path itself, when it is not a folder.
std::optional<WIN32_FIND_DATAA> FindFileEntry(const std::string& path)
{
    WIN32_FIND_DATAA data;
    FindHandle handle(FindFirstFileA(path.c_str(), &data));
    if (!handle || (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::nullopt;
    return data;
}

}  // namespace

std::string FileDateText(const std::string& path, const LocaleSnapshot& locale)
{
    auto entry = FindFileEntry(path);
    if (!entry)
        throw Exception(FormatText("ファイル \"%s\" が見つかりません", AbsolutePath(path).c_str()));
    return DateTimeText(PackedLocalTime(entry->ftLastWriteTime), locale);
}

bool FileExistsAsFile(const std::string& path)
{
    auto entry = FindFileEntry(path);
    return entry && PackedLocalTime(entry->ftLastWriteTime).has_value();
}
