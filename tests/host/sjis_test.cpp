#include <gtest/gtest.h>

#include "common/ErrorText.h"
#include "common/sjis.h"

TEST(Sjis, LiteralsAreShiftJis)
{
    EXPECT_EQ(std::string("ソ"), "\x83\x5C");
    EXPECT_EQ(std::string("ぷよ"), "\x82\xD5\x82\xE6");
    EXPECT_EQ(std::string("ﾘﾌﾟﾚｲﾌｧｲ{ﾙ"), "\xD8\xCC\xDF\xDA\xB2\xCC\xA7\xB2\x7B\xD9");
}

TEST(Sjis, AddTrailingBackslash)
{
    struct Case { const char* in; const char* out; } cases[] = {
        {"", "\\"},
        {"C:\\a", "C:\\a\\"},
        {"C:\\a\\", "C:\\a\\"},
        {"C:\\ソ", "C:\\ソ\\"},      // 83 5C: the 5C is a trail byte
        {"C:\\ソ\\", "C:\\ソ\\"},
        {"C:\\aソ", "C:\\aソ\\"},
        {"\\", "\\"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AddTrailingBackslash(c.in), c.out) << c.in;
}

TEST(Sjis, ExtractFileName)
{
    struct Case { const char* in; const char* out; } cases[] = {
        {"C:\\dir\\REPLAY01.dat", "REPLAY01.dat"},
        {"C:REPLAY01.dat", "REPLAY01.dat"},
        {"REPLAY01.dat", "REPLAY01.dat"},
        {"C:\\ソフト\\ソREPLAY.dat", "ソREPLAY.dat"},
        {"C:\\dir\\", ""},
        {"a:b\\c:d", "d"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(sjis::ExtractFileName(c.in), c.out) << c.in;
}

TEST(ErrorText, FullStopAddedAfterCharactersSortingAfterIt)
{
    struct Case { const char* in; const char* out; } cases[] = {
        {"", ""},
        {"abc", "abc."},
        {"abc.", "abc."},
        {"abc)", "abc)"},
        {"abc-", "abc-"},
        {"x/", "x/."},
        {"開けません", "開けません."},
        {"データ型が不正です", "データ型が不正です."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ErrorBoxText(c.in), c.out) << c.in;
}

TEST(ErrorText, TitleFromModulePath)
{
    EXPECT_EQ(TitleFromModulePath("C:\\Program Files\\SLOTWELL.EXE"), "Slotwell");
    EXPECT_EQ(TitleFromModulePath("C:\\x\\slotwell.exe"), "slotwell");
    EXPECT_EQ(TitleFromModulePath("Z:\\a.b\\MyTool.v2.exe"), "Mytool.v2");
}

TEST(Sjis, TrimMessageTail)
{
    EXPECT_EQ(sjis::TrimMessageTail("Access is denied.\r\n"), "Access is denied");
    EXPECT_EQ(sjis::TrimMessageTail("アクセスが拒否されました。\r\n"), "アクセスが拒否されました。");
    EXPECT_EQ(sjis::TrimMessageTail(" . "), "");
}
