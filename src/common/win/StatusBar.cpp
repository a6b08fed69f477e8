#include "common/win/StatusBar.h"

#include <commctrl.h>

void TStatusBar::SetPanels(int count, int width)
{
    std::vector<int> edges;
    for (int i = 1; i <= count; ++i)
        edges.push_back(i * width);
    SendMessageA(Handle(), SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
}

void TStatusBar::SetPanelText(int panel, const std::string& text)
{
    // Two tabs right-align a panel's text.
    std::string aligned = "\t\t" + text;
    SendMessageA(Handle(), SB_SETTEXTA, panel, reinterpret_cast<LPARAM>(aligned.c_str()));
}
