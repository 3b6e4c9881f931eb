// What the paint managers read of a status bar, its panes and a message bar: plain records that
// the bar windows fill before they paint (the themes keep no pointer to them). The names are
// those of the bars they stand for, so the drawing slots read the same when real bars arrive.
#pragma once

#include "platform/framework/Framework.h"
#include "platform/framework/window/FrameworkWindows.h"

#include <vector>

class CUTKImageManager;
class CUTKStatusBar;

// One switch of a pane of switches: its icon is the image manager's icon of the command id.
struct UTK_STATUSBAR_SWITCH {
    UINT nID = 0;
    int nWidth = 0;  // written when the pane is measured
    BOOL bHot = FALSE;
    BOOL bPressed = FALSE;
    BOOL bChecked = FALSE;
    BOOL bEnabled = TRUE;
};

class CUTKStatusBarPane {
public:
    static constexpr UINT kHiddenFlag = 0x10;
    static constexpr UINT kStyleNoBorder = 0x100;
    static constexpr UINT kStyleChecked = 0x200;
    static constexpr UINT kStyleDisabled = 0x04000000;  // SBPS_DISABLED

    UINT GetID() const noexcept { return m_nID; }
    BOOL IsVisible() const noexcept { return (m_dwFlags & kHiddenFlag) == 0; }
    void SetVisible(BOOL visible) noexcept
    {
        m_dwFlags = visible ? (m_dwFlags & ~kHiddenFlag) : (m_dwFlags | kHiddenFlag);
    }
    BOOL IsButton() const noexcept { return m_bButton; }
    BOOL IsChecked() const noexcept { return (m_nStyle & kStyleChecked) != 0; }
    CRect GetMargins() const noexcept { return m_rcMargins; }
    // A pane is disabled by its enabled flag or by the disabled style bit.
    BOOL IsEnabled() const noexcept { return m_bEnabled && (m_nStyle & kStyleDisabled) == 0; }

    UINT m_nID = 0;
    int m_nIndex = 0;
    CUTKStatusBar* m_pStatusBar = nullptr;
    CRect m_rcPane{0, 0, 0, 0};  // in the bar's client coordinates
    BOOL m_bEnabled = TRUE;
    BOOL m_bPressed = FALSE;
    BOOL m_bButton = FALSE;
    COLORREF m_clrBackground = static_cast<COLORREF>(-1);  // -1 none
    COLORREF m_clrText = static_cast<COLORREF>(-1);        // -1 none
    HFONT m_hFont = nullptr;                                // null: the DC's font
    CString m_strText;
    // Markup content draws as plain text until the markup engine renders it.
    UINT m_nIconID = 0;  // 0 no icon; else the status bar's image manager's icon
    int m_nAlignment = 0;  // 0 left, 1 centre, 2 right
    UINT m_nStyle = 0;
    UINT m_dwFlags = 0;
    CRect m_rcMargins{0, 0, 0, 0};
    std::vector<UTK_STATUSBAR_SWITCH> m_switches;  // a pane of switches when not empty
};

class CUTKStatusBar {
public:
    int GetPaneCount() const noexcept { return static_cast<int>(m_panes.size()); }
    CUTKStatusBarPane* GetPane(int index) noexcept
    {
        return index >= 0 && index < GetPaneCount() ? m_panes[static_cast<size_t>(index)]
                                                    : nullptr;
    }
    // The bar's image manager, else the process-wide one.
    CUTKImageManager* GetImageManager() const;

    int m_nHotPane = -1;
    int m_nPressedPane = -1;
    BOOL m_bDrawDisabledText = FALSE;
    int m_nDividerIndex = -1;
    CUTKImageManager* m_pImageManager = nullptr;
    DWORD m_dwExStyle = 0;  // WS_EX_LAYOUTRTL read
    CRect m_rcClient{0, 0, 0, 0};
    std::vector<CUTKStatusBarPane*> m_panes;  // not owned
};

class CUTKMessageBarButton {
public:
    CRect m_rcButton{0, 0, 0, 0};
    BOOL m_bPressed = FALSE;
    BOOL m_bHot = FALSE;
    UINT m_nID = 0;  // SC_CLOSE draws a cross
};

class CUTKMessageBar {
public:
    // The client rectangle less the paddings, and 18 pixels more at the right for a close
    // button.
    CRect GetMessageRect() const;
    // The first button with that command id, or null.
    CUTKMessageBarButton* FindButton(UINT id) noexcept;

    CRect m_rcClient{0, 0, 0, 0};
    CRect m_rcPadding{0, 0, 0, 0};
    std::vector<CUTKMessageBarButton> m_buttons;
};
