#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/Exception.h"
#include "shell/NameList.h"
#include "shell/ShfPlan.h"

namespace {
using List = std::vector<std::string>;

std::string Bytes(const std::vector<char>& v) { return std::string(v.begin(), v.end()); }

// The message of the error the call raises, or "" when it raises none.
template <class F>
std::string RaisedMessage(F&& f)
{
    try {
        f();
    } catch (const Exception& e) {
        return e.Message();
    }
    return "";
}

ShfPlan Plan(const TfFlags& options, const List& from, const List& toFiles = {}, const std::string& toFolder = "",
             TwFunc op = TwFunc::foMOVE, const std::string& title = "")
{
    return PlanShfOperation(op, options, from, toFiles, toFolder, title);
}
}  // namespace

TEST(NameList, SourcesOfOneAndTwoBytesMakeFifteenZeroClosedBytes)
{
    std::vector<char> buffer = MakeNameList({"a", "bc"});
    EXPECT_EQ(Bytes(buffer), std::string("a\0bc\0", 5) + std::string(10, '\0'));
}

TEST(NameList, SizeIsEntriesWithTheirNulsAndTenSpareBytes)
{
    EXPECT_EQ(NameListSize({}), 10u);
    EXPECT_EQ(NameListSize({""}), 11u);
    EXPECT_EQ(NameListSize({"C:\\ソフト\\REPLAY01.dat", "x"}), 22u + 1 + 2 + 10);  // ソフト is six bytes
    EXPECT_EQ(Bytes(MakeNameList({})), std::string(10, '\0'));
}

TEST(NameList, KeepsOrderDuplicatesAndShiftJisBytes)
{
    // "ソ" ends in the byte 5C: copied as is, never taken for a separator.
    std::vector<char> buffer = MakeNameList({"C:\\ソ", "b", "b"});
    EXPECT_EQ(Bytes(buffer), std::string("C:\\\x83\x5C\0b\0b\0", 10) + std::string(10, '\0'));
}

TEST(NameList, FillClosesTheListEvenInADirtyBufferAndRefusesAShortOne)
{
    std::vector<char> buffer(NameListSize({"ab"}), 'x');
    FillNameList(buffer, {"ab"});
    EXPECT_EQ(Bytes(buffer), std::string("ab\0\0", 4) + std::string(9, 'x'));

    std::vector<char> shortBuffer(NameListSize({"ab"}) - 1, 'x');
    EXPECT_EQ(RaisedMessage([&] { FillNameList(shortBuffer, {"ab"}); }), "ShfOperation:メモリ割当てに失敗しました.");
    EXPECT_EQ(Bytes(shortBuffer), std::string(12, 'x'));
}

TEST(ShfPlan, ErrorsComeInTheirFixedOrder)
{
    TfFlags multi;
    multi.MUILIDESTFILES = true;
    struct Case {
        const char* what;
        TfFlags options;
        List from, toFiles;
        const char* message;
    } cases[] = {
        {"no sources", {}, {}, {}, "ShfOperation:ﾌｧｲﾙが指定されていません."},
        {"no sources beats no targets", multi, {}, {}, "ShfOperation:ﾌｧｲﾙが指定されていません."},
        {"no targets", multi, {"a"}, {}, "ShfOperation:ﾀｰｹﾞｯﾄが指定されていません."},
        {"targets not needed", {}, {"a"}, {}, ""},
        {"targets given", multi, {"a"}, {"b"}, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RaisedMessage([&] { Plan(c.options, c.from, c.toFiles); }), c.message) << c.what;
}

TEST(ShfPlan, EachSwitchAddsItsOwnBitAndNothingElse)
{
    struct Case {
        bool TfFlags::*option;
        uint16_t bit;
    } cases[] = {
        {&TfFlags::ALLOWUNDO, 0x0040},       {&TfFlags::FILESONLY, 0x0080},
        {&TfFlags::MUILIDESTFILES, 0x0001},  {&TfFlags::NOCONFIRMATION, 0x0010},
        {&TfFlags::NOCONFIRMMKDIR, 0x0200},  {&TfFlags::RENAMEONCOLLISION, 0x0008},
        {&TfFlags::SILENT, 0x0004},          {&TfFlags::SIMPLEPROGRESS, 0x0100},
    };
    TfFlags all;
    for (const Case& c : cases) {
        TfFlags one;
        one.*c.option = true;
        EXPECT_EQ(ShellFlags(one), c.bit);
        all.*c.option = true;
    }
    EXPECT_EQ(ShellFlags(TfFlags{}), 0);
    EXPECT_EQ(ShellFlags(all), 0x03DD);
    EXPECT_EQ(Plan(all, {"a"}, {"b"}).fFlags, 0x03DD);
    EXPECT_EQ(Plan(TfFlags{}, {"a"}).fFlags, 0);
}

TEST(ShfPlan, OperationKindsMapOntoTheShellsCodes)
{
    struct Case {
        TwFunc op;
        unsigned wFunc;
    } cases[] = {{TwFunc::foMOVE, 1}, {TwFunc::foCOPY, 2}, {TwFunc::foDELETE, 3}, {TwFunc::foRENAME, 4}};
    for (const Case& c : cases)
        EXPECT_EQ(Plan({}, {"a"}, {}, "", c.op).wFunc, c.wFunc) << static_cast<int>(c.op);
}

TEST(ShfPlan, DestinationIsToFolderUnlessMultipleDestinationsAreOn)
{
    // ToFiles is ignored while the switch is off, however full it is.
    ShfPlan folder = Plan({}, {"a", "b"}, {"x", "y"}, "C:\\Replay\\");
    EXPECT_EQ(Bytes(folder.from), std::string("a\0b\0", 4) + std::string(10, '\0'));
    EXPECT_EQ(Bytes(folder.to), std::string("C:\\Replay\\\0\0", 12));

    EXPECT_EQ(Bytes(Plan({}, {"a"}).to), std::string("\0\0", 2));

    TfFlags multi;
    multi.MUILIDESTFILES = true;
    ShfPlan files = Plan(multi, {"a", "b"}, {"x", "yz"}, "C:\\Replay\\");
    EXPECT_EQ(Bytes(files.to), std::string("x\0yz\0", 5) + std::string(10, '\0'));
}

TEST(ShfPlan, ProgressTitleIsPassedOn)
{
    EXPECT_EQ(Plan({}, {"a"}, {}, "", TwFunc::foCOPY, "コピー中").progressTitle, "コピー中");
    EXPECT_EQ(Plan({}, {"a"}).progressTitle, "");
}
