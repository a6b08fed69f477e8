#pragma once
// Making windows: a class registered once per module, and a child made from
// one set of arguments. Both raise instead of handing back nothing.
#include <windows.h>

// Registers `wc` unless its module has a class of that name already.
void RegisterClassOnce(const WNDCLASSA& wc);

struct ChildWindowArgs {
    HWND parent = nullptr;
    const char* className = nullptr;
    const char* text = nullptr;
    DWORD style = 0;  // WS_CHILD and WS_CLIPSIBLINGS come with every child
    DWORD exStyle = 0;
    int id = 0;
    int left = 0, top = 0, width = 0, height = 0;
    bool visible = true;
    HFONT font = nullptr;  // given to the child when set
};

HWND CreateChildWindow(const ChildWindowArgs& args);
