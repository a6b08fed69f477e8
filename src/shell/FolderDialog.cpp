#include "shell/FolderDialog.h"

#include <shlobj.h>

#include "common/win/Application.h"
#include "common/win/Handles.h"
#include "common/win/WinControl.h"

namespace {
bool FolderExists(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

int CALLBACK BrowseCallback(HWND browser, UINT message, LPARAM param, LPARAM data)
{
    Guarded([&] {
        auto* dialog = reinterpret_cast<TFolderDialog*>(data);
        char path[512] = {};
        if (message == BFFM_INITIALIZED && FolderExists(dialog->Folder))
            SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(dialog->Folder.c_str()));
        if (message == BFFM_SELCHANGED)
            SHGetPathFromIDListA(reinterpret_cast<LPCITEMIDLIST>(param), path);
        path[sizeof path - 1] = '\0';
        SendMessageA(browser, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(path));
        if (dialog->BrowseHook)
            dialog->BrowseHook(browser, message, param);
    });
    return 0;
}
}  // namespace

TFolderDialog::TFolderDialog(TComponent* owner, std::string name) : TComponent(owner, std::move(name)) {}

HWND TFolderDialog::OwnerWindow()
{
    if (auto* control = dynamic_cast<TWinControl*>(Owner()))
        return control->Handle();
    return nullptr;
}

bool TFolderDialog::Execute()
{
    ComPtr<IMalloc> allocator;
    if (FAILED(SHGetMalloc(allocator.Put())) || !allocator)
        return false;
    ShellMemory<char> buffer(allocator.Get(), static_cast<char*>(allocator->Alloc(MAX_PATH)));
    if (!buffer)
        return false;
    HWND owner = OwnerWindow();
    LPITEMIDLIST root = nullptr;
    HRESULT hr = SHGetSpecialFolderLocation(owner, CSIDL_DESKTOP, &root);
    ShellMemory<ITEMIDLIST> rootList(allocator.Get(), root);
    if (FAILED(hr))
        return false;

    BROWSEINFOA info = {};
    info.hwndOwner = owner;
    info.pidlRoot = rootList.Get();
    info.pszDisplayName = buffer.Get();
    info.lpszTitle = Title.c_str();
    // Not BIF_RETURNONLYFSDIRS: items without a file-system path can be
    // confirmed, and the caller is told so by an unchanged Folder.
    info.ulFlags = BIF_STATUSTEXT;
    info.lpfn = BrowseCallback;
    info.lParam = reinterpret_cast<LPARAM>(this);

    ShellMemory<ITEMIDLIST> chosen(allocator.Get(), SHBrowseForFolderA(&info));
    if (!chosen)
        return false;
    if (SHGetPathFromIDListA(chosen.Get(), buffer.Get()))
        Folder = buffer.Get();
    return true;
}
