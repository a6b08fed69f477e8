#include "ui/main.h"

#include <commctrl.h>

#include "common/Exception.h"
#include "common/ScopeGuard.h"
#include "common/sjis.h"
#include "common/win/Application.h"
#include "common/win/WindowCreate.h"
#include "replay/DateText.h"
#include "replay/FileSearch.h"
#include "replay/ReplayFile.h"
#include "replay/ReplayScan.h"
#include "replay/SizeText.h"
#include "replay/UserLocale.h"
#include "shell/FolderDialog.h"
#include "shell/drag_drop.h"
#include "shell/ShfOperation.h"
#include "transfer/IncomingList.h"
#include "transfer/Transfer.h"
#include "ui/Layout.h"
#include "ui/StartupUi.h"
#include "ui/StatusProgress.h"
#include "ui/Texts.h"

TfrMain* frMain = nullptr;

namespace {

const char kFormClass[] = "TfrMain";

// The user locale's comparison that ignores letter case.
int CompareIgnoreCase(std::string_view a, std::string_view b)
{
    return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()), b.data(),
                          static_cast<int>(b.size())) - CSTR_EQUAL;
}

void RepaintNow(HWND h)
{
    InvalidateRect(h, nullptr, TRUE);
    UpdateWindow(h);
}

TWinControl::Factory Made(HWND h)
{
    return [h] { return h; };
}

}  // namespace

// --- TfrMain -----------------------------------------------------------------

TfrMain::TfrMain(bool runCreateHandler) : TWinControl(nullptr, "frMain", {})
{
    frMain = this;
    try {
        Build();
    } catch (...) {
        // No destructor runs for a window made half-way: nothing may point
        // at it once the error goes on to the start-up report.
        DestroyHandle();
        throw;
    }

    if (runCreateHandler) {
        // An error of the creation handler is reported and start-up goes on.
        try {
            FormCreate();
        } catch (const std::exception& e) {
            Application.ShowException(e);
        }
    }
}

TfrMain::~TfrMain()
{
    DestroyHandle();
    DestroyComponents();
}

void TfrMain::Build()
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = &TfrMain::WndProc;
    wc.hInstance = Application.Instance();
    wc.hIcon = LoadIconA(wc.hInstance, MAKEINTRESOURCEA(1));
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kFormClass;
    RegisterClassOnce(wc);
    font_.Reset(CreateFontA(layout::kFontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                            texts::kFontFace));
    CreateMenus();

    // No WS_CLIPCHILDREN: a group box leaves its inside to the parent to paint.
    const DWORD style = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    const DWORD exStyle = WS_EX_TOOLWINDOW;
    RECT r = {0, 0, layout::kClientWidth, layout::kClientHeight};
    AdjustWindowRectEx(&r, style, TRUE, exStyle);
    hwnd_ = CreateWindowExA(exStyle, kFormClass, texts::kCaption, style, 192, 107, r.right - r.left, r.bottom - r.top,
                            Application.Handle(), MainMenu1, Application.Instance(), this);
    if (!hwnd_)
        throw Exception("ウィンドウを作成できません");
    mainMenuOwner_.Release();  // the window destroys its menu
    SetHandle(hwnd_);
    Application.MainWindow = hwnd_;
    // The menu bar may take another height than the estimate: make the client
    // area exact.
    RECT client;
    GetClientRect(hwnd_, &client);
    if (client.right != layout::kClientWidth || client.bottom != layout::kClientHeight) {
        RECT outer;
        GetWindowRect(hwnd_, &outer);
        SetWindowPos(hwnd_, nullptr, 0, 0, (outer.right - outer.left) + layout::kClientWidth - client.right,
                     (outer.bottom - outer.top) + layout::kClientHeight - client.bottom,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    CreateControls();
    FolderDialog1 = new TFolderDialog(this, "FolderDialog1");
    DragDropTarget1 = new TDragDropTarget(this, "DragDropTarget1");
    DragDropTarget1->SetTarget(ListView2);  // registers ListView2's window; raises on failure
    DragDropTarget1->OnDragDropFiles = [this](TWinControl* sender, int32_t x, int32_t y,
                                              const std::vector<std::string>& files) {
        DragDropTarget1DragDropFiles(sender, x, y, files);
    };
    ShfOperation1 = new TShfOperation(this, "ShfOperation1");
}

void TfrMain::DestroyHandle()
{
    // OLE must see the revocation while the window exists: once it is gone
    // the registration, and OLE's reference to the target, would outlive the
    // component.
    if (DragDropTarget1)
        DragDropTarget1->SetTarget(nullptr);
    if (hwnd_ && Application.MainWindow == hwnd_)
        Application.MainWindow = nullptr;
    if (hwnd_) {
        SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
        if (IsWindow(hwnd_))
            DestroyWindow(hwnd_);
        hwnd_ = nullptr;
        SetHandle(nullptr);
    }
    if (frMain == this)
        frMain = nullptr;
}

void TfrMain::CreateMenus()
{
    HMENU file = CreatePopupMenu();
    AppendMenuA(file, MF_STRING, layout::cmdN4, texts::kMenuExit);
    HMENU options = CreatePopupMenu();
    AppendMenuA(options, MF_STRING | MF_UNCHECKED, layout::cmdN6, texts::kMenuStayOnTop);
    MainMenu1 = CreateMenu();
    mainMenuOwner_.Reset(MainMenu1);
    AppendMenuA(MainMenu1, MF_POPUP, reinterpret_cast<UINT_PTR>(file), texts::kMenuFile);
    AppendMenuA(MainMenu1, MF_POPUP, reinterpret_cast<UINT_PTR>(options), texts::kMenuOptions);

    PopupMenu1 = CreatePopupMenu();
    AppendMenuA(PopupMenu1, MF_STRING, layout::cmdN1, texts::kMenuRemoveSelected);
    popup1Owner_.Reset(PopupMenu1);
    PopupMenu2 = CreatePopupMenu();
    AppendMenuA(PopupMenu2, MF_STRING, layout::cmdN2, texts::kMenuReload);
    popup2Owner_.Reset(PopupMenu2);
}

void TfrMain::CreateControls()
{
    const HFONT font = static_cast<HFONT>(font_.Get());
    auto placed = [&](const layout::ControlRow& row, const char* cls, DWORD style) {
        return CreateChildWindow({.parent = hwnd_, .className = cls, .text = row.text, .style = style, .id = row.id,
                                  .left = row.left, .top = row.top, .width = row.width, .height = row.height,
                                  .font = font});
    };

    for (int i = 0; i < layout::kControlCount; ++i) {
        const layout::ControlRow& row = layout::kControls[i];
        switch (row.kind) {
        case layout::Kind::Label:
            this->*row.control = new TWinControl(this, row.name, Made(placed(row, "STATIC", SS_LEFT | SS_NOPREFIX)));
            break;
        case layout::Kind::Button:
            this->*row.control = new TWinControl(
                this, row.name, Made(placed(row, "BUTTON", BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP)));
            break;
        case layout::Kind::ListView: {
            DWORD style = WS_TABSTOP | WS_GROUP | WS_BORDER | LVS_REPORT | LVS_NOSORTHEADER |
                          (row.readOnly ? 0 : LVS_EDITLABELS);
            auto* list = new TListView(this, row.name, Made(placed(row, WC_LISTVIEWA, style)));
            list->SetExtendedStyle(LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
            for (int c = 0; c < row.columnCount; ++c)
                list->AddColumn(row.columns[c].caption, row.columns[c].width);
            this->*row.list = list;
            break;
        }
        case layout::Kind::RadioGroup: {
            // The items before their box: above it in the z-order (so its frame
            // never paints over them), and the box's WS_GROUP closes their group.
            int count = 0;
            while (row.items[count])
                ++count;
            std::vector<HWND> buttons;
            for (int k = 0; k < count; ++k) {
                layout::Rect rc = layout::RadioItemRect(row, k, count);
                buttons.push_back(CreateChildWindow(
                    {.parent = hwnd_, .className = "BUTTON", .text = row.items[k],
                     .style = static_cast<DWORD>(BS_AUTORADIOBUTTON | BS_FLAT | (k == 0 ? WS_GROUP | WS_TABSTOP : 0)),
                     .id = row.firstItemId + k, .left = rc.left, .top = rc.top, .width = rc.width,
                     .height = rc.height, .font = font}));
            }
            HWND box = placed(row, "BUTTON", BS_GROUPBOX | BS_FLAT | WS_GROUP);
            auto* group = new TRadioGroup(this, row.name, box, std::move(buttons));
            group->SetItemIndex(row.itemIndex);
            this->*row.group = group;
            break;
        }
        }
    }

    // The status bar keeps the system's status-bar font.
    HWND status = CreateChildWindow({.parent = hwnd_, .className = STATUSCLASSNAMEA,
                                     .style = CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER,
                                     .id = layout::idStatusBar1, .top = layout::kStatusTop,
                                     .width = layout::kClientWidth, .height = layout::kStatusHeight});
    StatusBar1 = new TStatusBar(this, "StatusBar1", Made(status));
    StatusBar1->SetPanels(2, layout::kStatusPanelWidth);
}

void TfrMain::Show()
{
    RECT r;
    GetWindowRect(hwnd_, &r);
    int w = r.right - r.left, h = r.bottom - r.top;
    SetWindowPos(hwnd_, nullptr, (GetSystemMetrics(SM_CXSCREEN) - w) / 2, (GetSystemMetrics(SM_CYSCREEN) - h) / 2, 0,
                 0, SWP_NOSIZE | SWP_NOZORDER);
    ShowWindow(hwnd_, SW_SHOW);
    UpdateWindow(hwnd_);
}

LRESULT CALLBACK TfrMain::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    auto* self = reinterpret_cast<TfrMain*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (msg == WM_NCDESTROY)
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    if (!self || msg == WM_NCCREATE)
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    if (!self->hwnd_)
        self->hwnd_ = hwnd;
    LRESULT result = 0;
    bool handled = false;
    Guarded([&] {
        result = self->HandleMessage(msg, wParam, lParam);
        handled = true;
    });
    return handled ? result : 0;
}

LRESULT TfrMain::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_COMMAND:
        if (HIWORD(wParam) == 0 || HIWORD(wParam) == BN_CLICKED) {
            OnCommand(LOWORD(wParam));
            return 0;
        }
        break;
    case WM_NOTIFY:
        return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_CONTEXTMENU:
        OnContextMenu(reinterpret_cast<HWND>(wParam), lParam);
        return 0;
    case WM_CLOSE:
        // Alt+F4, the taskbar's Close and a WM_CLOSE from outside end the
        // program only when the greyed Close command would.
        if (!busy_)
            N4Click();
        return 0;
    }
    return DefWindowProcA(hwnd_, msg, wParam, lParam);
}

void TfrMain::OnCommand(int id)
{
    switch (id) {
    case layout::cmdN1: N1Click(); break;
    case layout::cmdN2: N2Click(); break;
    case layout::cmdN4: N4Click(); break;
    case layout::cmdN6: N6Click(); break;
    case layout::idButton1: Button1Click(); break;
    case layout::idButton2: Button2Click(); break;
    }
}

LRESULT TfrMain::OnNotify(const NMHDR& header)
{
    if (header.code == LVN_DELETEITEM && static_cast<int>(header.idFrom) == layout::idListView2) {
        incomingPaths_.erase(reinterpret_cast<const NMLISTVIEW&>(header).lParam);
        return 0;
    }
    if (header.code == LVN_BEGINLABELEDITA || header.code == LVN_BEGINLABELEDITW) {
        bool allowEdit = true;
        if (static_cast<int>(header.idFrom) == layout::idListView1)
            ListView1Editing(allowEdit);
        else if (static_cast<int>(header.idFrom) == layout::idListView2)
            ListView2Editing(allowEdit);
        return allowEdit ? FALSE : TRUE;  // TRUE refuses the edit
    }
    return 0;
}

void TfrMain::OnContextMenu(HWND from, LPARAM screenPoint)
{
    HMENU menu = from == ListView1->Handle() ? PopupMenu2 : from == ListView2->Handle() ? PopupMenu1 : nullptr;
    if (!menu)
        return;
    POINT pt = {static_cast<short>(LOWORD(screenPoint)), static_cast<short>(HIWORD(screenPoint))};
    if (screenPoint == -1) {  // from the keyboard: at the list's corner
        RECT r;
        GetWindowRect(from, &r);
        pt = {r.left + 4, r.top + 4};
    }
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, pt.x, pt.y, 0, hwnd_, nullptr);
}

// --- Handlers ----------------------------------------------------------------

void TfrMain::FormCreate()
{
    std::optional<std::string> folder = LocateReplayFolderAtStartup(*FolderDialog1);
    if (!folder) {  // the user chose to end the program
        PostQuitMessage(0);
        return;
    }
    ReplayFolder = *folder;
    LoadReplayList();
}

void TfrMain::N2Click() { LoadReplayList(); }

void TfrMain::Button2Click() { ListView2->Clear(); }

void TfrMain::DragDropTarget1DragDropFiles(TWinControl*, int, int, const std::vector<std::string>& Files)
{
    EnableControls(false);
    ScopeExit leaveBusy([this] { EnableControls(true); });

    const std::vector<std::string> sorted = SortedUniquePaths(Files, CompareIgnoreCase);
    StatusProgress progress(*StatusBar1);
    const LocaleSnapshot locale = ReadUserLocale();
    ListViewUpdate batch(*ListView2);
    const size_t n = sorted.size();
    for (size_t i = 0; i < n; ++i) {
        const std::string& path = sorted[i];
        if (IsReplayFile(path)) {
            // Every text first: a failure leaves no half-filled row behind.
            AddIncomingRow(path, std::string(sjis::ExtractFileName(path)), FileDateText(path, locale));
        }
        int p = DropProgress(i, n);
        if (p > progress.Position())
            progress.SetPosition(p);
        ListView2->PaintIfDue();
        Application.ProcessMessages();
    }
}

void TfrMain::AddIncomingRow(const std::string& path, const std::string& name, const std::string& date)
{
    const LPARAM key = nextIncomingKey_++;
    incomingPaths_.emplace(key, path);
    int row;
    try {
        row = ListView2->InsertRow(ListView2->Count(), std::string(), key);
    } catch (...) {
        incomingPaths_.erase(key);
        throw;
    }
    ListView2->SetSubItemText(row, 1, name);
    ListView2->SetSubItemText(row, 2, date);
}

void TfrMain::Button1Click()
{
    const int kind = RadioGroup1->ItemIndex();
    const auto policy = static_cast<SameNamePolicy>(RadioGroup2->ItemIndex());
    const int rows = ListView2->Count();
    switch (DecideStart(policy, static_cast<size_t>(rows), ReplayFolder)) {
    case StartAction::InsertFreeNotice:
        Application.ShowMessageBox(texts::kInsertFreeNotAvailable, texts::kNotImplementedCaption,
                                   MB_OK | MB_ICONEXCLAMATION);
        return;
    case StartAction::Nothing:
        return;
    case StartAction::NoFolderNotice:  // start-up stopped before the folder was known
        Application.ShowMessageBox(texts::kNoReplayFolder, texts::kErrorCaption, MB_OK | MB_ICONEXCLAMATION);
        return;
    case StartAction::Run:
        break;
    }

    EnableControls(false);
    SetStayOnTop(false);
    ScopeExit restore([this] {
        EnableControls(true);
        SetStayOnTop(N6Checked());
    });

    std::vector<std::string> paths;
    for (int i = 0; i < rows; ++i)
        paths.push_back(IncomingPath(i));
    // Emptied and filled anew in row order; the last run's paths stay until then.
    ShfOperation1->SetFromFFList(SelectTransferPaths(paths, policy, ReplayFolder, FileExistsAsFile));
    if (kind == 0)
        CopyReplays();
    else if (kind == 1)
        MoveReplays();
}

void TfrMain::CopyReplays() { RunTransfer(TwFunc::foCOPY); }

void TfrMain::MoveReplays() { RunTransfer(TwFunc::foMOVE); }

void TfrMain::RunTransfer(TwFunc operation)
{
    ShfOperation1->SetOperationF(operation);
    ShfOperation1->SetToFolder(ReplayFolder);
    if (!ShfOperation1->FromFFList().empty())
        ShfOperation1->Execute();
    ListView2->Clear();
    LoadReplayList();
}

void TfrMain::ListView1Editing(bool& AllowEdit) { AllowEdit = false; }

void TfrMain::ListView2Editing(bool& AllowEdit) { AllowEdit = false; }

void TfrMain::N6Click()
{
    bool checked = !N6Checked();
    CheckMenuItem(MainMenu1, layout::cmdN6, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
    SetStayOnTop(checked);
}

std::string TfrMain::IncomingPath(int row) const
{
    auto found = incomingPaths_.find(ListView2->RowParam(row));
    return found == incomingPaths_.end() ? std::string() : found->second;
}

bool TfrMain::N6Checked() const
{
    return (GetMenuState(MainMenu1, layout::cmdN6, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

void TfrMain::N1Click()
{
    // From the end, so the rows not yet visited keep their indexes.
    for (int i = ListView2->Count() - 1; i >= 0; --i)
        if (ListView2->Selected(i))
            ListView2->DeleteRow(i);
}

void TfrMain::N4Click() { PostQuitMessage(0); }

// --- Methods -----------------------------------------------------------------

void TfrMain::LoadReplayList()
{
    EnableControls(false);
    ScopeExit leaveBusy([this] { EnableControls(true); });

    ListView1->Clear();
    // No folder (start-up stopped on an error): never scan the current directory.
    if (ReplayFolder.empty())
        return;

    ScanTally tally;
    const LocaleSnapshot locale = ReadUserLocale();
    {
        StatusProgress progress(*StatusBar1);
        ListViewUpdate batch(*ListView1);
        FileSearch search(ReplayFolder + "REPLAY??.dat", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                                             FILE_ATTRIBUTE_ARCHIVE);
        while (auto entry = search.Next()) {
            const bool replay = IsReplayFile(ReplayFolder + entry->name);
            if (replay) {
                int row = ListView1->InsertRow(tally.accepted, ReplaySlot(entry->name));
                ListView1->SetSubItemText(row, 1, DateTimeText(entry->time, locale));
            }
            tally.Count(replay, entry->size);
            if (replay)
                progress.SetPosition(tally.accepted);
            ListView1->PaintIfDue();
            Application.ProcessMessages();
            if (!tally.GoesOn())
                break;
        }
    }
    if (tally.WritesTotal())
        StatusBar1->SetPanelText(0, TotalKByteText(tally.totalBytes, locale));
}

void TfrMain::EnableControls(bool Enabled)
{
    busy_ = !Enabled;
    UINT state = MF_BYPOSITION | (Enabled ? MF_ENABLED : MF_GRAYED);
    EnableMenuItem(MainMenu1, 0, state);  // N3
    EnableMenuItem(MainMenu1, 1, state);  // N5
    EnableWindow(ListView1->Handle(), Enabled);
    EnableWindow(ListView2->Handle(), Enabled);
    RadioGroup1->SetEnabled(Enabled);
    RadioGroup2->SetEnabled(Enabled);
    EnableWindow(Button1->Handle(), Enabled);
    EnableWindow(Button2->Handle(), Enabled);
    EnableCloseCommand(Enabled);
    RepaintNow(ListView1->Handle());
    RepaintNow(ListView2->Handle());
    if (frMain)
        RepaintNow(frMain->Handle());
}

void TfrMain::EnableCloseCommand(bool Enabled)
{
    HMENU system = GetSystemMenu(hwnd_, FALSE);
    EnableMenuItem(system, SC_CLOSE, MF_BYCOMMAND | (Enabled ? MF_ENABLED : MF_GRAYED));
    DrawMenuBar(hwnd_);
}

void TfrMain::SetStayOnTop(bool OnTop)
{
    SetWindowPosCall(Application.Handle(), OnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE);
}
