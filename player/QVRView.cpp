// The interim view and its two video windows.
#include "QVRView.h"

#include "VideoLibrary.h"

IMPLEMENT_DYNCREATE(QVRView, CView)

BEGIN_MESSAGE_MAP(QVRView, CView)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_DESTROY()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(QVRView::VideoPane, CWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

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
    LPCTSTR videoClass =
        AfxRegisterWndClass(0, nullptr, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    if (!m_camera.CreateEx(0, videoClass, L"Camera", style, 0, 0, 10, 10, m_hWnd, nullptr) ||
        !m_screen.CreateEx(0, videoClass, L"Screen", style, 0, 0, 10, 10, m_hWnd, nullptr)) {
        return -1;
    }
    SetMainView(this);
    return 0;
}

void QVRView::OnSize(UINT, int cx, int cy)
{
    if (!m_camera.m_hWnd) {
        return;
    }
    const int gap = 4;
    const int cameraWidth = (cx - 3 * gap) / 3;
    const int height = cy - 2 * gap;
    ::MoveWindow(m_camera.m_hWnd, gap, gap, cameraWidth, height * 3 / 4, TRUE);
    ::MoveWindow(m_screen.m_hWnd, 2 * gap + cameraWidth, gap, cx - 3 * gap - cameraWidth, height,
                 TRUE);
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
    SetMainView(nullptr);
    CView::OnDestroy();
}
