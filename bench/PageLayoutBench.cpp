// Reading and laying out a page of one megabyte, against only reading its bytes.
#include "BenchMedian.h"
#include "pageengine/view/CHtmlPage.h"
#include "support/CTempFolder.h"
#include <cstdio>
#include <string>

namespace
{
// A stretch of an ordinary page: headings, paragraphs, a list, a table of links.
std::string Stretch(int n)
{
    std::string strN = std::to_string(n);
    return "<h2>Chapitre " + strN + "</h2><p>Une vid&eacute;o de d&eacute;monstration montre le programme en marche, "
           "pas &agrave; pas, du premier lancement jusqu'aux r&eacute;glages avanc&eacute;s. <b>Regardez</b> "
           "<i>attentivement</i> chaque &eacute;tape avant de passer &agrave; la suivante.</p><ul><li>Premier point "
           "de ce chapitre</li><li>Deuxi&egrave;me point, un peu plus long que le premier</li></ul>"
           "<table width=\"90%\" cellpadding=4 border=1><tr><td width=\"30%\" bgcolor=\"#1A3C80\"><a href=\"app://exec(film" +
           strN + ".exe)\">Vid&eacute;o " + strN + "</a></td><td>Description de la vid&eacute;o num&eacute;ro " + strN +
           " avec <font color=\"#FFD040\">quelques mots en couleur</font>.</td></tr></table>\n";
}
} // namespace

int main()
{
    std::string strPage = "<html><body bgcolor=\"#002060\" text=\"#FFFFFF\">";
    for (int i = 0; strPage.size() < 1024 * 1024; ++i)
        strPage += Stretch(i);
    CTempFolder folder("kelo-bench");
    std::string strPath = folder.WriteFile("page.html", strPage).str();

    size_t nBoxes = 0;
    double dRead = MedianMilliseconds(21, [&] {
        std::string bytes;
        CKioskFolder(folder.Path().str()).ReadFile(strPath, HTML_MAX_FILE_BYTES, bytes);
    });
    // Where the time goes: the tree read from the bytes, then the style and layout steps.
    std::vector<double> tree, layout;
    double dLayout = MedianMilliseconds(7, [&] {
        CHtmlPage page;
        LARGE_INTEGER start = BenchNow();
        page.LoadFile(strPath);
        tree.push_back(MillisecondsSince(start));
        start = BenchNow();
        page.Layout(780);
        layout.push_back(MillisecondsSince(start));
        nBoxes = page.GetLayout().m_boxes.size();
    });
    std::printf("page of %zu bytes, %zu boxes at 780 pixels\n", strPage.size(), nBoxes);
    std::printf("reading its bytes:         %8.2f ms\n", dRead);
    std::printf("  its element tree:        %8.2f ms\n", Median(tree));
    std::printf("  its style and layout:    %8.2f ms\n", Median(layout));
    std::printf("reading and laying it out: %8.2f ms\n", dLayout);
    std::printf("ratio:                     %8.1f\n", dLayout / dRead);
    std::fflush(stdout);
    return 0;
}
