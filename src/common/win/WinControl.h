#pragma once
// A component with a window. Its window is made when it is first asked for.
#include <windows.h>

#include <functional>

#include "common/Component.h"

class TWinControl : public TComponent {
public:
    using Factory = std::function<HWND()>;
    TWinControl(TComponent* owner, std::string name, Factory factory)
        : TComponent(owner, std::move(name)), factory_(std::move(factory))
    {
    }
    ~TWinControl() override;

    // The control's window, made (with its parents') when it does not exist yet.
    HWND Handle();
    bool HandleAllocated() const { return handle_ != nullptr; }

protected:
    void SetHandle(HWND h) { handle_ = h; }

private:
    Factory factory_;
    HWND handle_ = nullptr;
};
