#include <gtest/gtest.h>

#include <shlobj.h>

#include <string>
#include <vector>

#include "../tools/FolderBrowser.h"
#include "../tools/ModalAnswerer.h"
#include "../tools/TestSupport.h"
#include "common/win/WinControl.h"
#include "shell/FolderDialog.h"

namespace {

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
    SendRecorder() : hook_(SetWindowsHookExA(WH_CALLWNDPROC, RecordSends, nullptr, GetCurrentThreadId()))
    {
        g_sent.clear();
    }
    std::vector<std::string> Selections() const
    {
        std::vector<std::string> out;
        for (const auto& s : g_sent)
            if (s.message == BFFM_SETSELECTIONA)
                out.push_back(s.text);
        return out;
    }

private:
    HookHandle hook_;
};

std::string WithoutFinalBackslash(std::string path)
{
    if (!path.empty() && path.back() == '\\')
        path.pop_back();
    return path;
}

// Wine's browser can ignore the first selection request of a process, and
// the component asks only once: one browser before the tests, whose
// selection is asked until it takes, lets them see the component's own.
class FolderDialogTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        TempDir dir;
        TFolderDialog dialog(nullptr);
        browser::View view;
        browser::OnOpen(dialog, view, browser::Folder(WithoutFinalBackslash(dir.Path())));
        ModalAnswerer answerer{IDCANCEL};
        dialog.Execute();
        ASSERT_TRUE(view.selected);
    }
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
        SCOPED_TRACE(folder);
        TFolderDialog dialog(nullptr);
        dialog.Title = "一行目\r\n二行目";
        dialog.Folder = folder;
        browser::View view;
        browser::OnOpen(dialog, view);
        SendRecorder recorder;
        ModalAnswerer answerer{IDCANCEL};
        EXPECT_FALSE(dialog.Execute());
        EXPECT_TRUE(view.opened);
        EXPECT_EQ(view.instruction, "一行目\r\n二行目");
        EXPECT_EQ(view.status, "");
        EXPECT_EQ(view.owner, nullptr);
        EXPECT_EQ(dialog.Folder, folder);
        EXPECT_TRUE(recorder.Selections().empty());
        EXPECT_EQ(answerer.Seen().size(), 1u);
    }
}

TEST_F(FolderDialogTest, ExistingFolderIsPreselectedOnceAndConfirmed)
{
    TempDir dir;
    const std::string path = WithoutFinalBackslash(dir.Path());
    TFolderDialog dialog(nullptr);
    dialog.Folder = path;
    SendRecorder recorder;
    ModalAnswerer answerer{IDOK};
    EXPECT_TRUE(dialog.Execute());
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
    browser::View view;
    browser::OnOpen(dialog, view, browser::Folder(path));
    ModalAnswerer answerer{IDOK};
    EXPECT_TRUE(dialog.Execute());
    EXPECT_TRUE(view.selected) << "the browser never reported the selection";
    EXPECT_EQ(dialog.Folder, path);
}

TEST_F(FolderDialogTest, ItemWithoutPathGivesTrueAndKeepsFolder)
{
    TempDir dir;
    TFolderDialog dialog(nullptr);
    dialog.Folder = dir / "missing";
    browser::View view;
    browser::OnOpen(dialog, view, browser::MyComputer());
    ModalAnswerer answerer{IDOK};
    EXPECT_TRUE(dialog.Execute());
    EXPECT_TRUE(view.selected);
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
    browser::View view;
    browser::OnOpen(*dialog, view);
    {
        ModalAnswerer answerer{IDCANCEL};
        EXPECT_FALSE(dialog->Execute());
    }
    EXPECT_TRUE(form.HandleAllocated());
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(view.owner, made);

    // A component that has no window gives the browser no owner.
    TComponent plain(nullptr, "DataModule");
    TFolderDialog second(&plain);
    browser::View secondView;
    browser::OnOpen(second, secondView);
    ModalAnswerer answerer{IDCANCEL};
    EXPECT_FALSE(second.Execute());
    EXPECT_TRUE(secondView.opened);
    EXPECT_EQ(secondView.owner, nullptr);
}
