#pragma once
// Owners for the system's handles: copy deleted, move allowed, and the real
// invalid value of each kind checked (INVALID_HANDLE_VALUE for files and
// searches, null elsewhere).
#include <windows.h>
#include <objidl.h>
#include <shlobj.h>

#include <utility>

template <class Traits>
class UniqueHandle {
public:
    using Type = typename Traits::Type;
    UniqueHandle() = default;
    explicit UniqueHandle(Type h) : h_(h) {}
    ~UniqueHandle() { Reset(); }
    UniqueHandle(UniqueHandle&& o) noexcept : h_(std::exchange(o.h_, Traits::Invalid())) {}
    UniqueHandle& operator=(UniqueHandle&& o) noexcept
    {
        if (this != &o) {
            Reset();
            h_ = std::exchange(o.h_, Traits::Invalid());
        }
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Type Get() const { return h_; }
    bool Valid() const { return h_ != Traits::Invalid(); }
    explicit operator bool() const { return Valid(); }
    void Reset(Type h = Traits::Invalid())
    {
        if (Valid())
            Traits::Close(h_);
        h_ = h;
    }
    Type Release() { return std::exchange(h_, Traits::Invalid()); }
    // For out-parameters of the system's functions.
    Type* Put()
    {
        Reset();
        return &h_;
    }

private:
    Type h_ = Traits::Invalid();
};

struct FileTraits {
    using Type = HANDLE;
    static Type Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Type h) { CloseHandle(h); }
};
struct FindTraits {
    using Type = HANDLE;
    static Type Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Type h) { FindClose(h); }
};
struct KernelTraits {
    using Type = HANDLE;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { CloseHandle(h); }
};
struct RegKeyTraits {
    using Type = HKEY;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { RegCloseKey(h); }
};
struct WindowTraits {
    using Type = HWND;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { DestroyWindow(h); }
};
struct MenuTraits {
    using Type = HMENU;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { DestroyMenu(h); }
};
struct GdiTraits {
    using Type = HGDIOBJ;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { DeleteObject(h); }
};
struct GlobalTraits {
    using Type = HGLOBAL;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { GlobalFree(h); }
};

using FileHandle = UniqueHandle<FileTraits>;
using FindHandle = UniqueHandle<FindTraits>;
using KernelHandle = UniqueHandle<KernelTraits>;
using RegKey = UniqueHandle<RegKeyTraits>;
using WindowHandle = UniqueHandle<WindowTraits>;
using MenuHandle = UniqueHandle<MenuTraits>;
using GdiObject = UniqueHandle<GdiTraits>;
using GlobalMemory = UniqueHandle<GlobalTraits>;

// A COM pointer: Release once on destruction.
template <class T>
class ComPtr {
public:
    ComPtr() = default;
    explicit ComPtr(T* p) : p_(p) {}  // takes over one reference
    ~ComPtr() { Reset(); }
    ComPtr(ComPtr&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    ComPtr& operator=(ComPtr&& o) noexcept
    {
        if (this != &o) {
            Reset();
            p_ = std::exchange(o.p_, nullptr);
        }
        return *this;
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;

    T* Get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    T** Put()
    {
        Reset();
        return &p_;
    }
    void Reset()
    {
        if (p_)
            std::exchange(p_, nullptr)->Release();
    }

private:
    T* p_ = nullptr;
};

// Memory that a shell allocator handed out (item lists, buffers): freed with
// that allocator.
template <class T>
class ShellMemory {
public:
    ShellMemory(IMalloc* allocator, T* p) : allocator_(allocator), p_(p) {}
    ~ShellMemory()
    {
        if (p_)
            allocator_->Free(p_);
    }
    ShellMemory(const ShellMemory&) = delete;
    ShellMemory& operator=(const ShellMemory&) = delete;
    T* Get() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }

private:
    IMalloc* allocator_;
    T* p_;
};

// A locked global memory block, unlocked on every way out.
class GlobalLockGuard {
public:
    explicit GlobalLockGuard(HGLOBAL h) : h_(h), p_(h ? GlobalLock(h) : nullptr) {}
    ~GlobalLockGuard()
    {
        if (p_)
            GlobalUnlock(h_);
    }
    GlobalLockGuard(const GlobalLockGuard&) = delete;
    GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;
    void* Get() const { return p_; }
    SIZE_T Size() const { return p_ ? GlobalSize(h_) : 0; }

private:
    HGLOBAL h_;
    void* p_;
};

// A storage medium handed over by IDataObject::GetData, released once.
class StgMediumGuard {
public:
    StgMediumGuard() { ZeroMemory(&m_, sizeof m_); }
    ~StgMediumGuard()
    {
        if (owned_)
            ReleaseStgMedium(&m_);
    }
    StgMediumGuard(const StgMediumGuard&) = delete;
    StgMediumGuard& operator=(const StgMediumGuard&) = delete;
    STGMEDIUM* Put() { return &m_; }
    void Own() { owned_ = true; }
    const STGMEDIUM& Get() const { return m_; }

private:
    STGMEDIUM m_;
    bool owned_ = false;
};
