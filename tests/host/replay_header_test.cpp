#include <gtest/gtest.h>

#include <string>

#include "../tools/ReplayBytes.h"
#include "replay/ReplayHeader.h"

namespace {

std::string WithByte(std::string bytes, size_t offset, char value)
{
    bytes[offset] = value;
    return bytes;
}

}  // namespace

TEST(ReplayHeader, Table)
{
    const std::string good = ReplayBytes("abc", 26);
    std::string anyFill = good;
    for (size_t i : {0, 1, 2, 3, 4, 5, 6, 7, 8, 19, 20, 21})
        anyFill[i] = static_cast<char>(i % 2 ? 0x00 : 0xFF);
    std::string longer = ReplayBytes("zz", 4096);
    longer[26] = '\0';

    struct Case {
        const char* what;
        std::string bytes;
        bool replay;
    } cases[] = {
        {"both tags", good, true},
        {"any bytes at 0-8 and 19-21", anyFill, true},
        {"longer than 26 bytes", longer, true},
        {"25 bytes", good.substr(0, 25), false},
        {"empty", "", false},
        {"zero at the end of the type tag", WithByte(good, 18, '\0'), false},
        {"zero at the end of the game tag", WithByte(good, 25, '\0'), false},
        {"zero at the start of the type tag", WithByte(good, 9, '\0'), false},
        {"tags shifted by one", "x" + good.substr(0, 25), false},
        {"brace of the type tag changed", WithByte(good, 17, '|'), false},
        {"all zero", std::string(26, '\0'), false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsReplayHeader(c.bytes), c.replay) << c.what;
}

TEST(ReplayHeader, EveryTagByteMatters)
{
    const std::string good = ReplayBytes("abc", 26);
    for (size_t i = 9; i < 19; ++i)
        EXPECT_FALSE(IsReplayHeader(WithByte(good, i, static_cast<char>(good[i] + 1)))) << "type tag byte " << i;
    for (size_t i = 22; i < 26; ++i)
        EXPECT_FALSE(IsReplayHeader(WithByte(good, i, static_cast<char>(good[i] + 1)))) << "game tag byte " << i;
    // Both tags as texts of the source, byte for byte.
    std::string fromTexts(26, ' ');
    fromTexts.replace(9, 10, "ﾘﾌﾟﾚｲﾌｧｲ{ﾙ");
    fromTexts.replace(22, 4, "ぷよ");
    EXPECT_TRUE(IsReplayHeader(fromTexts));
}
