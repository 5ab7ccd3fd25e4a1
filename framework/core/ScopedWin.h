#pragma once
// Owners of Win32 handles: each releases its handle with the matching function when it
// goes out of scope. Move-only. GDI objects and DCs have theirs in CGdiObject and CDC.
#include <windows.h>
#include <objbase.h>
#include <oleauto.h>
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

// Traits of a handle that is null when there is none; each owner adds its Close.
template <class H> struct NullHandleTraits
{
    static H Invalid() { return nullptr; }
    static bool IsValid(H h) { return h != nullptr; }
};

struct HookTraits : NullHandleTraits<HHOOK>
{
    static void Close(HHOOK h) { UnhookWindowsHookEx(h); }
};
using ScopedHook = ScopedWinHandle<HHOOK, HookTraits>;

struct RegKeyTraits : NullHandleTraits<HKEY>
{
    static void Close(HKEY h) { RegCloseKey(h); }
};
// An open registry key.
using ScopedRegKey = ScopedWinHandle<HKEY, RegKeyTraits>;

struct GlobalMemoryTraits : NullHandleTraits<HGLOBAL>
{
    static void Close(HGLOBAL h) { GlobalFree(h); }
};
// A block from GlobalAlloc, given back with GlobalFree.
using ScopedGlobal = ScopedWinHandle<HGLOBAL, GlobalMemoryTraits>;

struct BstrTraits : NullHandleTraits<BSTR>
{
    static void Close(BSTR h) { SysFreeString(h); }
};
// A string from SysAllocString, given back with SysFreeString. Null stands for the empty
// string, as COM has it.
class ScopedBstr : public ScopedWinHandle<BSTR, BstrTraits>
{
public:
    using ScopedWinHandle::ScopedWinHandle;
    ScopedBstr() = default;
    // The text converted from the ANSI code page; null for a null text.
    explicit ScopedBstr(LPCSTR pszText)
    {
        if (!pszText)
            return;
        int nLength = MultiByteToWideChar(CP_ACP, 0, pszText, -1, nullptr, 0);
        if (nLength <= 0)
            return;
        BSTR bstr = SysAllocStringLen(nullptr, static_cast<UINT>(nLength - 1));
        if (bstr)
            MultiByteToWideChar(CP_ACP, 0, pszText, -1, bstr, nLength);
        Reset(bstr);
    }
    UINT Length() const { return SysStringLen(Get()); }
};

// A VARIANT, cleared with VariantClear (which frees its string or releases its interface).
class ScopedVariant
{
public:
    ScopedVariant() { VariantInit(&m_var); }
    // VT_I4
    explicit ScopedVariant(LONG nValue) : ScopedVariant()
    {
        m_var.vt = VT_I4;
        m_var.lVal = nValue;
    }
    // VT_BSTR, taking the string (a null one is the empty string).
    explicit ScopedVariant(ScopedBstr&& bstr) : ScopedVariant()
    {
        m_var.vt = VT_BSTR;
        m_var.bstrVal = bstr.Release();
    }
    ~ScopedVariant() { VariantClear(&m_var); }
    ScopedVariant(ScopedVariant&& other) noexcept : m_var(other.m_var) { VariantInit(&other.m_var); }
    ScopedVariant& operator=(ScopedVariant&& other) noexcept
    {
        if (this != &other) {
            VariantClear(&m_var);
            m_var = other.m_var;
            VariantInit(&other.m_var);
        }
        return *this;
    }
    ScopedVariant(const ScopedVariant&) = delete;
    ScopedVariant& operator=(const ScopedVariant&) = delete;

    VARIANT* Get() { return &m_var; }
    const VARIANT* Get() const { return &m_var; }
    // Cleared, for a function that fills it in.
    VARIANT* Put()
    {
        VariantClear(&m_var);
        return &m_var;
    }

private:
    VARIANT m_var;
};

// An interface pointer holding one reference, released when it goes. Move-only.
template <class T>
class ScopedComPtr
{
public:
    ScopedComPtr() = default;
    // Takes over the reference the caller holds on p.
    explicit ScopedComPtr(T* p) : m_p(p) {}
    ~ScopedComPtr() { Reset(); }
    ScopedComPtr(ScopedComPtr&& other) noexcept : m_p(other.Detach()) {}
    ScopedComPtr& operator=(ScopedComPtr&& other) noexcept
    {
        if (this != &other)
            Reset(other.Detach());
        return *this;
    }
    ScopedComPtr(const ScopedComPtr&) = delete;
    ScopedComPtr& operator=(const ScopedComPtr&) = delete;

    T* Get() const { return m_p; }
    T* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }
    // Gives up the reference without releasing it.
    T* Detach()
    {
        T* p = m_p;
        m_p = nullptr;
        return p;
    }
    void Reset(T* p = nullptr)
    {
        T* pOld = m_p;
        m_p = p;
        if (pOld)
            pOld->Release();
    }
    // Released first, for a function that hands out a reference (CoCreateInstance...).
    T** Put()
    {
        Reset();
        return &m_p;
    }
    void** PutVoid() { return reinterpret_cast<void**>(Put()); }
    // Asks for interface U into out (empty on failure).
    template <class U>
    HRESULT QueryInterface(ScopedComPtr<U>& out) const
    {
        void** ppv = out.PutVoid();
        return m_p ? m_p->QueryInterface(__uuidof(U), ppv) : E_POINTER;
    }

private:
    T* m_p = nullptr;
};

// COM on the calling thread: Initialize, then Uninitialize (or the destructor) on the same
// thread. Only a successful Initialize (also one that finds COM already there) is balanced.
class ScopedComInitialize
{
public:
    ScopedComInitialize() = default;
    ~ScopedComInitialize() { Uninitialize(); }
    ScopedComInitialize(const ScopedComInitialize&) = delete;
    ScopedComInitialize& operator=(const ScopedComInitialize&) = delete;

    // S_OK, S_FALSE when COM was already initialised on this thread, or the failure.
    HRESULT Initialize()
    {
        if (m_bInitialized)
            return S_FALSE;
        HRESULT hr = CoInitialize(nullptr);
        m_bInitialized = SUCCEEDED(hr);
        return hr;
    }
    void Uninitialize()
    {
        if (m_bInitialized)
            CoUninitialize();
        m_bInitialized = false;
    }
    bool IsInitialized() const { return m_bInitialized; }

private:
    bool m_bInitialized = false;
};
