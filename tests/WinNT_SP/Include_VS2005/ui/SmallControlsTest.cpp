// The rich edit log view, the hyperlink edit and the gradient title under Xvfb, and the image
// button's placement rules and right-click notice.
#include "WinNT_SP/Include_VS2005/ui/ButtonEx.h"
#include "WinNT_SP/Include_VS2005/ui/LinkInter.h"
#include "WinNT_SP/Include_VS2005/ui/RichEditCtrlEx.h"
#include "WinNT_SP/Include_VS2005/ui/TitleStatic.h"
#include "tests/WinNT_SP/Include_VS2005/ui/UiTestApp.h"
#include "tests/WinNT_SP/Include_VS2005/ui/UiTestWindow.h"

#include <gtest/gtest.h>

#include <string>

using namespace orvane::test;

namespace {

constexpr UINT kLinkClicked = WM_APP + 60;

class HostWindow : public CWnd {
public:
    int rightClicks = 0;

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override
    {
        if (reinterpret_cast<NMHDR*>(lParam)->code == NM_RCLICK) {
            ++rightClicks;
        }
        return CWnd::OnNotify(wParam, lParam, result);
    }
};

class SmallControls : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureUiTestApp();
        ASSERT_TRUE(m_host.CreateEx(
            0,
            AfxRegisterWndClass(0, LoadCursor(nullptr, IDC_ARROW),
                                reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)),
            L"Controls", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 420, 300, nullptr, nullptr));
    }
    void TearDown() override { m_host.DestroyWindow(); }
    HostWindow m_host;
};

}  // namespace

TEST_F(SmallControls, RichEditAppendsColouredBoldTextAndGivesRtf)
{
    LoadLibraryW(L"riched20.dll");
    CRichEditCtrlEx log;
    ASSERT_TRUE(log.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_READONLY,
                           CRect(10, 10, 300, 120), &m_host, 100));
    log.AppendText(L"Connecting\r\n", TRUE);
    log.AppendColoredText(RGB(200, 0, 0), L"Server refused\r\n", TRUE);
    log.SetNextTextBold();
    log.AppendText(L"Done", FALSE);
    wchar_t text[200];
    GetWindowTextW(log.m_hWnd, text, 200);
    const std::wstring shown = text;
    EXPECT_NE(shown.find(L"Connecting"), std::wstring::npos) << shown;
    EXPECT_NE(shown.find(L"Server refused"), std::wstring::npos);
    EXPECT_NE(shown.find(L"Done"), std::wstring::npos);
    const std::string rtf = log.GetRtf();
    EXPECT_EQ(rtf.rfind("{\\rtf", 0), 0u) << rtf;
    EXPECT_NE(rtf.find("\\red200\\green0\\blue0"), std::string::npos) << rtf;
    EXPECT_NE(rtf.find("\\b"), std::string::npos) << rtf;
    log.ClearText();
    EXPECT_EQ(GetWindowTextLengthW(log.m_hWnd), 0);
    // Tabbing in does not select the text.
    EXPECT_FALSE(log.SendMessage(WM_GETDLGCODE) & DLGC_HASSETSEL);
    log.DestroyWindow();
}

TEST(LinkOpening, BrowserFromTheOpenCommand)
{
    EXPECT_EQ(BrowserFromCommand(L"\"C:\\Program Files\\Web\\web.exe\" -url \"%1\""),
              L"C:\\Program Files\\Web\\web.exe");
    EXPECT_EQ(BrowserFromCommand(L"\"C:\\Program Files\\Web\\web.exe\""),
              L"C:\\Program Files\\Web\\web.exe");
    EXPECT_EQ(BrowserFromCommand(L"C:\\Web\\web.exe %1"), L"C:\\Web\\web.exe");
    EXPECT_EQ(BrowserFromCommand(L"web.exe"), L"web.exe");
}

TEST_F(SmallControls, LinkClickPostsTheNoticeAndAMoveCancelsIt)
{
    HWND edit =
        CreateWindowExW(0, L"EDIT", L"www.orvane.example", WS_CHILD | WS_VISIBLE | ES_READONLY, 10,
                        150, 200, 20, m_host.m_hWnd, nullptr, GetModuleHandleW(nullptr), nullptr);
    CLinkInter link;
    ASSERT_TRUE(link.SubclassWindow(edit));
    HWND sink = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    link.m_notifyWindow = sink;
    link.m_notifyMessage = kLinkClicked;
    const LPARAM overText = MAKELPARAM(20, 8);
    auto clicks = [&]() {
        MSG msg;
        int n = 0;
        while (PeekMessageW(&msg, sink, kLinkClicked, kLinkClicked, PM_REMOVE)) {
            ++n;
        }
        return n;
    };
    link.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, overText);
    link.SendMessage(WM_LBUTTONUP, 0, overText);
    EXPECT_EQ(clicks(), 1);
    link.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, overText);
    link.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(40, 8));
    link.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(40, 8));
    EXPECT_EQ(clicks(), 0);
    link.UnsubclassWindow();
    DestroyWindow(sink);
}

TEST_F(SmallControls, TitleGradientPaletteAndText)
{
    const COLORREF start = RGB(10, 100, 200);
    const COLORREF end = RGB(240, 240, 240);
    EXPECT_EQ(CTitleStatic::PaletteEntry(start, end, 0), end);
    // Channels below 64 are raised to 64 before the blend.
    EXPECT_EQ(CTitleStatic::PaletteEntry(start, end, 256), RGB(64, 100, 200));
    CTitleStatic title;
    ASSERT_TRUE(title.Create(CRect(10, 200, 390, 230), &m_host, L"Playback"));
    EXPECT_TRUE(title.HasGradient());
    LOGFONTW font;
    title.GetLogFont(&font);
    font.lfWeight = FW_BOLD;
    title.SetLogFont(font);
    PumpMessages(50);
    // Left edge: the start colour (button shadow), right edge towards the button face.
    const COLORREF left = ScreenPixel(title.m_hWnd, 1, 28);
    const COLORREF right = ScreenPixel(title.m_hWnd, 378, 28);
    EXPECT_NE(left, right);
    HoldForScreenshot();
}

TEST(ButtonExPlacement, AlignmentAndPressedOffset)
{
    const RECT content = {2, 3, 42, 23};
    const SIZE image = {16, 16};
    struct Case {
        DWORD style;
        bool pressed;
        LONG x, y;
    } cases[] = {
        {0, false, 14, 5},           {BS_LEFT, false, 2, 5},       {BS_RIGHT, false, 26, 5},
        {BS_TOP, false, 14, 3},      {BS_BOTTOM, false, 14, 7},    {0, true, 15, 6},
        {BS_LEFT | BS_TOP, true, 3, 4},
    };
    for (const Case& c : cases) {
        const POINT p = ButtonEx::ImagePosition(c.style, content, image, c.pressed);
        EXPECT_EQ(p.x, c.x) << c.style;
        EXPECT_EQ(p.y, c.y) << c.style;
    }
}

TEST_F(SmallControls, ImageButtonReportsRightClick)
{
    HWND buttonWnd = CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | BS_ICON, 10, 240,
                                     30, 24, m_host.m_hWnd, reinterpret_cast<HMENU>(77),
                                     GetModuleHandleW(nullptr), nullptr);
    ButtonEx button;
    ASSERT_TRUE(button.SubclassWindow(buttonWnd));
    button.SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    button.SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(m_host.rightClicks, 1);
    button.UnsubclassWindow();
}
