#pragma once
// The main window: both replay lists, the transfer choices, menus and status bar.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "common/win/Handles.h"
#include "common/win/ListView.h"
#include "common/win/RadioGroup.h"
#include "common/win/StatusBar.h"
#include "common/win/WinControl.h"

#include "shell/ShfPlan.h"

class TDragDropTarget;
class TFolderDialog;
class TShfOperation;

class TfrMain : public TWinControl {
public:
    // Builds the window from its stored layout, then runs the creation handler
    // (unless told not to: tests give the replay folder themselves).
    explicit TfrMain(bool runCreateHandler = true);
    ~TfrMain() override;

    TListView* ListView1 = nullptr;
    TListView* ListView2 = nullptr;
    TWinControl* StaticText1 = nullptr;
    TWinControl* StaticText2 = nullptr;
    TRadioGroup* RadioGroup1 = nullptr;
    TWinControl* Button1 = nullptr;
    TWinControl* Button2 = nullptr;
    HMENU PopupMenu1 = nullptr;  // of ListView2: N1
    TRadioGroup* RadioGroup2 = nullptr;
    TStatusBar* StatusBar1 = nullptr;
    TFolderDialog* FolderDialog1 = nullptr;
    TDragDropTarget* DragDropTarget1 = nullptr;
    HMENU PopupMenu2 = nullptr;  // of ListView1: N2
    TShfOperation* ShfOperation1 = nullptr;
    HMENU MainMenu1 = nullptr;   // N3 (N4), N5 (N6)

    // Handlers.
    void FormCreate();
    void N2Click();
    void DragDropTarget1DragDropFiles(TWinControl* Sender, int X, int Y, const std::vector<std::string>& Files);
    void Button2Click();
    void Button1Click();
    void ListView1Editing(bool& AllowEdit);
    void ListView2Editing(bool& AllowEdit);
    void N6Click();
    void N1Click();
    void N4Click();

    // Other methods.
    void LoadReplayList();
    void EnableControls(bool Enabled);
    void EnableCloseCommand(bool Enabled);
    void SetStayOnTop(bool OnTop);
    void CopyReplays();
    void MoveReplays();
    bool N6Checked() const;
    // Between EnableControls(false) and EnableControls(true): no Close ends
    // the program then.
    bool Busy() const { return busy_; }

    // An incoming row's full path (its hidden third sub-item): kept by the
    // window under the row's param, since a list view keeps texts only for
    // its shown columns.
    std::string IncomingPath(int row) const;

    // The stay-on-top call, replaceable so tests can see what was asked of the
    // platform (Wine cannot take an owned window out of the topmost band).
    std::function<BOOL(HWND, HWND, int, int, int, int, UINT)> SetWindowPosCall = ::SetWindowPos;

    // Shows the window centred on the screen.
    void Show();

private:
    friend struct TfrMainTestPeer;

    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    void Build();
    void CreateControls();
    void CreateMenus();
    // Takes the window down: the drop target first, while ListView2's window
    // still exists, then the window with no way back into this object.
    void DestroyHandle();
    void AddIncomingRow(const std::string& path, const std::string& name, const std::string& date);
    void OnCommand(int id);
    LRESULT OnNotify(const NMHDR& header);
    void OnContextMenu(HWND from, LPARAM screenPoint);
    void RunTransfer(TwFunc operation);

    HWND hwnd_ = nullptr;
    GdiObject font_;
    MenuHandle mainMenuOwner_;  // until the window holds it
    MenuHandle popup1Owner_;
    MenuHandle popup2Owner_;
    std::string ReplayFolder;
    bool busy_ = false;
    std::map<LPARAM, std::string> incomingPaths_;  // by row param
    LPARAM nextIncomingKey_ = 1;
};

extern TfrMain* frMain;
