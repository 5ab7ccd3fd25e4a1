// The reader without any window: pages of a few tags read into element trees, shown here
// as text: element names with their children in brackets, texts in quotes.
#include "pageengine/read/CHtmlReader.h"
#include <gtest/gtest.h>
#include <string>

namespace
{
const char* const kNames[] = {"#text", "#root", "?", "h1", "h2", "h3", "h4", "h5", "h6", "p", "div", "center",
                              "blockquote", "pre", "ul", "ol", "li", "br", "hr", "table", "tr", "td", "th", "b",
                              "strong", "i", "em", "u", "font", "span", "a", "img"};

std::string Dump(const CHtmlDocument& document, int nNode)
{
    std::string strOut;
    for (int nChild = document.Node(nNode).nFirstChild; nChild >= 0; nChild = document.Node(nChild).nNext) {
        const CHtmlNode& child = document.Node(nChild);
        if (!strOut.empty())
            strOut += ' ';
        if (child.nTag == TAG_TEXT) {
            strOut += '"' + std::string(document.Text(nChild)) + '"';
            continue;
        }
        strOut += kNames[child.nTag];
        if (child.nFirstChild >= 0)
            strOut += '[' + Dump(document, nChild) + ']';
    }
    return strOut;
}

std::string Read(const std::string& strPage, CHtmlDocument* pDocument = nullptr)
{
    CHtmlDocument document;
    CHtmlReader(document).Read(strPage);
    std::string strTree = Dump(document, 0);
    if (pDocument)
        *pDocument = document;
    return strTree;
}

int Depth(const CHtmlDocument& document)
{
    int nDeepest = 0;
    for (size_t i = 0; i < document.NodeCount(); ++i) {
        int nDepth = 0;
        for (int n = static_cast<int>(i); document.Node(n).nParent >= 0; n = document.Node(n).nParent)
            ++nDepth;
        nDeepest = std::max(nDeepest, nDepth);
    }
    return nDeepest;
}
} // namespace

TEST(HtmlReader, BuildsTheElementTreeOfTheBody)
{
    CHtmlDocument document;
    EXPECT_EQ("h1[\"Titre\"] p[\"Un \" b[\"deux\"] \" \" a[\"trois\"]] ul[li[\"a\"] li[\"b\"]]",
              Read("<!DOCTYPE html><html><head><title> Le   titre </title><meta charset=\"windows-1252\"></head>"
                   "<BODY bgcolor=#ffffff text='red'><h1>Titre</h1><p>Un <b>deux</b> <A HREF=\"app://exec(a.exe)\">trois</a>"
                   "</p><ul><li>a<li>b</ul></body></html>",
                   &document));
    EXPECT_EQ("Le titre", document.m_strTitle);
    EXPECT_STREQ("#ffffff", document.BodyAttribute("bgcolor"));
    EXPECT_STREQ("red", document.BodyAttribute("text"));
    int nLink = document.Node(document.Node(document.Node(0).nFirstChild).nNext).nLastChild;
    EXPECT_STREQ("app://exec(a.exe)", document.Attribute(nLink, "href"));
}

TEST(HtmlReader, ReplacesCharacterReferencesInTextAndAttributes)
{
    CHtmlDocument document;
    EXPECT_EQ("p[\"\xe9t\xe9 & <b> \xa0\x80 \x96 A\xe9 &bogus; &#; \xe9l\xe8ve\"]",
              Read("<p>&eacute;t&#233; &amp; &lt;b&gt; &nbsp;&euro; &#150; &#x41;&#xe9; &bogus; &#; &eacutel&egrave;ve",
                   &document));
    CHtmlDocument link;
    Read("<a href=\"a.html?x=1&amp;y=&quot;2&quot;&copy=3\">", &link);
    EXPECT_STREQ("a.html?x=1&y=\"2\"&copy=3", link.Attribute(1, "href"));
}

TEST(HtmlReader, ClosesWhatAuthorsLeaveOpenAndIgnoresStrayEndTags)
{
    EXPECT_EQ("p[\"un\"] p[\"deux\"] div[\"trois\"]", Read("<p>un<p>deux<div>trois"));
    EXPECT_EQ("b[\"gras\" i[\"les deux\"]] \"apr\xe8s\"", Read("<b>gras<i>les deux</b>apr&egrave;s</i>"));
    EXPECT_EQ("\"ab\"", Read("a</div></p>b"));
    EXPECT_EQ("a[\"un\"] a[\"deux\"]", Read("<a href=1>un<a href=2>deux"));
    EXPECT_EQ("ol[li[\"1\" ul[li[\"1.1\"]]] li[\"2\"]]", Read("<ol><li>1<ul><li>1.1</ul><li>2</ol>"));
    EXPECT_EQ("p[\"cut \"]", Read("<p>cut <b class=\"x"));
    EXPECT_EQ("\"x < y\" br \"z\"", Read("x < y</br>z"));
}

TEST(HtmlReader, TablesGetTheirRowsAndCellsAndStrayContentACell)
{
    EXPECT_EQ("table[tr[td[\"a\"] th[\"b\"]] tr[td[\"c\"]]]",
              Read("<table><tbody><tr><td>a<th>b<tr><td>c</table>"));
    EXPECT_EQ("table[tr[td[\"x\"]]]", Read("<table><td>x</table>"));
    EXPECT_EQ("table[tr[td[\"perdu\"]] tr[td[\"a\"]]]", Read("<table> <font>perdu</font><tr><td>a</td></tr></table>"));
    EXPECT_EQ("table[tr[td[table[tr[td[\"in\"]]] \"out\"]]]", Read("<table><tr><td><table><tr><td>in</table>out</table>"));
    EXPECT_EQ("\"ab\"", Read("<tr><td>a</td></tr><td>b"));
}

TEST(HtmlReader, ScriptStyleAndCommentsAreHidden)
{
    EXPECT_EQ("p[\"vu vu\"]", Read("<p>vu<script>document.write('<b>cach\xe9</b>')</script><style>p { x }</style>"
                                   "<!-- <b>comment</b> --> vu"));
    EXPECT_EQ("\"a\"", Read("a<script>while(1);"));
    EXPECT_EQ("\"a\"", Read("a<!-- never closed <p>b"));
}

TEST(HtmlReader, TextIsInTheCharacterSetThePageNames)
{
    EXPECT_EQ("p[\"\xe9t\xe9\"]", Read("<p>\xe9t\xe9"));
    EXPECT_EQ("p[\"\xe9t\xe9 \x80\"]", Read("<meta charset=\"utf-8\"><p>\xc3\xa9t\xc3\xa9 \xe2\x82\xac"));
    EXPECT_EQ("p[\"\xe9 ?\"]",
              Read("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\"><p>\xc3\xa9 \xe4\xb8\xad"));
    EXPECT_EQ("p[\"\xe9\"]", Read("\xef\xbb\xbf<p>\xc3\xa9"));
    EXPECT_EQ("p[\"\xe9t\xe9 \x80\"]", Read("<p>\xc3\xa9t\xc3\xa9 \xe2\x82\xac"));
    EXPECT_EQ("p[\"\xc3\xa9\"]", Read("<meta charset=windows-1252><p>\xc3\xa9"));
    EXPECT_EQ("p[\"\xe9l\xe8ve \xc3\"]", Read("<p>\xe9l\xe8ve \xc3"));
    EXPECT_EQ("\"a b\"", Read(std::string("a\0b", 3)));
}

TEST(HtmlReader, NestingDeeperThanTheLimitKeepsItsText)
{
    std::string strPage;
    for (int i = 0; i < 10000; ++i)
        strPage += "<div><b>";
    strPage += "fond";
    CHtmlDocument document;
    std::string strTree = Read(strPage, &document);
    EXPECT_LE(Depth(document), HTML_MAX_DEPTH + 1);
    EXPECT_NE(std::string::npos, strTree.find("\"fond\""));
}

TEST(HtmlReader, BytesItMayKeepReadAsBytesItMayNot)
{
    // Their texts are decoded over them: references right at the start, texts cut by stray
    // '<', text dropped between rows, a character set converted first.
    const std::string strPad(80, 'x');
    const char* const kPages[] = {"&eacute;&#233;&#x1F600;&lt&amp;&bogus; a < b <<p>&euro;&hellip;",
                                  "<table> <tr> x<td>&nbsp;</td> </tr></table>y&#150;z",
                                  "\xEF\xBB\xBF<p>caf\xC3\xA9 &eacute; \xE2\x82\xAC</p>",
                                  "<title>&eacute;</title><b>a</b>b<i>c&amp;</i>"};
    for (const char* pszPage : kPages) {
        std::string strPage = pszPage + strPad;
        CHtmlDocument kept;
        CHtmlReader(kept).Read(std::string(strPage));
        EXPECT_EQ(Read(strPage), Dump(kept, 0)) << pszPage;
    }
}
