#pragma once
// A page laid out at one width: the boxes to draw, in drawing order, with their places in
// page coordinates (x from the view's left edge, y from the top of the page), the page's
// links and its size. Made by CLayoutBuilder, drawn by CHtmlPainter, asked by the view where
// the links are.
#include <windows.h>
#include <cstdint>
#include <string>
#include <vector>

enum PageBoxKind : unsigned char
{
    BOX_TEXT,     // a run of text in one font and colour
    BOX_IMAGE,    // a picture; nImage -1 for one that cannot be shown (a frame, its alt text inside)
    BOX_FILL,     // a background colour (a block's, table's or cell's), or one side of a border
    BOX_FRAME,    // a border of nThickness pixels inside rc
    BOX_RULE,     // a horizontal rule: nThickness 0 a groove, 1 a flat bar of colour cr
    BOX_BULLET,   // a list item's bullet: nThickness 0 disc, 1 circle, 2 square
    BOX_TILE,     // a background picture nImage, repeated over rc from its top-left corner
};

struct CPageBox
{
    RECT rc;
    PageBoxKind nKind;
    unsigned char nThickness;
    short nFont;         // BOX_TEXT, BOX_IMAGE alt text; a page has fewer than HTML_MAX_FONTS
    COLORREF cr;
    int nLink;           // the link the box belongs to, -1 for none
    int nImage;          // BOX_IMAGE
    // BOX_TEXT, BOX_IMAGE: the text in the layout's text buffer, which holds each text of
    // the page at most once (and list numbers): far below 4 GB. 32 bits keep a box small.
    uint32_t nText;
    uint32_t nTextLength;
};

// A link's address, in the boxes' buffer of addresses: one buffer for all the page's links
// rather than a string each.
struct CPageLink
{
    uint32_t nHref;
    uint32_t nHrefLength;
};

class CPageBoxes
{
public:
    std::vector<CPageBox> m_boxes;
    std::vector<CPageLink> m_links;
    std::string m_strText;   // the texts of all boxes, one after the other
    std::string m_strHrefs;  // the addresses of all links, one after the other
    int m_nWidth = 0;
    int m_nHeight = 0;
    COLORREF m_crBackground = RGB(255, 255, 255);
    int m_nBackgroundImage = -1;

    // Prepares the look-up of boxes by position; called once the boxes are all there.
    void Index();
    // The boxes that may meet the rows [nTop, nBottom), in drawing order: from *pnFirst up
    // to *pnEnd (the caller skips those that do not, a few more than those that do).
    void BoxRange(int nTop, int nBottom, size_t* pnFirst, size_t* pnEnd) const;
    // The link under a point, or -1.
    int LinkAt(POINT pt) const;
    // The rectangles of a link's boxes, in page order.
    std::vector<RECT> LinkRects(int nLink) const;
    std::string TextOf(const CPageBox& box) const { return m_strText.substr(box.nText, box.nTextLength); }
    // A link's address, as the page writes it.
    std::string Href(size_t nLink) const { return m_strHrefs.substr(m_links[nLink].nHref, m_links[nLink].nHrefLength); }
    // Adds a link to pszHref; returns its number.
    int AddLink(const char* pszHref);

private:
    // By group of boxes from the first: the lowest bottom of the boxes up to the group's
    // end, the highest top of those from its start.
    std::vector<int> m_anMaxBottom;
    std::vector<int> m_anMinTop;
};
