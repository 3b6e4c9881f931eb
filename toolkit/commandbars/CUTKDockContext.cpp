// CUTKDockContext: the modal mouse tracking that drags and sizes a toolbar, and its window-free
// rules (containing a point, keeping a floating bar on screen). Docking into a dock bar is the
// manager's; a bar no dock bar takes moves as a floating window.
#include "toolkit/commandbars/CUTKDockContext.h"

#include "platform/framework/frame/AfxFrameDefs.h"
#include "toolkit/commandbars/CUTKCommandBars.h"
#include "toolkit/commandbars/CUTKCommandBarsOptions.h"
#include "toolkit/commandbars/CUTKMouseManager.h"
#include "toolkit/commandbars/CUTKCommandBar.h"
#include "toolkit/common/MultiMonitorApi.h"

namespace {

// Raises the mouse manager's tracking lock for its lifetime, so that every exit lowers it.
class CTrackingLockScope {
public:
    CTrackingLockScope() { GetThreadMouseManager()->LockTracking(); }
    ~CTrackingLockScope() { GetThreadMouseManager()->UnlockTracking(); }
    CTrackingLockScope(const CTrackingLockScope&) = delete;
    CTrackingLockScope& operator=(const CTrackingLockScope&) = delete;
};

// Releases the capture on every exit when the window still holds it.
class CCaptureScope {
public:
    explicit CCaptureScope(HWND hwnd) : m_hwnd(hwnd) { ::SetCapture(hwnd); }
    ~CCaptureScope()
    {
        if (::GetCapture() == m_hwnd)
            ::ReleaseCapture();
    }
    CCaptureScope(const CCaptureScope&) = delete;
    CCaptureScope& operator=(const CCaptureScope&) = delete;

private:
    HWND m_hwnd;
};

CRect WindowRectOf(HWND hwnd)
{
    CRect rc(0, 0, 0, 0);
    if (hwnd != nullptr)
        ::GetWindowRect(hwnd, &rc);
    return rc;
}

} // namespace

CUTKDockContext::CUTKDockContext(CUTKCommandBar* pBar) : m_pBar(pBar) {}
CUTKDockContext::~CUTKDockContext() = default;

CUTKCommandBar* CUTKDockContext::GetCommandBar() const { return m_pBar; }

CRect CUTKDockContext::MoveToContain(CRect rc, CPoint pt)
{
    int dx = 0, dy = 0;
    if (pt.x < rc.left)
        dx = pt.x - rc.left;
    else if (pt.x > rc.right)
        dx = pt.x - rc.right;
    if (pt.y < rc.top)
        dy = pt.y - rc.top;
    else if (pt.y > rc.bottom)
        dy = pt.y - rc.bottom;
    rc.OffsetRect(dx, dy);
    return rc;
}

CRect CUTKDockContext::KeepRectOnScreen(CRect rc, CRect rcWork)
{
    if (rcWork.bottom - rc.top < kKeepOnScreen)
        rc.OffsetRect(0, rcWork.bottom - kKeepOnScreen - rc.top);
    if (rc.bottom - rcWork.top < kKeepOnScreen)
        rc.OffsetRect(0, rcWork.top + kKeepOnScreen - rc.bottom);
    if (rcWork.right - rc.left < kKeepOnScreen)
        rc.OffsetRect(rcWork.right - kKeepOnScreen - rc.left, 0);
    if (rc.right - rcWork.left < kKeepOnScreen)
        rc.OffsetRect(rcWork.left + kKeepOnScreen - rc.right, 0);
    return rc;
}

void CUTKDockContext::StartDrag(int x, int y)
{
    if (m_pBar == nullptr || m_pBar->GetSafeHwnd() == nullptr)
        return;
    const int savedDockId = m_uMRUDockID;
    const CRect savedDockPos = m_rectMRUDockPos;
    const BOOL wasDocked = (m_pBar->GetPosition() >= utkBarTop && m_pBar->GetPosition() <= utkBarRight);
    m_nMode = 1;
    const CPoint pt(x, y);
    m_rectDragDock = MoveToContain(WindowRectOf(m_pBar->GetSafeHwnd()), pt);
    m_rectFloat = m_rectDragDock;
    m_ptLast = pt;
    ::SetCursor(::LoadCursorW(nullptr, IDC_SIZEALL));
    {
        CTrackingLockScope lock;
        Track();
    }
    m_nMode = 0;
    if ((m_pBar->GetPosition() == utkBarFloating))
        m_ptMRUFloatPos = m_rectFloat.TopLeft();
    if (wasDocked) {
        m_uMRUDockID = savedDockId;
        m_rectMRUDockPos = savedDockPos;
    }
}

void CUTKDockContext::StartResize(int nHitTest, int x, int y)
{
    if (m_pBar == nullptr || m_pBar->GetSafeHwnd() == nullptr)
        return;
    m_nMode = nHitTest;
    m_ptLast = CPoint(x, y);
    m_rectFloat = WindowRectOf(m_pBar->GetSafeHwnd());
    {
        CTrackingLockScope lock;
        Track();
    }
    m_nMode = 0;
    if (m_pBar->GetSafeHwnd() == nullptr)
        return;
    m_rectFloat = WindowRectOf(m_pBar->GetSafeHwnd());
    if ((m_pBar->GetPosition() == utkBarFloating))
        m_ptMRUFloatPos = m_rectFloat.TopLeft();
    m_pBar->SetWidth(m_rectFloat.Width());
}

BOOL CUTKDockContext::ToggleDocking()
{
    // Docking back and floating from a dock bar are the manager's dock-bar operations.
    return FALSE;
}

void CUTKDockContext::Track()
{
    HWND hwnd = m_pBar != nullptr ? m_pBar->GetSafeHwnd() : nullptr;
    if (hwnd == nullptr)
        return;
    HWND hwndCapture = ::GetCapture();
    if (hwndCapture != nullptr && hwndCapture != hwnd)
        return;
    CUTKCommandBars* pCommandBars = m_pBar->GetCommandBars();
    if (pCommandBars == nullptr)
        return;
    {
        CCaptureScope capture(hwnd);
        while (::GetCapture() == hwnd && ::IsWindow(hwnd)) {
            MSG msg;
            BOOL quit = FALSE;
            while (!quit && ::PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) {
                // Wine hands out a pending WM_QUIT even to a WM_PAINT-only peek.
                quit = msg.message == WM_QUIT;
                if (!quit)
                    ::DispatchMessageW(&msg);
            }
            if (quit) {
                ::PostQuitMessage(static_cast<int>(msg.wParam));
                break;
            }
            if (!::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                ::WaitMessage();
                continue;
            }
            if (msg.message == WM_QUIT) {
                // Whoever asked the thread to end must still see it.
                ::PostQuitMessage(static_cast<int>(msg.wParam));
                break;
            }
            if (msg.message == WM_LBUTTONUP)
                break;
            if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE)
                break;
            if (msg.message == WM_MOUSEMOVE) {
                CPoint pt(static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam)));
                ::ClientToScreen(msg.hwnd, &pt);
                if (pt != m_ptLast) {
                    if (m_nMode == 1)
                        DragStep(pt);
                    else
                        ResizeStep(pt);
                    m_ptLast = pt;
                    continue;
                }
            }
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    if (CUTKCommandBarsOptions* pOptions = pCommandBars->GetCommandBarsOptions())
        pOptions->bDirty = TRUE;
}

void CUTKDockContext::DragStep(CPoint pt)
{
    const CSize delta = pt - m_ptLast;
    m_rectFloat.OffsetRect(delta.cx, delta.cy);
    m_rectDragDock.OffsetRect(delta.cx, delta.cy);
    // A docked bar leaves its dock bar through the manager; only a floating bar moves here.
    if (!(m_pBar->GetPosition() == utkBarFloating) || (m_pBar->GetFlags() & utkFlagFloating) == 0)
        return;
    CRect rcWork;
    GetMultiMonitorApi()->GetWorkAreaFromPoint(&rcWork, pt);
    m_rectFloat = KeepRectOnScreen(m_rectFloat, rcWork);
    ::SetWindowPos(m_pBar->GetSafeHwnd(), nullptr, m_rectFloat.left, m_rectFloat.top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CUTKDockContext::ResizeStep(CPoint pt)
{
    HWND hwnd = m_pBar->GetSafeHwnd();
    const CSize delta = pt - m_ptLast;
    const CRect rcWindow = WindowRectOf(hwnd);
    CSize size;
    if (m_nMode == HTLEFT || m_nMode == HTRIGHT) {
        if (m_nMode == HTLEFT)
            m_rectFloat.left += delta.cx;
        else
            m_rectFloat.right += delta.cx;
        size = m_pBar->CalcDynamicLayout(m_rectFloat.Width(), LM_HORZ | LM_COMMIT);
    } else {
        if (m_nMode == HTTOP)
            m_rectFloat.top += delta.cy;
        else
            m_rectFloat.bottom += delta.cy;
        const int length = m_rectFloat.Height() < 0 ? 0 : m_rectFloat.Height();
        size = m_pBar->CalcDynamicLayout(length, LM_HORZ | LM_LENGTHY | LM_COMMIT);
    }
    if (size == rcWindow.Size())
        return;
    CRect rcNew(rcWindow.TopLeft(), size);
    if (m_nMode == HTLEFT)
        rcNew.OffsetRect(rcWindow.right - rcNew.right, 0);
    else if (m_nMode == HTTOP)
        rcNew.OffsetRect(0, rcWindow.bottom - rcNew.bottom);
    CRect rcWork;
    GetMultiMonitorApi()->GetWorkAreaFromHwnd(&rcWork, hwnd);
    CRect rcTouch;
    if (!rcTouch.IntersectRect(&rcNew, &rcWork)) {
        if (rcNew.right <= rcWork.left)
            rcNew.OffsetRect(rcWork.left - rcNew.right + 1, 0);
        else if (rcNew.left >= rcWork.right)
            rcNew.OffsetRect(rcWork.right - rcNew.left - 1, 0);
        if (rcNew.bottom <= rcWork.top)
            rcNew.OffsetRect(0, rcWork.top - rcNew.bottom + 1);
        else if (rcNew.top >= rcWork.bottom)
            rcNew.OffsetRect(0, rcWork.bottom - rcNew.top - 1);
    }
    ::SetWindowPos(hwnd, nullptr, rcNew.left, rcNew.top, rcNew.Width(), rcNew.Height(),
                   SWP_NOZORDER | SWP_NOACTIVATE);
    m_pBar->Redraw(nullptr, FALSE);
}

LONG* GetMinTrackSizeRef(MINMAXINFO* pMinMax, BOOL bHorizontal)
{
    return bHorizontal ? &pMinMax->ptMinTrackSize.x : &pMinMax->ptMinTrackSize.y;
}

LONG* GetMaxTrackSizeRef(MINMAXINFO* pMinMax, BOOL bHorizontal)
{
    return bHorizontal ? &pMinMax->ptMaxTrackSize.x : &pMinMax->ptMaxTrackSize.y;
}
