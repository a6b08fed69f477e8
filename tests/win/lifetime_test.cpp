// The main window's life at its edges: the drop target's registration at the
// end, a window that fails half-way through its making, the program's own
// boxes, and Close in the middle of work.
#include <gtest/gtest.h>
#include <windows.h>
#include <ole2.h>

#include <functional>
#include <string>
#include <vector>

#include "../tools/MainWindowFixture.h"
#include "../tools/ModalAnswerer.h"
#include "common/Exception.h"
#include "common/win/Application.h"
#include "shell/FolderDialog.h"
#include "ui/Layout.h"
#include "ui/StartupUi.h"
#include "ui/main.h"

namespace {

using namespace mainwindow;
using Lifetime = MainWindowFixture;

// OLE's mark on a registered drop-target window.
constexpr char kDropTargetProp[] = "OleDropTargetInterface";

// What a window looked like when it got WM_DESTROY.
struct DestroySpy {
    static inline WNDPROC original = nullptr;
    static inline bool destroyed = false;
    static inline bool registeredAtDestroy = false;

    static LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l)
    {
        if (m == WM_DESTROY) {
            destroyed = true;
            registeredAtDestroy = GetPropA(h, kDropTargetProp) != nullptr;
        }
        return CallWindowProcA(original, h, m, w, l);
    }
    static void Watch(HWND h)
    {
        destroyed = registeredAtDestroy = false;
        original = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DestroySpy::Proc)));
    }
};

TEST_F(Lifetime, DropTargetIsRevokedWhileTheListWindowStillExists)
{
    HWND list = form->ListView2->Handle();
    ASSERT_NE(GetPropA(list, kDropTargetProp), nullptr) << "the registration cannot be seen";
    DestroySpy::Watch(list);

    form.reset();

    EXPECT_TRUE(DestroySpy::destroyed);
    EXPECT_FALSE(DestroySpy::registeredAtDestroy);
}

// Windows of the main window's class being destroyed on this thread, with the
// object pointer they still carried.
struct DestroyedForms {
    static inline std::vector<LONG_PTR> userData;
    static LRESULT CALLBACK Hook(int code, WPARAM w, LPARAM l)
    {
        if (code == HCBT_DESTROYWND) {
            char cls[32] = {};
            GetClassNameA(reinterpret_cast<HWND>(w), cls, sizeof cls);
            if (std::string(cls) == "TfrMain")
                userData.push_back(GetWindowLongPtrA(reinterpret_cast<HWND>(w), GWLP_USERDATA));
        }
        return CallNextHookEx(nullptr, code, w, l);
    }
};

TEST_F(Lifetime, WindowThatFailsHalfWayLeavesNothingBehind)
{
    form.reset();
    // Without OLE the drop target's registration fails, after the window and
    // its controls exist.
    OleUninitialize();
    DestroyedForms::userData.clear();
    HookHandle hook(SetWindowsHookExA(WH_CBT, &DestroyedForms::Hook, nullptr, GetCurrentThreadId()));
    std::string error;
    try {
        TfrMain failing(false);
        ADD_FAILURE() << "the window was made";
    } catch (const std::exception& e) {
        error = e.what();
    }
    hook.Reset();
    OleInitialize(nullptr);

    EXPECT_FALSE(error.empty());
    EXPECT_EQ(frMain, nullptr);
    EXPECT_EQ(Application.MainWindow, nullptr);
    EXPECT_EQ(FindWindowA("TfrMain", nullptr), nullptr);
    ASSERT_EQ(DestroyedForms::userData.size(), 1u);
    EXPECT_EQ(DestroyedForms::userData[0], 0) << "the dying window still pointed into the object";

    // A window made afterwards works as ever.
    form = std::make_unique<TfrMain>(false);
    EXPECT_EQ(frMain, form.get());
    EXPECT_EQ(Application.MainWindow, form->Handle());
}

struct BoxCase {
    const char* name;
    int answer;
    std::function<void(TfrMain&, TempDir&)> show;
};

TEST_F(Lifetime, EveryBoxOfTheProgramTakesTheMainWindowOutOfReach)
{
    const BoxCase cases[] = {
        {"error report", IDOK, [](TfrMain&, TempDir&) { Application.ShowException(Exception("failed")); }},
        {"insert-free notice", IDOK,
         [](TfrMain& f, TempDir&) {
             f.RadioGroup2->SetItemIndex(2);
             f.Button1Click();
             f.RadioGroup2->SetItemIndex(1);
         }},
        {"no-folder notice", IDOK,
         [](TfrMain& f, TempDir& d) {
             TempDir source;
             WriteFileBytes(source / "REPLAY01.dat", ReplayBytes("REPLAY01.dat"));
             f.DragDropTarget1DragDropFiles(nullptr, 0, 0, {source / "REPLAY01.dat"});
             TfrMainTestPeer::SetFolder(f, "");
             f.Button1Click();
             TfrMainTestPeer::SetFolder(f, d.Path());
         }},
        {"start-up question", IDCANCEL,
         [](TfrMain& f, TempDir&) { WinStartupUi(*f.FolderDialog1).AskGameNotInstalled(); }},
    };
    Application.OnException = nullptr;  // the real box
    for (const BoxCase& c : cases) {
        for (bool disabledBefore : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (disabledBefore ? ", window disabled before" : ""));
            HWND main = form->Handle();
            EnableWindow(main, !disabledBefore);
            std::vector<bool> enabledDuringBox;
            ModalAnswerer answerer([&](const SeenDialog& box) {
                enabledDuringBox.push_back(IsWindowEnabled(main) != FALSE);
                EXPECT_EQ(box.owner, Application.Handle());
                return c.answer;
            });
            c.show(*form, dir);
            ASSERT_EQ(enabledDuringBox.size(), 1u);
            EXPECT_FALSE(enabledDuringBox[0]);
            EXPECT_EQ(IsWindowEnabled(main) != FALSE, !disabledBefore);
        }
    }
    EnableWindow(form->Handle(), TRUE);
}

bool QuitPosted()
{
    MSG msg;
    if (!PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
        return false;
    EXPECT_EQ(msg.wParam, 0u);
    return true;
}

struct CloseCase {
    const char* name;
    std::function<void(TfrMain&)> close;
};

TEST_F(Lifetime, NoCloseEndsTheProgramWhileBusy)
{
    const CloseCase cases[] = {
        {"taskbar Close", [](TfrMain&) { SendMessageA(Application.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); }},
        {"Alt+F4", [](TfrMain& f) { SendMessageA(f.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); }},
        {"WM_CLOSE", [](TfrMain& f) { SendMessageA(f.Handle(), WM_CLOSE, 0, 0); }},
    };
    for (const CloseCase& c : cases) {
        SCOPED_TRACE(c.name);
        form->EnableControls(false);
        c.close(*form);
        EXPECT_FALSE(QuitPosted()) << "ended while busy";
        form->EnableControls(true);
        c.close(*form);
        EXPECT_TRUE(QuitPosted()) << "idle, yet not ended";
    }
}

TEST_F(Lifetime, CloseArrivingDuringAScanIsRefused)
{
    Replay("REPLAY01.dat");
    Replay("REPLAY02.dat");
    // Handled by the scan's own message pump, while it is busy.
    PostMessageA(form->Handle(), WM_CLOSE, 0, 0);
    PostMessageA(Application.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_FALSE(Application.Terminated());
    form->LoadReplayList();
    // The pump takes a quit message out of the queue and keeps it.
    EXPECT_FALSE(Application.Terminated());
    EXPECT_FALSE(QuitPosted());
    EXPECT_EQ(Rows(form->ListView1, 1).size(), 2u);
}

}  // namespace
