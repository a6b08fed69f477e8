#pragma once
// The main window: both replay lists, the transfer choices, menus and status bar.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "common/win/Handles.h"
#include "common/win/WinControl.h"

#include "shell/ShfPlan.h"

class TDragDropTarget;
class TFolderDialog;
class TShfOperation;

// A radio group: a flat group box with its radio items as sibling windows.
class TRadioGroup : public TWinControl {
public:
    TRadioGroup(TComponent* owner, std::string name, Factory factory) : TWinControl(owner, std::move(name), std::move(factory)) {}
    std::vector<HWND> Buttons;
    int ItemIndex() const;
    void SetItemIndex(int index);
    void SetEnabled(bool enabled);
};

class TfrMain : public TWinControl {
public:
    // Builds the window from its stored layout, then runs the creation handler
    // (unless told not to: tests give the replay folder themselves).
    explicit TfrMain(bool runCreateHandler = true);
    ~TfrMain() override;

    TWinControl* ListView1 = nullptr;
    TWinControl* ListView2 = nullptr;
    TWinControl* StaticText1 = nullptr;
    TWinControl* StaticText2 = nullptr;
    TRadioGroup* RadioGroup1 = nullptr;
    TWinControl* Button1 = nullptr;
    TWinControl* Button2 = nullptr;
    HMENU PopupMenu1 = nullptr;  // of ListView2: N1
    TRadioGroup* RadioGroup2 = nullptr;
    TWinControl* StatusBar1 = nullptr;
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

    // An incoming row's full path (its hidden third sub-item): kept with the
    // row itself, since a list view keeps texts only for its shown columns.
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
    void CreateControls();
    void CreateMenus();
    void OnCommand(int id);
    LRESULT OnNotify(const NMHDR& header);
    void OnContextMenu(HWND from, LPARAM screenPoint);
    void SetStatusText(int part, const std::string& text);
    void RunTransfer(TwFunc operation);

    HWND hwnd_ = nullptr;
    GdiObject font_;
    MenuHandle popup1Owner_;
    MenuHandle popup2Owner_;
    std::string ReplayFolder;
};

extern TfrMain* frMain;

// The temporary progress bar over the status bar's second panel, for one
// scan or one drop.
class StatusProgress {
public:
    explicit StatusProgress(TfrMain& form);
    ~StatusProgress();
    StatusProgress(const StatusProgress&) = delete;
    StatusProgress& operator=(const StatusProgress&) = delete;
    int Position() const { return position_; }
    void SetPosition(int position);
    HWND Handle() const { return bar_.Get(); }

private:
    WindowHandle bar_;
    int position_ = 0;
};
