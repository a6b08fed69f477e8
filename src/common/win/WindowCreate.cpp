#include "common/win/WindowCreate.h"

#include "common/Exception.h"

void RegisterClassOnce(const WNDCLASSA& wc)
{
    WNDCLASSA existing = {};
    if (GetClassInfoA(wc.hInstance, wc.lpszClassName, &existing))
        return;
    if (!RegisterClassA(&wc))
        throw Exception(FormatText("ウィンドウクラス %s を登録できません", wc.lpszClassName));
}

HWND CreateChildWindow(const ChildWindowArgs& args)
{
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | (args.visible ? WS_VISIBLE : 0) | args.style;
    HWND child = CreateWindowExA(args.exStyle, args.className, args.text ? args.text : "", style, args.left, args.top,
                                 args.width, args.height, args.parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(args.id)),
                                 reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(args.parent, GWLP_HINSTANCE)), nullptr);
    if (!child)
        throw Exception(FormatText("ウィンドウを作成できません (%d)", args.id));
    if (args.font)
        SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(args.font), FALSE);
    return child;
}
