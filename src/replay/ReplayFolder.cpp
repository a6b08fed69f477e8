#include "replay/ReplayFolder.h"

#include <shlobj.h>

#include <algorithm>
#include <vector>

#include "common/Exception.h"
#include "common/win/Handles.h"
#include "replay/StartupDecision.h"
#include "replay/StartupTexts.h"

static_assert(kRegSz == REG_SZ && kRegExpandSz == REG_EXPAND_SZ);

namespace {
// Read-only: some installations deny KEY_READ on the key, so narrower rights
// are tried before giving up.
RegKey OpenInstallKey()
{
    const REGSAM rights[] = {
        KEY_READ,
        STANDARD_RIGHTS_READ | KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS,
        KEY_QUERY_VALUE,
    };
    RegKey key;
    for (REGSAM access : rights) {
        if (RegOpenKeyExA(HKEY_CURRENT_USER, startup::kInstallKey, 0, access, key.Put()) == ERROR_SUCCESS)
            return key;
    }
    return RegKey();
}
}  // namespace

std::string ReadInstallPath()
{
    RegKey key = OpenInstallKey();
    if (!key)
        return {};
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key.Get(), startup::kInstallValue, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        size == 0)
        return {};
    std::vector<char> data(size);
    if (RegQueryValueExA(key.Get(), startup::kInstallValue, nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                         &size) != ERROR_SUCCESS)
        return {};
    auto text = RegistryValueText(type, std::string_view(data.data(), std::min<size_t>(size, data.size())));
    if (!text)
        throw Exception(FormatText(startup::kBadValueTypeFormat, startup::kInstallValue));
    return *text;
}

bool IsWindowsNT()
{
    OSVERSIONINFOA info = {};
    static_assert(sizeof info == 148);
    info.dwOSVersionInfoSize = sizeof info;
    return GetVersionExA(&info) && info.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

std::string GetAppDataFolder(HWND owner)
{
    ComPtr<IMalloc> allocator;
    if (FAILED(SHGetMalloc(allocator.Put())) || !allocator)
        return {};
    LPITEMIDLIST list = nullptr;
    HRESULT hr = SHGetSpecialFolderLocation(owner, CSIDL_APPDATA, &list);
    ShellMemory<ITEMIDLIST> owned(allocator.Get(), list);
    if (FAILED(hr) || !owned)
        return {};
    char path[MAX_PATH] = {};
    if (!SHGetPathFromIDListA(owned.Get(), path))
        return {};
    path[sizeof path - 1] = '\0';
    return path;
}

bool DirectoryExists(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}
