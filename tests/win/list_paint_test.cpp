// The lists paint in batches during a scan or a drop: whatever way the loop
// ends, every row added is there and on the screen afterwards, and the list
// paints itself again as before.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "../tools/MainWindowFixture.h"
#include "common/win/Handles.h"
#include "common/win/ListView.h"
#include "ui/main.h"

namespace {

using namespace mainwindow;

// The pixels of a window, frame and scroll bars included, as on the screen.
std::vector<DWORD> Pixels(HWND h)
{
    RECT r;
    GetWindowRect(h, &r);
    const int w = r.right - r.left, ht = r.bottom - r.top;
    HDC screen = GetWindowDC(h);
    HDC mem = CreateCompatibleDC(screen);
    GdiObject bitmap(CreateCompatibleBitmap(screen, w, ht));
    HGDIOBJ old = SelectObject(mem, bitmap.Get());
    BitBlt(mem, 0, 0, w, ht, screen, 0, 0, SRCCOPY);
    SelectObject(mem, old);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -ht;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<DWORD> pixels(static_cast<size_t>(w) * ht);
    GetDIBits(mem, static_cast<HBITMAP>(bitmap.Get()), 0, ht, pixels.data(), &info, DIB_RGB_COLORS);
    DeleteDC(mem);
    ReleaseDC(h, screen);
    return pixels;
}

// REPLAY00.dat, REPLAY01.dat, ... in `dir`; their paths in that order.
std::vector<std::string> Replays(const TempDir& dir, int count)
{
    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i) {
        char name[16];
        wsprintfA(name, "REPLAY%02d.dat", i);
        WriteFileBytes(dir / name, ReplayBytes(name));
        paths.push_back(dir / name);
    }
    return paths;
}

class ListPaint : public MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        form->Show();
        Application.ProcessMessages();
    }

    // The list as the loop left it on the screen equals the list painted anew
    // from its rows; and the list paints itself again (a new row invalidates it).
    void ExpectPaintedAndLive(TListView& list)
    {
        HWND h = list.Handle();
        EXPECT_FALSE(list.Updating());
        std::vector<DWORD> left = Pixels(h);
        SendMessageA(h, WM_SETREDRAW, TRUE, 0);
        RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
        EXPECT_TRUE(left == Pixels(h)) << "rows or scroll bar not painted after the loop";

        int row = list.InsertRow(0, "x");  // shifts every visible row
        RECT pending;
        EXPECT_TRUE(GetUpdateRect(h, &pending, FALSE)) << "the list no longer paints itself";
        list.DeleteRow(row);
        UpdateWindow(h);
    }
};

TEST_F(ListPaint, ScanLeavesEveryRowPainted)
{
    Replays(dir, 40);
    form->LoadReplayList();
    EXPECT_EQ(Rows(form->ListView1, 1).size(), 40u);
    ExpectPaintedAndLive(*form->ListView1);
}

TEST_F(ListPaint, DropLeavesEveryRowPainted)
{
    TempDir source;
    const std::vector<std::string> files = Replays(source, 40);
    form->DragDropTarget1DragDropFiles(form->ListView2, 0, 0, files);
    EXPECT_EQ(Rows(form->ListView2, 1).size(), 40u);
    ExpectPaintedAndLive(*form->ListView2);
}

TEST_F(ListPaint, DropStoppedByAnOpenErrorLeavesItsRowsPainted)
{
    TempDir source;
    const std::vector<std::string> files = Replays(source, 30);
    // Sorted by path, the drop reaches this one after 20 rows.
    FileHandle held(CreateFileA(files[20].c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);

    EXPECT_THROW(form->DragDropTarget1DragDropFiles(form->ListView2, 0, 0, files), std::exception);

    EXPECT_EQ(Rows(form->ListView2, 1).size(), 20u);
    ExpectPaintedAndLive(*form->ListView2);
}

TEST_F(ListPaint, ScanStoppedByAnOpenErrorLeavesItsRowsPainted)
{
    Replays(dir, 30);
    FileHandle held(CreateFileA((dir / "REPLAY15.dat").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);

    EXPECT_THROW(form->LoadReplayList(), std::exception);

    // The search's order is the platform's: some rows came before the held file.
    EXPECT_LT(Rows(form->ListView1, 1).size(), 30u);
    ExpectPaintedAndLive(*form->ListView1);
}

}  // namespace
