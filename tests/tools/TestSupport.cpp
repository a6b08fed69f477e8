#include "TestSupport.h"

#include <stdexcept>

#include "common/win/Handles.h"

TempDir::TempDir()
{
    char base[MAX_PATH];
    GetTempPathA(sizeof base, base);
    static int counter = 0;
    for (;;) {
        std::string p = std::string(base) + "slotwell-" + std::to_string(GetCurrentProcessId()) + "-" +
                        std::to_string(GetTickCount()) + "-" + std::to_string(++counter);
        if (CreateDirectoryA(p.c_str(), nullptr)) {
            path_ = p + "\\";
            return;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            throw std::runtime_error("cannot create a folder under " + std::string(base));
    }
}

TempDir::~TempDir() { RemoveTree(path_); }

void RemoveTree(const std::string& path)
{
    std::string dir = path;
    if (!dir.empty() && dir.back() == '\\')
        dir.pop_back();
    WIN32_FIND_DATAA fd;
    FindHandle search(FindFirstFileA((dir + "\\*").c_str(), &fd));
    if (search) {
        do {
            std::string name = fd.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string child = dir + "\\" + name;
            SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(child);
            else
                DeleteFileA(child.c_str());
        } while (FindNextFileA(search.Get(), &fd));
    }
    RemoveDirectoryA(dir.c_str());
}

void WriteFileBytes(const std::string& path, const std::string& bytes)
{
    FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (!file || !WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
        written != bytes.size())
        throw std::runtime_error("cannot write " + path);
}

std::string ReadFileBytes(const std::string& path)
{
    FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file)
        throw std::runtime_error("cannot open " + path);
    std::string out;
    char buf[4096];
    DWORD n = 0;
    while (ReadFile(file.Get(), buf, sizeof buf, &n, nullptr) && n > 0)
        out.append(buf, n);
    return out;
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string NameListText(const char* p)
{
    std::string out;
    while (*p) {
        std::string entry = p;
        out += entry;
        out += '\0';
        p += entry.size() + 1;
    }
    return out + '\0';
}
