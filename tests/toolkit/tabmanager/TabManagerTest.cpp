// The tab manager without a window: items, selection, keyboard, hit tests, colours, the row
// table and the strip's navigate buttons.
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>

#include <gtest/gtest.h>

#include "tests/toolkit/tabmanager/TabHost.h"
#include "toolkit/tabmanager/CUTKTabManagerNavigateButtons.h"

using orvane::test::TabHost;

namespace {

const CRect kBounds(0, 0, 400, 200);

}  // namespace

TEST(TabManager, SetCurSelClampsAndClearsOnEmptyStrip)
{
    TabHost host;
    host.SetCurSel(3);
    EXPECT_EQ(host.GetSelectedItem(), nullptr);
    for (int i = 0; i < 4; ++i) {
        host.AddItem(-1);
    }
    struct Case {
        int request;
        int expected;
    };
    for (const Case& c : {Case{-5, 0}, Case{99, 3}, Case{2, 2}, Case{0, 0}}) {
        host.SetCurSel(c.request);
        EXPECT_EQ(host.GetCurSel(), c.expected) << "request " << c.request;
    }
}

TEST(TabManager, DeletingTheSelectedTabSelectsItsSuccessor)
{
    struct Case {
        int count;
        int selected;
        int expected;  // index after the deletion, -1 none
    };
    for (const Case& c : {Case{3, 1, 1}, Case{3, 2, 1}, Case{1, 0, -1}, Case{3, 0, 0}}) {
        TabHost host;
        std::vector<CUTKTabManagerItem*> items;
        for (int i = 0; i < c.count; ++i) {
            items.push_back(host.AddItem(-1));
        }
        host.SetCurSel(c.selected);
        CUTKTabManagerItem* next =
            c.selected + 1 < c.count ? items[c.selected + 1] : (c.selected > 0 ? items[c.selected - 1] : nullptr);
        ASSERT_TRUE(host.DeleteItem(c.selected));
        EXPECT_EQ(host.GetCurSel(), c.expected) << c.count << "/" << c.selected;
        EXPECT_EQ(host.GetSelectedItem(), next);
        EXPECT_EQ(host.GetItemCount(), c.count - 1);
    }
}

TEST(TabManager, DeleteItemRejectsIndexesOutsideTheStrip)
{
    TabHost host;
    host.AddItem(-1);
    EXPECT_FALSE(host.DeleteItem(-1));
    EXPECT_FALSE(host.DeleteItem(1));
    EXPECT_EQ(host.GetItemCount(), 1);
}

TEST(TabManager, AddItemInsertsAtClampedIndexAndRenumbers)
{
    TabHost host;
    CUTKTabManagerItem* a = host.AddItem(-1);
    CUTKTabManagerItem* b = host.AddItem(0);
    CUTKTabManagerItem* c = host.AddItem(42);
    EXPECT_EQ(b->GetIndex(), 0);
    EXPECT_EQ(a->GetIndex(), 1);
    EXPECT_EQ(c->GetIndex(), 2);
    EXPECT_EQ(a->GetTabManager(), &host);
}

TEST(TabManager, DeletedTabHeldElsewhereSurvivesWithoutOwner)
{
    TabHost host;
    CUTKTabManagerItem* item = host.AddItem(-1);
    item->InternalAddRef();
    ASSERT_TRUE(host.DeleteItem(0));
    EXPECT_EQ(item->GetTabManager(), nullptr);
    // Operations that need the owner do nothing now.
    item->Select();
    item->Remove();
    EXPECT_EQ(host.GetSelectedItem(), nullptr);
    item->InternalRelease();
}

TEST(TabManager, NinthTabSharesTheFirstAutomaticColourAcrossStrips)
{
    CUTKTabPaintManager* paint = new CUTKTabPaintManager();
    {
        TabHost first(paint);
        TabHost second(paint);
        std::vector<CUTKTabManagerItem*> items;
        for (int i = 0; i < 9; ++i) {
            items.push_back((i % 2 == 0 ? first : second).AddItem(-1));
        }
        EXPECT_EQ(items[8]->GetColor(), items[0]->GetColor());
        EXPECT_EQ(items[0]->GetColor(), RGB(138, 168, 228));
        EXPECT_EQ(items[1]->GetColor(), RGB(255, 219, 117));
        EXPECT_EQ(items[7]->GetColor(), RGB(216, 171, 192));
        items[3]->SetColor(RGB(1, 2, 3));
        EXPECT_EQ(items[3]->GetColor(), RGB(1, 2, 3));
    }
    paint->InternalRelease();
}

TEST(TabManager, KeyboardMovesOverFocusableTabsOnly)
{
    struct Case {
        int position;
        BOOL rtl;
        UINT key;
        int from;
        int expected;
    };
    // Tabs 0..5; tab 2 hidden, tab 4 disabled.
    const Case cases[] = {
        {0, FALSE, VK_RIGHT, 1, 3}, {0, FALSE, VK_LEFT, 3, 1}, {0, FALSE, VK_DOWN, 1, 1},
        {0, FALSE, VK_UP, 3, 3},    {1, FALSE, VK_DOWN, 1, 3}, {1, FALSE, VK_LEFT, 3, 3},
        {0, TRUE, VK_LEFT, 1, 3},   {0, TRUE, VK_RIGHT, 3, 1}, {0, FALSE, VK_HOME, 3, 0},
        {0, FALSE, VK_END, 0, 5},   {2, FALSE, VK_RIGHT, 3, 5}, {3, FALSE, VK_UP, 5, 3},
        {0, FALSE, VK_RIGHT, 5, 5}, {0, FALSE, VK_LEFT, 0, 0},
    };
    for (const Case& c : cases) {
        TabHost host;
        host.m_paint->SetPosition(c.position);
        for (int i = 0; i < 6; ++i) {
            host.AddItem(-1);
        }
        host.GetItem(2)->SetVisible(FALSE);
        host.GetItem(4)->SetEnabled(FALSE);
        host.SetCurSel(c.from);
        HWND window = ::CreateWindowExW(c.rtl ? WS_EX_LAYOUTRTL : 0, L"STATIC", L"", WS_POPUP,
                                        0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(host.PerformKeyDown(window, c.key));
        EXPECT_EQ(host.GetCurSel(), c.expected)
            << "position " << c.position << " rtl " << c.rtl << " key " << c.key << " from "
            << c.from;
        ::DestroyWindow(window);
    }
}

TEST(TabManager, KeyboardAnswersOnlyItsKeysAndNothingOnAnEmptyStrip)
{
    TabHost host;
    EXPECT_FALSE(host.PerformKeyDown(nullptr, VK_HOME));
    host.AddItem(-1);
    EXPECT_FALSE(host.PerformKeyDown(nullptr, VK_TAB));
    EXPECT_FALSE(host.PerformKeyDown(nullptr, 'A'));
    EXPECT_TRUE(host.PerformKeyDown(nullptr, VK_UP));
}

TEST(TabManager, HitTestSkipsHiddenAndDisabledTabs)
{
    TabHost host;
    host.UseFixedLengths();
    host.m_paint->SetLayout(CUTKTabPaintManager::layoutAutoSize);
    for (int i = 0; i < 3; ++i) {
        host.AddSized(50);
    }
    host.LayOut(kBounds);
    const CPoint inside1 = host.GetItem(1)->GetRect().CenterPoint();
    const CPoint inside2 = host.GetItem(2)->GetRect().CenterPoint();
    EXPECT_EQ(host.HitTest(inside1), host.GetItem(1));
    host.GetItem(1)->m_bEnabled = FALSE;
    EXPECT_EQ(host.HitTest(inside1), nullptr);
    host.GetItem(2)->m_bVisible = FALSE;
    EXPECT_EQ(host.HitTest(inside2), nullptr);
    EXPECT_EQ(host.HitTest(CPoint(-5, 5)), nullptr);
    // Below the header is page, not tab.
    EXPECT_EQ(host.HitTest(CPoint(inside1.x, 150)), nullptr);
}

TEST(TabManager, DisabledNavigateButtonHidesTheOneBehind)
{
    TabHost host;
    CUTKTabManagerNavigateButton* left = host.FindNavigateButton(0);
    CUTKTabManagerNavigateButton* right = host.FindNavigateButton(1);
    left->SetRect(10, 10, 30, 30);
    right->SetRect(20, 20, 40, 40);
    int index = -1;
    EXPECT_EQ(host.HitTestNavigateButton(CPoint(25, 25), TRUE, &index), left);
    EXPECT_EQ(index, 0);
    left->SetEnabled(FALSE);
    EXPECT_EQ(host.HitTestNavigateButton(CPoint(25, 25), TRUE), nullptr);
    EXPECT_EQ(host.HitTestNavigateButton(CPoint(35, 35), TRUE, &index), right);
    EXPECT_EQ(index, 1);
}

TEST(TabManager, StripButtonsComeInOrderWithTheirIds)
{
    TabHost host;
    const auto& buttons = host.GetNavigateButtons();
    ASSERT_EQ(buttons.size(), 3u);
    const int ids[] = {0, 1, 2};
    const int modes[] = {1, 1, 0};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(buttons[i]->GetId(), ids[i]);
        EXPECT_EQ(buttons[i]->GetShowMode(), modes[i]);
    }
    EXPECT_EQ(host.FindNavigateButton(7), nullptr);
}

TEST(TabManager, CloseButtonFollowsTheSelectedTabsClosableFlag)
{
    TabHost host;
    const CUTKTabManagerNavigateButton* close = host.FindNavigateButton(2);
    EXPECT_FALSE(host.IsNavigateButtonAllowed(close));
    CUTKTabManagerItem* item = host.AddItem(-1);
    host.SetCurSel(0);
    EXPECT_TRUE(host.IsNavigateButtonAllowed(close));
    item->SetClosable(FALSE);
    EXPECT_FALSE(host.IsNavigateButtonAllowed(close));
    EXPECT_TRUE(host.IsNavigateButtonAllowed(host.FindNavigateButton(0)));
}

TEST(TabManager, ScrollOffsetStaysAtOrBelowZero)
{
    TabHost host;
    struct Case {
        int request;
        int expected;
    };
    for (const Case& c : {Case{15, 0}, Case{-40, -40}, Case{0, 0}}) {
        host.SetScrollOffset(c.request);
        EXPECT_EQ(host.GetScrollOffset(), c.expected);
    }
    host.SetScrollOffset(-40);
    const int before = host.m_repositions;
    host.SetScrollOffset(-40);
    EXPECT_EQ(host.m_repositions, before) << "an unchanged offset repositions nothing";
    host.OnScroll(TRUE);
    EXPECT_EQ(host.GetScrollOffset(), -60);
    host.OnScroll(FALSE);
    EXPECT_EQ(host.GetScrollOffset(), -40);
}

TEST(TabManager, RowTableZeroesNewRows)
{
    TabHost host;
    for (int i = 0; i < 5; ++i) {
        host.AddItem(-1);
    }
    CUTKTabManager::CRowIndexer* rows = host.GetRowIndexer();
    ASSERT_EQ(rows->GetRowCount(), 1);
    auto* entries = rows->SetRowCount(4);
    EXPECT_EQ(entries[0].nFirstItem, 0);
    EXPECT_EQ(entries[0].nLastItem, 4);
    for (int r = 1; r < 4; ++r) {
        EXPECT_EQ(entries[r].nFirstItem, 0);
        EXPECT_EQ(entries[r].nLastItem, 0);
    }
}

TEST(TabManager, CaptionChangeRepositionsOnceAndTabCloseButtonsFollowTheMode)
{
    TabHost host;
    host.SetCloseButtonMode(1);
    CUTKTabManagerItem* item = host.AddItem(-1);
    ASSERT_EQ(item->GetButtons().size(), 1u);
    EXPECT_EQ(item->GetButtons()[0]->GetShowMode(), 1);
    EXPECT_EQ(item->GetButtons()[0]->GetItem(), item);
    const int before = host.m_repositions;
    item->SetCaption(L"One");
    item->SetCaption(L"One");
    EXPECT_EQ(host.m_repositions, before + 1);
    EXPECT_EQ(item->GetCaption(), CString(L"One"));
}

TEST(TabManager, ManagerLeavesThePaintManagersListWhenDestroyed)
{
    CUTKTabPaintManager* paint = new CUTKTabPaintManager();
    int repositions = 0;
    {
        TabHost host(paint);
        host.AttachPaintManager(paint);
        EXPECT_TRUE(paint->IsAttached(&host));
        const int before = host.m_repositions;
        paint->SetLayout(CUTKTabPaintManager::layoutSizeToFit);
        repositions = host.m_repositions - before;
    }
    EXPECT_EQ(repositions, 1);
    // Nothing attached is left behind: a change now reaches no destroyed manager.
    paint->SetPosition(CUTKTabPaintManager::positionBottom);
    paint->InternalRelease();
}

TEST(TabManager, ToolHitTestFillsTheRecordWithTheTabsTooltip)
{
    TabHost host;
    host.UseFixedLengths();
    host.m_paint->SetLayout(CUTKTabPaintManager::layoutAutoSize);
    host.m_paint->m_nToolTipBehaviour = 1;
    for (int i = 0; i < 3; ++i) {
        host.AddSized(50);
    }
    host.GetItem(1)->SetTooltip(L"Second tab");
    host.LayOut(kBounds);
    const HWND window = reinterpret_cast<HWND>(static_cast<INT_PTR>(0x1234));

    TOOLINFOW record = {};
    record.cbSize = TTTOOLINFOW_V1_SIZE;
    const CRect rect = host.GetItem(1)->GetRect();
    ASSERT_EQ(host.PerformToolHitTest(window, rect.CenterPoint(), &record), 1);
    ASSERT_NE(record.lpszText, nullptr);
    EXPECT_STREQ(record.lpszText, L"Second tab");
    EXPECT_EQ(record.hwnd, window);
    EXPECT_EQ(record.uId, 1u);
    EXPECT_EQ(CRect(record.rect), rect);
    std::free(record.lpszText);

    // A tab without a tooltip is no tool; mode 0 turns tab tooltips off.
    TOOLINFOW none = {};
    none.cbSize = TTTOOLINFOW_V1_SIZE;
    EXPECT_EQ(host.PerformToolHitTest(window, host.GetItem(0)->GetRect().CenterPoint(), &none), -1);
    EXPECT_EQ(none.lpszText, nullptr);
    host.m_paint->m_nToolTipBehaviour = 0;
    EXPECT_EQ(host.PerformToolHitTest(window, rect.CenterPoint(), &none), -1);
}
