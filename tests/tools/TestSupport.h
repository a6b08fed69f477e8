#pragma once
// Helpers for the Windows tests: scratch folders with real files, and a
// watcher that answers the message boxes and dialogs a test provokes.
#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "ModalAnswerer.h"

// A fresh folder under the temp folder, removed with everything in it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    // The path with a final backslash.
    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + name; }

private:
    std::string path_;
};

void WriteFileBytes(const std::string& path, const std::string& bytes);
std::string ReadFileBytes(const std::string& path);  // throws when missing
bool FileExists(const std::string& path);
void RemoveTree(const std::string& path);

// Watches this process for visible #32770 dialogs from a helper thread and
// answers each with `answer` (returns the command id to send, or 0 to leave
// it alone). Stops in its destructor.
class DialogWatcher {
public:
    using Answer = std::function<int(HWND dialog, const SeenDialog&)>;
    explicit DialogWatcher(Answer answer);
    ~DialogWatcher();
    std::vector<SeenDialog> Seen();

private:
    void Loop();
    Answer answer_;
    std::atomic<bool> stop_{false};
    CRITICAL_SECTION lock_;
    std::vector<SeenDialog> seen_;
    struct Answered {
        HWND hwnd;
        int id;
        DWORD at;
    };
    std::vector<Answered> answered_;
    std::thread thread_;
};

// A name list as the shell reads it (NUL-separated, closed by one more NUL),
// up to and including the closing NUL.
std::string NameListText(const char* p);

