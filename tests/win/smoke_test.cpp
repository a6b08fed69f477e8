#include <gtest/gtest.h>

#include "../tools/TestSupport.h"

TEST(WineEnvironment, AnsiCodePageIsShiftJis) { EXPECT_EQ(GetACP(), 932u); }

TEST(WineEnvironment, TempDirHoldsRealFiles)
{
    TempDir dir;
    WriteFileBytes(dir / "a.bin", "a.bin");
    EXPECT_EQ(ReadFileBytes(dir / "a.bin"), "a.bin");
}
