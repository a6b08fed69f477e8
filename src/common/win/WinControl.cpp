#include "common/win/WinControl.h"

#include "common/Exception.h"

TWinControl::~TWinControl()
{
    // A parent's destruction takes its children's windows with it.
    if (handle_ && IsWindow(handle_))
        DestroyWindow(handle_);
}

HWND TWinControl::Handle()
{
    if (!handle_ && factory_) {
        handle_ = factory_();
        if (!handle_)
            throw Exception(FormatText("%s: window could not be created", Name().c_str()));
    }
    return handle_;
}
