// Style sheets and style attributes through the style step: declarations to computed
// values, selectors and the cascade's order, and linked sheets read from the kiosk folder.
#include "pageengine/read/CHtmlReader.h"
#include "pageengine/style/CHtmlFonts.h"
#include "pageengine/style/CHtmlStyle.h"
#include "pageengine/view/CHtmlPage.h"
#include "support/CTempFolder.h"
#include <gtest/gtest.h>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace
{
std::string Hex(COLORREF cr)
{
    char sz[8];
    std::snprintf(sz, sizeof(sz), "#%02x%02x%02x", GetRValue(cr), GetGValue(cr), GetBValue(cr));
    return sz;
}

std::string Length(const CHtmlLength& length)
{
    return length.bGiven ? std::to_string(length.nValue) + (length.bPercent ? "%" : "px") : "auto";
}

std::string Edges(const CHtmlEdges& edges)
{
    return std::to_string(edges.nTop) + "," + std::to_string(edges.nRight) + "," + std::to_string(edges.nBottom) + "," +
           std::to_string(edges.nLeft);
}

// A computed style as "name=value" words.
std::string Describe(const CHtmlComputedStyle& style)
{
    std::ostringstream out;
    out << " pixels=" << style.nPixels << " bold=" << style.bBold << " italic=" << style.bItalic
        << " underline=" << style.bUnderline << " text=" << Hex(style.crText) << " align=" << style.nAlign
        << " lh=" << style.nLineHeight << " mt=" << style.nMarginTop << " mr=" << style.nIndentRight
        << " mb=" << style.nMarginBottom << " ml=" << style.nIndentLeft << " auto=" << style.bAutoLeft << style.bAutoRight
        << " pad=" << Edges(style.padding) << " border=" << Edges(style.border) << " bcolor=" << Hex(style.crBorder)
        << " fill=" << (style.bFill ? Hex(style.crFill) : "none") << " bg=" << (style.pszBackground ? style.pszBackground : "none")
        << " width=" << Length(style.width) << " height=" << Length(style.height) << " display=" << static_cast<int>(style.nDisplay)
        << " valign=" << style.nVAlign << " faces=" << (style.pszFaces ? style.pszFaces : "none") << ";";
    return out.str();
}

// The style of the element with the id, each element around it styled first as the layout does.
std::string StyleIn(const CHtmlDocument& document, const char* pszId)
{
    CHtmlFonts fonts;
    CHtmlStyle step(document, fonts);
    CHtmlComputedStyle page = step.Page();
    if (!pszId)
        return Describe(page);
    for (size_t i = 1; i < document.NodeCount(); ++i) {
        const char* pszNodeId = document.Attribute(static_cast<int>(i), "id");
        if (!pszNodeId || std::string(pszNodeId) != pszId)
            continue;
        std::vector<int> chain;
        for (int n = static_cast<int>(i); n > 0; n = document.Node(n).nParent)
            chain.insert(chain.begin(), n);
        CHtmlComputedStyle style = page;
        for (int n : chain)
            style = step.Element(n, style);
        return Describe(style);
    }
    return "no element " + std::string(pszId);
}

std::string StyleOf(const std::string& strPage, const char* pszId)
{
    CHtmlDocument document;
    CHtmlReader(document).Read(strPage);
    return StyleIn(document, pszId);
}

// Whether every word of strExpected is in the description.
void ExpectHas(const std::string& strDescription, const std::string& strExpected, const std::string& strCase)
{
    std::istringstream words(strExpected);
    for (std::string strWord; words >> strWord;) {
        // A value may hold blanks: a word up to ';' is matched with what follows it.
        if (strWord.find('=') == std::string::npos)
            continue;
        EXPECT_NE(std::string::npos, strDescription.find(" " + strWord + (strWord.back() == ';' ? "" : " ")))
            << strCase << "\n  wants " << strWord << "\n  has" << strDescription;
    }
}
} // namespace

TEST(CssStyle, DeclarationsGiveTheComputedValuesAndBadValuesAreSkipped)
{
    struct Case
    {
        const char* pszDeclarations;
        const char* pszExpected;
    };
    // Inside <div style="font-size:20px; color:#102030; line-height:1.5">, as the <p> with id x.
    const Case kCases[] = {
        {"", "pixels=20 text=#102030 lh=30 mt=20 mb=20 ml=0 pad=0,0,0,0 border=0,0,0,0 fill=none width=auto display=0"},
        {"font-size: 12pt", "pixels=16 mt=16 lh=24"},
        {"font-size: 1.5em", "pixels=30"},
        {"font-size: 50%", "pixels=10 mt=10"},
        {"font-size: x-large", "pixels=24"},
        {"font-size: xx-small", "pixels=9"},
        {"font-size: smaller", "pixels=17"},
        {"font-size: -3px", "pixels=20"},
        {"font-size: 12", "pixels=20"},
        {"font-weight: 700; font-style: italic; text-decoration: underline", "bold=1 italic=1 underline=1"},
        {"font-weight: bold; font-weight: 400; font-style: oblique", "bold=0 italic=1"},
        {"font: italic bold 12px/30px Georgia, \"Times New Roman\", serif",
         "pixels=12 bold=1 italic=1 lh=30 faces=Georgia, \"Times New Roman\", serif;"},
        {"font: 12px", "pixels=20 faces=none;"},
        {"font-family: Verdana, sans-serif", "faces=Verdana, sans-serif;"},
        {"font-family: inherit; color: inherit; font-size: inherit", "faces=none; text=#102030 pixels=20"},
        {"color: rgb(255, 0, 0)", "text=#ff0000"},
        {"color: #abc", "text=#aabbcc"},
        {"color: Navy", "text=#000080"},
        {"color: nonsense; color: rgb(1, 2)", "text=#102030"},
        {"background: #fff url(img/a.png) no-repeat top left", "fill=#ffffff bg=img/a.png"},
        {"background-color: blue; background-image: url(b.gif)", "fill=#0000ff bg=b.gif"},
        {"background-color: blue; background: wobble", "fill=#0000ff"},
        {"background-color: blue; background: url(c.png)", "fill=none bg=c.png"},
        {"background-color: transparent", "fill=none"},
        {"background-color: url(d.png); background-image: red", "fill=none bg=none"},
        {"margin: 1px 2px 3px 4px", "mt=1 mr=2 mb=3 ml=4 auto=00"},
        {"margin: 5px 10px", "mt=5 mr=10 mb=5 ml=10"},
        {"margin: 5px 10px 15px", "mt=5 mr=10 mb=15 ml=10"},
        {"margin: 0 auto", "mt=0 mr=0 ml=0 auto=11"},
        {"margin-left: 2em; margin-bottom: 0.5em", "ml=40 mb=10 mt=20"},
        {"margin: -5px", "mt=0 ml=0"},
        {"margin: 1px foo", "mt=20"},
        {"margin: 7px 10%", "mt=7 mr=0"},
        {"padding: 1px 2px 3px", "pad=1,2,3,2"},
        {"padding-left: 10px; padding: -1px", "pad=0,0,0,10"},
        {"border: 2px solid #00f", "border=2,2,2,2 bcolor=#0000ff"},
        {"border: 2px", "border=0,0,0,0"},
        {"border-style: solid", "border=3,3,3,3 bcolor=#102030"},
        {"border-bottom: thin dashed", "border=0,0,1,0"},
        {"border: 1px solid red; border-width: 0 4px", "border=0,4,0,4 bcolor=#ff0000"},
        {"border: 5px none", "border=0,0,0,0"},
        {"border: 1px solid bogus-colour", "border=0,0,0,0"},
        {"width: 50%; height: 100px", "width=50% height=100px"},
        {"width: 10em; width: auto", "width=auto"},
        {"width: 10em", "width=200px"},
        {"display: none", "display=1"},
        {"display: inline-block; display: flex", "display=4"},
        {"text-align: center", "align=1"},
        {"text-align: justify", "align=0"},
        {"line-height: 2", "lh=40"},
        {"line-height: 150%", "lh=30"},
        {"line-height: normal", "lh=0"},
        {"line-height: 12px", "lh=12"},
        {"vertical-align: bottom", "valign=1"},
        {"color: red !important; color: blue", "text=#ff0000"},
        {"color: red ! IMPORTANT; color: blue !important", "text=#0000ff"},
        {"COLOR : Red ; ; garbage ; margin-top:7px", "text=#ff0000 mt=7"},
        {"color: red; {bad: 1; color: blue}; margin-top: 7px", "text=#ff0000 mt=7"},
        {"margin-top: 7px; /* color: blue; */ font-size: 10px", "text=#102030 mt=7 pixels=10"},
        {"background: url(\"a;b.png\"); color: lime", "bg=a;b.png text=#00ff00"},
    };
    for (const Case& c : kCases) {
        std::string strPage = std::string("<div style=\"font-size:20px; color:#102030; line-height:1.5\"><p id=x style='") +
                              c.pszDeclarations + "'>texte</p></div>";
        ExpectHas(StyleOf(strPage, "x"), c.pszExpected, c.pszDeclarations);
    }
}

TEST(CssStyle, SelectorsWeighBySpecificityThenOrderAndTheStyleAttributeBelowImportant)
{
    const std::string strPage =
        "<html><head><style>"
        "/* p { color: yellow } */ p { color: red; font-size: 10px } .a { color: green } #x { color: blue }"
        "p { color: maroon } div p { font-size: 11px } p.a.b { font-size: 12px } * { margin-top: 3px }"
        "h1, h2 ,h3 { font-weight: normal } p > span, span[title], span:hover, ::before, sp\\61n { color: lime }"
        ".imp { color: navy !important } #x2 { color: blue } @media print { p { color: yellow } } "
        "@import url(other.css); a:link { color: olive } a:visited { text-decoration: none }"
        "body { background: silver url(fond.bmp); margin: 0; color: purple } html { font-size: 20px } ul li.deep em { font-style: normal }"
        "</style><style media=print>p { color: yellow }</style><style>p.late { color: teal } broken { color: red"
        "</style></head><body>"
        "<p id=p1>1</p><p id=p2 class=a>2</p><p id=x class=\"a\">3</p><div><p id=p3 class=\"b  a\">4</p><p id=p4>5</p></div>"
        "<h2 id=h>6</h2><span id=s title=t>7</span><p id=i class=\"imp\" style=\"color: red\">8</p>"
        "<p id=x2 style=\"color: red\">9</p><a id=l href=y.html>10</a><a id=n name=q>11</a>"
        "<ul><li class=deep><em id=e>12</em></ul><p id=late class=late>13</p></body></html>";
    const struct
    {
        const char* pszId;
        const char* pszExpected;
    } kCases[] = {
        {nullptr, "fill=#c0c0c0 bg=fond.bmp mt=0 ml=0 text=#800080 pixels=20"},
        {"p1", "text=#800000 pixels=10 mt=3"},
        {"p2", "text=#008000"},
        {"x", "text=#0000ff"},
        {"p3", "text=#008000 pixels=12"},
        {"p4", "text=#800000 pixels=11"},
        {"h", "bold=0"},
        {"s", "text=#800080"},
        {"i", "text=#000080"},
        {"x2", "text=#ff0000"},
        {"l", "text=#808000 underline=0"},
        {"n", "text=#800080 underline=0"},
        {"e", "italic=0"},
        {"late", "text=#008080"},
    };
    for (const auto& c : kCases)
        ExpectHas(StyleOf(strPage, c.pszId), c.pszExpected, c.pszId ? c.pszId : "page");
}

TEST(CssStyle, LinkedSheetsAreReadInsideTheKioskFolderOnlyAndSheetsAreNoText)
{
    CTempFolder folder("kelo-css");
    folder.WriteFile("outside.css", ".c { color: #00ff00 }");
    // Saved as UTF-8 with its byte order mark, as editors of the system write it.
    folder.WriteFile("kiosk\\css\\site.css",
                     "\xEF\xBB\xBF.a { color: #ff0000; background: url(../img/a.png) } .b { color: green }");
    CString strPage = folder.WriteFile(
        "kiosk\\page.htm",
        "<link rel=stylesheet href=\"css/site.css\"><link rel=\"stylesheet\" href=\"../outside.css\">"
        "<link rel=stylesheet href=missing.css><link rel=icon href=\"css/site.css\"><style>p.b { color: blue }</style>"
        "<p class=a id=a>un</p><p class=b>deux</p><p class=c>trois</p>");
    CHtmlPage page;
    page.SetKioskFolder(CKioskFolder(folder.Path().str() + "kiosk"));
    ASSERT_TRUE(page.LoadFile(strPage.str()));
    page.Layout(600);
    EXPECT_EQ(4u, page.Document().m_styleSheets.size());
    // Its pictures are named from the sheet's folder.
    ExpectHas(StyleIn(page.Document(), "a"), "bg=css/../img/a.png", "linked");
    const CPageBoxes& layout = page.GetLayout();
    std::vector<std::string> texts;
    for (const CPageBox& box : layout.m_boxes)
        if (box.nKind == BOX_TEXT)
            texts.push_back(layout.TextOf(box) + Hex(box.cr));
    EXPECT_EQ((std::vector<std::string>{"un#ff0000", "deux#0000ff", "trois#000000"}), texts);
}
