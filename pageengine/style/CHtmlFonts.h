#pragma once
// The fonts of one page, made once per combination of face, size and weight and shared by
// the layout (which measures with them) and the painter (which draws with them). Text is
// measured from each font's table of character widths, so measuring costs no GDI call.
// Font 0 is the page's default font. Past HTML_MAX_FONTS combinations, font 0 is used.
#include "framework/gdi/CDC.h"
#include "framework/gdi/CFont.h"
#include "pageengine/layout/LayoutArithmetic.h"
#include <memory>
#include <string>
#include <vector>

class CHtmlFonts
{
public:
    CHtmlFonts();
    CHtmlFonts(const CHtmlFonts&) = delete;
    CHtmlFonts& operator=(const CHtmlFonts&) = delete;

    // The font for a face list as pages write it ("Verdana, Arial, sans-serif": the first
    // installed face wins; null or none installed: the default face), a size in pixels and
    // a style.
    int Get(const char* pszFaces, int nPixels, bool bBold, bool bItalic, bool bUnderline);
    int GetMonospace(int nPixels, bool bBold, bool bItalic, bool bUnderline);

    CFont* Font(int nFont) const { return &m_fonts[Index(nFont)]->font; }
    int Ascent(int nFont) const { return Entry(nFont).nAscent; }
    int Descent(int nFont) const { return Entry(nFont).nDescent; }
    // The font's widths of the 256 characters, when they measure text (one byte per
    // character); else null.
    const int* CharWidths(int nFont) const { return m_bSingleByte ? Entry(nFont).anWidths : nullptr; }
    int TextWidth(int nFont, const char* pch, size_t nLength) const
    {
        if (!m_bSingleByte)
            return MeasuredWidth(nFont, pch, nLength);
        // Inline: the layout asks for every word, several times per table cell.
        const int* anWidths = Entry(nFont).anWidths;
        long long nWidth = 0;
        for (size_t i = 0; i < nLength; ++i)
            nWidth += anWidths[static_cast<unsigned char>(pch[i])];
        return ClampedLength(nWidth);
    }

private:
    struct FontEntry
    {
        std::string strFace;
        int nPixels;
        bool bBold, bItalic, bUnderline;
        CFont font;
        int nAscent = 0, nDescent = 0;
        int anWidths[256] = {};
    };

    // A font out of the table's range is font 0, which the table always has.
    size_t Index(int nFont) const
    {
        return nFont > 0 && static_cast<size_t>(nFont) < m_fonts.size() ? static_cast<size_t>(nFont) : 0;
    }
    const FontEntry& Entry(int nFont) const { return *m_fonts[Index(nFont)]; }
    // Text of a code page with several bytes per character, measured by GDI.
    int MeasuredWidth(int nFont, const char* pch, size_t nLength) const;
    int Find(const std::string& strFace, BYTE nFamily, int nPixels, bool bBold, bool bItalic, bool bUnderline);
    bool IsInstalled(const std::string& strFace);

    mutable CDC m_dc;   // measures
    bool m_bSingleByte;     // the ANSI code page has one byte per character
    std::vector<std::unique_ptr<FontEntry>> m_fonts;
    std::vector<std::pair<std::string, bool>> m_installed;   // faces asked about
};
