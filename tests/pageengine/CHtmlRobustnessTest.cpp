// Bad pages: thousands of mutated pages, nesting far deeper than any page needs, pages of
// ten megabytes and lengths that would overflow the layout's sums are read, laid out and
// drawn without a crash, with work bounded by the page's size, within the page engine's
// limits, and on a thread with a small stack (no walk recurses with the page's depth). The
// same cases run once more in a build that traps on any signed overflow. Pages name files
// outside the kiosk folder, pipes and devices: none of them is read.
#include "pageengine/view/CHtmlPage.h"
#include "framework/core/ScopedWin.h"
#include "support/CTempFolder.h"
#include "support/DibTestSupport.h"
#include <gtest/gtest.h>
#include <chrono>
#include <cstdio>
#include <functional>
#include <random>
#include <string>

namespace
{
const char* const kSeeds[] = {
    "<html><head><link rel=stylesheet href=img.bmp><style>body{background:#eee url(img.bmp);margin:0 auto;"
    "font:italic bold 12px/1.5 Arial,sans-serif} .a,#b p{color:red!important;padding:1px 2px 3px 4px;border:1px solid}"
    "div p.a{width:50%;height:10em;display:inline-block} @media screen{p{color:blue}} td{vertical-align:top;line-height:2}"
    "* * * li{margin:1em 5%} ul li em{font-size:larger;text-decoration:underline}</style></head><body>"
    "<div class=a id=b style=\"margin:-5px;border-width:99999px;font-size:999em\"><p class=\"a b\">un <span "
    "style=\"display:none\">deux</span></p><ul><li><em>x</em></ul><table style=\"width:100%;border:3px double red\">"
    "<tr><td class=a style=\"background:url(img.bmp) rgb(1,2,3)\">trois</td></tr></table></div></body></html>",
    "<html><head><title>Accueil</title><style>p{}</style></head><body bgcolor=#003366 text=white link=yellow>"
    "<center><h1>Vid&eacute;os</h1></center><table width=\"90%\" border=1 cellpadding=4 align=center><tr>"
    "<td width=120 bgcolor=navy><a href=\"app://exec(film1.exe)\"><img src=\"img.bmp\" border=0 alt=\"Film\"></a>"
    "</td><td><font face=\"Arial, sans-serif\" size=+1><b>Premi&egrave;re</b> vid&eacute;o</font></td></tr>"
    "<tr><td colspan=2 align=right><a href=\"page2.html\">Suite &raquo;</a></td></tr></table></body></html>",
    "<ul><li>un<ol><li>deux<li>trois</ol><li><p>quatre</ul><blockquote>cit&#233;</blockquote><pre>\ta  b\n c</pre>"
    "<hr width=50% size=3><div align=center><i>fin</i> <u>soulign&eacute;</u></div><br><br>",
    "<table><tr><td><table cellspacing=0><tr><td nowrap>a b c</td><td>d</td></tr></table></td><td>e</td></tr></table>"
    "<script>alert('<table>')</script><!-- c --><img src=missing.png width=40 height=20 alt=x><img src=\"absent.gif\">",
    "<table><tr><td><hr width=\"50%\"><img src=img.bmp width=\"50%\"></td><td nowrap><pre>\t\ta\tb</pre></td></tr></table>",
};

const char* const kFragments[] = {
    "<", ">", "</", "<p>", "</p>", "<table>", "</table>", "<tr>", "<td colspan=99999>", "<th width=200%>",
    "&#x10FFFF;", "&#0;", "&", "&eacute", "<!--", "-->", "<script>", "</script>", "\"", "'", "=",
    "<img src=img.bmp width=99999 height=99999 border=999>", "<img src=\"\">", "<li>", "<ul>", "<ol>", "<pre>",
    "\t", std::string("\0", 1).c_str(), "<font size=+99 face=\"", "<a href=", "<a href=\"page2.html\">", "<br>",
    "<hr size=9999>", "<body background=img.bmp>", "<center>", "<blockquote>", "\xff\xfe", "\xc3\xa9", "<h1>",
    " ", "\n", "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx", "<td><hr width=\"50%\">", "\t\t\t\t\t\t\t\t",
    "<img src=img.bmp width=100%>", "<title>", "<img src=..\\img.bmp alt=dehors>", "<img src=COM1>",
    "{", "}", ";", ":", "/*", "*/", "<style>", "</style>", " style=\"", "!important", "@media x{", ".a ", "#b ",
    "font-size:1e9px;", "margin:-99999em auto;", "url(", "rgb(", "<link rel=stylesheet href=img.bmp>",
    "display:none;", "* * * * * * * * p", "line-height:99999;", "border:99em solid;", "width:1e308%;"};

std::string Mutate(const std::string& strSeed, std::mt19937& random)
{
    std::string str = strSeed;
    int nMutations = 1 + static_cast<int>(random() % 8);
    for (int i = 0; i < nMutations; ++i) {
        size_t nAt = str.empty() ? 0 : random() % (str.size() + 1);
        switch (random() % 6) {
        case 0:
            if (nAt < str.size())
                str[nAt] = static_cast<char>(random());
            break;
        case 1: case 2: {
            const char* pszFragment = kFragments[random() % (sizeof(kFragments) / sizeof(kFragments[0]))];
            std::string strFragment = *pszFragment ? pszFragment : std::string(1, '\0');
            for (int n = static_cast<int>(random() % 4); n >= 0; --n)
                str.insert(nAt, strFragment);
            break;
        }
        case 3:
            str.erase(nAt, random() % 40);
            break;
        case 4: {
            size_t nLength = std::min<size_t>(random() % 400, str.size() - std::min(nAt, str.size()));
            std::string strCopy = str.substr(nAt, nLength);
            str.insert(random() % (str.size() + 1), strCopy);
            break;
        }
        default:
            str.resize(nAt);
            break;
        }
    }
    return str;
}

// Runs fn on a thread with a stack of nStackBytes; false when the thread crashed or
// did not end.
bool RunWithStack(size_t nStackBytes, const std::function<void()>& fn)
{
    struct Call
    {
        const std::function<void()>* pFn;
        static DWORD WINAPI Run(LPVOID p)
        {
            (*static_cast<Call*>(p)->pFn)();
            return 7;
        }
    } call = {&fn};
    HANDLE hThread = ::CreateThread(nullptr, nStackBytes, &Call::Run, &call, STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
    if (!hThread)
        return false;
    bool bEnded = ::WaitForSingleObject(hThread, 50000) == WAIT_OBJECT_0;
    DWORD nCode = 0;
    ::GetExitCodeThread(hThread, &nCode);
    ::CloseHandle(hThread);
    return bEnded && nCode == 7;
}

class HtmlRobustness : public ::testing::Test
{
protected:
    void SetUp() override
    {
        BmpLayout bmp;
        bmp.nWidth = 5;
        bmp.nHeight = 3;
        bmp.nBitCount = 8;
        m_folder.WriteFile("img.bmp", MakeBmp(bmp));
    }

    // Reads, lays out at nWidth and draws the top and the bottom of a page.
    void Show(CHtmlPage& page, const std::string& strPage, int nWidth)
    {
        page.LoadText(strPage, m_folder.Path().str());
        page.Layout(nWidth);
        const CPageBoxes& layout = page.GetLayout();
        ASSERT_LE(page.Document().NodeCount(), HTML_MAX_NODES);
        ASSERT_LE(layout.m_boxes.size(), HTML_MAX_BOXES);
        ASSERT_LE(layout.m_boxes.size(), 4 * strPage.size() + 64);
        ASSERT_LE(layout.m_nHeight, HTML_MAX_PAGE_HEIGHT);
        ASSERT_LE(page.Document().m_strTitle.size(), HTML_MAX_TITLE_LENGTH);
        for (const CPageBox& box : layout.m_boxes)
            ASSERT_TRUE(box.rc.right >= box.rc.left && box.rc.bottom >= box.rc.top) << "a box of negative size";
        RECT rc = {0, 0, 160, 120};
        page.Paint(m_canvas.DC(), rc, 0, 0);
        page.Paint(m_canvas.DC(), rc, std::max(layout.m_nHeight - 120, 0), static_cast<int>(layout.m_links.size()) - 1);
    }

    // The element tree of a page as text: each node's tag, parent and text.
    static std::string TreeOf(const CHtmlDocument& document)
    {
        std::string strTree = document.m_strTitle + '\n';
        for (size_t i = 0; i < document.NodeCount(); ++i) {
            const CHtmlNode& node = document.Node(static_cast<int>(i));
            strTree += std::to_string(node.nTag) + ' ' + std::to_string(node.nParent) + ' ' +
                       std::string(document.Text(static_cast<int>(i))) + '\n';
        }
        return strTree;
    }

    // Whether the text appears in a box of the page.
    static bool Shows(const CHtmlPage& page, const char* pszText)
    {
        const CPageBoxes& layout = page.GetLayout();
        for (const CPageBox& box : layout.m_boxes)
            if (box.nKind == BOX_TEXT && layout.TextOf(box).find(pszText) != std::string::npos)
                return true;
        return false;
    }

    CTempFolder m_folder{"kelo-fuzz"};
    CTestCanvas m_canvas{160, 120};
};
} // namespace

TEST_F(HtmlRobustness, TenThousandMutatedPagesReadLayOutAndDraw)
{
    std::mt19937 random(20240611);
    CHtmlPage page;
    double dSlowestMs = 0;
    for (int i = 0; i < 10000; ++i) {
        std::string strPage = Mutate(kSeeds[i % (sizeof(kSeeds) / sizeof(kSeeds[0]))], random);
        auto start = std::chrono::steady_clock::now();
        Show(page, strPage, static_cast<int>(random() % 900));
        if (HasFatalFailure()) {
            ADD_FAILURE() << "page " << i;
            return;
        }
        dSlowestMs = std::max(dSlowestMs, std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::printf("slowest mutated page: %.1f ms\n", dSlowestMs);
}

TEST_F(HtmlRobustness, MutatedPagesReadFromTheirFilesAsFromTheirBytes)
{
    // A file's texts are decoded over its own bytes, read into memory a page before left:
    // long pages one after the other, and short ones.
    std::mt19937 random(1789);
    for (int i = 0; i < 300; ++i) {
        std::string strPage = Mutate(kSeeds[i % (sizeof(kSeeds) / sizeof(kSeeds[0]))], random);
        while (i % 4 == 0 && strPage.size() < 100 * 1024)
            strPage += Mutate(strPage.substr(0, 2000), random);
        std::string strPath = m_folder.WriteFile("page.html", strPage).str();
        CHtmlPage fromFile, fromBytes;
        fromFile.SetKioskFolder(CKioskFolder(m_folder.Path().str()));
        ASSERT_TRUE(fromFile.LoadFile(strPath)) << i;
        fromBytes.LoadText(strPage, m_folder.Path().str());
        ASSERT_EQ(TreeOf(fromBytes.Document()), TreeOf(fromFile.Document())) << i;
    }
}

TEST_F(HtmlRobustness, TenThousandLevelsOfNestingOnASmallStack)
{
    const char* const kOpeners[] = {"<div>", "<b>", "<table><tr><td>", "<ul><li>", "<blockquote>", "<font size=+1>",
                                    "<a href=x.html>", "<td>", "<center><table width=100%><tr><th>", "<ol><li><p>",
                                    "<span style=\"display:inline-block;border:1px solid\">x ",
                                    "<div style=\"padding:1px;line-height:30px;width:99%;margin:auto\">y"};
    for (const char* pszOpener : kOpeners) {
        std::string strPage;
        for (int i = 0; i < 10000; ++i)
            strPage += pszOpener;
        strPage += "fond";
        CHtmlPage page;
        bool bShown = false;
        EXPECT_TRUE(RunWithStack(256 * 1024, [&] {
            Show(page, strPage, 800);
            bShown = Shows(page, "fond");
        })) << pszOpener;
        EXPECT_TRUE(bShown) << pszOpener;
    }
}

TEST_F(HtmlRobustness, TenMegabytePagesAreShownWhole)
{
    std::mt19937 random(7);
    const char* const kPieces[] = {"mot ", "<b>gras</b> ", "<p>", "<a href=\"page2.html\">lien</a> ", "<br>",
                                   "<td>cellule", "<table><tr>", "</table>", "&eacute;t&eacute; ", "<li>item "};
    std::string strPage;
    while (strPage.size() < 10 * 1024 * 1024)
        strPage += kPieces[random() % (sizeof(kPieces) / sizeof(kPieces[0]))];
    strPage += "<p>la fin";
    CHtmlPage page;
    Show(page, strPage, 780);
    EXPECT_TRUE(Shows(page, "la fin"));

    std::string strWord(10 * 1024 * 1024, 'w');
    Show(page, strWord, 780);
    EXPECT_GT(page.GetLayout().m_nHeight, 1000);
}

TEST_F(HtmlRobustness, LengthsThatWouldOverflowAreHeldAndEveryLimitKept)
{
    CHtmlPage page;
    // Percentages inside a cell, measured at the width of lines that never wrap.
    Show(page, "<table><tr><td><hr width=\"50%\"><img src=img.bmp width=\"50%\">x</td></tr></table>", 780);
    EXPECT_TRUE(Shows(page, "x"));
    // Tabs of a preformatted line expand to the next column of eight only near its start.
    Show(page, "<pre>" + std::string(4 * 1024 * 1024, '\t') + "fin</pre>", 780);
    EXPECT_TRUE(Shows(page, "fin"));
    EXPECT_LT(page.GetLayout().m_strText.size(), 5u * 1024 * 1024);
    // A cell filling the page with a million lines, then rows whose fills and frames come
    // after it: still no more boxes than the limit.
    std::string strFull = "<table border=1><tr><td width=10>";
    for (int i = 0; i < 1100000; ++i)
        strFull += "a ";
    strFull += "</td></tr>";
    for (int i = 0; i < 60000; ++i)
        strFull += "<tr><td bgcolor=red>b</td></tr>";
    Show(page, strFull + "</table>", 780);
    EXPECT_EQ(HTML_MAX_BOXES, page.GetLayout().m_boxes.size());
    // Style sheets past their limits, whose selectors look at every element and all that is
    // around it: matching stops after its steps and the page shows.
    std::string strSheets;
    for (int i = 0; i < 20; ++i) {
        strSheets += "<style>";
        for (int j = 0; j < 2000; ++j)
            strSheets += "table * * * * * * *, .a .a{color:red;margin:1px} ";
        strSheets += "</style>";
    }
    for (int i = 0; i < 150; ++i)
        strSheets += "<div class=a>";
    for (int i = 0; i < 50000; ++i)
        strSheets += "<p class=a style=\"color:blue;font-size:1px\">x";
    Show(page, strSheets + "fin", 780);
    EXPECT_TRUE(Shows(page, "fin"));
    // A title of a hundred thousand characters.
    Show(page, "<title>" + std::string(100000, 't') + "</title>texte", 780);
    EXPECT_EQ(std::string(HTML_MAX_TITLE_LENGTH, 't'), page.Document().m_strTitle);
}

TEST_F(HtmlRobustness, AddressesOutsideTheKioskFolderPipesAndDevicesReadNothing)
{
    const std::string strKiosk = m_folder.MakeFolder("kiosque").str() + "\\";
    m_folder.WriteFile("kiosque\\res\\dedans.bmp", ReadFileBytes(m_folder.Path() + "img.bmp"));
    m_folder.WriteFile("dehors.html", "<title>Dehors</title>");
    // A pipe with an instance waiting: opened, it would keep a read waiting for good.
    ScopedHandle pipe(::CreateNamedPipeA("\\\\.\\pipe\\kelo-robustness", PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE, 4, 0, 0, 0, nullptr));
    ASSERT_TRUE(pipe.IsValid());
    const std::string strOutside = m_folder.Path().str() + "img.bmp";
    const char* const kSources[] = {"..\\..\\img.bmp", "../../img.bmp", strOutside.c_str(), "\\\\.\\pipe\\kelo-robustness",
                                    "//./pipe/kelo-robustness", "COM1", "nul.bmp", "CON .bmp", "//host/share/x.bmp",
                                    "file://host/share/x.bmp", "\\\\?\\C:\\x.bmp", "dedans.bmp:flux"};
    std::string strPage = "<body background=\"\\\\.\\pipe\\kelo-robustness\"><img src=dedans.bmp alt=dedans>";
    for (const char* pszSource : kSources)
        strPage += std::string("<img src=\"") + pszSource + "\" alt=refus>";
    CHtmlPage page;
    page.SetKioskFolder(CKioskFolder(strKiosk));
    page.LoadText(strPage, strKiosk + "res\\");
    page.Layout(780);
    const CPageBoxes& layout = page.GetLayout();
    EXPECT_EQ(-1, layout.m_nBackgroundImage);
    size_t nShown = 0, nRefused = 0;
    for (const CPageBox& box : layout.m_boxes) {
        nShown += box.nKind == BOX_IMAGE && box.nImage >= 0;
        if (box.nKind == BOX_TEXT)
            for (size_t nAt = 0; (nAt = layout.TextOf(box).find("refus", nAt)) != std::string::npos; ++nAt)
                ++nRefused;
    }
    EXPECT_EQ(1u, nShown);
    EXPECT_EQ(sizeof(kSources) / sizeof(kSources[0]), nRefused);
    EXPECT_FALSE(page.LoadFile(m_folder.Path().str() + "dehors.html"));
}
