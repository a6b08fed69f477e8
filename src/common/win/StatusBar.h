#pragma once
// TStatusBar: a status bar of fixed panels.
#include <windows.h>

#include <string>
#include <vector>

#include "common/win/WinControl.h"

class TStatusBar : public TWinControl {
public:
    using TWinControl::TWinControl;
    // Each panel `width` pixels wide.
    void SetPanels(int count, int width);
    // A panel's text, right-aligned.
    void SetPanelText(int panel, const std::string& text);
};
