#include "common/win/Application.h"

#include "common/ErrorText.h"
#include "common/Exception.h"
#include "common/ScopeGuard.h"
#include "common/win/WindowCreate.h"

TApplication Application;

namespace {
const char kAppClass[] = "TSlotwellApplication";

// The owner window stands for the program on the taskbar; what reaches it
// belongs to the main window.
LRESULT CALLBACK AppWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    HWND main = Application.MainWindow;
    switch (msg) {
    case WM_SETFOCUS:
        if (main && IsWindowEnabled(main) && IsWindowVisible(main)) {
            SetFocus(main);
            return 0;
        }
        break;
    case WM_CLOSE:  // "Close" on the taskbar button: the main window decides, now
        if (main)
            SendMessageA(main, WM_CLOSE, 0, 0);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}
}  // namespace

void TApplication::Initialize(HINSTANCE instance)
{
    if (handle_)
        return;
    instance_ = instance;
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    title_ = TitleFromModulePath(path);

    WNDCLASSA wc = {};
    wc.lpfnWndProc = AppWndProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(1));
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.lpszClassName = kAppClass;
    RegisterClassOnce(wc);
    // Zero-sized: only its taskbar button (title and icon) is ever seen.
    handle_ = CreateWindowExA(0, kAppClass, title_.c_str(), WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                              0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
    if (!handle_)
        throw Exception("ウィンドウを作成できません");
}

void TApplication::ShowTaskbarButton()
{
    SetWindowPos(handle_, nullptr, GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void TApplication::ProcessMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            terminated_ = true;
            exitCode_ = static_cast<int>(msg.wParam);
            return;
        }
        Dispatch(msg);
    }
}

void TApplication::Dispatch(MSG& msg)
{
    if (MainWindow && IsDialogMessageA(MainWindow, &msg))
        return;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}

int TApplication::Run()
{
    MSG msg;
    while (!terminated_) {
        BOOL r = GetMessageA(&msg, nullptr, 0, 0);
        if (r == 0 || r == -1) {
            terminated_ = true;
            exitCode_ = r == 0 ? static_cast<int>(msg.wParam) : 1;
            break;
        }
        Dispatch(msg);
    }
    return exitCode_;
}

int TApplication::ShowMessageBox(const std::string& text, const std::string& caption, UINT flags)
{
    // The box belongs to the owner window, and MessageBoxA disables only its
    // owner: the main window is taken out of reach for the box's life, as a
    // task-modal box would do, so no second action starts under it.
    const HWND main = MainWindow;
    const bool disable = main && IsWindowEnabled(main);
    if (disable)
        EnableWindow(main, FALSE);
    ScopeExit enableAgain([&] {
        if (disable && IsWindow(main))
            EnableWindow(main, TRUE);
    });
    return ::MessageBoxA(handle_, text.c_str(), caption.c_str(), flags);
}

void TApplication::ShowException(const std::exception& e)
{
    std::string text = ErrorBoxText(e.what());
    if (OnException) {
        OnException(text);
        return;
    }
    ShowMessageBox(text, title_, MB_OK | MB_ICONSTOP);
}
