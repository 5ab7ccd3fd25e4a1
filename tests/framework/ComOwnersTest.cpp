// The COM owners release what they hold exactly once, moves included.
#include "framework/core/ScopedWin.h"
#include <gtest/gtest.h>
#include <thread>

namespace
{
// An object of our own that counts its releases; it supports IUnknown and IPersist.
class CCountedObject : public IPersist
{
public:
    int m_nRefs = 1;
    int m_nReleases = 0;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (riid != IID_IUnknown && riid != IID_IPersist) {
            *ppv = nullptr;
            return E_NOINTERFACE;
        }
        *ppv = static_cast<IPersist*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++m_nRefs); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        ++m_nReleases;
        return static_cast<ULONG>(--m_nRefs);
    }
    HRESULT STDMETHODCALLTYPE GetClassID(CLSID*) override { return E_NOTIMPL; }
};
} // namespace

TEST(ScopedComPtr, ReleasesOnceAcrossMovesResetsAndQueries)
{
    CCountedObject object;
    {
        ScopedComPtr<IUnknown> pUnknown(&object);
        ScopedComPtr<IUnknown> pMoved(std::move(pUnknown));
        EXPECT_FALSE(pUnknown);
        EXPECT_EQ(0, object.m_nReleases);

        ScopedComPtr<IPersist> pPersist;
        EXPECT_EQ(S_OK, pMoved.QueryInterface(pPersist));
        EXPECT_EQ(static_cast<IPersist*>(&object), pPersist.Get());
        EXPECT_EQ(2, object.m_nRefs);
        pPersist.Reset();
        EXPECT_EQ(1, object.m_nReleases);

        ScopedComPtr<IDispatch> pDispatch;
        EXPECT_EQ(E_NOINTERFACE, pMoved.QueryInterface(pDispatch));
        EXPECT_FALSE(pDispatch);
        EXPECT_EQ(E_POINTER, pUnknown.QueryInterface(pDispatch));
    }
    EXPECT_EQ(2, object.m_nReleases);
    EXPECT_EQ(0, object.m_nRefs);
}

TEST(ScopedVariant, ClearsItsInterfaceOnceAndItsString)
{
    CCountedObject object;
    {
        ScopedVariant var;
        var.Get()->vt = VT_UNKNOWN;
        var.Get()->punkVal = &object;
        ScopedVariant moved(std::move(var));
        EXPECT_EQ(VT_EMPTY, var.Get()->vt);
        ScopedVariant number(42L);
        number = std::move(moved);
        EXPECT_EQ(0, object.m_nReleases);
    }
    EXPECT_EQ(1, object.m_nReleases);

    // "Vidéos" in the ANSI code page.
    ScopedVariant text(ScopedBstr("Vid\xe9os"));
    ASSERT_EQ(VT_BSTR, text.Get()->vt);
    EXPECT_EQ(std::wstring(L"Vid\u00e9os"), text.Get()->bstrVal);
    EXPECT_EQ(6u, SysStringLen(text.Get()->bstrVal));
    EXPECT_EQ(VT_EMPTY, text.Put()->vt);
    EXPECT_EQ(nullptr, ScopedBstr(static_cast<LPCSTR>(nullptr)).Get());
}

TEST(ScopedComInitialize, BalancesEverySuccessfulStart)
{
    HRESULT hrOuter = E_FAIL, hrInner = E_FAIL, hrAfter = E_FAIL;
    std::thread worker([&] {
        {
            ScopedComInitialize outer;
            hrOuter = outer.Initialize();
            ScopedComInitialize inner;
            hrInner = inner.Initialize();
        }
        // Both were undone: COM starts afresh.
        hrAfter = ::CoInitialize(nullptr);
        if (SUCCEEDED(hrAfter))
            ::CoUninitialize();
    });
    worker.join();
    EXPECT_EQ(S_OK, hrOuter);
    EXPECT_EQ(S_FALSE, hrInner);
    EXPECT_EQ(S_OK, hrAfter);
}
