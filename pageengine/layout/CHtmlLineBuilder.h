#pragma once
// Fills one line of text and pictures at a time: collapses white space, breaks lines
// between words, and breaks a word wider than the whole line between its characters (while
// the layout measures, words stay whole, so that the widest word is the narrowest width).
// Words of the same font, colour and link next to each other make one run. When a line is
// full the builder calls the layout back, which places the line and clears the builder;
// when an empty line is too narrow for a word or picture it asks the layout for a wider one
// (lower down, past floating pictures).
#include <windows.h>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class CHtmlFonts;

struct CInlineStyle
{
    int nFont;
    COLORREF crText;
    int nLink;
    int nLineHeight = 0;   // pixels from line to line, 0 for the font's own
    COLORREF crFill = CLR_INVALID;   // the background of the text's element, CLR_INVALID for none
    bool operator==(const CInlineStyle& other) const
    {
        return nFont == other.nFont && crText == other.crText && nLink == other.nLink &&
               nLineHeight == other.nLineHeight && crFill == other.crFill;
    }
};

struct CLineItem
{
    bool bImage;
    int nX;
    int nWidth;
    int nAscent;       // above the baseline (a picture: all of it)
    int nDescent;
    CInlineStyle style;
    size_t nText;      // text: in the builder's text buffer
    size_t nLength;
    int nImage;        // picture: the page's image, -1 when broken
    int nBorder;       // picture: border thickness
    size_t nAlt;       // picture: alt text in the builder's buffer
    size_t nAltLength;
    int nBlock = -1;   // an inline block (bImage set, no picture): the layout's number for it
};

class CHtmlLineBuilder
{
public:
    // onNoRoom: true when the layout made the line wider.
    CHtmlLineBuilder(CHtmlFonts& fonts, std::function<void()> onLineFull, std::function<bool()> onNoRoom);

    void SetWidth(int nWidth) { m_nWidth = nWidth; }
    void SetBreakLongWords(bool bBreak) { m_bBreakLongWords = bBreak; }
    // While the layout measures only the widths count: the text is not kept.
    void SetWidthsOnly(bool bWidthsOnly) { m_bWidthsOnly = bWidthsOnly; }

    void AddText(const char* pch, size_t nLength, const CInlineStyle& style);
    // Preformatted text: every blank kept, lines ended only by its line feeds (and by
    // the width, when a line is wider than the view).
    void AddPreformatted(const char* pch, size_t nLength, const CInlineStyle& style);
    void AddImage(int nWidth, int nHeight, int nBorder, int nImage, const std::string& strAlt, const CInlineStyle& style);
    // A box laid out by the layout, standing in the line as a picture does, nAscent of it
    // above the baseline.
    void AddInlineBlock(int nWidth, int nAscent, int nDescent, int nBlock, const CInlineStyle& style);
    // Ends the line here (<br>): an empty line still takes the height of nFont, or
    // nLineHeight when set.
    void Break(int nFont, int nLineHeight = 0);

    // The widest word AddText has had since the flow started.
    int WidestWord() const { return m_nWidestWord; }

    bool IsEmpty() const { return m_nItems == 0; }
    int Width() const { return m_nX; }
    size_t ItemCount() const { return m_nItems; }
    const CLineItem& Item(size_t nItem) const { return m_items[nItem]; }
    std::string_view Text() const { return std::string_view(m_strText.data(), m_nText); }
    // The font of a <br> that ended an empty line, or -1.
    int BreakFont() const { return m_nBreakFont; }
    int BreakLineHeight() const { return m_nBreakLineHeight; }
    // Starts the next line (called by the layout once it has placed this one).
    void Clear();
    // Starts a new flow, as a new builder would (its buffers kept).
    void Reset();

private:
    void PlaceAtom(int nWidth);
    size_t ContinueRuns(const char* pch, size_t i, size_t nLength, const CInlineStyle& style, const int* anWidths,
                        size_t* pnWordEnd, long long* pnWordWidth);
    bool ContinueRun(const char* pch, size_t nLength, int nWidth, const CInlineStyle& style);
    // Whether text in style would go on the line's last run: a text run in that style, ending
    // where the line does, with no blank of another style pending.
    // Inline: asked once or twice per text the line takes.
    bool ContinuesLastRun(const CInlineStyle& style) const
    {
        if (m_nItems == 0)
            return false;
        const CLineItem& last = m_items[m_nItems - 1];
        return !last.bImage && last.style == style && (!m_bSpacePending || m_spaceStyle == style) &&
               last.nX + static_cast<long long>(last.nWidth) == m_nX && last.nText + last.nLength == m_nText;
    }
    void PlaceWord(const char* pch, size_t nLength, int nWidth, const CInlineStyle& style);
    int SpaceWidth(int nFont) const;
    void AppendChars(const char* pch, size_t nLength);
    void AppendRun(const char* pch, size_t nLength, int nWidth, const CInlineStyle& style);
    void LineFull() { m_onLineFull(); }
    CLineItem& NewItem()
    {
        if (m_nItems == m_items.size())
            m_items.emplace_back();
        return m_items[m_nItems++];
    }

    CHtmlFonts& m_fonts;
    std::function<void()> m_onLineFull;
    std::function<bool()> m_onNoRoom;
    int m_nWidth = 0;
    bool m_bBreakLongWords = true;
    bool m_bWidthsOnly = false;
    // The line's items are the first m_nItems: the others are kept to be filled again.
    std::vector<CLineItem> m_items;
    size_t m_nItems = 0;
    std::string m_strText;   // the line's texts in its first m_nText characters
    size_t m_nText = 0;
    int m_nX = 0;
    int m_nBreakFont = -1;
    int m_nBreakLineHeight = 0;
    bool m_bSpacePending = false;
    CInlineStyle m_spaceStyle = {0, 0, -1};
    size_t m_nPreColumn = 0;
    int m_nWidestWord = 0;
};
