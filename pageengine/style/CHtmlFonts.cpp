#include "pageengine/style/CHtmlFonts.h"
#include "pageengine/HtmlConstants.h"
#include "pageengine/layout/LayoutArithmetic.h"
#include "framework/gdi/CScopedSelect.h"
#include <algorithm>
#include <climits>

namespace
{
const char kSerif[] = "Times New Roman";
const char kSansSerif[] = "Arial";
const char kMonospace[] = "Courier New";

int CALLBACK OnFontFound(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM lParam)
{
    *reinterpret_cast<bool*>(lParam) = true;
    return 0;
}

std::string Trimmed(const std::string& str)
{
    size_t nFirst = str.find_first_not_of(" \t\r\n\"'");
    if (nFirst == std::string::npos)
        return std::string();
    size_t nLast = str.find_last_not_of(" \t\r\n\"'");
    return str.substr(nFirst, nLast - nFirst + 1);
}

// The face of a generic family name, or null for other names.
const char* GenericFace(const std::string& strName)
{
    if (::lstrcmpiA(strName.c_str(), "serif") == 0)
        return kSerif;
    if (::lstrcmpiA(strName.c_str(), "sans-serif") == 0)
        return kSansSerif;
    if (::lstrcmpiA(strName.c_str(), "monospace") == 0)
        return kMonospace;
    return nullptr;
}
} // namespace

CHtmlFonts::CHtmlFonts()
{
    m_dc.CreateCompatibleDC(nullptr);
    CPINFO info = {};
    m_bSingleByte = !::GetCPInfo(CP_ACP, &info) || info.MaxCharSize == 1;
    Find(kSerif, FF_ROMAN, 16, false, false, false);
}

int CHtmlFonts::Get(const char* pszFaces, int nPixels, bool bBold, bool bItalic, bool bUnderline)
{
    std::string strFace = kSerif;
    BYTE nFamily = FF_ROMAN;
    if (pszFaces && *pszFaces) {
        std::string strFaces = pszFaces;
        for (size_t nStart = 0; nStart <= strFaces.size();) {
            size_t nComma = std::min(strFaces.find(',', nStart), strFaces.size());
            std::string strName = Trimmed(strFaces.substr(nStart, nComma - nStart));
            nStart = nComma + 1;
            if (strName.empty() || strName.size() >= LF_FACESIZE)
                continue;
            if (const char* pszGeneric = GenericFace(strName)) {
                strFace = pszGeneric;
                nFamily = pszGeneric == kMonospace ? FF_MODERN : pszGeneric == kSansSerif ? FF_SWISS : FF_ROMAN;
                break;
            }
            if (IsInstalled(strName)) {
                strFace = strName;
                nFamily = FF_DONTCARE;
                break;
            }
        }
    }
    return Find(strFace, nFamily, nPixels, bBold, bItalic, bUnderline);
}

int CHtmlFonts::GetMonospace(int nPixels, bool bBold, bool bItalic, bool bUnderline)
{
    return Find(kMonospace, FF_MODERN, nPixels, bBold, bItalic, bUnderline);
}

int CHtmlFonts::MeasuredWidth(int nFont, const char* pch, size_t nLength) const
{
    CScopedSelect select(&m_dc, Entry(nFont).font.GetSafeHandle());
    SIZE size = {};
    ::GetTextExtentPoint32A(m_dc, pch, static_cast<int>(std::min<size_t>(nLength, INT_MAX)), &size);
    return ClampedLength(size.cx);
}

int CHtmlFonts::Find(const std::string& strFace, BYTE nFamily, int nPixels, bool bBold, bool bItalic, bool bUnderline)
{
    nPixels = std::max(1, std::min(nPixels, 400));
    for (size_t i = 0; i < m_fonts.size(); ++i) {
        const FontEntry& entry = *m_fonts[i];
        if (entry.nPixels == nPixels && entry.bBold == bBold && entry.bItalic == bItalic &&
            entry.bUnderline == bUnderline && entry.strFace == strFace)
            return static_cast<int>(i);
    }
    if (m_fonts.size() >= static_cast<size_t>(HTML_MAX_FONTS))
        return 0;

    auto entry = std::make_unique<FontEntry>();
    entry->strFace = strFace;
    entry->nPixels = nPixels;
    entry->bBold = bBold;
    entry->bItalic = bItalic;
    entry->bUnderline = bUnderline;
    LOGFONTA lf = {};
    lf.lfHeight = -nPixels;
    lf.lfWeight = bBold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = bItalic;
    lf.lfUnderline = bUnderline;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = static_cast<BYTE>(nFamily | (nFamily == FF_MODERN ? FIXED_PITCH : DEFAULT_PITCH));
    lstrcpynA(lf.lfFaceName, strFace.c_str(), LF_FACESIZE);
    // Font 0 is always there, whatever the system refuses: without a font of its own it
    // measures and draws with the DC's font.
    if (!entry->font.CreateFontIndirect(&lf) && !m_fonts.empty())
        return 0;

    CScopedSelect select(&m_dc, &entry->font);
    TEXTMETRICA tm = {};
    ::GetTextMetricsA(m_dc, &tm);
    entry->nAscent = tm.tmAscent;
    // The font's line gap (GDI's external leading) goes below its text, so that a line is as
    // tall as browsers make it: 18 pixels for the default 16-pixel font, not 17.
    entry->nDescent = tm.tmDescent + tm.tmExternalLeading;
    if (!::GetCharWidth32A(m_dc, 0, 255, entry->anWidths)) {
        for (int ch = 0; ch < 256; ++ch) {
            char c = static_cast<char>(ch);
            SIZE size = {};
            ::GetTextExtentPoint32A(m_dc, &c, 1, &size);
            entry->anWidths[ch] = size.cx;
        }
    }
    m_fonts.push_back(std::move(entry));
    return static_cast<int>(m_fonts.size() - 1);
}

bool CHtmlFonts::IsInstalled(const std::string& strFace)
{
    for (const auto& known : m_installed)
        if (::lstrcmpiA(known.first.c_str(), strFace.c_str()) == 0)
            return known.second;
    bool bFound = false;
    if (m_installed.size() < 64) {
        LOGFONTA lf = {};
        lf.lfCharSet = DEFAULT_CHARSET;
        lstrcpynA(lf.lfFaceName, strFace.c_str(), LF_FACESIZE);
        ::EnumFontFamiliesExA(m_dc, &lf, OnFontFound, reinterpret_cast<LPARAM>(&bFound), 0);
        m_installed.emplace_back(strFace, bFound);
    }
    return bFound;
}
