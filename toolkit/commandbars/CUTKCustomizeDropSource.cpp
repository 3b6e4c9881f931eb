// CUTKCustomizeDropSource: the modal loop of a customisation drag. It takes the messages of the
// thread itself while it holds the capture, finds the registered bar under the cursor and
// reports the drop to it.
#include "toolkit/commandbars/CUTKCustomizeDropSource.h"

#include "platform/framework/CRect.h"
#include "toolkit/commandbars/CUTKCommandBar.h"
#include "toolkit/commandbars/CUTKCommandBars.h"
#include "toolkit/common/CUTKResourceManager.h"

namespace {

HCURSOR LoadDragCursor(UINT id, LPCWSTR fallback)
{
    HCURSOR cursor = GetResourceManager() != nullptr ? GetResourceManager()->LoadCursor(id)
                                                     : nullptr;
    // The program's files carry none of the toolkit's cursors: the system's stand in.
    return cursor != nullptr ? cursor : ::LoadCursorW(nullptr, fallback);
}

CPoint ToClient(CUTKCommandBar* bar, CPoint pt)
{
    if (bar != nullptr && bar->GetSafeHwnd() != nullptr)
        ::ScreenToClient(bar->GetSafeHwnd(), &pt);
    return pt;
}

} // namespace

CUTKCustomizeDropSource::CUTKCustomizeDropSource(CUTKCommandBars* pCommandBars)
    : m_pCommandBars(pCommandBars)
{
    m_hcurNoDrop = LoadDragCursor(kCursorNoDrop, IDC_NO);
    m_hcurMove = LoadDragCursor(kCursorMove, IDC_ARROW);
    m_hcurCopy = LoadDragCursor(kCursorCopy, IDC_UPARROW);
}

CUTKCustomizeDropSource::~CUTKCustomizeDropSource() = default;

void CUTKCustomizeDropSource::AddDropTarget(CUTKCommandBar* pBar)
{
    if (pBar != nullptr)
        m_arrTargets.Add(pBar);
}

void CUTKCustomizeDropSource::RemoveDropTarget(CUTKCommandBar* pBar)
{
    for (INT_PTR i = m_arrTargets.GetSize(); i-- > 0;) {
        if (m_arrTargets[i] == pBar)
            m_arrTargets.RemoveAt(i);
    }
    // A bar that goes away during a drag is no target any more.
    if (m_pTarget == pBar)
        m_pTarget = nullptr;
}

HCURSOR CUTKCustomizeDropSource::ChooseCursor(BOOL bTarget, BOOL bMove, BOOL bCopyOnly) const
{
    if (!bTarget)
        return m_hcurNoDrop;
    return (!bMove || bCopyOnly) ? m_hcurCopy : m_hcurMove;
}

void CUTKCustomizeDropSource::UpdateDragCursor()
{
    ::SetCursor(ChooseCursor(m_pTarget != nullptr, m_bMove, m_bCopyOnly));
}

CUTKCommandBar* CUTKCustomizeDropSource::FindTarget(CPoint ptScreen) const
{
    HWND under = ::WindowFromPoint(ptScreen);
    for (INT_PTR i = m_arrTargets.GetSize(); i-- > 0;) {
        CUTKCommandBar* bar = m_arrTargets[i];
        HWND hwnd = bar != nullptr ? bar->GetSafeHwnd() : nullptr;
        if (hwnd == nullptr || !::IsWindowVisible(hwnd) || !bar->IsVisible())
            continue;
        CRect rc;
        ::GetWindowRect(hwnd, &rc);
        if (!rc.PtInRect(ptScreen))
            continue;
        if (under == hwnd || ::IsChild(hwnd, under))
            return bar;
    }
    return nullptr;
}

void CUTKCustomizeDropSource::LeaveTarget()
{
    if (m_pTarget != nullptr) {
        CUTKCommandBar* old = m_pTarget;
        m_pTarget = nullptr;
        old->OnCustomizeDragLeave();
    }
}

void CUTKCustomizeDropSource::DragOver(CPoint ptScreen)
{
    CUTKCommandBar* bar = FindTarget(ptScreen);
    if (bar != nullptr && bar == m_pTarget) {
        bar->OnCustomizeDragOver(m_pControl, ToClient(bar, ptScreen));
    } else {
        LeaveTarget();
        if (bar != nullptr) {
            bar->OnCustomizeDragEnter(m_pControl, ToClient(bar, ptScreen));
            m_pTarget = bar;
        }
    }
    UpdateDragCursor();
}

DWORD CUTKCustomizeDropSource::Drop()
{
    if (m_pTarget == nullptr)
        return kEffectNone;
    DWORD effect = m_bMove ? kEffectMove : kEffectCopy;
    CPoint pt;
    ::GetCursorPos(&pt);
    CUTKCommandBar* target = m_pTarget;
    target->OnCustomizeDrop(m_pControl, effect, ToClient(target, pt), ToClient(target, m_ptStart));
    m_pTarget = nullptr;
    return effect;
}

DWORD CUTKCustomizeDropSource::DoDragDrop(CUTKControl* pControl, BOOL bCopyOnly)
{
    if (m_pCommandBars == nullptr)
        return kEffectNone;
    CWnd* captureWnd = m_pCustomizeWnd != nullptr ? m_pCustomizeWnd : m_pCommandBars->GetSite();
    if (captureWnd == nullptr || captureWnd->GetSafeHwnd() == nullptr)
        return kEffectNone;
    m_hwndCapture = captureWnd->GetSafeHwnd();
    m_pControl = pControl;
    m_bCopyOnly = bCopyOnly;
    ::GetCursorPos(&m_ptStart);
    m_bMove = FALSE;
    m_pTarget = nullptr;
    ::SetCapture(m_hwndCapture);

    BOOL moved = FALSE;
    DWORD effect = kEffectCancel;
    for (;;) {
        if (::GetCapture() != m_hwndCapture) {
            effect = moved ? Drop() : kEffectCancel;
            break;
        }
        MSG msg;
        BOOL quit = FALSE;
        while (!quit && ::PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) {
            // Wine hands out a pending WM_QUIT even to a WM_PAINT-only peek.
            quit = msg.message == WM_QUIT;
            if (!quit)
                ::DispatchMessageW(&msg);
        }
        if (!quit && !::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::WaitMessage();
            continue;
        }
        if (quit || msg.message == WM_QUIT) {
            // Whoever asked the thread to end must still see it.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            effect = kEffectCancel;
            break;
        }
        if (::GetCapture() != m_hwndCapture) {
            effect = kEffectCancel;
            break;
        }
        BOOL done = FALSE;
        switch (msg.message) {
        case WM_MOUSEMOVE: {
            CPoint pt;
            ::GetCursorPos(&pt);
            moved = TRUE;
            m_bMove = (msg.wParam & MK_CONTROL) == 0;
            DragOver(pt);
            if ((msg.wParam & MK_LBUTTON) == 0) {
                effect = Drop();
                done = TRUE;
            }
            break;
        }
        case WM_LBUTTONUP:
            effect = moved ? Drop() : kEffectCancel;
            done = TRUE;
            break;
        case WM_RBUTTONDOWN:
            effect = kEffectCancel;
            done = TRUE;
            break;
        case WM_KEYDOWN:
        case WM_KEYUP:
            if (msg.wParam == VK_ESCAPE && msg.message == WM_KEYDOWN) {
                effect = kEffectCancel;
                done = TRUE;
            } else if (msg.wParam == VK_CONTROL) {
                m_bMove = msg.message == WM_KEYUP;
                UpdateDragCursor();
            } else {
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
            break;
        default:
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
            break;
        }
        if (done)
            break;
    }
    LeaveTarget();
    if (::GetCapture() == m_hwndCapture)
        ::ReleaseCapture();
    ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
    m_pControl = nullptr;
    return effect;
}
