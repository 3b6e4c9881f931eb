// The tooltip windows' window-free arithmetic: sizes from measured parts, the content layout,
// placement on the work area, the cursor height read from mask bits, the HTML tip's width
// search and its bounded wait for the browser.
#include <algorithm>
#include <vector>

#include <gtest/gtest.h>

#include "toolkit/common/CUTKToolTipContextKinds.h"
#include "toolkit/common/TooltipLayout.h"

namespace {

// A text 200 pixels wide and 30 high that wraps into 60-pixel lines below its width.
SIZE WrappingText(int limit, std::vector<int>* limits)
{
    limits->push_back(limit);
    if (limit >= 200) {
        return SIZE{200, 30};
    }
    const int lines = (200 + limit - 1) / limit;
    return SIZE{limit, 30 * lines};
}

}  // namespace

TEST(TooltipLayoutSize, FromMeasuredParts)
{
    struct Case {
        const char* name;
        RECT margin;
        bool title;
        SIZE titleExtent;
        SIZE image;
        int expectedLimit;
        SIZE expected;
    } cases[] = {
        // text + 6 each way
        {"text only", {0, 0, 0, 0}, false, {0, 0}, {0, 0}, 394, {206, 36}},
        {"margins", {2, 3, 4, 5}, false, {0, 0}, {0, 0}, 388, {212, 44}},
        // small image beside the text: + 16 + 3
        {"small image", {0, 0, 0, 0}, false, {0, 0}, {16, 16}, 394, {225, 36}},
        // large image: + 24 + 5, height of the larger
        {"large image", {0, 0, 0, 0}, false, {0, 0}, {24, 40}, 394, {235, 46}},
        // title 100 wide: width max(104, 200 + 25), height + 12 + 20; limit less 25
        {"title", {0, 0, 0, 0}, true, {100, 12}, {0, 0}, 369, {231, 68}},
        // a wide title decides the width and the limit
        {"wide title", {0, 0, 0, 0}, true, {500, 12}, {0, 0}, 479, {510, 68}},
        // a small image goes into the title line: title width 304 + 17
        {"title and small image", {0, 0, 0, 0}, true, {300, 12}, {16, 16}, 369, {327, 68}},
        {"title and large image", {0, 0, 0, 0}, true, {100, 12}, {32, 32}, 369, {268, 70}},
    };
    for (const Case& c : cases) {
        std::vector<int> limits;
        const SIZE size =
            TooltipLayout::CalcSize(400, c.margin, c.title ? &c.titleExtent : nullptr, c.image,
                                    [&](int limit) { return WrappingText(limit, &limits); });
        ASSERT_EQ(limits.size(), 1u) << c.name;
        EXPECT_EQ(limits[0], c.expectedLimit) << c.name;
        EXPECT_EQ(size.cx, c.expected.cx) << c.name;
        EXPECT_EQ(size.cy, c.expected.cy) << c.name;
    }
}

TEST(TooltipLayoutSize, NarrowLimitWrapsTheText)
{
    std::vector<int> limits;
    const SIZE size =
        TooltipLayout::CalcSize(106, RECT{0, 0, 0, 0}, nullptr, SIZE{0, 0},
                                [&](int limit) { return WrappingText(limit, &limits); });
    // 100 wide lines: two of them.
    EXPECT_EQ(size.cx, 106);
    EXPECT_EQ(size.cy, 66);
}

TEST(TooltipLayoutContent, PartsInTheClientRectangle)
{
    const RECT client = {0, 0, 300, 100};
    struct Case {
        const char* name;
        bool title;
        SIZE image;
        POINT smallImage;
        POINT largeImage;
        RECT titleRect;
        RECT text;
    } cases[] = {
        {"text only", false, {0, 0}, {0, 0}, {0, 0}, {5, 5, 295, 97}, {3, 3, 297, 97}},
        {"small image", false, {16, 16}, {3, 3}, {0, 0}, {5, 5, 295, 97}, {22, 3, 297, 97}},
        {"title", true, {0, 0}, {0, 0}, {0, 0}, {5, 5, 295, 19}, {13, 29, 282, 97}},
        {"title and small image",
         true,
         {16, 16},
         {3, 3},
         {0, 0},
         {22, 5, 295, 19},
         {13, 29, 282, 97}},
        {"title and large image",
         true,
         {32, 32},
         {0, 0},
         {13, 29},
         {5, 5, 295, 19},
         {50, 29, 282, 97}},
    };
    for (const Case& c : cases) {
        const TooltipLayout::Content content =
            TooltipLayout::LayoutContent(client, RECT{0, 0, 0, 0}, c.title, 14, c.image);
        EXPECT_EQ(content.smallImage.x, c.smallImage.x) << c.name;
        EXPECT_EQ(content.smallImage.y, c.smallImage.y) << c.name;
        EXPECT_EQ(content.largeImage.x, c.largeImage.x) << c.name;
        EXPECT_EQ(content.largeImage.y, c.largeImage.y) << c.name;
        if (c.title) {
            EXPECT_TRUE(EqualRect(&content.title, &c.titleRect)) << c.name;
        }
        EXPECT_TRUE(EqualRect(&content.text, &c.text))
            << c.name << ": " << content.text.left << "," << content.text.top << ","
            << content.text.right << "," << content.text.bottom;
    }
}

TEST(TooltipLayoutPlace, BelowTheCursorAndInsideTheWorkArea)
{
    const RECT work = {0, 0, 1000, 800};
    const SIZE size = {120, 40};
    const POINT exclude = {300, 260};
    struct Case {
        const char* name;
        POINT cursor;
        bool rtl;
        const POINT* exclude;
        RECT expected;
    } cases[] = {
        {"below the cursor", {100, 100}, false, nullptr, {100, 120, 220, 160}},
        {"right-to-left tool", {500, 100}, true, nullptr, {380, 120, 500, 160}},
        {"exclude rectangle", {320, 240}, false, &exclude, {300, 260, 420, 300}},
        // ends 4 pixels inside the right edge
        {"right edge", {950, 100}, false, nullptr, {876, 120, 996, 160}},
        {"left edge", {50, 100}, true, nullptr, {0, 120, 120, 160}},
        // bottom 3 pixels above the cursor
        {"bottom edge", {100, 770}, false, nullptr, {100, 727, 220, 767}},
        {"bottom right corner", {990, 790}, false, nullptr, {876, 747, 996, 787}},
    };
    for (const Case& c : cases) {
        const RECT r = TooltipLayout::Place(size, c.cursor, 20, c.rtl, c.exclude, work);
        EXPECT_TRUE(EqualRect(&r, &c.expected))
            << c.name << ": " << r.left << "," << r.top << "," << r.right << "," << r.bottom;
    }
}

namespace {

// A 32-pixel wide cursor mask: rows [0, rows) drawn (AND 0), the rest transparent (AND all
// ones). Monochrome masks hold the XOR half below, whose drawn rows are set to xorValue.
std::vector<WORD> CursorMask(int height, int rows, bool monochrome, WORD xorValue)
{
    const int andWords = 2 * height;
    std::vector<WORD> words(monochrome ? 2 * andWords : andWords, 0xFFFF);
    for (int i = 0; i < rows * 2; ++i) {
        words[i] = 0;
    }
    if (monochrome) {
        std::fill(words.begin() + andWords, words.end(), WORD{0});
        for (int i = 0; i < rows * 2; ++i) {
            words[andWords + i] = xorValue;
        }
    }
    return words;
}

}  // namespace

TEST(TooltipLayoutCursor, HeightBelowTheHotSpot)
{
    struct Case {
        const char* name;
        int height;
        int rows;
        bool monochrome;
        WORD lastXor;
        int hotSpotY;
        int expected;
    } cases[] = {
        {"colour arrow", 32, 19, false, 0, 0, 19},
        {"colour arrow, hot spot 5", 32, 19, false, 0, 5, 14},
        {"monochrome arrow", 32, 21, true, 0, 0, 21},
        // an inverted pixel in the transparent part of the last row counts as drawn
        {"monochrome, inverted last row", 32, 21, true, 0x0001, 0, 32},
        {"nothing drawn", 32, 0, false, 0, 0, 0},
        // 48 rows of 2 words: only the first 127 AND words are read
        {"tall colour cursor", 64, 64, false, 0, 2, 61},
    };
    for (const Case& c : cases) {
        std::vector<WORD> words = CursorMask(c.height, c.rows, c.monochrome, 0xFFFF);
        if (c.monochrome) {
            words.back() = c.lastXor;
        }
        const int bitmapHeight = c.monochrome ? 2 * c.height : c.height;
        const int count = std::min<int>(static_cast<int>(words.size()), 128);
        EXPECT_EQ(TooltipLayout::CursorHeightBelowHotSpot(words.data(), count, 32, bitmapHeight,
                                                          !c.monochrome, c.hotSpotY),
                  c.expected)
            << c.name;
    }
    EXPECT_EQ(TooltipLayout::CursorHeightBelowHotSpot(nullptr, 0, 32, 32, true, 0),
              TooltipLayout::kDefaultCursorHeight);
    EXPECT_EQ(TooltipLayout::CursorHeightBelowHotSpot(CursorMask(32, 4, false, 0).data(), 64, 0, 32,
                                                      true, 0),
              TooltipLayout::kDefaultCursorHeight)
        << "a zero width is refused";
}

TEST(TooltipHtmlSearch, NarrowestWidthKeepingTheHeight)
{
    // Content of 600 pixels of words with one word of minWord pixels, 20 per line.
    struct Case {
        int maxWidth;
        int minWord;
        int expected;
    } cases[] = {
        {400, 50, 600},   // best is found past the maximum: at 600 it fits in one line
        {200, 50, 200},   // nothing up to twice the maximum keeps the height: the maximum
        {400, 700, 700},  // a word wider than the tried width ends the search at its width
    };
    for (const Case& c : cases) {
        auto measure = [&](int width, int* height) {
            const int used = std::max(width, 1);
            const int lines = std::max(1, (600 + used - 1) / used);
            *height = 20 * lines;
            return std::max(width, c.minWord);
        };
        int fullHeight = 0;
        measure(650, &fullHeight);
        const int width =
            CUTKToolTipContext::CHTMLToolTip::FindNarrowestWidth(c.maxWidth, fullHeight, measure);
        EXPECT_EQ(width, c.expected) << c.maxWidth << " " << c.minWord;
    }
}

TEST(TooltipHtmlWait, EndsOnReadinessTimeOutOrQuit)
{
    using Tip = CUTKToolTipContext::CHTMLToolTip;
    // Ready on the third look.
    int looks = 0;
    DWORD now = 0;
    EXPECT_TRUE(Tip::WaitUntilReady([&] { return ++looks >= 3 ? TRUE : FALSE; }, 1000,
                                    [&] { return now; }));
    EXPECT_EQ(looks, 3);

    // Never ready: the clock passes the time-out.
    looks = 0;
    EXPECT_FALSE(Tip::WaitUntilReady([&] { return ++looks > 1000000 ? TRUE : FALSE; }, 500,
                                     [&] { return now += 100; }));
    EXPECT_LT(looks, 10);

    // A quit request ends the wait and stays for the application's own loop; messages before
    // it are dispatched.
    HWND sink = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr,
                                nullptr);
    ASSERT_NE(sink, nullptr);
    PostMessageW(sink, WM_NULL, 0, 0);
    PostQuitMessage(7);
    now = 0;
    EXPECT_FALSE(Tip::WaitUntilReady([] { return FALSE; }, 100000, [&] { return now; }));
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 7u);
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_NULL, WM_NULL, PM_NOREMOVE | PM_NOYIELD))
        << "the message before the quit was dispatched";
    DestroyWindow(sink);
}
