#include "common/win/Application.h"

#include "common/ErrorText.h"

TApplication Application;

namespace {
const char kAppClass[] = "TSlotwellApplication";

LRESULT CALLBACK AppWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
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
    RegisterClassA(&wc);
    // Never shown: it exists to own the main window and the message boxes.
    handle_ = CreateWindowExA(0, kAppClass, title_.c_str(), WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                              0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
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
