#pragma once
// The temporary progress bar over the status bar's second panel, for one
// scan or one drop: shown when made, gone when destroyed.
#include <windows.h>

#include "common/win/Handles.h"

class TStatusBar;

class StatusProgress {
public:
    explicit StatusProgress(TStatusBar& statusBar);
    StatusProgress(const StatusProgress&) = delete;
    StatusProgress& operator=(const StatusProgress&) = delete;
    int Position() const { return position_; }
    void SetPosition(int position);
    HWND Handle() const { return bar_.Get(); }

private:
    WindowHandle bar_;
    int position_ = 0;
};
