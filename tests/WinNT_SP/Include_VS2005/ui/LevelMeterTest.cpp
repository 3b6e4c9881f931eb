// The segmented level meter under Xvfb: layout to whole segments, lit and unlit colours read
// back from the screen, peak hold, dissolving fall and clearing.
#include "WinNT_SP/Include_VS2005/ui/LevelIndicator2.h"
#include "WinNT_SP/Include_VS2005/ui/LevelPercInd.h"
#include "tests/WinNT_SP/Include_VS2005/ui/UiTestWindow.h"

#include <gtest/gtest.h>

using namespace orvane::test;

namespace {

constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGrey = RGB(128, 128, 128);
constexpr COLORREF kBlack = RGB(0, 0, 0);

class LevelMeter : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_host = CreateHostWindow(L"Level meters", 360, 160);
        ASSERT_NE(m_host, nullptr);
    }
    void TearDown() override { DestroyWindow(m_host); }

    HWND AddStatic(int x, int y, int cx, int cy)
    {
        return CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_BITMAP, x, y, cx, cy,
                               m_host, nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    static int CountLit(const CLevelIndicator2& meter, int segment, int across, int step)
    {
        int lit = 0;
        for (int a = 0; a < 2; ++a) {
            for (int c = 0; c < across; ++c) {
                lit += meter.Pixels().Get(1 + segment * step + a, 1 + c) != 0x808080;
            }
        }
        return lit;
    }

    HWND m_host = nullptr;
};

}  // namespace

TEST_F(LevelMeter, ShrinksToWholeSegments)
{
    HWND meterWnd = AddStatic(10, 10, 101, 12);
    CLevelIndicator2 meter;
    meter.Init(meterWnd, CLevelIndicator2_PARM());
    // (1 + 101 - 2) / 3 = 33 segments, 98 drawn pixels + 2 border = 100.
    EXPECT_EQ(meter.SegmentCount(), 33);
    RECT rc;
    GetClientRect(meterWnd, &rc);
    EXPECT_EQ(rc.right, 100);
    EXPECT_EQ(rc.bottom, 12);
    EXPECT_EQ(meter.PixelsPerSegment(), 20);
}

TEST_F(LevelMeter, DrawsLitAndUnlitSegmentsOnScreen)
{
    HWND meterWnd = AddStatic(10, 10, 100, 12);
    CLevelIndicator2 meter;
    meter.Init(meterWnd, CLevelIndicator2_PARM());
    meter.SetLevelAt(10000, 0.5);  // segments 0..16 of 33 lit
    // Border, first segment, gap after it, last lit segment, first unlit, last segment.
    EXPECT_EQ(ScreenPixel(meterWnd, 0, 5), kBlack);
    EXPECT_EQ(ScreenPixel(meterWnd, 1, 5), kGreen);
    EXPECT_EQ(ScreenPixel(meterWnd, 3, 5), kGrey);
    EXPECT_EQ(ScreenPixel(meterWnd, 1 + 16 * 3, 5), kGreen);
    EXPECT_EQ(ScreenPixel(meterWnd, 1 + 17 * 3, 5), kGrey);
    meter.SetLevelAt(10001, 1.0);
    EXPECT_EQ(ScreenPixel(meterWnd, 1 + 32 * 3 + 1, 6), kRed);
    EXPECT_EQ(ScreenPixel(meterWnd, 99, 6), kBlack);
}

TEST_F(LevelMeter, VerticalMeterGrowsUpward)
{
    CLevelIndicator2_PARM parm;
    parm.horizontal = 0;
    HWND meterWnd = AddStatic(10, 10, 12, 100);
    CLevelIndicator2 meter;
    meter.Init(meterWnd, parm);
    meter.SetLevelAt(10000, 0.1);  // segments 0..3
    EXPECT_EQ(ScreenPixel(meterWnd, 5, 98), kGreen);
    EXPECT_EQ(ScreenPixel(meterWnd, 5, 1), kGrey);
}

TEST_F(LevelMeter, PeakHoldsThenDissolvesThenGoes)
{
    HWND meterWnd = AddStatic(10, 10, 100, 12);
    CLevelIndicator2 meter;
    meter.Init(meterWnd, CLevelIndicator2_PARM());
    const int p = meter.PixelsPerSegment();
    meter.SetLevelAt(10000, 1.0);
    EXPECT_EQ(meter.DrawnCount(32), p);
    meter.SetLevelAt(10900, 0.1);  // top segment 3; the peak is held for 1 s
    EXPECT_EQ(meter.DrawnCount(3), p);
    EXPECT_EQ(meter.DrawnCount(20), 0);
    EXPECT_EQ(meter.DrawnCount(32), p);
    EXPECT_EQ(CountLit(meter, 32, 10, 3), p);
    meter.SetLevelAt(11250, -1);  // half way through the 500 ms fall
    EXPECT_EQ(meter.DrawnCount(32), p / 2);
    EXPECT_EQ(CountLit(meter, 32, 10, 3), p / 2);
    EXPECT_EQ(meter.DrawnCount(3), p);
    meter.SetLevelAt(11600, -1);
    EXPECT_EQ(meter.DrawnCount(32), 0);
    EXPECT_EQ(ScreenPixel(meterWnd, 1 + 32 * 3, 5), kGrey);
}

TEST_F(LevelMeter, ClearDropsThePeakAtOnce)
{
    HWND meterWnd = AddStatic(10, 10, 100, 12);
    CLevelIndicator2 meter;
    meter.Init(meterWnd, CLevelIndicator2_PARM());
    meter.SetLevelAt(10000, 0.9);
    meter.SetLevelAt(10100, CLevelIndicator2::kClear);
    for (int j = 0; j < meter.SegmentCount(); ++j) {
        EXPECT_EQ(meter.DrawnCount(j), 0) << j;
    }
    EXPECT_EQ(ScreenPixel(meterWnd, 1, 5), kGrey);
}

TEST_F(LevelMeter, WithoutWindowOrSegmentsIgnoresLevels)
{
    CLevelIndicator2 unbound;
    unbound.Init(nullptr, CLevelIndicator2_PARM());
    unbound.SetLevelAt(10000, 0.5);
    EXPECT_EQ(unbound.SegmentCount(), 0);
    CLevelIndicator2 tiny;
    tiny.Init(AddStatic(10, 10, 2, 12), CLevelIndicator2_PARM());
    tiny.SetLevelAt(10000, 0.5);
    EXPECT_EQ(tiny.SegmentCount(), 0);
}

TEST_F(LevelMeter, SingleSegmentTakesTheRampStart)
{
    HWND meterWnd = AddStatic(10, 10, 4, 12);
    CLevelIndicator2 meter;
    meter.Init(meterWnd, CLevelIndicator2_PARM());
    ASSERT_EQ(meter.SegmentCount(), 1);
    meter.SetLevelAt(10000, 1.0);
    EXPECT_EQ(ScreenPixel(meterWnd, 1, 5), kGreen);
}

TEST(LevelRamp, StopsAndBlends)
{
    const CLevelIndicator2_PARM parm;
    EXPECT_EQ(CLevelIndicator2::RampColor(parm.stops, 0.0), 0x00FF00u);
    EXPECT_EQ(CLevelIndicator2::RampColor(parm.stops, 0.8), 0xFFFF00u);
    EXPECT_EQ(CLevelIndicator2::RampColor(parm.stops, 1.0), 0xFF0000u);
    // Half way from yellow to red: red stays, green halves.
    EXPECT_EQ(CLevelIndicator2::RampColor(parm.stops, 0.85), 0xFF7F00u);
}

TEST_F(LevelMeter, LeftAndRightMetersForTheVolumePane)
{
    HWND left = AddStatic(20, 30, 300, 14);
    HWND right = AddStatic(20, 60, 300, 14);
    CLevelIndicator2 leftMeter;
    CLevelIndicator2 rightMeter;
    leftMeter.Init(left, CLevelIndicator2_PARM());
    rightMeter.Init(right, CLevelIndicator2_PARM());
    const DWORD now = GetTickCount();
    leftMeter.SetLevel(0.95);
    rightMeter.SetLevel(0.92);
    leftMeter.SetLevelAt(now + 50, 0.62);
    rightMeter.SetLevelAt(now + 50, 0.41);
    EXPECT_EQ(ScreenPixel(left, 2, 7), kGreen);
    EXPECT_EQ(ScreenPixel(right, 295, 7), kGrey);
    HoldForScreenshot();
}

TEST_F(LevelMeter, PercentReadOutsShowInTheirWindows)
{
    HWND percent = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 10, 90, 60, 16,
                                   m_host, nullptr, GetModuleHandleW(nullptr), nullptr);
    HWND combined = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 80, 90, 120, 16,
                                    m_host, nullptr, GetModuleHandleW(nullptr), nullptr);
    CLevelPercInd readOut;
    readOut.SetWindows(percent, nullptr, combined);
    readOut.AddLevelAt(20000, 32768);
    wchar_t text[64];
    GetWindowTextW(percent, text, 64);
    EXPECT_STREQ(text, L"50%");
    GetWindowTextW(combined, text, 64);
    EXPECT_STREQ(text, L"-6 dB, 50%");
}
