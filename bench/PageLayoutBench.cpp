// Reading and laying out a page of one megabyte, against only reading its bytes.
#include "BenchMedian.h"
#include "pageengine/view/CHtmlPage.h"
#include "support/CTempFolder.h"
#include <cstdio>
#include <string>

namespace
{
const int kRounds = 15;

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
    auto readBytes = [&] {
        std::string bytes;
        CKioskFolder(folder.Path().str()).ReadFile(strPath, HTML_MAX_FILE_BYTES, bytes);
    };
    readBytes();
    // Each round reads the bytes alone, then reads and lays out the page: a load that comes
    // and goes on the machine weighs on both sides of a round alike. Where the time goes:
    // the tree read from the bytes, then the style and layout steps.
    std::vector<double> read, tree, layout, whole, ratios;
    for (int round = 0; round < kRounds; ++round) {
        read.push_back(MedianMilliseconds(3, readBytes));
        CHtmlPage page;
        const LARGE_INTEGER start = BenchNow();
        page.LoadFile(strPath);
        tree.push_back(MillisecondsSince(start));
        page.Layout(780);
        whole.push_back(MillisecondsSince(start));
        layout.push_back(whole.back() - tree.back());
        ratios.push_back(whole.back() / read.back());
        nBoxes = page.GetLayout().m_boxes.size();
    }
    const double dRead = Median(read), dLayout = Median(whole);
    std::printf("page of %zu bytes, %zu boxes at 780 pixels\n", strPage.size(), nBoxes);
    std::printf("reading its bytes:         %8.2f ms\n", dRead);
    std::printf("  its element tree:        %8.2f ms\n", Median(tree));
    std::printf("  its style and layout:    %8.2f ms\n", Median(layout));
    std::printf("reading and laying it out: %8.2f ms\n", dLayout);
    std::printf("ratio, median of the rounds: %6.1f  (of the medians %.1f)\n", Median(ratios), dLayout / dRead);
    std::fflush(stdout);
    return 0;
}
