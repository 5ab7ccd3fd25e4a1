#include "pageengine/layout/CHtmlLineBuilder.h"
#include "pageengine/layout/LayoutArithmetic.h"
#include "pageengine/style/CHtmlFonts.h"
#include <algorithm>

namespace
{
// One comparison for the letters of most words: every blank is at or below ' '.
bool IsSpace(char ch)
{
    return static_cast<unsigned char>(ch) <= ' ' && (ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r' || ch == '\f');
}
} // namespace

CHtmlLineBuilder::CHtmlLineBuilder(CHtmlFonts& fonts, std::function<void()> onLineFull, std::function<bool()> onNoRoom)
    : m_fonts(fonts), m_onLineFull(std::move(onLineFull)), m_onNoRoom(std::move(onNoRoom))
{
}

void CHtmlLineBuilder::AddText(const char* pch, size_t nLength, const CInlineStyle& style)
{
    // Each word is measured as it is found.
    const int* anWidths = m_fonts.CharWidths(style.nFont);
    size_t i = 0;
    while (i < nLength) {
        size_t nEnd = i;
        long long nWidth = 0;
        if (anWidths) {
            // Where it stops at a word, that word is measured already.
            i = ContinueRuns(pch, i, nLength, style, anWidths, &nEnd, &nWidth);
            if (i >= nLength)
                break;
        }
        if (nEnd > i) {
            if (!ContinueRun(pch + i, nEnd - i, ClampedLength(nWidth), style))
                PlaceWord(pch + i, nEnd - i, ClampedLength(nWidth), style);
            i = nEnd;
            continue;
        }
        if (IsSpace(pch[i])) {
            while (i < nLength && IsSpace(pch[i]))
                ++i;
            if (m_nItems > 0) {
                m_bSpacePending = true;
                m_spaceStyle = style;
            }
            continue;
        }
        size_t nStart = i;
        if (anWidths) {
            for (; i < nLength && !IsSpace(pch[i]); ++i)
                nWidth += anWidths[static_cast<unsigned char>(pch[i])];
        } else {
            while (i < nLength && !IsSpace(pch[i]))
                ++i;
            nWidth = m_fonts.TextWidth(style.nFont, pch + nStart, i - nStart);
        }
        m_nWidestWord = std::max(m_nWidestWord, ClampedLength(nWidth));
        if (!ContinueRun(pch + nStart, i - nStart, ClampedLength(nWidth), style))
            PlaceWord(pch + nStart, i - nStart, ClampedLength(nWidth), style);
    }
}

// Most words continue the line's last run, in its style, after a blank of that style, and
// fit: PlaceWord's steps for that case, without the general ones. False (nothing done)
// for any other case.
bool CHtmlLineBuilder::ContinueRun(const char* pch, size_t nLength, int nWidth, const CInlineStyle& style)
{
    if (!ContinuesLastRun(style))
        return false;
    CLineItem& last = m_items[m_nItems - 1];
    int nSpace = m_bSpacePending ? SpaceWidth(style.nFont) : 0;
    if (static_cast<long long>(m_nX) + nSpace + nWidth > m_nWidth)
        return false;
    size_t nKept = m_bWidthsOnly ? 0 : nLength;
    if (m_bSpacePending) {
        m_bSpacePending = false;
        if (!m_bWidthsOnly) {
            AppendChars(" ", 1);
            ++last.nLength;
        }
        last.nWidth = ClampedLength(static_cast<long long>(last.nWidth) + nSpace);
        m_nX = ClampedLength(static_cast<long long>(m_nX) + nSpace);
        if (last.nX + static_cast<long long>(last.nWidth) != m_nX) {
            AppendRun(pch, nLength, nWidth, style);   // held lengths: the general step
            return true;
        }
    }
    AppendChars(pch, nKept);
    last.nLength += nKept;
    last.nWidth = ClampedLength(static_cast<long long>(last.nWidth) + nWidth);
    m_nX = ClampedLength(static_cast<long long>(m_nX) + nWidth);
    return true;
}

// ContinueRun for as many blanks and words as continue the line's last run (or start an
// empty line's first) and fit, without a call per word: each character is measured and
// copied in one step. Returns
// where it stopped: at the end, or at the first word (or blanks) it leaves to the general
// steps; a word it measured ends at *pnWordEnd, *pnWordWidth wide.
size_t CHtmlLineBuilder::ContinueRuns(const char* pch, size_t i, size_t nLength, const CInlineStyle& style, const int* anWidths,
                                      size_t* pnWordEnd, long long* pnWordWidth)
{
    if (m_nItems == 0) {
        // A line's first word starts its first run, as PlaceWord would start it when the
        // word fits; the words after it continue that run.
        if (m_bSpacePending || IsSpace(pch[i]))
            return i;
        size_t nEnd = i;
        long long nWord = 0;
        for (; nEnd < nLength && !IsSpace(pch[nEnd]); ++nEnd)
            nWord += anWidths[static_cast<unsigned char>(pch[nEnd])];
        m_nWidestWord = std::max(m_nWidestWord, ClampedLength(nWord));
        if (nWord > m_nWidth) {
            *pnWordEnd = nEnd;
            *pnWordWidth = nWord;
            return i;
        }
        AppendRun(pch + i, nEnd - i, static_cast<int>(nWord), style);
        i = nEnd;
    }
    if (!ContinuesLastRun(style))
        return i;
    CLineItem& last = m_items[m_nItems - 1];
    // Room for all that is left, each blank run kept as one blank, and a blank pending
    // from the text before. While measuring the words are copied there too, but not kept.
    size_t nMost = nLength - i + 1;
    if (m_strText.size() - m_nText < nMost)
        m_strText.resize(std::max(2 * m_strText.size(), m_nText + nMost));
    char* pEnd = &m_strText[0] + m_nText;   // the end of the kept text
    const long long nSpace = anWidths[static_cast<unsigned char>(' ')];
    // Lengths that would be held at HTML_MAX_COORDINATE are left to the general steps. The
    // run reaches from last.nX to nX: one bound on nX holds both it and the line.
    const long long nRight = std::min<long long>(std::min<long long>(m_nWidth, HTML_MAX_COORDINATE),
                                                 HTML_MAX_COORDINATE + static_cast<long long>(last.nX));
    long long nX = m_nX, nWidest = 0;
    bool bSpace = m_bSpacePending;
    while (i < nLength) {
        if (IsSpace(pch[i])) {
            do {
                ++i;
            } while (i < nLength && IsSpace(pch[i]));
            bSpace = true;
            continue;
        }
        size_t nStart = i;
        *pEnd = ' ';
        char* pWord = pEnd + (bSpace ? 1 : 0);
        long long nWord = 0;
        for (; i < nLength && !IsSpace(pch[i]); ++i) {
            unsigned char ch = static_cast<unsigned char>(pch[i]);
            nWord += anWidths[ch];
            pWord[i - nStart] = static_cast<char>(ch);
        }
        nWidest = std::max(nWidest, nWord);
        long long nWidth = (bSpace ? nSpace : 0) + nWord;
        if (nX + nWidth > nRight || nWord > HTML_MAX_COORDINATE) {
            *pnWordEnd = i;
            *pnWordWidth = nWord;
            i = nStart;
            break;
        }
        pEnd = pWord + (i - nStart);
        bSpace = false;
        nX += nWidth;
    }
    if (!m_bWidthsOnly) {
        size_t nText = static_cast<size_t>(pEnd - m_strText.data());
        last.nLength += nText - m_nText;
        m_nText = nText;
    }
    last.nWidth = static_cast<int>(nX - last.nX);
    m_nX = static_cast<int>(nX);
    m_nWidestWord = std::max(m_nWidestWord, ClampedLength(nWidest));
    m_bSpacePending = bSpace;
    if (bSpace)
        m_spaceStyle = style;
    return i;
}

void CHtmlLineBuilder::AddPreformatted(const char* pch, size_t nLength, const CInlineStyle& style)
{
    std::string strLine;
    for (size_t i = 0; i <= nLength; ++i) {
        char ch = i < nLength ? pch[i] : '\n';
        if (ch == '\r')
            continue;
        if (ch == '\t') {
            // To the next multiple of 8, near the line's start; one blank far along it.
            do {
                strLine += ' ';
            } while (++m_nPreColumn % 8 != 0 && m_nPreColumn < static_cast<size_t>(HTML_MAX_PRE_COLUMN));
            continue;
        }
        if (ch != '\n') {
            strLine += ch;
            ++m_nPreColumn;
            continue;
        }
        if (!strLine.empty())
            PlaceWord(strLine.data(), strLine.size(), m_fonts.TextWidth(style.nFont, strLine.data(), strLine.size()), style);
        strLine.clear();
        if (i < nLength) {
            Break(style.nFont, style.nLineHeight);
            m_nPreColumn = 0;
        }
    }
}

void CHtmlLineBuilder::AddImage(int nWidth, int nHeight, int nBorder, int nImage, const std::string& strAlt,
                                const CInlineStyle& style)
{
    int nOuterWidth = ClampedLength(nWidth + 2LL * nBorder);
    PlaceAtom(nOuterWidth);
    CLineItem item = {};
    item.bImage = true;
    item.nX = m_nX;
    item.nWidth = nOuterWidth;
    item.nAscent = ClampedLength(nHeight + 2LL * nBorder);
    item.style = style;
    item.nImage = nImage;
    item.nBorder = nBorder;
    item.nAlt = m_nText;
    item.nAltLength = strAlt.size();
    AppendChars(strAlt.data(), strAlt.size());
    NewItem() = item;
    m_nX = ClampedLength(static_cast<long long>(m_nX) + nOuterWidth);
}

void CHtmlLineBuilder::AddInlineBlock(int nWidth, int nAscent, int nDescent, int nBlock, const CInlineStyle& style)
{
    PlaceAtom(nWidth);
    CLineItem item = {};
    item.bImage = true;
    item.nX = m_nX;
    item.nWidth = nWidth;
    item.nAscent = nAscent;
    item.nDescent = nDescent;
    item.style = style;
    item.nImage = -1;
    item.nAlt = m_nText;
    item.nBlock = nBlock;
    NewItem() = item;
    m_nX = ClampedLength(static_cast<long long>(m_nX) + nWidth);
}

void CHtmlLineBuilder::Break(int nFont, int nLineHeight)
{
    if (m_nItems == 0) {
        m_nBreakFont = nFont;
        m_nBreakLineHeight = nLineHeight;
    }
    LineFull();
}

void CHtmlLineBuilder::Clear()
{
    m_nItems = 0;
    m_nText = 0;
    m_nX = 0;
    m_nBreakFont = -1;
    m_nBreakLineHeight = 0;
    m_bSpacePending = false;
}

void CHtmlLineBuilder::Reset()
{
    Clear();
    m_nWidth = 0;
    m_bBreakLongWords = true;
    m_bWidthsOnly = false;
    m_spaceStyle = {0, 0, -1};
    m_nPreColumn = 0;
    m_nWidestWord = 0;
}

void CHtmlLineBuilder::AppendChars(const char* pch, size_t nLength)
{
    // The buffer only grows: most words are copied into room it already has, without a
    // call or a check per character.
    if (m_strText.size() - m_nText < nLength)
        m_strText.resize(std::max(2 * m_strText.size(), m_nText + nLength));
    char* pTo = &m_strText[0] + m_nText;
    for (size_t i = 0; i < nLength; ++i)
        pTo[i] = pch[i];
    m_nText += nLength;
}

int CHtmlLineBuilder::SpaceWidth(int nFont) const
{
    return m_fonts.TextWidth(nFont, " ", 1);
}

// Makes room for something nWidth wide: a new line when it does not fit beside what the
// line holds; the pending blank between them then goes.
void CHtmlLineBuilder::PlaceAtom(int nWidth)
{
    int nSpace = m_bSpacePending ? SpaceWidth(m_spaceStyle.nFont) : 0;
    if (m_nItems > 0 && static_cast<long long>(m_nX) + nSpace + nWidth > m_nWidth)
        LineFull();
    if (m_nItems == 0) {
        // Each call moves the line down past a float beside it, until it fits or none is left.
        bool bWider = true;
        while (nWidth > m_nWidth && bWider)
            bWider = m_onNoRoom();
        return;
    }
    if (!m_bSpacePending)
        return;
    m_bSpacePending = false;
    // The blank belongs to a run of its own style: after the run before it, or before the
    // word after it; between two other styles it is only a gap.
    const CLineItem& last = m_items[m_nItems - 1];
    if (!last.bImage && last.style == m_spaceStyle)
        AppendRun(" ", 1, nSpace, m_spaceStyle);
    else
        m_nX = ClampedLength(static_cast<long long>(m_nX) + nSpace);
}

void CHtmlLineBuilder::PlaceWord(const char* pch, size_t nLength, int nWidth, const CInlineStyle& style)
{
    bool bSpaceJoinsWord = m_bSpacePending && m_spaceStyle == style && m_nItems > 0 &&
                           (m_items[m_nItems - 1].bImage || !(m_items[m_nItems - 1].style == style));
    if (bSpaceJoinsWord) {
        int nSpace = SpaceWidth(style.nFont);
        if (static_cast<long long>(m_nX) + nSpace + nWidth <= m_nWidth) {
            m_bSpacePending = false;
            AppendRun(" ", 1, nSpace, style);
        }
    }
    PlaceAtom(nWidth);
    while (m_bBreakLongWords && m_nItems == 0 && nWidth > m_nWidth && nLength > 1) {
        // Alone and still too wide: as many characters as fit (one at least) on this line.
        size_t nFit = 1;
        int nFitWidth = m_fonts.TextWidth(style.nFont, pch, 1);
        for (;;) {
            long long nNext = static_cast<long long>(nFitWidth) + m_fonts.TextWidth(style.nFont, pch + nFit, 1);
            if (nFit + 1 >= nLength || nNext > m_nWidth)
                break;
            nFitWidth = static_cast<int>(nNext);
            ++nFit;
        }
        AppendRun(pch, nFit, nFitWidth, style);
        LineFull();
        pch += nFit;
        nLength -= nFit;
        nWidth -= nFitWidth;
    }
    AppendRun(pch, nLength, nWidth, style);
}

void CHtmlLineBuilder::AppendRun(const char* pch, size_t nLength, int nWidth, const CInlineStyle& style)
{
    if (m_bWidthsOnly)
        nLength = 0;
    if (m_nItems > 0) {
        CLineItem& last = m_items[m_nItems - 1];
        if (!last.bImage && last.style == style && last.nX + last.nWidth == m_nX &&
            last.nText + last.nLength == m_nText) {
            AppendChars(pch, nLength);
            last.nLength += nLength;
            last.nWidth = ClampedLength(static_cast<long long>(last.nWidth) + nWidth);
            m_nX = ClampedLength(static_cast<long long>(m_nX) + nWidth);
            return;
        }
    }
    // Each field set in the item's place: cheaper than an item cleared, made aside and copied.
    CLineItem& item = NewItem();
    item.bImage = false;
    item.nX = m_nX;
    item.nWidth = nWidth;
    item.nAscent = m_fonts.Ascent(style.nFont);
    item.nDescent = m_fonts.Descent(style.nFont);
    item.style = style;
    item.nText = m_nText;
    item.nLength = nLength;
    item.nImage = -1;
    item.nBorder = 0;
    item.nAlt = 0;
    item.nAltLength = 0;
    item.nBlock = -1;
    AppendChars(pch, nLength);
    m_nX = ClampedLength(static_cast<long long>(m_nX) + nWidth);
}
