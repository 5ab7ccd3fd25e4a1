// Pages with known colours drawn into a memory DC: the background, the text in its colour,
// pictures where the layout put them, the background picture (opaque or transparent) in
// tiles that scroll with the page, and the focus ring of a link.
#include "pageengine/view/CHtmlPage.h"
#include "support/CTempFolder.h"
#include "support/DibTestSupport.h"
#include <gtest/gtest.h>
#include <algorithm>

namespace
{
const COLORREF kBackground = RGB(0x10, 0x20, 0x30);
const COLORREF kText = RGB(0xF0, 0xE0, 0xD0);
const int kWidth = 300, kHeight = 200;

const CPageBox* FirstBox(const CHtmlPage& page, PageBoxKind nKind)
{
    for (const CPageBox& box : page.GetLayout().m_boxes)
        if (box.nKind == nKind)
            return &box;
    return nullptr;
}

class HtmlPainter : public ::testing::Test
{
protected:
    void Show(const std::string& strPage, int nScrollY = 0, int nFocusLink = -1)
    {
        m_page.LoadText(strPage, m_folder.Path().str());
        m_page.Layout(kWidth);
        m_page.Paint(m_canvas.DC(), {0, 0, kWidth, kHeight}, nScrollY, nFocusLink);
    }

    CTempFolder m_folder{"kelo-page"};
    CHtmlPage m_page;
    CTestCanvas m_canvas{kWidth, kHeight};
};
} // namespace

TEST_F(HtmlPainter, BackgroundTextColourAndPictureInTheirPlaces)
{
    const COLORREF kRed = RGB(200, 40, 60);
    m_folder.WriteFile("rouge.bmp", MakeBmp24(4, 3, [&](int, int) { return kRed; }));
    Show("<body bgcolor=\"#102030\" text=\"#F0E0D0\"><font size=7><b>MW</b></font> <img src=\"rouge.bmp\" width=8 height=6>");

    const CPageBox* pText = FirstBox(m_page, BOX_TEXT);
    const CPageBox* pImage = FirstBox(m_page, BOX_IMAGE);
    ASSERT_TRUE(pText && pImage);
    ASSERT_GE(pImage->nImage, 0);
    EXPECT_EQ(8, pImage->rc.right - pImage->rc.left);
    EXPECT_EQ(6, pImage->rc.bottom - pImage->rc.top);
    // Glyphs may reach a little past their advance widths.
    RECT rcNearText = pText->rc;
    ::InflateRect(&rcNearText, 4, 0);
    int nTextPixels = 0, nStray = 0;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            POINT pt = {x, y};
            COLORREF cr = m_canvas.Pixel(x, y);
            if (::PtInRect(&pImage->rc, pt))
                EXPECT_EQ(kRed, cr) << x << "," << y;
            else if (::PtInRect(&pText->rc, pt))
                nTextPixels += cr == kText;
            else if (!::PtInRect(&rcNearText, pt))
                nStray += cr != kBackground;
        }
    EXPECT_GT(nTextPixels, 50);
    EXPECT_EQ(0, nStray);
}

TEST_F(HtmlPainter, BackgroundPictureIsTiledFromThePageCornerAndScrollsWithIt)
{
    const COLORREF a = RGB(255, 0, 0), b = RGB(0, 255, 0), c = RGB(0, 0, 255), d = RGB(255, 255, 0);
    const COLORREF tile[2][2] = {{a, b}, {c, d}};
    m_folder.WriteFile("tuile.bmp", MakeBmp24(2, 2, [&](int x, int y) { return tile[y][x]; }));
    Show("<body background=\"tuile.bmp\" bgcolor=white>", 1);
    EXPECT_EQ(c, m_canvas.Pixel(0, 0));
    EXPECT_EQ(d, m_canvas.Pixel(1, 0));
    EXPECT_EQ(a, m_canvas.Pixel(2, 1));
    EXPECT_EQ(b, m_canvas.Pixel(kWidth - 1, kHeight - 1));

    // A transparent picture too, past the first 256 pixels: red at the top left, blue at
    // the bottom right, the other two pixels transparent.
    static const char kGif[] = "GIF89a\x02\0\x02\0\x91\0\0"
                               "\xff\0\0\0\0\xff\0\xff\0\0\0\0"
                               "\x21\xf9\x04\x01\0\0\x02\0"
                               "\x2c\0\0\0\0\x02\0\x02\0\0"
                               "\x02\x03\x84\x14\x05\0\x3b";
    m_folder.WriteFile("tuile.gif", std::string(kGif, sizeof(kGif) - 1));
    Show("<body background=\"tuile.gif\" bgcolor=white>", 1);
    int nWrong = 0;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            bool bRed = x % 2 == 0 && (y + 1) % 2 == 0, bBlue = x % 2 == 1 && (y + 1) % 2 == 1;
            nWrong += m_canvas.Pixel(x, y) != (bRed ? RGB(255, 0, 0) : bBlue ? RGB(0, 0, 255) : RGB(255, 255, 255));
        }
    EXPECT_EQ(0, nWrong);
}

TEST_F(HtmlPainter, BrokenPicturesShowAFrameOrTheirTextAndTheFocusedLinkARing)
{
    Show("<a href=\"deux.html\">lien</a> <img src=\"absent.png\" width=40 height=30 alt=\"x\"> "
         "<img src=\"absent.gif\" alt=\"texte\">");
    const CPageBox* pFrame = FirstBox(m_page, BOX_IMAGE);
    ASSERT_TRUE(pFrame);
    EXPECT_EQ(-1, pFrame->nImage);
    EXPECT_NE(RGB(255, 255, 255), m_canvas.Pixel(pFrame->rc.left, pFrame->rc.top + 5));
    EXPECT_EQ("lien", m_page.GetLayout().TextOf(m_page.GetLayout().m_boxes[0]));
    EXPECT_EQ(" texte", m_page.GetLayout().TextOf(m_page.GetLayout().m_boxes.back()));

    RECT rcLink = m_page.GetLayout().m_boxes[0].rc;
    std::string strUnfocused = m_canvas.Snapshot();
    m_page.Paint(m_canvas.DC(), {0, 0, kWidth, kHeight}, 0, 0);
    int nRing = 0;
    for (int x = rcLink.left; x < rcLink.right; ++x)
        nRing += m_canvas.Pixel(x, rcLink.top - 1) != RGB(255, 255, 255);
    EXPECT_GT(nRing, (rcLink.right - rcLink.left) / 3);
    m_page.Paint(m_canvas.DC(), {0, 0, kWidth, kHeight}, 0, -1);
    EXPECT_EQ(strUnfocused, m_canvas.Snapshot());
}

TEST_F(HtmlPainter, RulesWithAColourOrNoshadeAreFlatBarsOfThatColour)
{
    Show("<hr color=\"#C81E3C\" size=4><hr noshade size=4><hr size=4>");
    std::vector<const CPageBox*> rules;
    for (const CPageBox& box : m_page.GetLayout().m_boxes)
        if (box.nKind == BOX_RULE)
            rules.push_back(&box);
    ASSERT_EQ(3u, rules.size());
    const COLORREF kExpected[2] = {RGB(0xC8, 0x1E, 0x3C), RGB(128, 128, 128)};
    for (int i = 0; i < 2; ++i)
        for (int y = rules[i]->rc.top; y < rules[i]->rc.bottom; ++y)
            EXPECT_EQ(kExpected[i], m_canvas.Pixel(rules[i]->rc.left + 5, y)) << i << "," << y;
    EXPECT_NE(m_canvas.Pixel(rules[2]->rc.left + 5, rules[2]->rc.top),
              m_canvas.Pixel(rules[2]->rc.left + 5, rules[2]->rc.bottom - 1));
}

TEST_F(HtmlPainter, TextIsDrawnAsWideAsTheLayoutMeasuredIt)
{
    // A rasterizer that draws narrower than the measured widths would leave a gap before
    // the next run (and an underline past the text).
    for (const char* pszFace : {"Times New Roman", "Arial"}) {
        Show(std::string("<body bgcolor=\"#102030\" text=\"#F0E0D0\"><font face=\"") + pszFace +
             "\">Sans souris, la touche Tab passe mmm</font>");
        const CPageBox* pText = FirstBox(m_page, BOX_TEXT);
        ASSERT_TRUE(pText);
        int nInkRight = -1;
        for (int y = pText->rc.top; y < pText->rc.bottom; ++y)
            for (int x = pText->rc.left; x < kWidth; ++x)
                if (m_canvas.Pixel(x, y) != kBackground)
                    nInkRight = std::max(nInkRight, x);
        EXPECT_GE(nInkRight, pText->rc.right - 3) << pszFace;
        EXPECT_LE(nInkRight, pText->rc.right + 2) << pszFace;
    }
}
