#include "common/win/ListView.h"

#include <commctrl.h>

#include "common/Exception.h"

void TListView::AddColumn(const char* caption, int width)
{
    LVCOLUMNA col = {};
    col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    col.pszText = const_cast<char*>(caption);
    col.cx = width;
    col.iSubItem = columns_;
    SendMessageA(Handle(), LVM_INSERTCOLUMNA, columns_, reinterpret_cast<LPARAM>(&col));
    ++columns_;
}

void TListView::SetExtendedStyle(DWORD mask, DWORD style)
{
    SendMessageA(Handle(), LVM_SETEXTENDEDLISTVIEWSTYLE, mask, style);
}

int TListView::Count() { return static_cast<int>(SendMessageA(Handle(), LVM_GETITEMCOUNT, 0, 0)); }

int TListView::InsertRow(int index, const std::string& caption, LPARAM param)
{
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = index;
    item.pszText = const_cast<char*>(caption.c_str());
    item.lParam = param;
    int row = static_cast<int>(SendMessageA(Handle(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    if (row < 0)
        throw Exception("リストに追加できません");
    return row;
}

void TListView::SetSubItemText(int row, int subItem, const std::string& text)
{
    LVITEMA item = {};
    item.iSubItem = subItem;
    item.pszText = const_cast<char*>(text.c_str());
    SendMessageA(Handle(), LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
}

LPARAM TListView::RowParam(int row)
{
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (!SendMessageA(Handle(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)))
        return 0;
    return item.lParam;
}

bool TListView::Selected(int row)
{
    return (SendMessageA(Handle(), LVM_GETITEMSTATE, row, LVIS_SELECTED) & LVIS_SELECTED) != 0;
}

void TListView::DeleteRow(int row) { SendMessageA(Handle(), LVM_DELETEITEM, row, 0); }

void TListView::Clear() { SendMessageA(Handle(), LVM_DELETEALLITEMS, 0, 0); }

void TListView::BeginUpdate()
{
    if (updateCount_++ > 0)
        return;
    SendMessageA(Handle(), WM_SETREDRAW, FALSE, 0);
    lastPaint_ = GetTickCount();
}

void TListView::EndUpdate()
{
    if (updateCount_ == 0 || --updateCount_ > 0)
        return;
    SendMessageA(Handle(), WM_SETREDRAW, TRUE, 0);
    PaintNow();
}

void TListView::PaintIfDue()
{
    if (updateCount_ == 0 || GetTickCount() - lastPaint_ < kPaintInterval)
        return;
    HWND h = Handle();
    SendMessageA(h, WM_SETREDRAW, TRUE, 0);
    PaintNow();
    SendMessageA(h, WM_SETREDRAW, FALSE, 0);
    lastPaint_ = GetTickCount();
}

void TListView::PaintNow()
{
    // The frame too: the scroll bar is part of it.
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
}
