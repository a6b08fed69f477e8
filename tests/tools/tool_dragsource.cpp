// dragsource.exe [--list FILE] [--stamp FILE] "<top-level window caption>" <clientX> <clientY> [<file>...]
// Drags the files, as the shell does (a wide CF_HDROP list), from a point
// left of the window onto the given point of its client area with a real OLE
// drag, moving the real cursor, and drops them there.
//   --list FILE   more files to drag, one path a line: for lists longer than
//                 a command line holds (the benchmark drops 10,000)
//   --stamp FILE  writes the performance counter at the moment of the drop,
//                 so the benchmark times what the drop sets off from there
// Exit code: 0 dropped, 1 not dropped, 2 bad arguments or no such window.
#include <windows.h>
#include <ole2.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "DragSupport.h"

namespace {

int Usage()
{
    std::fprintf(stderr, "usage: dragsource [--list FILE] [--stamp FILE] \"<window caption>\" <clientX> <clientY> "
                         "[<file>...]\n");
    return 2;
}

bool ReadList(const char* file, std::vector<std::wstring>& names)
{
    FILE* f = std::fopen(file, "r");
    if (!f)
        return false;
    char line[4096];
    while (std::fgets(line, sizeof line, f)) {
        line[std::strcspn(line, "\r\n")] = '\0';
        if (line[0])
            names.push_back(dragtest::Widen(line));
    }
    std::fclose(f);
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<std::wstring> names;
    const char* stampFile = nullptr;
    int arg = 1;
    for (; arg + 1 < argc && std::strncmp(argv[arg], "--", 2) == 0; arg += 2) {
        if (std::strcmp(argv[arg], "--list") == 0) {
            if (!ReadList(argv[arg + 1], names)) {
                std::fprintf(stderr, "dragsource: cannot read %s\n", argv[arg + 1]);
                return 2;
            }
        } else if (std::strcmp(argv[arg], "--stamp") == 0) {
            stampFile = argv[arg + 1];
        } else {
            return Usage();
        }
    }
    if (argc - arg < 3)
        return Usage();
    for (int i = arg + 3; i < argc; ++i)
        names.push_back(dragtest::Widen(argv[i]));
    if (names.empty())
        return Usage();

    const char* caption = argv[arg];
    HWND window = nullptr;
    // The window may still be on its way up.
    for (int i = 0; i < 100 && !window; ++i) {
        window = FindWindowA(nullptr, caption);
        if (!window)
            Sleep(50);
    }
    if (!window) {
        std::fprintf(stderr, "dragsource: no window \"%s\"\n", caption);
        return 2;
    }
    POINT to = {std::atoi(argv[arg + 1]), std::atoi(argv[arg + 2])};
    ClientToScreen(window, &to);

    if (FAILED(OleInitialize(nullptr))) {
        std::fprintf(stderr, "dragsource: OleInitialize failed\n");
        return 2;
    }
    HRESULT result;
    DWORD effect = DROPEFFECT_NONE;
    LARGE_INTEGER droppedAt = {};
    {
        dragtest::DataObject data({{CF_HDROP, dragtest::FileListBlock(names)}});
        std::vector<POINT> path = dragtest::PathOnto(window, to);
        if (path.front().x < 0)
            path.front().x = 0;
        dragtest::CursorWalkSource source(path);
        result = DoDragDrop(&data, &source, DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK, &effect);
        droppedAt = source.droppedAt;
    }
    OleUninitialize();
    std::printf("dragsource: result %08lX, effect %lu\n", static_cast<unsigned long>(result),
                static_cast<unsigned long>(effect));
    if (stampFile && result == DRAGDROP_S_DROP) {
        FILE* f = std::fopen(stampFile, "w");
        if (!f) {
            std::fprintf(stderr, "dragsource: cannot write %s\n", stampFile);
            return 1;
        }
        std::fprintf(f, "%lld\n", static_cast<long long>(droppedAt.QuadPart));
        std::fclose(f);
    }
    return result == DRAGDROP_S_DROP ? 0 : 1;
}
