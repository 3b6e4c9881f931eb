// Saved bar positions brought onto the current screen, as tables: layouts saved at 1024 by 768
// and loaded at 1280 by 1024, sizes that switch scaling off, bars beyond the right and bottom
// edges pulled back; and section names that stay bounded for any profile name.
#include "toolkit/commandbars/BarStateScaling.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const CRect kWork(0, 0, 1280, 1024);
const CSize kIcon(32, 32);

CRect WorkOfPoint(CPoint) { return kWork; }
CRect WorkOfRect(const CRect&) { return kWork; }

struct PointCase {
    const char* name;
    CSize saved;
    CPoint in;
    CPoint expected;
};

TEST(BarStateScaling, PointsScaleToTheCurrentScreenAndStayReachable)
{
    const PointCase cases[] = {
        {"1024x768 layout moves proportionally", {1024, 768}, {512, 384}, {640, 512}},
        {"origin stays", {1024, 768}, {0, 0}, {0, 0}},
        {"rounding of MulDiv", {1024, 768}, {101, 99}, {126, 132}},
        {"same size: unchanged", {1280, 1024}, {700, 300}, {700, 300}},
        {"saved size 0 disables scaling", {0, 0}, {700, 300}, {700, 300}},
        {"one dimension 0 disables scaling", {1024, 0}, {700, 300}, {700, 300}},
        {"damaged negative size disables scaling", {-1024, -768}, {700, 300}, {700, 300}},
        {"near the right edge pulled back an icon's width", {0, 0}, {1270, 100}, {1248, 100}},
        {"below the bottom pulled up an icon's height", {0, 0}, {10, 5000}, {10, 992}},
        {"scaled beyond the edge, then pulled back", {1024, 768}, {1020, 760}, {1248, 992}},
        {"negative positions are left alone", {0, 0}, {-40, -10}, {-40, -10}},
    };
    for (const PointCase& c : cases) {
        const BarStateScaling scaling(CSize(1280, 1024), c.saved);
        const CPoint got = scaling.ScalePoint(c.in, WorkOfPoint, kIcon);
        EXPECT_EQ(got.x, c.expected.x) << c.name;
        EXPECT_EQ(got.y, c.expected.y) << c.name;
    }
}

struct RectCase {
    const char* name;
    CSize saved;
    CRect in;
    CRect expected;
};

TEST(BarStateScaling, RectanglesKeepTheirSizeAndComeBackOnScreen)
{
    const RectCase cases[] = {
        {"top-left scaled, size kept", {1024, 768}, {512, 384, 612, 414}, {640, 512, 740, 542}},
        {"unchanged without scaling", {0, 0}, {10, 20, 110, 50}, {10, 20, 110, 50}},
        {"left beyond the right edge moves to the edge", {0, 0}, {1500, 10, 1600, 40},
         {1280, 10, 1380, 40}},
        {"top below the bottom moves to the bottom", {0, 0}, {10, 1100, 110, 1130},
         {10, 1024, 110, 1054}},
        {"partly visible stays", {0, 0}, {1200, 1000, 1400, 1100}, {1200, 1000, 1400, 1100}},
    };
    for (const RectCase& c : cases) {
        const BarStateScaling scaling(CSize(1280, 1024), c.saved);
        EXPECT_EQ(scaling.ScaleRect(c.in, WorkOfRect), c.expected) << c.name;
    }
}

TEST(BarStateScaling, WorkAreaOfTheScaledPointDecides)
{
    // Two monitors side by side: the point scaled onto the second one is limited by its edges.
    const BarStateScaling scaling(CSize(2560, 1024), CSize(1280, 1024));
    CPoint asked;
    const CPoint got = scaling.ScalePoint(CPoint(1275, 10), [&](CPoint pt) {
        asked = pt;
        return pt.x >= 1280 ? CRect(1280, 0, 2560, 1024) : CRect(0, 0, 1280, 1024);
    }, kIcon);
    EXPECT_EQ(asked, CPoint(2550, 10));
    EXPECT_EQ(got, CPoint(2528, 10));
}

TEST(BarStateScaling, SectionNamesAreBoundedAndKeepTheirSuffix)
{
    EXPECT_EQ(std::wstring(MakeBarStateSectionName(L"State", L"-Bar%d", 3)), L"State-Bar3");
    EXPECT_EQ(std::wstring(MakeBarStateSectionName(L"State", L"-DockBar%d", 0)), L"State-DockBar0");
    EXPECT_EQ(std::wstring(MakeBarStateSectionName(L"State", nullptr)), L"State");
    EXPECT_EQ(std::wstring(MakeBarStateSectionName(nullptr, L"-Summary")), L"-Summary");

    // A profile name far beyond the old 256-character buffer.
    const std::wstring longName(5000, L'p');
    const CString bar = MakeBarStateSectionName(longName.c_str(), L"-Bar%d", 12);
    EXPECT_EQ(bar.GetLength(), kMaxBarStateSectionChars);
    EXPECT_EQ(std::wstring(bar.Right(6)), L"-Bar12");
    const CString plain = MakeBarStateSectionName(longName.c_str(), nullptr);
    EXPECT_EQ(plain.GetLength(), kMaxBarStateSectionChars);
    // Two bars of a long profile still get two sections.
    EXPECT_NE(std::wstring(MakeBarStateSectionName(longName.c_str(), L"-Bar%d", 1)),
              std::wstring(MakeBarStateSectionName(longName.c_str(), L"-Bar%d", 2)));
}

}  // namespace
