#include <gtest/gtest.h>

#include <shlobj.h>

#include <string>
#include <vector>

#include "../tools/TestSupport.h"
#include "common/win/WinControl.h"
#include "shell/FolderDialog.h"

namespace {
// Controls of the shell's folder browser.
constexpr int kInstruction = 0x3742;
constexpr int kStatus = 0x3743;

// What the component sends to the browser's window, recorded on the
// component's thread.
struct SentToBrowser {
    UINT message;
    WPARAM wParam;
    std::string text;  // the path or status text handed over
};
std::vector<SentToBrowser> g_sent;

LRESULT CALLBACK RecordSends(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION) {
        auto* m = reinterpret_cast<CWPSTRUCT*>(lParam);
        if (m->message == BFFM_SETSELECTIONA || m->message == BFFM_SETSTATUSTEXTA) {
            SentToBrowser s{m->message, m->wParam, {}};
            if (m->message == BFFM_SETSTATUSTEXTA || m->wParam)
                s.text = reinterpret_cast<const char*>(m->lParam);
            g_sent.push_back(s);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

class SendRecorder {
public:
    SendRecorder()
    {
        g_sent.clear();
        hook_ = SetWindowsHookExA(WH_CALLWNDPROC, RecordSends, nullptr, GetCurrentThreadId());
    }
    ~SendRecorder() { UnhookWindowsHookEx(hook_); }
    std::vector<std::string> Selections() const
    {
        std::vector<std::string> out;
        for (const auto& s : g_sent)
            if (s.message == BFFM_SETSELECTIONA)
                out.push_back(s.text);
        return out;
    }
    size_t StatusTexts() const
    {
        size_t n = 0;
        for (const auto& s : g_sent)
            n += s.message == BFFM_SETSTATUSTEXTA;
        return n;
    }

private:
    HHOOK hook_;
};

std::string WithoutFinalBackslash(std::string path)
{
    if (!path.empty() && path.back() == '\\')
        path.pop_back();
    return path;
}

// Waits until the browser's status line reads `text`.
bool StatusBecomes(HWND browser, const std::string& text)
{
    for (int i = 0; i < 50; ++i) {
        if (DialogItemText(browser, kStatus) == text)
            return true;
        Sleep(20);
    }
    return false;
}

// Selects a folder by its path the way the browser allows; a browser seldom
// ignores the first request, so it is repeated until the status line shows it.
bool SelectPath(HWND browser, const std::string& path)
{
    for (int attempt = 0; attempt < 5; ++attempt) {
        SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(path.c_str()));
        if (StatusBecomes(browser, path))
            return true;
    }
    return false;
}

// Wine's browser ignores a selection request at its initialisation the first
// time a process navigates its tree (seen every time on a fresh process):
// navigate once before the tests so that they see the component's behaviour.
class FolderDialogTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        TempDir dir;
        TFolderDialog dialog(nullptr);
        DialogWatcher watcher([&](HWND browser, const SeenDialog&) {
            SelectPath(browser, WithoutFinalBackslash(dir.Path()));
            return IDCANCEL;
        });
        dialog.Execute();
    }
};

// The state of the browser as the watcher saw it.
struct BrowserView {
    std::string instruction;
    std::string status;
    HWND owner = nullptr;
    bool seen = false;
};
}  // namespace

TEST_F(FolderDialogTest, StateOnCreation)
{
    TFolderDialog dialog(nullptr, "FolderDialog1");
    EXPECT_EQ(dialog.Title, "フォルダーの選択");
    EXPECT_EQ(dialog.Folder, "");
}

TEST_F(FolderDialogTest, CancelLeavesFolderAndSendsNoSelectionUnlessItIsAFolder)
{
    TempDir dir;
    WriteFileBytes(dir / "file.txt", "file.txt");
    const std::string notAFolder[] = {"", dir / "file.txt", dir / "missing"};
    for (const auto& folder : notAFolder) {
        TFolderDialog dialog(nullptr);
        dialog.Title = "一行目\r\n二行目";
        dialog.Folder = folder;
        BrowserView view;
        SendRecorder recorder;
        {
            DialogWatcher watcher([&](HWND browser, const SeenDialog&) {
                view.seen = true;
                view.instruction = DialogItemText(browser, kInstruction);
                view.owner = GetWindow(browser, GW_OWNER);
                return IDCANCEL;
            });
            EXPECT_FALSE(dialog.Execute()) << folder;
        }
        EXPECT_TRUE(view.seen);
        EXPECT_EQ(view.instruction, "一行目\r\n二行目");
        EXPECT_EQ(view.owner, nullptr);
        EXPECT_EQ(dialog.Folder, folder);
        EXPECT_TRUE(recorder.Selections().empty()) << folder;
        EXPECT_GE(recorder.StatusTexts(), 1u);
    }
}

TEST_F(FolderDialogTest, ExistingFolderIsPreselectedOnceAndConfirmed)
{
    TempDir dir;
    const std::string path = WithoutFinalBackslash(dir.Path());
    TFolderDialog dialog(nullptr);
    dialog.Folder = path;
    SendRecorder recorder;
    {
        DialogWatcher watcher([&](HWND, const SeenDialog&) { return IDOK; });
        EXPECT_TRUE(dialog.Execute());
    }
    EXPECT_EQ(recorder.Selections(), std::vector<std::string>{path});
    EXPECT_EQ(dialog.Folder, path);
    // Every callback ends with a status text; the one of the initialisation
    // is empty and comes after the selection's own.
    ASSERT_GE(g_sent.size(), 3u);
    EXPECT_EQ(g_sent[0].message, static_cast<UINT>(BFFM_SETSELECTIONA));
    EXPECT_EQ(g_sent[1].message, static_cast<UINT>(BFFM_SETSTATUSTEXTA));
    EXPECT_EQ(g_sent[1].text, path);
    EXPECT_EQ(g_sent[2].message, static_cast<UINT>(BFFM_SETSTATUSTEXTA));
    EXPECT_EQ(g_sent[2].text, "");
}

TEST_F(FolderDialogTest, ChosenFolderWithTrailByte5C)
{
    TempDir dir;
    const std::string path = dir / "リプレイソ";  // ends in 83 5C
    ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr));
    TFolderDialog dialog(nullptr);
    bool selected = false;
    {
        DialogWatcher watcher([&](HWND browser, const SeenDialog&) {
            selected = SelectPath(browser, path);
            return IDOK;
        });
        EXPECT_TRUE(dialog.Execute());
    }
    EXPECT_TRUE(selected) << "the status line never showed the selection";
    EXPECT_EQ(dialog.Folder, path);
}

TEST_F(FolderDialogTest, ItemWithoutPathGivesTrueAndKeepsFolder)
{
    TempDir dir;
    LPITEMIDLIST drives = nullptr;
    ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &drives), S_OK);
    TFolderDialog dialog(nullptr);
    dialog.Folder = dir / "missing";
    bool selected = false;
    {
        DialogWatcher watcher([&](HWND browser, const SeenDialog&) {
            // A real folder first, so that the move to "My Computer" shows as
            // an emptied status line.
            selected = SelectPath(browser, WithoutFinalBackslash(dir.Path()));
            SendMessageA(browser, BFFM_SETSELECTIONA, FALSE, reinterpret_cast<LPARAM>(drives));
            selected = selected && StatusBecomes(browser, "");
            return IDOK;
        });
        EXPECT_TRUE(dialog.Execute());
    }
    CoTaskMemFree(drives);
    EXPECT_TRUE(selected);
    EXPECT_EQ(dialog.Folder, dir / "missing");
}

TEST_F(FolderDialogTest, OwnedByTheOwnersWindowWhenItIsAWindowedControl)
{
    HWND made = nullptr;
    TWinControl form(nullptr, "frMain", [&] {
        made = CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
        return made;
    });
    auto* dialog = new TFolderDialog(&form, "FolderDialog1");  // owned by form
    HWND owner = nullptr;
    {
        DialogWatcher watcher([&](HWND browser, const SeenDialog&) {
            owner = GetWindow(browser, GW_OWNER);
            return IDCANCEL;
        });
        EXPECT_FALSE(dialog->Execute());
    }
    EXPECT_TRUE(form.HandleAllocated());
    EXPECT_NE(made, nullptr);
    EXPECT_EQ(owner, made);

    // A component that has no window gives the browser no owner.
    TComponent plain(nullptr, "DataModule");
    TFolderDialog second(&plain);
    owner = reinterpret_cast<HWND>(1);
    {
        DialogWatcher watcher([&](HWND browser, const SeenDialog&) {
            owner = GetWindow(browser, GW_OWNER);
            return IDCANCEL;
        });
        EXPECT_FALSE(second.Execute());
    }
    EXPECT_EQ(owner, nullptr);
}
