#pragma once
// TRadioGroup: a flat group box with its radio items as sibling windows.
#include <windows.h>

#include <vector>

#include "common/win/WinControl.h"

class TRadioGroup : public TWinControl {
public:
    TRadioGroup(TComponent* owner, std::string name, HWND box, std::vector<HWND> buttons)
        : TWinControl(owner, std::move(name), [box] { return box; }), Buttons(std::move(buttons))
    {
    }
    const std::vector<HWND> Buttons;
    // The checked item, or -1.
    int ItemIndex() const;
    void SetItemIndex(int index);
    // The box and every item.
    void SetEnabled(bool enabled);
};
