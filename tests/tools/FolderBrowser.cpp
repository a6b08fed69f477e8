#include "FolderBrowser.h"

#include <shlobj.h>

#include <memory>

#include "ModalAnswerer.h"
#include "common/win/Handles.h"

namespace browser {

namespace {

ComPtr<IMalloc> ShellAllocator()
{
    ComPtr<IMalloc> allocator;
    SHGetMalloc(allocator.Put());
    return allocator;
}

LPITEMIDLIST MyComputerList()
{
    LPITEMIDLIST list = nullptr;
    SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &list);
    return list;
}

// "My Computer" as an item list, freed with the shell's allocator.
struct MyComputerItem {
    ComPtr<IMalloc> allocator = ShellAllocator();
    ShellMemory<ITEMIDLIST> list{allocator.Get(), MyComputerList()};
};

bool IsTarget(const Target& target, LPCITEMIDLIST item, const MyComputerItem& myComputer)
{
    if (!target.path)
        return myComputer.list && ILIsEqual(item, myComputer.list.Get());
    char path[MAX_PATH] = {};
    return SHGetPathFromIDListA(item, path) && *target.path == path;
}

}  // namespace

void OnOpen(TFolderDialog& dialog, View& view, std::optional<Target> target)
{
    auto myComputer = std::make_shared<MyComputerItem>();
    dialog.BrowseHook = [&view, target, myComputer](HWND browser, UINT message, LPARAM param) {
        // The browser tells each change of selection, inside the request
        // that made it.
        if (message == BFFM_SELCHANGED && target && IsTarget(*target, reinterpret_cast<LPCITEMIDLIST>(param), *myComputer))
            view.selected = true;
        if (message != BFFM_INITIALIZED)
            return;
        view.opened = true;
        view.instruction = DialogItemText(browser, kInstruction);
        view.status = DialogItemText(browser, kStatus);
        view.owner = GetWindow(browser, GW_OWNER);
        if (!target)
            return;
        // Wine's browser sometimes ignores the first selection request of a
        // process; asked again at once, it takes it.
        for (int attempt = 0; attempt < 3 && !view.selected; ++attempt) {
            if (target->path)
                SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(target->path->c_str()));
            else
                SendMessageA(browser, BFFM_SETSELECTIONA, FALSE, reinterpret_cast<LPARAM>(myComputer->list.Get()));
        }
    };
}

}  // namespace browser
