// Drop shadows of real popups under Xvfb. Layered windows are not composited there, so the
// tests read the bitmap handed to UpdateLayeredWindow (through a recording entry that passes
// the call on) and the shadow windows' rectangles, styles, regions and visibility; only the
// solid strips are read back from the screen.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/framework/window/FrameworkWindows.h"
#include "toolkit/common/CUTKColorManager.h"
#include "toolkit/common/CUTKHookManager.h"
#include "toolkit/common/CUTKShadowManager.h"
#include "toolkit/common/ShadowPixels.h"

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace {

struct LayeredUpdate {
    int cx = 0;
    int cy = 0;
    std::vector<DWORD> pixels;  // top row first
    BLENDFUNCTION blend{};
    DWORD flags = 0;
    BOOL hadDestination = FALSE;
};

std::map<HWND, LayeredUpdate> g_updates;
CUTKShadowManager::PFNUPDATELAYEREDWINDOW g_realUpdate = nullptr;

BOOL WINAPI RecordUpdate(HWND hWnd, HDC dst, POINT* ptDst, SIZE* size, HDC src, POINT* ptSrc,
                         COLORREF key, BLENDFUNCTION* blend, DWORD flags)
{
    LayeredUpdate update;
    update.cx = size->cx;
    update.cy = size->cy;
    update.blend = *blend;
    update.flags = flags;
    update.hadDestination = dst != nullptr || ptDst != nullptr;
    DIBSECTION section{};
    HGDIOBJ bitmap = ::GetCurrentObject(src, OBJ_BITMAP);
    if (::GetObjectW(bitmap, sizeof(section), &section) == sizeof(section) &&
        section.dsBm.bmBitsPixel == 32 && section.dsBm.bmWidth == size->cx &&
        section.dsBm.bmHeight == size->cy) {
        const auto* bits = static_cast<const DWORD*>(section.dsBm.bmBits);
        const bool bottomUp = section.dsBmih.biHeight > 0;
        for (int y = 0; y < size->cy; ++y) {
            const int row = bottomUp ? size->cy - 1 - y : y;
            update.pixels.insert(update.pixels.end(), bits + row * size->cx,
                                 bits + (row + 1) * size->cx);
        }
    }
    g_updates[hWnd] = update;
    return g_realUpdate(hWnd, dst, ptDst, size, src, ptSrc, key, blend, flags);
}

int AlphaAt(const LayeredUpdate& update, int x, int y)
{
    return static_cast<int>(update.pixels.at(static_cast<size_t>(y * update.cx + x)) >> 24);
}

CRect WindowRect(HWND hWnd)
{
    CRect rect;
    ::GetWindowRect(hWnd, &rect);
    return rect;
}

void Pump()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::DispatchMessageW(&msg);
    }
}

// For looking at: the shadow bitmap over white, 8 times enlarged (a PPM the caller turns into
// a PNG), when ORVANE_SHADOW_OUT names a folder.
void WriteOverWhite(const LayeredUpdate& update, const char* name)
{
    const char* folder = std::getenv("ORVANE_SHADOW_OUT");
    if (folder == nullptr || update.pixels.empty()) {
        return;
    }
    const int scale = 8;
    const std::string path = std::string(folder) + "\\" + name + ".ppm";
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return;
    }
    std::fprintf(file, "P6\n%d %d\n255\n", update.cx * scale, update.cy * scale);
    for (int y = 0; y < update.cy * scale; ++y) {
        for (int x = 0; x < update.cx * scale; ++x) {
            const DWORD p = update.pixels[static_cast<size_t>((y / scale) * update.cx + x / scale)];
            const int uncovered = 255 - static_cast<int>(p >> 24);
            const unsigned char rgb[3] = {
                static_cast<unsigned char>(((p >> 16) & 0xFF) + uncovered),
                static_cast<unsigned char>(((p >> 8) & 0xFF) + uncovered),
                static_cast<unsigned char>((p & 0xFF) + uncovered)};
            std::fwrite(rgb, 1, 3, file);
        }
    }
    std::fclose(file);
}

class ShadowManagerTest : public testing::Test {
protected:
    void SetUp() override
    {
        g_updates.clear();
        m_manager = new CUTKShadowManager;
        // Xvfb runs at 24 bits: layered shadows are possible.
        ASSERT_NE(nullptr, m_manager->m_updateLayeredWindow);
        ASSERT_TRUE(m_manager->m_alphaShadows);
        g_realUpdate = m_manager->m_updateLayeredWindow;
        m_manager->m_updateLayeredWindow = &RecordUpdate;
        // The session's drop-shadow setting is off and must not be changed: draw regardless.
        m_manager->m_options = CUTKShadowManager::optionAlways;
    }
    void TearDown() override
    {
        for (HWND owner : m_owners) {
            if (::IsWindow(owner)) {
                ::DestroyWindow(owner);
            }
        }
        EXPECT_TRUE(m_manager->GetShadows().IsEmpty());
        EXPECT_EQ(1, static_cast<LONG>(m_manager->m_dwRef));
        m_manager->InternalRelease();
    }
    HWND MakeOwner(const CRect& rect, DWORD exStyle = 0)
    {
        HWND owner = ::CreateWindowExW(exStyle, L"STATIC", L"", WS_POPUP | WS_VISIBLE | SS_WHITERECT,
                                       rect.left, rect.top, rect.Width(), rect.Height(), nullptr,
                                       nullptr, nullptr, nullptr);
        m_owners.push_back(owner);
        return owner;
    }
    std::vector<CUTKShadowManager::CShadowWnd*> Shadows() const
    {
        std::vector<CUTKShadowManager::CShadowWnd*> shadows;
        const auto& list = m_manager->GetShadows();
        for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
            shadows.push_back(list.GetNext(pos));
        }
        return shadows;
    }

    CUTKShadowManager* m_manager = nullptr;
    std::vector<HWND> m_owners;
};

TEST_F(ShadowManagerTest, HundredPixelPopupCastsLayeredStrips)
{
    HWND owner = MakeOwner(CRect(100, 100, 200, 200));
    m_manager->SetShadow(CWnd::FromHandle(owner), CRect(0, 0, 0, 0), nullptr);
    const auto shadows = Shadows();
    ASSERT_EQ(2u, shadows.size());
    EXPECT_EQ(3, static_cast<LONG>(m_manager->m_dwRef));  // one reference per shadow

    struct Expect {
        int kind;
        CRect rect;
        POINT nearPixel;  // next to the owner, in the middle of the strip
        POINT farPixel;   // the outermost one
        const char* name;
    } expected[] = {
        {ShadowPixels::kindBottom, CRect(104, 200, 204, 204), {50, 0}, {50, 3}, "bottom"},
        {ShadowPixels::kindRight, CRect(200, 104, 204, 200), {0, 50}, {3, 50}, "right"},
    };
    for (size_t i = 0; i < 2; ++i) {
        const Expect& e = expected[i];
        CUTKShadowManager::CShadowWnd* shadow = shadows[i];
        EXPECT_EQ(e.kind, shadow->m_kind);
        EXPECT_EQ(owner, shadow->m_owner);
        EXPECT_EQ(e.rect, WindowRect(shadow->m_hWnd)) << e.name;
        EXPECT_TRUE(::IsWindowVisible(shadow->m_hWnd));
        EXPECT_EQ(static_cast<DWORD>(WS_EX_LAYERED | WS_EX_TOOLWINDOW),
                  static_cast<DWORD>(::GetWindowLongW(shadow->m_hWnd, GWL_EXSTYLE)) &
                      (WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST));
        // Clicks go through to what lies below.
        EXPECT_EQ(HTTRANSPARENT, ::SendMessageW(shadow->m_hWnd, WM_NCHITTEST, 0,
                                                MAKELPARAM(e.rect.left + 1, e.rect.top + 1)));
        ASSERT_EQ(1u, g_updates.count(shadow->m_hWnd)) << e.name;
        const LayeredUpdate& update = g_updates[shadow->m_hWnd];
        EXPECT_EQ(e.rect.Width(), update.cx);
        EXPECT_EQ(e.rect.Height(), update.cy);
        ASSERT_EQ(static_cast<size_t>(update.cx * update.cy), update.pixels.size());
        EXPECT_FALSE(update.hadDestination);
        EXPECT_EQ(static_cast<DWORD>(ULW_ALPHA), update.flags);
        EXPECT_EQ(AC_SRC_OVER, update.blend.BlendOp);
        EXPECT_EQ(255, update.blend.SourceConstantAlpha);
        EXPECT_EQ(AC_SRC_ALPHA, update.blend.AlphaFormat);
        // Option bit 0: the lighter shading.
        EXPECT_EQ(60, AlphaAt(update, e.nearPixel.x, e.nearPixel.y)) << e.name;
        EXPECT_EQ(15, AlphaAt(update, e.farPixel.x, e.farPixel.y)) << e.name;
        WriteOverWhite(update, (std::string("shadow-") + e.name + "-light").c_str());
    }
    // The owner is hooked by both shadows.
    ASSERT_NE(nullptr, GetHookManager()->Lookup(owner));
    EXPECT_EQ(2, GetHookManager()->Lookup(owner)->GetClientCount());
}

TEST_F(ShadowManagerTest, ShadowsFollowTheGrowingOwner)
{
    struct Case {
        DWORD exStyle;
        CRect bottom;
        CRect right;
    } cases[] = {
        // Grown by 20 to the right and 10 down.
        {0, CRect(104, 210, 224, 214), CRect(220, 104, 224, 210)},
        // Mirrored: the bottom strip grows to the left, the right strip stays.
        {WS_EX_LAYOUTRTL, CRect(84, 210, 204, 214), CRect(200, 104, 204, 210)},
    };
    for (const Case& c : cases) {
        g_updates.clear();
        m_manager->m_options = CUTKShadowManager::optionAlways;
        HWND owner = MakeOwner(CRect(100, 100, 200, 200), c.exStyle);
        m_manager->SetShadow(CWnd::FromHandle(owner), CRect(0, 0, 0, 0), nullptr);
        const auto shadows = Shadows();
        ASSERT_EQ(2u, shadows.size());
        // The normal shading from here on: the strips are rendered again at their new size.
        m_manager->m_options = 0;
        ::SetWindowPos(owner, nullptr, 0, 0, 120, 110, SWP_NOMOVE | SWP_NOZORDER);
        m_manager->OffsetShadow(CWnd::FromHandle(owner), 20, 10);
        EXPECT_EQ(c.bottom, WindowRect(shadows[0]->m_hWnd));
        EXPECT_EQ(c.right, WindowRect(shadows[1]->m_hWnd));
        const LayeredUpdate& bottom = g_updates[shadows[0]->m_hWnd];
        ASSERT_EQ(120, bottom.cx);
        EXPECT_EQ(120, AlphaAt(bottom, 60, 0));
        EXPECT_EQ(30, AlphaAt(bottom, 60, 3));
        const LayeredUpdate& right = g_updates[shadows[1]->m_hWnd];
        ASSERT_EQ(106, right.cy);
        EXPECT_EQ(120, AlphaAt(right, 0, 50));
        EXPECT_EQ(30, AlphaAt(right, 3, 50));
        if (c.exStyle == 0) {
            WriteOverWhite(bottom, "shadow-bottom");
            WriteOverWhite(right, "shadow-right");
        }
        ::DestroyWindow(owner);
    }
}

TEST_F(ShadowManagerTest, TinyPopupStripsStayInsideTheirBitmaps)
{
    // 3 pixels wide and 6 high: a 3 x 4 bottom strip and a 4 x 2 right strip.
    HWND owner = MakeOwner(CRect(100, 100, 103, 106));
    m_manager->SetShadow(CWnd::FromHandle(owner), CRect(0, 0, 0, 0), nullptr);
    const auto shadows = Shadows();
    ASSERT_EQ(2u, shadows.size());
    const LayeredUpdate& bottom = g_updates[shadows[0]->m_hWnd];
    const LayeredUpdate& right = g_updates[shadows[1]->m_hWnd];
    ASSERT_EQ(12u, bottom.pixels.size());
    ASSERT_EQ(8u, right.pixels.size());
    const std::vector<DWORD> expectedBottom =
        ShadowPixels::Render(ShadowPixels::kindBottom, 3, 4, TRUE, 0);
    const std::vector<DWORD> expectedRight =
        ShadowPixels::Render(ShadowPixels::kindRight, 4, 2, TRUE, 0);
    EXPECT_EQ(expectedBottom, bottom.pixels);
    EXPECT_EQ(expectedRight, right.pixels);
    // Outer columns are the strip's ends, the middle one the next column in.
    EXPECT_EQ(12, AlphaAt(bottom, 0, 0));
    EXPECT_EQ(24, AlphaAt(bottom, 1, 0));
    EXPECT_EQ(12, AlphaAt(bottom, 2, 0));
}

TEST_F(ShadowManagerTest, ShapedPopupGetsACornerPixel)
{
    // A popup whose window region is not a rectangle (a notch cut from its top-left corner).
    HWND owner = MakeOwner(CRect(100, 100, 200, 200));
    CRgn shape;
    CRgn notch;
    shape.CreateRectRgn(0, 0, 100, 100);
    notch.CreateRectRgn(0, 0, 10, 10);
    ::CombineRgn(shape, shape, notch, RGN_DIFF);
    ASSERT_NE(0, ::SetWindowRgn(owner, static_cast<HRGN>(shape.Detach()), FALSE));
    m_manager->SetShadow(CWnd::FromHandle(owner), CRect(0, 0, 0, 0), nullptr);
    const auto shadows = Shadows();
    ASSERT_EQ(3u, shadows.size());
    EXPECT_EQ(ShadowPixels::kindCorner, shadows[2]->m_kind);
    EXPECT_EQ(CRect(199, 199, 200, 200), WindowRect(shadows[2]->m_hWnd));
    // The corner lies inside its own owner, which it is not cut against.
    EXPECT_FALSE(shadows[2]->m_regionSet);
    const LayeredUpdate& corner = g_updates[shadows[2]->m_hWnd];
    ASSERT_EQ(1u, corner.pixels.size());
    EXPECT_EQ(60, AlphaAt(corner, 0, 0));
}

TEST(ShadowManagerScreen, LowColourScreenGetsSolidStrips)
{
    struct Case {
        int bits;
        BOOL alpha;
    } cases[] = {{8, FALSE}, {4, FALSE}, {16, TRUE}, {32, TRUE}};
    for (const Case& c : cases) {
        static int bits = 0;
        bits = c.bits;
        CUTKColorManager::SystemHooks hooks;
        hooks.pfnScreenBitsPerPixel = [] { return bits; };
        GetColorManager()->SetHooks(hooks);
        auto* manager = new CUTKShadowManager;
        GetColorManager()->SetHooks(CUTKColorManager::SystemHooks{});
        EXPECT_EQ(c.alpha, manager->m_alphaShadows) << c.bits;
        EXPECT_EQ(c.alpha ? 4 : 2, manager->GetThickness());
        manager->InternalRelease();
    }
}

TEST_F(ShadowManagerTest, SolidStripsWithoutAlpha)
{
    m_manager->m_alphaShadows = FALSE;
    HWND owner = MakeOwner(CRect(600, 400, 700, 500), WS_EX_TOPMOST);
    m_manager->SetShadow(CWnd::FromHandle(owner), CRect(0, 0, 0, 0), nullptr);
    const auto shadows = Shadows();
    ASSERT_EQ(2u, shadows.size());
    EXPECT_EQ(CRect(602, 500, 702, 502), WindowRect(shadows[0]->m_hWnd));
    EXPECT_EQ(CRect(700, 402, 702, 500), WindowRect(shadows[1]->m_hWnd));
    for (auto* shadow : shadows) {
        ::UpdateWindow(shadow->m_hWnd);
        EXPECT_EQ(static_cast<DWORD>(WS_EX_TOOLWINDOW | WS_EX_TOPMOST),
                  static_cast<DWORD>(::GetWindowLongW(shadow->m_hWnd, GWL_EXSTYLE)) &
                      (WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST));
    }
    EXPECT_TRUE(g_updates.empty());
    Pump();
    const COLORREF shadowColor = GetColorManager()->GetColor(16);
    HDC screen = ::GetDC(nullptr);
    EXPECT_EQ(shadowColor, ::GetPixel(screen, 650, 500));
    EXPECT_EQ(shadowColor, ::GetPixel(screen, 650, 501));
    EXPECT_EQ(shadowColor, ::GetPixel(screen, 701, 450));
    ::ReleaseDC(nullptr, screen);
}

TEST_F(ShadowManagerTest, HidesAndShowsWithItsOwnerWithoutActivation)
{
    HWND owner = MakeOwner(CRect(100, 100, 200, 200));
    m_manager->SetShadow(CWnd::FromHandle(owner), CRect(0, 0, 0, 0), nullptr);
    const auto shadows = Shadows();
    ASSERT_EQ(2u, shadows.size());
    // Another window is active; the owner only shows and hides without activation.
    HWND active = MakeOwner(CRect(300, 300, 360, 360));
    ::SetForegroundWindow(active);
    ::SetActiveWindow(active);
    const HWND activeBefore = ::GetActiveWindow();
    ASSERT_EQ(active, activeBefore);
    struct Step {
        int show;
        BOOL visible;
    } steps[] = {{SW_HIDE, FALSE}, {SW_SHOWNOACTIVATE, TRUE}, {SW_HIDE, FALSE},
                 {SW_SHOWNA, TRUE}};
    for (const Step& step : steps) {
        ::ShowWindow(owner, step.show);
        for (auto* shadow : shadows) {
            EXPECT_EQ(step.visible, ::IsWindowVisible(shadow->m_hWnd)) << step.show;
        }
        EXPECT_EQ(activeBefore, ::GetActiveWindow()) << step.show;
    }
}

TEST_F(ShadowManagerTest, OwnerDestroyedOrShadowRemoved)
{
    for (BOOL destroyOwner : {TRUE, FALSE}) {
        HWND owner = MakeOwner(CRect(100, 100, 200, 200));
        const LONG_PTR ownProc = ::GetWindowLongPtrW(owner, GWLP_WNDPROC);
        m_manager->SetShadow(CWnd::FromHandle(owner), CRect(0, 0, 0, 0), nullptr);
        std::vector<HWND> windows;
        for (auto* shadow : Shadows()) {
            windows.push_back(shadow->m_hWnd);
        }
        ASSERT_EQ(2u, windows.size());
        if (destroyOwner) {
            // Both shadows leave the owner's hook while it dispatches WM_DESTROY.
            ASSERT_TRUE(::DestroyWindow(owner));
        } else {
            m_manager->RemoveShadow(CWnd::FromHandle(owner));
            EXPECT_EQ(ownProc, ::GetWindowLongPtrW(owner, GWLP_WNDPROC));
            EXPECT_TRUE(::IsWindowVisible(owner));
        }
        EXPECT_TRUE(m_manager->GetShadows().IsEmpty());
        EXPECT_EQ(1, static_cast<LONG>(m_manager->m_dwRef));
        EXPECT_EQ(nullptr, GetHookManager()->Lookup(owner));
        for (HWND hWnd : windows) {
            EXPECT_FALSE(::IsWindow(hWnd));
        }
        ::DestroyWindow(owner);
    }
}

TEST_F(ShadowManagerTest, DropShadowSettingGovernsWithoutOptionBit)
{
    m_manager->m_options = 0;
    BOOL dropShadow = FALSE;
    ::SystemParametersInfoW(SPI_GETDROPSHADOW, 0, &dropShadow, 0);
    HWND owner = MakeOwner(CRect(100, 100, 200, 200));
    m_manager->SetShadow(CWnd::FromHandle(owner), CRect(0, 0, 0, 0), nullptr);
    EXPECT_EQ(dropShadow ? 2 : 0, m_manager->GetShadows().GetCount());
    // Without layered windows nothing either, whatever the setting says.
    m_manager->RemoveShadow(CWnd::FromHandle(owner));
    m_manager->m_alphaShadows = FALSE;
    m_manager->SetShadow(CWnd::FromHandle(owner), CRect(0, 0, 0, 0), nullptr);
    EXPECT_EQ(0, m_manager->GetShadows().GetCount());
}

TEST_F(ShadowManagerTest, ShadowForControlNeedsBothOptionBits)
{
    // A popup opened below a 40 x 20 control at (300, 300).
    const CRect control(300, 300, 340, 320);
    struct Case {
        int options;
        size_t shadows;
    } cases[] = {{0, 0}, {1, 0}, {2, 0}, {3, 2}};
    for (const Case& c : cases) {
        m_manager->m_options = c.options;
        HWND popup = MakeOwner(CRect(300, 320, 400, 400));
        m_manager->SetShadowForControl(control.left, control.top, control.right, control.bottom,
                                       CWnd::FromHandle(popup));
        const auto shadows = Shadows();
        ASSERT_EQ(c.shadows, shadows.size()) << c.options;
        if (c.shadows == 2) {
            EXPECT_EQ(CRect(304, 320, 344, 324), WindowRect(shadows[0]->m_hWnd));
            EXPECT_EQ(CRect(340, 304, 344, 320), WindowRect(shadows[1]->m_hWnd));
            // The part of the control's bottom strip over the popup is cut away.
            EXPECT_TRUE(shadows[0]->m_regionSet);
            CRgn region;
            region.CreateRectRgn(0, 0, 0, 0);
            EXPECT_EQ(NULLREGION, ::GetWindowRgn(shadows[0]->m_hWnd, region));
            EXPECT_FALSE(shadows[1]->m_regionSet);
            for (auto* shadow : shadows) {
                EXPECT_TRUE(shadow->m_rectangleShadow);
            }
            // Rectangle shadows do not move with the popup.
            m_manager->OffsetShadow(CWnd::FromHandle(popup), 10, 10);
            EXPECT_EQ(CRect(304, 320, 344, 324), WindowRect(shadows[0]->m_hWnd));
        }
        ::DestroyWindow(popup);
        EXPECT_TRUE(m_manager->GetShadows().IsEmpty());
    }
}

TEST_F(ShadowManagerTest, ShadowsStayOffTheirGroupsPopups)
{
    int groupA = 0;
    int groupB = 0;
    struct Case {
        LPVOID secondGroup;
        int options;
        BOOL cut;
    } cases[] = {
        {&groupA, CUTKShadowManager::optionAlways, TRUE},
        {&groupB, CUTKShadowManager::optionAlways, FALSE},
        // Another group, but the exclusion rectangle covers the same place.
        {&groupB, CUTKShadowManager::optionAlways | CUTKShadowManager::optionClipExclusion,
         TRUE},
    };
    for (const Case& c : cases) {
        m_manager->m_options = c.options;
        HWND first = MakeOwner(CRect(100, 100, 200, 200));
        HWND second = MakeOwner(CRect(50, 150, 150, 250));
        m_manager->SetShadow(CWnd::FromHandle(first), CRect(0, 0, 0, 0), &groupA);
        m_manager->SetShadow(CWnd::FromHandle(second), CRect(100, 100, 200, 200), c.secondGroup);
        const auto shadows = Shadows();
        ASSERT_EQ(4u, shadows.size());
        // The second popup's right strip (150, 154)-(154, 250) runs 46 rows under the first.
        CUTKShadowManager::CShadowWnd* right = shadows[3];
        ASSERT_EQ(CRect(150, 154, 154, 250), WindowRect(right->m_hWnd));
        EXPECT_EQ(c.cut, right->m_regionSet);
        if (c.cut) {
            CRgn region;
            region.CreateRectRgn(0, 0, 0, 0);
            ASSERT_NE(ERROR, ::GetWindowRgn(right->m_hWnd, region));
            CRect box;
            ::GetRgnBox(region, &box);
            EXPECT_EQ(CRect(0, 46, 4, 96), box);
        }
        // Its bottom strip lies clear of the first popup.
        EXPECT_FALSE(shadows[2]->m_regionSet);
        ::DestroyWindow(second);
        ::DestroyWindow(first);
    }
}

}  // namespace
