// A settings panel: a child dialog placed inside a window of the player (created hidden on
// first use, re-parented later), which fills its controls from and reads them into its page.
#pragma once

#include "platform/framework/window/FrameworkWindows.h"

#include <string>

class CBasePanel : public CDialog {
public:
    explicit CBasePanel(UINT templateId);
    ~CBasePanel() override;

    // Creates the panel hidden inside the parent, or moves it there; an error text.
    std::wstring SetParentWindow(HWND parent);
    void ShowPanel();
    BOOL IsInitialized() const { return m_initialized; }
    BOOL IsShown() const { return m_shown; }
    HWND ParentWindow() const { return m_parentWindow; }

    virtual void ReadControls() = 0;
    virtual void RefreshControls() = 0;

protected:
    void PostNcDestroy() override;

    UINT m_templateId;
    HWND m_parentWindow = nullptr;
    BOOL m_initialized = FALSE;
    BOOL m_shown = FALSE;
};
