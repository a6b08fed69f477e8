#pragma once
// TListView: a report-style list view, reached only through these calls.
#include <windows.h>

#include <string>

#include "common/win/WinControl.h"

class TListView : public TWinControl {
public:
    using TWinControl::TWinControl;

    void AddColumn(const char* caption, int width);
    void SetExtendedStyle(DWORD mask, DWORD style);

    int Count();
    // Inserts a row at `index` (Count() appends); gives its index and raises
    // when the list refuses it.
    int InsertRow(int index, const std::string& caption, LPARAM param = 0);
    void SetSubItemText(int row, int subItem, const std::string& text);
    LPARAM RowParam(int row);
    bool Selected(int row);
    void DeleteRow(int row);
    void Clear();

    // A long fill: the list stops painting itself on every row (under Wine
    // each row otherwise costs a full repaint of list and scroll bar) and is
    // painted by PaintIfDue() and once at EndUpdate(). Calls nest.
    void BeginUpdate();
    void EndUpdate();
    // While an update is open: paints rows and scroll bar when the last
    // painting is kPaintInterval ms old.
    void PaintIfDue();
    bool Updating() const { return updateCount_ > 0; }

    static constexpr DWORD kPaintInterval = 50;

private:
    void PaintNow();

    int columns_ = 0;
    int updateCount_ = 0;
    DWORD lastPaint_ = 0;
};

// Keeps a list's update open for one scope, on every way out.
class ListViewUpdate {
public:
    explicit ListViewUpdate(TListView& list) : list_(list) { list_.BeginUpdate(); }
    ~ListViewUpdate() { list_.EndUpdate(); }
    ListViewUpdate(const ListViewUpdate&) = delete;
    ListViewUpdate& operator=(const ListViewUpdate&) = delete;

private:
    TListView& list_;
};
