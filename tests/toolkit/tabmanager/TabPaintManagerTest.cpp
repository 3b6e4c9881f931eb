// The tab paint manager's metrics and factories: fonts, text rows, tab-relative rectangles,
// the middle ellipsis, tab measuring per layout and the colour table.
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/toolkit/tabmanager/TabHost.h"
#include "toolkit/common/CUTKColorManager.h"

using orvane::test::TabHost;
using PM = CUTKTabPaintManager;

TEST(TabPaintManager, InflateRectForTabPositionTurnsTheMargins)
{
    struct Case {
        int position;
        CRect expected;
    };
    // a = 1 near end, b = 2 tab side, c = 3 far end, d = 4 opposite side, on (100,100,200,200).
    const Case cases[] = {
        {PM::positionTop, CRect(99, 98, 203, 204)},
        {PM::positionLeft, CRect(98, 99, 204, 203)},
        {PM::positionBottom, CRect(99, 96, 203, 202)},
        {PM::positionRight, CRect(96, 99, 202, 203)},
    };
    for (const Case& c : cases) {
        CRect rect(100, 100, 200, 200);
        PM::InflateRectForTabPosition(rect, 1, 2, 3, 4, c.position);
        EXPECT_EQ(rect, c.expected) << "position " << c.position;
        PM::DeflateRectForTabPosition(rect, 1, 2, 3, 4, c.position);
        EXPECT_EQ(rect, CRect(100, 100, 200, 200)) << "position " << c.position;
    }
}

TEST(TabPaintManager, VerticalFontsNeverSmallerThanEleven)
{
    struct Case {
        LONG height;
        LONG vertical;
    };
    for (const Case& c : {Case{-1, -11}, Case{-5, -11}, Case{-10, -11}, Case{-11, -11},
                          Case{-12, -12}, Case{12, 12}, Case{0, 0}}) {
        PM paint;
        LOGFONTW font = {};
        font.lfHeight = c.height;
        lstrcpyW(font.lfFaceName, L"Arial");
        paint.SetFontIndirect(&font, FALSE);
        LOGFONTW vertical = {};
        ASSERT_NE(paint.GetVerticalFont()->GetLogFont(&vertical), 0);
        EXPECT_EQ(vertical.lfHeight, c.vertical) << "height " << c.height;
        EXPECT_EQ(vertical.lfEscapement, 2700);
        EXPECT_EQ(vertical.lfOrientation, 900);
        LOGFONTW normal = {};
        ASSERT_NE(paint.GetFont()->GetLogFont(&normal), 0);
        EXPECT_EQ(normal.lfHeight, c.height);
        EXPECT_EQ(normal.lfWeight, FW_NORMAL);
        LOGFONTW bold = {};
        ASSERT_NE(paint.GetBoldFont(TRUE)->GetLogFont(&bold), 0);
        EXPECT_EQ(bold.lfWeight, FW_BOLD);
        EXPECT_EQ(bold.lfEscapement, 2700);
    }
}

TEST(TabPaintManager, TextRowHeightFollowsTheSpaceHeight)
{
    struct Case {
        int space;
        int row;
    };
    for (const Case& c : {Case{13, 18}, Case{14, 18}, Case{15, 18}, Case{16, 19}, Case{20, 23}}) {
        EXPECT_EQ(PM::CAppearanceSet::TextRowHeightFor(c.space), c.row) << c.space;
    }
    // The installed set measured the paint manager's own font.
    PM paint;
    HDC screen = ::GetDC(nullptr);
    HGDIOBJ old = ::SelectObject(screen, paint.GetFont()->m_hObject);
    SIZE space = {};
    ::GetTextExtentPoint32W(screen, L" ", 1, &space);
    ::SelectObject(screen, old);
    ::ReleaseDC(nullptr, screen);
    EXPECT_EQ(paint.GetAppearanceSet()->GetTextRowHeight(), PM::CAppearanceSet::TextRowHeightFor(space.cy));
}

TEST(TabPaintManager, PathEllipsisKeepsBothEndsAndStaysInRange)
{
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    PM paint;
    HGDIOBJ old = ::SelectObject(dc.m_hDC, paint.GetFont()->m_hObject);
    const CString text(L"abcdefghijklmnopqrstuvwxyz0123456789");
    const int dots = dc.GetTextExtent(CString(L"...")).cx;
    const int full = dc.GetTextExtent(text).cx;
    for (int space : {-20, 0, dots, dots + 10, full / 2, full - 1, full + 50}) {
        int head = -1;
        int tail = -1;
        PM::SplitPathEllipsis(&dc, text, space, head, tail);
        const std::string what = "space " + std::to_string(space);
        EXPECT_GE(tail, 0) << what;
        EXPECT_LE(head + tail, text.GetLength()) << what;
        EXPECT_TRUE(head == tail || head == tail + 1) << what << " " << head << "/" << tail;
        const int room = space - dots;
        const int used = dc.GetTextExtent(text.Left(head)).cx + dc.GetTextExtent(text.Right(tail)).cx;
        if (head + tail > 0) {
            EXPECT_LE(used, room) << what;
        }
        if (head + tail < text.GetLength()) {
            const int more = head + tail + 1;
            const int wider = dc.GetTextExtent(text.Left(more - more / 2)).cx +
                              dc.GetTextExtent(text.Right(more / 2)).cx;
            EXPECT_GT(wider, room) << what << ": one more character would still fit";
        }
    }
    ::SelectObject(dc.m_hDC, old);
}

TEST(TabPaintManager, MeasuringFollowsTheLayout)
{
    TabHost host;
    host.m_iconSize = CSize(16, 16);
    CUTKTabManagerItem* first = host.AddItem(-1);
    CUTKTabManagerItem* second = host.AddItem(-1);
    first->SetCaption(L"A much longer caption");
    second->SetCaption(L"Short");
    host.SetCurSel(1);
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    PM* paint = host.m_paint;

    paint->SetLayout(PM::layoutFixed);
    EXPECT_EQ(paint->DrawSingleButton(&dc, first, CRect(), FALSE), 70);
    paint->m_rcItemMargin.SetRect(1, 0, 2, 0);
    EXPECT_EQ(paint->DrawSingleButton(&dc, first, CRect(), FALSE), 73);
    paint->m_nMinTabWidth = 90;
    EXPECT_EQ(paint->DrawSingleButton(&dc, first, CRect(), FALSE), 90);
    paint->m_nMinTabWidth = 0;
    paint->m_nMaxTabWidth = 60;
    EXPECT_EQ(paint->DrawSingleButton(&dc, first, CRect(), FALSE), 60);
    paint->m_nMaxTabWidth = 0;
    paint->m_rcItemMargin.SetRectEmpty();

    // Compressed: the others are icon-sized, the selected one as wide as the widest caption.
    paint->SetLayout(PM::layoutCompressed);
    EXPECT_EQ(paint->DrawSingleButton(&dc, first, CRect(), FALSE), 16 + 8);
    HGDIOBJ old = ::SelectObject(dc.m_hDC, paint->GetFont()->m_hObject);
    const int widest = dc.GetTextExtent(CString(L"A much longer caption")).cx;
    const int shortWidth = dc.GetTextExtent(CString(L"Short")).cx;
    ::SelectObject(dc.m_hDC, old);
    EXPECT_EQ(paint->DrawSingleButton(&dc, second, CRect(), FALSE), widest + 6 + 6 + 16);

    paint->SetLayout(PM::layoutAutoSize);
    EXPECT_EQ(paint->DrawSingleButton(&dc, second, CRect(), FALSE), shortWidth + 6 + 6 + 16);
    host.m_iconSize = CSize(0, 0);
    EXPECT_EQ(paint->DrawSingleButton(&dc, second, CRect(), FALSE), shortWidth + 6 + 6);
}

TEST(TabPaintManager, TabCloseButtonCountsOnlyOnTheSelectedTabInModeOne)
{
    TabHost host;
    host.SetCloseButtonMode(1);
    CUTKTabManagerItem* first = host.AddItem(-1);
    CUTKTabManagerItem* second = host.AddItem(-1);
    first->SetCaption(L"Tab");
    second->SetCaption(L"Tab");
    host.SetCurSel(0);
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    const int selected = host.m_paint->DrawSingleButton(&dc, first, CRect(), FALSE);
    const int other = host.m_paint->DrawSingleButton(&dc, second, CRect(), FALSE);
    EXPECT_EQ(selected - other, 14 + 3);
}

TEST(TabPaintManager, FactoriesKeepTheCurrentSetFor512AndDefaultOtherwise)
{
    PM paint;
    EXPECT_EQ(paint.GetColor(), 1);
    EXPECT_NE(dynamic_cast<PM::CColorSetDefault*>(paint.GetColorSet()), nullptr);
    paint.SetColor(8);
    PM::CColorSet* native = paint.GetColorSet();
    EXPECT_NE(dynamic_cast<PM::CColorSetWinNative*>(native), nullptr);
    paint.SetColor(512);
    EXPECT_EQ(paint.GetColorSet(), native);
    paint.SetColor(3);
    EXPECT_EQ(dynamic_cast<PM::CColorSetWinNative*>(paint.GetColorSet()), nullptr);
    paint.SetAppearance(0);
    EXPECT_EQ(paint.GetColor(), 1) << "an appearance brings its default colour set";
    PM::CAppearanceSet* appearance = paint.GetAppearanceSet();
    paint.SetAppearanceSet(nullptr);
    EXPECT_EQ(paint.GetAppearanceSet(), appearance);
}

TEST(TabPaintManager, DefaultColourTableAndACustomColourSurvivingRefresh)
{
    PM paint;
    PM::CColorSet* colors = paint.GetColorSet();
    auto sys = [](int index) { return GetColorManager()->GetColor(index); };
    struct Case {
        const char* name;
        const CUTKPaintManagerColor* color;
        COLORREF expected;
    };
    const Case cases[] = {
        {"frame border", &colors->m_clrFrameBorder, sys(COLOR_BTNSHADOW)},
        {"control face", &colors->m_clrControlFace, sys(COLOR_BTNFACE)},
        {"normal text", &colors->m_clrButtonText, sys(COLOR_BTNTEXT)},
        {"hot text", &colors->m_clrHighlightText, RGB(0, 0, 128)},
        {"disabled text", &colors->m_clrDisabledText, sys(COLOR_GRAYTEXT)},
        {"3D highlight", &colors->m_csPropertyPage3DHighlight, sys(COLOR_BTNHIGHLIGHT)},
        {"3D dark shadow", &colors->m_csPropertyPage3DDarkShadow, sys(COLOR_3DDKSHADOW)},
        {"fourth further", &colors->m_clrFurther[3], sys(COLOR_WINDOW)},
        {"fourth copy", &colors->m_clrFurtherCopy[3], static_cast<COLORREF>(-1)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.color->GetColor(), c.expected) << c.name;
    }
    EXPECT_EQ(colors->m_clrStateSelectedFill.clrLight.GetColor(), static_cast<COLORREF>(-2));
    colors->m_clrFrameBorder.SetCustomValue(RGB(12, 34, 56));
    paint.RefreshMetrics();
    EXPECT_EQ(colors->m_clrFrameBorder.GetColor(), RGB(12, 34, 56));
    EXPECT_EQ(colors->m_clrFrameBorder.GetStandardColor(), sys(COLOR_BTNSHADOW));
}
