#pragma once
// A drag source of our own for the drop tests: a data object that carries
// real global memory blocks, a file-list builder as the shell makes them, and
// an IDropSource that walks the real cursor onto a target and drops there.
// Header-only: used by the Windows tests and by dragsource.exe.
#include <windows.h>
#include <ole2.h>
#include <shlobj.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "common/win/Handles.h"

namespace dragtest {

// A DROPFILES block: header, then the names, each NUL-terminated, and the
// closing NUL, in 16-bit units when wide.
inline std::string FileListBlock(const std::vector<std::string>& names)
{
    DROPFILES header = {};
    header.pFiles = sizeof header;
    std::string block(reinterpret_cast<const char*>(&header), sizeof header);
    for (const auto& n : names)
        block.append(n).push_back('\0');
    block.push_back('\0');
    return block;
}

inline std::string FileListBlock(const std::vector<std::wstring>& names)
{
    DROPFILES header = {};
    header.pFiles = sizeof header;
    header.fWide = TRUE;
    std::string block(reinterpret_cast<const char*>(&header), sizeof header);
    for (const auto& n : names)
        block.append(reinterpret_cast<const char*>(n.c_str()), (n.size() + 1) * sizeof(wchar_t));
    block.append(sizeof(wchar_t), '\0');
    return block;
}

inline std::wstring Widen(const std::string& ansi)
{
    int n = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
    std::wstring w(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), w.data(), n);
    return w;
}

// A global block holding exactly `bytes`; an empty moveable block (which
// cannot be locked) when `lockable` is false.
inline HGLOBAL GlobalBlock(const std::string& bytes, bool lockable = true)
{
    if (!lockable)
        return GlobalAlloc(GMEM_MOVEABLE, 0);
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (h && !bytes.empty()) {
        void* p = GlobalLock(h);
        std::memcpy(p, bytes.data(), bytes.size());
        GlobalUnlock(h);
    }
    return h;
}

// Counts the releases of the media it is put into (as pUnkForRelease).
class ReleaseCounter : public IUnknown {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (!IsEqualIID(riid, IID_IUnknown)) {
            *ppv = nullptr;
            return E_NOINTERFACE;
        }
        *ppv = this;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++handedOut; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        ++released;
        return --handedOut;
    }
    ULONG handedOut = 0;  // media handed over and not yet released
    int released = 0;
};

// Data with the given formats, each a block of bytes. With a counter, each
// medium handed out refers to it, and the blocks stay the object's own;
// without one, the receiver frees the block it is given.
class DataObject : public IDataObject {
public:
    struct Format {
        CLIPFORMAT format;
        std::string bytes;
        bool lockable = true;
    };
    explicit DataObject(std::vector<Format> formats, ReleaseCounter* counter = nullptr)
        : formats_(std::move(formats)), counter_(counter)
    {
    }
    DataObject(const DataObject&) = delete;
    DataObject& operator=(const DataObject&) = delete;

    int getDataCalls = 0;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDataObject)) {
            *ppv = static_cast<IDataObject*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    // Lives on the stack of whoever drags it.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* f, STGMEDIUM* m) override
    {
        ++getDataCalls;
        const Format* found = Find(f);
        if (!found)
            return DV_E_FORMATETC;
        HGLOBAL h = GlobalBlock(found->bytes, found->lockable);
        if (!h)
            return E_OUTOFMEMORY;
        m->tymed = TYMED_HGLOBAL;
        m->hGlobal = h;
        m->pUnkForRelease = nullptr;
        if (counter_) {
            kept_.emplace_back(h);
            counter_->AddRef();
            m->pUnkForRelease = counter_;
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* f) override { return Find(f) ? S_OK : DV_E_FORMATETC; }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override
    {
        out->ptd = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC** e) override
    {
        *e = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override
    {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    const Format* Find(const FORMATETC* f) const
    {
        if (!f || f->dwAspect != DVASPECT_CONTENT || !(f->tymed & TYMED_HGLOBAL))
            return nullptr;
        for (const auto& x : formats_)
            if (x.format == f->cfFormat)
                return &x;
        return nullptr;
    }
    std::vector<Format> formats_;
    ReleaseCounter* counter_;
    std::vector<GlobalMemory> kept_;
};

// Moves the real cursor along `path` (screen points), one point per
// question, stays at the last one for a few more (so the target sees it
// before the drop), then drops, noting the performance counter as it lets
// go. Escape cancels.
class CursorWalkSource : public IDropSource {
public:
    explicit CursorWalkSource(std::vector<POINT> path) : path_(std::move(path)) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropSource)) {
            *ppv = static_cast<IDropSource*>(this);
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD) override
    {
        if (escape)
            return DRAGDROP_S_CANCEL;
        if (step_ < path_.size()) {
            SetCursorPos(path_[step_].x, path_[step_].y);
            ++step_;
            return S_OK;
        }
        if (++held_ < kHold)
            return S_OK;
        QueryPerformanceCounter(&droppedAt);
        return DRAGDROP_S_DROP;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }

    LARGE_INTEGER droppedAt = {};

private:
    static constexpr int kHold = 3;
    std::vector<POINT> path_;
    size_t step_ = 0;
    int held_ = 0;
};

// From a point left of `window` to `to` (screen), in a few steps.
inline std::vector<POINT> PathOnto(HWND window, POINT to)
{
    RECT r;
    GetWindowRect(window, &r);
    POINT from = {r.left - 40, to.y};
    std::vector<POINT> path;
    const int steps = 4;
    for (int i = 0; i <= steps; ++i)
        path.push_back({from.x + (to.x - from.x) * i / steps, from.y});
    return path;
}

}  // namespace dragtest
