// Drives the running program from another process, as a user would, for the
// end-to-end scripts: finds windows by caption, reads lists and the status
// bar, clicks, chooses menu commands, answers dialogs and picks a folder in
// the folder browser. Output is CP932, written in binary mode (no CR added).
#include <windows.h>
#include <commctrl.h>
#include <fcntl.h>
#include <io.h>
#include <shlobj.h>
#include <psapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/win/Handles.h"
#include "ui/Layout.h"

namespace {

int Usage()
{
    std::fprintf(stderr,
                 "driver windows (lists the visible top-level windows)\n"
                 "       wait CAPTION [SECONDS] | gone CAPTION [SECONDS] | rect CAPTION\n"
                 "       items CAPTION CTRLID | status CAPTION PART | enabled CAPTION CTRLID | checked CAPTION CTRLID\n"
                 "       command CAPTION ID | click CAPTION CTRLID | close CAPTION | taskbar-close CAPTION\n"
                 "       dialog CAPTION [SECONDS] (prints the text) | dialog-item CAPTION CTRLID\n"
                 "       press CAPTION ID (and waits until the dialog is gone)\n"
                 "       press-end CAPTION ID UNSEEN [SECONDS] (and waits until its process ends;\n"
                 "                 fails when a window captioned UNSEEN shows meanwhile)\n"
                 "       browse-select CAPTION PATH (selects PATH in a folder browser)\n"
                 "       bench-start | bench-rescan | bench-drop | bench-memory ... (the benchmark's\n"
                 "                 timings; `driver bench` tells their arguments)\n"
                 "       text CAPTION [CTRLID] | count CAPTION CTRLID | client CAPTION | wow64 CAPTION | threads CAPTION\n"
                 "                 (none uses the target's memory: they also read an emulated 32-bit program)\n");
    return 2;
}

struct Found {
    std::string caption;
    std::string cls;
    HWND hwnd = nullptr;
};

BOOL CALLBACK FindVisible(HWND h, LPARAM lp)
{
    auto* f = reinterpret_cast<Found*>(lp);
    char text[512] = {}, cls[64] = {};
    GetWindowTextA(h, text, sizeof text);
    GetClassNameA(h, cls, sizeof cls);
    if (IsWindowVisible(h) && f->caption == text && (f->cls.empty() || f->cls == cls)) {
        f->hwnd = h;
        return FALSE;
    }
    return TRUE;
}

HWND FindTop(const std::string& caption, const std::string& cls = {})
{
    Found f{caption, cls, nullptr};
    EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&f));
    return f.hwnd;
}

HWND WaitTop(const std::string& caption, double seconds, const std::string& cls = {})
{
    DWORD end = GetTickCount() + static_cast<DWORD>(seconds * 1000);
    for (;;) {
        if (HWND h = FindTop(caption, cls))
            return h;
        if (static_cast<LONG>(GetTickCount() - end) > 0)
            return nullptr;
        Sleep(50);
    }
}

HWND Need(const std::string& caption)
{
    HWND h = WaitTop(caption, 10);
    if (!h) {
        std::fprintf(stderr, "driver: no window \"%s\"\n", caption.c_str());
        std::exit(1);
    }
    return h;
}

// Memory in the target process for messages that carry pointers.
class Remote {
public:
    Remote(HWND h, size_t size) : size_(size)
    {
        DWORD pid = 0;
        GetWindowThreadProcessId(h, &pid);
        process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        mem_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
    }
    ~Remote()
    {
        VirtualFreeEx(process_, mem_, 0, MEM_RELEASE);
        CloseHandle(process_);
    }
    void* Addr() const { return mem_; }
    void Write(const void* data, size_t n, size_t offset = 0)
    {
        WriteProcessMemory(process_, static_cast<char*>(mem_) + offset, data, n, nullptr);
    }
    std::string ReadText(size_t offset, size_t n)
    {
        std::string s(n, '\0');
        ReadProcessMemory(process_, static_cast<char*>(mem_) + offset, s.data(), n, nullptr);
        return s.c_str();
    }

private:
    HANDLE process_;
    void* mem_;
    size_t size_;
};

HWND NeedDialog(const std::string& caption, double seconds = 10)
{
    HWND box = WaitTop(caption, seconds, "#32770");
    if (!box) {
        std::fprintf(stderr, "driver: no dialog \"%s\"\n", caption.c_str());
        std::exit(1);
    }
    return box;
}

// The next dialog of a row of them may carry the same caption: a press returns
// only once the answered one is gone.
int Press(HWND box, int id)
{
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
    DWORD end = GetTickCount() + 10000;
    while (IsWindow(box) && IsWindowVisible(box)) {
        if (static_cast<LONG>(GetTickCount() - end) > 0) {
            std::fprintf(stderr, "driver: the dialog stays open\n");
            return 1;
        }
        Sleep(20);
    }
    return 0;
}

// Presses ID, then waits until the dialog's process has ended; a window
// captioned `unseen` showing meanwhile is a failure (3).
int PressUntilEnd(HWND box, int id, const std::string& unseen, double seconds)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(box, &pid);
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
    if (!process) {
        std::fprintf(stderr, "driver: cannot watch the dialog's process\n");
        return 1;
    }
    int result = 1;
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
    DWORD end = GetTickCount() + static_cast<DWORD>(seconds * 1000);
    for (;;) {
        if (FindTop(unseen)) {
            std::fprintf(stderr, "driver: \"%s\" showed before the process ended\n", unseen.c_str());
            result = 3;
            break;
        }
        if (WaitForSingleObject(process, 20) == WAIT_OBJECT_0) {
            result = 0;
            break;
        }
        if (static_cast<LONG>(GetTickCount() - end) > 0) {
            std::fprintf(stderr, "driver: the process did not end\n");
            break;
        }
    }
    CloseHandle(process);
    return result;
}

std::string DialogItemText(HWND box, int id)
{
    char text[2048] = {};
    GetDlgItemTextA(box, id, text, sizeof text);
    return text;
}

// The folder browser's status line shows the selected folder's path. A
// selection sent to a browser that has just opened is now and then ignored
// under Wine, so it is sent again until the status line shows it.
int BrowseSelect(HWND box, const std::string& path)
{
    const int kStatus = 0x3743;
    Remote remote(box, path.size() + 1);
    remote.Write(path.c_str(), path.size() + 1);
    std::string shown;
    for (int attempt = 0; attempt < 5; ++attempt) {
        SendMessageA(box, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(remote.Addr()));
        for (int poll = 0; poll < 10; ++poll) {
            shown = DialogItemText(box, kStatus);
            if (lstrcmpiA(shown.c_str(), path.c_str()) == 0)
                return 0;
            Sleep(50);
        }
    }
    std::fprintf(stderr, "driver: the browser shows \"%s\" instead\n", shown.c_str());
    return 1;
}

void PrintItems(HWND list)
{
    int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
    int columns = header ? static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 1;
    // Rows of the incoming list carry one sub-item more than it shows.
    int subItems = columns + 1;
    Remote remote(list, sizeof(LVITEMA) + 1024);
    for (int row = 0; row < count; ++row) {
        std::string line;
        for (int sub = 0; sub < subItems; ++sub) {
            LVITEMA item = {};
            item.iSubItem = sub;
            item.cchTextMax = 1000;
            item.pszText = static_cast<char*>(remote.Addr()) + sizeof(LVITEMA);
            char zero = 0;
            remote.Write(&zero, 1, sizeof(LVITEMA));
            remote.Write(&item, sizeof item);
            SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(remote.Addr()));
            if (sub)
                line += '\t';
            line += remote.ReadText(sizeof(LVITEMA), 1000);
        }
        std::printf("%s\n", line.c_str());
    }
}

// Control and command ids, decimal or 0x-hex.
int Id(const char* text) { return static_cast<int>(std::strtol(text, nullptr, 0)); }

BOOL CALLBACK PrintVisible(HWND h, LPARAM)
{
    char text[512] = {}, cls[64] = {};
    GetWindowTextA(h, text, sizeof text);
    GetClassNameA(h, cls, sizeof cls);
    if (IsWindowVisible(h))
        std::printf("%s\t%s\n", cls, text);
    return TRUE;
}

// Commands that pass nothing through the target's memory: the system copies
// WM_GETTEXT's text and the other answers are plain values. So they also read
// a 32-bit program run under user-mode emulation, whose addresses are not ours.
// Returns -1 for a command that is none of them.
int ValueCommand(const std::string& cmd, const std::string& caption, int argc, char** argv)
{
    if (cmd == "text") {
        HWND h = Need(caption);
        if (argc > 3)
            h = GetDlgItem(h, Id(argv[3]));
        if (!h)
            return 1;
        char text[2048] = {};
        SendMessageA(h, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
        std::printf("%s\n", text);
        return 0;
    }
    if (cmd == "count" && argc > 3) {
        HWND list = GetDlgItem(Need(caption), Id(argv[3]));
        if (!list)
            return 1;
        std::printf("%d\n", static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)));
        return 0;
    }
    if (cmd == "client") {
        RECT r;
        GetClientRect(Need(caption), &r);
        std::printf("%ld %ld\n", r.right - r.left, r.bottom - r.top);
        return 0;
    }
    if (cmd == "wow64") {  // 1: the window's process is a 32-bit one
        DWORD pid = 0;
        GetWindowThreadProcessId(Need(caption), &pid);
        KernelHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
        BOOL wow64 = FALSE;
        if (!process || !IsWow64Process(process.Get(), &wow64))
            return 1;
        std::printf("%d\n", wow64 ? 1 : 0);
        return 0;
    }
    if (cmd == "threads") {  // how many threads the window's process runs
        DWORD pid = 0;
        GetWindowThreadProcessId(Need(caption), &pid);
        FileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));  // invalid: INVALID_HANDLE_VALUE
        THREADENTRY32 entry = {};
        entry.dwSize = sizeof entry;
        int count = 0;
        for (BOOL more = Thread32First(snapshot.Get(), &entry); more; more = Thread32Next(snapshot.Get(), &entry))
            count += entry.th32OwnerProcessID == pid;
        std::printf("%d\n", count);
        return 0;
    }
    return -1;
}

}  // namespace

// --- Benchmark (scripts/bench.sh) --------------------------------------------
// Each command times one piece of work of the program, or of the bare
// reference that answers to the same commands, with the performance counter:
// from the moment the work is asked for until the window holds all its rows,
// has left the busy state and its message loop answers again. The figure is
// printed in milliseconds; the driver's own start-up stays out of it.
namespace bench {

int Usage()
{
    std::fprintf(stderr,
                 "driver bench-start EXE CAPTION ROWS STATUS [SECONDS]\n"
                 "           starts EXE, times until its window shows ROWS rows in the left list\n"
                 "           and STATUS in the status bar\n"
                 "       bench-rescan CAPTION ROWS STATUS [SECONDS]\n"
                 "           times the rescan command until ROWS rows and STATUS\n"
                 "       bench-drop CAPTION ROWS LISTFILE [SECONDS]\n"
                 "           empties the right list, drops the files of LISTFILE on it (dragsource.exe\n"
                 "           of this folder) and times from the drop until ROWS rows\n"
                 "       bench-memory CAPTION   the peak working set of the window's process, in bytes\n");
    return 2;
}

constexpr DWORD kPollMs = 5;

int64_t Ticks()
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

double Ms(int64_t ticks)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(ticks) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

int RowCount(HWND form, int listId)
{
    return static_cast<int>(SendMessageA(GetDlgItem(form, listId), LVM_GETITEMCOUNT, 0, 0));
}

// The first panel, without its alignment tabs.
std::string StatusText(HWND form)
{
    char text[512] = {};
    SendMessageA(GetDlgItem(form, layout::idStatusBar1), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    std::string s = text;
    return s.substr(std::min(s.find_first_not_of('\t'), s.size()));
}

// The work is done: the busy state is left, the list holds `rows` rows, the
// status bar shows `status` (when given) and the message loop answers. The
// cheap tests come first: while the program is busy the driver asks nothing
// of its thread.
bool Settled(HWND form, int listId, int rows, const char* status)
{
    if (!IsWindowVisible(form) || !IsWindowEnabled(GetDlgItem(form, layout::idButton1)))
        return false;
    if (RowCount(form, listId) != rows || (status && StatusText(form) != status))
        return false;
    DWORD_PTR ignored;
    return SendMessageTimeoutA(form, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &ignored) != 0;
}

class Deadline {
public:
    explicit Deadline(double seconds) : end_(GetTickCount() + static_cast<DWORD>(seconds * 1000)) {}
    bool Passed() const { return static_cast<LONG>(GetTickCount() - end_) > 0; }

private:
    DWORD end_;
};

// Polls until the window captioned `caption` is settled; the counter then, or
// -1 when the time is up or the process `watched` ends first (with any code
// when `endFails`, else with a failure code: the drag source ends once it
// has dropped).
int64_t WaitSettled(const std::string& caption, int listId, int rows, const char* status, double seconds,
                    HANDLE watched = nullptr, bool endFails = false)
{
    Deadline deadline(seconds);
    HWND form = nullptr;
    for (;;) {
        if (!form || !IsWindow(form))
            form = FindTop(caption);
        if (form && Settled(form, listId, rows, status))
            return Ticks();
        if (watched && WaitForSingleObject(watched, 0) == WAIT_OBJECT_0) {
            DWORD code = 0;
            GetExitCodeProcess(watched, &code);
            if (endFails || code != 0) {
                std::fprintf(stderr, "driver: the watched process ended with %lu\n", static_cast<unsigned long>(code));
                return -1;
            }
            watched = nullptr;
        }
        if (deadline.Passed()) {
            std::fprintf(stderr, "driver: \"%s\" did not settle (%d rows, status \"%s\")\n", caption.c_str(),
                         form ? RowCount(form, listId) : -1, form ? StatusText(form).c_str() : "");
            return -1;
        }
        Sleep(kPollMs);
    }
}

int Report(int64_t begin, int64_t end)
{
    if (end < 0)
        return 1;
    std::printf("%.1f\n", Ms(end - begin));
    return 0;
}

// Starts a program with NUL as its standard input and output (and error,
// unless `keepErrors`). Wine hands a child the parent's standard handles
// unless told others, and a child that outlives the driver would then hold
// the pipe its caller reads the figure from.
bool Launch(const std::string& commandLine, bool keepErrors, PROCESS_INFORMATION& pi)
{
    FileHandle nul(CreateFileA("NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, 0, nullptr));
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nul.Get();
    startup.hStdOutput = nul.Get();
    startup.hStdError = keepErrors ? GetStdHandle(STD_ERROR_HANDLE) : nul.Get();
    std::string line = commandLine;
    if (CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &pi))
        return true;
    std::fprintf(stderr, "driver: cannot start %s (%lu)\n", commandLine.c_str(), GetLastError());
    return false;
}

int Start(const std::string& exe, const std::string& caption, int rows, const std::string& status, double seconds)
{
    PROCESS_INFORMATION pi = {};
    int64_t begin = Ticks();
    if (!Launch("\"" + exe + "\"", false, pi))
        return 1;
    KernelHandle process(pi.hProcess), thread(pi.hThread);
    int64_t end = WaitSettled(caption, layout::idListView1, rows, status.c_str(), seconds, process.Get(), true);
    return Report(begin, end);
}

int Rescan(const std::string& caption, int rows, const std::string& status, double seconds)
{
    HWND form = Need(caption);
    if (RowCount(form, layout::idListView1) == rows) {
        std::fprintf(stderr, "driver: the list holds %d rows before the rescan\n", rows);
        return 1;
    }
    int64_t begin = Ticks();
    PostMessageA(form, WM_COMMAND, MAKEWPARAM(layout::cmdN2, 0), 0);
    return Report(begin, WaitSettled(caption, layout::idListView1, rows, status.c_str(), seconds));
}

std::string ToolPath(const char* name)
{
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, sizeof self);
    std::string path = self;
    return path.substr(0, path.find_last_of('\\') + 1) + name;
}

int Drop(const std::string& caption, int rows, const std::string& listFile, double seconds)
{
    HWND form = Need(caption);
    if (RowCount(form, layout::idListView2) != 0) {  // "クリア" first
        PostMessageA(GetDlgItem(form, layout::idButton2), BM_CLICK, 0, 0);
        Deadline cleared(60);
        while (RowCount(form, layout::idListView2) != 0) {
            if (cleared.Passed()) {
                std::fprintf(stderr, "driver: the right list was not emptied\n");
                return 1;
            }
            Sleep(kPollMs);
        }
    }
    char folder[MAX_PATH] = {}, stamp[MAX_PATH] = {};
    GetTempPathA(sizeof folder, folder);
    GetTempFileNameA(folder, "drp", 0, stamp);
    const layout::ControlRow& target = layout::kControls[1];  // ListView2
    std::string commandLine = "\"" + ToolPath("dragsource.exe") + "\" --stamp \"" + stamp + "\" --list \"" +
                              listFile + "\" \"" + caption + "\" " + std::to_string(target.left + target.width / 2) +
                              " " + std::to_string(target.top + target.height / 2);
    PROCESS_INFORMATION pi = {};
    if (!Launch(commandLine, true, pi))
        return 1;
    KernelHandle source(pi.hProcess), thread(pi.hThread);
    int64_t end = WaitSettled(caption, layout::idListView2, rows, nullptr, seconds, source.Get());
    if (end < 0 || WaitForSingleObject(source.Get(), 30000) != WAIT_OBJECT_0)
        return 1;
    long long dropped = 0;
    if (FILE* f = std::fopen(stamp, "r")) {
        if (std::fscanf(f, "%lld", &dropped) != 1)
            dropped = 0;
        std::fclose(f);
    }
    DeleteFileA(stamp);
    if (dropped <= 0) {
        std::fprintf(stderr, "driver: the drag source noted no drop\n");
        return 1;
    }
    return Report(dropped, end);
}

int PeakWorkingSet(const std::string& caption)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(Need(caption), &pid);
    KernelHandle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid));
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    if (!process || !GetProcessMemoryInfo(process.Get(), &counters, sizeof counters)) {
        std::fprintf(stderr, "driver: no memory figures of process %lu\n", static_cast<unsigned long>(pid));
        return 1;
    }
    std::printf("%llu\n", static_cast<unsigned long long>(counters.PeakWorkingSetSize));
    return 0;
}

int Run(int argc, char** argv)
{
    std::string cmd = argv[1];
    auto seconds = [&](int i, double fallback) { return argc > i ? std::atof(argv[i]) : fallback; };
    if (cmd == "bench-start" && argc >= 6)
        return Start(argv[2], argv[3], std::atoi(argv[4]), argv[5], seconds(6, 120));
    if (cmd == "bench-rescan" && argc >= 5)
        return Rescan(argv[2], std::atoi(argv[3]), argv[4], seconds(5, 120));
    if (cmd == "bench-drop" && argc >= 5)
        return Drop(argv[2], std::atoi(argv[3]), argv[4], seconds(5, 600));
    if (cmd == "bench-memory" && argc >= 3)
        return PeakWorkingSet(argv[2]);
    return Usage();
}

}  // namespace bench

int main(int argc, char** argv)
{
    // Texts go out as they are: a CR is one the window's text holds.
    _setmode(_fileno(stdout), _O_BINARY);
    if (argc >= 2 && std::string(argv[1]).rfind("bench", 0) == 0)
        return bench::Run(argc, argv);
    if (argc == 2 && std::string(argv[1]) == "windows") {
        EnumWindows(PrintVisible, 0);
        return 0;
    }
    if (argc < 3)
        return Usage();
    std::string cmd = argv[1], caption = argv[2];
    auto arg = [&](int i, double fallback) { return argc > i ? std::atof(argv[i]) : fallback; };
    if (int rc = ValueCommand(cmd, caption, argc, argv); rc >= 0)
        return rc;

    if (cmd == "wait")
        return WaitTop(caption, arg(3, 20)) ? 0 : 1;
    if (cmd == "gone") {
        DWORD end = GetTickCount() + static_cast<DWORD>(arg(3, 20) * 1000);
        while (FindWindowA(nullptr, caption.c_str())) {
            if (static_cast<LONG>(GetTickCount() - end) > 0)
                return 1;
            Sleep(50);
        }
        return 0;
    }
    if (cmd == "rect") {
        RECT r;
        GetWindowRect(Need(caption), &r);
        std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
        return 0;
    }
    if (cmd == "close") {
        PostMessageA(Need(caption), WM_CLOSE, 0, 0);
        return 0;
    }
    if (cmd == "taskbar-close") {  // what the taskbar button's Close sends
        PostMessageA(Need(caption), WM_SYSCOMMAND, SC_CLOSE, 0);
        return 0;
    }
    if (argc < 4 && cmd != "dialog")
        return Usage();
    if (cmd == "items") {
        PrintItems(GetDlgItem(Need(caption), Id(argv[3])));
        return 0;
    }
    if (cmd == "status") {
        HWND bar = FindWindowExA(Need(caption), nullptr, STATUSCLASSNAMEA, nullptr);
        Remote remote(bar, 1024);
        char zero = 0;
        remote.Write(&zero, 1);
        SendMessageA(bar, SB_GETTEXTA, Id(argv[3]), reinterpret_cast<LPARAM>(remote.Addr()));
        std::string text = remote.ReadText(0, 1000);
        while (!text.empty() && text[0] == '\t')  // the alignment tabs
            text.erase(0, 1);
        std::printf("%s\n", text.c_str());
        return 0;
    }
    if (cmd == "enabled") {
        std::printf("%d\n", IsWindowEnabled(GetDlgItem(Need(caption), Id(argv[3]))) ? 1 : 0);
        return 0;
    }
    if (cmd == "checked") {
        std::printf("%d\n", SendMessageA(GetDlgItem(Need(caption), Id(argv[3])), BM_GETCHECK, 0, 0) == BST_CHECKED);
        return 0;
    }
    if (cmd == "command") {
        PostMessageA(Need(caption), WM_COMMAND, MAKEWPARAM(Id(argv[3]), 0), 0);
        return 0;
    }
    if (cmd == "click") {
        PostMessageA(GetDlgItem(Need(caption), Id(argv[3])), BM_CLICK, 0, 0);
        return 0;
    }
    if (cmd == "dialog") {
        HWND box = WaitTop(caption, arg(3, 20), "#32770");
        if (!box)
            return 1;
        std::printf("%s\n", DialogItemText(box, 0xFFFF).c_str());
        return 0;
    }
    if (cmd == "dialog-item") {
        std::printf("%s\n", DialogItemText(NeedDialog(caption), Id(argv[3])).c_str());
        return 0;
    }
    if (cmd == "press")
        return Press(NeedDialog(caption), Id(argv[3]));
    if (cmd == "press-end" && argc >= 5)
        return PressUntilEnd(NeedDialog(caption), Id(argv[3]), argv[4], arg(5, 20));
    if (cmd == "browse-select")
        return BrowseSelect(NeedDialog(caption), argv[3]);
    return Usage();
}
