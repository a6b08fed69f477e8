// The incoming list of the real main window under wine64: drops of real
// files, the order and the filter of a drop, its busy state and progress,
// removing and clearing, and one real OLE drag onto the list.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "../tools/DragSupport.h"
#include "../tools/MainWindowFixture.h"
#include "common/Exception.h"
#include "common/win/Handles.h"
#include "shell/drag_drop.h"
#include "ui/Layout.h"

namespace {

using namespace mainwindow;
using Paths = std::vector<std::string>;

class IncomingList : public MainWindowFixture {
protected:
    // A replay file outside the replay folder, where the user drags from.
    std::string Source(const std::string& name)
    {
        WriteFileBytes(src / name, ReplayBytes(name));
        return src / name;
    }
    std::string NotAReplay(const std::string& name)
    {
        WriteFileBytes(src / name, std::string(100, 'x'));
        return src / name;
    }
    void Drop(const Paths& files) { form->DragDropTarget1DragDropFiles(form->ListView2, 10, 10, files); }
    Paths IncomingPaths()
    {
        Paths out;
        int n = static_cast<int>(SendMessageA(form->ListView2->Handle(), LVM_GETITEMCOUNT, 0, 0));
        for (int i = 0; i < n; ++i)
            out.push_back(form->IncomingPath(i));
        return out;
    }
    // The file name column of every row.
    Paths Names()
    {
        Paths out;
        for (const auto& row : Rows(form->ListView2, 2))
            out.push_back(row.substr(row.find('|') + 1));
        return out;
    }
    void Select(int row, bool selected)
    {
        LVITEMA item = {};
        item.stateMask = LVIS_SELECTED;
        item.state = selected ? LVIS_SELECTED : 0;
        SendMessageA(form->ListView2->Handle(), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
    }

    TempDir src;
};

TEST_F(IncomingList, DropAddsOnlyReplaysInPathOrderAfterTheRowsThere)
{
    // A file whose name holds a trail byte 5C (ソ) is named whole.
    const std::string kana = Source("リプレイソ.dat");
    Drop({kana});

    const std::string upper = Source("REPLAY10.dat");
    const std::string lower = Source("replay02.dat");
    const std::string text = NotAReplay("notes.txt");
    const std::string badHeader = NotAReplay("REPLAY07.dat");
    const std::string folder = src / "REPLAY05.dat";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    Drop({upper, text, folder, badHeader, lower});

    EXPECT_EQ(IncomingPaths(), (Paths{kana, lower, upper}));
    auto rows = Rows(form->ListView2, 3);
    ASSERT_EQ(rows.size(), 3u);
    const Paths names = {"リプレイソ.dat", "replay02.dat", "REPLAY10.dat"};
    for (size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(rows[i]);
        // An empty "No" cell, the name, a date text.
        EXPECT_EQ(rows[i].rfind("|" + names[i] + "|", 0), 0u);
        EXPECT_GT(rows[i].size(), names[i].size() + 2 + 5);
    }
    EXPECT_TRUE(Picture(*form).AllEnabled());
    EXPECT_FALSE(Picture(*form).progressShown);
}

TEST_F(IncomingList, CaseVariantsGiveOneRowAndEachDropItsOwnRows)
{
    const std::string path = Source("REPLAY01.dat");
    std::string variant = path;
    variant.replace(variant.size() - 12, 12, "replay01.DAT");
    Drop({variant, path});
    EXPECT_EQ(IncomingPaths(), (Paths{variant}));
    Drop({path});
    EXPECT_EQ(IncomingPaths(), (Paths{variant, path}));
}

// A file in the replay folder is dropped like any other, and its date reads
// as in the list of current replays.
TEST_F(IncomingList, DateTextIsTheOneOfTheCurrentList)
{
    Replay("REPLAY03.dat");
    {
        FileHandle file(
            CreateFileA((dir / "REPLAY03.dat").c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(file.Valid());
        SYSTEMTIME st = {2004, 2, 0, 29, 13, 5, 7, 0};  // odd seconds
        FILETIME local, utc;
        SystemTimeToFileTime(&st, &local);
        LocalFileTimeToFileTime(&local, &utc);
        ASSERT_TRUE(SetFileTime(file.Get(), nullptr, nullptr, &utc));
    }

    form->LoadReplayList();
    Drop({dir / "REPLAY03.dat"});

    auto current = Rows(form->ListView1, 2);
    auto incoming = Rows(form->ListView2, 3);
    ASSERT_EQ(current.size(), 1u);
    ASSERT_EQ(incoming.size(), 1u);
    EXPECT_EQ(incoming[0], "|REPLAY03.dat|" + current[0].substr(3));
    EXPECT_NE(incoming[0].find("2004"), std::string::npos) << incoming[0];
}

TEST_F(IncomingList, FileHeldOpenStopsTheDropWithTheOpenError)
{
    const std::string before = Source("REPLAY09.dat");
    Drop({before});
    const std::string one = Source("REPLAY01.dat"), two = Source("REPLAY02.dat"), three = Source("REPLAY03.dat");
    FileHandle held(CreateFileA(two.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held.Valid());

    std::string message;
    try {
        Drop({three, two, one});
    } catch (const Exception& e) {
        message = e.Message();
    }
    EXPECT_NE(message.find("REPLAY02.dat\". "), std::string::npos) << message;
    EXPECT_NE(message.find(" は開けません"), std::string::npos) << message;
    EXPECT_EQ(IncomingPaths(), (Paths{before, one}));
    EXPECT_TRUE(Picture(*form).AllEnabled());
    EXPECT_EQ(ProgressBar(*form), nullptr);

    // Through the drop target, the error reaches the general report.
    dragtest::DataObject data({{CF_HDROP, dragtest::FileListBlock(Paths{three, two})}});
    POINTL pt = {10, 10};
    DWORD effect = DROPEFFECT_COPY;
    form->DragDropTarget1->DragEnter(&data, 0, pt, &effect);
    effect = DROPEFFECT_COPY;
    EXPECT_EQ(form->DragDropTarget1->Drop(&data, 0, pt, &effect), S_OK);
    held.Reset();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("REPLAY02.dat\". "), std::string::npos) << errors[0];
    EXPECT_EQ(IncomingPaths(), (Paths{before, one}));
    EXPECT_TRUE(Picture(*form).AllEnabled());
    EXPECT_EQ(ProgressBar(*form), nullptr);
}

TEST_F(IncomingList, DropIsBusyAndShowsTheBarEvenWhenNothingPasses)
{
    for (bool replays : {true, false}) {
        SCOPED_TRACE(replays ? "replays" : "no replay");
        const std::string a = replays ? Source("REPLAY01.dat") : NotAReplay("a.txt");
        const std::string b = replays ? Source("REPLAY02.dat") : NotAReplay("b.txt");
        SendMessageA(form->ListView2->Handle(), LVM_DELETEALLITEMS, 0, 0);
        BusyProbe probe(*form);
        Drop({a, b});
        ASSERT_EQ(probe.seen.size(), 1u);
        const BusyPicture& p = probe.seen.front();
        EXPECT_TRUE(p.AllDisabled()) << p.lists << p.radios << p.buttons << p.fileMenu << p.optionMenu << p.close;
        EXPECT_TRUE(p.progressShown);
        EXPECT_TRUE(Picture(*form).AllEnabled());
        EXPECT_EQ(ProgressBar(*form), nullptr);
        EXPECT_EQ(IncomingPaths().size(), replays ? 2u : 0u);
    }
}

// The bar's position after each write to it, read back from the bar itself.
// (Reading it at the messages the drop's pump takes was tried: without a
// message of our own after every path, a repaint can come too late to show.)
struct PositionWatch {
    TfrMain* form = nullptr;
    std::vector<int> seen;
    static PositionWatch* current;
    static LRESULT CALLBACK Hook(int code, WPARAM w, LPARAM l)
    {
        const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(l);
        if (code == HC_ACTION && current && call->message == PBM_SETPOS &&
            call->hwnd == ProgressBar(*current->form))
            current->seen.push_back(static_cast<int>(SendMessageA(call->hwnd, PBM_GETPOS, 0, 0)));
        return CallNextHookEx(nullptr, code, w, l);
    }
};
PositionWatch* PositionWatch::current = nullptr;

TEST_F(IncomingList, BarMovesByWholePercentsAndNeverReachesTheEnd)
{
    std::vector<int> everyPercentBut100(100);
    for (int i = 0; i < 100; ++i)
        everyPercentBut100[i] = i;
    struct Case {
        int paths;
        std::vector<int> positions;  // the first one is the bar's start
    } cases[] = {
        {1, {0}},
        {3, {0, 33, 66}},
        {4, {0, 25, 50, 75}},
        {7, {0, 14, 28, 42, 57, 71, 85}},
        {250, everyPercentBut100},  // one write per percent, however many paths
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.paths);
        Paths files;
        for (int i = 0; i < c.paths; ++i)  // a non-replay moves the bar all the same
            files.push_back(i % 2 ? NotAReplay("n" + std::to_string(i) + ".txt")
                                  : Source("p" + std::to_string(i) + ".dat"));
        PositionWatch watch;
        watch.form = form.get();
        PositionWatch::current = &watch;
        {
            HookHandle hook(SetWindowsHookExA(WH_CALLWNDPROCRET, PositionWatch::Hook, nullptr, GetCurrentThreadId()));
            ASSERT_TRUE(hook.Valid());
            Drop(files);
        }
        PositionWatch::current = nullptr;
        EXPECT_EQ(watch.seen, c.positions);
    }
}

TEST_F(IncomingList, RemovingTheSelectedRowsAndClearing)
{
    const Paths three = {Source("REPLAY01.dat"), Source("REPLAY02.dat"), Source("REPLAY03.dat")};
    Drop(three);

    form->N1Click();  // nothing selected
    EXPECT_EQ(IncomingPaths(), three);

    Select(0, true);
    Select(2, true);
    // As the popup command does it.
    SendMessageA(form->Handle(), WM_COMMAND, layout::cmdN1, 0);
    EXPECT_EQ(IncomingPaths(), (Paths{three[1]}));
    EXPECT_EQ(Names(), (Paths{"REPLAY02.dat"}));

    Drop(three);
    form->Button2Click();
    EXPECT_TRUE(IncomingPaths().empty());
    EXPECT_TRUE(errors.empty());
}

// A real drag from this thread: the cursor walks onto the shown list and drops.
TEST_F(IncomingList, RealDragAddsTheRows)
{
    form->Show();
    const Paths files = {Source("REPLAY12.dat"), NotAReplay("x.txt"), Source("REPLAY11.dat")};
    std::vector<std::wstring> wide;
    for (const auto& f : files)
        wide.push_back(dragtest::Widen(f));
    dragtest::DataObject data({{CF_HDROP, dragtest::FileListBlock(wide)}});

    RECT r;
    GetWindowRect(form->ListView2->Handle(), &r);
    POINT to = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    dragtest::CursorWalkSource source(dragtest::PathOnto(form->ListView2->Handle(), to));
    DWORD effect = DROPEFFECT_NONE;
    EXPECT_EQ(DoDragDrop(&data, &source, DROPEFFECT_COPY | DROPEFFECT_MOVE, &effect), DRAGDROP_S_DROP);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_EQ(IncomingPaths(), (Paths{files[2], files[0]}));
    EXPECT_TRUE(errors.empty());
}

}  // namespace
