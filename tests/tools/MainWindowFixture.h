#pragma once
// The real main window in a Windows test: built without its creation handler,
// its replay folder a scratch folder, errors of the general report collected,
// and ways to read its lists and its busy state.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <memory>
#include <string>
#include <vector>

#include "ReplayBytes.h"
#include "TestSupport.h"
#include "common/win/Application.h"
#include "common/win/Handles.h"
#include "ui/main.h"

struct TfrMainTestPeer {
    static void SetFolder(TfrMain& f, const std::string& folder) { f.ReplayFolder = folder; }
};

namespace mainwindow {

// Every row of a list view: its first `subItems` texts joined by "|".
inline std::vector<std::string> Rows(TWinControl* list, int subItems)
{
    std::vector<std::string> rows;
    HWND h = list->Handle();
    int n = static_cast<int>(SendMessageA(h, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
        std::string row;
        for (int s = 0; s < subItems; ++s) {
            char buf[512] = {};
            LVITEMA item = {};
            item.iSubItem = s;
            item.pszText = buf;
            item.cchTextMax = sizeof buf;
            SendMessageA(h, LVM_GETITEMTEXTA, i, reinterpret_cast<LPARAM>(&item));
            row += (s ? "|" : "") + std::string(buf);
        }
        rows.push_back(row);
    }
    return rows;
}

inline std::string StatusText(TfrMain& form, int part)
{
    char buf[256] = {};
    SendMessageA(form.StatusBar1->Handle(), SB_GETTEXTA, part, reinterpret_cast<LPARAM>(buf));
    return buf;
}

inline bool MenuGrayed(HMENU menu, UINT item, UINT by)
{
    return (GetMenuState(menu, item, by) & (MF_GRAYED | MF_DISABLED)) != 0;
}

// The temporary progress bar over the status bar, if there is one.
inline HWND ProgressBar(TfrMain& form)
{
    return FindWindowExA(form.StatusBar1->Handle(), nullptr, PROGRESS_CLASSA, nullptr);
}

// Everything the busy state switches, as one picture.
struct BusyPicture {
    bool lists, radios, buttons, fileMenu, optionMenu, close, progressShown;
    bool AllEnabled() const { return lists && radios && buttons && fileMenu && optionMenu && close; }
    bool AllDisabled() const { return !lists && !radios && !buttons && !fileMenu && !optionMenu && !close; }
};

inline BusyPicture Picture(TfrMain& f)
{
    auto enabled = [](HWND h) { return IsWindowEnabled(h) != FALSE; };
    bool radios = enabled(f.RadioGroup1->Handle()) && enabled(f.RadioGroup2->Handle());
    for (HWND b : f.RadioGroup1->Buttons)
        radios = radios && enabled(b);
    for (HWND b : f.RadioGroup2->Buttons)
        radios = radios && enabled(b);
    HWND bar = ProgressBar(f);
    return {enabled(f.ListView1->Handle()) && enabled(f.ListView2->Handle()),
            radios,
            enabled(f.Button1->Handle()) && enabled(f.Button2->Handle()),
            !MenuGrayed(f.MainMenu1, 0, MF_BYPOSITION),
            !MenuGrayed(f.MainMenu1, 1, MF_BYPOSITION),
            !MenuGrayed(GetSystemMenu(f.Handle(), FALSE), SC_CLOSE, MF_BYCOMMAND),
            bar != nullptr && (GetWindowLongA(bar, GWL_STYLE) & WS_VISIBLE) != 0};
}

// A window that takes a picture of the form when its message is dispatched:
// posted before some work, it is handled by the work's own message pump (or
// by a message box's modal loop).
class BusyProbe {
public:
    explicit BusyProbe(TfrMain& form) : form_(form)
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "BusyProbe";
        RegisterClassA(&wc);
        hwnd_.Reset(
            CreateWindowExA(0, "BusyProbe", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr));
        SetWindowLongPtrA(hwnd_.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        PostMessageA(hwnd_.Get(), WM_APP, 0, 0);
    }
    BusyProbe(const BusyProbe&) = delete;
    BusyProbe& operator=(const BusyProbe&) = delete;
    std::vector<BusyPicture> seen;

private:
    static LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l)
    {
        if (m == WM_APP) {
            auto* self = reinterpret_cast<BusyProbe*>(GetWindowLongPtrA(h, GWLP_USERDATA));
            self->seen.push_back(Picture(self->form_));
            return 0;
        }
        return DefWindowProcA(h, m, w, l);
    }
    TfrMain& form_;
    WindowHandle hwnd_;
};

// The window with a scratch replay folder `dir`; errors that reach the
// general report land in `errors`.
class MainWindowFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        Application.Initialize(GetModuleHandleA(nullptr));
        InitCommonControls();
        OleInitialize(nullptr);  // the window registers its drop target
    }
    void SetUp() override
    {
        form = std::make_unique<TfrMain>(false);
        TfrMainTestPeer::SetFolder(*form, dir.Path());
        Application.OnException = [this](const std::string& text) { errors.push_back(text); };
    }
    void TearDown() override
    {
        Application.OnException = nullptr;
        form.reset();
        MSG msg;  // a quit posted by a test stays out of the next one
        while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }
    // A replay file in the replay folder, its bytes telling its name.
    void Replay(const std::string& name, size_t size = 64) { WriteFileBytes(dir / name, ReplayBytes(name, size)); }

    TempDir dir;
    std::unique_ptr<TfrMain> form;
    std::vector<std::string> errors;
};

}  // namespace mainwindow
