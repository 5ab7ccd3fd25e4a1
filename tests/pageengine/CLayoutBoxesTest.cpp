// Boxes from style attributes: blocks with their margins, borders, padding, widths and
// backgrounds, the display an element takes, line heights, and cells' padding and vertical
// alignment, checked by the places of the boxes laid out and by the pixels drawn.
#include "pageengine/view/CHtmlPage.h"
#include "support/CTempFolder.h"
#include "support/DibTestSupport.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{
const int kWidth = 400;
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kGreen = RGB(0, 128, 0);

class LayoutBoxes : public ::testing::Test
{
protected:
    void SetUp() override { m_folder.WriteFile("vert.bmp", MakeBmp24(4, 4, [](int, int) { return kGreen; })); }

    const CPageBoxes& Lay(const std::string& strPage)
    {
        m_page.LoadText(strPage, m_folder.Path().str());
        m_page.Layout(kWidth);
        return m_page.GetLayout();
    }

    std::vector<RECT> Boxes(PageBoxKind nKind, COLORREF cr) const
    {
        std::vector<RECT> rects;
        for (const CPageBox& box : m_page.GetLayout().m_boxes)
            if (box.nKind == nKind && (nKind == BOX_TILE || nKind == BOX_BULLET || box.cr == cr))
                rects.push_back(box.rc);
        return rects;
    }

    RECT Text(const char* pszText) const
    {
        const CPageBoxes& layout = m_page.GetLayout();
        for (const CPageBox& box : layout.m_boxes)
            if (box.nKind == BOX_TEXT && layout.TextOf(box) == pszText)
                return box.rc;
        ADD_FAILURE() << "no box of " << pszText;
        return {};
    }

    CTempFolder m_folder{"kelo-boxes"};
    CHtmlPage m_page;
};

void ExpectRect(const RECT& rcExpected, const RECT& rc, const char* pszWhat)
{
    EXPECT_TRUE(::EqualRect(&rcExpected, &rc)) << pszWhat << ": " << rc.left << "," << rc.top << "," << rc.right << ","
                                               << rc.bottom << " instead of " << rcExpected.left << "," << rcExpected.top
                                               << "," << rcExpected.right << "," << rcExpected.bottom;
}
} // namespace

TEST_F(LayoutBoxes, BlocksTakeTheirMarginsBorderPaddingWidthAndBackground)
{
    // The body's margin is 8, a paragraph's 16.
    struct Case
    {
        const char* pszPage;
        RECT rcFill;       // its bottom, when 0, is nBelowText under the text's
        int nBelowText;
        POINT ptText;      // where "x" starts
    } cases[] = {
        {"<div style=\"margin:10px 20px;padding:5px;border:3px solid #0000ff;background:#ff0000\">x</div>", {31, 13, 369, 0}, 5, {36, 18}},
        {"<div style=\"width:100px;margin:0 auto;background:#ff0000\">x</div>", {150, 8, 250, 0}, 0, {150, 8}},
        {"<div style=\"width:50%;padding:0 10px;background-color:#ff0000\">x</div>", {8, 8, 220, 0}, 0, {18, 8}},
        // The paragraph's margins collapse through the box's edges without border or padding...
        {"<div style=\"background:#ff0000\"><p>x</p></div>", {8, 16, 392, 0}, 0, {8, 16}},
        // ...not through a padding or a border.
        {"<div style=\"padding-top:1px;background:#ff0000\"><p>x</p></div>", {8, 8, 392, 0}, 0, {8, 25}},
        {"<div style=\"border-bottom:2px solid #0000ff;background:#ff0000\"><p>x</p></div>", {8, 16, 392, 0}, 16, {8, 16}},
        {"<div style=\"height:50px;background:#ff0000\">x</div>", {8, 8, 392, 58}, 0, {8, 8}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszPage);
        Lay(c.pszPage);
        std::vector<RECT> fills = Boxes(BOX_FILL, kRed);
        ASSERT_EQ(1u, fills.size());
        RECT rcText = Text("x");
        RECT rcFill = c.rcFill;
        if (rcFill.bottom == 0)
            rcFill.bottom = rcText.bottom + c.nBelowText;
        ExpectRect(rcFill, fills[0], "background");
        EXPECT_EQ(c.ptText.x, rcText.left);
        EXPECT_EQ(c.ptText.y, rcText.top);
    }

    // A block after a box of set height starts below it and its margin.
    Lay("<div style=\"height:50px\">x</div><p>y</p>");
    EXPECT_EQ(8 + 50 + 16, Text("y").top);

    // The border's sides around the background, a picture tiled over it, drawn.
    Lay("<div style=\"margin:10px 20px;padding:5px;border:3px solid #0000ff;border-left:6px solid #0000ff;"
        "background:#ff0000 url(vert.bmp)\">x</div>");
    RECT rcText = Text("x");
    int nBottom = rcText.bottom + 8;
    std::vector<RECT> sides = Boxes(BOX_FILL, kBlue);
    ASSERT_EQ(4u, sides.size());
    ExpectRect({28, 10, 372, 13}, sides[0], "top");
    ExpectRect({369, 13, 372, nBottom - 3}, sides[1], "right");
    ExpectRect({28, nBottom - 3, 372, nBottom}, sides[2], "bottom");
    ExpectRect({28, 13, 34, nBottom - 3}, sides[3], "left");
    std::vector<RECT> tiles = Boxes(BOX_TILE, 0);
    ASSERT_EQ(1u, tiles.size());
    ExpectRect({34, 13, 369, nBottom - 3}, tiles[0], "picture");
    CTestCanvas canvas(kWidth, 100);
    m_page.Paint(canvas.DC(), {0, 0, kWidth, 100}, 0, -1);
    EXPECT_EQ(kBlue, canvas.Pixel(28, 10));
    EXPECT_EQ(kBlue, canvas.Pixel(33, 30));
    EXPECT_EQ(kBlue, canvas.Pixel(371, nBottom - 1));
    EXPECT_EQ(kGreen, canvas.Pixel(35, 14));
    EXPECT_EQ(kGreen, canvas.Pixel(368, nBottom - 4));
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(27, 30));
}

TEST_F(LayoutBoxes, ElementsTakeTheDisplayTheirStyleGives)
{
    // None: neither the element nor its contents, nor its links, take room.
    const CPageBoxes& layout = Lay("a<span style=\"display:none\">b <a href=\"x.html\">lien</a></span>c"
                                   "<p style=\"display:none\">p</p><div>d</div>");
    EXPECT_EQ(0u, layout.m_links.size());
    EXPECT_EQ(8, Text("ac").left);
    EXPECT_EQ(Text("ac").bottom, Text("d").top);

    // Inline: blocks' contents in one line; block: an element of text on lines of its own.
    Lay("<div style=\"display:inline\">un</div><p style=\"display:inline\">deux</p>");
    EXPECT_EQ(8, Text("undeux").left);
    Lay("a<span style=\"display:block\">b</span>c");
    EXPECT_EQ(Text("a").bottom, Text("b").top);
    EXPECT_EQ(Text("b").bottom, Text("c").top);
    EXPECT_EQ(8, Text("c").left);
    Lay("<ul><li style=\"display:block\">item</li></ul>");
    EXPECT_TRUE(Boxes(BOX_BULLET, 0).empty());
    // A link shown as a block is followed from anywhere on its background.
    Lay("<a href=\"x.html\" style=\"display:block;padding:10px;background:#ff0000\">lien</a>");
    EXPECT_EQ(18, Text("lien").left);
    EXPECT_EQ(0, m_page.GetLayout().LinkAt({10, 10}));

    // Inline block: in the line, sized as set, without lines its bottom on the baseline...
    Lay("a<span style=\"display:inline-block;width:50px;height:20px;padding:2px;border:1px solid #0000ff;"
        "background:#ff0000\"></span>b");
    std::vector<RECT> fills = Boxes(BOX_FILL, kRed);
    ASSERT_EQ(1u, fills.size());
    ExpectRect({Text("a").right + 1, 9, Text("a").right + 55, 9 + 24}, fills[0], "set size");
    EXPECT_EQ(fills[0].right + 1, Text("b").left);
    EXPECT_EQ(Text("a").bottom, Text("b").bottom);
    EXPECT_GT(Text("a").bottom, fills[0].bottom);
    // ...or to its contents, its own boxes moved with it, its last line on the baseline.
    Lay("<center>a<span style=\"display:inline-block;padding:4px;background:#ff0000\">deux mots</span></center>");
    fills = Boxes(BOX_FILL, kRed);
    ASSERT_EQ(1u, fills.size());
    RECT rcInside = Text("deux mots");
    EXPECT_EQ(Text("a").bottom, rcInside.bottom);
    ExpectRect({rcInside.left - 4, rcInside.top - 4, rcInside.right + 4, rcInside.bottom + 4}, fills[0], "shrunk");
    EXPECT_EQ(Text("a").right, fills[0].left);
    EXPECT_NEAR((8 + 392) / 2, (Text("a").left + fills[0].right) / 2, 1);
}

TEST_F(LayoutBoxes, LineHeightSpreadsTheLeadingAboveAndBelowTheText)
{
    Lay("<p style=\"line-height:40px\">a<br>b</p><p>c</p><div style=\"line-height:4px\">d<br>e</div>");
    int nFontHeight = Text("a").bottom - Text("a").top;
    EXPECT_EQ(16 + (40 - nFontHeight) / 2, Text("a").top);
    EXPECT_EQ(40, Text("b").top - Text("a").top);
    EXPECT_EQ(nFontHeight, Text("b").bottom - Text("b").top);
    EXPECT_EQ(16 + 80 + 16, Text("c").top);
    EXPECT_EQ(4, Text("e").top - Text("d").top);
}

TEST_F(LayoutBoxes, CellsTakePaddingBorderAndVerticalAlignmentFromTheirStyle)
{
    Lay("<table cellpadding=1 cellspacing=0 style=\"border:3px solid #00ff00\"><tr>"
        "<td style=\"padding:10px 20px;height:60px;vertical-align:bottom\">a</td>"
        "<td style=\"vertical-align:top\">b</td><td style=\"border:2px solid #0000ff\">c</td></tr></table>");
    RECT rcA = Text("a"), rcB = Text("b"), rcC = Text("c");
    int nTop = 8 + 3, nRowHeight = 60 + 2 * 10;
    EXPECT_EQ(8 + 3 + 20, rcA.left);
    EXPECT_EQ(nTop + nRowHeight - 10, rcA.bottom);
    EXPECT_EQ(rcA.right + 20 + 1, rcB.left);
    EXPECT_EQ(nTop + 1, rcB.top);
    int nCellC = rcB.right + 1;
    EXPECT_EQ(nCellC + 2 + 1, rcC.left);
    EXPECT_EQ(nTop + 3 + (nRowHeight - 6 - (rcC.bottom - rcC.top)) / 2, rcC.top);
    std::vector<RECT> sides = Boxes(BOX_FILL, kBlue);
    ASSERT_EQ(4u, sides.size());
    ExpectRect({nCellC, nTop, rcC.right + 3, nTop + 2}, sides[0], "cell's top border");
    std::vector<RECT> frame = Boxes(BOX_FILL, RGB(0, 255, 0));
    ASSERT_EQ(4u, frame.size());
    ExpectRect({8, 8, rcC.right + 3 + 3, 11}, frame[0], "table's top border");
    ExpectRect({8, 8 + 3 + nRowHeight, rcC.right + 6, 8 + 3 + nRowHeight + 3}, frame[2], "table's bottom border");
}
