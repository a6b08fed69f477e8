#include "TestSupport.h"

#include <algorithm>
#include <stdexcept>

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
    }
}

TempDir::~TempDir() { RemoveTree(path_); }

void RemoveTree(const std::string& path)
{
    std::string dir = path;
    if (!dir.empty() && dir.back() == '\\')
        dir.pop_back();
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
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
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryA(dir.c_str());
}

void WriteFileBytes(const std::string& path, const std::string& bytes)
{
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        throw std::runtime_error("cannot create " + path);
    DWORD written = 0;
    WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
}

std::string ReadFileBytes(const std::string& path)
{
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        throw std::runtime_error("cannot open " + path);
    std::string out;
    char buf[4096];
    DWORD n = 0;
    while (ReadFile(h, buf, sizeof buf, &n, nullptr) && n > 0)
        out.append(buf, n);
    CloseHandle(h);
    return out;
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

namespace {
std::string WindowText(HWND h)
{
    char buf[2048] = {};
    GetWindowTextA(h, buf, sizeof buf);
    return buf;
}

struct FindState {
    DWORD pid;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectControls(HWND h, LPARAM lp)
{
    auto* d = reinterpret_cast<SeenDialog*>(lp);
    char cls[64] = {};
    GetClassNameA(h, cls, sizeof cls);
    LONG style = GetWindowLongA(h, GWL_STYLE);
    if (std::string(cls) == "Button" && (style & 0x0F) <= BS_DEFPUSHBUTTON)
        d->buttons.push_back(GetDlgCtrlID(h));
    if (std::string(cls) == "Static" && (style & SS_TYPEMASK) == SS_ICON && !d->icon)
        d->icon = reinterpret_cast<HICON>(SendMessageA(h, STM_GETICON, 0, 0));
    return TRUE;
}

BOOL CALLBACK CollectDialogs(HWND h, LPARAM lp)
{
    auto* st = reinterpret_cast<FindState*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    char cls[64] = {};
    GetClassNameA(h, cls, sizeof cls);
    if (pid == st->pid && IsWindowVisible(h) && std::string(cls) == "#32770")
        st->found.push_back(h);
    return TRUE;
}
}  // namespace

DialogWatcher::DialogWatcher(Answer answer) : answer_(std::move(answer))
{
    InitializeCriticalSection(&lock_);
    thread_ = std::thread([this] { Loop(); });
}

DialogWatcher::~DialogWatcher()
{
    stop_ = true;
    thread_.join();
    DeleteCriticalSection(&lock_);
}

std::vector<SeenDialog> DialogWatcher::Seen()
{
    EnterCriticalSection(&lock_);
    auto copy = seen_;
    LeaveCriticalSection(&lock_);
    return copy;
}

void DialogWatcher::Loop()
{
    while (!stop_) {
        FindState st{GetCurrentProcessId(), {}};
        EnumWindows(CollectDialogs, reinterpret_cast<LPARAM>(&st));
        for (HWND h : st.found) {
            auto done = std::find_if(answered_.begin(), answered_.end(), [h](const Answered& a) { return a.hwnd == h; });
            if (done != answered_.end()) {
                // A press that got lost (a dialog still starting up) is repeated
                // rather than left to hang the test.
                if (done->id && GetTickCount() - done->at > 3000) {
                    PressDialogButton(h, done->id);
                    done->at = GetTickCount();
                }
                continue;
            }
            Sleep(50);  // let the dialog finish its initialisation
            SeenDialog d;
            d.caption = WindowText(h);
            HWND text = GetDlgItem(h, 0xFFFF);
            if (text)
                d.text = WindowText(text);
            d.owner = GetWindow(h, GW_OWNER);
            d.style = GetWindowLongA(h, GWL_STYLE);
            EnumChildWindows(h, CollectControls, reinterpret_cast<LPARAM>(&d));
            EnterCriticalSection(&lock_);
            seen_.push_back(d);
            LeaveCriticalSection(&lock_);
            int id = answer_ ? answer_(h, d) : 0;
            answered_.push_back({h, id, GetTickCount()});
            if (id)
                PressDialogButton(h, id);
        }
        Sleep(20);
    }
}

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
