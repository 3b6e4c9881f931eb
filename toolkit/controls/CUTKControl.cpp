// CUTKControl: construction, state, the services found through the parent bar, copying and
// cloning. Texts, execution, accessibility, customisation and the saved state live in
// CUTKControlTexts.cpp, CUTKControlExecute.cpp, CUTKControlAccessible.cpp,
// CUTKControlCustomize.cpp and CUTKControlExchange.cpp.
#include "toolkit/controls/CUTKControl.h"

#include "toolkit/commandbars/CUTKCommandBar.h"
#include "toolkit/commandbars/CUTKCommandBars.h"
#include "toolkit/common/CUTKImageManager.h"
#include "toolkit/controls/CUTKControlAction.h"
#include "toolkit/controls/CUTKControls.h"
#include "toolkit/themes/CUTKPaintManager.h"

// Serial: the binary bar state stores each control by its class.
IMPLEMENT_SERIAL(CUTKControl, CCmdTarget, kUtkControlSchema)

CUTKControl::CUTKControl()
{
    m_templatesAssigned.InitHashTable(10);
    m_templatesExcluded.InitHashTable(10);
    EnableAutomation();
}

CUTKControl::~CUTKControl()
{
    if (m_action) {
        m_action->RemoveControl(this);
        m_action = nullptr;
    }
}

// ---- state ----

void CUTKControl::SetBeginGroup(BOOL beginGroup)
{
    if (beginGroup != m_beginGroup) {
        m_beginGroup = beginGroup;
        RequestParentRelayout();
    }
}

void CUTKControl::SetEnabled(BOOL enabled)
{
    if (enabled != m_enabled) {
        m_enabled = enabled;
        RedrawParent(TRUE);
    }
}

void CUTKControl::SetChecked(BOOL checked)
{
    if (checked != m_checked) {
        m_checked = checked;
        RedrawParent(TRUE);
    }
}

BOOL CUTKControl::GetEnabled() const
{
    if (m_enabled == -1) {
        return m_action ? m_action->GetEnabled() : TRUE;
    }
    return m_enabled;
}

BOOL CUTKControl::GetChecked() const
{
    if (m_checked == -1) {
        return m_action ? m_action->GetChecked() : FALSE;
    }
    return m_checked;
}

int CUTKControl::GetSelected() const { return m_selected; }
void CUTKControl::SetFocused(BOOL) {}
BOOL CUTKControl::IsFocused() const { return FALSE; }
BOOL CUTKControl::GetPressed() const { return m_pressed; }
void CUTKControl::SetRect(CRect rcControl) { m_rcControl = rcControl; }

BOOL CUTKControl::IsVisible(DWORD skipHideFlags) const
{
    if (m_action && !m_action->IsVisible()) {
        return FALSE;
    }
    return (m_hideFlags & ~skipHideFlags) == 0;
}

BOOL CUTKControl::IsCaptionVisible() const
{
    if (m_parent && m_parent->GetType() == utkBarTypePopup) {
        return TRUE;
    }
    if (GetCaption().IsEmpty()) {
        return FALSE;
    }
    switch (GetStyle()) {
    case utkButtonCaption:
    case utkButtonIconAndCaption:
    case utkButtonIconAndCaptionBelow:
    case utkButtonCaptionAndDescription:
        return TRUE;
    case utkButtonIcon:
        return FALSE;
    default:
        break;
    }
    switch (m_controlType) {
    case utkControlButton:
    case utkControlButtonPopup:
    case utkControlSplitButtonPopup:
        return GetImage(0) == nullptr;
    case utkControlPopup:
    case utkControlLabel:
    case utkControlCheckBox:
    case utkControlRadioButton:
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL CUTKControl::Compare(CUTKControl* other)
{
    if (!other) {
        return FALSE;
    }
    return GetStyle() == other->GetStyle() && m_controlType == other->m_controlType &&
           m_id == other->m_id && m_flags == other->m_flags &&
           m_beginGroup == other->m_beginGroup && GetIconId() == other->GetIconId() &&
           GetCaption() == other->GetCaption() && GetTooltip() == other->GetTooltip() &&
           GetDescription() == other->GetDescription() &&
           m_customCaption == other->m_customCaption && m_customStyle == other->m_customStyle &&
           m_parameter == other->m_parameter &&
           (m_hideFlags & utkHideCustomize) == (other->m_hideFlags & utkHideCustomize) &&
           m_width == other->m_width;
}

CUTKCommandBar* CUTKControl::GetCommandBar() const { return nullptr; }
BOOL CUTKControl::IsCustomPopupFace() const { return FALSE; }
void CUTKControl::SetHideFlags(DWORD hideFlags) { m_hideFlags = hideFlags; }

int CUTKControl::GetStyle() const
{
    if (m_customStyle != -1) {
        return m_customStyle;
    }
    if (m_style != 0) {
        return m_style;
    }
    if (m_reducedStyle != 0) {
        return m_reducedStyle;
    }
    return m_parent ? m_parent->GetDefaultButtonStyle() : 0;
}

void CUTKControl::SetStyle(int style)
{
    if (style != m_style) {
        m_style = style;
        RequestParentRelayout();
    }
}

int CUTKControl::GetIconId() const
{
    if (m_customIconId != 0) {
        return m_customIconId;
    }
    if (m_iconId > 0) {
        return m_iconId;
    }
    if (m_action) {
        if (m_action->GetIconId() > 0) {
            return m_action->GetIconId();
        }
        return m_action->GetID();
    }
    return m_id;
}

void CUTKControl::SetHiddenUntilExpand(BOOL hidden)
{
    m_hiddenUntilExpand = hidden;
    if (!hidden) {
        m_hideFlags &= ~static_cast<DWORD>(utkHideExpand);
    }
}

void CUTKControl::SetDefaultItem(BOOL defaultItem)
{
    if (defaultItem != m_defaultItem) {
        m_defaultItem = defaultItem;
        RequestParentRelayout();
    }
}

void CUTKControl::SetVisible(BOOL visible)
{
    const DWORD flags = visible ? (m_hideFlags & ~static_cast<DWORD>(utkHideGeneric))
                                : (m_hideFlags | utkHideGeneric);
    if (flags != m_hideFlags) {
        m_hideFlags = flags;
        RequestParentRelayout();
    }
}

void CUTKControl::SetWidth(int width)
{
    if (width != m_width) {
        m_width = width;
        RequestParentRelayout();
    }
}

void CUTKControl::SetHeight(int height)
{
    if (height != m_height) {
        m_height = height;
        RequestParentRelayout();
    }
}

CSize CUTKControl::GetButtonSize() const
{
    return m_parent ? m_parent->GetButtonSize() : CSize(0, 0);
}

CSize CUTKControl::GetIconSize() const
{
    if (m_iconSize.cx != 0 || m_iconSize.cy != 0) {
        return m_iconSize;
    }
    return m_parent ? m_parent->GetIconSize() : CSize(0, 0);
}

BOOL CUTKControl::SetSelected(int selected)
{
    if (selected == m_selected) {
        return FALSE;
    }
    if (m_parent && (selected == utkSelectedKeyboard || selected == utkSelectedKeyboardAlt)) {
        const int popuped = m_parent->GetPopupedIndex();
        if (popuped != -1 && popuped != m_index) {
            m_parent->SetPopuped(-1);
        }
    }
    m_selected = selected;
    if (m_parent) {
        m_parent->OnControlSelected(selected != 0, this);
    }
    if (!GetEnabled() && selected != utkSelectedNone && selected != utkSelectedKeyboard &&
        selected != utkSelectedKeyboardAlt) {
        return TRUE;
    }
    RedrawParent(selected == utkSelectedNone);
    return TRUE;
}

// ---- services through the parent bar ----

void CUTKControl::RequestParentRelayout()
{
    if (m_parent) {
        m_parent->SetPending(CUTKCommandBar::kPendingRelayout);
    }
}

void CUTKControl::RedrawParent(BOOL animate)
{
    if (m_parent && IsVisible()) {
        m_parent->Redraw(&m_rcControl, animate);
    }
}

CUTKCommandBar* CUTKControl::GetRootParent() const
{
    return m_parent ? m_parent->GetRootParent() : nullptr;
}

CWnd* CUTKControl::GetSite() const
{
    return m_parent ? m_parent->GetOwnerSite() : nullptr;
}

CUTKCommandBars* CUTKControl::GetCommandBars() const
{
    if (m_parent) {
        return m_parent->GetCommandBars();
    }
    return m_controls ? m_controls->GetCommandBars() : nullptr;
}

CUTKImageManager* CUTKControl::GetImageManager() const
{
    if (m_parent) {
        return m_parent->GetImageManager();
    }
    if (m_controls && m_controls->GetCommandBars()) {
        return m_controls->GetCommandBars()->GetImageManager();
    }
    return ::GetImageManager();
}

CUTKPaintManager* CUTKControl::GetPaintManager() const
{
    if (m_parent) {
        return m_parent->GetPaintManager();
    }
    if (m_controls && m_controls->GetCommandBars()) {
        return m_controls->GetCommandBars()->GetPaintManager();
    }
    return CUTKPaintManager::GetGlobalPaintManager();
}

CUTKImageManagerIcon* CUTKControl::GetImage(int width) const
{
    const int iconId = GetIconId();
    if (iconId <= 0) {
        return nullptr;
    }
    CUTKImageManager* images = GetImageManager();
    return images ? images->GetImage(static_cast<UINT>(iconId), width) : nullptr;
}

CSize CUTKControl::GetSize(CDC* pDC)
{
    CUTKPaintManager* paint = GetPaintManager();
    return paint ? paint->DrawControl(pDC, this, FALSE) : CSize(0, 0);
}

void CUTKControl::Draw(CDC* pDC)
{
    if (CUTKPaintManager* paint = GetPaintManager()) {
        paint->DrawControl(pDC, this, TRUE);
    }
}

BOOL CUTKControl::IsCursorOver() const
{
    if (!m_parent || !m_parent->GetSafeHwnd()) {
        return FALSE;
    }
    POINT cursor{};
    if (!::GetCursorPos(&cursor)) {
        return FALSE;
    }
    ::ScreenToClient(m_parent->GetSafeHwnd(), &cursor);
    return m_rcControl.PtInRect(cursor);
}

// ---- plain overridables ----

void CUTKControl::OnCalcDynamicSize(DWORD) {}
void CUTKControl::OnKeyboardActivate() { OnExecute(); }
BOOL CUTKControl::IsPopupOpen() const { return FALSE; }
void CUTKControl::OnThemeChanged() {}
void CUTKControl::OnClick(BOOL, CPoint) {}
BOOL CUTKControl::HasChildWindow() const { return FALSE; }
BOOL CUTKControl::OnHookKeyDown(UINT, LPARAM) { return FALSE; }
BOOL CUTKControl::OnHookMouseWheel(UINT, short, CPoint) { return FALSE; }
void CUTKControl::SetParent(CUTKCommandBar* parent) { m_parent = parent; }
BOOL CUTKControl::SetPopuped(BOOL) { return FALSE; }
void CUTKControl::OnLButtonUp(CPoint) {}
BOOL CUTKControl::OnRButtonDown(CPoint) { return FALSE; }
BOOL CUTKControl::OnRButtonUp(CPoint) { return FALSE; }
void CUTKControl::OnMouseMove(CPoint) {}
BOOL CUTKControl::IsReservedQuery() const { return FALSE; }
void CUTKControl::OnIdleUpdate() {}
INT_PTR CUTKControl::OnToolHitTest(CPoint, TOOLINFO*) const { return -1; }
void CUTKControl::RestoreCommandBarList(CUTKCommandBarList*) {}
void CUTKControl::OnActionChanging(int) {}
void CUTKControl::OnCaptionChanged() {}

void CUTKControl::OnLButtonDown(CPoint point)
{
    if (m_parent && m_parent->IsCustomizeMode() && !IsCustomizeMovable()) {
        return;
    }
    OnClick(FALSE, point);
}

BOOL CUTKControl::OnLButtonDblClk(CPoint point)
{
    OnClick(FALSE, point);
    return TRUE;
}

void CUTKControl::OnMouseHover()
{
    if (!m_parent) {
        return;
    }
    const BOOL wasOpen = m_parent->GetPopupedIndex() != -1;
    m_parent->SetPopuped(-1);
    if (wasOpen && m_parent->GetType() == utkBarTypePopup &&
        m_parent->GetPosition() != utkBarPopup) {
        m_parent->SetTrackingMode(TRUE, FALSE);
    }
}

void CUTKControl::GenerateCommandBarList(DWORD& nextId, CUTKCommandBarList* list,
                                         UTK_COMMANDBARS_PROPEXCHANGE_PARAM* param)
{
    if (CUTKCommandBar* bar = GetCommandBar()) {
        bar->GenerateCommandBarList(nextId, list, param);
    }
}

void CUTKControl::OnActionChanged(int property)
{
    if (property == CUTKControlAction::kPropertyCaption) {
        OnCaptionChanged();
    }
}

void CUTKControl::SetAction(CUTKControlAction* action)
{
    if (action == m_action) {
        return;
    }
    if (m_action) {
        m_action->RemoveControl(this);
    }
    m_action = action;
    if (action) {
        action->AddControl(this);
    }
}

void CUTKControl::OnRemoved()
{
    SetAction(nullptr);
}

void CUTKControl::Copy(CUTKControl* source, BOOL /*recursive*/)
{
    if (!source || source == this) {
        return;
    }
    m_id = source->m_id;
    SetAction(source->m_action);
    m_tag = source->m_tag;
    m_flags = source->m_flags;
    m_controlType = source->m_controlType;
    m_caption = source->m_caption;
    m_shortcutText = source->m_shortcutText;
    m_shortcutTextAuto = source->m_shortcutTextAuto;
    m_tooltipText = source->m_tooltipText;
    m_descriptionText = source->m_descriptionText;
    m_parameter = source->m_parameter;
    m_keyboardTip = source->m_keyboardTip;
    m_customIconId = source->m_customIconId;
    m_iconId = source->m_iconId;
    m_helpId = source->m_helpId;
    m_temporary = source->m_temporary;
    m_customCaption = source->m_customCaption;
    m_category = source->m_category;
    m_hideFlags = source->m_hideFlags;
    m_defaultItem = source->m_defaultItem;
    m_enabled = source->m_enabled;
    m_checked = source->m_checked;
    m_customStyle = source->m_customStyle;
    m_style = source->m_style;
    m_width = source->m_width;
    if (m_width < GetCustomizeMinWidth()) {
        m_width = GetCustomizeMinWidth();
    }
    m_height = source->m_height;
    m_iconSize = source->m_iconSize;
    m_beginGroup = source->m_beginGroup;
    m_closeSubMenuOnClick = source->m_closeSubMenuOnClick;
    m_executeOnPressInterval = source->m_executeOnPressInterval;

    UINT key = 0;
    BOOL value = FALSE;
    m_templatesAssigned.RemoveAll();
    for (POSITION pos = source->m_templatesAssigned.GetStartPosition(); pos;) {
        source->m_templatesAssigned.GetNextAssoc(pos, key, value);
        m_templatesAssigned.SetAt(key, value);
    }
    m_templatesExcluded.RemoveAll();
    for (POSITION pos = source->m_templatesExcluded.GetStartPosition(); pos;) {
        source->m_templatesExcluded.GetNextAssoc(pos, key, value);
        m_templatesExcluded.SetAt(key, value);
    }
    OnCaptionChanged();
}

CUTKControl* CUTKControl::Clone(BOOL recursive)
{
    CObject* object = GetRuntimeClass()->CreateObject();
    auto* clone = dynamic_cast<CUTKControl*>(object);
    if (!clone) {
        delete object;
        return nullptr;
    }
    clone->Copy(this, recursive);
    return clone;
}
