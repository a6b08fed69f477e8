#include "common/win/RadioGroup.h"

int TRadioGroup::ItemIndex() const
{
    for (size_t i = 0; i < Buttons.size(); ++i)
        if (SendMessageA(Buttons[i], BM_GETCHECK, 0, 0) == BST_CHECKED)
            return static_cast<int>(i);
    return -1;
}

void TRadioGroup::SetItemIndex(int index)
{
    for (size_t i = 0; i < Buttons.size(); ++i)
        SendMessageA(Buttons[i], BM_SETCHECK, static_cast<int>(i) == index ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TRadioGroup::SetEnabled(bool enabled)
{
    EnableWindow(Handle(), enabled);
    for (HWND b : Buttons)
        EnableWindow(b, enabled);
}
