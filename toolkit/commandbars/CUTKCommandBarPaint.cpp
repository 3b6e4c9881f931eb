// CUTKCommandBar: the bar window's message map, creation and destruction, painting through
// the paint manager, help hit tests and tooltips.
#include "toolkit/commandbars/CUTKCommandBar.h"

#include "platform/framework/frame/CFrameWnd.h"
#include "platform/framework/window/CDC.h"
#include "platform/framework/window/CPaintDC.h"
#include "toolkit/commandbars/CUTKCommandBarAnimation.h"
#include "toolkit/commandbars/CUTKCommandBars.h"
#include "toolkit/commandbars/CUTKCommandBarsOptions.h"
#include "toolkit/commandbars/CUTKMouseManager.h"
#include "toolkit/commandbars/CUTKShortcutManager.h"
#include "toolkit/common/CUTKColorManager.h"
#include "toolkit/common/CUTKToolTipContext.h"
#include "toolkit/controls/CUTKControl.h"
#include "toolkit/controls/CUTKControlAction.h"
#include "toolkit/controls/CUTKControls.h"
#include "toolkit/themes/CUTKPaintManager.h"

BEGIN_MESSAGE_MAP(CUTKCommandBar, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClientMessage)
    ON_WM_ERASEBKGND()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSELEAVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONDOWN()
    ON_WM_RBUTTONUP()
    ON_WM_NCMOUSEMOVE()
    ON_WM_TIMER()
    ON_WM_NCHITTEST()
    ON_WM_NCLBUTTONDOWN()
    ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_MESSAGE(WM_INITIALUPDATE, OnInitialUpdateMessage)
    ON_MESSAGE(WM_GETOBJECT, OnGetObject)
    ON_MESSAGE(kShowKeyboardTipsMessage, OnShowKeyboardTips)
END_MESSAGE_MAP()

int CUTKCommandBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    // The customise drop target comes with the manager's customisation support.
    if (CUTKCommandBars* pCommandBars = GetCommandBars()) {
        CUTKToolTipContext* pContext = pCommandBars->GetToolTipContext();
        if (pContext != m_pToolTipContext) {
            if (m_pToolTipContext != nullptr)
                m_pToolTipContext->InternalRelease();
            m_pToolTipContext = pContext;
            if (m_pToolTipContext != nullptr)
                m_pToolTipContext->InternalAddRef();
        }
    } else if (!IsPopupBar()) {
        EnableToolTips(TRUE);
        m_bFrameworkToolTips = TRUE;
    }
    return 0;
}

void CUTKCommandBar::OnDestroy()
{
    if (m_nTracking != 0)
        SetTrackingMode(0, TRUE, FALSE);
    m_pAnimation->OnDestroyWindow();
    CWnd::OnDestroy();
}

void CUTKCommandBar::OnPaint()
{
    CPaintDC dc(this);
    m_pAnimation->OnPaint(dc);
}

LRESULT CUTKCommandBar::OnPrintClientMessage(WPARAM wParam, LPARAM)
{
    HDC hdc = reinterpret_cast<HDC>(wParam);
    if (hdc == nullptr)
        return 1;
    CRect rcClient;
    GetClientRect(&rcClient);
    CDC dc;
    dc.Attach(hdc);
    DrawCommandBar(&dc, rcClient);
    dc.Detach();
    return 1;
}

BOOL CUTKCommandBar::OnEraseBkgnd(CDC*) { return TRUE; }

void CUTKCommandBar::DrawCommandBar(CDC* pDC, CRect rcClipBox)
{
    if (pDC == nullptr || pDC->GetSafeHdc() == nullptr)
        return;
    CUTKPaintManager* pPaintManager = GetPaintManager();
    if (pPaintManager == nullptr)
        return;
    FillCommandBarEntry(pDC);
    if ((m_dwStyle & utkBarStyleGripper) != 0 || m_barPosition == utkBarFloating)
        pPaintManager->DrawCommandBarGripper(pDC, this, TRUE);

    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    CFont* pFont = pPaintManager->GetCommandBarFont(this);
    HGDIOBJ hOldFont = pFont != nullptr && pFont->GetSafeHandle() != nullptr
                           ? ::SelectObject(pDC->GetSafeHdc(), pFont->GetSafeHandle())
                           : nullptr;
    BOOL first = TRUE;
    for (int i = 0; i < GetControlCount(); ++i) {
        CUTKControl* pControl = GetControl(i);
        if (pControl->GetParent() != this || !pControl->IsVisible())
            continue;
        if (pControl->GetBeginGroup() && !first)
            pPaintManager->DrawCommandBarSeparator(pDC, this, pControl, TRUE);
        first = FALSE;
        CRect rcControl = pControl->GetRect();
        CRect rcTest;
        if (rcTest.IntersectRect(&rcControl, &rcClipBox))
            pControl->Draw(pDC);
    }
    if (IsCustomizeMode()) {
        CUTKCommandBars* pCommandBars = GetCommandBars();
        CUTKControl* pDrag = pCommandBars != nullptr ? pCommandBars->GetDragControl() : nullptr;
        if (pDrag != nullptr && pDrag->GetParent() == this && pDrag->IsVisible()) {
            CRect rc = pDrag->GetRect();
            pDC->Draw3dRect(&rc, RGB(0, 0, 0), RGB(0, 0, 0));
            rc.DeflateRect(1, 1);
            pDC->Draw3dRect(&rc, RGB(0, 0, 0), RGB(0, 0, 0));
        }
        if (!m_rcMarker.IsRectEmpty())
            DrawDropIndicator(pDC, m_rcMarker);
    }
    if (hOldFont != nullptr)
        ::SelectObject(pDC->GetSafeHdc(), hOldFont);
    pDC->SetBkMode(oldMode);
}

void CUTKCommandBar::DrawDropIndicator(CDC* pDC, CRect rc) const
{
    HBRUSH hBrush = ::CreateSolidBrush(GetColorManager()->GetColor(15));
    if (hBrush == nullptr)
        return;
    HDC hdc = pDC->GetSafeHdc();
    HGDIOBJ hOld = ::SelectObject(hdc, hBrush);
    const int w = rc.Width(), h = rc.Height();
    if (!m_bMarkerVertical) {
        ::PatBlt(hdc, rc.left, rc.top, w, 1, PATINVERT);
        ::PatBlt(hdc, rc.left + 1, rc.top + 1, w - 2, 1, PATINVERT);
        ::PatBlt(hdc, rc.left + 2, rc.top + 2, 2, h - 4, PATINVERT);
        ::PatBlt(hdc, rc.left, rc.bottom - 1, w, 1, PATINVERT);
        ::PatBlt(hdc, rc.left + 1, rc.bottom - 2, w - 2, 1, PATINVERT);
    } else {
        ::PatBlt(hdc, rc.left, rc.top, 1, h, PATINVERT);
        ::PatBlt(hdc, rc.left + 1, rc.top + 1, 1, h - 2, PATINVERT);
        ::PatBlt(hdc, rc.left + 2, rc.top + 2, w - 4, 2, PATINVERT);
        ::PatBlt(hdc, rc.right - 1, rc.top, 1, h, PATINVERT);
        ::PatBlt(hdc, rc.right - 2, rc.top + 1, 1, h - 2, PATINVERT);
    }
    ::SelectObject(hdc, hOld);
    ::DeleteObject(hBrush);
}

BOOL CUTKCommandBar::IsContextHelpMode() const
{
    CFrameWnd* pFrame = GetFrameSite();
    return pFrame != nullptr && pFrame->m_bHelpMode;
}

LRESULT CUTKCommandBar::OnNcHitTest(CPoint point)
{
    if (IsContextHelpMode()) {
        CPoint ptClient = point;
        ScreenToClient(&ptClient);
        CUTKControl* pControl = m_pControls->HitTest(ptClient);
        if (pControl != nullptr && pControl->GetType() >= 2 && pControl->GetType() <= 4 &&
            pControl->GetID() <= 0)
            return HTMENU;
        return HTCLIENT;
    }
    return CWnd::OnNcHitTest(point);
}

void CUTKCommandBar::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    if (IsContextHelpMode()) {
        CPoint ptClient = point;
        ScreenToClient(&ptClient);
        OnLButtonDown(MK_LBUTTON, ptClient);
        return;
    }
    CWnd::OnNcLButtonDown(nHitTest, point);
}

LRESULT CUTKCommandBar::HelpHitTest(CPoint point) const
{
    CUTKControl* pControl = m_pControls->HitTest(point);
    if (pControl == nullptr) {
        const int id = m_hWnd != nullptr ? ::GetDlgCtrlID(m_hWnd) : 0;
        return id != 0 ? 0x50000 + id : 0;
    }
    CUTKControlAction* pAction = pControl->GetAction();
    int help;
    if (pControl->GetHelpId() > 0)
        help = pControl->GetHelpId();
    else if (pAction != nullptr && pAction->GetHelpId() > 0)
        help = pAction->GetHelpId();
    else if (pAction != nullptr)
        help = pAction->GetID();
    else
        help = pControl->GetID();
    return 0x10000 + help;
}

LRESULT CUTKCommandBar::OnHelpHitTest(WPARAM, LPARAM lParam)
{
    return HelpHitTest(CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))));
}

LRESULT CUTKCommandBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam)
{
    return OnIdleUpdate(static_cast<BOOL>(wParam), lParam);
}

LRESULT CUTKCommandBar::OnInitialUpdateMessage(WPARAM, LPARAM)
{
    OnInitialUpdate();
    return 0;
}

LRESULT CUTKCommandBar::OnShowKeyboardTips(WPARAM, LPARAM)
{
    // Keyboard tips are shown by the manager's frame integration; with none nothing happens.
    return 0;
}

INT_PTR CUTKCommandBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    if (m_nTracking == 2 && m_barPosition != utkBarPopup)
        return -1;
    if (m_nPopuped != -1)
        return -1;
    CUTKMouseManager* pMouseManager = GetThreadMouseManager();
    if (pMouseManager->IsMouseLocked() || pMouseManager->IsTrackedLock(this))
        return -1;
    CUTKCommandBars* pCommandBars = GetCommandBars();
    const CUTKCommandBarsOptions* pOptions =
        pCommandBars != nullptr ? pCommandBars->GetCommandBarsOptions() : nullptr;
    if (pOptions != nullptr && !pOptions->bToolBarScreenTips)
        return -1;
    CUTKControl* pControl = m_pControls->HitTest(point);
    if (pControl == nullptr)
        return -1;
    if (m_barType == utkBarTypePopup && (pControl->GetFlags() & 0x40) == 0 &&
        (pOptions == nullptr || !pOptions->bShowPopupBarToolTips))
        return -1;
    const INT_PTR own = pControl->OnToolHitTest(point, pTI);
    if (own != -1 && pTI != nullptr && pTI->hwnd == m_hWnd)
        return own;

    const INT_PTR id = pControl->GetIconId();
    CString tip = pControl->GetTooltip();
    if (tip.IsEmpty())
        return -1;
    if (pOptions != nullptr && pOptions->bToolBarAccelTips) {
        CString shortcut = pControl->GetShortcutText();
        if (shortcut.IsEmpty())
            shortcut = pControl->GetShortcutTextAuto();
        if (shortcut.IsEmpty() && pCommandBars->GetShortcutManager() != nullptr)
            pCommandBars->GetShortcutManager()->GetShortcut(pControl->GetID(), shortcut);
        if (!shortcut.IsEmpty() && tip[0] != L'<')
            tip += L" (" + shortcut + L")";
    }
    if (pTI != nullptr)
        CUTKToolTipContext::FillToolInfoEx(pTI, m_hWnd, pControl->GetRect(), id, tip, tip,
                                           pControl->GetDescription(), GetImageManager());
    return id != 0 ? id : -1;
}
