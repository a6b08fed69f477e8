#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../tools/ModalAnswerer.h"
#include "../tools/TestSupport.h"
#include "common/Exception.h"
#include "shell/ShfOperation.h"

namespace {
using List = std::vector<std::string>;

std::string Message(TShfOperation& shf)
{
    try {
        shf.Execute();
    } catch (const Exception& e) {
        return e.Message();
    }
    return "";
}

// What the shell was handed, copied inside the call (the buffers die with it).
struct Handed {
    int calls = 0;
    HWND hwnd = reinterpret_cast<HWND>(1);
    UINT wFunc = 0;
    FILEOP_FLAGS fFlags = 0xFFFF;
    std::string from, to;
    bool hasTitle = false;
    std::string title;
    BOOL aborted = -1;
    LPVOID mappings = reinterpret_cast<LPVOID>(1);
};

class ShfOperationRecord : public ::testing::Test {
protected:
    void SetUp() override
    {
        shf = new TShfOperation(&owner, "ShfOperation1");
        shf->ShellCall = [this](SHFILEOPSTRUCTA& op) {
            ++handed.calls;
            handed.hwnd = op.hwnd;
            handed.wFunc = op.wFunc;
            handed.fFlags = op.fFlags;
            handed.from = NameListText(op.pFrom);
            handed.to = NameListText(op.pTo);
            handed.hasTitle = op.lpszProgressTitle != nullptr;
            handed.title = op.lpszProgressTitle ? op.lpszProgressTitle : "";
            handed.aborted = op.fAnyOperationsAborted;
            handed.mappings = op.hNameMappings;
            op.fAnyOperationsAborted = reportAborted;
            return shellResult;
        };
    }

    TComponent owner{nullptr};
    TShfOperation* shf = nullptr;  // owned by `owner`
    Handed handed;
    BOOL reportAborted = FALSE;
    int shellResult = 0;
};
}  // namespace

TEST(ShfOperation, StartsAsAMoveWithNothingSet)
{
    TComponent owner(nullptr);
    auto* shf = new TShfOperation(&owner, "ShfOperation1");
    EXPECT_EQ(shf->Owner(), &owner);
    EXPECT_EQ(shf->Name(), "ShfOperation1");
    EXPECT_EQ(shf->OperationF(), TwFunc::foMOVE);
    EXPECT_TRUE(shf->FromFFList().empty());
    EXPECT_TRUE(shf->ToFiles().empty());
    EXPECT_EQ(shf->ToFolder(), "");
    EXPECT_EQ(shf->ProgressTitle(), "");
    EXPECT_FALSE(shf->fAbort());
    EXPECT_EQ(ShellFlags(shf->Options()), 0);
    EXPECT_TRUE(shf->ShellCall);
}

// The setters copy; the lists reached through the getters are the ones the
// shell is handed.
TEST(ShfOperation, ListSettersCopyIntoTheOwnedLists)
{
    TComponent owner(nullptr);
    auto* shf = new TShfOperation(&owner);
    std::string from, to;
    shf->ShellCall = [&](SHFILEOPSTRUCTA& op) {
        from = NameListText(op.pFrom);
        to = NameListText(op.pTo);
        return 0;
    };
    List given{"b", "a", "b"};
    shf->SetFromFFList(given);
    shf->SetToFiles(given);
    given.clear();
    EXPECT_EQ(shf->FromFFList(), (List{"b", "a", "b"}));
    EXPECT_EQ(shf->ToFiles(), (List{"b", "a", "b"}));

    shf->SetFromFFList({"c"});  // replaces what was there
    shf->FromFFList().push_back("d");
    shf->ToFiles().push_back("e");
    shf->Options().MUILIDESTFILES = true;
    EXPECT_EQ(shf->Execute(), 0);
    EXPECT_EQ(from, std::string("c\0d\0\0", 5));
    EXPECT_EQ(to, std::string("b\0a\0b\0e\0\0", 9));
}

TEST_F(ShfOperationRecord, ErrorsReachTheCallerAndTheShellIsNotCalled)
{
    struct Case {
        const char* what;
        List from, toFiles;
        bool multi;
        const char* message;
    } cases[] = {
        {"no sources", {}, {}, false, "ShfOperation:ﾌｧｲﾙが指定されていません."},
        {"no sources beats no targets", {}, {}, true, "ShfOperation:ﾌｧｲﾙが指定されていません."},
        {"no targets", {"a"}, {}, true, "ShfOperation:ﾀｰｹﾞｯﾄが指定されていません."},
    };
    for (const Case& c : cases) {
        shf->SetFromFFList(c.from);
        shf->SetToFiles(c.toFiles);
        shf->Options().MUILIDESTFILES = c.multi;
        EXPECT_EQ(Message(*shf), c.message) << c.what;
    }
    EXPECT_EQ(handed.calls, 0);
}

TEST_F(ShfOperationRecord, HandsTheShellAFreshRecordAndPassesItsResultBack)
{
    shf->SetOperationF(TwFunc::foCOPY);
    shf->SetFromFFList({"a", "bc"});
    shf->SetToFiles({"ignored"});
    shf->SetToFolder("C:\\Replay\\");
    shellResult = 1223;
    EXPECT_EQ(shf->Execute(), 1223);
    EXPECT_EQ(handed.calls, 1);
    EXPECT_EQ(handed.hwnd, nullptr);
    EXPECT_EQ(handed.wFunc, static_cast<UINT>(FO_COPY));
    EXPECT_EQ(handed.fFlags, 0);
    EXPECT_EQ(handed.from, std::string("a\0bc\0\0", 6));
    EXPECT_EQ(handed.to, std::string("C:\\Replay\\\0\0", 12));
    EXPECT_FALSE(handed.hasTitle);
    EXPECT_EQ(handed.aborted, FALSE);
    EXPECT_EQ(handed.mappings, nullptr);
}

TEST_F(ShfOperationRecord, RecordBuilderShowsTheWholeBuffersWithoutTheShell)
{
    shf->SetFromFFList({"a", "bc"});
    shf->Options().MUILIDESTFILES = true;
    shf->SetToFiles({"x"});
    TShfRecord record = shf->BuildRecord();
    EXPECT_EQ(std::string(record.op.pFrom, 15), std::string("a\0bc\0", 5) + std::string(10, '\0'));
    EXPECT_EQ(std::string(record.op.pTo, 12), std::string("x\0", 2) + std::string(10, '\0'));
    EXPECT_EQ(record.op.fFlags, FOF_MULTIDESTFILES);
    EXPECT_EQ(record.op.wFunc, static_cast<UINT>(FO_MOVE));
    EXPECT_EQ(handed.calls, 0);
}

// Wine refuses to move several files at once; what the program asks of the
// shell is checked here instead.
TEST_F(ShfOperationRecord, MoveOfSeveralFilesIntoTheReplayFolder)
{
    shf->SetOperationF(TwFunc::foMOVE);
    shf->SetFromFFList({"C:\\in\\REPLAY01.dat", "C:\\in\\ソ\\REPLAY02.dat"});
    shf->SetToFolder("C:\\ソ\\");
    EXPECT_EQ(shf->Execute(), 0);
    EXPECT_EQ(handed.wFunc, static_cast<UINT>(FO_MOVE));
    EXPECT_EQ(handed.from, std::string("C:\\in\\REPLAY01.dat") + '\0' + "C:\\in\\ソ\\REPLAY02.dat" + '\0' + '\0');
    EXPECT_EQ(handed.to, std::string("C:\\ソ\\\0\0", 8));
}

TEST_F(ShfOperationRecord, ProgressTitleSetThenEmptied)
{
    shf->SetFromFFList({"a"});
    shf->SetProgressTitle("転送中");
    shf->Execute();
    EXPECT_TRUE(handed.hasTitle);
    EXPECT_EQ(handed.title, "転送中");
    shf->SetProgressTitle("");
    shf->Execute();
    EXPECT_FALSE(handed.hasTitle);
}

TEST_F(ShfOperationRecord, AbortFlagFollowsEachRunsReport)
{
    shf->SetFromFFList({"a"});
    reportAborted = TRUE;
    shf->Execute();
    EXPECT_TRUE(shf->fAbort());
    reportAborted = FALSE;
    shf->Execute();
    EXPECT_EQ(handed.aborted, FALSE);  // the record starts clean every run
    EXPECT_FALSE(shf->fAbort());
}

// The real shell on real files whose content is their own name.
class ShfOperationShell : public ::testing::Test {
protected:
    void SetUp() override
    {
        shf = new TShfOperation(&owner, "ShfOperation1");
        CreateDirectoryA(dest.c_str(), nullptr);
    }

    std::string Source(const std::string& name)
    {
        WriteFileBytes(src / name, name);
        return src / name;
    }

    TempDir src;
    std::string dest = src / "dest\\";
    TComponent owner{nullptr};
    TShfOperation* shf = nullptr;
    ModalAnswerer noDialog;  // a test that expects one answers it itself
};

TEST_F(ShfOperationShell, CopiesSeveralFilesIntoAFolder)
{
    const List names{"REPLAY01.dat", "REPLAY02.dat", "ソREPLAY.dat"};
    for (const std::string& n : names)
        shf->FromFFList().push_back(Source(n));
    shf->SetOperationF(TwFunc::foCOPY);
    shf->SetToFolder(dest);
    EXPECT_EQ(shf->Execute(), 0);
    EXPECT_FALSE(shf->fAbort());
    for (const std::string& n : names) {
        EXPECT_EQ(ReadFileBytes(dest + n), n);
        EXPECT_EQ(ReadFileBytes(src / n), n);
    }
}

TEST_F(ShfOperationShell, MovesOneFile)
{
    shf->SetFromFFList({Source("REPLAY03.dat")});
    shf->SetToFolder(dest);
    EXPECT_EQ(shf->Execute(), 0);
    EXPECT_FALSE(FileExists(src / "REPLAY03.dat"));
    EXPECT_EQ(ReadFileBytes(dest + "REPLAY03.dat"), "REPLAY03.dat");
}

TEST_F(ShfOperationShell, DeletesAndRenames)
{
    shf->SetFromFFList({Source("gone.dat")});
    shf->SetOperationF(TwFunc::foDELETE);
    shf->Options().NOCONFIRMATION = true;
    EXPECT_EQ(shf->Execute(), 0);
    EXPECT_FALSE(FileExists(src / "gone.dat"));

    shf->SetFromFFList({Source("old.dat")});
    shf->SetOperationF(TwFunc::foRENAME);
    shf->SetToFolder(src / "new.dat");
    EXPECT_EQ(shf->Execute(), 0);
    EXPECT_FALSE(FileExists(src / "old.dat"));
    EXPECT_EQ(ReadFileBytes(src / "new.dat"), "old.dat");
}

TEST_F(ShfOperationShell, NoToOverwritingAbortsAndTheNextRunStartsClean)
{
    WriteFileBytes(dest + "REPLAY04.dat", "kept");
    shf->SetFromFFList({Source("REPLAY04.dat")});
    shf->SetOperationF(TwFunc::foCOPY);
    shf->SetToFolder(dest);
    ModalAnswerer answerer{IDNO};  // "いいえ" in the shell's confirmation
    shf->Execute();  // the code differs between systems; the report does not
    EXPECT_EQ(answerer.Seen().size(), 1u);
    EXPECT_TRUE(shf->fAbort());
    EXPECT_EQ(ReadFileBytes(dest + "REPLAY04.dat"), "kept");

    shf->SetFromFFList({Source("REPLAY05.dat")});
    EXPECT_EQ(shf->Execute(), 0);
    EXPECT_FALSE(shf->fAbort());
    EXPECT_EQ(ReadFileBytes(dest + "REPLAY05.dat"), "REPLAY05.dat");
}
