// The popup menu's layout, placement and look-ups, without a window.
#include "popupmenu/CPopupMenu.h"
#include "popupmenu/PopupMenuConstants.h"
#include <gtest/gtest.h>

namespace
{
const RECT kClient = {0, 0, 100, 44};

class PopupMenuModel : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_menu.Create(::GetModuleHandleA(nullptr), -1)); }

    // The layout width of a menu holding one entry with this text.
    static int WidthOf(const char* pszText)
    {
        CPopupMenu menu;
        menu.Create(::GetModuleHandleA(nullptr), -1);
        menu.AddItem(0, pszText, 1, -1);
        menu.Layout();
        return menu.GetWidth();
    }

    CPopupMenu m_menu;
};
} // namespace

TEST_F(PopupMenuModel, EmptyMenuIsAFrameOf42By5)
{
    m_menu.Layout();
    EXPECT_EQ(42, m_menu.GetWidth());
    EXPECT_EQ(5, m_menu.GetHeight());
}

TEST_F(PopupMenuModel, SeparatorAndTwoEntriesStackFromTop3)
{
    m_menu.AddItem(PMF_SEPARATOR, nullptr, 0, -1);
    m_menu.AddItem(0, "Un", 1, -1);
    m_menu.AddItem(PMF_BOLD, "Deux", 2, -1);
    m_menu.Layout();
    const std::vector<PopupMenuItem>& items = m_menu.GetItems();
    ASSERT_EQ(3u, items.size());
    EXPECT_EQ(3, items[0].m_nTop);
    EXPECT_EQ(5, items[0].m_nHeight);
    EXPECT_EQ(8, items[1].m_nTop);
    EXPECT_EQ(25, items[2].m_nTop);
    EXPECT_EQ(17, items[2].m_nHeight);
    EXPECT_EQ(44, m_menu.GetHeight());
}

TEST_F(PopupMenuModel, TextIsMeasuredAsStoredAmpersandIncluded)
{
    const int nAmpersand = WidthOf("&") - 42;
    EXPECT_GT(nAmpersand, 0);
    EXPECT_EQ(WidthOf("Quitter") + nAmpersand, WidthOf("&Quitter"));
    EXPECT_EQ(42, WidthOf(nullptr));
}

TEST_F(PopupMenuModel, CreatingAgainEmptiesTheMenu)
{
    m_menu.AddItem(0, "Un", 1, -1);
    ASSERT_TRUE(m_menu.Create(::GetModuleHandleA(nullptr), -1));
    EXPECT_TRUE(m_menu.GetItems().empty());
}

TEST_F(PopupMenuModel, SubmenuEntryHasNoIdAndASeparatorCannotOpenOne)
{
    CPopupMenu submenu;
    EXPECT_FALSE(m_menu.AddSubmenu(PMF_SEPARATOR, "Styles :", &submenu, -1));
    EXPECT_TRUE(m_menu.GetItems().empty());
    EXPECT_EQ(nullptr, submenu.GetParentMenu());
    EXPECT_FALSE(submenu.IsSubmenu());

    EXPECT_TRUE(m_menu.AddSubmenu(0, "Styles :", &submenu, -1));
    EXPECT_EQ(0, m_menu.GetItems()[0].m_nId);
    EXPECT_EQ(&submenu, m_menu.GetItems()[0].m_pSubmenu);
    EXPECT_EQ(&m_menu, submenu.GetParentMenu());
    EXPECT_TRUE(submenu.IsSubmenu());
}

TEST_F(PopupMenuModel, HitTestExcludesTheEdgesAndTheRowsBetweenEntries)
{
    m_menu.AddItem(0, "Un", 1, -1);
    m_menu.AddItem(0, "Deux", 2, -1);
    m_menu.AddItem(PMF_SEPARATOR, nullptr, 0, -1);
    m_menu.AddItem(PMF_DISABLED, "Trois", 3, -1);
    m_menu.Layout();
    // Entries at 3 (17 high), 20, 37 (separator, 5 high) and 42.
    EXPECT_EQ(-1, m_menu.HitTest(10, 3, kClient));
    EXPECT_EQ(0, m_menu.HitTest(10, 4, kClient));
    EXPECT_EQ(0, m_menu.HitTest(10, 19, kClient));
    EXPECT_EQ(-1, m_menu.HitTest(10, 20, kClient));
    EXPECT_EQ(1, m_menu.HitTest(10, 21, kClient));
    EXPECT_EQ(2, m_menu.HitTest(10, 39, kClient));
    EXPECT_EQ(-1, m_menu.HitTest(10, 50, {0, 0, 100, 100}));
    EXPECT_EQ(-1, m_menu.HitTest(2, 10, kClient));
    EXPECT_EQ(0, m_menu.HitTest(3, 10, kClient));
    EXPECT_EQ(0, m_menu.HitTest(100, 10, kClient));
    EXPECT_EQ(-1, m_menu.HitTest(101, 10, kClient));
    EXPECT_EQ(-1, m_menu.HitTest(-5, 10, kClient));
}

TEST_F(PopupMenuModel, MnemonicIsTheCharacterAfterTheFirstAmpersandInAnyCase)
{
    m_menu.AddItem(0, "Styles :", 1, -1);
    m_menu.AddItem(0, "&Quitter", 2, -1);
    m_menu.AddItem(0, "A&&b &c", 3, -1);
    m_menu.AddItem(0, "Fin&", 4, -1);
    m_menu.AddItem(0, "&\xC9t\xE9", 5, -1);
    m_menu.AddItem(PMF_DISABLED, "&Un", 6, -1);
    m_menu.AddItem(PMF_GRAYED, "&Deux", 7, -1);
    m_menu.AddItem(0, "&Trois", 8, -1);
    EXPECT_EQ(1, m_menu.FindMnemonicItem('q'));
    EXPECT_EQ(1, m_menu.FindMnemonicItem('Q'));
    EXPECT_EQ(2, m_menu.FindMnemonicItem('&'));
    EXPECT_EQ(-1, m_menu.FindMnemonicItem('c'));
    EXPECT_EQ(-1, m_menu.FindMnemonicItem('s'));
    EXPECT_EQ(-1, m_menu.FindMnemonicItem('n'));
    EXPECT_EQ(4, m_menu.FindMnemonicItem('\xE9'));
    // Disabled and grayed entries have none.
    EXPECT_EQ(-1, m_menu.FindMnemonicItem('u'));
    EXPECT_EQ(-1, m_menu.FindMnemonicItem('d'));
    EXPECT_EQ(7, m_menu.FindMnemonicItem('t'));
}

TEST(PopupMenuPlacement, MovedBackOnlyAtTheRightAndBottomEdges)
{
    const RECT rcWork = {0, 0, 1024, 738};
    POINT pt = CPopupMenu::PlaceInWorkArea(1014, 100, 100, 44, rcWork);
    EXPECT_EQ(924, pt.x);
    EXPECT_EQ(100, pt.y);
    pt = CPopupMenu::PlaceInWorkArea(500, 720, 100, 44, rcWork);
    EXPECT_EQ(500, pt.x);
    EXPECT_EQ(694, pt.y);
    pt = CPopupMenu::PlaceInWorkArea(10, 10, 2000, 1000, rcWork);
    EXPECT_EQ(0, pt.x);
    EXPECT_EQ(0, pt.y);
    pt = CPopupMenu::PlaceInWorkArea(-30, -20, 100, 44, rcWork);
    EXPECT_EQ(-30, pt.x);
    EXPECT_EQ(-20, pt.y);
    pt = CPopupMenu::PlaceInWorkArea(924, 694, 100, 44, rcWork);
    EXPECT_EQ(924, pt.x);
    EXPECT_EQ(694, pt.y);
}
