#include <gtest/gtest.h>

#include <set>
#include <string>

#include "../tools/ReplayBytes.h"
#include "../tools/TestSupport.h"
#include "common/Exception.h"
#include "common/win/Handles.h"
#include "replay/FileSearch.h"
#include "replay/ReplayFile.h"
#include "replay/SizeText.h"
#include "replay/UserLocale.h"

namespace {

constexpr DWORD kScanAttributes = 0x23;  // read-only, hidden, archive

FILETIME LocalToUtc(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second)
{
    SYSTEMTIME st = {};
    st.wYear = year;
    st.wMonth = month;
    st.wDay = day;
    st.wHour = hour;
    st.wMinute = minute;
    st.wSecond = second;
    FILETIME local = {}, utc = {};
    SystemTimeToFileTime(&st, &local);
    LocalFileTimeToFileTime(&local, &utc);
    return utc;
}

// Sets a file's last-write time to a local wall-clock time.
void SetLocalWriteTime(const std::string& path, WORD year, WORD month, WORD day, WORD hour, WORD minute,
                       WORD second)
{
    FILETIME utc = LocalToUtc(year, month, day, hour, minute, second);
    FileHandle file(CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    ASSERT_TRUE(file.Valid()) << path;
    ASSERT_TRUE(SetFileTime(file.Get(), nullptr, nullptr, &utc));
}

// Whether nobody holds the file open: an exclusive open succeeds.
bool NotHeldOpen(const std::string& path)
{
    FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    return file.Valid();
}

std::string OpenErrorOf(const std::string& path)
{
    try {
        IsReplayFile(path);
    } catch (const Exception& e) {
        return e.Message();
    }
    return "(no error)";
}

}  // namespace

TEST(IsReplayFile, RealFiles)
{
    TempDir dir;
    std::string otherGameTag = ReplayBytes("g", 26);
    otherGameTag[25] = 'x';
    struct Case {
        const char* name;
        std::string bytes;
        bool replay;
    } cases[] = {
        {"REPLAY01.dat", ReplayBytes("REPLAY01.dat", 26), true},
        {"long.bin", ReplayBytes("long.bin", 70000), true},
        {"no-dat-name.txt", ReplayBytes("no-dat-name.txt", 40), true},  // names play no part
        {"REPLAY02.dat", ReplayBytes("REPLAY02.dat", 25), false},
        {"REPLAY03.dat", "", false},
        {"REPLAY04.dat", otherGameTag, false},
        {"REPLAY05.dat", "REPLAY05.dat is just text, long enough", false},
    };
    for (const auto& c : cases) {
        WriteFileBytes(dir / c.name, c.bytes);
        EXPECT_EQ(IsReplayFile(dir / c.name), c.replay) << c.name;
        EXPECT_TRUE(NotHeldOpen(dir / c.name)) << c.name << " left open";
    }

    std::string readOnly = dir / "REPLAY06.dat";
    WriteFileBytes(readOnly, ReplayBytes("REPLAY06.dat"));
    SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    EXPECT_TRUE(IsReplayFile(readOnly));
}

TEST(IsReplayFile, FolderIsNoReplay)
{
    TempDir dir;
    ASSERT_TRUE(CreateDirectoryA((dir / "REPLAY77.dat").c_str(), nullptr));
    EXPECT_FALSE(IsReplayFile(dir / "REPLAY77.dat"));
    EXPECT_FALSE(IsReplayFile(dir / "REPLAY77.dat\\"));
}

TEST(IsReplayFile, FileHeldOpenRaisesTheOpenError)
{
    TempDir dir;
    WriteFileBytes(dir / "REPLAY01.dat", ReplayBytes("REPLAY01.dat"));
    FileHandle holder(CreateFileA((dir / "REPLAY01.dat").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(holder.Valid());

    // A relative name is reported as the absolute path.
    char previous[MAX_PATH];
    GetCurrentDirectoryA(sizeof previous, previous);
    ASSERT_TRUE(SetCurrentDirectoryA(dir.Path().c_str()));
    std::string message = OpenErrorOf("REPLAY01.dat");
    SetCurrentDirectoryA(previous);

    const std::string prefix = "ファイル \"" + dir / "REPLAY01.dat" + "\". ";
    const std::string suffix = " は開けません";
    ASSERT_GT(message.size(), prefix.size() + suffix.size()) << message;
    EXPECT_EQ(message.substr(0, prefix.size()), prefix);
    EXPECT_EQ(message.substr(message.size() - suffix.size()), suffix);
    std::string systemText = message.substr(prefix.size(), message.size() - prefix.size() - suffix.size());
    EXPECT_FALSE(systemText.empty());
    EXPECT_NE(systemText.back(), '\n');
    EXPECT_NE(systemText.back(), '.');

    holder.Reset();
    EXPECT_TRUE(IsReplayFile(dir / "REPLAY01.dat"));
}

TEST(IsReplayFile, MissingFileRaises)
{
    TempDir dir;
    std::string message = OpenErrorOf(dir / "REPLAY99.dat");
    EXPECT_EQ(message.find("ファイル \"" + dir / "REPLAY99.dat" + "\". "), 0u) << message;
    EXPECT_NE(message.find(" は開けません"), std::string::npos) << message;
}

TEST(FileSearch, ScanAttributes)
{
    TempDir dir;
    WriteFileBytes(dir / "REPLAY01.DAT", ReplayBytes("REPLAY01.DAT", 300));
    WriteFileBytes(dir / "REPLAY02.dat", "hidden");
    WriteFileBytes(dir / "REPLAY03.dat", "system");
    WriteFileBytes(dir / "REPLAY04.dat", "read-only");
    WriteFileBytes(dir / "REPLAY5.txt", "other name");
    WriteFileBytes(dir / "other.dat", "other name");
    ASSERT_TRUE(CreateDirectoryA((dir / "REPLAY77.dat").c_str(), nullptr));
    ASSERT_TRUE(SetFileAttributesA((dir / "REPLAY02.dat").c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(SetFileAttributesA((dir / "REPLAY03.dat").c_str(), FILE_ATTRIBUTE_SYSTEM));
    ASSERT_TRUE(SetFileAttributesA((dir / "REPLAY04.dat").c_str(), FILE_ATTRIBUTE_READONLY));
    // The platform must really keep the attributes, or the test proves nothing.
    ASSERT_TRUE(GetFileAttributesA((dir / "REPLAY03.dat").c_str()) & FILE_ATTRIBUTE_SYSTEM);
    ASSERT_TRUE(GetFileAttributesA((dir / "REPLAY02.dat").c_str()) & FILE_ATTRIBUTE_HIDDEN);
    SetLocalWriteTime(dir / "REPLAY01.DAT", 2024, 3, 5, 10, 15, 31);

    std::set<std::string> names;
    FileSearch search(dir / "REPLAY??.dat", kScanAttributes);
    while (auto found = search.Next()) {
        names.insert(found->name);
        if (found->name == "REPLAY01.DAT") {
            EXPECT_EQ(found->size, 300u);
            ASSERT_TRUE(found->time.has_value());
            EXPECT_EQ(DateTimeText(*found->time, LocaleSnapshot()), "2024/03/05 10:15:30");
        }
    }
    EXPECT_EQ(names, (std::set<std::string>{"REPLAY01.DAT", "REPLAY02.dat", "REPLAY04.dat"}));
    EXPECT_FALSE(search.Next().has_value());  // stays at the end

    // Asking for directories and system files too delivers them.
    std::set<std::string> all;
    FileSearch wide(dir / "REPLAY??.dat", kScanAttributes | FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_SYSTEM);
    while (auto found = wide.Next())
        all.insert(found->name);
    EXPECT_EQ(all, (std::set<std::string>{"REPLAY01.DAT", "REPLAY02.dat", "REPLAY03.dat", "REPLAY04.dat",
                                          "REPLAY77.dat"}));
}

TEST(FileSearch, NothingFound)
{
    TempDir dir;
    FileSearch empty(dir / "REPLAY??.dat", kScanAttributes);
    EXPECT_FALSE(empty.Next().has_value());
    FileSearch missing(dir / "no such folder\\REPLAY??.dat", kScanAttributes);
    EXPECT_FALSE(missing.Next().has_value());

    // Only a folder matches: the search ends without an entry.
    ASSERT_TRUE(CreateDirectoryA((dir / "REPLAY77.dat").c_str(), nullptr));
    FileSearch onlyFolder(dir / "REPLAY??.dat", kScanAttributes);
    EXPECT_FALSE(onlyFolder.Next().has_value());
}

TEST(PackedLocalTime, RangeOfThePackedForm)
{
    auto first = PackedLocalTime(LocalToUtc(1980, 1, 1, 0, 0, 0));
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(first->date, (0 << 9) | (1 << 5) | 1);
    EXPECT_EQ(first->time, 0);

    auto odd = PackedLocalTime(LocalToUtc(2024, 3, 5, 10, 15, 31));
    ASSERT_TRUE(odd.has_value());
    EXPECT_EQ(odd->time, (10 << 11) | (15 << 5) | 15);

    EXPECT_TRUE(PackedLocalTime(LocalToUtc(2107, 12, 31, 23, 59, 58)).has_value());
    EXPECT_FALSE(PackedLocalTime(LocalToUtc(1979, 12, 31, 23, 59, 59)).has_value());
    EXPECT_FALSE(PackedLocalTime(LocalToUtc(1975, 6, 1, 12, 0, 0)).has_value());
    EXPECT_FALSE(PackedLocalTime(LocalToUtc(2108, 1, 1, 0, 0, 0)).has_value());
}

TEST(FileDateText, ByPath)
{
    TempDir dir;
    const LocaleSnapshot ja;
    WriteFileBytes(dir / "REPLAY01.dat", ReplayBytes("REPLAY01.dat"));
    SetLocalWriteTime(dir / "REPLAY01.dat", 2024, 3, 5, 10, 15, 31);
    EXPECT_EQ(FileDateText(dir / "REPLAY01.dat", ja), "2024/03/05 10:15:30");

    SetLocalWriteTime(dir / "REPLAY01.dat", 2024, 3, 5, 0, 0, 1);
    EXPECT_EQ(FileDateText(dir / "REPLAY01.dat", ja), "2024/03/05");

    // Hidden files are found like any other.
    SetFileAttributesA((dir / "REPLAY01.dat").c_str(), FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(FileDateText(dir / "REPLAY01.dat", ja), "2024/03/05");

    // A time the packed form cannot hold: the row gets an empty date.
    WriteFileBytes(dir / "old.dat", "old");
    SetLocalWriteTime(dir / "old.dat", 1975, 6, 1, 12, 0, 0);
    EXPECT_EQ(FileDateText(dir / "old.dat", ja), "");
    WriteFileBytes(dir / "future.dat", "future");
    SetLocalWriteTime(dir / "future.dat", 2110, 6, 1, 12, 0, 0);
    EXPECT_EQ(FileDateText(dir / "future.dat", ja), "");
}

TEST(FileDateText, MissingFileOrFolderRaises)
{
    TempDir dir;
    ASSERT_TRUE(CreateDirectoryA((dir / "REPLAY77.dat").c_str(), nullptr));
    for (const std::string& path : {dir / "REPLAY99.dat", dir / "REPLAY77.dat"}) {
        try {
            FileDateText(path, LocaleSnapshot());
            ADD_FAILURE() << "no error for " << path;
        } catch (const Exception& e) {
            EXPECT_NE(e.Message().find("\"" + path + "\""), std::string::npos) << e.Message();
        }
    }
}

TEST(FileExistsAsFile, FilesOnly)
{
    TempDir dir;
    WriteFileBytes(dir / "REPLAY01.dat", "x");
    WriteFileBytes(dir / "old.dat", "x");
    SetLocalWriteTime(dir / "old.dat", 1975, 6, 1, 12, 0, 0);
    ASSERT_TRUE(CreateDirectoryA((dir / "REPLAY77.dat").c_str(), nullptr));
    EXPECT_TRUE(FileExistsAsFile(dir / "REPLAY01.dat"));
    EXPECT_TRUE(FileExistsAsFile(dir / "replay01.DAT"));
    EXPECT_FALSE(FileExistsAsFile(dir / "REPLAY77.dat"));
    EXPECT_FALSE(FileExistsAsFile(dir / "REPLAY02.dat"));
    EXPECT_FALSE(FileExistsAsFile(dir / "old.dat"));  // its time has no packed form
}

// The Japanese user locale of the test prefix. Its short date differs between
// platforms ("yyyy/MM/dd" on Windows, "yyyy/M/d" on Wine): tested by meaning.
TEST(ReadUserLocale, JapaneseUserLocale)
{
    LocaleSnapshot locale = ReadUserLocale();
    EXPECT_EQ(locale.shortDate.substr(0, 6), "yyyy/M") << locale.shortDate;
    EXPECT_EQ(locale.dateSeparator, "/");
    EXPECT_EQ(locale.timeSeparator, ":");
    EXPECT_TRUE(locale.clock24);
    EXPECT_TRUE(locale.thousandReadable);
    EXPECT_EQ(TotalKByteText(1572864, locale), "Total 1,536 KByte");
    DosDateTime dt{static_cast<uint16_t>((44 << 9) | (11 << 5) | 25), static_cast<uint16_t>((10 << 11) | (15 << 5) | 15)};
    std::string text = DateTimeText(dt, locale);
    EXPECT_EQ(text.substr(0, 8), "2024/11/") << text;
    EXPECT_EQ(text.substr(text.size() - 9), " 10:15:30") << text;
    EXPECT_FALSE(locale.longMonthNames[0].empty());
    EXPECT_FALSE(locale.shortDayNames[0].empty());
}
