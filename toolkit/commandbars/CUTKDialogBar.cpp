// CUTKDialogBar: the hosted window placed inside the client borders, the caption strip with its
// caption control and hide button, edge resizing with separate docked and floating client sizes,
// and the caption's active state that follows the keyboard focus.
#include "toolkit/commandbars/CUTKDialogBar.h"

#include "platform/base/CSelectGuard.h"
#include "platform/framework/frame/AfxFrameDefs.h"
#include "platform/framework/window/CClientDC.h"
#include "platform/framework/window/CFont.h"
#include "toolkit/commandbars/UTKNestedRuntimeClass.h"
#include "toolkit/controls/CUTKControls.h"
#include "toolkit/themes/CUTKPaintManager.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CUTKDialogBar, CUTKToolBar)
UTK_IMPLEMENT_NESTED_DYNCREATE(CUTKDialogBar, CCaptionPopupBar, CUTKPopupBar)
UTK_IMPLEMENT_NESTED_DYNCREATE(CUTKDialogBar, CControlCaptionPopup, CUTKControlPopup)
UTK_IMPLEMENT_NESTED_DYNCREATE(CUTKDialogBar, CControlButtonHide, CUTKControlButton)

BEGIN_MESSAGE_MAP(CUTKDialogBar, CUTKToolBar)
    ON_MESSAGE(WM_SIZE, OnSizeMessage)
    ON_MESSAGE(WM_NCHITTEST, OnDialogNcHitTest)
END_MESSAGE_MAP()

namespace {

constexpr int kCaptionFlags = 30;
constexpr int kHideFlags = 26;
constexpr int kColorBtnText = 18;

} // namespace

// ---- the caption popup ----

CUTKDialogBar::CCaptionPopupBar::CCaptionPopupBar()
{
    m_popupFlags = 2;
}

void CUTKDialogBar::CCaptionPopupBar::UpdateFlags()
{
    CUTKPopupBar::UpdateFlags();
    m_ptPopup = CPoint(m_rcExclude.left, m_rcExclude.bottom);
    m_popupFlags = 3;
}

// ---- the caption control ----

CUTKDialogBar::CControlCaptionPopup::CControlCaptionPopup()
{
    m_id = kCaptionPopupId;
    m_flags |= kCaptionFlags;
    m_temporary = TRUE;
}

void CUTKDialogBar::CControlCaptionPopup::AdjustExcludeRect(CRect& rc, BOOL)
{
    if (CUTKPaintManager* paint = GetPaintManager())
        paint->AdjustExcludeRect(rc, this, FALSE);
}

BOOL CUTKDialogBar::CControlCaptionPopup::SetPopuped(BOOL popuped)
{
    // An empty caption popup opens nothing, and that is no failure.
    if (!m_bHasPopup)
        return TRUE;
    return CUTKControlPopup::SetPopuped(popuped);
}

void CUTKDialogBar::CControlCaptionPopup::Draw(CDC* pDC)
{
    CUTKPaintManager* paint = GetPaintManager();
    CUTKCommandBar* bar = GetParent();
    if (pDC == nullptr || paint == nullptr || bar == nullptr)
        return;
    const CRect rc = GetRect();
    CFont* font = paint->GetCommandBarFont(bar);
    CSelectGuard selectFont(pDC->GetSafeHdc(), font != nullptr ? font->GetSafeHandle() : nullptr);
    COLORREF text = paint->GetColor(kColorBtnText);
    if (m_bHasPopup) {
        const BOOL selected = GetSelected() != 0;
        paint->DrawRectangle(pDC, rc, selected, FALSE, GetEnabled(), FALSE, IsPopupOpen(),
                             bar->GetType(), bar->GetPosition());
        text = paint->GetRectangleTextColor(selected, FALSE, GetEnabled(), FALSE, IsPopupOpen(),
                                            bar->GetType(), bar->GetPosition());
    }
    CRect rcText(rc.left + 2, rc.top, rc.right - (m_bHasPopup ? 15 : 2), rc.bottom);
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF oldColor = pDC->SetTextColor(text);
    pDC->DrawText(GetCaption(), rcText, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    pDC->SetTextColor(oldColor);
    pDC->SetBkMode(oldMode);
    if (m_bHasPopup) {
        const int mid = (rc.top + rc.bottom) / 2;
        const POINT triangle[] = {{rc.right - 13, mid - 2}, {rc.right - 5, mid - 2},
                                  {rc.right - 9, mid + 2}};
        HBRUSH brush = ::CreateSolidBrush(text);
        HPEN pen = ::CreatePen(PS_SOLID, 1, text);
        {
            CSelectGuard selectBrush(pDC->GetSafeHdc(), brush);
            CSelectGuard selectPen(pDC->GetSafeHdc(), pen);
            ::Polygon(pDC->GetSafeHdc(), triangle, 3);
        }
        ::DeleteObject(pen);
        ::DeleteObject(brush);
    }
}

// ---- the hide button ----

CUTKDialogBar::CControlButtonHide::CControlButtonHide()
{
    m_id = kHideButtonId;
    m_flags |= kHideFlags;
    m_temporary = TRUE;
}

void CUTKDialogBar::CControlButtonHide::OnExecute()
{
    if (CUTKCommandBar* bar = GetParent())
        bar->SetVisible(FALSE);
}

void CUTKDialogBar::CControlButtonHide::SetBeginGroup(BOOL)
{
    // The hide button never starts a group.
}

void CUTKDialogBar::CControlButtonHide::Draw(CDC* pDC)
{
    CUTKPaintManager* paint = GetPaintManager();
    CUTKCommandBar* bar = GetParent();
    if (pDC == nullptr || paint == nullptr || bar == nullptr)
        return;
    const CRect rc = GetRect();
    const BOOL selected = GetSelected() != 0;
    paint->DrawRectangle(pDC, rc, selected, GetPressed(), GetEnabled(), FALSE, FALSE,
                         bar->GetType(), bar->GetPosition());
    const COLORREF glyph = paint->GetRectangleTextColor(selected, GetPressed(), GetEnabled(),
                                                        FALSE, FALSE, bar->GetType(),
                                                        bar->GetPosition());
    // 8 points at 96 pixels per inch, whatever the device's resolution.
    const int dpiX = std::max(::GetDeviceCaps(pDC->GetSafeHdc(), LOGPIXELSX), 1);
    const int dpiY = std::max(::GetDeviceCaps(pDC->GetSafeHdc(), LOGPIXELSY), 1);
    LOGFONTW lf{};
    lf.lfHeight = -::MulDiv(80 * 96 / dpiX, dpiY, 720);
    lf.lfCharSet = SYMBOL_CHARSET;
    wcscpy_s(lf.lfFaceName, L"Marlett");
    CFont font;
    font.CreateFontIndirect(&lf);
    CSelectGuard selectFont(pDC->GetSafeHdc(), font.GetSafeHandle());
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF oldColor = pDC->SetTextColor(glyph);
    CRect rcGlyph = rc;
    pDC->DrawText(CString(L"r"), rcGlyph, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
    pDC->SetTextColor(oldColor);
    pDC->SetBkMode(oldMode);
}

// ---- the dialog bar ----

CUTKDialogBar::CUTKDialogBar()
{
    m_bCustomizable = FALSE;
    m_pCaptionPopup = new CCaptionPopupBar();
}

CUTKDialogBar::~CUTKDialogBar()
{
    if (m_pCaptionPopup != nullptr)
        m_pCaptionPopup->InternalRelease();
}

void CUTKDialogBar::SetSize(int cx, int cy)
{
    m_szDockingClient = CSize(cx, cy);
    m_szFloatingClient = CSize(cx, cy);
    SetPending(kPendingRelayout);
}

void CUTKDialogBar::SetCaptionVisible(BOOL bVisible)
{
    m_bCaptionVisible = bVisible ? TRUE : FALSE;
    SetPending(kPendingRelayout);
}

void CUTKDialogBar::SetCaption(LPCTSTR lpszCaption)
{
    m_strCaption = lpszCaption != nullptr ? lpszCaption : L"";
    SetPending(kPendingRelayout);
}

void CUTKDialogBar::SetChild(CWnd* pChildWnd)
{
    m_hwndChild = pChildWnd != nullptr ? pChildWnd->GetSafeHwnd() : nullptr;
    if (m_hWnd != nullptr) {
        CRect client;
        GetClientRect(&client);
        MoveChild(client.left, client.top, client.right, client.bottom);
    }
    SetPending(kPendingRelayout);
}

CSize CUTKDialogBar::MeasureCaption()
{
    CUTKPaintManager* paint = GetPaintManager();
    if (paint == nullptr)
        return CSize(0, 0);
    CClientDC dc(m_hWnd != nullptr ? this : nullptr);
    CFont* font = paint->GetCommandBarFont(this);
    CSelectGuard selectFont(dc.GetSafeHdc(), font != nullptr ? font->GetSafeHandle() : nullptr);
    return paint->DrawCommandBarGripper(&dc, this, FALSE);
}

void CUTKDialogBar::GetClientBorders(CRect& rcBorders)
{
    rcBorders = m_rcBorders;
    if (m_bCaptionVisible)
        rcBorders.top += MeasureCaption().cy;
}

void CUTKDialogBar::MoveChild(int left, int top, int right, int bottom)
{
    if (m_hwndChild == nullptr || !::IsWindow(m_hwndChild))
        return;
    CRect borders;
    GetClientBorders(borders);
    const int cx = (right - left) - borders.left - borders.right;
    const int cy = (bottom - top) - borders.top - borders.bottom;
    ::SetWindowPos(m_hwndChild, nullptr, borders.left, borders.top, std::max(cx, 0),
                   std::max(cy, 0), SWP_NOZORDER | SWP_NOACTIVATE);
    ::InvalidateRect(m_hwndChild, nullptr, TRUE);
}

CUTKControl* CUTKDialogBar::FindControl(int nID, CRuntimeClass* pClass) const
{
    if (m_pControls == nullptr)
        return nullptr;
    for (int i = 0; i < m_pControls->GetCount(); ++i) {
        CUTKControl* control = m_pControls->GetAt(i);
        if (control != nullptr && control->GetID() == nID && control->IsKindOf(pClass))
            return control;
    }
    return nullptr;
}

CSize CUTKDialogBar::CalcCaptionLayout(int nLength, DWORD dwMode, int cxClient, int cyClient)
{
    CSize size(cxClient + m_rcBorders.left + m_rcBorders.right,
               cyClient + m_rcBorders.top + m_rcBorders.bottom);
    auto stretch = [&] {
        if ((dwMode & LM_STRETCH) == 0)
            return;
        if (dwMode & LM_VERTDOCK)
            size.cy = std::max<LONG>(size.cy, nLength);
        else
            size.cx = std::max<LONG>(size.cx, nLength);
    };
    CUTKControl* hide = FindControl(kHideButtonId, RUNTIME_CLASS(CControlButtonHide));
    CUTKControl* caption = FindControl(kCaptionPopupId, RUNTIME_CLASS(CControlCaptionPopup));
    if (!m_bCaptionVisible) {
        m_nCaptionHeight = 0;
        for (CUTKControl* control : {hide, caption}) {
            if (control != nullptr)
                control->SetHideFlags(control->GetHideFlags() | utkHideGeneric);
        }
        stretch();
        return size;
    }

    const CSize strip = MeasureCaption();
    m_nCaptionHeight = m_rcBorders.top + strip.cy;
    // The caption strip takes the top border's place: the window is the client size plus the
    // borders GetClientBorders reports, so a resize gives back the size it was given.
    size.cy += strip.cy;
    stretch();
    if (nLength > 0) {
        if (dwMode & LM_HORZ)
            size.cx = std::min<LONG>(size.cx, nLength);
        else
            size.cy = std::min<LONG>(size.cy, nLength);
    }

    const int buttonTop = m_rcBorders.top + strip.cy / 2 - kCaptionButtonSize / 2;
    int captionRight = size.cx - m_rcBorders.right;
    if (IsCloseable() && hide == nullptr && m_pControls != nullptr)
        hide = m_pControls->AddControl(new CControlButtonHide(), kHideButtonId, L"", -1, TRUE);
    if (hide != nullptr) {
        if (!IsCloseable()) {
            hide->SetHideFlags(hide->GetHideFlags() | utkHideGeneric);
        } else {
            hide->SetHideFlags(hide->GetHideFlags() & ~utkHideGeneric);
            const int left = size.cx - m_rcBorders.right - kCaptionButtonSize;
            hide->SetRect(CRect(left, buttonTop, left + kCaptionButtonSize,
                                buttonTop + kCaptionButtonSize));
            captionRight = left;
        }
    }
    if (caption == nullptr && m_pControls != nullptr) {
        auto* control = new CControlCaptionPopup();
        control->SetCommandBar(m_pCaptionPopup);
        caption = m_pControls->AddControl(control, kCaptionPopupId, L"", -1, TRUE);
    }
    if (auto* popup = dynamic_cast<CControlCaptionPopup*>(caption)) {
        popup->SetHasPopup(m_bCaptionPopup && m_pCaptionPopup != nullptr &&
                           m_pCaptionPopup->GetControlCount() > 0);
        popup->SetHideFlags(popup->GetHideFlags() & ~utkHideGeneric);
        popup->SetRect(CRect(m_rcBorders.left + strip.cx, buttonTop, captionRight,
                             buttonTop + kCaptionButtonSize));
        popup->SetCaption(m_strCaption.IsEmpty() ? GetTitle() : m_strCaption);
    }
    return size;
}

CSize CUTKDialogBar::CalcDockingLayout(int nLength, DWORD dwMode, int)
{
    const CSize size =
        CalcCaptionLayout(nLength, dwMode, m_szDockingClient.cx, m_szDockingClient.cy);
    if (dwMode & LM_COMMIT)
        ClearPending(kPendingRelayout);
    return size;
}

CSize CUTKDialogBar::CalcDynamicLayout(int, DWORD dwMode)
{
    const CSize size =
        CalcCaptionLayout(32000, dwMode, m_szFloatingClient.cx, m_szFloatingClient.cy);
    if (dwMode & LM_COMMIT)
        ClearPending(kPendingRelayout);
    return size;
}

BOOL CUTKDialogBar::IsPointInBar(CPoint ptScreen) const
{
    CRect window(0, 0, 0, 0);
    if (m_hWnd != nullptr)
        ::GetWindowRect(m_hWnd, &window);
    if (!window.PtInRect(ptScreen))
        return FALSE;
    // The hosted window takes the mouse below the caption.
    return ptScreen.y < window.top + m_nCaptionHeight ? 1 : -2;
}

void CUTKDialogBar::OnResize(int left, int top, int right, int bottom, int nHitTest)
{
    const CRect rc(left, top, right, bottom);
    if (rc.Width() < m_szMin.cx || rc.Height() < m_szMin.cy)
        return;
    CRect borders;
    GetClientBorders(borders);
    const CSize client(rc.Width() - borders.left - borders.right,
                       rc.Height() - borders.top - borders.bottom);
    if (IsFloating()) {
        m_szFloatingClient = client;
        const CSize size = CalcDynamicLayout(-1, LM_HORZ | LM_COMMIT);
        if (m_hWnd != nullptr)
            SetWindowPos(nullptr, rc.left, rc.top, size.cx, size.cy,
                         SWP_NOZORDER | SWP_NOACTIVATE);
        Redraw();
        return;
    }
    if (nHitTest == HTLEFT || nHitTest == HTRIGHT)
        m_szDockingClient.cx = client.cx;
    else
        m_szDockingClient.cy = client.cy;
    OnRecalcLayout();
}

int CUTKDialogBar::ResizeHitTest(CRect rcWindow, CPoint pt, int position, DWORD flags)
{
    CRect inner = rcWindow;
    inner.DeflateRect(3, 3);
    if (position == utkBarFloating) {
        if (pt.y < inner.top)
            return pt.x < inner.left ? HTTOPLEFT : pt.x >= inner.right ? HTTOPRIGHT : HTTOP;
        if (pt.y >= inner.bottom)
            return pt.x < inner.left ? HTBOTTOMLEFT : pt.x >= inner.right ? HTBOTTOMRIGHT
                                                                         : HTBOTTOM;
        if (pt.x < inner.left)
            return HTLEFT;
        if (pt.x >= inner.right)
            return HTRIGHT;
        return 0;
    }
    const BOOL stretched = (flags & utkFlagStretched) != 0;
    const BOOL vertical = position == utkBarLeft || position == utkBarRight;
    if (position == utkBarBottom) {
        if (pt.y <= inner.top)
            return HTTOP;
    } else if (pt.y >= inner.bottom && !(stretched && vertical)) {
        return HTBOTTOM;
    }
    if (position == utkBarRight) {
        if (pt.x <= inner.left)
            return HTLEFT;
    } else if (pt.x >= inner.right && !(stretched && !vertical)) {
        return HTRIGHT;
    }
    return 0;
}

LRESULT CUTKDialogBar::OnDialogNcHitTest(WPARAM wParam, LPARAM lParam)
{
    if (m_bResizable && m_hWnd != nullptr) {
        CRect window;
        GetWindowRect(&window);
        const CPoint pt(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        if (const int hit = ResizeHitTest(window, pt, m_barPosition, m_dwFlags))
            return hit;
    }
    return OnNcHitTestMessage(wParam, lParam);
}

LRESULT CUTKDialogBar::OnSizeMessage(WPARAM, LPARAM lParam)
{
    const LRESULT result = Default();
    MoveChild(0, 0, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
    return result;
}

BOOL CUTKDialogBar::IsFocusInside(HWND hwndBar, HWND hwndFocus)
{
    if (hwndBar == nullptr || hwndFocus == nullptr)
        return FALSE;
    if (hwndFocus == hwndBar || ::IsChild(hwndBar, hwndFocus))
        return TRUE;
    // A drop-down list or popup owned by a control inside the bar counts as inside.
    HWND owner = ::GetWindow(hwndFocus, GW_OWNER);
    if (owner == nullptr)
        owner = ::GetParent(hwndFocus);
    return owner != nullptr && (owner == hwndBar || ::IsChild(hwndBar, owner));
}

LRESULT CUTKDialogBar::OnIdleUpdate(BOOL bDisableIfNoHandler, LPARAM lParam)
{
    const BOOL active = IsFocusInside(m_hWnd, ::GetFocus());
    if (active != m_bActive) {
        m_bActive = active;
        Redraw();
    }
    return CUTKToolBar::OnIdleUpdate(bDisableIfNoHandler, lParam);
}

void CUTKDialogBar::Copy(CUTKCommandBar* pCommandBar, BOOL bRecursive)
{
    CUTKToolBar::Copy(pCommandBar, bRecursive);
    auto* source = dynamic_cast<CUTKDialogBar*>(pCommandBar);
    if (source == nullptr || source == this)
        return;
    m_rcBorders = source->m_rcBorders;
    m_bResizable = source->m_bResizable;
    m_szMin = source->m_szMin;
    m_bCaptionVisible = source->m_bCaptionVisible;
    m_bCaptionPopup = source->m_bCaptionPopup;
    m_szDockingClient = source->m_szDockingClient;
    m_szFloatingClient = source->m_szFloatingClient;
    m_strCaption = source->m_strCaption;
}
