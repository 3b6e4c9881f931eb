// CUTKControl in customisation: moving or deleting by drag, resizing by an edge with an XOR
// frame drawn on the locked desktop. The resize loop ends on Escape, release, a lost capture or
// window, and WM_QUIT (posted again); the desktop is unlocked and its DC released on every exit.
#include "toolkit/controls/CUTKControl.h"

#include <windowsx.h>

#include "toolkit/commandbars/CUTKCommandBar.h"
#include "toolkit/commandbars/CUTKCommandBars.h"
#include "toolkit/common/CUTKResourceManager.h"
#include "toolkit/controls/CUTKControls.h"

namespace {

// Distances from the edges that start a resize.
constexpr int kLeftResizeZone = 3;
constexpr int kRightResizeZone = 2;
constexpr int kFrameThickness = 2;

void InvertFrame(HDC dc, const RECT& rc)
{
    const int width = rc.right - rc.left;
    const int height = rc.bottom - rc.top;
    ::PatBlt(dc, rc.left, rc.top, width, kFrameThickness, DSTINVERT);
    ::PatBlt(dc, rc.left, rc.bottom - kFrameThickness, width, kFrameThickness, DSTINVERT);
    ::PatBlt(dc, rc.left, rc.top + kFrameThickness, kFrameThickness,
             height - 2 * kFrameThickness, DSTINVERT);
    ::PatBlt(dc, rc.right - kFrameThickness, rc.top + kFrameThickness, kFrameThickness,
             height - 2 * kFrameThickness, DSTINVERT);
}

HCURSOR ResizeCursor()
{
    if (HCURSOR cursor = GetResourceManager()->LoadCursor(kUtkResizeControlCursor)) {
        return cursor;
    }
    return ::LoadCursorW(nullptr, IDC_SIZEWE);
}

// The locked desktop and its DC, given back on every path out of the loop.
class DesktopFrameScope {
public:
    DesktopFrameScope()
    {
        m_locked = ::LockWindowUpdate(::GetDesktopWindow());
        m_dc = ::GetDCEx(::GetDesktopWindow(), nullptr,
                         DCX_WINDOW | DCX_CACHE | (m_locked ? DCX_LOCKWINDOWUPDATE : 0));
    }
    ~DesktopFrameScope()
    {
        if (m_dc) {
            ::ReleaseDC(::GetDesktopWindow(), m_dc);
        }
        if (m_locked) {
            ::LockWindowUpdate(nullptr);
        }
    }
    DesktopFrameScope(const DesktopFrameScope&) = delete;
    DesktopFrameScope& operator=(const DesktopFrameScope&) = delete;
    HDC Dc() const { return m_dc; }

private:
    BOOL m_locked = FALSE;
    HDC m_dc = nullptr;
};

}  // namespace

BOOL CUTKControl::IsCustomizeResizeAllow() const { return FALSE; }
int CUTKControl::GetCustomizeMinWidth() const { return 0; }

BOOL CUTKControl::IsCustomizeDragOverAvail(CUTKCommandBar*, CPoint, DWORD&)
{
    return TRUE;
}

void CUTKControl::OnCustomizeDragOver(CUTKControl*, CPoint, DWORD&)
{
    if (m_parent) {
        m_parent->SetPopuped(-1);
        m_parent->SetSelected(-1);
    }
}

BOOL CUTKControl::IsCustomizeMovable() const
{
    CUTKCommandBars* bars = GetCommandBars();
    if (bars && bars->IsCustomizeAll()) {
        return TRUE;
    }
    return m_parent && m_parent->IsCustomizable() && (m_flags & utkFlagNoMovable) == 0;
}

void CUTKControl::OnCustomizeMouseMove(CPoint point)
{
    if (!m_parent || !m_parent->IsCustomizeMode() || !IsCustomizeResizeAllow()) {
        return;
    }
    if (m_rcControl.PtInRect(point) &&
        (point.x - m_rcControl.left < kLeftResizeZone ||
         m_rcControl.right - point.x <= kRightResizeZone)) {
        ::SetCursor(ResizeCursor());
    }
}

void CUTKControl::ApplyCustomizeDragResult(DWORD effect)
{
    // A copy leaves the source in place; none (dropped nowhere) and move remove it.
    if (effect != DROPEFFECT_NONE && effect != DROPEFFECT_MOVE) {
        return;
    }
    CUTKCommandBar* bar = m_parent;
    CUTKControls* controls = m_controls;
    if (bar) {
        bar->SetPopuped(-1);
        bar->SetSelected(-1);
    }
    CUTKCommandBars* bars = GetCommandBars();
    if (bars && bars->GetDragControl() == this) {
        bars->SetDragControl(nullptr);
    }
    if (controls) {
        const int index = m_index;
        if (m_beginGroup) {
            if (CUTKControl* next = controls->GetAt(index + 1)) {
                next->SetBeginGroup(TRUE);
            }
        }
        if (index == 0 && controls->GetCount() > 1) {
            if (CUTKControl* second = controls->GetAt(1)) {
                second->SetBeginGroup(FALSE);
            }
        }
        controls->Remove(this);  // may free this control
    }
    if (bar) {
        bar->OnRecalcLayout();
    }
}

void CUTKControl::CustomizeStartDrag(CPoint point)
{
    if (!m_parent) {
        return;
    }
    CUTKCommandBar* bar = m_parent;
    const int popuped = bar->GetPopupedIndex();
    if (popuped != -1 && popuped != m_index) {
        bar->SetPopuped(-1);
        bar->SetSelected(-1);
    }
    CUTKCommandBars* bars = GetCommandBars();
    if (!bars) {
        return;
    }
    if (bars->GetDragControl() == this && IsCustomizeResizeAllow() && CustomizeStartResize(point)) {
        return;
    }
    bars->SetDragControl(this);
    if (m_flags & utkFlagNoMovable) {
        return;
    }
    // The drag itself belongs to the command bars' drop source; until it runs, nothing moves.
    bars->SetDragControl(bars->GetDragControl());
}

BOOL CUTKControl::CustomizeStartResize(CPoint point)
{
    if (!m_rcControl.PtInRect(point) || (point.x - m_rcControl.left >= kLeftResizeZone &&
                                         m_rcControl.right - point.x > kRightResizeZone)) {
        return FALSE;
    }
    if (!m_parent || !m_parent->GetSafeHwnd()) {
        return FALSE;
    }
    return RunResizeLoop(point);
}

BOOL CUTKControl::RunResizeLoop(CPoint point)
{
    CUTKCommandBar* bar = m_parent;
    const HWND barWindow = bar->GetSafeHwnd();
    CUTKCommandBars* bars = GetCommandBars();
    CUTKControl* dragControl = bars ? bars->GetDragControl() : nullptr;
    if (dragControl) {
        dragControl->InternalAddRef();
        bars->SetDragControl(nullptr);
    }
    bar->Redraw(nullptr, FALSE);
    ::UpdateWindow(barWindow);

    CRect rc = m_rcControl;
    ::MapWindowPoints(barWindow, HWND_DESKTOP, reinterpret_cast<POINT*>(&rc), 2);
    ::SetCapture(barWindow);
    ::SetCursor(ResizeCursor());

    const BOOL moveRight = point.x - m_rcControl.left > kRightResizeZone;
    POINT screenPoint = point;
    ::ClientToScreen(barWindow, &screenPoint);
    const int offset = (moveRight ? rc.right : rc.left) - screenPoint.x;
    const int minWidth = GetCustomizeMinWidth();
    const int originalWidth = rc.Width();

    BOOL accepted = FALSE;
    BOOL quit = FALSE;
    WPARAM quitCode = 0;
    {
        DesktopFrameScope desktop;
        if (desktop.Dc()) {
            InvertFrame(desktop.Dc(), rc);
        }
        while (::GetCapture() == barWindow && ::IsWindow(barWindow)) {
            MSG msg{};
            const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
            if (got == -1) {
                break;
            }
            if (!got) {
                quit = TRUE;
                quitCode = msg.wParam;
                break;
            }
            if (msg.message == WM_MOUSEMOVE) {
                POINT pt{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
                ::ClientToScreen(msg.hwnd, &pt);
                int x = pt.x + offset;
                if (moveRight) {
                    x = (x - rc.left < minWidth) ? rc.left + minWidth : x;
                } else {
                    x = (rc.right - x < minWidth) ? rc.right - minWidth : x;
                }
                const int current = moveRight ? rc.right : rc.left;
                if (x != current) {
                    if (desktop.Dc()) {
                        InvertFrame(desktop.Dc(), rc);
                    }
                    (moveRight ? rc.right : rc.left) = x;
                    if (desktop.Dc()) {
                        InvertFrame(desktop.Dc(), rc);
                    }
                }
                continue;
            }
            if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
                break;
            }
            if (msg.message == WM_LBUTTONUP) {
                accepted = TRUE;
                break;
            }
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (desktop.Dc()) {
            InvertFrame(desktop.Dc(), rc);
        }
        if (::GetCapture() == barWindow) {
            ::ReleaseCapture();
        }
    }
    if (bars) {
        bars->SetDragControl(dragControl);
    }
    if (dragControl) {
        dragControl->InternalRelease();
    }
    if (quit) {
        ::PostQuitMessage(static_cast<int>(quitCode));
    }
    if (!::IsWindow(barWindow)) {
        return TRUE;
    }
    if (accepted && rc.Width() != originalWidth) {
        int width = rc.Width();
        if (bar->IsPopupBar()) {
            width -= bar->GetBorders().left;
        }
        SetWidth(width);
        bar->OnRecalcLayout();
    }
    bar->Redraw(nullptr, FALSE);
    return TRUE;
}
