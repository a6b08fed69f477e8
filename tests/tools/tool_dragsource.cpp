// dragsource.exe "<top-level window caption>" <clientX> <clientY> <file> [<file>...]
// Drags the files, as the shell does (a wide CF_HDROP list), from a point
// left of the window onto the given point of its client area with a real OLE
// drag, moving the real cursor, and drops them there.
// Exit code: 0 dropped, 1 not dropped, 2 bad arguments or no such window.
#include <windows.h>
#include <ole2.h>

#include <cstdio>
#include <cstdlib>

#include "DragSupport.h"

int main(int argc, char** argv)
{
    if (argc < 5) {
        std::fprintf(stderr, "usage: dragsource \"<window caption>\" <clientX> <clientY> <file> [<file>...]\n");
        return 2;
    }
    HWND window = nullptr;
    // The window may still be on its way up.
    for (int i = 0; i < 100 && !window; ++i) {
        window = FindWindowA(nullptr, argv[1]);
        if (!window)
            Sleep(50);
    }
    if (!window) {
        std::fprintf(stderr, "dragsource: no window \"%s\"\n", argv[1]);
        return 2;
    }
    POINT to = {std::atoi(argv[2]), std::atoi(argv[3])};
    ClientToScreen(window, &to);

    std::vector<std::wstring> names;
    for (int i = 4; i < argc; ++i)
        names.push_back(dragtest::Widen(argv[i]));

    if (FAILED(OleInitialize(nullptr))) {
        std::fprintf(stderr, "dragsource: OleInitialize failed\n");
        return 2;
    }
    HRESULT result;
    DWORD effect = DROPEFFECT_NONE;
    {
        dragtest::DataObject data({{CF_HDROP, dragtest::FileListBlock(names)}});
        std::vector<POINT> path = dragtest::PathOnto(window, to);
        if (path.front().x < 0)
            path.front().x = 0;
        dragtest::CursorWalkSource source(path);
        result = DoDragDrop(&data, &source, DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK, &effect);
    }
    OleUninitialize();
    std::printf("dragsource: result %08lX, effect %lu\n", static_cast<unsigned long>(result),
                static_cast<unsigned long>(effect));
    return result == DRAGDROP_S_DROP ? 0 : 1;
}
