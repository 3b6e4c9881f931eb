// CUTKControlAction: the state all controls of one command id share (enabled, checked,
// visible, icon and help ids, texts). Bound controls follow it for every state and text they
// do not set themselves; a caption change reaches every bound control at once. Owned, one
// reference, by the command bars' CUTKControlActions.
#pragma once

#include <windows.h>

#include "platform/framework/Framework.h"
#include "platform/framework/CArray.h"
#include "platform/framework/window/FrameworkWindows.h"

class CUTKControl;
class CUTKControlActions;
class CUTKCommandBars;

class CUTKControlAction : public CCmdTarget {
    DECLARE_DYNAMIC(CUTKControlAction)

public:
    // Property codes passed to the bound controls' OnActionChanging/OnActionChanged.
    static constexpr int kPropertyCaption = 3;

    explicit CUTKControlAction(CUTKControlActions* owner);
    ~CUTKControlAction() override;

    int GetID() const { return m_id; }
    int GetIconId() const { return m_iconId; }
    void SetIconId(int iconId) { m_iconId = iconId; }
    int GetHelpId() const { return m_helpId; }
    void SetHelpId(int helpId) { m_helpId = helpId; }
    // TRUE whenever the command bars are in customisation mode.
    BOOL GetEnabled() const;
    void SetEnabled(BOOL enabled) { m_enabled = enabled; }
    BOOL GetChecked() const { return m_checked; }
    void SetChecked(BOOL checked) { m_checked = checked; }
    BOOL IsVisible() const { return m_visible; }
    void SetVisible(BOOL visible) { m_visible = visible; }

    // The caption when not empty, else the tooltip.
    CString GetCaption() const;
    CString GetOwnCaption() const { return m_caption; }
    // Cut at the first tab; when it changed, every bound control is told and relays out.
    void SetCaption(LPCWSTR caption);
    CString GetTooltip() const { return m_tooltip; }
    void SetTooltip(LPCWSTR tooltip) { m_tooltip = tooltip; }
    CString GetDescription() const { return m_description; }
    void SetDescription(LPCWSTR description) { m_description = description; }
    CString GetShortcutText() const { return m_shortcutText; }
    void SetShortcutText(LPCWSTR text) { m_shortcutText = text; }
    CString GetKeyboardTip() const { return m_keyboardTip; }
    void SetKeyboardTip(LPCWSTR tip) { m_keyboardTip = tip; }

    // Binding; called only from CUTKControl::SetAction.
    INT_PTR AddControl(CUTKControl* control);
    void RemoveControl(CUTKControl* control);
    int GetControlCount() const { return static_cast<int>(m_controls.GetSize()); }
    CUTKControl* GetControl(int index) const;

    void NotifyChanging(int property);
    void NotifyChanged(int property);
    void RequestRelayout();
    void DetachAll();

    CUTKControlActions* GetOwner() const { return m_owner; }
    CUTKCommandBars* GetCommandBars() const;

private:
    friend class CUTKControlActions;

    CCmdTarget* m_attached = nullptr;  // released with the action
    DWORD m_reserved = 0;
    int m_id = 0;
    int m_iconId = 0;
    int m_helpId = 0;
    BOOL m_enabled = TRUE;
    BOOL m_checked = FALSE;
    BOOL m_visible = TRUE;
    CString m_caption;
    CString m_tooltip;
    CString m_description;
    CString m_unusedText1;
    CString m_shortcutText;
    CString m_unusedText2;
    CString m_keyboardTip;
    CString m_unusedText3;
    CArray<CUTKControl*, CUTKControl*> m_controls;  // not owned, binding order
    CUTKControlActions* m_owner = nullptr;
};
