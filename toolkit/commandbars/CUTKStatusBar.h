// CUTKStatusBar: the frame's status bar with panes of its own over the framework's status bar.
// It keeps every pane in creation order (lookups and saved state) and the shown ones in a second
// array that the themes walk by index, and remembers in the profile whether it is shown and which
// panes the user switched off. The pane fields are those the themes' status-bar slots read.
#pragma once

#include <windows.h>

#include "platform/framework/CRect.h"
#include "platform/framework/CStringT.h"
#include "platform/framework/frame/CStatusBar.h"

#include <memory>
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
    // Sets or clears the hidden bit; a change makes the status bar lay its panes out again.
    void SetVisible(BOOL visible);
    BOOL IsButton() const noexcept { return m_bButton; }
    BOOL IsChecked() const noexcept { return (m_nStyle & kStyleChecked) != 0; }
    CRect GetMargins() const noexcept { return m_rcMargins; }
    // A pane is disabled by its enabled flag or by the disabled style bit.
    BOOL IsEnabled() const noexcept { return m_bEnabled && (m_nStyle & kStyleDisabled) == 0; }
    CUTKStatusBar* GetStatusBar() const noexcept { return m_pStatusBar; }

    UINT m_nID = 0;
    int m_nIndex = 0;  // place among the drawn panes
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

class CUTKStatusBar : public CStatusBar {
    DECLARE_DYNCREATE(CUTKStatusBar)

public:
    // Profile entries of the saved state.
    static constexpr wchar_t kEntryVisible[] = L"StatusBar";
    static constexpr wchar_t kEntryPanes[] = L"StatusBarPanes";

    CUTKStatusBar();
    ~CUTKStatusBar() override;

    // ---- panes ----
    // Appends a pane (or inserts it before an index of all panes); the bar owns it.
    CUTKStatusBarPane* AddIndicator(UINT nID, int nIndex = -1);
    // Drawn panes (the shown ones, in order); null outside 0..count-1.
    int GetPaneCount() const noexcept { return static_cast<int>(m_panes.size()); }
    CUTKStatusBarPane* GetPane(int index) const noexcept
    {
        return index >= 0 && index < GetPaneCount() ? m_panes[static_cast<size_t>(index)]
                                                    : nullptr;
    }
    // All panes in creation order; null outside.
    int GetAllPaneCount() const noexcept { return static_cast<int>(m_allPanes.size()); }
    CUTKStatusBarPane* GetPaneAt(int index) const noexcept;
    // The first pane of all panes with the id, or null.
    CUTKStatusBarPane* FindPane(UINT nID) const noexcept;
    // Rebuilds the drawn panes from the shown ones and gives the window their ids.
    void RecalcPanes();

    // Only with this switch on are the panes' states saved and loaded.
    void SetSavePanes(BOOL bSave) { m_bSavePanes = bSave; }
    BOOL IsSavePanes() const { return m_bSavePanes; }
    void SaveState(LPCTSTR lpszProfileName);
    void LoadState(LPCTSTR lpszProfileName);

    // "id=1" or "id=0" per pane of all panes, joined by the separator.
    CString FormatPaneLines(LPCTSTR lpszSeparator = L"\n") const;
    // Applies the lines of a saved text: each "id=visible" with a non-zero id naming a pane
    // sets that pane; any other line is ignored. Returns how many lines were applied.
    int ApplyPaneLines(const CString& strPanes);

    // The bar's image manager, else the process-wide one.
    CUTKImageManager* GetImageManager() const;

    // Fields the themes read.
    int m_nHotPane = -1;
    int m_nPressedPane = -1;
    BOOL m_bDrawDisabledText = FALSE;
    int m_nDividerIndex = -1;
    CUTKImageManager* m_pImageManager = nullptr;
    DWORD m_dwExStyle = 0;  // WS_EX_LAYOUTRTL read
    CRect m_rcClient{0, 0, 0, 0};
    std::vector<CUTKStatusBarPane*> m_panes;  // drawn panes, owned by m_allPanes

private:
    std::vector<std::unique_ptr<CUTKStatusBarPane>> m_allPanes;
    BOOL m_bSavePanes = FALSE;
};
