// Popup animation into memory DCs: the slides end on the finished popup, the fade leaves its
// last blended frame (alpha 229 of 10 steps) for the popup's own painting, no steps do nothing,
// and the expanded-items strips keep normal rows at full height and grow hidden ones.
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/toolkit/common/DrawCanvas.h"
#include "tests/toolkit/themes/PaintManagerBarDouble.h"
#include "tests/toolkit/themes/PaintManagerTestDouble.h"
#include "toolkit/controls/CUTKControlGalleryPaintManager.h"
#include "toolkit/controls/CUTKControls.h"
#include "toolkit/themes/PopupExpandPlan.h"

#include <cstdint>
#include <vector>

using orvane::test::DrawCanvas;
using orvane::test::TestPaintManager;

namespace {

constexpr int kWidth = 24;
constexpr int kHeight = 18;
constexpr COLORREF kScreen = RGB(40, 90, 160);

// A finished popup image with a different colour in every pixel.
void PaintPopup(DrawCanvas& canvas)
{
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            canvas.RawAt(x, y) = DrawCanvas::Raw(RGB(x * 10, y * 12, 255 - x - y));
        }
    }
}

class PopupAnimation : public ::testing::Test {
protected:
    void SetUp() override
    {
        pm->m_nAnimationTime = 0;  // no pacing in tests
        PaintPopup(source);
    }
    void TearDown() override { pm->InternalRelease(); }

    bool WindowEqualsSource()
    {
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                if (window.At(x, y) != source.At(x, y)) {
                    return false;
                }
            }
        }
        return true;
    }
    bool WindowIsScreen()
    {
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                if (window.At(x, y) != kScreen) {
                    return false;
                }
            }
        }
        return true;
    }

    TestPaintManager* pm = new TestPaintManager();
    DrawCanvas source{kWidth, kHeight, 0};
    DrawCanvas window{kWidth, kHeight, kScreen};
};

TEST_F(PopupAnimation, SlidesEndOnTheFinishedPopup)
{
    for (int kind : {2, 3}) {
        for (int steps : {1, 3, 10, 40}) {
            window.Fill(kScreen);
            pm->m_nAnimationSteps = steps;
            pm->AnimateExpansion(window.dc(), source.dc(), CRect(0, 0, kWidth, kHeight), kind);
            EXPECT_TRUE(WindowEqualsSource()) << "kind " << kind << " steps " << steps;
        }
    }
}

TEST_F(PopupAnimation, FadeLeavesTheLastBlendForThePopupsPainting)
{
    struct Case {
        int steps;
        int alpha;  // the last frame drawn; none for one step
    } cases[] = {{10, 229}, {2, 127}, {4, 191}, {1, -1}};
    for (const Case& c : cases) {
        window.Fill(kScreen);
        pm->m_nAnimationSteps = c.steps;
        pm->AnimateExpansion(window.dc(), source.dc(), CRect(0, 0, kWidth, kHeight), 4);
        if (c.alpha < 0) {
            EXPECT_TRUE(WindowIsScreen()) << "a single step leaves everything to the popup";
            continue;
        }
        int wrong = 0;
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                uint32_t background = DrawCanvas::Raw(kScreen);
                uint32_t popup = source.RawAt(x, y);
                uint32_t expected = 0;
                CUTKPaintManager::BlendBits(reinterpret_cast<BYTE*>(&expected),
                                            reinterpret_cast<const BYTE*>(&background), 1, 1,
                                            reinterpret_cast<const BYTE*>(&popup), c.alpha);
                wrong += (window.RawAt(x, y) & 0xFFFFFF) != (expected & 0xFFFFFF);
            }
        }
        EXPECT_EQ(wrong, 0) << "steps " << c.steps << " alpha " << c.alpha;
    }
}

TEST_F(PopupAnimation, FadeLeavesTheWindowDCAsItWas)
{
    pm->m_nAnimationSteps = 3;
    HGDIOBJ bitmap = ::GetCurrentObject(window.hdc(), OBJ_BITMAP);
    HGDIOBJ sourceBitmap = ::GetCurrentObject(source.hdc(), OBJ_BITMAP);
    pm->AnimateExpansion(window.dc(), source.dc(), CRect(0, 0, kWidth, kHeight), 4);
    EXPECT_EQ(::GetCurrentObject(window.hdc(), OBJ_BITMAP), bitmap);
    EXPECT_EQ(::GetCurrentObject(source.hdc(), OBJ_BITMAP), sourceBitmap);
}

TEST_F(PopupAnimation, FadeWithoutDIBsShowsTheFinishedPopup)
{
    // An empty rectangle cannot make DIBs: nothing is shown and nothing breaks.
    pm->m_nAnimationSteps = 10;
    pm->AnimateExpansion(window.dc(), source.dc(), CRect(0, 0, 0, kHeight), 4);
    EXPECT_TRUE(WindowIsScreen());
    // A DIB of this size is refused: the popup is shown at once instead of a fade.
    DrawCanvas small(2, 2, kScreen);
    pm->AnimateExpansion(small.dc(), source.dc(), CRect(0, 0, 30000, 30000), 4);
    EXPECT_EQ(small.At(0, 0), source.At(0, 0));
}

TEST_F(PopupAnimation, NoStepsOrOtherKindsDoNothing)
{
    for (int kind : {2, 3, 4}) {
        for (int steps : {0, -3}) {
            pm->m_nAnimationSteps = steps;
            pm->AnimateExpansion(window.dc(), source.dc(), CRect(0, 0, kWidth, kHeight), kind);
            EXPECT_TRUE(WindowIsScreen()) << kind << " " << steps;
        }
    }
    pm->m_nAnimationSteps = 10;
    for (int kind : {0, 1, 5, 99}) {
        pm->AnimateExpansion(window.dc(), source.dc(), CRect(0, 0, kWidth, kHeight), kind);
        EXPECT_TRUE(WindowIsScreen()) << kind;
    }
    pm->m_nAnimationSteps = 0;
    EXPECT_EQ(pm->AnimateExpandedItems(nullptr, window.dc(), source.dc(), TRUE), 0);
}

TEST_F(PopupAnimation, ExpandedItemsOfARealPopupEndOnTheFullImage)
{
    orvane::test::TestBar bar(utkBarTypePopup, utkBarPopup);
    ASSERT_TRUE(bar.CreateEx(0, AfxRegisterWndClass(0), L"", WS_POPUP,
                             CRect(0, 0, kWidth, kHeight), nullptr, 0));
    const bool hidden[] = {false, true, true, false};
    for (int i = 0; i < 4; ++i) {
        CUTKControl* control = bar.GetControls()->Add(utkControlButton, 100 + i);
        ASSERT_NE(control, nullptr);
        control->SetRect(CRect(1, 1 + 4 * i, kWidth - 1, 5 + 4 * i));
        control->m_hiddenUntilExpand = hidden[i];
    }
    for (BOOL downward : {TRUE, FALSE}) {
        for (int steps : {1, 4, 10}) {
            window.Fill(kScreen);
            pm->m_nAnimationSteps = steps;
            EXPECT_EQ(pm->AnimateExpandedItems(&bar, window.dc(), source.dc(), downward), steps);
            EXPECT_TRUE(WindowEqualsSource()) << "steps " << steps << " downward " << downward;
        }
    }
    window.Fill(kScreen);
    pm->m_nAnimationSteps = 0;
    EXPECT_EQ(pm->AnimateExpandedItems(&bar, window.dc(), source.dc(), TRUE), 0);
    EXPECT_TRUE(WindowIsScreen());
    bar.DestroyWindow();
}

TEST(PopupExpandPlan, AllNormallyVisibleRowsCopyAtFullHeight)
{
    const std::vector<PopupExpandRow> rows = {{3, 23, false}, {23, 43, false}, {43, 63, false}};
    for (int step = 1; step <= 10; ++step) {
        for (bool downward : {true, false}) {
            const auto blits = PlanPopupExpandStep(rows, 66, step, 10, downward);
            ASSERT_EQ(blits.size(), 1u);
            EXPECT_EQ(blits[0].srcTop, 0);
            EXPECT_EQ(blits[0].srcHeight, 66);
            EXPECT_EQ(blits[0].destTop, 0);
            EXPECT_EQ(blits[0].destHeight, 66);
        }
    }
}

TEST(PopupExpandPlan, HiddenRunsGrowWithTheStep)
{
    // Normal 0..23, hidden 23..63, normal 63..86 (the last run reaches the bottom edge).
    const std::vector<PopupExpandRow> rows = {
        {3, 23, false}, {23, 43, true}, {43, 63, true}, {63, 83, false}};
    struct Case {
        int step;
        bool downward;
        std::vector<PopupExpandBlit> blits;
    } cases[] = {
        {5, true, {{0, 23, 0, 23}, {23, 40, 23, 20}, {63, 23, 43, 23}}},
        {10, true, {{0, 23, 0, 23}, {23, 40, 23, 40}, {63, 23, 63, 23}}},
        {1, true, {{0, 23, 0, 23}, {23, 40, 23, 4}, {63, 23, 27, 23}}},
        // Upward: from the bottom, the last rows first.
        {5, false, {{63, 23, 63, 23}, {23, 40, 43, 20}, {0, 23, 20, 23}}},
    };
    for (const Case& c : cases) {
        const auto blits = PlanPopupExpandStep(rows, 86, c.step, 10, c.downward);
        ASSERT_EQ(blits.size(), c.blits.size()) << c.step;
        for (size_t i = 0; i < blits.size(); ++i) {
            EXPECT_EQ(blits[i].srcTop, c.blits[i].srcTop) << c.step << " strip " << i;
            EXPECT_EQ(blits[i].srcHeight, c.blits[i].srcHeight) << c.step << " strip " << i;
            EXPECT_EQ(blits[i].destTop, c.blits[i].destTop) << c.step << " strip " << i;
            EXPECT_EQ(blits[i].destHeight, c.blits[i].destHeight) << c.step << " strip " << i;
        }
    }
}

TEST(PopupExpandPlan, LastHiddenRunAndBadRows)
{
    const std::vector<PopupExpandRow> rows = {{0, 20, false}, {20, 40, true}};
    const auto blits = PlanPopupExpandStep(rows, 44, 1, 2, true);
    ASSERT_EQ(blits.size(), 2u);
    EXPECT_EQ(blits[1].srcTop, 20);
    EXPECT_EQ(blits[1].srcHeight, 24);
    EXPECT_EQ(blits[1].destHeight, 12) << "the rest after a hidden run grows with it";
    // Rows out of order or outside the image never move a strip backwards or past the edge.
    const std::vector<PopupExpandRow> bad = {{50, 60, true}, {-10, 5, false}, {200, 300, true}};
    for (const PopupExpandBlit& b : PlanPopupExpandStep(bad, 40, 3, 4, true)) {
        EXPECT_GE(b.srcTop, 0);
        EXPECT_LE(b.srcTop + b.srcHeight, 40);
        EXPECT_GT(b.srcHeight, 0);
    }
    EXPECT_TRUE(PlanPopupExpandStep(rows, 0, 1, 2, true).empty());
}

TEST(PaintManagerPainters, GalleryPainterKeepsItsButtonSizes)
{
    auto* pm = new TestPaintManager();
    pm->RefreshMetrics();
    CUTKControlGalleryPaintManager* gallery = pm->GetGalleryPaintManager();
    ASSERT_NE(gallery, nullptr);
    EXPECT_EQ(gallery->m_cyPopupUp, 19);
    EXPECT_EQ(gallery->m_cyPopupDown, 19);
    EXPECT_EQ(gallery->m_cxPopup, 16);
    EXPECT_EQ(gallery->GetPaintManager(), pm);
    pm->InternalRelease();
}

}  // namespace
