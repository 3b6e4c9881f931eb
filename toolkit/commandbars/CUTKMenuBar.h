// CUTKMenuBar: the toolbar that stands in for a frame's Windows menu. It builds its controls
// from a menu resource, takes the frame's menu away (and gives it back when the frame or the bar
// is destroyed), enters keyboard tracking on Alt or F10, and in an MDI frame follows the active
// child: the active template's menu, and the maximised child's system icon and buttons.
#pragma once

#include <windows.h>

#include "toolkit/commandbars/CUTKPopupBar.h"
#include "toolkit/commandbars/CUTKToolBar.h"

class CUTKMenuBarMDIMenus;

class CUTKMenuBar : public CUTKToolBar {
    DECLARE_DYNCREATE(CUTKMenuBar)

public:
    static constexpr int kCloseButtonId = 9151;
    static constexpr int kRestoreButtonId = 9152;
    static constexpr int kMinimizeButtonId = 9153;
    static constexpr int kSysMenuId = 9154;
    static constexpr UINT kSysButtonsBitmapId = 9102;
    static constexpr UINT_PTR kRefreshTimerId = 12223;
    static constexpr UINT kChildIconMessage = 0x2860;
    // "Flags" bits of the menu bar.
    static constexpr DWORD kFlagNoMinimize = 0x100;
    static constexpr DWORD kFlagNoRestore = 0x200;
    static constexpr DWORD kFlagIgnoreSetMenu = 0x400;
    static constexpr DWORD kFlagNoClose = 0x1000;
    static constexpr DWORD kFlagShowSysMenu = 0x2000;

    // Minimise, restore and close of the maximised MDI child, drawn with a Marlett glyph.
    class CControlMDIButton : public CUTKControlButton {
        DECLARE_DYNCREATE(CControlMDIButton)
    public:
        CControlMDIButton();
        CSize GetSize(CDC* pDC) override;
        void Draw(CDC* pDC) override;
        void SetBeginGroup(BOOL) override {}
        void OnExecute() override;
    };

    // The maximised child's icon, opening its system menu.
    class CControlMDISysMenuPopup : public CUTKControlPopup {
        DECLARE_DYNCREATE(CControlMDISysMenuPopup)
    public:
        // The system menu's popup bar: not customisable, no shortcut texts from the manager.
        class CUTKSysMenuPopupBar : public CUTKPopupBar {
            DECLARE_DYNCREATE(CUTKSysMenuPopupBar)
        public:
            CUTKSysMenuPopupBar();
            void UpdateShortcuts() override {}
        };

        CControlMDISysMenuPopup();
        ~CControlMDISysMenuPopup() override;
        CSize GetSize(CDC* pDC) override;
        void Draw(CDC* pDC) override;
        void AdjustExcludeRect(CRect& rc, BOOL vertical) override;
        void UpdateShadow() override {}
        // Takes the child's system menu and a 16-pixel copy of its icon; rebuilds the popup.
        void SetMDIChild(HWND hWndChild, HMENU hMenu);
        HMENU GetMenuHandle() const { return m_hMenu; }

    private:
        HMENU m_hMenu = nullptr;
        HICON m_hIcon = nullptr;
    };

    CUTKMenuBar();
    ~CUTKMenuBar() override;

    // ---- virtual operations added after those of the toolbar, in slot order ----
    using CUTKCommandBar::LoadMenu;
    virtual BOOL LoadMenu(UINT nIDMenu);
    virtual void SwitchMDIMenu(UINT nID, CMenu* pMenu = nullptr);
    virtual void RefreshSysButtons();

    // ---- overrides ----
    void DoPropExchange(CUTKPropExchange* pPX) override;
    void Copy(CUTKCommandBar* pCommandBar, BOOL bRecursive = FALSE) override;
    CUTKCommandBar* Clone(BOOL bRecursive) override;
    void Reset(BOOL bShowWarningMessage) override;
    BOOL IsCustomized() override;
    int OnHookMessage(HWND hWnd, UINT message, WPARAM& wParam, LPARAM& lParam,
                      LRESULT& result) override;

    void HookFrame();
    void RefreshMenu();
    HWND GetActiveMDIChild(BOOL* pbMaximized) const;
    // Switches to the default menu for saving; TRUE when a template's set changed.
    BOOL PrepareForSave();
    void RestoreActiveMenu();

    CUTKMenuBarMDIMenus* GetMDIMenus() const { return m_pMDIMenus; }
    UINT GetDefaultMenuID() const { return m_nIDDefaultMenu; }
    UINT GetCurrentMenuID() const { return m_nIDCurrentMenu; }
    HMENU GetSavedFrameMenu() const { return m_hMenuSaved; }
    BOOL IsMDIFrame() const { return m_bMDIApp; }

protected:
    void TakeOverFrame();
    void RestoreFrameMenu();
    void RehookMDIChild();

    LRESULT OnTimerMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnDestroyMessage(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

    BOOL m_bMDIApp = FALSE;
    HWND m_hWndHookedChild = nullptr;
    HMENU m_hMenuSaved = nullptr;
    UINT m_nIDDefaultMenu = 0;
    UINT m_nIDCurrentMenu = 0;
    CUTKMenuBarMDIMenus* m_pMDIMenus = nullptr;  // one reference
    BOOL m_bDirtyMenu = FALSE;                   // restore after save
    HWND m_hWndHookedFrame = nullptr;
    HWND m_hWndHookedClient = nullptr;
};
