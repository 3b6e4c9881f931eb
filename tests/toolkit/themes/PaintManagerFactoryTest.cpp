// The theme factory and the process-wide theme: unknown numbers make the Default theme with
// the number recorded; a caller's theme is recorded as 8 and refreshed once; installing
// replaces and frees the previous theme exactly once, and installing the installed object
// again only refreshes it; after Done the next accessor makes theme 0.
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/toolkit/themes/PaintManagerBarDouble.h"
#include "tests/toolkit/themes/PaintManagerTestDouble.h"
#include "toolkit/themes/CUTKDefaultTheme.h"

using orvane::test::TestBar;
using orvane::test::TestPaintManager;

namespace {

class PaintManagerFactory : public ::testing::Test {
protected:
    void TearDown() override { CUTKPaintManager::Done(); }
};

TEST_F(PaintManagerFactory, UnknownAndUnbuiltNumbersMakeTheDefaultTheme)
{
    for (int theme : {0, 1, 2, 4, 5, 6, 7, 9, -1, 1000}) {
        CUTKPaintManager* made = CUTKPaintManager::CreateTheme(theme);
        ASSERT_NE(made, nullptr);
        EXPECT_TRUE(made->IsKindOf(RUNTIME_CLASS(CUTKDefaultTheme))) << theme;
        EXPECT_EQ(made->m_nThemeNumber, theme);
        EXPECT_EQ(made->GetBaseTheme(), 0);
        made->InternalRelease();
    }
}

TEST_F(PaintManagerFactory, SetThemeInstallsTheNumberedTheme)
{
    CUTKPaintManager::SetTheme(9);
    CUTKPaintManager* installed = CUTKPaintManager::PeekGlobalPaintManager();
    ASSERT_NE(installed, nullptr);
    EXPECT_TRUE(installed->IsKindOf(RUNTIME_CLASS(CUTKDefaultTheme)));
    EXPECT_EQ(installed->m_nThemeNumber, 9);
    EXPECT_EQ(installed->GetBaseTheme(), 0);
    EXPECT_GT(installed->m_nTextHeight, 0) << "installed themes are refreshed";
    EXPECT_EQ(CUTKPaintManager::GetGlobalPaintManager(), installed);
}

TEST_F(PaintManagerFactory, NativeThemeIsThemeThree)
{
    CUTKPaintManager::SetTheme(3);
    CUTKPaintManager* installed = CUTKPaintManager::GetGlobalPaintManager();
    EXPECT_EQ(installed->m_nThemeNumber, 3);
    EXPECT_EQ(installed->GetBaseTheme(), 3);
    EXPECT_TRUE(installed->IsKindOf(RUNTIME_CLASS(CUTKDefaultTheme)));
    EXPECT_TRUE(installed->GetIconDrawOptions()->bUseFadedIcons) << "the native theme fades icons";
    // What the player changes on it afterwards stays on the installed object.
    installed->GetIconDrawOptions()->bUseFadedIcons = FALSE;
    installed->GetIconDrawOptions()->bOfficeStyleDisabledIcons = FALSE;
    installed->m_bClearTypeTextQuality = TRUE;
    installed->RefreshMetrics();
    LOGFONT font{};
    installed->m_fontRegular.GetLogFont(&font);
    EXPECT_EQ(font.lfQuality, 5);
    EXPECT_FALSE(CUTKPaintManager::GetGlobalPaintManager()->GetIconDrawOptions()->bUseFadedIcons);
}

TEST_F(PaintManagerFactory, ACallersThemeKeepsEightAndIsRefreshedOnce)
{
    int destroyed = 0;
    auto* own = new TestPaintManager(&destroyed);
    CUTKPaintManager::SetCustomTheme(own);
    EXPECT_EQ(CUTKPaintManager::GetGlobalPaintManager(), own);
    EXPECT_EQ(own->m_nThemeNumber, 8);
    EXPECT_EQ(own->m_refreshes, 1);
    EXPECT_EQ(destroyed, 0);
}

TEST_F(PaintManagerFactory, InstallingTwiceFreesTheFirstOnce)
{
    int firstDestroyed = 0;
    int secondDestroyed = 0;
    auto* first = new TestPaintManager(&firstDestroyed);
    auto* second = new TestPaintManager(&secondDestroyed);
    CUTKPaintManager::SetCustomTheme(first);
    CUTKPaintManager::SetCustomTheme(second);
    EXPECT_EQ(firstDestroyed, 1);
    EXPECT_EQ(secondDestroyed, 0);
    EXPECT_EQ(CUTKPaintManager::GetGlobalPaintManager(), second);

    CUTKPaintManager::SetTheme(0);
    EXPECT_EQ(firstDestroyed, 1);
    EXPECT_EQ(secondDestroyed, 1);
}

TEST_F(PaintManagerFactory, InstallingTheInstalledObjectOnlyRefreshesIt)
{
    int destroyed = 0;
    auto* own = new TestPaintManager(&destroyed);
    CUTKPaintManager::SetCustomTheme(own);
    own->m_nThemeNumber = 5;
    CUTKPaintManager::SetCustomTheme(own);
    EXPECT_EQ(destroyed, 0);
    EXPECT_EQ(own->m_refreshes, 2);
    EXPECT_EQ(CUTKPaintManager::GetGlobalPaintManager(), own);
    EXPECT_EQ(own->m_nThemeNumber, 5);
}

TEST_F(PaintManagerFactory, AfterDoneTheNextAccessorMakesThemeZero)
{
    int destroyed = 0;
    CUTKPaintManager::SetCustomTheme(new TestPaintManager(&destroyed));
    CUTKPaintManager::Done();
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(CUTKPaintManager::PeekGlobalPaintManager(), nullptr);
    CUTKPaintManager* made = CUTKPaintManager::GetGlobalPaintManager();
    ASSERT_NE(made, nullptr);
    EXPECT_TRUE(made->IsKindOf(RUNTIME_CLASS(CUTKDefaultTheme)));
    EXPECT_EQ(made->m_nThemeNumber, 0);
    EXPECT_GT(made->m_nTextHeight, 0);
    CUTKPaintManager::Done();
    CUTKPaintManager::Done();  // twice is harmless
    EXPECT_EQ(CUTKPaintManager::PeekGlobalPaintManager(), nullptr);
}

TEST_F(PaintManagerFactory, DefaultPopupImageCellIsTighterThanTheBases)
{
    CUTKPaintManager* theme = CUTKPaintManager::CreateTheme(0);
    auto* base = new TestPaintManager();
    TestBar popup(utkBarTypePopup, utkBarPopup);
    popup.SetIconSize(CSize(16, 16));
    struct Case {
        int textHeight;
        CSize defaultCell;
        CSize baseCell;
    } cases[] = {{16, {20, 20}, {20, 22}}, {25, {25, 25}, {29, 25}}, {18, {20, 20}, {22, 22}}};
    for (const Case& c : cases) {
        theme->m_nTextHeight = c.textHeight;
        base->m_nTextHeight = c.textHeight;
        EXPECT_EQ(theme->GetPopupBarImageSize(&popup), c.defaultCell) << c.textHeight;
        EXPECT_EQ(base->GetPopupBarImageSize(&popup), c.baseCell) << c.textHeight;
    }
    base->InternalRelease();
    theme->InternalRelease();
}

TEST_F(PaintManagerFactory, FrameAndRibbonPaintersAreAbsent)
{
    CUTKPaintManager* pm = CUTKPaintManager::GetGlobalPaintManager();
    EXPECT_EQ(pm->GetFramePaintManager(), nullptr);
    EXPECT_EQ(pm->GetRibbonPaintManager(), nullptr);
    EXPECT_NE(pm->GetGalleryPaintManager(), nullptr);
    EXPECT_NE(pm->GetSliderPaintManager(), nullptr);
    EXPECT_NE(pm->GetProgressPaintManager(), nullptr);
}

}  // namespace
