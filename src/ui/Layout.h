#pragma once
// The main window's stored layout: one row a control, with the window's pixel
// values and the member it lands in. Creation walks the table in tab order.

class TfrMain;
class TListView;
class TRadioGroup;
class TWinControl;

namespace layout {

constexpr int kClientWidth = 410;
constexpr int kClientHeight = 289;
constexpr int kFontHeight = -12;

// Control and command ids (the end-to-end driver uses them too).
enum Id : int {
    idListView1 = 1001,
    idListView2 = 1002,
    idStaticText1 = 1003,
    idStaticText2 = 1004,
    idRadioGroup1 = 1005,
    idRadioGroup2 = 1006,
    idButton1 = 1007,
    idButton2 = 1008,
    idStatusBar1 = 1009,
    idRadio1First = 1100,  // RadioGroup1's items: 1100, 1101
    idRadio2First = 1200,  // RadioGroup2's items: 1200, 1201, 1202
    cmdN1 = 2001,          // 選択データの追加をやめる
    cmdN2 = 2002,          // 再読み込み
    cmdN4 = 2004,          // 終了(&E)
    cmdN6 = 2006,          // 常に手前に表示(&T)
};

enum class Kind { Label, ListView, RadioGroup, Button };

struct Column {
    const char* caption;
    int width;
};

struct ControlRow {
    const char* name;
    Kind kind;
    int id;
    int left, top, width, height;
    const char* text;              // caption, label text or group caption
    const char* const* items;      // radio items, null-terminated
    int itemIndex;                 // selected radio item
    const Column* columns;         // list columns
    int columnCount;
    bool readOnly;                 // list views: no in-place editing at all
    // The member of the window that receives the control: the one of its kind.
    TWinControl* TfrMain::*control;  // labels and buttons
    TListView* TfrMain::*list;
    TRadioGroup* TfrMain::*group;
    int firstItemId;               // radio groups: the id of item 0, then one up
};

// In tab order: the windows are made in this order.
extern const ControlRow kControls[];
extern const int kControlCount;

constexpr int kStatusTop = 275;
constexpr int kStatusHeight = 14;
constexpr int kStatusPanelWidth = 205;

// Radio buttons inside a group, placed as a classic radio group places them
// for a 12-pixel font: rows of equal height below the caption.
struct Rect {
    int left, top, width, height;
};
Rect RadioItemRect(const ControlRow& group, int index, int count);

}  // namespace layout
