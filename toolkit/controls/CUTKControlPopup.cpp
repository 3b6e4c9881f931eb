// Popup controls: opening and closing their popup bar from clicks, hover, keyboard and
// selection; the split button's two parts; the shadow joining the control to its open popup;
// and what popups add to copying, comparing and saved state.
#include "toolkit/controls/CUTKControlPopup.h"

#include "toolkit/commandbars/CUTKCommandBar.h"
#include "toolkit/commandbars/CUTKCommandBarList.h"
#include "toolkit/commandbars/CUTKCommandBars.h"
#include "toolkit/commandbars/CUTKPopupBar.h"
#include "toolkit/common/CUTKPropExchange.h"
#include "toolkit/common/CUTKShadowManager.h"
#include "toolkit/controls/CUTKControls.h"
#include "toolkit/themes/CUTKPaintManager.h"

IMPLEMENT_SERIAL(CUTKControlPopup, CUTKControlButton, kUtkControlSchema)

CUTKControlPopup::CUTKControlPopup()
{
    m_controlType = utkControlPopup;
}

CUTKControlPopup::~CUTKControlPopup()
{
    SetCommandBar(nullptr);
}

CUTKControlPopup* CUTKControlPopup::CreateControlPopup(int type)
{
    auto* popup = new CUTKControlPopup();
    if (type == utkControlButtonPopup || type == utkControlSplitButtonPopup) {
        popup->m_controlType = type;
    }
    return popup;
}

void CUTKControlPopup::SetCommandBar(CUTKCommandBar* bar)
{
    if (bar == m_commandBar) {
        return;
    }
    if (bar != nullptr) {
        bar->InternalAddRef();
    }
    AttachCommandBar(bar);
}

void CUTKControlPopup::AttachCommandBar(CUTKCommandBar* bar)
{
    CUTKCommandBar* old = m_commandBar;
    m_commandBar = bar;
    if (old != nullptr && old != bar) {
        old->InternalRelease();
    }
}

CUTKCommandBar* CUTKControlPopup::GetCommandBar() const
{
    return m_commandBar;
}

BOOL CUTKControlPopup::IsPopupOpen() const
{
    return m_popuped;
}

BOOL CUTKControlPopup::ParentAtPopupPosition() const
{
    return m_parent != nullptr && m_parent->GetPosition() == utkBarPopup;
}

BOOL CUTKControlPopup::IsOverButtonPart(const CRect& buttonPart, CPoint point)
{
    return buttonPart.PtInRect(point);
}

BOOL CUTKControlPopup::IsReleaseOnButtonPart(const CRect& control, int arrowWidth, CPoint point)
{
    return point.x + arrowWidth < control.right;
}

CRect CUTKControlPopup::GetButtonPartRect()
{
    CUTKPaintManager* paint = GetPaintManager();
    return paint != nullptr ? paint->GetSplitButtonCommandRect(this) : m_rcControl;
}

BOOL CUTKControlPopup::Compare(CUTKControl* other)
{
    if (!CUTKControl::Compare(other)) {
        return FALSE;
    }
    auto* popup = dynamic_cast<CUTKControlPopup*>(other);
    if (popup == nullptr) {
        return FALSE;
    }
    if (m_commandBar != nullptr && popup->m_commandBar != nullptr) {
        CUTKControls* mine = m_commandBar->GetControls();
        CUTKControls* theirs = popup->m_commandBar->GetControls();
        if (mine != nullptr && theirs != nullptr && !mine->Compare(theirs)) {
            return FALSE;
        }
    }
    return TRUE;
}

void CUTKControlPopup::DoPropExchange(CUTKPropExchange* px)
{
    CUTKControl::DoPropExchange(px);
    if (px == nullptr) {
        return;
    }
    if (px->IsLoading()) {
        int id = 0;
        ExchangeIntPropDefault(px, L"CommandBarId", id, 0);
        m_loadedBarId = static_cast<UINT>(id);
    } else {
        // A popup whose loaded bar is not restored yet keeps its link: saving 0 would lose it.
        int id = m_commandBar != nullptr ? static_cast<int>(m_commandBar->GetBarID())
                                         : static_cast<int>(m_loadedBarId);
        ExchangeIntPropDefault(px, L"CommandBarId", id, 0);
    }
    if (px->m_nSchema >= 5 && px->m_nSchema <= 17) {
        ExchangeIntPropDefault(px, L"Style", m_style, 0);
    }
}

void CUTKControlPopup::OnKeyboardActivate()
{
    if (m_commandBar != nullptr && m_parent != nullptr) {
        m_parent->SetPopuped(m_index, TRUE);
        return;
    }
    OnExecute();
}

void CUTKControlPopup::Copy(CUTKControl* source, BOOL recursive)
{
    CUTKControl::Copy(source, recursive);
    auto* popup = dynamic_cast<CUTKControlPopup*>(source);
    if (popup == nullptr || popup == this) {
        return;
    }
    m_shadowWithPopup = popup->m_shadowWithPopup;
    if (recursive && popup->m_commandBar != nullptr) {
        // A clone comes with the one reference this control keeps.
        AttachCommandBar(popup->m_commandBar->Clone(TRUE));
    } else {
        SetCommandBar(popup->m_commandBar);
    }
}

CUTKControl* CUTKControlPopup::Clone(BOOL recursive)
{
    auto* clone = new CUTKControlPopup();
    clone->Copy(this, recursive);
    return clone;
}

void CUTKControlPopup::OnClick(BOOL keyboard, CPoint pt)
{
    if (!GetEnabled()) {
        return;
    }
    const BOOL customize = m_parent != nullptr && m_parent->IsCustomizeMode();
    if (customize) {
        if (CUTKCommandBars* bars = GetCommandBars()) {
            bars->SetDragControl(this);
        }
    }
    if (m_popuped && !ParentAtPopupPosition()) {
        if (m_parent != nullptr) {
            m_parent->SetTrackingMode(FALSE);
        }
        if (customize) {
            CustomizeStartDrag(pt);
        }
        return;
    }
    if (IsSplitButton() && !customize) {
        if (keyboard) {
            if (m_enabled == kSplitArrowOnly) {
                if (m_parent != nullptr) {
                    m_parent->SetPopuped(m_index, TRUE);
                }
            } else {
                OnExecute();
            }
            return;
        }
        const BOOL onButton = IsOverButtonPart(GetButtonPartRect(), pt);
        if (onButton) {
            if (IsInPopupBar()) {
                if (m_parent != nullptr && m_parent->GetSafeHwnd() != nullptr) {
                    m_parent->KillTimer(CUTKCommandBar::kHoverTimerId);
                }
            } else if (m_enabled != kSplitArrowOnly) {
                TrackPress(GetButtonPartRect());
            }
            return;
        }
        if (m_enabled == kSplitButtonOnly) {
            return;
        }
    }
    if (m_parent != nullptr) {
        if (!customize || m_commandBar == nullptr || m_commandBar->IsCustomizable()) {
            m_parent->SetPopuped(m_index, keyboard);
        }
    }
    if (customize) {
        CustomizeStartDrag(pt);
    }
}

void CUTKControlPopup::OnLButtonUp(CPoint point)
{
    if (m_commandBar == nullptr) {
        CUTKControlButton::OnLButtonUp(point);
        return;
    }
    if (!IsSplitButton() || !GetEnabled() || !IsInPopupBar()) {
        return;
    }
    CUTKPaintManager* paint = GetPaintManager();
    const int arrowWidth = paint != nullptr ? paint->m_nSplitButtonPopupWidth : 0;
    if (IsReleaseOnButtonPart(m_rcControl, arrowWidth, point) && m_enabled != kSplitArrowOnly) {
        OnExecute();
    }
}

BOOL CUTKControlPopup::OnLButtonDblClk(CPoint point)
{
    if ((m_controlType != utkControlPopup && m_controlType != utkControlButtonPopup) ||
        m_commandBar == nullptr) {
        OnClick(FALSE, point);
        return FALSE;
    }
    if (!m_popuped && m_parent != nullptr) {
        m_parent->OnLButtonDown(0, point);
    }
    if (!m_popuped) {
        return FALSE;
    }
    const int defaultItem = m_commandBar->GetDefaultItem();
    if (CUTKControl* item = m_commandBar->GetControl(defaultItem)) {
        item->OnExecute();
        return TRUE;
    }
    auto* popupBar = dynamic_cast<CUTKPopupBar*>(m_commandBar);
    if (popupBar != nullptr && popupBar->HasHiddenCommands() && !popupBar->IsExpanded()) {
        popupBar->ExpandBar();
        return TRUE;
    }
    return FALSE;
}

void CUTKControlPopup::OnMouseMove(CPoint point)
{
    if (!IsSplitButton() || !GetEnabled() || m_selected == utkSelectedNone ||
        m_commandBar == nullptr) {
        return;
    }
    const int state =
        IsOverButtonPart(GetButtonPartRect(), point) ? utkSelectedSplitButton : utkSelectedSplitArrow;
    if (state != m_selected) {
        m_selected = state;
        RedrawParent(FALSE);
    }
}

void CUTKControlPopup::OnMouseHover()
{
    if (m_commandBar != nullptr && GetEnabled() && m_parent != nullptr &&
        (m_parent->GetTrackingMode() == 2 ||
         (m_parent->IsPopupBar() && ParentAtPopupPosition()))) {
        m_parent->SetPopuped(m_index, FALSE);
        return;
    }
    CUTKControlButton::OnMouseHover();
}

BOOL CUTKControlPopup::SetSelected(int selected)
{
    if (!CUTKControl::SetSelected(selected)) {
        return FALSE;
    }
    if (m_commandBar == nullptr || m_parent == nullptr) {
        return TRUE;
    }
    if (m_controlType == utkControlPopup || m_parent->IsPopupBar()) {
        if (GetEnabled() && selected != utkSelectedNone && m_parent->GetTrackingMode() == 2 &&
            !ParentAtPopupPosition()) {
            m_parent->SetPopuped(m_index, FALSE);
        } else if (selected == utkSelectedNone && m_popuped && !ParentAtPopupPosition()) {
            m_parent->SetPopuped(-1);
        }
    } else if (GetEnabled() &&
               (selected == utkSelectedKeyboard || selected == utkSelectedKeyboardAlt) &&
               m_parent->GetTrackingMode() == 2) {
        m_parent->SetPopuped(m_index, TRUE);
    }
    return TRUE;
}

BOOL CUTKControlPopup::SetPopuped(BOOL popuped)
{
    if (m_commandBar == nullptr || (IsSplitButton() && m_enabled == kSplitButtonOnly) ||
        m_parent == nullptr || m_parent->GetSafeHwnd() == nullptr) {
        return FALSE;
    }
    m_popuped = popuped;
    if (!popuped) {
        m_commandBar->SetTrackingMode(FALSE);
        RedrawParent(TRUE);
        return TRUE;
    }
    // Show the pressed look before the popup appears.
    RedrawParent(FALSE);
    if (CWnd* site = GetSite()) {
        if (site->GetSafeHwnd() != nullptr) {
            ::UpdateWindow(site->GetSafeHwnd());
        }
    }
    ::UpdateWindow(m_parent->GetSafeHwnd());
    if (m_commandBar->GetTrackingMode() != 0) {
        return TRUE;
    }
    const BOOL selectFirst =
        m_selected == utkSelectedKeyboard || m_selected == utkSelectedKeyboardAlt;
    if (!m_commandBar->Popup(this, selectFirst)) {
        m_popuped = FALSE;
        return FALSE;
    }
    UpdateShadow();
    return TRUE;
}

void CUTKControlPopup::OnCustomizeDragOver(CUTKControl* dragged, CPoint point, DWORD& effect)
{
    (void)point;
    (void)effect;
    if (m_commandBar == nullptr || m_parent == nullptr || !m_commandBar->IsCustomizable()) {
        return;
    }
    // A popup dragged over a popup inside its own chain must not open it.
    if (auto* draggedPopup = dynamic_cast<CUTKControlPopup*>(dragged)) {
        for (CUTKCommandBar* bar = m_parent; bar != nullptr; bar = bar->GetParentCommandBar()) {
            if (bar == draggedPopup->m_commandBar) {
                m_parent->SetPopuped(-1);
                m_parent->SetSelected(-1, utkSelectMouse);
                return;
            }
        }
    }
    m_parent->SetPopuped(m_index, FALSE);
}

BOOL CUTKControlPopup::IsCustomizeDragOverAvail(CUTKCommandBar* bar, CPoint, DWORD&)
{
    for (CUTKCommandBar* current = bar; current != nullptr;
         current = current->GetParentCommandBar()) {
        if (m_commandBar != nullptr && current == m_commandBar) {
            return FALSE;
        }
    }
    return TRUE;
}

void CUTKControlPopup::RestoreCommandBarList(CUTKCommandBarList* list)
{
    // A loaded "CommandBarId" takes the list's bar of that id (none: the popup stays without
    // a bar). The id is cleared before that bar restores in turn, so each link is followed once.
    if (m_loadedBarId == 0 || list == nullptr) {
        return;
    }
    CUTKCommandBar* bar = list->FindBar(m_loadedBarId);
    m_loadedBarId = 0;
    if (bar != nullptr) {
        SetCommandBar(bar);
        bar->RestoreCommandBarList(list);
    }
}

void CUTKControlPopup::AdjustExcludeRect(CRect& rc, BOOL vertical)
{
    if (CUTKPaintManager* paint = GetPaintManager()) {
        paint->AdjustExcludeRect(rc, this, vertical);
    }
}

void CUTKControlPopup::UpdateShadow()
{
    if (m_controlType < utkControlPopup || m_controlType > utkControlSplitButtonPopup ||
        m_commandBar == nullptr || m_parent == nullptr || !m_shadowWithPopup) {
        return;
    }
    if (ParentAtPopupPosition() ||
        (m_parent->GetPosition() == utkBarFloating && m_parent->IsPopupBar()) ||
        m_parent->IsCustomizeMode()) {
        return;
    }
    auto* popupBar = dynamic_cast<CUTKPopupBar*>(m_commandBar);
    if (popupBar == nullptr || !popupBar->IsShowShadow()) {
        return;
    }
    CUTKPaintManager* paint = GetPaintManager();
    CUTKShadowManager* shadows = paint != nullptr ? paint->GetShadowManager() : nullptr;
    if (shadows == nullptr || m_parent->GetSafeHwnd() == nullptr ||
        m_commandBar->GetSafeHwnd() == nullptr) {
        return;
    }
    CRect rc = m_rcControl;
    ::MapWindowPoints(m_parent->GetSafeHwnd(), nullptr, reinterpret_cast<POINT*>(&rc), 2);
    shadows->SetShadowForControl(rc.left, rc.top, rc.right, rc.bottom, m_commandBar);
}

void CUTKControlPopup::ExpandPopupBar()
{
    if (m_controlType != utkControlPopup || !m_popuped) {
        return;
    }
    if (auto* popupBar = dynamic_cast<CUTKPopupBar*>(m_commandBar)) {
        popupBar->ExpandBar();
    }
}
