// Drawing through the framework's DC classes, read back pixel by pixel: a memory DC with a
// bitmap, solid and 3-D rectangles, pens, brushes, text extents, clipping and the halftone
// brush; and the harness's paint smoke window rebuilt on CWnd with a message map and CPaintDC.
#include "tests/platform/framework/window/TestApp.h"

#include <gtest/gtest.h>

namespace {

class MemoryCanvas {
public:
    MemoryCanvas(int cx, int cy)
    {
        CClientDC screen(nullptr);
        dc.CreateCompatibleDC(&screen);
        bitmap.CreateCompatibleBitmap(&screen, cx, cy);
        old = dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, cx, cy, RGB(255, 255, 255));
    }
    ~MemoryCanvas() { dc.SelectObject(old); }

    CDC dc;
    CBitmap bitmap;
    CBitmap* old = nullptr;
};

TEST(GdiTest, RectanglesAndLinesReadBack)
{
    TheTestApp();
    MemoryCanvas canvas(64, 48);
    CDC& dc = canvas.dc;
    dc.FillSolidRect(CRect(0, 0, 32, 48), RGB(200, 0, 0));
    EXPECT_EQ(dc.GetPixel(5, 5), RGB(200, 0, 0));
    EXPECT_EQ(dc.GetPixel(40, 5), RGB(255, 255, 255));
    EXPECT_EQ(dc.GetBkColor(), RGB(255, 255, 255)) << "FillSolidRect restores the colour";

    dc.Draw3dRect(CRect(34, 2, 60, 20), RGB(0, 255, 0), RGB(0, 0, 255));
    EXPECT_EQ(dc.GetPixel(34, 2), RGB(0, 255, 0));    // top-left edge
    EXPECT_EQ(dc.GetPixel(59, 19), RGB(0, 0, 255));   // bottom-right edge
    EXPECT_EQ(dc.GetPixel(45, 10), RGB(255, 255, 255));  // inside untouched

    CPen pen(PS_SOLID, 1, RGB(10, 20, 30));
    CPen* oldPen = dc.SelectObject(&pen);
    ASSERT_NE(oldPen, nullptr);
    dc.MoveTo(34, 30);
    dc.LineTo(60, 30);
    dc.SelectObject(oldPen);
    EXPECT_EQ(dc.GetPixel(40, 30), RGB(10, 20, 30));
    EXPECT_EQ(dc.GetCurrentPosition(), CPoint(60, 30));

    CBrush brush(RGB(0, 128, 128));
    dc.FillRect(CRect(34, 34, 40, 40), &brush);
    EXPECT_EQ(dc.GetPixel(36, 36), RGB(0, 128, 128));
}

TEST(GdiTest, ClippingAndSaveRestore)
{
    MemoryCanvas canvas(40, 40);
    CDC& dc = canvas.dc;
    const int saved = dc.SaveDC();
    dc.IntersectClipRect(0, 0, 20, 40);
    dc.FillSolidRect(0, 0, 40, 40, RGB(0, 0, 0));
    EXPECT_EQ(dc.GetPixel(10, 10), RGB(0, 0, 0));
    EXPECT_EQ(dc.GetPixel(30, 10), RGB(255, 255, 255)) << "outside the clip";
    CRect clip;
    dc.GetClipBox(&clip);
    EXPECT_EQ(clip, CRect(0, 0, 20, 40));
    dc.RestoreDC(saved);
    dc.FillSolidRect(0, 0, 40, 40, RGB(1, 1, 1));
    EXPECT_EQ(dc.GetPixel(30, 10), RGB(1, 1, 1)) << "the clip went with RestoreDC";
}

TEST(GdiTest, TextExtentAndFonts)
{
    MemoryCanvas canvas(200, 40);
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(100, L"Tahoma"));
    LOGFONT lf{};
    ASSERT_GT(font.GetLogFont(&lf), 0);
    EXPECT_LT(lf.lfHeight, 0) << "point size became a character height";
    CFont* oldFont = canvas.dc.SelectObject(&font);
    const CSize one = canvas.dc.GetTextExtent(CString(L"W"));
    const CSize three = canvas.dc.GetTextExtent(CString(L"WWW"));
    EXPECT_GT(one.cx, 0);
    EXPECT_EQ(three.cx, 3 * one.cx);
    CRect calc(0, 0, 200, 0);
    canvas.dc.DrawText(CString(L"Hello"), &calc, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_GT(calc.Height(), 0);
    canvas.dc.SelectObject(oldFont);
}

TEST(GdiTest, HalftoneBrushIsACheckerboard)
{
    MemoryCanvas canvas(8, 8);
    CDC& dc = canvas.dc;
    dc.SetTextColor(RGB(0, 0, 0));
    dc.SetBkColor(RGB(255, 255, 255));
    CBrush* halftone = CDC::GetHalftoneBrush();
    ASSERT_NE(halftone, nullptr);
    EXPECT_EQ(halftone, CDC::GetHalftoneBrush()) << "one shared brush";
    dc.SetBrushOrg(0, 0);
    CBrush* oldBrush = dc.SelectObject(halftone);
    dc.PatBlt(0, 0, 8, 8, PATCOPY);
    dc.SelectObject(oldBrush);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            EXPECT_NE(dc.GetPixel(x, y), dc.GetPixel(x + 1, y)) << x << "," << y;
            EXPECT_NE(dc.GetPixel(x, y), dc.GetPixel(x, y + 1)) << x << "," << y;
        }
    }
}

TEST(GdiTest, TemporaryDcWrappers)
{
    HDC screen = ::GetDC(nullptr);
    CDC* wrapped = CDC::FromHandle(screen);
    ASSERT_NE(wrapped, nullptr);
    EXPECT_EQ(wrapped->m_hDC, screen);
    EXPECT_EQ(wrapped->m_hAttribDC, screen);
    EXPECT_EQ(CDC::FromHandle(screen), wrapped);
    EXPECT_GT(wrapped->GetDeviceCaps(LOGPIXELSY), 0);
    CDC::DeleteTempMap();
    EXPECT_GT(::GetDeviceCaps(screen, LOGPIXELSY), 0) << "freeing the wrapper kept the DC";
    ::ReleaseDC(nullptr, screen);
}

// The harness's paint smoke test, on the framework: red left half, blue right half.
class PaintWnd : public CWnd {
protected:
    void Draw(CDC& dc)
    {
        CRect rc;
        GetClientRect(&rc);
        CRect left = rc;
        left.right = rc.right / 2;
        CRect right = rc;
        right.left = rc.right / 2;
        dc.FillSolidRect(&left, RGB(255, 0, 0));
        dc.FillSolidRect(&right, RGB(0, 0, 255));
    }
    void OnPaint()
    {
        CPaintDC dc(this);
        Draw(dc);
    }
    void OnPrintClient(CDC* pDC, UINT) { Draw(*pDC); }
    BOOL OnEraseBkgnd(CDC*) { return TRUE; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(PaintWnd, CWnd)
    ON_WM_PAINT()
    ON_WM_PRINTCLIENT()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

TEST(GdiTest, FrameworkPaintSmokeWindow)
{
    TheTestApp();
    PaintWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW), L"paint",
                             WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 100, nullptr, nullptr))
        << "no display?";
    wnd.UpdateWindow();
    CRect rc;
    wnd.GetClientRect(&rc);

    MemoryCanvas canvas(rc.Width(), rc.Height());
    wnd.PrintClient(&canvas.dc, PRF_CLIENT);
    EXPECT_EQ(canvas.dc.GetPixel(5, 5), RGB(255, 0, 0));
    EXPECT_EQ(canvas.dc.GetPixel(rc.right - 5, rc.bottom - 5), RGB(0, 0, 255));

    CClientDC screen(&wnd);
    EXPECT_EQ(screen.GetPixel(5, 5), RGB(255, 0, 0)) << "WM_PAINT drew the screen";
    EXPECT_EQ(screen.GetPixel(rc.right - 5, rc.bottom - 5), RGB(0, 0, 255));
    wnd.DestroyWindow();
}

}  // namespace
