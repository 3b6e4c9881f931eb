// The scoped device-context wrappers (font, pen, brush, compatible and buffered DCs) restore
// what they changed; rectangle values; key and point mirroring in right-to-left windows;
// window text, class registration and fonts.
#include <gtest/gtest.h>

#include "toolkit/common/CUTKBrushDC.h"
#include "toolkit/common/CUTKBufferDC.h"
#include "toolkit/common/CUTKCompatibleDC.h"
#include "toolkit/common/CUTKFontDC.h"
#include "toolkit/common/CUTKPenDC.h"
#include "tests/toolkit/common/DrawCanvas.h"
#include "toolkit/common/UTKDrawFunctions.h"
#include "toolkit/common/UTKRects.h"

namespace {

using orvane::test::DrawCanvas;

constexpr COLORREF kSentinel = RGB(1, 2, 3);

TEST(PenBrushFontDC, SelectionsComeBack)
{
    DrawCanvas canvas(8, 8, kSentinel);
    const HGDIOBJ pen = ::GetCurrentObject(canvas.hdc(), OBJ_PEN);
    const HGDIOBJ brush = ::GetCurrentObject(canvas.hdc(), OBJ_BRUSH);
    const HGDIOBJ font = ::GetCurrentObject(canvas.hdc(), OBJ_FONT);
    {
        CUTKPenDC penDC(canvas.hdc(), RGB(255, 0, 0));
        CUTKBrushDC brushDC(canvas.hdc(), RGB(0, 0, 255));
        EXPECT_NE(pen, ::GetCurrentObject(canvas.hdc(), OBJ_PEN));
        EXPECT_NE(brush, ::GetCurrentObject(canvas.hdc(), OBJ_BRUSH));
        ::Rectangle(canvas.hdc(), 1, 1, 7, 7);
        EXPECT_EQ(RGB(255, 0, 0), canvas.At(1, 1));
        EXPECT_EQ(RGB(0, 0, 255), canvas.At(3, 3));
        penDC.SetColor(RGB(0, 255, 0));
        ::MoveToEx(canvas.hdc(), 0, 0, nullptr);
        ::LineTo(canvas.hdc(), 8, 0);
        EXPECT_EQ(RGB(0, 255, 0), canvas.At(4, 0));

        CFont first;
        CFont second;
        ASSERT_TRUE(first.CreatePointFont(90, L"Arial"));
        ASSERT_TRUE(second.CreatePointFont(120, L"Arial"));
        CUTKFontDC fontDC(canvas.dc(), &first);
        EXPECT_EQ(first.m_hObject, ::GetCurrentObject(canvas.hdc(), OBJ_FONT));
        fontDC.SetFont(&second);
        fontDC.SetFont(nullptr);
        EXPECT_EQ(second.m_hObject, ::GetCurrentObject(canvas.hdc(), OBJ_FONT));
    }
    EXPECT_EQ(pen, ::GetCurrentObject(canvas.hdc(), OBJ_PEN));
    EXPECT_EQ(brush, ::GetCurrentObject(canvas.hdc(), OBJ_BRUSH));
    EXPECT_EQ(font, ::GetCurrentObject(canvas.hdc(), OBJ_FONT));
}

TEST(PenDC, ExistingPenIsNotDeleted)
{
    DrawCanvas canvas(4, 4, kSentinel);
    CPen pen;
    ASSERT_TRUE(pen.CreatePen(PS_SOLID, 1, RGB(9, 9, 9)));
    {
        CUTKPenDC penDC(canvas.dc(), &pen);
        EXPECT_EQ(pen.m_hObject, ::GetCurrentObject(canvas.hdc(), OBJ_PEN));
    }
    EXPECT_EQ(static_cast<DWORD>(OBJ_PEN), ::GetObjectType(pen.m_hObject));
}

TEST(CompatibleDC, SelectsAndReleasesTheCallersBitmap)
{
    DrawCanvas canvas(4, 4, kSentinel);
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(canvas.dc(), 6, 6));
    {
        CUTKCompatibleDC memory(canvas.dc(), &bitmap);
        ASSERT_NE(nullptr, memory.m_hDC);
        EXPECT_EQ(bitmap.m_hObject, ::GetCurrentObject(memory.m_hDC, OBJ_BITMAP));
    }
    // Released: another DC can take it, and it still exists.
    CUTKCompatibleDC again(nullptr, static_cast<HBITMAP>(bitmap.m_hObject));
    EXPECT_EQ(bitmap.m_hObject, ::GetCurrentObject(again.m_hDC, OBJ_BITMAP));
}

TEST(BufferDC, CopiesItsRectangleAtTheEnd)
{
    DrawCanvas canvas(20, 20, kSentinel);
    {
        CUTKBufferDC buffer(canvas.hdc(), CRect(5, 5, 15, 15));
        ASSERT_NE(nullptr, buffer.m_hDC);
        BITMAP bm = {};
        ::GetObjectW(::GetCurrentObject(buffer.m_hDC, OBJ_BITMAP), sizeof(bm), &bm);
        // Right by bottom: drawing uses the destination's coordinates.
        EXPECT_EQ(15, bm.bmWidth);
        EXPECT_EQ(15, bm.bmHeight);
        const RECT all = {0, 0, 20, 20};
        ::SetBkColor(buffer.m_hDC, RGB(0, 128, 0));
        ::ExtTextOutW(buffer.m_hDC, 0, 0, ETO_OPAQUE, &all, nullptr, 0, nullptr);
        EXPECT_EQ(kSentinel, canvas.At(10, 10));
    }
    EXPECT_EQ(RGB(0, 128, 0), canvas.At(5, 5));
    EXPECT_EQ(RGB(0, 128, 0), canvas.At(14, 14));
    EXPECT_EQ(kSentinel, canvas.At(4, 10));
    EXPECT_EQ(kSentinel, canvas.At(15, 10));
}

class RtlWindow : public testing::Test {
protected:
    HWND Make(DWORD exStyle)
    {
        HWND wnd = ::CreateWindowExW(exStyle, L"STATIC", L"text & more", WS_POPUP, 100, 50,
                                     200, 80, nullptr, nullptr, nullptr, nullptr);
        m_windows.push_back(wnd);
        return wnd;
    }
    void TearDown() override
    {
        for (HWND w : m_windows) {
            ::DestroyWindow(w);
        }
    }
    std::vector<HWND> m_windows;
};

TEST_F(RtlWindow, KeysAndPointsMirrorOnlyInRightToLeftWindows)
{
    CWnd ltr;
    CWnd rtl;
    ltr.m_hWnd = Make(0);
    rtl.m_hWnd = Make(WS_EX_LAYOUTRTL);
    ASSERT_NE(nullptr, ltr.m_hWnd);
    ASSERT_NE(nullptr, rtl.m_hWnd);
    struct Case {
        CWnd* wnd;
        UINT in, out;
    } cases[] = {{&rtl, VK_LEFT, VK_RIGHT}, {&rtl, VK_RIGHT, VK_LEFT}, {&rtl, VK_UP, VK_UP},
                 {&ltr, VK_LEFT, VK_LEFT},  {&ltr, VK_RIGHT, VK_RIGHT}};
    for (const Case& c : cases) {
        UINT key = c.in;
        KeyToLayout(c.wnd, key);
        EXPECT_EQ(c.out, key);
    }
    POINT p = {130, 70};
    ScreenToWindow(&ltr, &p);
    EXPECT_EQ(30, p.x);
    EXPECT_EQ(20, p.y);
    p = {130, 70};
    ScreenToWindow(&rtl, &p);
    EXPECT_EQ(300 - 130, p.x);
    EXPECT_EQ(20, p.y);

    EXPECT_EQ(CRect(100, 50, 300, 130), WindowRect(ltr.m_hWnd));
    EXPECT_EQ(CRect(0, 0, 200, 80), ClientRect(&ltr));
    CString text;
    GetDefWindowText(ltr.m_hWnd, text);
    EXPECT_STREQ(L"text & more", static_cast<LPCWSTR>(text));
    ltr.m_hWnd = nullptr;
    rtl.m_hWnd = nullptr;
}

TEST(Rects, EmptyForNoWindow)
{
    EXPECT_TRUE(EmptyRect().IsRectNull());
    EXPECT_TRUE(WindowRect(static_cast<HWND>(nullptr)).IsRectNull());
    EXPECT_TRUE(WindowRect(reinterpret_cast<HWND>(static_cast<INT_PTR>(0x7FFF0))).IsRectNull());
    CWnd none;
    EXPECT_TRUE(WindowRect(&none).IsRectNull());
    EXPECT_TRUE(ClientRect(&none).IsRectNull());
}

TEST(WindowClass, RegisteredWithDefaultProcedure)
{
    ASSERT_TRUE(RegisterWndClass(nullptr, L"OrvaneDrawTestClass", CS_DBLCLKS));
    WNDCLASSW wc = {};
    ASSERT_TRUE(::GetClassInfoW(AfxGetInstanceHandle(), L"OrvaneDrawTestClass", &wc));
    EXPECT_EQ(static_cast<UINT>(CS_DBLCLKS), wc.style);
    EXPECT_EQ(0, wc.cbWndExtra);
    EXPECT_EQ(::LoadCursorW(nullptr, IDC_ARROW), wc.hCursor);
}

TEST(Fonts, FaceLookups)
{
    EXPECT_FALSE(FontExists(L"No Such Face Orvane"));
    EXPECT_FALSE(FontExists(nullptr));
    LOGFONTW stock = {};
    ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(stock), &stock);
    CString face;
    GetDefaultFaceName(face, TRUE);
    EXPECT_FALSE(face.IsEmpty());
    EXPECT_TRUE(FontExists(face) || face == stock.lfFaceName);
    LOGFONTW icon = {};
    EXPECT_TRUE(GetIconLogFont(&icon));
    EXPECT_NE(L'\0', icon.lfFaceName[0]);
}

}  // namespace
