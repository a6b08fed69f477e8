// benchref.exe: the bare reference of the benchmark (scripts/bench.sh).
// It does the platform work of the program's two long loops the plainest way:
// the folder search or the sorted dropped paths, the 26-byte header reads,
// the dates, the list rows added with painting deferred (a repaint at most
// every 50 ms and once at the end), pending messages processed after every
// entry. Its window has the program's layout, menus, status bar and drop
// target, so the benchmark drives both with the very same commands; nothing
// of the program's component layer stands in between.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "common/win/Handles.h"
#include "ui/Layout.h"
#include "ui/Texts.h"

namespace {

const char kCaption[] = "Slotwell bench reference";
const char kClass[] = "SlotwellBenchRef";
constexpr int kMaxListed = 100;  // the scan goes on while at most this many were taken
constexpr DWORD kRepaintMs = 50;

// --- The platform work of one entry --------------------------------------------

bool IsReplay(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    char block[26] = {};
    DWORD read = 0;
    ReadFile(file.Get(), block, sizeof block, &read, nullptr);
    return std::memcmp(block + 9, "\xD8\xCC\xDF\xDA\xB2\xCC\xA7\xB2\x7B\xD9", 10) == 0 &&
           std::memcmp(block + 22, "\x82\xD5\x82\xE6", 4) == 0;
}

// Local time with the two-second steps of a packed date, in the locale's
// short date and, unless it is midnight, its long time.
std::string DateText(const FILETIME& lastWrite)
{
    FILETIME local, packed;
    WORD date = 0, time = 0;
    SYSTEMTIME st;
    if (!FileTimeToLocalFileTime(&lastWrite, &local) || !FileTimeToDosDateTime(&local, &date, &time) ||
        !DosDateTimeToFileTime(date, time, &packed) || !FileTimeToSystemTime(&packed, &st))
        return {};
    char text[128] = {};
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, text, 64);
    if (time != 0) {
        std::strcat(text, " ");
        GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &st, nullptr, text + std::strlen(text), 63);
    }
    return text;
}

std::string TotalText(uint64_t bytes)
{
    uint64_t k = bytes / 1024 + (bytes % 1024 >= 512 ? 1 : 0);
    char separator[8] = ",";
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, separator, sizeof separator);
    std::string digits = k ? std::to_string(k) : std::string();
    std::string grouped;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            grouped += separator;
        grouped += digits[i];
    }
    return "Total " + grouped + " KByte";
}

std::string FileName(const std::string& path)
{
    size_t start = 0;
    for (size_t i = 0; i < path.size(); ++i) {
        if (IsDBCSLeadByte(static_cast<BYTE>(path[i])) && i + 1 < path.size())
            ++i;
        else if (path[i] == '\\' || path[i] == ':')
            start = i + 1;
    }
    return path.substr(start);
}

void PumpMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void SetItemText(HWND list, int row, int subItem, const std::string& text)
{
    LVITEMA item = {};
    item.iSubItem = subItem;
    item.pszText = const_cast<char*>(text.c_str());
    SendMessageA(list, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
}

int AppendRow(HWND list, const char* caption, LPARAM param)
{
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    item.pszText = const_cast<char*>(caption);
    item.lParam = param;
    return static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

// Wine's list view repaints itself and its scroll bar at every added row
// while redraw is on: the loop keeps it off and repaints rows and scroll bar
// at most every 50 ms, and once at the end.
class DeferredPaint {
public:
    explicit DeferredPaint(HWND list) : list_(list), last_(GetTickCount())
    {
        SendMessageA(list_, WM_SETREDRAW, FALSE, 0);
    }
    ~DeferredPaint()
    {
        SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
        Repaint();
    }
    DeferredPaint(const DeferredPaint&) = delete;
    DeferredPaint& operator=(const DeferredPaint&) = delete;
    void Tick()
    {
        if (GetTickCount() - last_ < kRepaintMs)
            return;
        SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
        Repaint();
        SendMessageA(list_, WM_SETREDRAW, FALSE, 0);
        last_ = GetTickCount();
    }

private:
    void Repaint() { RedrawWindow(list_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW); }
    HWND list_;
    DWORD last_;
};

// --- The window ------------------------------------------------------------------

class RefWindow {
public:
    bool Create(HINSTANCE instance);
    void Show();
    void Scan();
    void Drop(const std::vector<std::string>& files);
    HWND Handle() const { return hwnd_; }
    HWND IncomingList() const { return list2_; }

private:
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    HWND Child(const char* cls, const char* text, DWORD style, int id, int x, int y, int w, int h);
    void SetBusy(bool busy);
    HWND NewProgress();

    HINSTANCE instance_ = nullptr;
    HWND hwnd_ = nullptr;
    HWND list1_ = nullptr, list2_ = nullptr, status_ = nullptr;
    std::vector<HWND> inputs_;  // what the busy state disables
    GdiObject font_;
    std::string folder_;
    std::vector<std::string> incomingPaths_;  // row param = index; never shown
};

class Busy {
public:
    explicit Busy(std::vector<HWND>& inputs, HWND form) : inputs_(inputs), form_(form) { Set(false); }
    ~Busy() { Set(true); }
    Busy(const Busy&) = delete;
    Busy& operator=(const Busy&) = delete;

private:
    void Set(bool enabled)
    {
        for (HWND h : inputs_)
            EnableWindow(h, enabled);
        HMENU menu = GetMenu(form_);
        UINT state = MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED);
        EnableMenuItem(menu, 0, state);
        EnableMenuItem(menu, 1, state);
        EnableMenuItem(GetSystemMenu(form_, FALSE), SC_CLOSE, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
        DrawMenuBar(form_);
    }
    std::vector<HWND>& inputs_;
    HWND form_;
};

HWND RefWindow::Child(const char* cls, const char* text, DWORD style, int id, int x, int y, int w, int h)
{
    HWND child = CreateWindowExA(0, cls, text ? text : "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, x, y, w,
                                 h, hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
    return child;
}

bool RefWindow::Create(HINSTANCE instance)
{
    instance_ = instance;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = WndProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClass;
    RegisterClassA(&wc);
    font_.Reset(CreateFontA(layout::kFontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                            texts::kFontFace));

    HMENU file = CreatePopupMenu();
    AppendMenuA(file, MF_STRING, layout::cmdN4, texts::kMenuExit);
    HMENU options = CreatePopupMenu();
    AppendMenuA(options, MF_STRING, layout::cmdN6, texts::kMenuStayOnTop);
    HMENU bar = CreateMenu();  // the window destroys it
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), texts::kMenuFile);
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(options), texts::kMenuOptions);

    const DWORD style = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT r = {0, 0, layout::kClientWidth, layout::kClientHeight};
    AdjustWindowRectEx(&r, style, TRUE, WS_EX_TOOLWINDOW);
    hwnd_ = CreateWindowExA(WS_EX_TOOLWINDOW, kClass, kCaption, style, 0, 0, r.right - r.left, r.bottom - r.top,
                            nullptr, bar, instance, this);
    if (!hwnd_)
        return false;

    for (int i = 0; i < layout::kControlCount; ++i) {
        const layout::ControlRow& row = layout::kControls[i];
        switch (row.kind) {
        case layout::Kind::Label:
            Child("STATIC", row.text, SS_LEFT | SS_NOPREFIX, row.id, row.left, row.top, row.width, row.height);
            break;
        case layout::Kind::ListView: {
            HWND h = Child(WC_LISTVIEWA, nullptr,
                           WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_NOSORTHEADER | (row.readOnly ? 0 : LVS_EDITLABELS),
                           row.id, row.left, row.top, row.width, row.height);
            SendMessageA(h, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
            for (int c = 0; c < row.columnCount; ++c) {
                LVCOLUMNA col = {};
                col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
                col.pszText = const_cast<char*>(row.columns[c].caption);
                col.cx = row.columns[c].width;
                col.iSubItem = c;
                SendMessageA(h, LVM_INSERTCOLUMNA, c, reinterpret_cast<LPARAM>(&col));
            }
            (row.id == layout::idListView1 ? list1_ : list2_) = h;
            inputs_.push_back(h);
            break;
        }
        case layout::Kind::Button:
            inputs_.push_back(Child("BUTTON", row.text, BS_PUSHBUTTON | WS_TABSTOP, row.id, row.left, row.top,
                                    row.width, row.height));
            break;
        case layout::Kind::RadioGroup: {
            int count = 0;
            while (row.items[count])
                ++count;
            int firstId = row.id == layout::idRadioGroup1 ? layout::idRadio1First : layout::idRadio2First;
            for (int k = 0; k < count; ++k) {
                layout::Rect rc = layout::RadioItemRect(row, k, count);
                DWORD style = BS_AUTORADIOBUTTON | BS_FLAT | (k == 0 ? WS_GROUP | WS_TABSTOP : 0);
                HWND b = Child("BUTTON", row.items[k], style, firstId + k, rc.left, rc.top, rc.width, rc.height);
                SendMessageA(b, BM_SETCHECK, k == row.itemIndex ? BST_CHECKED : BST_UNCHECKED, 0);
                inputs_.push_back(b);
            }
            inputs_.push_back(Child("BUTTON", row.text, BS_GROUPBOX | BS_FLAT | WS_GROUP, row.id, row.left, row.top,
                                    row.width, row.height));
            break;
        }
        }
    }
    status_ = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | CCS_NOPARENTALIGN | CCS_NORESIZE |
                                                           CCS_NODIVIDER,
                              0, layout::kStatusTop, layout::kClientWidth, layout::kStatusHeight, hwnd_,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(layout::idStatusBar1)), instance_, nullptr);
    int edges[2] = {layout::kStatusPanelWidth, 2 * layout::kStatusPanelWidth};
    SendMessageA(status_, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(edges));

    // The replay folder as the program finds it on the NT family.
    char appData[MAX_PATH] = {};
    LPITEMIDLIST found = nullptr;
    if (SUCCEEDED(SHGetSpecialFolderLocation(hwnd_, CSIDL_APPDATA, &found))) {
        std::unique_ptr<ITEMIDLIST, decltype(&CoTaskMemFree)> pidl(found, CoTaskMemFree);
        SHGetPathFromIDListA(pidl.get(), appData);
    }
    folder_ = std::string(appData) + "\\Sega\\PuyoF\\";
    return true;
}

void RefWindow::Show()
{
    RECT r;
    GetWindowRect(hwnd_, &r);
    int w = r.right - r.left, h = r.bottom - r.top;
    SetWindowPos(hwnd_, nullptr, (GetSystemMetrics(SM_CXSCREEN) - w) / 2, (GetSystemMetrics(SM_CYSCREEN) - h) / 2, 0,
                 0, SWP_NOSIZE | SWP_NOZORDER);
    ShowWindow(hwnd_, SW_SHOW);
    UpdateWindow(hwnd_);
}

HWND RefWindow::NewProgress()
{
    RECT client;
    GetClientRect(status_, &client);
    HWND bar = CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD, layout::kStatusPanelWidth + 2, 2,
                               layout::kStatusPanelWidth - 3, client.bottom - 2, status_, nullptr, instance_, nullptr);
    SendMessageA(bar, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
    ShowWindow(bar, SW_SHOW);
    return bar;
}

void RefWindow::Scan()
{
    Busy busy(inputs_, hwnd_);
    SendMessageA(list1_, LVM_DELETEALLITEMS, 0, 0);
    WindowHandle progress(NewProgress());
    DeferredPaint paint(list1_);
    WIN32_FIND_DATAA data;
    FindHandle search(FindFirstFileA((folder_ + "REPLAY??.dat").c_str(), &data));
    if (!search)
        return;
    int accepted = 0;
    uint64_t total = 0;
    do {
        if (data.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_SYSTEM | 0x08 /* volume label */))
            continue;
        if (IsReplay(folder_ + data.cFileName)) {
            std::string slot = std::string(data.cFileName).substr(6, 2);
            int row = AppendRow(list1_, slot.c_str(), 0);
            SetItemText(list1_, row, 1, DateText(data.ftLastWriteTime));
            ++accepted;
            total += (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
            SendMessageA(progress.Get(), PBM_SETPOS, accepted, 0);
        }
        paint.Tick();
        PumpMessages();
    } while (accepted <= kMaxListed && FindNextFileA(search.Get(), &data));
    std::string text = "\t\t" + TotalText(total);
    SendMessageA(status_, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void RefWindow::Drop(const std::vector<std::string>& files)
{
    Busy busy(inputs_, hwnd_);
    auto less = [](const std::string& a, const std::string& b) {
        return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) == CSTR_LESS_THAN;
    };
    auto equal = [](const std::string& a, const std::string& b) {
        return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) == CSTR_EQUAL;
    };
    std::vector<std::string> sorted(files);
    std::stable_sort(sorted.begin(), sorted.end(), less);
    sorted.erase(std::unique(sorted.begin(), sorted.end(), equal), sorted.end());

    WindowHandle progress(NewProgress());
    int position = 0;
    DeferredPaint paint(list2_);
    const size_t n = sorted.size();
    for (size_t i = 0; i < n; ++i) {
        const std::string& path = sorted[i];
        WIN32_FIND_DATAA data;
        if (IsReplay(path)) {
            FindHandle entry(FindFirstFileA(path.c_str(), &data));
            std::string date = entry ? DateText(data.ftLastWriteTime) : std::string();
            incomingPaths_.push_back(path);
            int row = AppendRow(list2_, "", static_cast<LPARAM>(incomingPaths_.size() - 1));
            SetItemText(list2_, row, 1, FileName(path));
            SetItemText(list2_, row, 2, date);
        }
        int p = static_cast<int>(i * 100 / n);
        if (p > position)
            SendMessageA(progress.Get(), PBM_SETPOS, position = p, 0);
        paint.Tick();
        PumpMessages();
    }
}

LRESULT CALLBACK RefWindow::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_NCCREATE)
        SetWindowLongPtrA(hwnd, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
    auto* self = reinterpret_cast<RefWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self)
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    switch (msg) {
    case WM_COMMAND:
        // The driver posts the popup's "再読み込み" as the command itself.
        if (LOWORD(wParam) == layout::cmdN2)
            self->Scan();
        else if (LOWORD(wParam) == layout::idButton2) {
            SendMessageA(self->list2_, LVM_DELETEALLITEMS, 0, 0);
            self->incomingPaths_.clear();
        } else if (LOWORD(wParam) == layout::cmdN4)
            DestroyWindow(hwnd);
        return 0;
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return 0;
    case WM_DESTROY:
        RevokeDragDrop(self->list2_);
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

// --- The drop target ----------------------------------------------------------

class DropTarget : public IDropTarget {
public:
    explicit DropTarget(RefWindow& window) : window_(window) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropTarget)) {
            *ppv = static_cast<IDropTarget*>(this);
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    // Lives as long as the window's registration: on main's stack.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) override
    {
        FORMATETC f = {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        accept_ = data->QueryGetData(&f) == S_OK;
        *effect = accept_ ? DROPEFFECT_COPY : DROPEFFECT_NONE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) override
    {
        *effect = accept_ ? DROPEFFECT_COPY : DROPEFFECT_NONE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragLeave() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) override
    {
        *effect = DROPEFFECT_NONE;
        try {
            std::vector<std::string> files = Files(data);
            if (!files.empty()) {
                *effect = DROPEFFECT_COPY;
                window_.Drop(files);
            }
        } catch (const std::exception& e) {
            MessageBoxA(window_.Handle(), e.what(), kCaption, MB_OK | MB_ICONSTOP);
        }
        return S_OK;
    }

private:
    // The CF_HDROP list, each name in the ANSI code page.
    static std::vector<std::string> Files(IDataObject* data)
    {
        std::vector<std::string> files;
        FORMATETC f = {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        StgMediumGuard medium;
        if (data->GetData(&f, medium.Put()) != S_OK)
            return files;
        medium.Own();
        GlobalLockGuard lock(medium.Get().hGlobal);
        if (!lock.Get() || lock.Size() < sizeof(DROPFILES))
            return files;
        const auto* header = static_cast<const DROPFILES*>(lock.Get());
        const char* end = static_cast<const char*>(lock.Get()) + lock.Size();
        const char* p = static_cast<const char*>(lock.Get()) + header->pFiles;
        if (header->fWide) {
            const auto* w = reinterpret_cast<const wchar_t*>(p);
            const auto* wend = reinterpret_cast<const wchar_t*>(end);
            char ansi[MAX_PATH * 2];
            while (w < wend && *w) {
                const wchar_t* e = std::find(w, wend, L'\0');
                int n = WideCharToMultiByte(CP_ACP, 0, w, static_cast<int>(e - w), ansi, sizeof ansi, nullptr, nullptr);
                if (n > 0)
                    files.emplace_back(ansi, n);
                w = e + 1;
            }
        } else {
            while (p < end && *p) {
                const char* e = std::find(p, end, '\0');
                files.emplace_back(p, e);
                p = e + 1;
            }
        }
        return files;
    }

    RefWindow& window_;
    bool accept_ = false;
};

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    InitCommonControls();
    if (FAILED(OleInitialize(nullptr)))
        return 1;
    int code = 1;
    {
        RefWindow window;
        DropTarget target(window);
        // The window revokes the registration when it is destroyed.
        if (window.Create(instance) && SUCCEEDED(RegisterDragDrop(window.IncomingList(), &target))) {
            window.Scan();
            window.Show();
            MSG msg;
            while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
            code = 0;
        }
        if (IsWindow(window.Handle()))
            DestroyWindow(window.Handle());
    }
    OleUninitialize();
    return code;
}
