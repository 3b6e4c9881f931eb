// Popup placement as a table: drop-downs, side popups and point popups against the work area
// (its bottom 5 pixels kept free), flipping, moving, scrolling and fixed placement; the work
// area chosen from the monitor; and the right-docked case on the display's real work area.
#include "toolkit/commandbars/PopupPlacement.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

using P = PopupPlacement;

struct PlaceCase {
    const char* name;
    RECT exclude;
    POINT anchor;
    SIZE size;
    UINT flags;
    BOOL fixed;
    int maxHeight;
    RECT expected;
    UINT expectedFlags;
    BOOL scroll;
    int relayoutHeight;
};

constexpr RECT kWork{0, 0, 1024, 768};  // usable bottom 763

TEST(PopupPlacement, TableOfAnchorsExcludeRectanglesAndSizes)
{
    const PlaceCase cases[] = {
        {"drop-down below a menu item", {100, 0, 140, 20}, {100, 20}, {200, 300}, P::kFlagBelow,
         FALSE, 0, {100, 20, 300, 320}, P::kFlagBelow, FALSE, 0},
        {"drop-down at the right edge ends there and turns right-aligned", {950, 0, 990, 20},
         {950, 20}, {200, 100}, P::kFlagBelow, FALSE, 0, {824, 20, 1024, 120}, 3, FALSE, 0},
        {"right-aligned drop-down ends at the control's right", {300, 0, 340, 20}, {300, 20},
         {200, 100}, 3, FALSE, 0, {140, 20, 340, 120}, 3, FALSE, 0},
        {"right-docked parent opens left", {980, 100, 1010, 130}, {1010, 100}, {150, 200},
         P::kFlagLeft, FALSE, 0, {830, 100, 980, 300}, P::kFlagLeft, FALSE, 0},
        {"side popup without room on the right goes left", {900, 100, 1000, 120}, {1000, 100},
         {150, 100}, 0, FALSE, 0, {750, 100, 900, 200}, P::kFlagLeft, FALSE, 0},
        {"leftward side popup without room on the left goes right", {50, 100, 150, 120},
         {150, 100}, {200, 100}, P::kFlagLeft, FALSE, 0, {150, 100, 350, 200}, 0, FALSE, 0},
        {"side popup moves up to end above the bottom margin", {100, 700, 200, 720}, {200, 700},
         {150, 200}, 0, FALSE, 0, {200, 563, 350, 763}, 0, FALSE, 0},
        {"drop-down fitting neither side, control low: above, cut, scrolling",
         {100, 600, 140, 620}, {100, 620}, {200, 700}, P::kFlagBelow, FALSE, 0,
         {100, 0, 300, 600}, P::kFlagBelow, TRUE, 0},
        {"drop-down fitting neither side, control high: below, cut, scrolling",
         {100, 100, 140, 120}, {100, 120}, {200, 700}, P::kFlagBelow, FALSE, 0,
         {100, 120, 300, 763}, P::kFlagBelow, TRUE, 0},
        {"drop-down that fits above goes above", {100, 600, 140, 620}, {100, 620}, {200, 300},
         P::kFlagBelow, FALSE, 0, {100, 300, 300, 600}, P::kFlagBelow, FALSE, 0},
        {"fixed placement: a drop-down fitting neither side opens beside the control",
         {100, 100, 140, 120}, {100, 120}, {200, 700}, P::kFlagBelow, TRUE, 0,
         {140, 63, 340, 763}, 0, FALSE, 0},
        {"point popup", {500, 300, 500, 300}, {500, 300}, {200, 150}, 0, FALSE, 0,
         {500, 300, 700, 450}, 0, FALSE, 0},
        {"point popup above the point", {500, 300, 500, 300}, {500, 300}, {200, 150},
         P::kFlagAbove, FALSE, 0, {500, 150, 700, 300}, P::kFlagAbove, FALSE, 0},
        {"point popup right-aligned", {500, 300, 500, 300}, {500, 300}, {200, 150},
         P::kFlagLeft, FALSE, 0, {300, 300, 500, 450}, P::kFlagLeft, FALSE, 0},
        {"point popup in the bottom-right corner goes up and ends at the edge",
         {950, 700, 950, 700}, {950, 700}, {200, 150}, 0, FALSE, 0, {824, 550, 1024, 700}, 0,
         FALSE, 0},
        {"point popup below the work area moves up by its height", {300, 800, 300, 800},
         {300, 800}, {100, 100}, 0, FALSE, 0, {300, 700, 400, 800}, 0, FALSE, 0},
        {"point popup beyond the right edge moves left by its width", {1100, 100, 1100, 100},
         {1100, 100}, {100, 100}, 0, FALSE, 0, {1000, 100, 1100, 200}, 0, FALSE, 0},
        {"right-aligned point popup left of the screen is pushed in", {50, 100, 50, 100},
         {50, 100}, {200, 100}, P::kFlagLeft, FALSE, 0, {0, 100, 200, 200}, 0, FALSE, 0},
        {"point popup taller than the screen is cut and scrolls", {10, 10, 10, 10}, {10, 10},
         {100, 900}, 0, FALSE, 0, {10, 0, 110, 763}, 0, TRUE, 0},
        {"fixed point popup taller than the screen asks for more columns", {10, 10, 10, 10},
         {10, 10}, {100, 900}, 0, TRUE, 0, {10, 0, 110, 900}, 0, FALSE, 763},
        {"a maximum height cuts the popup and makes it scroll", {10, 10, 10, 10}, {10, 10},
         {100, 300}, 0, FALSE, 200, {10, 10, 110, 210}, 0, TRUE, 0},
    };
    for (const PlaceCase& c : cases) {
        SCOPED_TRACE(c.name);
        P::Input in;
        in.exclude = c.exclude;
        in.anchor = c.anchor;
        in.size = c.size;
        in.flags = c.flags;
        in.workArea = kWork;
        in.fixedPlacement = c.fixed;
        in.isMenu = TRUE;
        in.maximumHeight = c.maxHeight;
        if (c.fixed) {
            in.hasSideExclude = TRUE;
            in.sideExclude = c.exclude;
        }
        const P::Result r = P::Calc(in);
        EXPECT_TRUE(::EqualRect(&r.rect, &c.expected))
            << r.rect.left << "," << r.rect.top << "," << r.rect.right << "," << r.rect.bottom;
        EXPECT_EQ(r.flags, c.expectedFlags);
        EXPECT_EQ(r.scroll, c.scroll);
        EXPECT_EQ(r.relayoutHeight, c.relayoutHeight);
    }
}

TEST(PopupPlacement, RowRestrictedBarsPlaceFixedAndNeverAskForColumns)
{
    P::Input in;
    in.exclude = RECT{10, 10, 10, 10};
    in.anchor = POINT{10, 10};
    in.size = SIZE{100, 900};
    in.workArea = kWork;
    in.isMenu = TRUE;
    in.rowRestricted = TRUE;
    const P::Result r = P::Calc(in);
    EXPECT_FALSE(r.scroll);
    EXPECT_EQ(r.relayoutHeight, 0);
    EXPECT_EQ(r.rect.top, 0);
    EXPECT_EQ(r.rect.bottom, 900);
}

TEST(PopupPlacement, WorkAreaOrWholeMonitor)
{
    const RECT monitor{0, 0, 1024, 768};
    const RECT work{0, 0, 1024, 738};  // a bar along the bottom takes 30 pixels
    struct Case {
        const char* name;
        RECT exclude;
        POINT anchor;
        RECT expected;
    } cases[] = {
        {"control inside the work area", {100, 0, 140, 20}, {100, 20}, work},
        {"point on the monitor outside the work area", {10, 750, 10, 750}, {10, 750}, monitor},
        {"control on the bottom bar misses the work area", {0, 742, 40, 766}, {40, 742},
         monitor},
        {"control reaching into the work area, anchored below it", {0, 720, 40, 750}, {0, 750},
         monitor},
        {"control reaching below the work area, anchored inside it", {0, 700, 40, 730}, {0, 730},
         work},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const RECT area = P::ChooseWorkArea(monitor, work, c.exclude, c.anchor);
        EXPECT_TRUE(::EqualRect(&area, &c.expected))
            << area.left << "," << area.top << "," << area.right << "," << area.bottom;
    }
}

TEST(PopupPlacement, RightDockedParentOnTheDisplaysWorkArea)
{
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    const POINT origin{0, 0};
    ASSERT_TRUE(::GetMonitorInfoW(::MonitorFromPoint(origin, MONITOR_DEFAULTTOPRIMARY), &info));
    const RECT w = info.rcWork;
    // A control of a bar docked at the right edge; its menu opens to the left of it, and a
    // submenu of that menu (opened leftwards) opens leftwards too.
    const RECT control{w.right - 30, w.top + 100, w.right - 4, w.top + 122};
    P::Input in;
    in.exclude = control;
    in.anchor = POINT{control.right, control.top};
    in.size = SIZE{180, 240};
    in.flags = P::kFlagLeft;
    in.workArea = P::ChooseWorkArea(info.rcMonitor, w, control, in.anchor);
    const P::Result menu = P::Calc(in);
    EXPECT_EQ(menu.rect.right, control.left);
    EXPECT_EQ(menu.rect.top, control.top);
    EXPECT_EQ(menu.flags, P::kFlagLeft);
    const RECT item{menu.rect.left + 2, menu.rect.top + 30, menu.rect.right - 2,
                    menu.rect.top + 52};
    in.exclude = item;
    in.anchor = POINT{item.right, item.top};
    const P::Result sub = P::Calc(in);
    EXPECT_EQ(sub.rect.right, item.left);
    EXPECT_EQ(sub.flags, P::kFlagLeft);
}

} // namespace
