#include "ui/main.h"

#include <commctrl.h>

#include <memory>

#include "common/Exception.h"
#include "common/ScopeGuard.h"
#include "common/sjis.h"
#include "common/win/Application.h"
#include "replay/DateText.h"
#include "replay/FileSearch.h"
#include "replay/ReplayFile.h"
#include "replay/SizeText.h"
#include "replay/UserLocale.h"
#include "shell/FolderDialog.h"
#include "shell/drag_drop.h"
#include "shell/ShfOperation.h"
#include "transfer/IncomingList.h"
#include "transfer/Transfer.h"
#include "ui/Layout.h"
#include "ui/StartupUi.h"
#include "ui/Texts.h"

TfrMain* frMain = nullptr;

namespace {

const char kFormClass[] = "TfrMain";
constexpr int kMaxListedReplays = 100;  // the scan goes on while at most this many were taken

void RegisterFormClass(HINSTANCE instance, WNDPROC proc)
{
    WNDCLASSA wc = {};
    if (GetClassInfoA(instance, kFormClass, &wc))
        return;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(1));
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kFormClass;
    RegisterClassA(&wc);
}

HWND MakeChild(HWND parent, const char* cls, const char* text, DWORD style, DWORD exStyle, int id, int x, int y,
               int w, int h)
{
    HWND child = CreateWindowExA(exStyle, cls, text ? text : "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, x, y,
                                 w, h, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 Application.Instance(), nullptr);
    if (!child)
        throw Exception(FormatText("ウィンドウを作成できません (%d)", id));
    return child;
}

void InsertColumn(HWND list, int index, const layout::Column& column)
{
    LVCOLUMNA col = {};
    col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    col.pszText = const_cast<char*>(column.caption);
    col.cx = column.width;
    col.iSubItem = index;
    SendMessageA(list, LVM_INSERTCOLUMNA, index, reinterpret_cast<LPARAM>(&col));
}

// The user locale's comparison that ignores letter case.
int CompareIgnoreCase(std::string_view a, std::string_view b)
{
    return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()), b.data(),
                          static_cast<int>(b.size())) - CSTR_EQUAL;
}

int ListCount(TWinControl* list) { return static_cast<int>(SendMessageA(list->Handle(), LVM_GETITEMCOUNT, 0, 0)); }

void SetItemText(HWND list, int row, int subItem, const std::string& text)
{
    LVITEMA item = {};
    item.iSubItem = subItem;
    item.pszText = const_cast<char*>(text.c_str());
    SendMessageA(list, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
}

void RepaintNow(HWND h)
{
    InvalidateRect(h, nullptr, TRUE);
    UpdateWindow(h);
}

}  // namespace

// --- TRadioGroup -------------------------------------------------------------

int TRadioGroup::ItemIndex() const
{
    for (size_t i = 0; i < Buttons.size(); ++i)
        if (SendMessageA(Buttons[i], BM_GETCHECK, 0, 0) == BST_CHECKED)
            return static_cast<int>(i);
    return -1;
}

void TRadioGroup::SetItemIndex(int index)
{
    for (size_t i = 0; i < Buttons.size(); ++i)
        SendMessageA(Buttons[i], BM_SETCHECK, static_cast<int>(i) == index ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TRadioGroup::SetEnabled(bool enabled)
{
    EnableWindow(Handle(), enabled);
    for (HWND b : Buttons)
        EnableWindow(b, enabled);
}

// --- TfrMain -----------------------------------------------------------------

TfrMain::TfrMain(bool runCreateHandler) : TWinControl(nullptr, "frMain", {})
{
    frMain = this;
    RegisterFormClass(Application.Instance(), &TfrMain::WndProc);
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
    // The window goes before its components, and the controls' windows with it.
    if (Application.MainWindow == hwnd_)
        Application.MainWindow = nullptr;
    if (hwnd_ && IsWindow(hwnd_))
        DestroyWindow(hwnd_);
    hwnd_ = nullptr;
    DestroyComponents();
    if (frMain == this)
        frMain = nullptr;
}

void TfrMain::CreateMenus()
{
    HMENU file = CreatePopupMenu();
    AppendMenuA(file, MF_STRING, layout::cmdN4, texts::kMenuExit);
    HMENU options = CreatePopupMenu();
    AppendMenuA(options, MF_STRING | MF_UNCHECKED, layout::cmdN6, texts::kMenuStayOnTop);
    // Attached to the window below, so destroyed with it.
    MainMenu1 = CreateMenu();
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
    HFONT font = static_cast<HFONT>(font_.Get());
    auto adopt = [this, font](const char* name, HWND h) {
        SendMessageA(h, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        return new TWinControl(this, name, [h] { return h; });
    };

    for (int i = 0; i < layout::kControlCount; ++i) {
        const layout::ControlRow& row = layout::kControls[i];
        switch (row.kind) {
        case layout::Kind::Label: {
            HWND h = MakeChild(hwnd_, "STATIC", row.text, SS_LEFT | SS_NOPREFIX, 0, row.id, row.left, row.top,
                               row.width, row.height);
            (row.id == layout::idStaticText1 ? StaticText1 : StaticText2) = adopt(row.name, h);
            break;
        }
        case layout::Kind::ListView: {
            DWORD style = WS_TABSTOP | WS_GROUP | WS_BORDER | LVS_REPORT | LVS_NOSORTHEADER |
                          (row.readOnly ? 0 : LVS_EDITLABELS);
            HWND h = MakeChild(hwnd_, WC_LISTVIEWA, nullptr, style, 0, row.id, row.left, row.top, row.width,
                               row.height);
            SendMessageA(h, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
            for (int c = 0; c < row.columnCount; ++c)
                InsertColumn(h, c, row.columns[c]);
            (row.id == layout::idListView1 ? ListView1 : ListView2) = adopt(row.name, h);
            break;
        }
        case layout::Kind::Button: {
            HWND h = MakeChild(hwnd_, "BUTTON", row.text, BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, 0, row.id, row.left,
                               row.top, row.width, row.height);
            (row.id == layout::idButton1 ? Button1 : Button2) = adopt(row.name, h);
            break;
        }
        case layout::Kind::RadioGroup: {
            // The items before their box: above it in the z-order (so its frame
            // never paints over them), and the box's WS_GROUP closes their group.
            int count = 0;
            while (row.items[count])
                ++count;
            int firstId = row.id == layout::idRadioGroup1 ? layout::idRadio1First : layout::idRadio2First;
            std::vector<HWND> buttons;
            for (int k = 0; k < count; ++k) {
                layout::Rect rc = layout::RadioItemRect(row, k, count);
                HWND b = MakeChild(hwnd_, "BUTTON", row.items[k],
                                   BS_AUTORADIOBUTTON | BS_FLAT | (k == 0 ? WS_GROUP | WS_TABSTOP : 0), 0,
                                   firstId + k, rc.left, rc.top, rc.width, rc.height);
                SendMessageA(b, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
                buttons.push_back(b);
            }
            HWND box = MakeChild(hwnd_, "BUTTON", row.text, BS_GROUPBOX | BS_FLAT | WS_GROUP, 0, row.id, row.left,
                                 row.top, row.width, row.height);
            SendMessageA(box, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
            auto* group = new TRadioGroup(this, row.name, [box] { return box; });
            group->Buttons = std::move(buttons);
            group->SetItemIndex(row.itemIndex);
            (row.id == layout::idRadioGroup1 ? RadioGroup1 : RadioGroup2) = group;
            break;
        }
        }
    }

    // The status bar keeps the system's status-bar font.
    HWND status = MakeChild(hwnd_, STATUSCLASSNAMEA, nullptr, CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER, 0,
                            layout::idStatusBar1, 0, layout::kStatusTop, layout::kClientWidth, layout::kStatusHeight);
    int edges[2] = {layout::kStatusPanelWidth, 2 * layout::kStatusPanelWidth};
    SendMessageA(status, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(edges));
    StatusBar1 = new TWinControl(this, "StatusBar1", [status] { return status; });
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
        delete reinterpret_cast<std::string*>(reinterpret_cast<const NMLISTVIEW&>(header).lParam);
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

void TfrMain::SetStatusText(int part, const std::string& text)
{
    // Two tabs right-align a panel's text.
    std::string aligned = "\t\t" + text;
    SendMessageA(StatusBar1->Handle(), SB_SETTEXTA, part, reinterpret_cast<LPARAM>(aligned.c_str()));
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

void TfrMain::Button2Click() { SendMessageA(ListView2->Handle(), LVM_DELETEALLITEMS, 0, 0); }

void TfrMain::DragDropTarget1DragDropFiles(TWinControl*, int, int, const std::vector<std::string>& Files)
{
    EnableControls(false);
    ScopeExit leaveBusy([this] { EnableControls(true); });

    const std::vector<std::string> sorted = SortedUniquePaths(Files, CompareIgnoreCase);
    StatusProgress progress(*this);
    const LocaleSnapshot locale = ReadUserLocale();
    HWND list = ListView2->Handle();
    const size_t n = sorted.size();
    for (size_t i = 0; i < n; ++i) {
        const std::string& path = sorted[i];
        if (IsReplayFile(path)) {
            // Every text first: a failure leaves no half-filled row behind.
            std::string name(sjis::ExtractFileName(path));
            std::string date = FileDateText(path, locale);
            auto fullPath = std::make_unique<std::string>(path);
            LVITEMA item = {};
            item.mask = LVIF_TEXT | LVIF_PARAM;
            item.iItem = ListCount(ListView2);
            item.pszText = const_cast<char*>("");
            item.lParam = reinterpret_cast<LPARAM>(fullPath.get());
            int row = static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
            if (row < 0)
                throw Exception("リストに追加できません");
            fullPath.release();  // the row owns it now; freed at LVN_DELETEITEM
            SetItemText(list, row, 1, name);
            SetItemText(list, row, 2, date);
        }
        int p = DropProgress(i, n);
        if (p > progress.Position())
            progress.SetPosition(p);
        Application.ProcessMessages();
    }
}

void TfrMain::Button1Click()
{
    const int kind = RadioGroup1->ItemIndex();
    const int policy = RadioGroup2->ItemIndex();
    if (policy == static_cast<int>(SameNamePolicy::InsertFree)) {
        Application.ShowMessageBox(texts::kInsertFreeNotAvailable, texts::kNotImplementedCaption,
                                   MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    const int rows = ListCount(ListView2);
    if (rows == 0)
        return;
    // Start-up stopped before the folder was known: never copy into the
    // current directory.
    if (ReplayFolder.empty()) {
        Application.ShowMessageBox(texts::kNoReplayFolder, texts::kErrorCaption, MB_OK | MB_ICONEXCLAMATION);
        return;
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
    ShfOperation1->SetFromFFList(
        SelectTransferPaths(paths, static_cast<SameNamePolicy>(policy), ReplayFolder, FileExistsAsFile));
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
    SendMessageA(ListView2->Handle(), LVM_DELETEALLITEMS, 0, 0);
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
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (!SendMessageA(ListView2->Handle(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)) || !item.lParam)
        return {};
    return *reinterpret_cast<const std::string*>(item.lParam);
}

bool TfrMain::N6Checked() const
{
    return (GetMenuState(MainMenu1, layout::cmdN6, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

void TfrMain::N1Click()
{
    HWND list = ListView2->Handle();
    // From the end, so the rows not yet visited keep their indexes.
    for (int i = ListCount(ListView2) - 1; i >= 0; --i)
        if (SendMessageA(list, LVM_GETITEMSTATE, i, LVIS_SELECTED) & LVIS_SELECTED)
            SendMessageA(list, LVM_DELETEITEM, i, 0);
}

void TfrMain::N4Click() { PostQuitMessage(0); }

// --- Methods -----------------------------------------------------------------

void TfrMain::LoadReplayList()
{
    EnableControls(false);
    ScopeExit leaveBusy([this] { EnableControls(true); });

    HWND list = ListView1->Handle();
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    // No folder (start-up stopped on an error): never scan the current directory.
    if (ReplayFolder.empty())
        return;

    int accepted = 0;
    uint64_t total = 0;
    bool found = false;
    const LocaleSnapshot locale = ReadUserLocale();
    {
        StatusProgress progress(*this);
        FileSearch search(ReplayFolder + "REPLAY??.dat", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                                             FILE_ATTRIBUTE_ARCHIVE);
        while (auto entry = search.Next()) {
            found = true;
            if (IsReplayFile(ReplayFolder + entry->name)) {
                LVITEMA item = {};
                item.mask = LVIF_TEXT;
                item.iItem = accepted;
                std::string slot = entry->name.size() > 6 ? entry->name.substr(6, 2) : std::string();
                item.pszText = const_cast<char*>(slot.c_str());
                int row = static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
                SetItemText(list, row, 1, DateTimeText(entry->time, locale));
                ++accepted;
                total += entry->size;
                progress.SetPosition(accepted);
            }
            Application.ProcessMessages();
            if (accepted > kMaxListedReplays)
                break;
        }
    }
    if (found)
        SetStatusText(0, TotalKByteText(total, locale));
}

void TfrMain::EnableControls(bool Enabled)
{
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

// --- StatusProgress ----------------------------------------------------------

StatusProgress::StatusProgress(TfrMain& form)
{
    HWND status = form.StatusBar1->Handle();
    RECT client;
    GetClientRect(status, &client);
    bar_.Reset(CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD, layout::kStatusPanelWidth + 2, 2,
                               layout::kStatusPanelWidth - 3, client.bottom - 2, status, nullptr,
                               Application.Instance(), nullptr));
    if (!bar_)
        throw Exception("ウィンドウを作成できません");
    SendMessageA(bar_.Get(), PBM_SETRANGE, 0, MAKELPARAM(0, 100));
    SendMessageA(bar_.Get(), PBM_SETPOS, 0, 0);
    ShowWindow(bar_.Get(), SW_SHOW);
}

StatusProgress::~StatusProgress() = default;

void StatusProgress::SetPosition(int position)
{
    position_ = position;
    SendMessageA(bar_.Get(), PBM_SETPOS, position, 0);
}
