// The layout without any window: small pages laid out at a width, their boxes checked
// against the widths the page's own fonts give.
#include "pageengine/view/CHtmlPage.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{
const int kMargin = 8;   // the body's margin

class HtmlLayout : public ::testing::Test
{
protected:
    const CPageBoxes& Lay(const std::string& strPage, int nWidth)
    {
        m_page.LoadText(strPage, "C:\\");
        m_page.Layout(nWidth);
        return m_page.GetLayout();
    }

    std::vector<CPageBox> TextBoxes() const
    {
        std::vector<CPageBox> boxes;
        for (const CPageBox& box : m_page.GetLayout().m_boxes)
            if (box.nKind == BOX_TEXT)
                boxes.push_back(box);
        return boxes;
    }

    std::string Text(const CPageBox& box) const { return m_page.GetLayout().TextOf(box); }

    const CPageBox* Find(const char* pszText) const
    {
        for (const CPageBox& box : m_page.GetLayout().m_boxes)
            if (box.nKind == BOX_TEXT && Text(box) == pszText)
                return &box;
        return nullptr;
    }

    CHtmlPage m_page;
};
} // namespace

TEST_F(HtmlLayout, TextWrapsAtTheWidthBetweenWords)
{
    std::string strWords = "Une vid\xe9o de d\xe9monstration montre le programme en marche du d\xe9" "but \xe0 la fin";
    const CPageBoxes& layout = Lay("<p>" + strWords + "</p>", 220);
    std::vector<CPageBox> lines = TextBoxes();
    ASSERT_GT(lines.size(), 2u);
    std::string strJoined;
    for (size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(kMargin, lines[i].rc.left);
        EXPECT_LE(lines[i].rc.right, 220 - kMargin);
        if (i > 0) {
            EXPECT_EQ(lines[i - 1].rc.bottom, lines[i].rc.top);
        }
        strJoined += (i ? " " : "") + Text(lines[i]);
    }
    EXPECT_EQ(strWords, strJoined);
    EXPECT_GE(layout.m_nHeight, lines.back().rc.bottom + kMargin);

    // Each line is full: its next word would not have fitted.
    for (size_t i = 0; i + 1 < lines.size(); ++i) {
        std::string strNext = Text(lines[i + 1]).substr(0, Text(lines[i + 1]).find(' '));
        CHtmlPage probe;
        probe.LoadText("<p>" + Text(lines[i]) + " " + strNext, "C:\\");
        probe.Layout(100000);
        EXPECT_GT(probe.GetLayout().m_boxes[0].rc.right, 220 - kMargin) << Text(lines[i]);
    }

    Lay("<p>" + strWords + "</p>", 2000);
    EXPECT_EQ(1u, TextBoxes().size());
}

TEST_F(HtmlLayout, AWordWiderThanTheLineIsBrokenBetweenItsLetters)
{
    Lay("<p>" + std::string(200, 'W'), 100);
    std::vector<CPageBox> lines = TextBoxes();
    ASSERT_GT(lines.size(), 3u);
    size_t nLetters = 0;
    for (const CPageBox& line : lines) {
        EXPECT_LE(line.rc.right, 100 - kMargin);
        nLetters += line.nTextLength;
    }
    EXPECT_EQ(200u, nLetters);
}

TEST_F(HtmlLayout, TableColumnsTakeTheirSetWidthsAndShareTheRest)
{
    Lay("<table cellspacing=0 cellpadding=0 width=600><tr><td width=100>un</td><td width=\"50%\">deux</td><td>trois</td></tr>"
        "<tr><td colspan=2 align=right>quatre</td><td>cinq</td></tr></table>",
        640);
    const CPageBox* pOne = Find("un");
    const CPageBox* pTwo = Find("deux");
    const CPageBox* pThree = Find("trois");
    const CPageBox* pFour = Find("quatre");
    const CPageBox* pFive = Find("cinq");
    ASSERT_TRUE(pOne && pTwo && pThree && pFour && pFive);
    EXPECT_EQ(kMargin, pOne->rc.left);
    EXPECT_EQ(kMargin + 100, pTwo->rc.left);
    EXPECT_EQ(kMargin + 100 + 300, pThree->rc.left);
    EXPECT_EQ(pThree->rc.left, pFive->rc.left);
    EXPECT_EQ(kMargin + 400, pFour->rc.right);
    EXPECT_EQ(pOne->rc.top, pThree->rc.top);
    EXPECT_EQ(pOne->rc.bottom, pFour->rc.top);
}

TEST_F(HtmlLayout, AutomaticColumnsFitTheirContentsThenShareByWish)
{
    std::string strLong = "des mots assez nombreux pour remplir une ligne enti\xe8re et plus encore";
    Lay("<table cellspacing=0 cellpadding=0><tr><td>court</td><td>" + strLong + "</td></tr></table>", 2000);
    const CPageBox* pShort = Find("court");
    ASSERT_TRUE(pShort);
    EXPECT_EQ(pShort->rc.right, Find(strLong.c_str())->rc.left);

    Lay("<table cellspacing=0 cellpadding=0><tr><td>court</td><td>" + strLong + "</td></tr></table>", 300);
    pShort = Find("court");
    ASSERT_TRUE(pShort);
    std::vector<CPageBox> boxes = TextBoxes();
    ASSERT_GT(boxes.size(), 2u);
    EXPECT_EQ(pShort->rc.right, boxes[1].rc.left) << "the short column keeps its words on one line";
    for (const CPageBox& box : boxes)
        EXPECT_LE(box.rc.right, 300 - kMargin);
}

TEST_F(HtmlLayout, EntitiesScriptAndUnknownTagsShowAsText)
{
    Lay("<p>caf&eacute; &amp; th&eacute;<script>var x = '<p>cach&eacute;</p>';</script> <blink>clignote</blink>", 600);
    std::vector<CPageBox> boxes = TextBoxes();
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ("caf\xe9 & th\xe9 clignote", Text(boxes[0]));
}

TEST_F(HtmlLayout, AnUnclosedTagEndsWithThePage)
{
    Lay("<p>avant <b>gras <a href=\"deux.html\">lien", 600);
    std::vector<CPageBox> boxes = TextBoxes();
    ASSERT_EQ(3u, boxes.size());
    EXPECT_EQ("avant ", Text(boxes[0]));
    EXPECT_EQ("gras ", Text(boxes[1]));
    EXPECT_EQ("lien", Text(boxes[2]));
    EXPECT_NE(boxes[0].nFont, boxes[1].nFont);
    EXPECT_EQ(boxes[1].rc.right, boxes[2].rc.left);
    ASSERT_EQ(1u, m_page.GetLayout().m_links.size());
    EXPECT_EQ("deux.html", m_page.GetLayout().Href(0));
    EXPECT_EQ(0, boxes[2].nLink);
    POINT ptInLink = {(boxes[2].rc.left + boxes[2].rc.right) / 2, (boxes[2].rc.top + boxes[2].rc.bottom) / 2};
    POINT ptOutside = {(boxes[0].rc.left + boxes[0].rc.right) / 2, ptInLink.y};
    EXPECT_EQ(0, m_page.GetLayout().LinkAt(ptInLink));
    EXPECT_EQ(-1, m_page.GetLayout().LinkAt(ptOutside));
}

TEST_F(HtmlLayout, BlocksAlignAndListsGetMarkers)
{
    Lay("<center>milieu</center><p align=right>droite</p><ol><li>un<li>deux</ol><ul><li>puce</ul>", 400);
    const CPageBox* pMiddle = Find("milieu");
    const CPageBox* pRight = Find("droite");
    ASSERT_TRUE(pMiddle && pRight);
    EXPECT_NEAR(200, (pMiddle->rc.left + pMiddle->rc.right) / 2, 1);
    EXPECT_EQ(400 - kMargin, pRight->rc.right);
    const CPageBox* pOne = Find("un");
    const CPageBox* pNumber = Find("1.");
    const CPageBox* pNumberTwo = Find("2.");
    ASSERT_TRUE(pOne && pNumber && pNumberTwo);
    EXPECT_LT(pNumber->rc.right, pOne->rc.left);
    EXPECT_EQ(pOne->rc.top, pNumber->rc.top);
    bool bBullet = false;
    for (const CPageBox& box : m_page.GetLayout().m_boxes)
        bBullet = bBullet || (box.nKind == BOX_BULLET && box.rc.right < Find("puce")->rc.left &&
                              box.rc.top > Find("puce")->rc.top && box.rc.bottom < Find("puce")->rc.bottom);
    EXPECT_TRUE(bBullet);
}

TEST_F(HtmlLayout, MarginsCollapseBetweenBlocksAndWithTheBody)
{
    const CPageBoxes& layout = Lay("<h1>Titre</h1><p>un</p><h2>deux</h2>", 400);
    const CPageBox* pTitle = Find("Titre");
    const CPageBox* pOne = Find("un");
    const CPageBox* pTwo = Find("deux");
    ASSERT_TRUE(pTitle && pOne && pTwo);
    EXPECT_EQ(21, pTitle->rc.top);
    EXPECT_EQ(pTitle->rc.bottom + 21, pOne->rc.top);
    EXPECT_EQ(pOne->rc.bottom + 20, pTwo->rc.top);
    EXPECT_EQ(pTwo->rc.bottom + 20, layout.m_nHeight);
}

TEST_F(HtmlLayout, CellsAddTheirPaddingToTheirSetSizesAndKeepThemEmpty)
{
    Lay("<table cellpadding=4 cellspacing=0><tr><td width=120 height=30 bgcolor=#000002></td></tr></table>"
        "<table cellpadding=4 cellspacing=0 height=100 bgcolor=#000001><tr><td width=50>haut</td>"
        "<td valign=bottom>bas</td></tr></table>",
        400);
    std::vector<RECT> fills;
    for (const CPageBox& box : m_page.GetLayout().m_boxes)
        if (box.nKind == BOX_FILL)
            fills.push_back(box.rc);
    ASSERT_EQ(2u, fills.size());
    EXPECT_EQ(128, fills[0].right - fills[0].left);
    EXPECT_EQ(38, fills[0].bottom - fills[0].top);
    EXPECT_EQ(fills[0].bottom, fills[1].top);
    EXPECT_EQ(100, fills[1].bottom - fills[1].top);
    const CPageBox* pHigh = Find("haut");
    const CPageBox* pLow = Find("bas");
    ASSERT_TRUE(pHigh && pLow);
    EXPECT_EQ(kMargin + 58 + 4, pLow->rc.left);
    EXPECT_EQ(fills[1].bottom - 4, pLow->rc.bottom);
    EXPECT_NEAR(fills[1].top + 50, (pHigh->rc.top + pHigh->rc.bottom) / 2, 1);
}

TEST_F(HtmlLayout, PicturesAndTablesAlignedLeftOrRightFloatWithTextBesideThemUntilABreakClearsThem)
{
    Lay("<p><img width=100 height=60 align=left>gauche <img width=50 height=200 align=right>texte</p>"
        "<p>suite<br clear=all>dessous</p><table align=right width=100 bgcolor=#000001><tr><td height=40></td></tr>"
        "</table>apr\xe8s",
        400);
    std::vector<std::vector<LONG>> pictures;
    for (const CPageBox& box : m_page.GetLayout().m_boxes)
        if (box.nKind == BOX_IMAGE)
            pictures.push_back({box.rc.left, box.rc.top, box.rc.right, box.rc.bottom});
    ASSERT_EQ(2u, pictures.size());
    EXPECT_EQ((std::vector<LONG>{8, 16, 108, 76}), pictures[0]);
    EXPECT_EQ((std::vector<LONG>{342, 16, 392, 216}), pictures[1]);
    const CPageBox* pFirst = Find("gauche texte");
    const CPageBox* pNext = Find("suite");
    const CPageBox* pBelow = Find("dessous");
    ASSERT_TRUE(pFirst && pNext && pBelow);
    EXPECT_EQ(108, pFirst->rc.left);
    EXPECT_EQ(16, pFirst->rc.top);
    EXPECT_EQ(108, pNext->rc.left);
    EXPECT_EQ(8, pBelow->rc.left);
    EXPECT_EQ(216, pBelow->rc.top);
    const CPageBox* pAfter = Find("apr\xe8s");
    const CPageBox* pTable = nullptr;
    for (const CPageBox& box : m_page.GetLayout().m_boxes)
        pTable = box.nKind == BOX_FILL ? &box : pTable;
    ASSERT_TRUE(pAfter && pTable);
    EXPECT_EQ(292, pTable->rc.left);
    EXPECT_EQ(392, pTable->rc.right);
    EXPECT_EQ(pTable->rc.top, pAfter->rc.top);
    EXPECT_EQ(8, pAfter->rc.left);
}
