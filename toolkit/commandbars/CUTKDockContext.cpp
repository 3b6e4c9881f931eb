// CUTKDockContext: the modal mouse tracking that drags and sizes a toolbar, and its window-free
// rules (containing a point, keeping a floating bar on screen). Docking into a dock bar is the
// manager's; a bar no dock bar takes moves as a floating window.
#include "toolkit/commandbars/CUTKDockContext.h"

#include "platform/framework/frame/AfxFrameDefs.h"
#include "toolkit/commandbars/CUTKCommandBars.h"
#include "toolkit/commandbars/CUTKCommandBarsOptions.h"
#include "toolkit/commandbars/CUTKMouseManager.h"
#include "toolkit/commandbars/CUTKCommandBar.h"
#include "toolkit/commandbars/CUTKDialogBar.h"
#include "toolkit/commandbars/CUTKDockBar.h"
#include "toolkit/commandbars/CUTKToolBar.h"
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
    auto* toolBar = dynamic_cast<CUTKToolBar*>(m_pBar);
    CUTKCommandBars* pCommandBars = m_pBar != nullptr ? m_pBar->GetCommandBars() : nullptr;
    if (toolBar == nullptr || pCommandBars == nullptr)
        return FALSE;
    const DWORD flags = m_pBar->GetFlags();
    if (toolBar->IsFloating()) {
        if ((flags & utkFlagAlignAny) == 0)
            return FALSE;
        // Back to where it was docked before its last drag.
        CUTKDockBar* dockBar = m_uMRUDockID >= 0 && m_uMRUDockID <= 3
                                   ? pCommandBars->GetDockBar(m_uMRUDockID)
                                   : nullptr;
        CRect rc = m_rectMRUDockPos;
        if (dockBar != nullptr && dockBar->GetSafeHwnd() != nullptr)
            ::MapWindowPoints(dockBar->GetSafeHwnd(), nullptr, reinterpret_cast<LPPOINT>(&rc), 2);
        pCommandBars->DockCommandBar(toolBar, rc.IsRectEmpty() ? nullptr : &rc, dockBar);
        pCommandBars->RecalcFrameLayout();
    } else {
        CUTKCommandBarsOptions* options = pCommandBars->GetCommandBarsOptions();
        if ((flags & utkFlagFloating) == 0 || options == nullptr || !options->bDblClickFloat)
            return FALSE;
        CPoint at = m_ptMRUFloatPos;
        if (at.x <= 0 || at.y <= 0) {
            at = m_rectMRUDockPos.TopLeft();
            if (CWnd* parent = m_pBar->GetParent())
                ::ClientToScreen(parent->GetSafeHwnd(), &at);
        }
        if (!pCommandBars->FloatCommandBar(toolBar))
            return FALSE;
        const CSize size = m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH | LM_COMMIT);
        ::SetWindowPos(m_pBar->GetSafeHwnd(), nullptr, at.x, at.y, size.cx, size.cy,
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (CUTKCommandBarsOptions* options = pCommandBars->GetCommandBarsOptions())
        options->bDirty = TRUE;
    return TRUE;
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
                    pCommandBars->FlushDelayedLayout();
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
    CUTKCommandBars* pCommandBars = m_pBar->GetCommandBars();
    if (pCommandBars == nullptr)
        return;
    const DWORD flags = m_pBar->GetFlags();
    auto* toolBar = dynamic_cast<CUTKToolBar*>(m_pBar);
    if (toolBar != nullptr) {
        CUTKDockBar* current = toolBar->GetDockBar();
        CUTKDockBar* dockBar = pCommandBars->CanDock(pt, current);
        if (dockBar != nullptr && (flags & (1u << dockBar->GetPosition())) != 0) {
            const BOOL moved = dockBar != current || toolBar->IsFloating();
            pCommandBars->DockCommandBar(toolBar, &m_rectDragDock, dockBar);
            if (moved) {
                pCommandBars->RecalcFrameLayout();
                m_rectDragDock = WindowRectOf(m_pBar->GetSafeHwnd());
            }
            return;
        }
    }
    if ((flags & utkFlagFloating) == 0)
        return;
    if (m_pBar->GetPosition() != utkBarFloating) {
        // Only a toolbar leaves its dock bar, through the manager.
        if (toolBar == nullptr || !pCommandBars->FloatCommandBar(toolBar))
            return;
        const CSize size = m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH | LM_COMMIT);
        m_rectFloat = MoveToContain(CRect(m_rectFloat.TopLeft(), size), pt);
    }
    CRect rcWork;
    GetMultiMonitorApi()->GetWorkAreaFromPoint(&rcWork, pt);
    m_rectFloat = KeepRectOnScreen(m_rectFloat, rcWork);
    ::SetWindowPos(m_pBar->GetSafeHwnd(), nullptr, m_rectFloat.left, m_rectFloat.top,
                   m_rectFloat.Width(), m_rectFloat.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void CUTKDockContext::ResizeStep(CPoint pt)
{
    HWND hwnd = m_pBar->GetSafeHwnd();
    const CSize delta = pt - m_ptLast;
    const CRect rcWindow = WindowRectOf(hwnd);
    if (auto* dialogBar = dynamic_cast<CUTKDialogBar*>(m_pBar)) {
        // A dialog bar's edges follow the pointer; the bar decides what it accepts.
        if (m_nMode == HTLEFT || m_nMode == HTTOPLEFT || m_nMode == HTBOTTOMLEFT)
            m_rectFloat.left += delta.cx;
        if (m_nMode == HTRIGHT || m_nMode == HTTOPRIGHT || m_nMode == HTBOTTOMRIGHT)
            m_rectFloat.right += delta.cx;
        if (m_nMode == HTTOP || m_nMode == HTTOPLEFT || m_nMode == HTTOPRIGHT)
            m_rectFloat.top += delta.cy;
        if (m_nMode == HTBOTTOM || m_nMode == HTBOTTOMLEFT || m_nMode == HTBOTTOMRIGHT)
            m_rectFloat.bottom += delta.cy;
        CRect rcWork;
        GetMultiMonitorApi()->GetWorkAreaFromHwnd(&rcWork, hwnd);
        CRect rcTouch;
        if (m_rectFloat.Size() != rcWindow.Size() && rcTouch.IntersectRect(&m_rectFloat, &rcWork)) {
            dialogBar->OnResize(m_rectFloat.left, m_rectFloat.top, m_rectFloat.right,
                                m_rectFloat.bottom, m_nMode);
            m_pBar->Redraw(nullptr, FALSE);
        }
        return;
    }
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
