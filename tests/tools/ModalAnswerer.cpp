#include "ModalAnswerer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <exception>
#include <set>

namespace {

// One hook per thread, shared by the answerers alive on it.
struct ThreadHook {
    HookHandle hook;
    std::vector<ModalAnswerer*> answerers;  // the innermost last
    std::set<HWND> taken;  // dialogs still up that were already answered
};
thread_local ThreadHook t_hook;

std::string WindowText(HWND h)
{
    char buf[2048] = {};
    GetWindowTextA(h, buf, sizeof buf);
    return buf;
}

bool IsDialog(HWND h)
{
    char cls[16] = {};
    GetClassNameA(h, cls, sizeof cls);
    return std::string(cls) == "#32770";
}

LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam)
{
    HWND h = reinterpret_cast<HWND>(wParam);
    // A dialog is activated again when one it opened closes: it was answered
    // the first time.
    if (code == HCBT_ACTIVATE && IsDialog(h) && t_hook.taken.insert(h).second && !t_hook.answerers.empty())
        t_hook.answerers.back()->Take(h);
    else if (code == HCBT_DESTROYWND)
        t_hook.taken.erase(h);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

BOOL CALLBACK CollectControls(HWND h, LPARAM lp)
{
    auto* d = reinterpret_cast<SeenDialog*>(lp);
    if (GetParent(h) != d->hwnd)
        return TRUE;
    char cls[64] = {};
    GetClassNameA(h, cls, sizeof cls);
    LONG style = GetWindowLongA(h, GWL_STYLE);
    if (std::string(cls) == "Button" && (style & BS_TYPEMASK) <= BS_DEFPUSHBUTTON)
        d->buttons.push_back(GetDlgCtrlID(h));
    if (std::string(cls) == "Static" && (style & SS_TYPEMASK) == SS_ICON && !d->icon)
        d->icon = reinterpret_cast<HICON>(SendMessageA(h, STM_GETICON, 0, 0));
    return TRUE;
}

SeenDialog Look(HWND h)
{
    SeenDialog d;
    d.hwnd = h;
    d.caption = WindowText(h);
    if (HWND text = GetDlgItem(h, 0xFFFF))
        d.text = WindowText(text);
    d.owner = GetWindow(h, GW_OWNER);
    d.style = GetWindowLongA(h, GWL_STYLE);
    EnumChildWindows(h, CollectControls, reinterpret_cast<LPARAM>(&d));
    return d;
}

ModalAnswerer::Answer FromScript(std::vector<int> script)
{
    return [script = std::deque<int>(script.begin(), script.end())](const SeenDialog& d) mutable {
        if (script.empty()) {
            ADD_FAILURE() << "a dialog beyond the script: \"" << d.caption << "\" " << d.text;
            return static_cast<int>(IDCANCEL);
        }
        int id = script.front();
        script.pop_front();
        return id;
    };
}

}  // namespace

ModalAnswerer::ModalAnswerer(Answer answer) : answer_(std::move(answer))
{
    if (!t_hook.hook) {
        t_hook.hook.Reset(SetWindowsHookExA(WH_CBT, CbtProc, nullptr, GetCurrentThreadId()));
        if (!t_hook.hook)
            ADD_FAILURE() << "SetWindowsHookExA(WH_CBT) failed: " << GetLastError();
    }
    t_hook.answerers.push_back(this);
}

ModalAnswerer::ModalAnswerer(std::initializer_list<int> script) : ModalAnswerer(std::vector<int>(script)) {}

ModalAnswerer::ModalAnswerer(std::vector<int> script) : ModalAnswerer(FromScript(std::move(script))) {}

ModalAnswerer::~ModalAnswerer()
{
    auto& list = t_hook.answerers;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    if (list.empty()) {
        t_hook.hook.Reset();
        t_hook.taken.clear();
    }
}

void ModalAnswerer::Take(HWND dialog)
{
    seen_.push_back(Look(dialog));
    int id = IDCANCEL;
    try {
        id = answer_ ? answer_(seen_.back()) : 0;
    } catch (const std::exception& e) {  // not through user32's frames
        ADD_FAILURE() << "an answer failed: " << e.what();
    }
    if (id)
        PressDialogButton(dialog, id);
}

void PressDialogButton(HWND dialog, int id)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

std::string DialogItemText(HWND dialog, int id)
{
    HWND item = GetDlgItem(dialog, id);
    return item ? WindowText(item) : std::string();
}
