// The answerer of modal dialogs the other Windows tests stand on: message
// boxes and a dialog that opens one, answered from inside this thread.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../tools/ModalAnswerer.h"
#include "common/win/Handles.h"

namespace {

// A hidden top-level window to own the boxes.
WindowHandle MakeOwner()
{
    return WindowHandle(CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                        GetModuleHandleA(nullptr), nullptr));
}

// A dialog with one button (id 100) that asks a question in a message box
// of its own and ends with the box's answer.
constexpr int kAsk = 100;

INT_PTR CALLBACK AskingProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG)
        return TRUE;
    if (message == WM_COMMAND && LOWORD(wParam) == kAsk) {
        EndDialog(dialog, MessageBoxA(dialog, "inner", "nested", MB_OKCANCEL));
        return TRUE;
    }
    if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    }
    return FALSE;
}

// DLGTEMPLATE, no menu, the default class, a title, then one push button.
std::vector<WORD> AskingTemplate()
{
    std::vector<WORD> t;
    auto dword = [&](DWORD v) {
        t.push_back(LOWORD(v));
        t.push_back(HIWORD(v));
    };
    auto text = [&](const wchar_t* s) {
        for (; *s; ++s)
            t.push_back(static_cast<WORD>(*s));
        t.push_back(0);
    };
    dword(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME);
    dword(0);
    t.insert(t.end(), {1, 10, 10, 120, 60});  // one item, x, y, cx, cy
    t.insert(t.end(), {0, 0});                // no menu, default class
    text(L"asking");
    if (t.size() % 2)
        t.push_back(0);  // items start on a DWORD
    dword(WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON);
    dword(0);
    t.insert(t.end(), {10, 10, 50, 14, static_cast<WORD>(kAsk), 0xFFFF, 0x0080});  // a Button
    text(L"ask");
    t.push_back(0);  // no creation data
    return t;
}

}  // namespace

TEST(ModalAnswerer, ReadsTheBoxAndPressesTheChosenButton)
{
    WindowHandle owner = MakeOwner();
    struct Case {
        UINT flags;
        int answer;
        std::vector<int> buttons;
        LPCSTR icon;
    } cases[] = {
        {MB_OK | MB_ICONHAND, IDOK, {IDOK}, IDI_HAND},
        {MB_OKCANCEL | MB_ICONEXCLAMATION, IDCANCEL, {IDOK, IDCANCEL}, IDI_EXCLAMATION},
        {MB_YESNOCANCEL | MB_ICONQUESTION, IDNO, {IDYES, IDNO, IDCANCEL}, IDI_QUESTION},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.flags);
        ModalAnswerer answerer([&](const SeenDialog&) { return c.answer; });
        EXPECT_EQ(MessageBoxA(owner.Get(), "一行目\r\n二行目ソ", "質問", c.flags), c.answer);
        ASSERT_EQ(answerer.Seen().size(), 1u);
        const SeenDialog& seen = answerer.Seen()[0];
        EXPECT_EQ(seen.caption, "質問");
        EXPECT_EQ(seen.text, "一行目\r\n二行目ソ");
        EXPECT_EQ(seen.owner, owner.Get());
        EXPECT_EQ(seen.buttons, c.buttons);
        EXPECT_EQ(seen.icon, LoadIconA(nullptr, c.icon));
    }
}

TEST(ModalAnswerer, ScriptAnswersInOrderAndCancelsWhatIsBeyondIt)
{
    WindowHandle owner = MakeOwner();
    ModalAnswerer answerer{IDYES, IDNO};
    EXPECT_EQ(MessageBoxA(owner.Get(), "1", "a", MB_YESNOCANCEL), IDYES);
    EXPECT_EQ(MessageBoxA(owner.Get(), "2", "a", MB_YESNOCANCEL), IDNO);
    int third = 0;
    EXPECT_NONFATAL_FAILURE(third = MessageBoxA(owner.Get(), "3", "a", MB_YESNOCANCEL), "beyond the script");
    EXPECT_EQ(third, IDCANCEL);
    EXPECT_EQ(answerer.Seen().size(), 3u);
}

// The box the dialog opens is seen in its turn, owned by the dialog; the
// dialog is not answered again when it is active once more.
TEST(ModalAnswerer, DialogThatOpensABox)
{
    const std::vector<WORD> t = AskingTemplate();
    ModalAnswerer answerer{kAsk, IDOK};
    INT_PTR result = DialogBoxIndirectParamA(GetModuleHandleA(nullptr), reinterpret_cast<LPCDLGTEMPLATEA>(t.data()),
                                             nullptr, AskingProc, 0);
    EXPECT_EQ(result, IDOK);
    ASSERT_EQ(answerer.Seen().size(), 2u);
    EXPECT_EQ(answerer.Seen()[0].caption, "asking");
    EXPECT_EQ(answerer.Seen()[0].buttons, std::vector<int>{kAsk});
    EXPECT_EQ(answerer.Seen()[1].caption, "nested");
    EXPECT_EQ(answerer.Seen()[1].owner, answerer.Seen()[0].hwnd);
}

TEST(ModalAnswerer, InnermostAnswers)
{
    WindowHandle owner = MakeOwner();
    ModalAnswerer outer{IDNO};
    {
        ModalAnswerer inner{IDYES};
        EXPECT_EQ(MessageBoxA(owner.Get(), "inner", "a", MB_YESNO), IDYES);
        EXPECT_EQ(inner.Seen().size(), 1u);
    }
    EXPECT_TRUE(outer.Seen().empty());
    EXPECT_EQ(MessageBoxA(owner.Get(), "outer", "a", MB_YESNO), IDNO);
    EXPECT_EQ(outer.Seen().size(), 1u);
}

// With no answerer of the test's own, the one under them all cancels the box
// and fails the test.
TEST(ModalAnswerer, UnexpectedDialogFailsTheTest)
{
    WindowHandle owner = MakeOwner();
    int answer = 0;
    EXPECT_NONFATAL_FAILURE(answer = MessageBoxA(owner.Get(), "stray", "a", MB_OKCANCEL), "nobody expected");
    EXPECT_EQ(answer, IDCANCEL);
}
