// Run once in each new Wine prefix before the tests: the first font use in a prefix builds
// Wine's font cache and the first window starts the desktop process, both slow enough to
// upset a test's timing. After this, a test's first text and window cost what later ones do.
#include <windows.h>
#include <cstdio>

namespace
{
int CALLBACK CountFamily(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM lParam)
{
    ++*reinterpret_cast<int*>(lParam);
    return 1;
}

// The faces the program and its tests draw with, measured once each.
bool MeasureFaces(HDC hdc)
{
    static const char* const kFaces[] = {"MS Sans Serif", "Tahoma", "Arial", "Times New Roman", "Courier New", "Verdana"};
    for (const char* pszFace : kFaces) {
        HFONT hFont = ::CreateFontA(-16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, pszFace);
        if (!hFont)
            return false;
        HGDIOBJ hOld = ::SelectObject(hdc, hFont);
        SIZE size = {};
        bool bMeasured = ::GetTextExtentPoint32A(hdc, "Quitter", 7, &size) && size.cx > 0;
        ::SelectObject(hdc, hOld);
        ::DeleteObject(hFont);
        if (!bMeasured)
            return false;
    }
    return true;
}
} // namespace

int main()
{
    HDC hdc = ::CreateCompatibleDC(nullptr);
    LOGFONTA lf = {};
    lf.lfCharSet = DEFAULT_CHARSET;
    int nFamilies = 0;
    ::EnumFontFamiliesExA(hdc, &lf, CountFamily, reinterpret_cast<LPARAM>(&nFamilies), 0);
    bool bFonts = nFamilies > 0 && MeasureFaces(hdc);
    ::DeleteDC(hdc);

    // A window shown and destroyed starts the desktop where there is a display.
    HWND hWnd = ::CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    if (hWnd) {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageA(&msg);
        ::DestroyWindow(hWnd);
    }
    std::printf("%d font families%s\n", nFamilies, bFonts ? "" : ", a face could not be measured");
    std::fflush(stdout);
    return bFonts ? 0 : 1;
}
