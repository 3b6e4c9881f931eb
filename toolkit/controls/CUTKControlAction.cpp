// CUTKControlAction: binding of controls to the shared state of one command id, and the
// caption change that reaches every bound control.
#include "toolkit/controls/CUTKControlAction.h"

#include "toolkit/commandbars/CUTKCommandBars.h"
#include "toolkit/controls/CUTKControl.h"
#include "toolkit/controls/CUTKControlActions.h"

IMPLEMENT_DYNAMIC(CUTKControlAction, CCmdTarget)

CUTKControlAction::CUTKControlAction(CUTKControlActions* owner) : m_owner(owner) {}

CUTKControlAction::~CUTKControlAction()
{
    // Bound controls must never keep a pointer to a freed action.
    DetachAll();
    if (m_attached) {
        m_attached->InternalRelease();
        m_attached = nullptr;
    }
}

CUTKCommandBars* CUTKControlAction::GetCommandBars() const
{
    return m_owner ? m_owner->GetCommandBars() : nullptr;
}

BOOL CUTKControlAction::GetEnabled() const
{
    CUTKCommandBars* bars = GetCommandBars();
    if (bars && bars->IsCustomizeMode()) {
        return TRUE;
    }
    return m_enabled;
}

CString CUTKControlAction::GetCaption() const
{
    return m_caption.IsEmpty() ? m_tooltip : m_caption;
}

void CUTKControlAction::SetCaption(LPCWSTR caption)
{
    CString text(caption ? caption : L"");
    const int tab = text.Find(L'\t');
    if (tab >= 0) {
        text.Truncate(tab);
    }
    if (text == m_caption) {
        return;
    }
    NotifyChanging(kPropertyCaption);
    m_caption = text;
    NotifyChanged(kPropertyCaption);
    RequestRelayout();
}

INT_PTR CUTKControlAction::AddControl(CUTKControl* control)
{
    if (!control) {
        return -1;
    }
    for (INT_PTR i = 0; i < m_controls.GetSize(); ++i) {
        if (m_controls[i] == control) {
            return i;
        }
    }
    const INT_PTR position = m_controls.Add(control);
    control->m_enabled = -1;
    control->m_checked = -1;
    control->m_id = m_id;
    // The action's texts show through what the control no longer holds itself.
    control->m_caption.Empty();
    control->m_tooltipText.Empty();
    control->m_descriptionText.Empty();
    control->m_category.Empty();
    control->m_shortcutText.Empty();
    control->m_keyboardTip.Empty();
    return position;
}

void CUTKControlAction::RemoveControl(CUTKControl* control)
{
    for (INT_PTR i = 0; i < m_controls.GetSize(); ++i) {
        if (m_controls[i] == control) {
            m_controls.RemoveAt(i);
            control->m_enabled = TRUE;
            control->m_checked = FALSE;
            return;
        }
    }
}

CUTKControl* CUTKControlAction::GetControl(int index) const
{
    if (index < 0 || index >= m_controls.GetSize()) {
        return nullptr;
    }
    return m_controls[index];
}

void CUTKControlAction::NotifyChanging(int property)
{
    for (INT_PTR i = 0; i < m_controls.GetSize(); ++i) {
        m_controls[i]->OnActionChanging(property);
    }
}

void CUTKControlAction::NotifyChanged(int property)
{
    for (INT_PTR i = 0; i < m_controls.GetSize(); ++i) {
        m_controls[i]->OnActionChanged(property);
    }
}

void CUTKControlAction::RequestRelayout()
{
    for (INT_PTR i = 0; i < m_controls.GetSize(); ++i) {
        m_controls[i]->RequestParentRelayout();
    }
}

void CUTKControlAction::DetachAll()
{
    while (m_controls.GetSize() > 0) {
        CUTKControl* control = m_controls[0];
        control->SetAction(nullptr);
        // A SetAction override that did not unbind must not stall the loop.
        if (m_controls.GetSize() > 0 && m_controls[0] == control) {
            RemoveControl(control);
            control->m_action = nullptr;
        }
    }
}
