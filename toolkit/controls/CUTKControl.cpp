// CUTKControl: construction, texts and state, the services found through the parent bar,
// execution and site notification. Accessibility, customisation and the saved state live in
// CUTKControlAccessible.cpp, CUTKControlCustomize.cpp and CUTKControlExchange.cpp.
#include "toolkit/controls/CUTKControl.h"

#include "toolkit/commandbars/CUTKCommandBar.h"
#include "toolkit/commandbars/CUTKCommandBars.h"
#include "toolkit/commandbars/CUTKMouseManager.h"
#include "toolkit/commandbars/CUTKPopupBar.h"
#include "toolkit/common/CUTKImageManager.h"
#include "toolkit/common/CUTKResourceManager.h"
#include "toolkit/common/SoundManager.h"
#include "toolkit/controls/CUTKControlAction.h"
#include "toolkit/controls/CUTKControls.h"
#include "toolkit/themes/CUTKPaintManager.h"

// Serial: the binary bar state stores each control by its class.
IMPLEMENT_SERIAL(CUTKControl, CCmdTarget, kUtkControlSchema)

namespace {

// The keeper of an extra reference while a command runs: the handler may remove the control.
class ControlReference {
public:
    explicit ControlReference(CCmdTarget* target) : m_target(target) { m_target->InternalAddRef(); }
    ~ControlReference() { m_target->InternalRelease(); }
    ControlReference(const ControlReference&) = delete;
    ControlReference& operator=(const ControlReference&) = delete;

private:
    CCmdTarget* m_target;
};

// Closes the popups of a run: the root bar's own close when it closes itself, else the
// command bars', else every popup the thread tracks.
void ClosePopupsOf(CUTKCommandBar* root, CUTKCommandBars* bars)
{
    if (root && root->IsCloseOnExecute()) {
        root->SetTrackingMode(FALSE);
    } else if (bars) {
        bars->ClosePopups();
    } else if (CUTKMouseManager* mouse = GetThreadMouseManager()) {
        mouse->SendTrackLost();
    }
}

}  // namespace

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

// ---- texts ----

CString CUTKControl::GetCaption() const
{
    if (!m_caption.IsEmpty() || !m_action) {
        return m_caption;
    }
    return m_action->GetCaption();
}

CString CUTKControl::GetDescription() const
{
    if (!m_descriptionText.IsEmpty() || !m_action) {
        return m_descriptionText;
    }
    return m_action->GetDescription();
}

CString CUTKControl::GetTooltip() const
{
    if (!m_tooltipText.IsEmpty() || !m_action) {
        return m_tooltipText;
    }
    return m_action->GetTooltip();
}

CString CUTKControl::GetShortcutText() const
{
    if (!m_shortcutText.IsEmpty()) {
        return m_shortcutText;
    }
    if (m_action && !m_action->GetShortcutText().IsEmpty()) {
        return m_action->GetShortcutText();
    }
    return m_shortcutTextAuto;
}

CString CUTKControl::GetKeyboardTip() const
{
    if (!m_keyboardTip.IsEmpty() || !m_action) {
        return m_keyboardTip;
    }
    return m_action->GetKeyboardTip();
}

CString CUTKControl::GetAccessibleName() const
{
    CString name = GetCaption();
    name.Remove(L'&');
    const CString shortcut = GetShortcutText();
    if (!shortcut.IsEmpty()) {
        name += L'\t';
        name += shortcut;
    }
    if (name.IsEmpty()) {
        name = GetTooltip();
    }
    return name;
}

void CUTKControl::SetID(int id)
{
    if (id == m_id) {
        return;
    }
    BOOL notFound = TRUE;
    const CString text = (id > 0) ? GetResourceManager()->LoadString(static_cast<UINT>(id), &notFound)
                                  : CString();
    if (!notFound && !text.IsEmpty()) {
        CString part;
        if (text.Find(L'\n') >= 0) {
            AfxExtractSubString(m_tooltipText, text, 1, L'\n');
            AfxExtractSubString(m_descriptionText, text, 0, L'\n');
        } else {
            m_tooltipText = text;
            m_descriptionText = text;
        }
        if (m_caption.IsEmpty()) {
            if (AfxExtractSubString(part, text, 2, L'\n') && !part.IsEmpty()) {
                m_caption = part;
            } else {
                m_caption = m_tooltipText;
            }
            OnCaptionChanged();
        }
        if (m_keyboardTip.IsEmpty() && AfxExtractSubString(part, text, 3, L'\n')) {
            m_keyboardTip = part;
        }
    }
    m_id = id;
}

void CUTKControl::SetCaption(LPCWSTR caption)
{
    CString text(caption ? caption : L"");
    BOOL shortcutChanged = FALSE;
    const int tab = text.Find(L'\t');
    if (tab >= 0) {
        const CString shortcut = text.Mid(tab + 1);
        if (shortcut != m_shortcutTextAuto) {
            m_shortcutTextAuto = shortcut;
            shortcutChanged = TRUE;
        }
        text.Truncate(tab);
    }
    if (text != m_caption) {
        m_caption = text;
        OnCaptionChanged();
        RequestParentRelayout();
    } else if (shortcutChanged) {
        RequestParentRelayout();
    }
}

BOOL CUTKControl::SetCaptionFromResource(UINT stringId)
{
    CString text;
    if (!text.LoadString(stringId)) {
        return FALSE;
    }
    SetCaption(text);
    return TRUE;
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

// ---- command routing and execution ----

BOOL CUTKControl::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (nID == 1 && nCode == -2) {
        RedrawParent(FALSE);
        return TRUE;
    }
    return CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

LPUNKNOWN CUTKControl::GetInterfaceHook(const void* iid)
{
    if (iid && ::IsEqualIID(*static_cast<const IID*>(iid), IID_IAccessible)) {
        return GetAccessible();
    }
    return CCmdTarget::GetInterfaceHook(iid);
}

LRESULT CUTKControl::NotifySite(int code)
{
    NMUTKCONTROL record{};
    return NotifySiteWithData(code, &record.hdr);
}

LRESULT CUTKControl::NotifySiteWithData(int code, NMHDR* record)
{
    if (!record) {
        return 0;
    }
    record->hwndFrom = nullptr;
    record->idFrom = static_cast<UINT_PTR>(m_id);
    record->code = static_cast<UINT>(code);
    reinterpret_cast<NMUTKCONTROL*>(record)->pControl = this;

    CWnd* site = GetSite();
    if (!site) {
        return 0;
    }
    LRESULT result = 0;
    if (HWND hwnd = site->GetSafeHwnd()) {
        result = ::SendMessageW(hwnd, kUtkControlNotifyMessage, static_cast<WPARAM>(m_id),
                                reinterpret_cast<LPARAM>(record));
    }
    if (result == 0 && m_parent) {
        LRESULT stored = 0;
        AFX_NOTIFY notify{&stored, record};
        if (site->OnCmdMsg(static_cast<UINT>(m_id),
                           static_cast<int>(MAKELONG(static_cast<WORD>(code), WM_NOTIFY)), &notify,
                           nullptr)) {
            result = stored;
        }
    }
    return result;
}

void CUTKControl::OnExecute()
{
    if (SoundManager* sounds = GetSoundManager()) {
        sounds->PlaySystemSound(SoundManager::soundMenuCommand);
    }
    m_pressed = (!m_parent || m_parent->GetPosition() != utkBarPopup) ? utkPressedExecuting
                                                                      : utkPressedNone;
    CUTKCommandBar* root = GetRootParent();
    CWnd* site = GetSite();
    CUTKCommandBars* bars = GetCommandBars();

    if (bars) {
        if (m_id != 0) {
            bars->SetCommandUsed(static_cast<UINT>(m_id));
        }
        // The popup that opened this control's bar was used as well.
        if (m_parent && m_parent->IsKindOf(RUNTIME_CLASS(CUTKPopupBar))) {
            CUTKControl* opener = static_cast<CUTKPopupBar*>(m_parent)->GetControlPopup();
            if (opener && opener->GetID() != 0) {
                bars->SetCommandUsed(static_cast<UINT>(opener->GetID()));
            }
        }
    }
    // Held from here on: closing the popups or the command itself may remove the control.
    ControlReference keep(this);
    if (root && root->GetReturnCmd()) {
        UINT* returnCmd = root->GetReturnCmd();
        const UINT id = static_cast<UINT>(m_id);
        ClosePopupsOf(root, bars);
        *returnCmd = id;
        return;
    }

    if (m_closeSubMenuOnClick) {
        ClosePopupsOf(root, bars);
    }
    if (m_id == 0) {
        return;
    }
    const int id = m_id;
    LRESULT handled = NotifySite(kUtkNotifyExecute);
    if (handled == 0 && site && site->GetSafeHwnd()) {
        ::SendMessageW(site->GetSafeHwnd(), WM_COMMAND, static_cast<WPARAM>(id), 0);
    }
    if ((!m_closeSubMenuOnClick || m_pressed != utkPressedNone) && m_parent) {
        m_pressed = utkPressedNone;
        m_parent->UpdatePending();
        RedrawParent(TRUE);
    }
}
