#pragma once
// Owners of Win32 handles: each releases its handle with the matching function when it
// goes out of scope. Move-only.
#include <windows.h>
#include <ole2.h>
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

template <class T>
struct GdiObjectTraits
{
    static T Invalid() { return nullptr; }
    static bool IsValid(T h) { return h != nullptr; }
    static void Close(T h) { DeleteObject(h); }
};
template <class T>
using ScopedGdiObject = ScopedWinHandle<T, GdiObjectTraits<T>>;
using ScopedBitmap = ScopedGdiObject<HBITMAP>;
using ScopedBrush = ScopedGdiObject<HBRUSH>;
using ScopedPen = ScopedGdiObject<HPEN>;
using ScopedFont = ScopedGdiObject<HFONT>;
using ScopedPalette = ScopedGdiObject<HPALETTE>;
using ScopedRegion = ScopedGdiObject<HRGN>;

struct CreatedDCTraits
{
    static HDC Invalid() { return nullptr; }
    static bool IsValid(HDC h) { return h != nullptr; }
    static void Close(HDC h) { DeleteDC(h); }
};
// A DC made with CreateCompatibleDC or CreateDC.
using ScopedCreatedDC = ScopedWinHandle<HDC, CreatedDCTraits>;

// A window's DC from GetDC, given back with ReleaseDC.
class ScopedGetDC
{
public:
    explicit ScopedGetDC(HWND hWnd) : m_hWnd(hWnd), m_hDC(GetDC(hWnd)) {}
    ~ScopedGetDC() { if (m_hDC) ReleaseDC(m_hWnd, m_hDC); }
    ScopedGetDC(const ScopedGetDC&) = delete;
    ScopedGetDC& operator=(const ScopedGetDC&) = delete;
    operator HDC() const { return m_hDC; }

private:
    HWND m_hWnd;
    HDC m_hDC;
};

// Selects an object into a DC and puts the previous one back.
class ScopedSelectObject
{
public:
    ScopedSelectObject(HDC hDC, HGDIOBJ hObj) : m_hDC(hDC), m_hOld(SelectObject(hDC, hObj)) {}
    ~ScopedSelectObject() { if (m_hOld && m_hOld != HGDI_ERROR) SelectObject(m_hDC, m_hOld); }
    ScopedSelectObject(const ScopedSelectObject&) = delete;
    ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;

private:
    HDC m_hDC;
    HGDIOBJ m_hOld;
};

struct GlobalMemoryTraits
{
    static HGLOBAL Invalid() { return nullptr; }
    static bool IsValid(HGLOBAL h) { return h != nullptr; }
    static void Close(HGLOBAL h) { GlobalFree(h); }
};
// A block from GlobalAlloc, given back with GlobalFree.
using ScopedGlobal = ScopedWinHandle<HGLOBAL, GlobalMemoryTraits>;

// A COM interface pointer, released when the owner goes. Out() hands its address to a
// function that returns a new reference (the previous one is released first).
template <class T>
class ScopedComPtr
{
public:
    ScopedComPtr() = default;
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
    T** Out() { Reset(); return &m_p; }
    // Gives up the reference without releasing it.
    T* Detach() { T* p = m_p; m_p = nullptr; return p; }
    void Reset(T* p = nullptr)
    {
        if (m_p)
            m_p->Release();
        m_p = p;
    }
    // Another interface of the same object, by its IID.
    template <class U>
    HRESULT QueryInterface(REFIID riid, ScopedComPtr<U>& result) const
    {
        return m_p ? m_p->QueryInterface(riid, reinterpret_cast<void**>(result.Out())) : E_POINTER;
    }

private:
    T* m_p = nullptr;
};

// A BSTR, freed with SysFreeString. Made from ANSI text in the ANSI code page.
class ScopedBstr
{
public:
    ScopedBstr() = default;
    explicit ScopedBstr(LPCSTR pszText)
    {
        int nChars = ::MultiByteToWideChar(CP_ACP, 0, pszText, -1, nullptr, 0);
        if (nChars > 0 && (m_bstr = ::SysAllocStringLen(nullptr, static_cast<UINT>(nChars - 1))) != nullptr)
            ::MultiByteToWideChar(CP_ACP, 0, pszText, -1, m_bstr, nChars);
    }
    ~ScopedBstr() { ::SysFreeString(m_bstr); }
    ScopedBstr(ScopedBstr&& other) noexcept : m_bstr(other.m_bstr) { other.m_bstr = nullptr; }
    ScopedBstr& operator=(ScopedBstr&& other) noexcept
    {
        std::swap(m_bstr, other.m_bstr);
        return *this;
    }
    ScopedBstr(const ScopedBstr&) = delete;
    ScopedBstr& operator=(const ScopedBstr&) = delete;

    BSTR Get() const { return m_bstr; }
    BSTR* Out() { ::SysFreeString(m_bstr); m_bstr = nullptr; return &m_bstr; }

private:
    BSTR m_bstr = nullptr;
};

// A VARIANT, cleared with VariantClear.
class ScopedVariant
{
public:
    ScopedVariant() { ::VariantInit(&m_var); }
    ~ScopedVariant() { ::VariantClear(&m_var); }
    ScopedVariant(const ScopedVariant&) = delete;
    ScopedVariant& operator=(const ScopedVariant&) = delete;

    VARIANT* Get() { return &m_var; }
    VARIANT* operator->() { return &m_var; }

private:
    VARIANT m_var;
};

// COM on the calling thread (single-threaded apartment), for the owner's lifetime.
class ScopedCoInitialize
{
public:
    ScopedCoInitialize() : m_hr(::CoInitialize(nullptr)) {}
    ~ScopedCoInitialize() { if (SUCCEEDED(m_hr)) ::CoUninitialize(); }
    ScopedCoInitialize(const ScopedCoInitialize&) = delete;
    ScopedCoInitialize& operator=(const ScopedCoInitialize&) = delete;
    bool Succeeded() const { return SUCCEEDED(m_hr); }

private:
    HRESULT m_hr;
};
