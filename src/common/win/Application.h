#pragma once
// The application object: the hidden top-level owner window (it owns the main
// window and the message boxes, takes the stay-on-top setting and carries the
// taskbar button), the message loop and the general error report.
#include <windows.h>

#include <exception>
#include <functional>
#include <string>

class TApplication {
public:
    // Creates the owner window (raises when it cannot); safe to call more
    // than once.
    void Initialize(HINSTANCE instance);
    HWND Handle() const { return handle_; }
    HINSTANCE Instance() const { return instance_; }
    const std::string& Title() const { return title_; }

    // The program's button on the taskbar, once the main window shows.
    void ShowTaskbarButton();

    // Dispatch every message waiting in the thread's queue, then return.
    void ProcessMessages();
    // Run the message loop until the quit message; returns its exit code.
    int Run();
    bool Terminated() const { return terminated_; }

    int ShowMessageBox(const std::string& text, const std::string& caption, UINT flags);
    // The general error report: the error's message in a stop box, then go on.
    void ShowException(const std::exception& e);

    // The main window: Tab and the arrow keys move between its controls.
    HWND MainWindow = nullptr;

    // Tests watch what reaches the error report instead of a box.
    std::function<void(const std::string&)> OnException;

private:
    void Dispatch(MSG& msg);

    HINSTANCE instance_ = nullptr;
    HWND handle_ = nullptr;
    std::string title_;
    bool terminated_ = false;
    int exitCode_ = 0;
};

extern TApplication Application;

// Runs f; an error is handed to the general error report instead of crossing
// into the system's frames. For window procedures and COM callbacks.
template <class F>
void Guarded(F&& f) noexcept
{
    try {
        f();
    } catch (const std::exception& e) {
        Application.ShowException(e);
    }
}
