// The tab-strip layout on a memory DC: lengths, rows, header, offsets and navigate buttons.
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/toolkit/tabmanager/TabHost.h"

#include <numeric>

using orvane::test::TabHost;
using PM = CUTKTabPaintManager;

namespace {

std::vector<int> Lengths(const std::vector<CUTKTabManagerItem*>& items)
{
    std::vector<int> lengths;
    for (const CUTKTabManagerItem* item : items) {
        lengths.push_back(item->GetLength());
    }
    return lengths;
}

}  // namespace

TEST(TabLayout, SizeToFitShrinksTheLongestTabsFirst)
{
    struct Case {
        std::vector<int> lengths;
        int available;
        std::vector<int> expected;
    };
    const Case cases[] = {
        {{30, 50, 200}, 180, {30, 50, 100}},
        {{30, 50, 200}, 90, {30, 30, 30}},
        {{200, 30, 50}, 180, {100, 30, 50}},
        {{30, 50}, 200, {30, 50}},
        {{300}, 120, {120}},
        {{100, 100, 100}, 100, {33, 33, 34}},
    };
    for (const Case& c : cases) {
        std::vector<CUTKTabManagerItem*> items;
        for (int length : c.lengths) {
            items.push_back(new CUTKTabManagerItem());
            items.back()->m_nLength = length;
        }
        PM::SizeToFit(items, c.available);
        EXPECT_EQ(Lengths(items), c.expected) << "available " << c.available;
        for (CUTKTabManagerItem* item : items) {
            item->InternalRelease();
        }
    }
}

TEST(TabLayout, SizeToFitStripPlacesShrunkTabsEndToEnd)
{
    TabHost host;
    host.UseFixedLengths();
    host.m_paint->SetLayout(PM::layoutSizeToFit);
    for (int length : {30, 50, 200}) {
        host.AddSized(length);
    }
    // Header margins 2 and 6 leave 180 of 188.
    host.LayOut(CRect(0, 0, 188, 100));
    const int lefts[] = {2, 32, 82};
    const int rights[] = {32, 82, 182};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(host.GetItem(i)->GetRect().left, lefts[i]) << i;
        EXPECT_EQ(host.GetItem(i)->GetRect().right, rights[i]) << i;
        EXPECT_EQ(host.GetItem(i)->GetRect().top, 3) << i;
    }
    EXPECT_EQ(host.GetItem(2)->GetIdealLength(), 200);
    // Size to fit never scrolls and shows no arrows.
    EXPECT_TRUE(host.FindNavigateButton(0)->GetRect().IsRectEmpty());
    EXPECT_TRUE(host.FindNavigateButton(1)->GetRect().IsRectEmpty());
}

TEST(TabLayout, NegativeOffsetIsPulledBackButNeverPastZero)
{
    TabHost host;
    host.UseFixedLengths();
    for (int i = 0; i < 6; ++i) {
        host.AddSized(100);
    }
    host.LayOut(CRect(0, 0, 400, 100));
    host.SetScrollOffset(-400);
    // Both arrows (14 each) stand at the end: 399 - 28 - 2 - 6 = 363 px for 600 of tabs.
    EXPECT_EQ(host.GetScrollOffset(), 363 - 600);
    const CRect header = host.GetHeaderRect();
    EXPECT_EQ(host.GetItem(5)->GetRect().right, header.right - 6) << "no gap after the last tab";

    while (host.GetItemCount() > 2) {
        ASSERT_TRUE(host.DeleteItem(0));
    }
    EXPECT_EQ(host.GetScrollOffset(), 0);
    EXPECT_EQ(host.GetItem(0)->GetRect().left, 2);
}

TEST(TabLayout, ArrowsShowAndEnableByOffsetAndFit)
{
    struct Case {
        int layout;
        int tabs;
        int offset;
        BOOL leftShown, leftEnabled, rightShown, rightEnabled;
    };
    const Case cases[] = {
        {PM::layoutAutoSize, 5, 0, TRUE, FALSE, TRUE, TRUE},
        {PM::layoutAutoSize, 5, -100, TRUE, TRUE, TRUE, TRUE},
        {PM::layoutAutoSize, 5, -1000, TRUE, TRUE, TRUE, FALSE},
        {PM::layoutAutoSize, 2, 0, FALSE, FALSE, FALSE, FALSE},
        {PM::layoutSizeToFit, 5, 0, FALSE, FALSE, FALSE, FALSE},
        {PM::layoutMultiRow, 5, 0, FALSE, FALSE, FALSE, FALSE},
    };
    for (const Case& c : cases) {
        TabHost host;
        host.UseFixedLengths();
        host.m_paint->SetLayout(c.layout);
        for (int i = 0; i < c.tabs; ++i) {
            host.AddSized(100);
        }
        host.LayOut(CRect(0, 0, 300, 100));
        host.SetScrollOffset(c.offset);
        const CUTKTabManagerNavigateButton* left = host.FindNavigateButton(0);
        const CUTKTabManagerNavigateButton* right = host.FindNavigateButton(1);
        const std::string what = "layout " + std::to_string(c.layout) + " tabs " +
                                 std::to_string(c.tabs) + " offset " + std::to_string(c.offset);
        EXPECT_EQ(!left->GetRect().IsRectEmpty(), c.leftShown) << what;
        EXPECT_EQ(!right->GetRect().IsRectEmpty(), c.rightShown) << what;
        EXPECT_EQ(left->IsEnabled(), c.leftEnabled) << what;
        if (c.layout != PM::layoutSizeToFit && c.layout != PM::layoutMultiRow) {
            EXPECT_EQ(right->IsEnabled(), c.rightEnabled) << what;
        }
        if (c.leftShown && c.rightShown) {
            // Left arrow, right arrow, (hidden) close: from the far end inwards.
            EXPECT_EQ(right->GetRect().right, 299);
            EXPECT_EQ(left->GetRect().right, right->GetRect().left);
            EXPECT_EQ(right->GetRect().Width(), 14);
            EXPECT_EQ(right->GetRect().Height(), 15);
        }
    }
}

TEST(TabLayout, AlwaysShownArrowTakesItsRoomInSizeToFit)
{
    TabHost host;
    host.UseFixedLengths();
    host.m_paint->SetLayout(PM::layoutSizeToFit);
    host.FindNavigateButton(1)->SetShowMode(2);
    for (int i = 0; i < 3; ++i) {
        host.AddSized(100);
    }
    host.LayOut(CRect(0, 0, 188, 100));
    EXPECT_FALSE(host.FindNavigateButton(1)->GetRect().IsRectEmpty());
    EXPECT_EQ(host.GetItem(0)->GetLength() + host.GetItem(1)->GetLength() +
                  host.GetItem(2)->GetLength(),
              180 - 14);
}

TEST(TabLayout, MultiRowPutsTheSelectedRowNextToThePage)
{
    struct Case {
        BOOL keepSelectedRow;
        BOOL justify;
        int selected;
        int rowOfTab0;
        int length;
    };
    for (const Case& c : {Case{FALSE, TRUE, 4, 2, 125}, Case{TRUE, TRUE, 4, 0, 125},
                          Case{FALSE, FALSE, 2, 1, 100}}) {
        TabHost host;
        host.UseFixedLengths();
        host.m_paint->SetLayout(PM::layoutMultiRow);
        host.m_paint->m_bMultiRowFixedSelection = c.keepSelectedRow;
        host.m_paint->m_bMultiRowJustified = c.justify;
        for (int i = 0; i < 6; ++i) {
            host.AddSized(100);
        }
        host.SetCurSel(c.selected);
        // 259 - 1 - 2 - 6 = 250 px a row: two tabs a row, three rows.
        host.LayOut(CRect(0, 0, 259, 200));
        ASSERT_EQ(host.GetRowIndexer()->GetRowCount(), 3);
        CUTKTabManagerItem* selected = host.GetItem(c.selected);
        EXPECT_EQ(selected->GetRow(), c.keepSelectedRow ? c.selected / 2 : 0);
        EXPECT_EQ(host.GetItem(0)->GetRow(), c.rowOfTab0);
        const int h = host.m_paint->GetAppearanceSet()->GetHeaderHeight(&host);
        // Rows overlap by 2 pixels; row 0 touches the page side of the header.
        std::vector<int> rowTop(3);
        for (int i = 0; i < 6; ++i) {
            rowTop[host.GetItem(i)->GetRow()] = host.GetItem(i)->GetRect().top;
            EXPECT_EQ(host.GetItem(i)->GetLength(), c.length) << i;
        }
        EXPECT_EQ(rowTop[0] - rowTop[1], h - 2);
        EXPECT_EQ(rowTop[1] - rowTop[2], h - 2);
        EXPECT_EQ(rowTop[2], 3);
        EXPECT_EQ(rowTop[0] + h, host.GetHeaderRect().bottom);
        if (c.justify) {
            EXPECT_EQ(host.GetItem(1)->GetRect().right, 2 + 250);
        }
    }
}

TEST(TabLayout, MultiRowFillKeepsEveryTabOnceAndRowsWithinTheWidth)
{
    // Lengths from a fixed generator, many strips: the fill must end with a valid row set
    // every time (falling back to plain rows where balancing finds none).
    unsigned seed = 12345;
    auto next = [&seed]() {
        seed = seed * 1103515245u + 12345u;
        return static_cast<int>((seed >> 16) % 180) + 10;
    };
    for (int strip = 0; strip < 40; ++strip) {
        TabHost host;
        host.UseFixedLengths();
        host.m_paint->SetLayout(PM::layoutMultiRow);
        const int count = 20 + strip * 7;
        for (int i = 0; i < count; ++i) {
            host.AddSized(next());
        }
        host.LayOut(CRect(0, 0, 409, 2000));
        const int available = 400;
        CUTKTabManager::CRowIndexer* rows = host.GetRowIndexer();
        std::vector<int> seen(static_cast<size_t>(count), 0);
        for (int r = 0; r < rows->GetRowCount(); ++r) {
            const auto& row = rows->GetRowItems()[r];
            int ideal = 0;
            for (int i = row.nFirstItem; i <= row.nLastItem; ++i) {
                ASSERT_GE(i, 0);
                ASSERT_LT(i, count);
                ++seen[static_cast<size_t>(i)];
                ideal += host.GetItem(i)->GetIdealLength();
                EXPECT_EQ(host.GetItem(i)->GetRow(), r);
            }
            if (row.nLastItem > row.nFirstItem) {
                EXPECT_LE(ideal, available) << "strip " << strip << " row " << r;
            }
        }
        for (int i = 0; i < count; ++i) {
            EXPECT_EQ(seen[static_cast<size_t>(i)], 1) << "strip " << strip << " tab " << i;
        }
    }
}

TEST(TabLayout, StackedLayoutAlignsTabsOnThePageSide)
{
    TabHost host;
    host.UseFixedLengths();
    host.m_paint->SetLayout(PM::layoutRotated);
    for (int length : {40, 70, 55}) {
        host.AddSized(length);
    }
    host.LayOut(CRect(0, 0, 300, 200));
    const int h = host.m_paint->GetAppearanceSet()->GetHeaderHeight(&host);
    const CRect header = host.GetHeaderRect();
    EXPECT_EQ(header.bottom, 3 + 70) << "as deep as the longest tab";
    const int lengths[] = {40, 70, 55};
    for (int i = 0; i < 3; ++i) {
        const CRect rect = host.GetItem(i)->GetRect();
        EXPECT_EQ(rect.Width(), h) << i;
        EXPECT_EQ(rect.Height(), lengths[i]) << i;
        EXPECT_EQ(rect.bottom, header.bottom) << i;
        EXPECT_EQ(rect.left, 2 + i * h) << i;
    }
    EXPECT_EQ(host.GetItemsLength(), 3 * h);
}

TEST(TabLayout, EnsureVisibleScrollsTheTabTwoPixelsInside)
{
    TabHost host;
    host.UseFixedLengths();
    for (int i = 0; i < 10; ++i) {
        host.AddSized(100);
    }
    host.LayOut(CRect(0, 0, 400, 100));
    host.SetCurSel(6);
    EXPECT_EQ(host.GetItem(6)->GetRect().right, host.GetHeaderRect().right - 2);
    host.SetCurSel(0);
    EXPECT_EQ(host.GetScrollOffset(), 0);
    EXPECT_EQ(host.GetItem(0)->GetRect().left, 2);
}

TEST(TabLayout, EnsureVisibleDoesNothingInSizeToFit)
{
    TabHost host;
    host.UseFixedLengths();
    host.m_paint->SetLayout(PM::layoutSizeToFit);
    for (int i = 0; i < 3; ++i) {
        host.AddSized(100);
    }
    host.LayOut(CRect(0, 0, 400, 100));
    CUTKTabManagerItem* item = host.GetItem(2);
    item->SetRect(500, 3, 600, 20);
    host.m_paint->EnsureVisible(&host, item);
    EXPECT_EQ(host.GetScrollOffset(), 0);
}

TEST(TabLayout, WithoutTabsTheWholeRectangleIsPage)
{
    TabHost host;
    host.UseFixedLengths();
    host.m_paint->m_bShowTabs = FALSE;
    host.m_paint->m_nClientFrame = 2;
    for (int i = 0; i < 3; ++i) {
        host.AddSized(100);
    }
    host.FindNavigateButton(1)->SetRect(1, 1, 5, 5);
    const CRect bounds(10, 20, 300, 200);
    host.LayOut(bounds);
    EXPECT_EQ(host.GetClientRect(), bounds);
    EXPECT_TRUE(host.GetHeaderRect().IsRectEmpty());
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(host.GetItem(i)->GetRect().IsRectEmpty());
    }
    for (const CUTKTabManagerNavigateButton* button : host.GetNavigateButtons()) {
        EXPECT_TRUE(button->GetRect().IsRectEmpty());
    }
}

TEST(TabLayout, PageLiesBesideTheHeaderAtEachPosition)
{
    struct Case {
        int position;
        CRect client;  // client frame 2, no margins
    };
    TabHost probe;
    probe.UseFixedLengths();
    const int extent = 3 + probe.m_paint->GetAppearanceSet()->GetHeaderHeight(&probe);
    const Case cases[] = {
        {PM::positionTop, CRect(0, extent - 1, 300, 200)},
        {PM::positionLeft, CRect(extent - 1, 0, 300, 200)},
        {PM::positionBottom, CRect(0, 0, 300, 200 - extent + 1)},
        {PM::positionRight, CRect(0, 0, 300 - extent + 1, 200)},
    };
    for (const Case& c : cases) {
        TabHost host;
        host.UseFixedLengths();
        host.m_paint->SetPosition(c.position);
        host.m_paint->m_nClientFrame = 2;
        host.AddSized(60);
        host.LayOut(CRect(0, 0, 300, 200));
        EXPECT_EQ(host.GetClientRect(), c.client) << "position " << c.position;
        const CRect tab = host.GetItem(0)->GetRect();
        const int along = c.position == PM::positionTop || c.position == PM::positionBottom
                              ? tab.Width()
                              : tab.Height();
        EXPECT_EQ(along, 60) << "position " << c.position;
    }
}
