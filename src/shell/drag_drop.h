#pragma once
// TDragDropTarget: makes one windowed control accept files (and text)
// dragged onto it through OLE, and hands what was dropped to its owner.
#include <windows.h>
#include <ole2.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "common/Component.h"
#include "common/Exception.h"
#include "common/win/WinControl.h"

using TDragDropFilesEvent =
    std::function<void(TWinControl* Sender, int32_t X, int32_t Y, const std::vector<std::string>& Files)>;
using TDragDropTextEvent = std::function<void(TWinControl* Sender, int32_t X, int32_t Y, std::string Text)>;
using TDragDropOverEvent = std::function<void(TWinControl* Sender, int32_t X, int32_t Y, bool& Accept)>;

// A failed OLE call, with its status code.
class EOleError : public Exception {
public:
    EOleError(HRESULT code, std::string message) : Exception(std::move(message)), code_(code) {}
    HRESULT ErrorCode() const { return code_; }

private:
    HRESULT code_;
};

class TDragDropTarget : public TComponent, public IDropTarget {
public:
    using TComponent::TComponent;
    ~TDragDropTarget() override;

    TWinControl* Target() const { return target_; }
    // Registers V's window (creating it) as a drop target; throws EOleError
    // when the platform refuses, leaving no target.
    void SetTarget(TWinControl* V);

    TDragDropFilesEvent OnDragDropFiles;
    TDragDropTextEvent OnDragDropText;
    TDragDropOverEvent OnDragDropOver;

    // IUnknown. Not reference counted: the owner decides the lifetime, and
    // clears the target (revoking the registration) while the target's
    // window still exists, before the object goes.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IDropTarget. Each returns S_OK.
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keyState, POINTL pt, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keyState, POINTL pt, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keyState, POINTL pt, DWORD* effect) override;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    // Hands the data to the handlers; false when the data gave no medium.
    bool DropData(IDataObject* data, POINTL pt);

    TWinControl* target_ = nullptr;
    HWND registeredWindow_ = nullptr;
    DWORD offeredEffect_ = DROPEFFECT_NONE;
};

// OLE for the thread, for the program's lifetime: made first in WinMain,
// before any window registers itself as a drop target.
class DragDropModule {
public:
    DragDropModule() : initialized_(SUCCEEDED(OleInitialize(nullptr))) {}
    // A failed start-up is not reported here: registering a target then fails.
    ~DragDropModule()
    {
        if (initialized_)
            OleUninitialize();
    }
    DragDropModule(const DragDropModule&) = delete;
    DragDropModule& operator=(const DragDropModule&) = delete;

private:
    bool initialized_;
};
