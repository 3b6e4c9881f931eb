// The interim view and its two video windows.
#include "player/app/QVRView.h"

#include "player/core/VideoLibrary.h"

#include <cstring>

IMPLEMENT_DYNCREATE(QVRView, CView)

BEGIN_MESSAGE_MAP(QVRView, CView)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_DESTROY()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(QVRView::VideoPane, CWnd)
    ON_WM_PAINT()
    ON_WM_MOUSEACTIVATE()
END_MESSAGE_MAP()

int QVRView::VideoPane::OnMouseActivate(CWnd*, UINT, UINT) { return MA_NOACTIVATE; }

void QVRView::VideoPane::OnPaint()
{
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(m_hWnd, &ps);
    RECT rc;
    ::GetClientRect(m_hWnd, &rc);
    ::FillRect(dc, &rc, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    wchar_t name[32] = {};
    ::GetWindowTextW(m_hWnd, name, 32);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, RGB(96, 96, 96));
    ::DrawTextW(dc, name, -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    ::EndPaint(m_hWnd, &ps);
}

QVRView::~QVRView()
{
    if (MainView() == this) {
        SetMainView(nullptr);
    }
}

int QVRView::OnCreate(LPCREATESTRUCT cs)
{
    if (CView::OnCreate(cs) == -1) {
        return -1;
    }
    LPCTSTR videoClass = AfxRegisterWndClass(
        CS_DBLCLKS, nullptr, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    HWND frame = ::GetAncestor(m_hWnd, GA_ROOT);
    const DWORD style = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    const DWORD exStyle = WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
    if (!m_camera.CreateEx(exStyle, videoClass, L"Camera", style, 0, 0, 10, 10, frame,
                           nullptr) ||
        !m_screen.CreateEx(exStyle, videoClass, L"Screen", style, 0, 0, 10, 10, frame,
                           nullptr)) {
        return -1;
    }
    SetMainView(this);
    return 0;
}

void QVRView::OnSize(UINT, int, int) { PlacePanes(); }

void QVRView::PlacePanes()
{
    if (!m_camera.m_hWnd || !m_screen.m_hWnd) {
        return;
    }
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    const int cx = client.right;
    const int cy = client.bottom;
    const int gap = 4;
    const int cameraWidth = (cx - 3 * gap) / 3;
    const int height = cy - 2 * gap;
    HWND frame = ::GetAncestor(m_hWnd, GA_ROOT);
    const bool shown = ::IsWindowVisible(frame) && !::IsIconic(frame) && cx > 0 && cy > 0;
    const UINT flags =
        SWP_NOZORDER | SWP_NOACTIVATE | (shown ? SWP_SHOWWINDOW : SWP_HIDEWINDOW);
    POINT origin{0, 0};
    ::ClientToScreen(m_hWnd, &origin);
    const RECT panes[2] = {
        {origin.x + gap, origin.y + gap, origin.x + gap + cameraWidth,
         origin.y + gap + height * 3 / 4},
        {origin.x + 2 * gap + cameraWidth, origin.y + gap, origin.x + cx - gap,
         origin.y + gap + height},
    };
    CWnd* windows[2] = {&m_camera, &m_screen};
    for (int i = 0; i < 2; ++i) {
        ::SetWindowPos(windows[i]->m_hWnd, nullptr, panes[i].left, panes[i].top,
                       panes[i].right - panes[i].left, panes[i].bottom - panes[i].top, flags);
    }
    CutHoles(frame, shown ? panes : nullptr);
}

void QVRView::CutHoles(HWND frame, const RECT* panes)
{
    // Wine keeps no owner-above-owned order among its X windows, so the frame may lie over
    // the video windows: it gets holes where they are. Only a change is applied, since a new
    // region moves the frame's window again.
    RECT holes[2] = {};
    RECT frameRect;
    ::GetWindowRect(frame, &frameRect);
    if (panes != nullptr) {
        for (int i = 0; i < 2; ++i) {
            holes[i] = panes[i];
            ::OffsetRect(&holes[i], -frameRect.left, -frameRect.top);
        }
    }
    const SIZE frameSize{frameRect.right - frameRect.left, frameRect.bottom - frameRect.top};
    if (std::memcmp(holes, m_holes, sizeof holes) == 0 && frameSize.cx == m_holedFrame.cx &&
        frameSize.cy == m_holedFrame.cy) {
        return;
    }
    std::memcpy(m_holes, holes, sizeof holes);
    m_holedFrame = frameSize;
    if (panes == nullptr) {
        if (m_regionSet) {
            ::SetWindowRgn(frame, nullptr, TRUE);
            m_regionSet = false;
        }
        return;
    }
    HRGN region = ::CreateRectRgn(0, 0, frameSize.cx, frameSize.cy);
    for (const RECT& hole : holes) {
        HRGN cut = ::CreateRectRgnIndirect(&hole);
        ::CombineRgn(region, region, cut, RGN_DIFF);
        ::DeleteObject(cut);
    }
    if (::SetWindowRgn(frame, region, TRUE)) {
        m_regionSet = true;
    } else {
        ::DeleteObject(region);  // the system owns it only when it was taken
    }
}

BOOL QVRView::OnEraseBkgnd(CDC* dc)
{
    RECT rc;
    ::GetClientRect(m_hWnd, &rc);
    ::FillRect(dc->m_hDC, &rc, GetSysColorBrush(COLOR_APPWORKSPACE));
    return TRUE;
}

void QVRView::OnDraw(CDC*) {}

void QVRView::ApplyVideoViewMode()
{
    if (IQVRVideo* engine = VideoEngine()) {
        engine->SetVideoWindows(m_camera.m_hWnd, m_screen.m_hWnd);
    }
}

void QVRView::OnDestroy()
{
    if (IQVRVideo* engine = VideoEngine()) {
        engine->SetVideoWindows(nullptr, nullptr);
    }
    m_camera.DestroyWindow();
    m_screen.DestroyWindow();
    SetMainView(nullptr);
    CView::OnDestroy();
}
