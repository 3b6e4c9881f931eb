// The toolbar: construction, window creation (child when docked, owned popup when floating),
// visibility, layouts docked and floating with the caption's hide and expand buttons, and the
// frame's WM_SIZEPARENT answered by the bar itself.
#include "toolkit/commandbars/CUTKToolBar.h"

#include "platform/framework/frame/AfxFrameDefs.h"
#include "platform/framework/frame/CFrameWnd.h"
#include "platform/framework/window/CClientDC.h"
#include "toolkit/commandbars/CUTKCommandBars.h"
#include "toolkit/commandbars/CUTKCommandBarsOptions.h"
#include "toolkit/commandbars/CUTKDockContext.h"
#include "toolkit/commandbars/CUTKPopupBar.h"
#include "toolkit/commandbars/UTKNestedRuntimeClass.h"
#include "toolkit/common/UTKDrawFunctions.h"
#include "toolkit/controls/CUTKControls.h"
#include "toolkit/themes/CUTKPaintManager.h"

#include <algorithm>

IMPLEMENT_SERIAL(CUTKToolBar, CUTKCommandBar, kUtkControlSchema)
UTK_IMPLEMENT_NESTED_DYNCREATE(CUTKToolBar, CControlButtonHide, CUTKControlButton)
UTK_IMPLEMENT_NESTED_DYNCREATE(CUTKToolBar, CControlButtonExpand, CUTKControlPopup)
UTK_IMPLEMENT_NESTED_DYNCREATE(CUTKToolBar, CControlButtonCustomize, CUTKControlButton)

namespace {

constexpr wchar_t kToolBarClass[] = L"UTKToolBar";
constexpr DWORD kStyleFloating = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | MFS_SYNCACTIVE;
constexpr DWORD kStyleDocked = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | MFS_SYNCACTIVE;

} // namespace

// ---- the caption band's hide button ----

CUTKToolBar::CControlButtonHide::CControlButtonHide()
{
    m_id = kHideButtonId;
    m_flags |= 0x1A;
    m_temporary = TRUE;
}

void CUTKToolBar::CControlButtonHide::OnExecute()
{
    if (CUTKCommandBar* bar = GetParent()) {
        bar->SetVisible(FALSE);
    }
}

CSize CUTKToolBar::CControlButtonHide::GetSize(CDC* pDC)
{
    CUTKPaintManager* paint = GetPaintManager();
    return paint != nullptr ? paint->DrawSpecialControl(pDC, 2, this, GetParent(), FALSE, nullptr)
                            : CSize(16, 16);
}

void CUTKToolBar::CControlButtonHide::Draw(CDC* pDC)
{
    if (CUTKPaintManager* paint = GetPaintManager()) {
        paint->DrawSpecialControl(pDC, 2, this, GetParent(), TRUE, nullptr);
    }
}

// ---- the chevron ----

CUTKToolBar::CControlButtonExpand::CControlButtonExpand()
{
    m_id = kExpandButtonId;
    m_controlType = utkControlButtonPopup;
    m_flags |= 0x1C;
    m_temporary = TRUE;
}

void CUTKToolBar::CControlButtonExpand::SetRect(CRect rcControl)
{
    CUTKControlPopup::SetRect(rcControl);
    m_bHiddenControls = FALSE;
    if (CUTKCommandBar* bar = GetParent()) {
        m_bHiddenControls = bar->IsControlsHidden();
    }
}

BOOL CUTKToolBar::CControlButtonExpand::SetPopuped(BOOL popuped)
{
    auto* bar = DYNAMIC_DOWNCAST(CUTKToolBar, GetParent());
    if (bar == nullptr) {
        return FALSE;
    }
    if (popuped) {
        bar->OpenExpandPopup(this);
        if (m_commandBar == nullptr) {
            return FALSE;
        }
        m_popuped = TRUE;
        const BOOL keyboard = m_selected == utkSelectedKeyboard || m_selected == utkSelectedKeyboardAlt;
        if (!m_commandBar->Popup(this, keyboard)) {
            m_popuped = FALSE;
            return FALSE;
        }
    } else {
        if (m_commandBar != nullptr) {
            m_commandBar->SetTrackingMode(FALSE, TRUE, FALSE);
        }
        m_popuped = FALSE;
    }
    RedrawParent(FALSE);
    return TRUE;
}

CSize CUTKToolBar::CControlButtonExpand::GetSize(CDC* pDC)
{
    CUTKCommandBar* bar = GetParent();
    CUTKPaintManager* paint = GetPaintManager();
    if (paint == nullptr || bar == nullptr) {
        return CSize(11, 11);
    }
    const int kind = bar->GetPosition() == utkBarFloating ? 3 : 0;
    return paint->DrawSpecialControl(pDC, kind, this, bar, FALSE,
                                     reinterpret_cast<LPVOID>(static_cast<INT_PTR>(m_bHiddenControls)));
}

void CUTKToolBar::CControlButtonExpand::Draw(CDC* pDC)
{
    CUTKCommandBar* bar = GetParent();
    CUTKPaintManager* paint = GetPaintManager();
    if (paint != nullptr && bar != nullptr) {
        const int kind = bar->GetPosition() == utkBarFloating ? 3 : 0;
        paint->DrawSpecialControl(pDC, kind, this, bar, TRUE,
                                  reinterpret_cast<LPVOID>(static_cast<INT_PTR>(m_bHiddenControls)));
    }
}

// ---- an entry of the add-or-remove list ----

void CUTKToolBar::CControlButtonCustomize::OnExecute()
{
    if (m_pToolBar == nullptr) {
        return;
    }
    if (CUTKCommandBarsOptions* options = m_pToolBar->GetCommandBarsOptions()) {
        options->bDirty = TRUE;
    }
    if (m_pTarget == nullptr) {
        if (CUTKCommandBars* bars = m_pToolBar->GetCommandBars()) {
            bars->ClosePopups();
        }
        m_pToolBar->Reset(TRUE);
        return;
    }
    const DWORD hide = m_pTarget->GetHideFlags() ^ utkHideCustomize;
    m_pTarget->SetHideFlags(hide);
    SetChecked((hide & utkHideCustomize) == 0);
    m_pToolBar->OnRecalcLayout();
    if (CUTKCommandBar* bar = GetParent()) {
        bar->RedrawChain();
    }
}

// ---- the toolbar ----

BEGIN_MESSAGE_MAP(CUTKToolBar, CUTKCommandBar)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_MESSAGE(WM_SETCURSOR, OnSetCursorMessage)
    ON_MESSAGE(WM_RBUTTONDOWN, OnRButtonDownMessage)
    ON_MESSAGE(WM_LBUTTONDOWN, OnLButtonDownMessage)
    ON_MESSAGE(WM_LBUTTONDBLCLK, OnLButtonDblClkMessage)
    ON_MESSAGE(WM_NCHITTEST, OnNcHitTestMessage)
    ON_MESSAGE(WM_NCLBUTTONDOWN, OnNcLButtonDownMessage)
    ON_MESSAGE(WM_MOUSEACTIVATE, OnMouseActivateMessage)
    ON_MESSAGE(WM_NCCREATE, OnNcCreateMessage)
    ON_MESSAGE(WM_FLOATSTATUS, OnFloatStatus)
    ON_MESSAGE(WM_NCACTIVATE, OnNcActivateMessage)
    ON_MESSAGE(WM_SETFOCUS, OnSetFocusMessage)
    ON_MESSAGE(WM_CLOSE, OnCloseMessage)
END_MESSAGE_MAP()

CUTKToolBar::CUTKToolBar()
{
    m_bCloseable = TRUE;
    m_dwFlags = 0x3F;
    m_pDockContext = new CUTKDockContext(this);
    RegisterWndClass(AfxGetInstanceHandle(), kToolBarClass, CS_DBLCLKS);
}

CUTKToolBar::~CUTKToolBar()
{
    delete m_pDockContext;
}

BOOL CUTKToolBar::Create(CWnd* pParentWnd, BOOL bFloat)
{
    if (m_hWnd == nullptr) {
        DWORD exStyle = 0;
        if (CUTKCommandBars* bars = GetCommandBars(); bars != nullptr && bars->IsLayoutRTL()) {
            exStyle |= WS_EX_LAYOUTRTL;
        }
        const CPoint at = m_pDockContext != nullptr ? m_pDockContext->m_ptMRUFloatPos : CPoint(0, 0);
        const CPoint pos = (at.x == 0 && at.y == 0) ? CPoint(100, 100) : at;
        const CRect rc(pos, CSize(0, 0));
        if (!CreateEx(exStyle, kToolBarClass, m_strTitle, bFloat ? kStyleFloating : kStyleDocked,
                      rc, pParentWnd, 0)) {
            return FALSE;
        }
        ShowWindow(SW_SHOWNA);
    }
    if (bFloat) {
        if (GetStyle() & WS_CHILD) {
            ::SetParent(m_hWnd, nullptr);
            ModifyStyle(WS_CHILD, WS_POPUP | MFS_SYNCACTIVE);
        }
        if (pParentWnd != nullptr) {
            ::SetWindowLongPtrW(m_hWnd, GWLP_HWNDPARENT,
                                reinterpret_cast<LONG_PTR>(pParentWnd->GetSafeHwnd()));
        }
    } else if (GetStyle() & WS_POPUP) {
        ModifyStyle(WS_POPUP, WS_CHILD);
        if (pParentWnd != nullptr) {
            ::SetParent(m_hWnd, pParentWnd->GetSafeHwnd());
        }
    }
    return TRUE;
}

BOOL CUTKToolBar::LoadToolBar(UINT nIDResource, BOOL bLoadIcons)
{
    m_nBarID = nIDResource;
    if (!LoadToolBarResource(nIDResource, bLoadIcons)) {
        return FALSE;
    }
    if (m_pControls != nullptr) {
        m_pControls->CreateOriginalControls();
    }
    return TRUE;
}

BOOL CUTKToolBar::IsVisible() const
{
    return m_bVisible;
}

void CUTKToolBar::SetVisible(BOOL bVisible)
{
    bVisible = bVisible ? TRUE : FALSE;
    if (m_bVisible == bVisible) {
        return;
    }
    if (!bVisible) {
        SetTrackingMode(FALSE, TRUE, FALSE);
    }
    m_bVisible = bVisible;
    if (m_hWnd != nullptr) {
        ShowWindow(bVisible ? SW_SHOWNA : SW_HIDE);
    }
    if (bVisible) {
        OnRecalcLayout();
    } else if (IsDocked()) {
        RelayoutSite();
    }
    CUTKCommandBars* bars = GetCommandBars();
    if (bars == nullptr) {
        return;
    }
    if (CWnd* site = bars->GetSite(); site != nullptr && site->GetSafeHwnd() != nullptr) {
        site->SendMessage(UTK_WM_BARVISIBLECHANGED, reinterpret_cast<WPARAM>(this), bVisible);
    }
    if (CUTKCommandBarsOptions* options = bars->GetCommandBarsOptions()) {
        options->bDirty = TRUE;
    }
    if (!bVisible && m_bTearOff) {
        bars->Remove(this);  // the manager destroys a torn-off bar once it is hidden
    }
}

void CUTKToolBar::SetTemporaryHidden(BOOL bHide)
{
    bHide = bHide ? TRUE : FALSE;
    if (m_bTemporaryHidden == bHide) {
        return;
    }
    m_bTemporaryHidden = bHide;
    if (bHide) {
        m_bVisibleBeforeHide = m_bVisible;
        if (m_bVisible) {
            m_bVisible = FALSE;
            if (m_hWnd != nullptr) {
                ShowWindow(SW_HIDE);
            }
        }
    } else if (m_bVisibleBeforeHide) {
        m_bVisible = TRUE;
        if (m_hWnd != nullptr) {
            ShowWindow(SW_SHOWNA);
        }
        if (m_barType != utkBarTypeMenuBar) {
            RelayoutSite();
        }
    }
}

BOOL CUTKToolBar::SetPosition(int position)
{
    CUTKCommandBars* bars = GetCommandBars();
    if (bars == nullptr) {
        return FALSE;
    }
    if (position >= utkBarTop && position <= utkBarRight)
        return bars->DockCommandBar(this, position);
    if (position == utkBarFloating)
        return bars->FloatCommandBar(this);
    return FALSE;
}

void CUTKToolBar::RelayoutSite()
{
    if (CUTKCommandBars* bars = GetCommandBars()) {
        bars->RecalcFrameLayout();
        return;
    }
    CWnd* site = GetSite();
    if (site == nullptr || site->GetSafeHwnd() == nullptr) {
        return;
    }
    CRect client;
    site->GetClientRect(&client);
    site->SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.Width(), client.Height()));
}

void CUTKToolBar::OnRecalcLayout()
{
    if (m_hWnd == nullptr || !IsVisible() || m_bInRecalcLayout) {
        return;
    }
    m_bInRecalcLayout = TRUE;
    if (IsDocked()) {
        RelayoutSite();
    } else if (IsFloating()) {
        const CSize size = CalcDynamicLayout(-1, LM_HORZ | LM_MRUWIDTH | LM_COMMIT);
        SetWindowPos(nullptr, 0, 0, size.cx, size.cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    }
    Redraw();
    m_bInRecalcLayout = FALSE;
}

CRect CUTKToolBar::GetBorders()
{
    if (IsFloating()) {
        return CRect(kFloatingBorder, kFloatingBorder, kFloatingBorder, kFloatingBorder);
    }
    CUTKPaintManager* paint = GetPaintManager();
    CRect borders = paint != nullptr ? paint->GetCommandBarBorders(this) : CRect(2, 2, 2, 2);
    if (GetStyleBit22() && paint != nullptr) {
        CClientDC dc(m_hWnd != nullptr ? this : nullptr);
        const CSize gripper = paint->DrawCommandBarGripper(&dc, this, FALSE);
        borders.left += gripper.cx;
        borders.top += gripper.cy;
    }
    return borders;
}

CUTKControl* CUTKToolBar::EnsureSpecialControl(CRuntimeClass* pClass, int nID)
{
    if (m_pControls == nullptr) {
        return nullptr;
    }
    for (int i = 0; i < m_pControls->GetCount(); ++i) {
        CUTKControl* control = m_pControls->GetAt(i);
        if (control != nullptr && control->GetID() == nID && control->IsKindOf(pClass)) {
            return control;
        }
    }
    auto* control = static_cast<CUTKControl*>(pClass->CreateObject());
    if (control == nullptr) {
        return nullptr;
    }
    return m_pControls->AddControl(control, nID, L"", -1, TRUE);
}

void CUTKToolBar::CalcCaptionButtons(int width, int captionHeight, BOOL bHideButton,
                                     BOOL bExpandButton, CRect& rcHide, CRect& rcExpand)
{
    rcHide.SetRectEmpty();
    rcExpand.SetRectEmpty();
    int right = width - kFloatingBorder;
    if (bHideButton) {
        rcHide.SetRect(width - kFloatingBorder - captionHeight, kFloatingBorder,
                       width - kFloatingBorder, captionHeight + kFloatingBorder);
        right = rcHide.left;
    }
    if (bExpandButton && right - captionHeight > 0) {
        rcExpand.SetRect(right - captionHeight, kFloatingBorder, right,
                         captionHeight + kFloatingBorder);
    }
}

int CUTKToolBar::FloatingBorderHitTest(CPoint pt, int width, int height)
{
    if (pt.x < 0 || pt.y < 0 || pt.x >= width || pt.y >= height) {
        return HTNOWHERE;
    }
    if (pt.y < kFloatingBorder) {
        return HTTOP;
    }
    if (pt.y >= height - kFloatingBorder) {
        return HTBOTTOM;
    }
    if (pt.x < kFloatingBorder) {
        return HTLEFT;
    }
    if (pt.x >= width - kFloatingBorder) {
        return HTRIGHT;
    }
    return HTNOWHERE;
}

CSize CUTKToolBar::CalcDynamicLayout(int nLength, DWORD dwMode)
{
    if (m_pControls == nullptr) {
        return CSize(0, 0);
    }
    CUTKPaintManager* paint = GetPaintManager();
    CClientDC dc(m_hWnd != nullptr ? this : nullptr);
    CFont* font = paint != nullptr ? paint->GetCommandBarFont(this) : nullptr;
    CFont* oldFont = font != nullptr ? dc.SelectObject(font) : nullptr;

    const CSize caption = paint != nullptr ? paint->DrawCommandBarGripper(&dc, this, FALSE)
                                           : CSize(0, 14);
    CRect borders = GetBorders();
    borders.top += caption.cy + 1;

    CUTKControl* hide = nullptr;
    CUTKControl* expand = nullptr;
    if (m_bCloseable) {
        hide = EnsureSpecialControl(RUNTIME_CLASS(CControlButtonHide), kHideButtonId);
    }
    if (m_bShowExpandButton && GetCommandBars() != nullptr) {
        expand = EnsureSpecialControl(RUNTIME_CLASS(CControlButtonExpand), kExpandButtonId);
    }
    if (hide != nullptr) {
        hide->SetHideFlags(hide->GetHideFlags() | utkHideGeneric);
    }
    if (expand != nullptr) {
        expand->SetHideFlags(expand->GetHideFlags() | utkHideGeneric);
    }

    CSize size;
    if (m_barType == utkBarTypePopup) {
        UpdateShortcuts();
        size = m_pControls->CalcPopupLayout(&dc, nLength, 0, borders);
    } else {
        DWORD mode = dwMode;
        size = m_pControls->CalcToolBarLayout(&dc, nLength, mode, borders);
    }

    const BOOL always = [&] {
        CUTKCommandBarsOptions* options = GetCommandBarsOptions();
        return options == nullptr || options->bShowExpandButtonAlways;
    }();
    CRect rcHide;
    CRect rcExpand;
    CalcCaptionButtons(size.cx, caption.cy, hide != nullptr, expand != nullptr && always, rcHide,
                       rcExpand);
    if (hide != nullptr) {
        hide->SetHideFlags(hide->GetHideFlags() & ~utkHideGeneric);
        hide->SetRect(rcHide);
    }
    if (expand != nullptr && !rcExpand.IsRectEmpty()) {
        expand->SetHideFlags(expand->GetHideFlags() & ~utkHideGeneric);
        expand->SetRect(rcExpand);
    }
    if (oldFont != nullptr) {
        dc.SelectObject(oldFont);
    }
    if (dwMode & LM_COMMIT) {
        ClearPending(kPendingRelayout);
        Redraw();
    }
    return size;
}

CSize CUTKToolBar::CalcDockingLayout(int nLength, DWORD dwMode, int)
{
    if (m_pControls == nullptr) {
        return CSize(0, 0);
    }
    CUTKPaintManager* paint = GetPaintManager();
    CClientDC dc(m_hWnd != nullptr ? this : nullptr);
    CFont* font = paint != nullptr ? paint->GetCommandBarFont(this) : nullptr;
    CFont* oldFont = font != nullptr ? dc.SelectObject(font) : nullptr;

    // The hide button belongs to the floating caption only.
    for (int i = 0; i < m_pControls->GetCount(); ++i) {
        CUTKControl* control = m_pControls->GetAt(i);
        if (control != nullptr && control->GetID() == kHideButtonId &&
            control->IsKindOf(RUNTIME_CLASS(CControlButtonHide))) {
            control->SetHideFlags(control->GetHideFlags() | utkHideGeneric);
        }
    }
    CUTKControl* expand = nullptr;
    if (m_bShowExpandButton) {
        expand = EnsureSpecialControl(RUNTIME_CLASS(CControlButtonExpand), kExpandButtonId);
        if (expand != nullptr) {
            expand->SetHideFlags(expand->GetHideFlags() | utkHideGeneric);
        }
    }
    const BOOL horizontal = (dwMode & LM_HORZDOCK) != 0;
    const CRect borders = GetBorders();
    auto layout = [&](int length, CRect rcBorders) {
        DWORD mode = dwMode;
        return m_pControls->CalcToolBarLayout(&dc, length, mode, rcBorders);
    };

    CSize size;
    BOOL reserve = FALSE;
    CUTKCommandBarsOptions* options = GetCommandBarsOptions();
    if (expand == nullptr) {
        size = layout(nLength, borders);
    } else if (options == nullptr || !options->bShowExpandButtonAlways) {
        if ((dwMode & LM_COMMIT) == 0) {
            size = layout(nLength, borders);
            const CSize least = layout(1, borders);
            if (m_pControls->GetVisibleCount() > 1) {
                if (horizontal) {
                    size.cx = std::max<int>(size.cx, least.cx + kExpandReserve);
                } else {
                    size.cy = std::max<int>(size.cy, least.cy + kExpandReserve);
                }
            }
        } else {
            size = layout(nLength, borders);
            reserve = IsControlsHidden();
        }
    } else {
        reserve = TRUE;
    }
    if (reserve) {
        CRect enlarged = borders;
        if (horizontal) {
            enlarged.right += kExpandReserve;
        } else {
            enlarged.bottom += kExpandReserve;
        }
        size = layout(nLength, enlarged);
        const CSize button = paint != nullptr
                                 ? paint->DrawSpecialControl(&dc, 0, expand, this, FALSE, nullptr)
                                 : CSize(kExpandReserve, kExpandReserve);
        CRect rc;
        if (horizontal) {
            rc.SetRect(size.cx - borders.right - kExpandReserve, borders.top,
                       size.cx - borders.right, size.cy - borders.bottom);
        } else {
            rc.SetRect(borders.left, size.cy - borders.bottom - kExpandReserve,
                       size.cx - borders.right, size.cy - borders.bottom);
        }
        (void)button;
        expand->SetHideFlags(expand->GetHideFlags() & ~utkHideGeneric);
        expand->SetRect(rc);
    }
    if (oldFont != nullptr) {
        dc.SelectObject(oldFont);
    }
    if (dwMode & LM_COMMIT) {
        ClearPending(kPendingRelayout);
        Redraw();
    }
    return size;
}

void CUTKToolBar::OpenExpandPopup(CControlButtonExpand* pButton)
{
    pButton->SetCommandBar(nullptr);
    CUTKPopupBar* popup = nullptr;
    if (CFrameWnd* frame = GetFrameSite()) {
        CreateBarNotify request{};
        request.bPopupBar = 1;
        if (frame->SendMessage(UTK_WM_CREATECOMMANDBAR, 0, reinterpret_cast<LPARAM>(&request)) != 0) {
            popup = DYNAMIC_DOWNCAST(CUTKPopupBar, request.pCommandBar);
        }
    }
    if (popup == nullptr) {
        popup = CUTKPopupToolBar::CreatePopupToolBar(GetCommandBars());
    }
    if (popup == nullptr) {
        return;
    }
    popup->SetCustomizable(FALSE);
    CUTKCommandBars* bars = GetCommandBars();
    // Fill the popup with the controls that did not fit, as copies.
    int added = 0;
    for (int i = 0; i < m_pControls->GetCount(); ++i) {
        CUTKControl* control = m_pControls->GetAt(i);
        if (control == nullptr || control->GetHideFlags() != utkHideWrap) {
            continue;
        }
        if (CUTKControl* copy = popup->GetControls()->AddClone(control, -1, TRUE)) {
            copy->SetHideFlags(0);
            copy->SetBeginGroup(added > 0 && control->GetBeginGroup());
            ++added;
        }
    }
    if (bars != nullptr && m_pDockContext != nullptr &&
        (bars->GetCommandBarsOptions() == nullptr ||
         bars->GetCommandBarsOptions()->bShowExpandButtonAlways || bars->IsCustomizeAvail())) {
        if (CUTKControl* list = popup->GetControls()->Add(utkControlPopup, kCustomizePopupId,
                                                          L"", -1, TRUE)) {
            list->SetFlags(list->GetFlags() | utkFlagManualUpdate);
            list->SetBeginGroup(added > 0);
            if (auto* listPopup = DYNAMIC_DOWNCAST(CUTKControlPopup, list);
                listPopup != nullptr && listPopup->m_commandBar != nullptr) {
                BuildCustomizePopup(listPopup->m_commandBar);
            }
        }
    }
    pButton->SetCommandBar(popup);
    popup->InternalRelease();  // the button holds the one reference it needs
}

void CUTKToolBar::BuildCustomizePopup(CUTKCommandBar* pPopup)
{
    if (pPopup == nullptr || GetCommandBars() == nullptr || m_pControls == nullptr) {
        return;
    }
    // Controls the user hid come back as entries; controls of the snapshot missing from the
    // bar are inserted hidden so that they can be shown again.
    CUTKControls* original = m_pControls->GetOriginalControls();
    for (int i = 0; original != nullptr && i < original->GetCount(); ++i) {
        CUTKControl* source = original->GetAt(i);
        if (source == nullptr || source->IsTemporary()) {
            continue;
        }
        if (m_pControls->FindControl(source->GetType(), source->GetID(), FALSE, FALSE) == nullptr) {
            if (CUTKControl* copy = m_pControls->AddClone(source, std::min(i, m_pControls->GetCount()), TRUE)) {
                copy->SetHideFlags(copy->GetHideFlags() | utkHideCustomize);
            }
        }
    }
    for (int i = 0; i < m_pControls->GetCount(); ++i) {
        CUTKControl* control = m_pControls->GetAt(i);
        if (control == nullptr || control->GetID() == kHideButtonId ||
            control->GetID() == kExpandButtonId) {
            continue;
        }
        OnAddCustomizeItem(control);
        if ((control->GetHideFlags() & (utkHideGeneric | 0x40 | utkHideRibbon)) != 0 ||
            !control->IsCustomizeMovable()) {
            continue;
        }
        auto* entry = new CControlButtonCustomize;
        entry->m_pTarget = control;
        entry->m_pToolBar = this;
        if (pPopup->GetControls()->AddControl(entry, control->GetID(), L"", -1, TRUE) == nullptr) {
            continue;
        }
        entry->SetCaption(control->GetCaption());
        if (control->GetType() >= utkControlButton && control->GetType() <= utkControlSplitButtonPopup) {
            entry->SetIconId(control->GetIconId());
        }
        entry->SetShortcutText(control->GetShortcutText());
        const BOOL found = original != nullptr &&
                           original->FindControl(control->GetType(), control->GetID(), FALSE, FALSE) != nullptr;
        entry->SetEnabled(found);
        entry->SetChecked((control->GetHideFlags() & utkHideCustomize) == 0);
    }
    if (original != nullptr && m_bBuiltIn && !m_bTearOff) {
        auto* reset = new CControlButtonCustomize;
        reset->m_pToolBar = this;
        if (pPopup->GetControls()->AddControl(reset, kResetId, L"", -1, TRUE) != nullptr) {
            reset->SetFlags(reset->GetFlags() | utkFlagManualUpdate);
            reset->SetBeginGroup(TRUE);
        }
    }
}

void CUTKToolBar::Reset(BOOL bShowWarningMessage)
{
    if (!m_bBuiltIn || m_nBarID == 0 || !IsCustomizable() || m_pControls == nullptr) {
        return;
    }
    if (bShowWarningMessage) {
        CString question;
        CString format;
        format.LoadString(kResetQuestionId);
        question.Format(format, static_cast<LPCWSTR>(m_strTitle));
        CWnd* owner = GetFrameSite();
        if (::MessageBoxW(owner != nullptr ? owner->GetSafeHwnd() : nullptr, question, m_strTitle,
                          MB_OKCANCEL | MB_ICONEXCLAMATION) != IDOK) {
            return;
        }
    }
    if (CUTKControls* original = m_pControls->GetOriginalControls()) {
        original->InternalAddRef();  // RemoveAll must not take the snapshot with it
        m_pControls->RemoveAll();
        for (int i = 0; i < original->GetCount(); ++i) {
            CUTKControl* source = original->GetAt(i);
            if (source != nullptr && !source->IsTemporary()) {
                m_pControls->AddClone(source, -1, TRUE);
            }
        }
        original->InternalRelease();
    } else {
        (void)LoadToolBarResource(m_nBarID, FALSE);
    }
    if (CWnd* site = GetSite(); site != nullptr && site->GetSafeHwnd() != nullptr) {
        site->SendMessage(UTK_WM_TOOLBARRESET, 0, reinterpret_cast<LPARAM>(this));
    }
    OnIdleUpdate(TRUE, 0);
    OnRecalcLayout();
}

BOOL CUTKToolBar::IsCustomized()
{
    return IsCustomizable() && m_pControls != nullptr && m_pControls->IsChanged();
}

void CUTKToolBar::OnAddCustomizeItem(CUTKControl*) {}

int CUTKToolBar::OnHookKeyDown(UINT nChar, LPARAM lParam)
{
    if (nChar == VK_TAB && m_pDockContext == nullptr && m_hWnd != nullptr) {
        CWnd* parent = GetParent();
        if (parent != nullptr) {
            const BOOL back = ::GetKeyState(VK_SHIFT) < 0;
            HWND next = ::GetNextDlgTabItem(parent->GetSafeHwnd(), m_hWnd, back);
            if (next != nullptr && next != m_hWnd) {
                ::SetFocus(next);
                SetTrackingMode(FALSE, TRUE, FALSE);
                return 1;
            }
        }
    }
    return CUTKCommandBar::OnHookKeyDown(nChar, lParam);
}

void CUTKToolBar::Copy(CUTKCommandBar* pCommandBar, BOOL bRecursive)
{
    CUTKCommandBar::Copy(pCommandBar, bRecursive);
    if (auto* source = DYNAMIC_DOWNCAST(CUTKToolBar, pCommandBar)) {
        m_bBuiltIn = source->m_bBuiltIn;
        m_bTearOff = source->m_bTearOff;
        m_bCloseable = source->m_bCloseable;
    }
}

CUTKCommandBar* CUTKToolBar::Clone(BOOL bRecursive)
{
    auto* bar = static_cast<CUTKCommandBar*>(GetRuntimeClass()->CreateObject());
    if (bar != nullptr) {
        bar->Copy(this, bRecursive);
    }
    return bar;
}
