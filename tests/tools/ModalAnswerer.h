#pragma once
// Answers the modal dialogs a Windows test provokes, in-process and without
// waiting: a WH_CBT hook on the calling thread sees every dialog (#32770) as
// it is activated, which for a modal one is after its initialisation and
// before its modal loop runs. The answer records what the dialog shows and
// posts the chosen button's command, which that loop then handles. Dialogs a
// dialog opens (the shell's overwrite question, the folder browser) run on the
// same thread, so they are seen in their turn.
//
// Answerers nest: the innermost one alive on the thread answers. The Windows
// tests' main keeps one under all others that fails the test and cancels any
// dialog nobody expected, so that a fault fails instead of hanging.
#include <windows.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "common/win/Handles.h"

// A hook on this thread's messages or windows, unhooked once.
struct HookTraits {
    using Type = HHOOK;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { UnhookWindowsHookEx(h); }
};
using HookHandle = UniqueHandle<HookTraits>;

// A dialog as the answerer found it.
struct SeenDialog {
    HWND hwnd = nullptr;  // good only while the dialog is up (inside an answer)
    std::string caption;
    std::string text;  // a message box's text (control 0xFFFF), else empty
    HWND owner = nullptr;
    LONG style = 0;
    std::vector<int> buttons;  // ids of its push buttons, in child order
    HICON icon = nullptr;      // the icon a message box shows, if any
};

class ModalAnswerer {
public:
    // The button to press for each dialog, or 0 to leave the dialog to the
    // test (say, one that presses from the folder browser's own callback).
    using Answer = std::function<int(const SeenDialog&)>;
    explicit ModalAnswerer(Answer answer);
    // The buttons for the dialogs in the order they show. A dialog beyond
    // the script fails the test and is cancelled; so with no script, every
    // dialog is one too many.
    ModalAnswerer() : ModalAnswerer(std::vector<int>{}) {}
    ModalAnswerer(std::initializer_list<int> script);
    explicit ModalAnswerer(std::vector<int> script);
    ~ModalAnswerer();
    ModalAnswerer(const ModalAnswerer&) = delete;
    ModalAnswerer& operator=(const ModalAnswerer&) = delete;

    // Every dialog seen, in order.
    const std::vector<SeenDialog>& Seen() const { return seen_; }

    // Called by the hook for a dialog that has just been activated.
    void Take(HWND dialog);

private:
    Answer answer_;
    std::vector<SeenDialog> seen_;
};

// Presses a dialog's button as a click would, through the dialog's queue.
void PressDialogButton(HWND dialog, int id);

// The text of a dialog's control.
std::string DialogItemText(HWND dialog, int id);
