// Drives the running program from another process, as a user would, for the
// end-to-end scripts: finds windows by caption, reads lists and the status
// bar, clicks, chooses menu commands and answers dialogs. Output is CP932.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

int Usage()
{
    std::fprintf(stderr,
                 "driver wait CAPTION [SECONDS] | gone CAPTION [SECONDS] | rect CAPTION\n"
                 "       items CAPTION CTRLID | status CAPTION PART | enabled CAPTION CTRLID | checked CAPTION CTRLID\n"
                 "       command CAPTION ID | click CAPTION CTRLID | close CAPTION\n"
                 "       dialog CAPTION [SECONDS] (prints the text) | press CAPTION ID\n");
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

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
        return Usage();
    std::string cmd = argv[1], caption = argv[2];
    auto arg = [&](int i, double fallback) { return argc > i ? std::atof(argv[i]) : fallback; };

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
    if (argc < 4 && cmd != "dialog")
        return Usage();
    if (cmd == "items") {
        PrintItems(GetDlgItem(Need(caption), std::atoi(argv[3])));
        return 0;
    }
    if (cmd == "status") {
        HWND bar = FindWindowExA(Need(caption), nullptr, STATUSCLASSNAMEA, nullptr);
        Remote remote(bar, 1024);
        char zero = 0;
        remote.Write(&zero, 1);
        SendMessageA(bar, SB_GETTEXTA, std::atoi(argv[3]), reinterpret_cast<LPARAM>(remote.Addr()));
        std::string text = remote.ReadText(0, 1000);
        while (!text.empty() && text[0] == '\t')  // the alignment tabs
            text.erase(0, 1);
        std::printf("%s\n", text.c_str());
        return 0;
    }
    if (cmd == "enabled") {
        std::printf("%d\n", IsWindowEnabled(GetDlgItem(Need(caption), std::atoi(argv[3]))) ? 1 : 0);
        return 0;
    }
    if (cmd == "checked") {
        std::printf("%d\n", SendMessageA(GetDlgItem(Need(caption), std::atoi(argv[3])), BM_GETCHECK, 0, 0) == BST_CHECKED);
        return 0;
    }
    if (cmd == "command") {
        PostMessageA(Need(caption), WM_COMMAND, MAKEWPARAM(std::atoi(argv[3]), 0), 0);
        return 0;
    }
    if (cmd == "click") {
        PostMessageA(GetDlgItem(Need(caption), std::atoi(argv[3])), BM_CLICK, 0, 0);
        return 0;
    }
    if (cmd == "dialog") {
        HWND box = WaitTop(caption, arg(3, 20), "#32770");
        if (!box)
            return 1;
        char text[2048] = {};
        GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
        std::printf("%s\n", text);
        return 0;
    }
    if (cmd == "press") {
        HWND box = WaitTop(caption, 10, "#32770");
        if (!box)
            return 1;
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(std::atoi(argv[3]), BN_CLICKED), 0);
        return 0;
    }
    return Usage();
}
