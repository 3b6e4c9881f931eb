// Splitter windows in a real frame under Xvfb, driven by real input (SendInput): the live drag
// resizes as the mouse moves, Escape keeps what was reached, a quit request during the drag
// ends it and reaches the outer loop, the outline tracker applies on release; the capture is
// released on every way out. Also where the bars sit and what they look like (themed, and
// classic in the uxtheme=d run).
#include "platform/framework/frame/FrameworkFrame.h"
#include "toolkit/dockingpane/CUTKDockingPane.h"
#include "toolkit/dockingpane/CUTKDockingPaneClientContainer.h"
#include "toolkit/dockingpane/CUTKDockingPaneLayout.h"
#include "toolkit/dockingpane/CUTKDockingPaneManager.h"
#include "toolkit/dockingpane/CUTKDockingPaneSplitterContainer.h"
#include "toolkit/dockingpane/CUTKDockingPaneSplitterWnd.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// A frame with a docking manager whose top splitter holds one pane (with an edit window) on
// the left of the client. Records the action codes the docking system reports.
class SplitterHost : public CFrameWnd {
public:
    ~SplitterHost() override
    {
        if (m_hWnd) {
            DestroyWindow();
        }
        delete m_pManager;
    }

    BOOL Build(int paneWidth)
    {
        if (!Create(nullptr, L"Splitter host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE,
                    CRect(40, 40, 640, 440), nullptr, nullptr)) {
            return FALSE;
        }
        m_pManager = new CUTKDockingPaneManager;
        if (!m_pManager->InstallDockingPanes(this)) {
            return FALSE;
        }
        m_pManager->SetTheme(3);
        CUTKDockingPaneLayout* layout = m_pManager->GetLiveLayout();
        m_pPane = static_cast<CUTKDockingPane*>(
            m_pManager->CreatePaneObject(dockingPaneTypePane, layout));
        m_pPane->SetID(4000);
        m_pPane->m_szDocking = CSize(paneWidth, 0);
        m_edit = ::CreateWindowExW(0, L"EDIT", L"Bookmarks", WS_CHILD | ES_MULTILINE, 0, 0, 10,
                                   10, m_hWnd, nullptr, ::GetModuleHandleW(nullptr), nullptr);
        m_pPane->Attach(m_edit);
        Top()->InsertPane(m_pPane, layout->GetClientContainer(), FALSE);
        RecalcLayout();
        Pump();
        return TRUE;
    }

    CUTKDockingPaneSplitterContainer* Top() const { return m_pManager->GetLiveLayout()->GetTopContainer(); }

    CUTKDockingPaneSplitterWnd* Bar() const
    {
        const auto& bars = Top()->GetSplitters();
        return bars.IsEmpty() ? nullptr : bars.GetHead();
    }

    int PaneWidth() const
    {
        RECT rc;
        ::GetWindowRect(m_edit, &rc);
        return rc.right - rc.left;
    }

    // Dispatches what is queued, then the idle pass the framework would run. A quit request
    // is kept and reported.
    void Pump()
    {
        MSG msg;
        for (int round = 0; round < 3; ++round) {
            while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                if (msg.message == WM_QUIT) {
                    m_quitSeen = TRUE;
                    m_quitCode = static_cast<int>(msg.wParam);
                    continue;
                }
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
            if ((m_nIdleFlags & idleLayout) != 0) {
                RecalcLayout();
            }
            SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
        }
    }

    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        if (message != WM_DOCKINGPANE_NOTIFY) {
            return CFrameWnd::OnWndMsg(message, wParam, lParam, pResult);
        }
        *pResult = 0;
        if (wParam == DOCKINGPANE_ACTION) {
            auto* record = reinterpret_cast<DOCKINGPANE_ACTION_RECORD*>(lParam);
            m_actions.push_back(record->action);
            if (record->action == m_refuse) {
                record->cancel = TRUE;
            }
        }
        return TRUE;
    }
    void PostNcDestroy() override {}

    CUTKDockingPaneManager* m_pManager = nullptr;
    CUTKDockingPane* m_pPane = nullptr;
    HWND m_edit = nullptr;
    std::vector<int> m_actions;
    int m_refuse = -1;
    BOOL m_quitSeen = FALSE;
    int m_quitCode = 0;
};

void MoveTo(CPoint p)
{
    ::SetCursorPos(p.x, p.y);
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dx = p.x * 65535 / (::GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = p.y * 65535 / (::GetSystemMetrics(SM_CYSCREEN) - 1);
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &in, sizeof(in));
}

void Button(DWORD flags)
{
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    ::SendInput(1, &in, sizeof(in));
}

void Key(WORD vk)
{
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[1].ki.wVk = vk;
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, in, sizeof(INPUT));
}

// A window whose timer asks the thread to quit: timers come after input, so the request is
// seen inside a modal loop entered by input queued before it.
LRESULT CALLBACK QuitWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_TIMER) {
        ::KillTimer(window, wParam);
        ::PostQuitMessage(7);
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

class SplitterDrag : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.Build(150));
        ::SetForegroundWindow(m_host.GetSafeHwnd());
        m_host.Pump();
        ASSERT_NE(nullptr, m_host.Bar());
        ASSERT_EQ(150, m_host.PaneWidth());
        m_host.m_actions.clear();
    }
    void TearDown() override
    {
        Button(MOUSEEVENTF_LEFTUP);
        m_host.Pump();
        EXPECT_EQ(nullptr, ::GetCapture());
    }
    CPoint BarCentre() const
    {
        CRect bar;
        ::GetWindowRect(m_host.Bar()->GetSafeHwnd(), &bar);
        return bar.CenterPoint();
    }
    // Presses on the bar, moves by each offset in turn, then runs what the input caused.
    void Drag(const std::vector<int>& offsets, bool release = true)
    {
        const CPoint start = BarCentre();
        MoveTo(start);
        m_host.Pump();
        Button(MOUSEEVENTF_LEFTDOWN);
        for (int dx : offsets) {
            MoveTo(CPoint(start.x + dx, start.y));
        }
        if (release) {
            Button(MOUSEEVENTF_LEFTUP);
        }
    }

    SplitterHost m_host;
};

TEST_F(SplitterDrag, BarSitsBetweenPaneAndClient)
{
    CRect bar;
    ::GetWindowRect(m_host.Bar()->GetSafeHwnd(), &bar);
    m_host.ScreenToClient(&bar);
    EXPECT_EQ(150, bar.left);
    EXPECT_EQ(4, bar.Width());
    CRect client;
    m_host.GetClientRect(&client);
    EXPECT_EQ(client.Height(), bar.Height());
    wchar_t cls[64] = {};
    ::GetClassNameW(m_host.Bar()->GetSafeHwnd(), cls, 64);
    EXPECT_STREQ(L"UTKDockingPaneSplitter", cls);
    EXPECT_EQ(CRect(154, 0, client.right, client.bottom),
              m_host.m_pManager->GetClientContainer()->GetPaneWindowRect());
}

TEST_F(SplitterDrag, LiveDragResizesAsTheMouseMoves)
{
    m_host.m_pManager->m_bUseSplitterTracker = FALSE;
    Drag({30, 60, 100});
    m_host.Pump();
    EXPECT_EQ(250, m_host.PaneWidth());
    EXPECT_EQ(250, m_host.m_pPane->m_szDocking.cx);
    EXPECT_EQ(nullptr, ::GetCapture());
    EXPECT_EQ((std::vector<int>{actionSplitterResizing, actionSplitterResized}), m_host.m_actions);
}

TEST_F(SplitterDrag, EscapeKeepsTheSizeReached)
{
    m_host.m_pManager->m_bUseSplitterTracker = FALSE;
    Drag({60}, false);
    Key(VK_ESCAPE);
    MoveTo(BarCentre() + CPoint(200, 0));
    Button(MOUSEEVENTF_LEFTUP);
    m_host.Pump();
    EXPECT_EQ(210, m_host.PaneWidth());
    EXPECT_EQ(nullptr, ::GetCapture());
    EXPECT_EQ((std::vector<int>{actionSplitterResizing, actionSplitterResized}), m_host.m_actions);
}

TEST_F(SplitterDrag, QuitRequestEndsTheDragAndReachesTheOuterLoop)
{
    m_host.m_pManager->m_bUseSplitterTracker = FALSE;
    WNDCLASSW cls = {};
    cls.lpfnWndProc = QuitWndProc;
    cls.hInstance = ::GetModuleHandleW(nullptr);
    cls.lpszClassName = L"SplitterDragQuit";
    ::RegisterClassW(&cls);
    const HWND quitter = ::CreateWindowW(L"SplitterDragQuit", L"", 0, 0, 0, 1, 1, HWND_MESSAGE,
                                         nullptr, cls.hInstance, nullptr);
    ASSERT_NE(nullptr, quitter);
    Drag({40}, false);
    ::SetTimer(quitter, 1, 1, nullptr);
    m_host.Pump();
    EXPECT_TRUE(m_host.m_quitSeen);
    EXPECT_EQ(7, m_host.m_quitCode);
    EXPECT_EQ(nullptr, ::GetCapture());
    EXPECT_EQ(190, m_host.PaneWidth());
    EXPECT_EQ((std::vector<int>{actionSplitterResizing, actionSplitterResized}), m_host.m_actions);
    ::DestroyWindow(quitter);
}

TEST_F(SplitterDrag, OutlineTrackerAppliesOnRelease)
{
    ASSERT_TRUE(m_host.m_pManager->m_bUseSplitterTracker);
    Drag({20, 80});
    m_host.Pump();
    EXPECT_EQ(230, m_host.PaneWidth());
    EXPECT_EQ(nullptr, ::GetCapture());
    EXPECT_EQ((std::vector<int>{actionSplitterResizing, actionSplitterResized}), m_host.m_actions);
}

TEST_F(SplitterDrag, OutlineTrackerEscapeChangesNothing)
{
    Drag({80}, false);
    Key(VK_ESCAPE);
    Button(MOUSEEVENTF_LEFTUP);
    m_host.Pump();
    EXPECT_EQ(150, m_host.PaneWidth());
    EXPECT_EQ(nullptr, ::GetCapture());
}

// The bar stops 22 pixels from the pane's outer edge and leaves the client its minimum.
TEST_F(SplitterDrag, DragIsClampedToTheRange)
{
    m_host.m_pManager->m_bUseSplitterTracker = FALSE;
    // Past the low end, the pointer still over the pane.
    Drag({-140});
    m_host.Pump();
    EXPECT_EQ(22, m_host.PaneWidth());
    // Past the high end, the pointer still over the frame.
    CRect client;
    m_host.GetClientRect(&client);
    m_host.ClientToScreen(&client);
    Drag({client.right - 3 - BarCentre().x});
    m_host.Pump();
    EXPECT_EQ(60, m_host.m_pManager->GetClientContainer()->GetPaneWindowRect().Width());
}

TEST_F(SplitterDrag, RefusedResizeDoesNotStart)
{
    m_host.m_refuse = actionSplitterResizing;
    m_host.m_pManager->m_bUseSplitterTracker = FALSE;
    Drag({100});
    m_host.Pump();
    EXPECT_EQ(150, m_host.PaneWidth());
    EXPECT_EQ(std::vector<int>{actionSplitterResizing}, m_host.m_actions);
}

TEST_F(SplitterDrag, LockedBarsDoNotMove)
{
    m_host.m_pManager->m_bLockSplitters = TRUE;
    m_host.m_pManager->m_bUseSplitterTracker = FALSE;
    Drag({100});
    m_host.Pump();
    EXPECT_EQ(150, m_host.PaneWidth());
    EXPECT_TRUE(m_host.m_actions.empty());
}

TEST_F(SplitterDrag, HiddenClientLeavesNoBar)
{
    const HWND old = m_host.Bar()->GetSafeHwnd();
    m_host.m_pManager->m_bHideClient = TRUE;
    m_host.Top()->RecreateSplitters();
    m_host.RecalcLayout();
    m_host.Pump();
    EXPECT_EQ(nullptr, m_host.Bar());
    // The window went with its object.
    EXPECT_FALSE(::IsWindow(old));
    CRect client;
    m_host.GetClientRect(&client);
    EXPECT_EQ(client.Width(), m_host.PaneWidth());
}

TEST_F(SplitterDrag, BarIsPaintedByTheDockingTheme)
{
    CUTKDockingPaneSplitterWnd* bar = m_host.Bar();
    CRect rc;
    bar->GetClientRect(&rc);
    HDC screen = ::GetDC(nullptr);
    HDC mem = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, rc.Width(), rc.Height());
    ::ReleaseDC(nullptr, screen);
    HGDIOBJ old = ::SelectObject(mem, bitmap);
    RECT all = {0, 0, rc.Width(), rc.Height()};
    ::FillRect(mem, &all, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    ::SendMessageW(bar->GetSafeHwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(mem),
                   PRF_CLIENT);
    // The native theme paints the bar in the face colour: no black left.
    const COLORREF middle = ::GetPixel(mem, rc.Width() / 2, rc.Height() / 2);
    EXPECT_NE(RGB(0, 0, 0), middle);
    ::SelectObject(mem, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(mem);
}

}  // namespace
