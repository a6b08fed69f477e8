#include "shell/drag_drop.h"

#include <shlobj.h>

#include <climits>
#include <cstddef>
#include <span>

#include "common/win/Application.h"
#include "common/win/Handles.h"
#include "common/win/SysError.h"
#include "shell/DropEffect.h"
#include "shell/DropFiles.h"

static_assert(dropdata::kHeaderSize == sizeof(DROPFILES) && dropdata::kFilesOffset == offsetof(DROPFILES, pFiles) &&
              dropdata::kWideOffset == offsetof(DROPFILES, fWide));
static_assert(dropeffect::kNone == DROPEFFECT_NONE && dropeffect::kCopy == DROPEFFECT_COPY &&
              dropeffect::kMove == DROPEFFECT_MOVE && dropeffect::kLink == DROPEFFECT_LINK);

namespace {

FORMATETC Format(CLIPFORMAT format) { return FORMATETC{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

// The name in the ANSI code page of the thread's locale. The older family
// knows no CP_THREAD_ACP; there the thread's code page is the system's.
std::string ToThreadAnsi(std::u16string_view name)
{
    if (name.size() > INT_MAX)
        return {};
    auto convert = [&](UINT codePage, char* out, int size) {
        return WideCharToMultiByte(codePage, 0, reinterpret_cast<LPCWSTR>(name.data()), static_cast<int>(name.size()),
                                   out, size, nullptr, nullptr);
    };
    UINT codePage = CP_THREAD_ACP;
    int n = convert(codePage, nullptr, 0);
    if (n <= 0) {
        codePage = CP_ACP;
        n = convert(codePage, nullptr, 0);
    }
    if (n <= 0)
        return {};
    std::string out(static_cast<size_t>(n), '\0');
    n = convert(codePage, out.data(), n);
    out.resize(n > 0 ? static_cast<size_t>(n) : 0);
    return out;
}

// Runs read over the medium's bytes while the block is locked. A medium that
// is not a global block, or a block that cannot be locked, is not read.
template <class Read>
void ReadMedium(const STGMEDIUM& medium, Read read)
{
    if (medium.tymed != TYMED_HGLOBAL || !medium.hGlobal)
        return;
    GlobalLockGuard lock(medium.hGlobal);
    if (!lock.Get())
        return;
    read(std::span<const std::byte>(static_cast<const std::byte*>(lock.Get()), lock.Size()));
}

}  // namespace

TDragDropTarget::~TDragDropTarget() { SetTarget(nullptr); }

void TDragDropTarget::SetTarget(TWinControl* V)
{
    if (V == target_)
        return;
    if (target_) {
        RemoveFreeNotification(target_);
        // A failure is ignored. It fails once the window is gone, and then OLE
        // keeps its registration and its reference to this object: owners
        // clear the target while the window still exists.
        if (registeredWindow_)
            RevokeDragDrop(registeredWindow_);
    }
    target_ = V;
    registeredWindow_ = nullptr;
    if (!V)
        return;
    HWND window;
    try {
        window = V->Handle();
    } catch (...) {
        target_ = nullptr;
        throw;
    }
    HRESULT hr = RegisterDragDrop(window, this);
    if (FAILED(hr)) {
        target_ = nullptr;
        throw EOleError(hr, dropdata::OleErrorText(static_cast<uint32_t>(hr), SysErrorMessage(static_cast<DWORD>(hr))));
    }
    registeredWindow_ = window;
    FreeNotification(V);
}

void TDragDropTarget::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && target_ && component == target_)
        SetTarget(nullptr);
}

HRESULT STDMETHODCALLTYPE TDragDropTarget::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropTarget)) {
        *ppv = static_cast<IDropTarget*>(this);
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE TDragDropTarget::AddRef() { return static_cast<ULONG>(-1); }
ULONG STDMETHODCALLTYPE TDragDropTarget::Release() { return static_cast<ULONG>(-1); }

HRESULT STDMETHODCALLTYPE TDragDropTarget::DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect)
{
    FORMATETC files = Format(CF_HDROP);
    FORMATETC text = Format(CF_TEXT);
    // Text is asked for only when there is no file list, in this order.
    const bool filesOffered = data && data->QueryGetData(&files) == S_OK;
    const bool textOffered = !filesOffered && data && data->QueryGetData(&text) == S_OK;
    offeredEffect_ = dropeffect::OfferedEffect(filesOffered, textOffered);
    if (effect)
        *effect = offeredEffect_;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TDragDropTarget::DragOver(DWORD, POINTL pt, DWORD* effect)
{
    bool accept = true;
    if (OnDragDropOver) {
        bool answered = false;
        Guarded([&] {
            OnDragDropOver(target_, pt.x, pt.y, accept);
            answered = true;
        });
        // A handler that failed has not accepted anything.
        if (!answered)
            accept = false;
    }
    if (effect)
        *effect = dropeffect::OverEffect(offeredEffect_, accept);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TDragDropTarget::DragLeave() { return S_OK; }

HRESULT STDMETHODCALLTYPE TDragDropTarget::Drop(IDataObject* data, DWORD, POINTL pt, DWORD* effect)
{
    bool taken = false;
    // The list and the medium are gone by the time an error is reported.
    Guarded([&] { taken = DropData(data, pt); });
    if (effect)
        *effect = dropeffect::DropResultEffect(*effect, offeredEffect_, taken);
    return S_OK;
}

bool TDragDropTarget::DropData(IDataObject* data, POINTL pt)
{
    if (!data)
        return false;
    FORMATETC files = Format(CF_HDROP);
    StgMediumGuard fileMedium;
    if (SUCCEEDED(data->GetData(&files, fileMedium.Put()))) {
        fileMedium.Own();
        if (!OnDragDropFiles)
            return true;
        std::vector<std::string> names;
        ReadMedium(fileMedium.Get(),
                   [&](std::span<const std::byte> block) { names = dropdata::ReadFileList(block, ToThreadAnsi); });
        if (!names.empty())
            OnDragDropFiles(target_, pt.x, pt.y, names);
        return true;
    }
    FORMATETC text = Format(CF_TEXT);
    StgMediumGuard textMedium;
    if (FAILED(data->GetData(&text, textMedium.Put())))
        return false;
    textMedium.Own();
    if (!OnDragDropText)
        return true;
    std::optional<std::string> dropped;
    ReadMedium(textMedium.Get(), [&](std::span<const std::byte> block) { dropped = dropdata::ReadText(block); });
    if (dropped)
        OnDragDropText(target_, pt.x, pt.y, std::move(*dropped));
    return true;
}
