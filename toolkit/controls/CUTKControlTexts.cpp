// CUTKControl's texts: own texts with the action's behind them, the string resource of an id
// split into description, tooltip, caption and keyboard tip, and captions cut at the tab.
#include "toolkit/controls/CUTKControl.h"

#include "toolkit/common/CUTKResourceManager.h"
#include "toolkit/controls/CUTKControlAction.h"

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

