// The popup bar: its window, opening for a control or at a point, where it goes (through the
// window-free PopupPlacement), its menu layout with hidden commands and scrolling, the shadow
// and the appearance animation, and closing, which destroys the window but keeps the object.
#include "toolkit/commandbars/CUTKPopupBar.h"

#include "platform/framework/frame/AfxFrameDefs.h"
#include "platform/framework/window/CClientDC.h"
#include "platform/framework/window/CWindowDC.h"
#include "toolkit/commandbars/CUTKCommandBars.h"
#include "toolkit/commandbars/CUTKCommandBarsOptions.h"
#include "toolkit/commandbars/CUTKMouseManager.h"
#include "toolkit/commandbars/UTKNestedRuntimeClass.h"
#include "toolkit/commandbars/CUTKToolBar.h"
#include "toolkit/common/CUTKColorManager.h"
#include "toolkit/common/CUTKShadowManager.h"
#include "toolkit/common/MultiMonitorApi.h"
#include "toolkit/common/SoundManager.h"
#include "toolkit/common/UTKDrawFunctions.h"
#include "toolkit/controls/CUTKControl.h"
#include "toolkit/controls/CUTKControlPopup.h"
#include "toolkit/controls/CUTKControls.h"
#include "toolkit/themes/CUTKPaintManager.h"

#include <algorithm>
#include <cstdlib>

IMPLEMENT_SERIAL(CUTKPopupBar, CUTKCommandBar, kUtkControlSchema)
IMPLEMENT_SERIAL(CUTKPopupToolBar, CUTKPopupBar, kUtkControlSchema)
UTK_IMPLEMENT_NESTED_DYNCREATE(CUTKPopupBar, CControlExpandButton, CUTKControlButton)

namespace {

constexpr wchar_t kPopupBarClass[] = L"UTKPopupBar";
constexpr wchar_t kPopupBarSaveBitsClass[] = L"UTKPopupBarSB";
constexpr DWORD kPopupStyle = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | MFS_SYNCACTIVE;
constexpr DWORD kPopupToolBarLayout = 0x100;

} // namespace

// ---- the expand item ----

CUTKPopupBar::CControlExpandButton::CControlExpandButton()
{
    m_id = kExpandItemId;
    m_controlType = utkControlButton;
    m_flags |= 0x5A;
    m_temporary = TRUE;
}

void CUTKPopupBar::CControlExpandButton::OnExecute()
{
    if (auto* bar = DYNAMIC_DOWNCAST(CUTKPopupBar, GetParent())) {
        bar->ExpandBar();
    }
}

CSize CUTKPopupBar::CControlExpandButton::GetSize(CDC* pDC)
{
    CUTKPaintManager* paint = GetPaintManager();
    return paint != nullptr ? paint->DrawSpecialControl(pDC, 1, this, GetParent(), FALSE, nullptr)
                            : CSize(16, 14);
}

void CUTKPopupBar::CControlExpandButton::Draw(CDC* pDC)
{
    if (CUTKPaintManager* paint = GetPaintManager()) {
        paint->DrawSpecialControl(pDC, 1, this, GetParent(), TRUE, nullptr);
    }
}

// ---- the popup bar ----

BEGIN_MESSAGE_MAP(CUTKPopupBar, CUTKCommandBar)
    ON_MESSAGE(WM_MOUSEACTIVATE, OnMouseActivateMessage)
    ON_MESSAGE(WM_NCACTIVATE, OnNcActivateMessage)
    ON_MESSAGE(WM_FLOATSTATUS, OnFloatStatus)
    ON_MESSAGE(WM_MOUSEMOVE, OnMouseMoveMessage)
    ON_MESSAGE(WM_TIMER, OnTimerMessage)
    ON_MESSAGE(WM_LBUTTONDOWN, OnLButtonDownMessage)
END_MESSAGE_MAP()

CUTKPopupBar::CUTKPopupBar()
{
    m_barType = utkBarTypePopup;
    m_barPosition = utkBarPopup;
    m_nMRUWidth = 0;
}

CUTKPopupBar::~CUTKPopupBar()
{
    if (m_pTornBarKept != nullptr) {
        if (m_pTornBarKept->GetSafeHwnd() != nullptr) {
            m_pTornBarKept->DestroyWindow();
        }
        m_pTornBarKept->InternalRelease();
    }
}

CUTKPopupBar* CUTKPopupBar::CreatePopupBar(CUTKCommandBars* pCommandBars)
{
    auto* bar = new CUTKPopupBar;
    bar->SetCommandBars(pCommandBars);
    return bar;
}

void CUTKPopupBar::SetTearOffPopup(LPCWSTR caption, UINT nID, int width)
{
    m_bTearOffPopup = TRUE;
    m_strTearOffCaption = caption != nullptr ? caption : L"";
    m_nTearOffID = nID;
    m_nTearOffWidth = width;
}

BOOL CUTKPopupBar::Create()
{
    if (m_hWnd != nullptr) {
        return TRUE;
    }
    CUTKCommandBarsOptions* options = GetCommandBarsOptions();
    const BOOL saveBits = options == nullptr || options->bUseSaveBits;
    const wchar_t* className = saveBits ? kPopupBarSaveBitsClass : kPopupBarClass;
    RegisterWndClass(AfxGetInstanceHandle(), className,
                     CS_DBLCLKS | (saveBits ? CS_SAVEBITS : 0));
    CWnd* site = GetSite();
    DWORD exStyle = WS_EX_TOOLWINDOW;
    if (CUTKCommandBars* bars = GetCommandBars()) {
        if (bars->IsLayoutRTL()) {
            exStyle |= WS_EX_LAYOUTRTL;
        }
    } else if (site != nullptr && site->GetSafeHwnd() != nullptr &&
               (site->GetExStyle() & WS_EX_LAYOUTRTL) != 0) {
        exStyle |= WS_EX_LAYOUTRTL;
    }
    HWND parent = site != nullptr ? site->GetSafeHwnd() : nullptr;
    return CreateEx(exStyle, className, m_strTitle, kPopupStyle, 0, 0, 0, 0, parent, nullptr);
}

BOOL CUTKPopupBar::PopupAt(int x, int y, LPCRECT lpExclude)
{
    m_ptPopup = CPoint(x, y);
    m_rcExclude = lpExclude != nullptr ? CRect(*lpExclude) : CRect(x, y, x, y);
    return Popup(nullptr, FALSE);
}

BOOL CUTKPopupBar::Popup(CUTKControl* pControl, BOOL bSelectFirst)
{
    m_pControlPopup = pControl;
    if (!Create()) {
        return FALSE;
    }
    if (CUTKToolTipContext* tips = GetToolTipContext()) {
        (void)tips;
        FilterToolTipMessage(WM_CANCELMODE, 0, 0);
    }
    LockRedraw();
    if (CWnd* owner = GetOwnerSite(); owner != nullptr && owner->GetSafeHwnd() != nullptr) {
        owner->SendMessage(UTK_WM_INITPOPUP, 0, reinterpret_cast<LPARAM>(this));
    }
    m_bTearOffSelected = FALSE;
    m_bHasHidden = FALSE;
    m_bExpanded = IsCustomizeMode() ? TRUE : GetThreadMouseManager()->IsMenusExpanded();

    UpdateFlags();
    const CSize size = CalcDynamicLayout(0, 0);
    UpdateLocation(size);

    CUTKCommandBar* parentBar = GetParentCommandBar();
    if (m_hWnd == nullptr || (parentBar != nullptr && parentBar->GetSafeHwnd() == nullptr)) {
        if (m_hWnd != nullptr) {
            DestroyWindow();
        }
        UnlockRedraw();
        return FALSE;
    }
    SetTrackingMode(TRUE, bSelectFirst, bSelectFirst);
    ClearPending(kPendingRelayout);
    OnIdleUpdate(TRUE, 0);
    if (m_hWnd == nullptr || !::IsWindow(m_hWnd)) {
        UnlockRedraw();
        return FALSE;
    }
    ShowAnimated();

    CUTKPaintManager* paint = GetPaintManager();
    if (m_barPosition == utkBarPopup && m_bShowShadow && paint != nullptr && paint->m_bShowShadow &&
        !IsCustomizeMode()) {
        if (CUTKShadowManager* shadows = paint->GetShadowManager()) {
            shadows->RemoveShadow(this);
            shadows->SetShadow(this, m_rcExclude, m_bRecurse ? GetRootParent() : nullptr);
        }
    }
    SetPending(kPendingRelayout);
    UnlockRedraw();
    return TRUE;
}

void CUTKPopupBar::AdjustExcludeRect(CRect& rc, BOOL bVertical)
{
    if (auto* popup = DYNAMIC_DOWNCAST(CUTKControlPopup, m_pControlPopup)) {
        popup->AdjustExcludeRect(rc, bVertical);
    }
}

void CUTKPopupBar::UpdateFlags()
{
    CUTKCommandBar* parentBar = GetParentCommandBar();
    if (m_pControlPopup == nullptr || parentBar == nullptr) {
        return;
    }
    m_popupFlags = 0;
    if ((m_pControlPopup->GetFlags() & 0x04) != 0 || IsLayoutRTL()) {
        m_popupFlags = kFlagLeft;
    }
    const int position = parentBar->GetPosition();
    const BOOL floatingMenu = position == utkBarFloating && parentBar->GetType() == utkBarTypePopup;
    if (parentBar->IsPopupBar() && (parentBar->GetFlags() & 0x200000) != 0) {
        m_popupFlags |= kFlagBelow;
    } else if (position == utkBarRight) {
        m_popupFlags = kFlagLeft;
    } else if (position == utkBarLeft || position == utkBarPopup || floatingMenu) {
        auto* parentPopup = DYNAMIC_DOWNCAST(CUTKPopupBar, parentBar);
        if (parentPopup != nullptr && parentPopup->GetType() == utkBarTypePopup &&
            (parentPopup->m_popupFlags & kFlagLeft) != 0) {
            m_popupFlags = kFlagLeft;
        }
    } else {
        m_popupFlags |= kFlagBelow;
    }
    CRect rc = m_pControlPopup->GetRect();
    if (m_pControlPopup->GetType() == utkControlComboBox && !parentBar->IsPopupBar()) {
        m_popupFlags |= kFlagBelow;
    } else {
        const BOOL vertical = position == utkBarLeft || position == utkBarRight ||
                              position == utkBarPopup || floatingMenu;
        AdjustExcludeRect(rc, vertical);
    }
    parentBar->ClientToScreen(&rc);
    m_rcExclude = rc;
    m_ptPopup = (m_popupFlags & kFlagBelow) != 0 ? CPoint(rc.left, rc.bottom)
                                                 : CPoint(rc.right, rc.top);
}

RECT CUTKPopupBar::GetWorkArea() const
{
    const CRect probe = m_rcExclude.IsRectEmpty()
                            ? CRect(m_ptPopup.x, m_ptPopup.y, m_ptPopup.x + 1, m_ptPopup.y + 1)
                            : m_rcExclude;
    HMONITOR monitor = ::MonitorFromRect(&probe, MONITOR_DEFAULTTONEAREST);
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (monitor == nullptr || !::GetMonitorInfoW(monitor, &info)) {
        RECT work{};
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        return work;
    }
    return PopupPlacement::ChooseWorkArea(info.rcMonitor, info.rcWork, m_rcExclude, m_ptPopup);
}

CRect CUTKPopupBar::CalcPopupRect(CPoint pt, CSize sz)
{
    PopupPlacement::Input in;
    in.exclude = m_rcExclude;
    in.anchor = pt;
    in.size = sz;
    in.flags = m_popupFlags;
    in.workArea = GetWorkArea();
    CUTKCommandBarsOptions* options = GetCommandBarsOptions();
    in.fixedPlacement = options != nullptr && options->bPopupPlacementFlag;
    in.rowRestricted = IsRowRestrictedDrop();
    in.isMenu = m_barType == utkBarTypePopup;
    in.maximumHeight = m_nMaxHeight;
    CUTKCommandBar* parentBar = GetParentCommandBar();
    if (m_pControlPopup != nullptr && parentBar != nullptr &&
        !(m_pControlPopup->GetType() == utkControlComboBox &&
          parentBar->GetType() != utkBarTypePopup)) {
        CRect side = m_pControlPopup->GetRect();
        AdjustExcludeRect(side, TRUE);
        parentBar->ClientToScreen(&side);
        in.hasSideExclude = TRUE;
        in.sideExclude = side;
    }
    PopupPlacement::Result out = PopupPlacement::Calc(in);
    m_popupFlags = out.flags;
    m_rcExclude = out.exclude;
    CRect rc(out.rect);
    if (out.relayoutHeight > 0 && !m_bInLayout) {
        const CSize again = CalcDynamicLayout(out.relayoutHeight, 0);
        in.size = again;
        out = PopupPlacement::Calc(in);
        rc = out.rect;
    }
    if (out.scroll && m_barType == utkBarTypePopup && m_barPosition == utkBarPopup) {
        m_bScrolling = TRUE;
        m_nFirstVisible = 0;
        LayoutScrollWindow(rc.Height());
    }
    return rc;
}

void CUTKPopupBar::UpdateLocation(CSize sz)
{
    if (m_hWnd == nullptr) {
        return;
    }
    const CRect rc = CalcPopupRect(m_ptPopup, sz);
    const BOOL visible = (GetStyle() & WS_VISIBLE) != 0;
    SetWindowPos(visible ? nullptr : &CWnd::wndTopMost, rc.left, rc.top, rc.Width(), rc.Height(),
                 SWP_NOACTIVATE | SWP_SHOWWINDOW | (visible ? SWP_NOZORDER : 0));
}

int CUTKPopupBar::ResolveAnimation(int option, BOOL menuAnimation, BOOL menuFade, int randomPick)
{
    int kind = option;
    if (option == 0) {
        kind = !menuAnimation ? 5 : (menuFade ? 4 : 3);
    } else if (option == 1) {
        kind = randomPick == 0 ? 4 : (randomPick == 1 ? 3 : 2);
    }
    return kind >= 2 && kind <= 4 ? kind : 5;
}

void CUTKPopupBar::ShowAnimated()
{
    if (m_hWnd == nullptr) {
        return;
    }
    CUTKCommandBar* parentBar = GetParentCommandBar();
    CUTKPaintManager* paint = GetPaintManager();
    const BOOL childWindow = ::GetWindow(m_hWnd, GW_CHILD) != nullptr;
    int kind = 5;
    CUTKCommandBarsOptions* options = GetCommandBarsOptions();
    if (options != nullptr && !childWindow && !IsCustomizeMode() &&
        (parentBar == nullptr || parentBar->IsEnteredByMouse())) {
        BOOL animation = FALSE;
        BOOL fade = FALSE;
        ::SystemParametersInfoW(SPI_GETMENUANIMATION, 0, &animation, 0);
        ::SystemParametersInfoW(SPI_GETMENUFADE, 0, &fade, 0);
        kind = ResolveAnimation(options->animationType, animation, fade, std::rand() % 3);
    }
    if (kind >= 2 && kind <= 4 && paint != nullptr) {
        if (m_pControlPopup != nullptr) {
            m_pControlPopup->RedrawParent(FALSE);
        }
        if (parentBar != nullptr && parentBar->GetSafeHwnd() != nullptr) {
            parentBar->UpdateWindow();
        }
        if (CWnd* site = GetSite(); site != nullptr && site->GetSafeHwnd() != nullptr) {
            site->UpdateWindow();
        }
        CRect client;
        GetClientRect(&client);
        CWindowDC windowDC(this);
        CDC memDC;
        memDC.CreateCompatibleDC(&windowDC);
        CBitmap bitmap;
        bitmap.CreateCompatibleBitmap(&windowDC, client.Width(), client.Height());
        CBitmap* oldBitmap = memDC.SelectObject(&bitmap);
        DrawCommandBar(&memDC, client);
        CRect window;
        GetWindowRect(&window);
        HDC screen = ::GetDC(nullptr);
        ::BitBlt(windowDC.GetSafeHdc(), 0, 0, window.Width(), window.Height(), screen,
                 window.left, window.top, SRCCOPY);
        ::ReleaseDC(nullptr, screen);
        paint->SetCommandBarRegion(this);
        paint->AnimateExpansion(&windowDC, &memDC, client, kind);
        memDC.SelectObject(oldBitmap);
    } else if (paint != nullptr) {
        paint->SetCommandBarRegion(this);
    }
    if (parentBar != nullptr) {
        parentBar->SetEnteredByMouse(FALSE);
    }
}

int CUTKPopupBar::ExpandAnimationKind()
{
    CUTKCommandBarsOptions* options = GetCommandBarsOptions();
    if (options == nullptr || m_hWnd == nullptr || ::GetWindow(m_hWnd, GW_CHILD) != nullptr ||
        IsCustomizeMode()) {
        return 5;
    }
    BOOL animation = FALSE;
    BOOL fade = FALSE;
    ::SystemParametersInfoW(SPI_GETMENUANIMATION, 0, &animation, 0);
    ::SystemParametersInfoW(SPI_GETMENUFADE, 0, &fade, 0);
    return ResolveAnimation(options->animationType, animation, fade, std::rand() % 3);
}

int CUTKPopupBar::DrawExpandAnimation(CDC* pDestDC, BOOL bExpandDown)
{
    CUTKPaintManager* paint = GetPaintManager();
    if (pDestDC == nullptr || paint == nullptr || m_hWnd == nullptr) {
        return 0;
    }
    CRect client;
    GetClientRect(&client);
    if (client.IsRectEmpty()) {
        return 0;
    }
    CDC memDC;
    if (!memDC.CreateCompatibleDC(pDestDC)) {
        return 0;
    }
    CBitmap bitmap;
    if (!bitmap.CreateCompatibleBitmap(pDestDC, client.Width(), client.Height())) {
        return 0;
    }
    CBitmap* oldBitmap = memDC.SelectObject(&bitmap);
    DrawCommandBar(&memDC, client);
    const int steps = paint->AnimateExpandedItems(this, pDestDC, &memDC, bExpandDown);
    memDC.SelectObject(oldBitmap);
    return steps;
}

void CUTKPopupBar::MoveAnimatedExpanding(const CRect& rcOld, const CRect& rcNew)
{
    // What lies under the grown popup, taken before the window moves there.
    HDC screen = ::GetDC(nullptr);
    CDC underDC;
    CBitmap under;
    const BOOL haveUnder = screen != nullptr && underDC.Attach(::CreateCompatibleDC(screen)) &&
                           under.Attach(::CreateCompatibleBitmap(screen, rcNew.Width(),
                                                                 rcNew.Height()));
    CBitmap* oldUnder = nullptr;
    if (haveUnder) {
        oldUnder = underDC.SelectObject(&under);
        ::BitBlt(underDC.GetSafeHdc(), 0, 0, rcNew.Width(), rcNew.Height(), screen, rcNew.left,
                 rcNew.top, SRCCOPY);
    }
    if (screen != nullptr)
        ::ReleaseDC(nullptr, screen);

    ShowWindow(SW_HIDE);
    if (CWnd* site = GetSite(); site != nullptr && site->GetSafeHwnd() != nullptr)
        site->UpdateWindow();
    SetWindowPos(nullptr, rcNew.left, rcNew.top, rcNew.Width(), rcNew.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_SHOWWINDOW);
    if (CUTKPaintManager* paint = GetPaintManager())
        paint->SetCommandBarRegion(this);
    {
        CWindowDC windowDC(this);
        if (haveUnder) {
            ::BitBlt(windowDC.GetSafeHdc(), 0, 0, rcNew.Width(), rcNew.Height(),
                     underDC.GetSafeHdc(), 0, 0, SRCCOPY);
        }
        (void)DrawExpandAnimation(&windowDC, rcNew.bottom > rcOld.bottom);
    }
    if (oldUnder != nullptr)
        underDC.SelectObject(oldUnder);
    // The window was shown without a paint: make sure the final image is what stays.
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
}

BOOL CUTKPopupBar::SetTrackingMode(int bMode, BOOL bSelectFirst, BOOL bKeyboard)
{
    if (!CUTKCommandBar::SetTrackingMode(bMode, bSelectFirst, bKeyboard)) {
        return FALSE;
    }
    CWnd* site = GetSite();
    if (bMode != 0) {
        if (m_hWnd != nullptr) {
            ::NotifyWinEvent(EVENT_SYSTEM_MENUPOPUPSTART, m_hWnd, OBJID_CLIENT, CHILDID_SELF);
        }
    } else {
        if (m_hWnd != nullptr) {
            ::NotifyWinEvent(EVENT_SYSTEM_MENUPOPUPEND, m_hWnd, OBJID_CLIENT, CHILDID_SELF);
            if (CUTKPaintManager* paint = GetPaintManager()) {
                if (CUTKShadowManager* shadows = paint->GetShadowManager()) {
                    shadows->RemoveShadow(this);
                }
            }
            KillTimer(kScrollDownTimerId);
            KillTimer(kScrollUpTimerId);
            KillTimer(kExpandItemTimerId);
            DestroyWindow();
        }
        m_bScrolling = FALSE;
        if (CUTKCommandBar* parentBar = GetParentCommandBar()) {
            parentBar->SetPopuped(-1);
        }
        if (site != nullptr && site->GetSafeHwnd() != nullptr) {
            site->SendMessage(UTK_WM_UNINITPOPUP, 0, reinterpret_cast<LPARAM>(this));
        }
        ::Sleep(1);
        m_pControlPopup = nullptr;
    }
    if (site != nullptr && site->GetSafeHwnd() != nullptr) {
        site->UpdateWindow();
    }
    return TRUE;
}

BOOL CUTKPopupBar::SetSelected(int nSelected, int reason)
{
    const BOOL changed = CUTKCommandBar::SetSelected(nSelected, reason);
    if (m_hWnd == nullptr) {
        return changed;
    }
    CUTKControl* hot = GetControl(m_nSelected);
    CUTKCommandBarsOptions* options = GetCommandBarsOptions();
    if (hot != nullptr && hot->GetID() == kExpandItemId && reason == utkSelectMouse &&
        options != nullptr && options->bShowFullAfterDelay) {
        SetTimer(kExpandItemTimerId, kExpandItemDelay, nullptr);
    } else {
        KillTimer(kExpandItemTimerId);
    }
    if (m_bScrolling && hot != nullptr && (hot->GetHideFlags() & utkHideDynamic) != 0) {
        CRect client;
        GetClientRect(&client);
        if (m_nSelected < m_nFirstVisible) {
            m_nFirstVisible = m_nSelected;
            LayoutScrollWindow(client.Height());
        } else {
            // Scroll until the hot control is the last one shown.
            while (m_nEndVisible <= m_nSelected && m_nFirstVisible < m_nSelected) {
                ++m_nFirstVisible;
                LayoutScrollWindow(client.Height());
            }
        }
        Redraw(nullptr, FALSE);
    }
    return changed;
}

BOOL CUTKPopupBar::IsVisible() const
{
    return m_hWnd != nullptr && ::IsWindowVisible(m_hWnd);
}

void CUTKPopupBar::DelayRedraw()
{
    Redraw(nullptr, FALSE);
}

void CUTKPopupBar::OnRecalcLayout()
{
    if (m_hWnd == nullptr || m_nTracking == 0 || m_bInLayout) {
        return;
    }
    UpdateShortcuts();
    UpdateFlags();
    const CSize size = CalcDynamicLayout(0, 0);
    const CRect rc = CalcPopupRect(m_ptPopup, size);
    CRect current;
    GetWindowRect(&current);
    if (!m_bExpanding && rc == current) {
        Redraw(nullptr, FALSE);
        return;
    }
    CUTKPaintManager* paint = GetPaintManager();
    if (paint != nullptr && paint->GetShadowManager() != nullptr) {
        paint->GetShadowManager()->RemoveShadow(this);
    }
    const int kind = m_bExpanding && paint != nullptr ? ExpandAnimationKind() : 5;
    if (kind >= 2 && kind <= 4) {
        MoveAnimatedExpanding(current, rc);
    } else {
        SetWindowPos(nullptr, rc.left, rc.top, rc.Width(), rc.Height(),
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (m_bExpanding) {
        GetSoundManager()->PlaySystemSound(SoundManager::soundMenuPopup);
    }
    if (paint != nullptr) {
        if (kind < 2 || kind > 4)
            paint->SetCommandBarRegion(this);
        if (m_bShowShadow && paint->m_bShowShadow && !IsCustomizeMode() &&
            paint->GetShadowManager() != nullptr) {
            paint->GetShadowManager()->SetShadow(this, m_rcExclude,
                                                 m_bRecurse ? GetRootParent() : nullptr);
        }
    }
    Redraw(nullptr, FALSE);
    m_bExpanding = FALSE;
}

CUTKCommandBar* CUTKPopupBar::GetParentCommandBar() const
{
    return m_pControlPopup != nullptr ? m_pControlPopup->GetParent() : nullptr;
}

BOOL CUTKPopupBar::IsPopupBar() const
{
    return TRUE;
}

CRect CUTKPopupBar::GetBorders()
{
    if (m_barType == utkBarTypeNormal) {
        return m_rcBorders;
    }
    CUTKPaintManager* paint = GetPaintManager();
    return paint != nullptr ? paint->GetCommandBarBorders(this) : CRect(3, 3, 3, 3);
}

int CUTKPopupBar::GetPopupResizeMode() const
{
    return m_nResizeMode;
}

void CUTKPopupBar::DrawCommandBar(CDC* pDC, CRect rcClipBox)
{
    CUTKCommandBar::DrawCommandBar(pDC, rcClipBox);
    if (pDC == nullptr) {
        return;
    }
    CUTKPaintManager* paint = GetPaintManager();
    if (m_bScrolling && paint != nullptr) {
        const COLORREF arrow = GetColorManager()->GetColor(18);
        for (const ScrollArea* area : {&m_scrollUp, &m_scrollDown}) {
            if (area->rc.IsRectEmpty()) {
                continue;
            }
            const CPoint c = area->rc.CenterPoint();
            if (area == &m_scrollUp) {
                CUTKPaintManager::Triangle(pDC, CPoint(c.x - 3, c.y + 1), CPoint(c.x + 3, c.y + 1),
                                           CPoint(c.x, c.y - 2), arrow);
            } else {
                CUTKPaintManager::Triangle(pDC, CPoint(c.x - 3, c.y - 1), CPoint(c.x + 3, c.y - 1),
                                           CPoint(c.x, c.y + 2), arrow);
            }
        }
    }
    if (m_bTearOffPopup && GetControlCount() > 0 && paint != nullptr) {
        paint->DrawTearOffGripper(pDC, m_rcTearOffGripper, m_bTearOffSelected, TRUE);
    }
    if (!m_rcResizeGripper.IsRectEmpty() && m_nResizeMode != 0 && paint != nullptr) {
        paint->DrawPopupResizeGripper(pDC, m_rcResizeGripper, m_nResizeMode);
    }
}

int CUTKPopupBar::OnHookKeyDown(UINT nChar, LPARAM lParam)
{
    if (nChar == VK_DOWN && m_bHasHidden && !m_bExpanded && m_pControls != nullptr) {
        const int next = m_pControls->GetNext(m_nSelected, +1);
        if (::GetKeyState(VK_CONTROL) < 0 || (m_nSelected >= 0 && next <= m_nSelected)) {
            ExpandBar();
        }
    }
    return CUTKCommandBar::OnHookKeyDown(nChar, lParam);
}

CSize CUTKPopupBar::CalcDynamicLayout(int nLength, DWORD)
{
    if (m_pControls == nullptr) {
        return CSize(0, 0);
    }
    CUTKPaintManager* paint = GetPaintManager();
    CClientDC dc(m_hWnd != nullptr ? this : nullptr);
    CFont* font = paint != nullptr ? paint->GetCommandBarFont(this) : nullptr;
    CFont* oldFont = font != nullptr ? dc.SelectObject(font) : nullptr;
    CRect borders = GetBorders();

    const BOOL nested = m_bInLayout;
    m_bInLayout = TRUE;
    CUTKControl* expandItem = nullptr;
    for (int i = 0; i < m_pControls->GetCount(); ++i) {
        CUTKControl* control = m_pControls->GetAt(i);
        if (control != nullptr && control->GetID() == kExpandItemId &&
            control->IsKindOf(RUNTIME_CLASS(CControlExpandButton))) {
            expandItem = control;
        }
    }
    if (!nested) {
        // Hidden-until-expanded states: only a manager hides rarely used commands; without one,
        // or with full menus always on, every command shows.
        CUTKCommandBarsOptions* options = GetCommandBarsOptions();
        const BOOL fullMenus = options == nullptr || options->bAlwaysShowFullMenus;
        int others = 0;
        for (int i = 0; i < m_pControls->GetCount(); ++i) {
            CUTKControl* control = m_pControls->GetAt(i);
            if (control == nullptr || control == expandItem) {
                continue;
            }
            control->SetHideFlags(control->GetHideFlags() & ~(utkHideExpand | utkHideDynamic));
            if (fullMenus) {
                control->SetHiddenUntilExpand(FALSE);
            }
            if (control->IsVisible() && !control->IsHiddenUntilExpand()) {
                ++others;
            }
        }
        m_bHasHidden = FALSE;
        if (fullMenus) {
            m_bExpanded = TRUE;
        } else if (others > 0 && !m_bExpanded) {
            for (int i = 0; i < m_pControls->GetCount(); ++i) {
                CUTKControl* control = m_pControls->GetAt(i);
                if (control != nullptr && control != expandItem && control->IsHiddenUntilExpand()) {
                    control->SetHideFlags(control->GetHideFlags() | utkHideExpand);
                    m_bHasHidden = TRUE;
                }
            }
        }
        UpdateShortcuts();
    }
    if (m_bTearOffPopup && paint != nullptr) {
        borders.top += paint->DrawTearOffGripper(&dc, CRect(0, 0, 0, 0), FALSE, FALSE).cy;
    }
    int expandHeight = 0;
    if (m_bHasHidden) {
        if (expandItem == nullptr) {
            expandItem = m_pControls->AddControl(new CControlExpandButton, kExpandItemId, L"", -1, TRUE);
        }
        if (expandItem != nullptr) {
            expandItem->SetHideFlags(utkHideGeneric);
            expandHeight = expandItem->GetSize(&dc).cy;
            borders.bottom += expandHeight;
        }
    } else if (expandItem != nullptr) {
        expandItem->SetHideFlags(utkHideGeneric);
    }
    const CSize size = m_pControls->CalcPopupLayout(&dc, nLength, GetFixedWidth(), borders);
    if (expandItem != nullptr && m_bHasHidden) {
        expandItem->SetHideFlags(0);
        expandItem->SetRect(CRect(borders.left, size.cy - borders.bottom,
                                  size.cx - GetBorders().right, size.cy - borders.bottom + expandHeight));
    }
    const CRect plain = GetBorders();
    if (m_bTearOffPopup) {
        m_rcTearOffGripper.SetRect(plain.left, plain.top, size.cx - plain.right, borders.top);
    }
    if (oldFont != nullptr) {
        dc.SelectObject(oldFont);
    }
    m_bInLayout = nested;
    if (m_bScrolling) {
        m_bScrolling = FALSE;  // CalcPopupRect enters scrolling again when it must
    }
    return size;
}

void CUTKPopupBar::LayoutScrollWindow(int height)
{
    if (m_pControls == nullptr) {
        return;
    }
    const CRect borders = GetBorders();
    const int count = m_pControls->GetCount();
    m_nFirstVisible = std::clamp(m_nFirstVisible, 0, std::max(0, count - 1));
    // Rectangles as laid out for the full list: the shown window is shifted up to the top band.
    int shift = 0;
    if (CUTKControl* first = m_pControls->GetAt(m_nFirstVisible)) {
        shift = first->GetRect().top - borders.top - (m_nFirstVisible > 0 ? kScrollBandHeight : 0);
    }
    const int limit = height - borders.bottom;
    m_nEndVisible = m_nFirstVisible;
    for (int i = 0; i < count; ++i) {
        CUTKControl* control = m_pControls->GetAt(i);
        if (control == nullptr) {
            continue;
        }
        CRect rc = control->GetRect();
        rc.OffsetRect(0, -shift);
        const BOOL last = i == count - 1;
        const int bottomLimit = last ? limit : limit - kScrollBandHeight;
        BOOL shown = i >= m_nFirstVisible && rc.bottom <= bottomLimit && i == m_nEndVisible;
        if (shown) {
            control->SetRect(rc);
            m_nEndVisible = i + 1;
            control->SetHideFlags(control->GetHideFlags() & ~utkHideDynamic);
        } else if (i < m_nFirstVisible || i >= m_nEndVisible) {
            control->SetHideFlags(control->GetHideFlags() | utkHideDynamic);
        }
    }
    CRect client(0, 0, 0, height);
    if (m_hWnd != nullptr) {
        GetClientRect(&client);
    }
    const int width = client.Width();
    m_scrollUp.rc = m_nFirstVisible > 0 ? CRect(borders.left, borders.top, width - borders.right,
                                                borders.top + kScrollBandHeight)
                                        : CRect(0, 0, 0, 0);
    m_scrollDown.rc = m_nEndVisible < count
                          ? CRect(borders.left, height - borders.bottom - kScrollBandHeight,
                                  width - borders.right, height - borders.bottom)
                          : CRect(0, 0, 0, 0);
}

void CUTKPopupBar::ScrollBy(int delta)
{
    if (!m_bScrolling || m_pControls == nullptr) {
        return;
    }
    const int count = m_pControls->GetCount();
    if ((delta < 0 && m_nFirstVisible == 0) || (delta > 0 && m_nEndVisible >= count)) {
        return;
    }
    // Relay the full list out first so every rectangle is in its unshifted place.
    CRect client;
    GetClientRect(&client);
    const int first = m_nFirstVisible + delta;
    const BOOL scrolling = m_bScrolling;
    CalcDynamicLayout(0, 0);
    m_bScrolling = scrolling;
    m_nFirstVisible = std::max(0, first);
    LayoutScrollWindow(client.Height());
    Redraw(nullptr, FALSE);
}

void CUTKPopupBar::ExpandBar()
{
    if (m_bExpanded || !m_bHasHidden) {
        return;
    }
    FilterToolTipMessage(WM_CANCELMODE, 0, 0);
    m_bExpanding = TRUE;
    m_bExpanded = TRUE;
    SetPopuped(-1);
    SetSelected(-1, utkSelectMouse);
    OnRecalcLayout();
    GetThreadMouseManager()->SetMenusExpanded(TRUE);
}

void CUTKPopupBar::OnControlsChanged()
{
    m_nSelected = -1;
    m_nPopuped = -1;
    OnRecalcLayout();
}

void CUTKPopupBar::Copy(CUTKCommandBar* pCommandBar, BOOL bRecursive)
{
    CUTKCommandBar::Copy(pCommandBar, bRecursive);
    if (auto* source = DYNAMIC_DOWNCAST(CUTKPopupBar, pCommandBar)) {
        m_bTearOffPopup = source->m_bTearOffPopup;
        m_strTearOffCaption = source->m_strTearOffCaption;
        m_nTearOffID = source->m_nTearOffID;
        m_nTearOffWidth = source->m_nTearOffWidth;
        m_bShowShadow = source->m_bShowShadow;
        m_rcBorders = source->m_rcBorders;
        m_bDoubleGripper = source->m_bDoubleGripper;
        m_bContextMenu = source->m_bContextMenu;
    }
}

CUTKCommandBar* CUTKPopupBar::Clone(BOOL bRecursive)
{
    auto* bar = static_cast<CUTKCommandBar*>(GetRuntimeClass()->CreateObject());
    if (bar != nullptr) {
        bar->SetCommandBars(GetCommandBars());
        bar->Copy(this, bRecursive);
    }
    return bar;
}

BOOL CUTKPopupBar::DestroyWindow()
{
    if (m_hWnd == nullptr) {
        return FALSE;
    }
    // Hosted windows outlive the popup: they go back to the site, hidden.
    CWnd* site = GetSite();
    HWND siteWnd = site != nullptr ? site->GetSafeHwnd() : nullptr;
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child != nullptr;) {
        HWND next = ::GetWindow(child, GW_HWNDNEXT);
        ::ShowWindow(child, SW_HIDE);
        ::SetParent(child, siteWnd);
        child = next;
    }
    return CUTKCommandBar::DestroyWindow();
}

LRESULT CUTKPopupBar::OnMouseActivateMessage(WPARAM, LPARAM)
{
    return MA_NOACTIVATE;
}

LRESULT CUTKPopupBar::OnNcActivateMessage(WPARAM wParam, LPARAM)
{
    if (wParam != 0) {
        return 0;
    }
    return Default();
}

LRESULT CUTKPopupBar::OnFloatStatus(WPARAM wParam, LPARAM)
{
    return (GetStyle() & MFS_SYNCACTIVE) != 0 && (wParam & FS_SYNCACTIVE) != 0;
}

LRESULT CUTKPopupBar::OnMouseMoveMessage(WPARAM wParam, LPARAM lParam)
{
    const CPoint pt(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
    if (m_nTrackLock > 0) {
        return 0;
    }
    CUTKCommandBar* parentBar = GetParentCommandBar();
    CRect client;
    GetClientRect(&client);
    if (parentBar != nullptr && m_pControlPopup != nullptr && client.PtInRect(pt) &&
        parentBar->GetSelectedIndex() != m_pControlPopup->GetIndex()) {
        parentBar->SetSelected(m_pControlPopup->GetIndex(), utkSelectMouse);
    }
    if (m_bScrolling) {
        for (ScrollArea* area : {&m_scrollDown, &m_scrollUp}) {
            if (!area->rc.IsRectEmpty() && area->rc.PtInRect(pt)) {
                if (area->timer == 0) {
                    SetPopuped(-1);
                    area->timer = SetTimer(area->id, kScrollDelay, nullptr);
                }
            } else if (area->timer != 0) {
                KillTimer(area->id);
                area->timer = 0;
            }
        }
    }
    OnMouseMove(static_cast<UINT>(wParam), pt);
    return 0;
}

LRESULT CUTKPopupBar::OnTimerMessage(WPARAM wParam, LPARAM)
{
    switch (wParam) {
    case kScrollDownTimerId:
        ScrollBy(+1);
        return 0;
    case kScrollUpTimerId:
        ScrollBy(-1);
        return 0;
    case kExpandItemTimerId:
        KillTimer(kExpandItemTimerId);
        ExpandBar();
        return 0;
    default:
        OnTimer(wParam);
        return 0;
    }
}

// ---- the popup toolbar ----

CUTKPopupToolBar::CUTKPopupToolBar()
{
    m_barType = utkBarTypeNormal;
}

CUTKPopupToolBar* CUTKPopupToolBar::CreatePopupToolBar(CUTKCommandBars* pCommandBars)
{
    auto* bar = new CUTKPopupToolBar;
    bar->SetCommandBars(pCommandBars);
    return bar;
}

CSize CUTKPopupToolBar::CalcDynamicLayout(int, DWORD)
{
    if (m_pControls == nullptr) {
        return CSize(0, 0);
    }
    UpdateShortcuts();
    CUTKPaintManager* paint = GetPaintManager();
    CClientDC dc(m_hWnd != nullptr ? this : nullptr);
    CFont* font = paint != nullptr ? paint->GetCommandBarFont(this) : nullptr;
    CFont* oldFont = font != nullptr ? dc.SelectObject(font) : nullptr;
    DWORD mode = LM_HORZ | LM_COMMIT | kPopupToolBarLayout;
    const CSize size = m_pControls->CalcToolBarLayout(&dc, m_nMRUWidth, mode, GetBorders());
    if (oldFont != nullptr) {
        dc.SelectObject(oldFont);
    }
    return size;
}

CUTKCommandBar* CUTKPopupToolBar::Clone(BOOL bRecursive)
{
    return CUTKPopupBar::Clone(bRecursive);
}
