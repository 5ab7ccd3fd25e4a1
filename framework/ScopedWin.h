#pragma once
// Owners of Win32 handles: each releases its handle with the matching function when it
// goes out of scope. Move-only. GDI objects and DCs have theirs in CGdiObject and CDC.
#include <windows.h>
#include <utility>

template <class H, class Traits>
class ScopedWinHandle
{
public:
    ScopedWinHandle() = default;
    explicit ScopedWinHandle(H h) : m_h(h) {}
    ~ScopedWinHandle() { Reset(); }
    ScopedWinHandle(ScopedWinHandle&& other) noexcept : m_h(other.Release()) {}
    ScopedWinHandle& operator=(ScopedWinHandle&& other) noexcept
    {
        if (this != &other)
            Reset(other.Release());
        return *this;
    }
    ScopedWinHandle(const ScopedWinHandle&) = delete;
    ScopedWinHandle& operator=(const ScopedWinHandle&) = delete;

    H Get() const { return m_h; }
    operator H() const { return m_h; }
    bool IsValid() const { return Traits::IsValid(m_h); }
    H Release() { H h = m_h; m_h = Traits::Invalid(); return h; }
    void Reset(H h = Traits::Invalid())
    {
        if (Traits::IsValid(m_h))
            Traits::Close(m_h);
        m_h = h;
    }

private:
    H m_h = Traits::Invalid();
};

struct KernelHandleTraits
{
    static HANDLE Invalid() { return nullptr; }
    static bool IsValid(HANDLE h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { CloseHandle(h); }
};
using ScopedHandle = ScopedWinHandle<HANDLE, KernelHandleTraits>;

struct FindHandleTraits
{
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static bool IsValid(HANDLE h) { return h != INVALID_HANDLE_VALUE && h != nullptr; }
    static void Close(HANDLE h) { FindClose(h); }
};
using ScopedFindHandle = ScopedWinHandle<HANDLE, FindHandleTraits>;

struct HookTraits
{
    static HHOOK Invalid() { return nullptr; }
    static bool IsValid(HHOOK h) { return h != nullptr; }
    static void Close(HHOOK h) { UnhookWindowsHookEx(h); }
};
using ScopedHook = ScopedWinHandle<HHOOK, HookTraits>;

struct RegKeyTraits
{
    static HKEY Invalid() { return nullptr; }
    static bool IsValid(HKEY h) { return h != nullptr; }
    static void Close(HKEY h) { RegCloseKey(h); }
};
// An open registry key.
using ScopedRegKey = ScopedWinHandle<HKEY, RegKeyTraits>;

struct GlobalMemoryTraits
{
    static HGLOBAL Invalid() { return nullptr; }
    static bool IsValid(HGLOBAL h) { return h != nullptr; }
    static void Close(HGLOBAL h) { GlobalFree(h); }
};
// A block from GlobalAlloc, given back with GlobalFree.
using ScopedGlobal = ScopedWinHandle<HGLOBAL, GlobalMemoryTraits>;
