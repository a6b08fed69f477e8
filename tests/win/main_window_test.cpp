// The main window for real under wine64: its layout, the replay scan over real
// files, the busy state, the error report and stay-on-top.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <set>

#include "../tools/MainWindowFixture.h"
#include "common/Exception.h"
#include "common/win/Application.h"
#include "common/win/Handles.h"
#include "ui/Layout.h"
#include "ui/main.h"

namespace {

using namespace mainwindow;
using MainWindow = MainWindowFixture;

TEST_F(MainWindow, IsLaidOutAsStored)
{
    HWND h = form->Handle();
    char caption[64] = {};
    GetWindowTextA(h, caption, sizeof caption);
    EXPECT_STREQ(caption, "ru^2 zazod Slotwell");
    RECT client;
    GetClientRect(h, &client);
    EXPECT_EQ(client.right, 410);
    EXPECT_EQ(client.bottom, 289);
    EXPECT_TRUE(GetWindowLongA(h, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    LONG style = GetWindowLongA(h, GWL_STYLE);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_EQ(GetWindow(h, GW_OWNER), Application.Handle());

    for (int i = 0; i < layout::kControlCount; ++i) {
        const auto& row = layout::kControls[i];
        RECT r;
        GetWindowRect(GetDlgItem(h, row.id), &r);
        MapWindowPoints(nullptr, h, reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(r.left, row.left) << row.name;
        EXPECT_EQ(r.top, row.top) << row.name;
        EXPECT_EQ(r.right - r.left, row.width) << row.name;
        EXPECT_EQ(r.bottom - r.top, row.height) << row.name;
    }

    HDC dc = GetDC(h);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(form->Button1->Handle(), WM_GETFONT, 0, 0)));
    char face[64] = {};
    GetTextFaceA(dc, sizeof face, face);
    SelectObject(dc, old);
    ReleaseDC(h, dc);
    EXPECT_STREQ(face, "ＭＳ Ｐゴシック");

    EXPECT_EQ(form->RadioGroup1->ItemIndex(), 0);
    EXPECT_EQ(form->RadioGroup2->ItemIndex(), 1);
}

TEST_F(MainWindow, EachRadioGroupKeepsOneItemChosen)
{
    // A click as the user makes it: the other items of its group let go, the
    // other group stays as it was.
    SendMessageA(form->RadioGroup1->Buttons[1], BM_CLICK, 0, 0);
    SendMessageA(form->RadioGroup2->Buttons[2], BM_CLICK, 0, 0);
    SendMessageA(form->RadioGroup2->Buttons[0], BM_CLICK, 0, 0);
    auto checked = [](HWND b) { return SendMessageA(b, BM_GETCHECK, 0, 0) == BST_CHECKED; };
    EXPECT_FALSE(checked(form->RadioGroup1->Buttons[0]));
    EXPECT_TRUE(checked(form->RadioGroup1->Buttons[1]));
    EXPECT_TRUE(checked(form->RadioGroup2->Buttons[0]));
    EXPECT_FALSE(checked(form->RadioGroup2->Buttons[1]));
    EXPECT_FALSE(checked(form->RadioGroup2->Buttons[2]));
    EXPECT_EQ(form->RadioGroup1->ItemIndex(), 1);
    EXPECT_EQ(form->RadioGroup2->ItemIndex(), 0);
}

TEST_F(MainWindow, MenusCarryTheirTexts)
{
    auto text = [](HMENU m, UINT item, UINT by) {
        char buf[128] = {};
        GetMenuStringA(m, item, buf, sizeof buf, by);
        return std::string(buf);
    };
    EXPECT_EQ(text(form->MainMenu1, 0, MF_BYPOSITION), "ファイル(&F)");
    EXPECT_EQ(text(form->MainMenu1, 1, MF_BYPOSITION), "オプション(&O)");
    EXPECT_EQ(text(form->MainMenu1, layout::cmdN4, MF_BYCOMMAND), "終了(&E)");
    EXPECT_EQ(text(form->MainMenu1, layout::cmdN6, MF_BYCOMMAND), "常に手前に表示(&T)");
    EXPECT_EQ(text(form->PopupMenu1, layout::cmdN1, MF_BYCOMMAND), "選択データの追加をやめる");
    EXPECT_EQ(text(form->PopupMenu2, layout::cmdN2, MF_BYCOMMAND), "再読み込み");
    EXPECT_FALSE(form->N6Checked());
}

TEST_F(MainWindow, ScanListsOnlyReplaysThatPassTheHeaderTest)
{
    Replay("REPLAY01.dat", 300);
    Replay("REPLAY02.DAT", 300);  // capitals match
    Replay("REPLAY03.dat", 300);
    SetFileAttributesA((dir / "REPLAY03.dat").c_str(), FILE_ATTRIBUTE_HIDDEN);
    Replay("REPLAY04.dat", 3000);
    SetFileAttributesA((dir / "REPLAY04.dat").c_str(), FILE_ATTRIBUTE_SYSTEM);
    CreateDirectoryA((dir / "REPLAY77.dat").c_str(), nullptr);
    // Each of these would change the total if it were counted.
    WriteFileBytes(dir / "REPLAY05.dat", std::string(5000, 'x'));  // header fails
    Replay("OTHER01.dat", 5000);                                    // name does not match

    form->LoadReplayList();

    auto rows = Rows(form->ListView1, 2);
    std::set<std::string> slots;
    for (const auto& r : rows)
        slots.insert(r.substr(0, r.find('|')));
    EXPECT_EQ(slots, (std::set<std::string>{"01", "02", "03"}));
    EXPECT_EQ(rows.size(), 3u);
    for (const auto& r : rows)
        EXPECT_GT(r.size(), 3u) << "date text missing: " << r;
    EXPECT_EQ(StatusText(*form, 0), "\t\tTotal 1 KByte");  // 900 bytes
    EXPECT_TRUE(Picture(*form).AllEnabled());
    EXPECT_FALSE(Picture(*form).progressShown);
    EXPECT_TRUE(errors.empty());
}

TEST_F(MainWindow, ScanStopsAfterTheHundredAndFirstReplay)
{
    for (int i = 0; i < 150; ++i) {
        char name[32];
        wsprintfA(name, "REPLAY%c%c.dat", 'A' + i / 26, 'A' + i % 26);
        Replay(name, 26);
    }
    form->LoadReplayList();
    EXPECT_EQ(Rows(form->ListView1, 1).size(), 101u);
}

TEST_F(MainWindow, EmptyFolderLeavesTheStatusTextAndNoBar)
{
    SendMessageA(form->StatusBar1->Handle(), SB_SETTEXTA, 0, reinterpret_cast<LPARAM>("before"));
    Replay("REPLAY01.dat");
    form->LoadReplayList();
    ASSERT_EQ(Rows(form->ListView1, 1).size(), 1u);
    DeleteFileA((dir / "REPLAY01.dat").c_str());
    SendMessageA(form->StatusBar1->Handle(), SB_SETTEXTA, 0, reinterpret_cast<LPARAM>("before"));

    form->LoadReplayList();

    EXPECT_TRUE(Rows(form->ListView1, 1).empty());
    EXPECT_EQ(StatusText(*form, 0), "before");
    EXPECT_FALSE(Picture(*form).progressShown);
    EXPECT_TRUE(Picture(*form).AllEnabled());
}

TEST_F(MainWindow, OnlyHeaderFailuresGiveATotalOfNothing)
{
    WriteFileBytes(dir / "REPLAY01.dat", std::string(5000, 'x'));  // "Total 5 KByte" if it counted
    form->LoadReplayList();
    EXPECT_EQ(StatusText(*form, 0), "\t\tTotal  KByte");
}

TEST_F(MainWindow, ScanIsBusyWhileItRunsAndShowsTheBar)
{
    Replay("REPLAY01.dat");
    Replay("REPLAY02.dat");
    BusyProbe probe(*form);
    form->LoadReplayList();
    ASSERT_FALSE(probe.seen.empty());
    const BusyPicture& p = probe.seen.front();
    EXPECT_TRUE(p.AllDisabled()) << p.lists << p.radios << p.buttons << p.fileMenu << p.optionMenu << p.close;
    EXPECT_TRUE(probe.seen.front().progressShown);
    EXPECT_TRUE(Picture(*form).AllEnabled());
}

TEST_F(MainWindow, FileHeldOpenStopsTheScanWithTheOpenError)
{
    Replay("REPLAY01.dat");
    FileHandle held(CreateFileA((dir / "REPLAY01.dat").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held.Valid());
    SendMessageA(form->StatusBar1->Handle(), SB_SETTEXTA, 0, reinterpret_cast<LPARAM>("before"));

    // Through the popup command, as the user would: the error reaches the report.
    SendMessageA(form->Handle(), WM_COMMAND, layout::cmdN2, 0);
    held.Reset();

    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].rfind("ファイル \"", 0), 0u) << errors[0];
    EXPECT_NE(errors[0].find("REPLAY01.dat\". "), std::string::npos) << errors[0];
    EXPECT_NE(errors[0].find(" は開けません."), std::string::npos) << errors[0];
    EXPECT_EQ(StatusText(*form, 0), "before");
    EXPECT_FALSE(Picture(*form).progressShown);
    EXPECT_TRUE(Picture(*form).AllEnabled());
}

TEST_F(MainWindow, NoFolderScansNothing)
{
    TfrMainTestPeer::SetFolder(*form, "");
    form->LoadReplayList();
    EXPECT_TRUE(Rows(form->ListView1, 1).empty());
    EXPECT_TRUE(Picture(*form).AllEnabled());
}

TEST_F(MainWindow, EnableControlsKeepsNoCount)
{
    form->EnableControls(false);
    form->EnableControls(false);
    EXPECT_TRUE(Picture(*form).AllDisabled());
    form->EnableControls(true);
    EXPECT_TRUE(Picture(*form).AllEnabled());
}

TEST_F(MainWindow, StayOnTopFollowsTheMenuCheck)
{
    struct Call {
        HWND hwnd, after;
        UINT flags;
    };
    std::vector<Call> calls;
    auto real = form->SetWindowPosCall;
    form->SetWindowPosCall = [&](HWND h, HWND after, int x, int y, int cx, int cy, UINT flags) {
        calls.push_back({h, after, flags});
        return real(h, after, x, y, cx, cy, flags);
    };
    SendMessageA(form->Handle(), WM_COMMAND, layout::cmdN6, 0);
    EXPECT_TRUE(form->N6Checked());
    // Wine can put an owned window into the topmost band but not take it out.
    EXPECT_TRUE(GetWindowLongA(form->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    SendMessageA(form->Handle(), WM_COMMAND, layout::cmdN6, 0);
    EXPECT_FALSE(form->N6Checked());
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].hwnd, Application.Handle());
    EXPECT_EQ(calls[0].after, HWND_TOPMOST);
    EXPECT_EQ(calls[1].after, HWND_NOTOPMOST);
    EXPECT_EQ(calls[0].flags, static_cast<UINT>(SWP_NOSIZE | SWP_NOMOVE));
}

// Neither list lets a row's caption be renamed: the request that a slow
// second click makes opens no edit box, in either list.
TEST_F(MainWindow, RowCaptionsCannotBeEdited)
{
    Replay("REPLAY01.dat");
    form->LoadReplayList();
    TempDir src;
    WriteFileBytes(src / "REPLAY02.dat", ReplayBytes("REPLAY02.dat"));
    form->DragDropTarget1DragDropFiles(form->ListView2, 10, 10, {src / "REPLAY02.dat"});
    struct Case {
        const char* what;
        TWinControl* list;
        int columns;
    } cases[] = {
        {"current replays", form->ListView1, 2},
        {"incoming", form->ListView2, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        HWND h = c.list->Handle();
        const auto rows = Rows(c.list, c.columns);
        ASSERT_EQ(rows.size(), 1u);
        SetFocus(h);
        EXPECT_EQ(SendMessageA(h, LVM_EDITLABELA, 0, 0), 0);
        EXPECT_EQ(SendMessageA(h, LVM_GETEDITCONTROL, 0, 0), 0);
        EXPECT_EQ(Rows(c.list, c.columns), rows);
    }
}

TEST_F(MainWindow, ExitAndCloseEndTheProgram)
{
    for (UINT how : {static_cast<UINT>(WM_COMMAND), static_cast<UINT>(WM_CLOSE)}) {
        SendMessageA(form->Handle(), how, how == WM_COMMAND ? layout::cmdN4 : 0, 0);
        MSG msg;
        ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
        EXPECT_EQ(msg.wParam, 0u);
    }
}

TEST(ErrorReport, ShowsTheMessageInAStopBoxOwnedByTheApplication)
{
    Application.Initialize(GetModuleHandleA(nullptr));
    ModalAnswerer answerer{IDOK, IDOK};
    Application.ShowException(Exception("データ型が不正です"));
    Application.ShowException(Exception("done."));
    const auto& seen = answerer.Seen();
    ASSERT_EQ(seen.size(), 2u);
    // The exe's name without its extension, the first character as it is.
    EXPECT_EQ(seen[0].caption, "win_main_window_test");
    EXPECT_EQ(seen[0].text, "データ型が不正です.");
    EXPECT_EQ(seen[1].text, "done.");
    EXPECT_EQ(seen[0].owner, Application.Handle());
    EXPECT_EQ(seen[0].icon, LoadIconA(nullptr, IDI_HAND));
    EXPECT_EQ(seen[0].buttons, std::vector<int>{IDOK});
}

}  // namespace
