// The transfer run of the real main window under wine64: copies and a single
// move through the real shell into a scratch replay folder; what Wine's shell
// cannot do (a move of several files) and what must happen during the
// operation are seen through the shell seam of ShfOperation1.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <set>
#include <string>
#include <vector>

#include "../tools/MainWindowFixture.h"
#include "common/Exception.h"
#include "shell/ShfOperation.h"
#include "ui/Layout.h"

namespace {

using namespace mainwindow;
using Paths = std::vector<std::string>;

// The one message box a run showed: its texts, owner, icon and OK button.
void ExpectOneNotice(const ModalAnswerer& answerer, const std::string& caption, const std::string& text)
{
    const auto& seen = answerer.Seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].caption, caption);
    EXPECT_EQ(seen[0].text, text);
    EXPECT_EQ(seen[0].owner, Application.Handle());
    EXPECT_EQ(seen[0].icon, LoadIconA(nullptr, IDI_EXCLAMATION));
    EXPECT_EQ(seen[0].buttons, std::vector<int>{IDOK});
}

std::string NameList(const Paths& names)
{
    std::string out;
    for (const auto& n : names)
        out += n + '\0';
    return out + '\0';
}

// What the shell was handed, copied inside the call.
struct Handed {
    UINT wFunc = 0;
    FILEOP_FLAGS fFlags = 0xFFFF;
    std::string from, to;
};

class Transfer : public MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        form->SetWindowPosCall = [this](HWND h, HWND after, int, int, int, int, UINT flags) {
            topmostCalls.push_back(after);
            EXPECT_EQ(h, Application.Handle());
            EXPECT_EQ(flags, static_cast<UINT>(SWP_NOSIZE | SWP_NOMOVE));
            return TRUE;
        };
    }
    // Every call to the shell is recorded; the real shell runs only when
    // `realShell` is set.
    void WatchShell(bool realShell)
    {
        form->ShfOperation1->ShellCall = [this, realShell](SHFILEOPSTRUCTA& op) {
            handed.push_back({op.wFunc, op.fFlags, NameListText(op.pFrom), NameListText(op.pTo)});
            if (duringShell)
                duringShell();
            return realShell ? SHFileOperationA(&op) : 0;
        };
    }
    // A replay file where the user drags from; its bytes tell which one it is.
    std::string Source(const std::string& name, TempDir& where)
    {
        WriteFileBytes(where / name, ReplayBytes("from " + where.Path() + name));
        return where / name;
    }
    std::string Source(const std::string& name) { return Source(name, src); }
    void Drop(const Paths& files) { form->DragDropTarget1DragDropFiles(form->ListView2, 10, 10, files); }
    int IncomingCount() { return static_cast<int>(SendMessageA(form->ListView2->Handle(), LVM_GETITEMCOUNT, 0, 0)); }
    std::set<std::string> Slots()
    {
        std::set<std::string> slots;
        for (const auto& r : Rows(form->ListView1, 1))
            slots.insert(r);
        return slots;
    }
    // A row in the current list whose file is gone: only a rescan drops it.
    void StaleCurrentRow()
    {
        Replay("REPLAY99.dat");
        form->LoadReplayList();
        DeleteFileA((dir / "REPLAY99.dat").c_str());
        ASSERT_EQ(Slots(), (std::set<std::string>{"99"}));
    }

    TempDir src;
    std::vector<Handed> handed;
    std::function<void()> duringShell;
    std::vector<HWND> topmostCalls;
};

TEST_F(Transfer, CopyKeepsTheSourcesAndFillsTheFolder)
{
    WatchShell(true);
    const Paths files = {Source("REPLAY01.dat"), Source("REPLAY02.dat")};
    for (int policy : {0, 1}) {
        SCOPED_TRACE(policy);
        DeleteFileA((dir / "REPLAY01.dat").c_str());
        DeleteFileA((dir / "REPLAY02.dat").c_str());
        handed.clear();
        Drop(files);
        form->RadioGroup2->SetItemIndex(policy);

        form->Button1Click();

        ASSERT_EQ(handed.size(), 1u);
        EXPECT_EQ(handed[0].wFunc, static_cast<UINT>(FO_COPY));
        EXPECT_EQ(handed[0].fFlags, 0);
        EXPECT_EQ(handed[0].from, NameList(files));
        EXPECT_EQ(handed[0].to, dir.Path() + '\0' + '\0');
        for (const auto& f : files) {
            EXPECT_EQ(ReadFileBytes(dir / f.substr(f.rfind('\\') + 1)), ReadFileBytes(f)) << f;
            EXPECT_TRUE(FileExists(f)) << f;
        }
        EXPECT_EQ(IncomingCount(), 0);
        EXPECT_EQ(Slots(), (std::set<std::string>{"01", "02"}));
        EXPECT_TRUE(Picture(*form).AllEnabled());
        EXPECT_TRUE(errors.empty());
    }
}

TEST_F(Transfer, DoNotOverwriteKeepsAnExistingReplayAndHandsOverOnlyNewNames)
{
    WatchShell(true);
    Replay("REPLAY01.dat");
    const std::string kept = ReadFileBytes(dir / "REPLAY01.dat");
    const std::string taken = Source("REPLAY02.dat");
    Drop({Source("REPLAY01.dat"), taken});
    ASSERT_EQ(form->RadioGroup2->ItemIndex(), 1);  // "上書きしない" as stored

    form->Button1Click();

    ASSERT_EQ(handed.size(), 1u);
    EXPECT_EQ(handed[0].from, NameList({taken}));
    EXPECT_EQ(ReadFileBytes(dir / "REPLAY01.dat"), kept);
    EXPECT_EQ(ReadFileBytes(dir / "REPLAY02.dat"), ReadFileBytes(taken));
    EXPECT_EQ(IncomingCount(), 0);
    EXPECT_EQ(Slots(), (std::set<std::string>{"01", "02"}));
}

// What each policy hands over, without the shell: rows in their order.
TEST_F(Transfer, PolicyPicksThePathsInRowOrder)
{
    WatchShell(false);
    TempDir other;
    const std::string a = Source("REPLAY01.dat"), b = Source("REPLAY02.dat"), c = Source("REPLAY03.dat");
    const std::string sameName = Source("REPLAY03.dat", other);
    Replay("REPLAY01.dat");                                          // a file of that name: skipped
    CreateDirectoryA((dir / "REPLAY02.dat").c_str(), nullptr);       // a folder of that name: handed over
    struct Case {
        int policy;
        std::vector<Paths> drops;
        Paths from;
    } cases[] = {
        {0, {{a, b}, {a}}, {a, b, a}},                   // duplicates from two drops, all of them
        {1, {{c, a, b}, {sameName}}, {b, c, sameName}},  // same name twice, none in the folder: both
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.policy);
        handed.clear();
        for (const auto& d : k.drops)
            Drop(d);
        form->RadioGroup2->SetItemIndex(k.policy);
        form->Button1Click();
        ASSERT_EQ(handed.size(), 1u);
        EXPECT_EQ(handed[0].from, NameList(k.from));
        EXPECT_EQ(IncomingCount(), 0);
    }
}

TEST_F(Transfer, MoveOfOneFileTakesItFromItsFolder)
{
    WatchShell(true);
    const std::string path = Source("REPLAY05.dat");
    const std::string bytes = ReadFileBytes(path);
    Drop({path});
    form->RadioGroup1->SetItemIndex(1);

    form->Button1Click();

    ASSERT_EQ(handed.size(), 1u);
    EXPECT_EQ(handed[0].wFunc, static_cast<UINT>(FO_MOVE));
    EXPECT_EQ(ReadFileBytes(dir / "REPLAY05.dat"), bytes);
    EXPECT_FALSE(FileExists(path));
    EXPECT_EQ(IncomingCount(), 0);
    EXPECT_EQ(Slots(), (std::set<std::string>{"05"}));
}

// Wine's shell refuses to move several files at once (Windows moves them):
// only the record is checked.
TEST_F(Transfer, MoveOfSeveralFilesHandsOverOneMoveIntoTheFolder)
{
    WatchShell(false);
    const Paths files = {Source("REPLAY06.dat"), Source("REPLAY07.dat"), Source("REPLAY08.dat")};
    Drop(files);
    form->RadioGroup1->SetItemIndex(1);
    form->RadioGroup2->SetItemIndex(0);

    form->Button1Click();

    ASSERT_EQ(handed.size(), 1u);
    EXPECT_EQ(handed[0].wFunc, static_cast<UINT>(FO_MOVE));
    EXPECT_EQ(handed[0].fFlags, 0);
    EXPECT_EQ(handed[0].from, NameList(files));
    EXPECT_EQ(handed[0].to, dir.Path() + '\0' + '\0');
    EXPECT_EQ(IncomingCount(), 0);
}

TEST_F(Transfer, EveryNamePresentCallsNoShellYetEmptiesAndRescans)
{
    WatchShell(true);
    Replay("REPLAY01.dat");
    Drop({Source("REPLAY01.dat")});
    ASSERT_TRUE(Slots().empty());  // not scanned yet

    form->Button1Click();

    EXPECT_TRUE(handed.empty());
    EXPECT_EQ(IncomingCount(), 0);
    EXPECT_EQ(Slots(), (std::set<std::string>{"01"}));
    EXPECT_TRUE(Picture(*form).AllEnabled());
}

TEST_F(Transfer, InsertingIntoFreeSlotsIsRefusedWithAMessage)
{
    WatchShell(true);
    form->RadioGroup2->SetItemIndex(2);
    for (bool filled : {false, true}) {
        SCOPED_TRACE(filled ? "filled" : "empty");
        if (filled)
            Drop({Source("REPLAY01.dat"), Source("REPLAY02.dat")});
        ModalAnswerer answerer{IDOK};
        BusyProbe probe(*form);  // taken by the message box's own loop

        form->Button1Click();

        ExpectOneNotice(answerer, "未実装", "空いている部分に挿入はまだ使用できません。");
        ASSERT_EQ(probe.seen.size(), 1u);
        EXPECT_TRUE(probe.seen[0].AllEnabled());
        EXPECT_EQ(IncomingCount(), filled ? 2 : 0);
        EXPECT_TRUE(handed.empty());
        EXPECT_TRUE(topmostCalls.empty());
        EXPECT_FALSE(FileExists(dir / "REPLAY01.dat"));
    }
}

TEST_F(Transfer, EmptyListDoesNothing)
{
    WatchShell(true);
    StaleCurrentRow();
    for (int kind : {0, 1})
        for (int policy : {0, 1}) {
            SCOPED_TRACE(kind * 10 + policy);
            form->RadioGroup1->SetItemIndex(kind);
            form->RadioGroup2->SetItemIndex(policy);
            form->Button1Click();
            EXPECT_TRUE(handed.empty());
            EXPECT_TRUE(topmostCalls.empty());  // never entered the busy state
            EXPECT_EQ(Slots(), (std::set<std::string>{"99"}));
        }
}

TEST_F(Transfer, StayOnTopIsLiftedForTheRunAndSetFromTheMenuAfterIt)
{
    WatchShell(false);
    for (bool checked : {true, false}) {
        SCOPED_TRACE(checked);
        if (form->N6Checked() != checked)
            form->N6Click();
        ASSERT_EQ(form->N6Checked(), checked);
        Drop({Source("REPLAY01.dat")});
        topmostCalls.clear();
        std::vector<HWND> lastDuring;
        std::vector<BusyPicture> during;
        duringShell = [&] {
            lastDuring.push_back(topmostCalls.empty() ? nullptr : topmostCalls.back());
            during.push_back(Picture(*form));
        };

        form->Button1Click();

        ASSERT_EQ(lastDuring.size(), 1u);
        EXPECT_EQ(lastDuring[0], HWND_NOTOPMOST);
        EXPECT_TRUE(during[0].AllDisabled());
        ASSERT_FALSE(topmostCalls.empty());
        EXPECT_EQ(topmostCalls.back(), checked ? HWND_TOPMOST : HWND_NOTOPMOST);
        EXPECT_TRUE(Picture(*form).AllEnabled());
    }
}

TEST_F(Transfer, ErrorFromTheShellKeepsTheRowsAndReachesTheCaller)
{
    form->ShfOperation1->ShellCall = [](SHFILEOPSTRUCTA&) -> int { throw Exception("ShfOperation:test failure"); };
    StaleCurrentRow();
    form->N6Click();
    topmostCalls.clear();
    Drop({Source("REPLAY01.dat"), Source("REPLAY02.dat")});

    EXPECT_THROW(form->Button1Click(), Exception);
    EXPECT_EQ(IncomingCount(), 2);
    EXPECT_EQ(Slots(), (std::set<std::string>{"99"}));  // no rescan
    EXPECT_TRUE(Picture(*form).AllEnabled());
    ASSERT_FALSE(topmostCalls.empty());
    EXPECT_EQ(topmostCalls.back(), HWND_TOPMOST);

    // Pressed as the user does, the error goes to the general report.
    SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(layout::idButton1, BN_CLICKED),
                 reinterpret_cast<LPARAM>(form->Button1->Handle()));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], "ShfOperation:test failure.");
    EXPECT_EQ(IncomingCount(), 2);
    EXPECT_TRUE(Picture(*form).AllEnabled());
}

// Start-up ended without a folder (an error there): nothing is copied into
// the current directory.
TEST_F(Transfer, NoReplayFolderRefusesTheRun)
{
    WatchShell(true);
    TfrMainTestPeer::SetFolder(*form, "");
    Drop({Source("REPLAY01.dat")});
    ModalAnswerer answerer{IDOK};

    form->Button1Click();

    ExpectOneNotice(answerer, "エラー", "データ保存フォルダが見つかりませんでした。");
    EXPECT_TRUE(handed.empty());
    EXPECT_TRUE(topmostCalls.empty());
    EXPECT_EQ(IncomingCount(), 1);
}

}  // namespace
