// Pages of coloured boxes laid out as a browser lays them out: each reference page of
// tests/pageengine/reference/ is laid out at the width the browser had, and every box that
// tools/reference-boxes.sh measured there lands within kTolerance pixels of the browser's
// (a text's width within kTextWidthPercent more).
// A box is told by its colour: a background, border or rule by the colour it is drawn in,
// a picture by the colour of its (one-colour) file, a text by its colour.
#include "pageengine/view/CHtmlPage.h"
#include "support/DibTestSupport.h"
#include "support/TestPaths.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace
{
const int kTolerance = 4;
const int kTextWidthPercent = 3;   // a text's width: within kTolerance and this share of it
const int kMaxPaintHeight = 4000;   // the reference pages are far shorter
const char* const kPages[] = {"floats", "cells", "margins", "rules", "css-boxes", "css-display"};

struct ReferenceBox
{
    std::string strKey;   // its kind and colour: "box #rrggbb" or "text #rrggbb"
    bool bShown;
    RECT rc;
};

std::string ReferencePath(const std::string& strFile)
{
    return WindowsPathOf((KELO_SOURCE_DIR "/tests/pageengine/reference/" + strFile).c_str()).str();
}

// The boxes file's width and boxes; an empty list when it cannot be read.
std::vector<ReferenceBox> ReadBoxes(const std::string& strPath, int* pnWidth)
{
    std::vector<ReferenceBox> boxes;
    std::ifstream file(strPath);
    std::string strLine;
    while (std::getline(file, strLine)) {
        std::istringstream line(strLine);
        std::string strKind, strColour;
        line >> strKind >> strColour;
        if (strKind == "width") {
            *pnWidth = std::stoi(strColour);
        } else if (strKind == "box" || strKind == "text") {
            ReferenceBox box = {strKind + " " + strColour, false, {}};
            box.bShown = static_cast<bool>(line >> box.rc.left >> box.rc.top >> box.rc.right >> box.rc.bottom);
            boxes.push_back(box);
        }
    }
    return boxes;
}

std::string Key(const char* pszKind, COLORREF cr)
{
    char sz[32];
    std::snprintf(sz, sizeof(sz), "%s #%02x%02x%02x", pszKind, GetRValue(cr), GetGValue(cr), GetBValue(cr));
    return sz;
}

// Where the engine put each colour: the union of its boxes of that colour.
std::map<std::string, RECT> EngineBoxes(const CHtmlPage& page)
{
    const CPageBoxes& layout = page.GetLayout();
    CTestCanvas canvas(layout.m_nWidth, std::min(layout.m_nHeight, kMaxPaintHeight));
    page.Paint(canvas.DC(), {0, 0, layout.m_nWidth, std::min(layout.m_nHeight, kMaxPaintHeight)}, 0, -1);
    std::map<std::string, RECT> boxes;
    for (const CPageBox& box : layout.m_boxes) {
        std::string strKey;
        if (box.nKind == BOX_TEXT)
            strKey = Key("text", box.cr);
        else if (box.nKind == BOX_IMAGE)
            strKey = Key("box", canvas.Pixel((box.rc.left + box.rc.right) / 2, (box.rc.top + box.rc.bottom) / 2));
        else if (box.nKind != BOX_BULLET)
            strKey = Key("box", box.cr);
        if (strKey.empty())
            continue;
        auto it = boxes.find(strKey);
        if (it == boxes.end())
            boxes[strKey] = box.rc;
        else
            ::UnionRect(&it->second, &it->second, &box.rc);
    }
    return boxes;
}

std::string Describe(const RECT& rc)
{
    std::ostringstream s;
    s << "(" << rc.left << ", " << rc.top << ")-(" << rc.right << ", " << rc.bottom << ")";
    return s.str();
}

// A text's width may differ a little more: browsers place its letters at fractional
// advances in fonts of fractional sizes, GDI at whole pixels.
bool Near(const RECT& reference, const RECT& rc, bool bText)
{
    int nWidth = reference.right - reference.left;
    bool bRight = bText ? std::abs(rc.right - rc.left - nWidth) <= kTolerance + nWidth * kTextWidthPercent / 100
                        : std::abs(rc.right - reference.right) <= kTolerance;
    return bRight && std::abs(rc.left - reference.left) <= kTolerance && std::abs(rc.top - reference.top) <= kTolerance &&
           std::abs(rc.bottom - reference.bottom) <= kTolerance;
}

class ReferencePage : public ::testing::TestWithParam<const char*>
{
};
} // namespace

TEST_P(ReferencePage, EveryBoxLandsWhereTheBrowserPutIt)
{
    const std::string strPage = GetParam();
    int nWidth = 0;
    std::vector<ReferenceBox> reference = ReadBoxes(ReferencePath(strPage + ".boxes"), &nWidth);
    ASSERT_FALSE(reference.empty()) << strPage << ".boxes cannot be read";
    ASSERT_GT(nWidth, 0) << strPage << ".boxes names no width";

    CHtmlPage page;
    ASSERT_TRUE(page.LoadFile(ReferencePath(strPage + ".html")));
    page.Layout(nWidth);
    std::map<std::string, RECT> engine = EngineBoxes(page);

    for (const ReferenceBox& box : reference) {
        auto it = engine.find(box.strKey);
        if (!box.bShown) {
            EXPECT_TRUE(it == engine.end()) << strPage << ": " << box.strKey << " is not shown by the browser, but is at "
                                            << Describe(it->second);
        } else if (it == engine.end()) {
            ADD_FAILURE() << strPage << ": " << box.strKey << " is missing; the browser has it at " << Describe(box.rc);
        } else {
            EXPECT_TRUE(Near(box.rc, it->second, box.strKey.compare(0, 4, "text") == 0)) << strPage << ": " << box.strKey << " is at " << Describe(it->second)
                                                  << ", the browser has it at " << Describe(box.rc);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Pages, ReferencePage, ::testing::ValuesIn(kPages),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             std::string strName = info.param;
                             std::replace(strName.begin(), strName.end(), '-', '_');
                             return strName;
                         });
