// CUTKCommandBars: the per-frame owner of command bars. It holds the toolbars (the menu bar is
// one of them), the four dock bars of its frame, the user options, the tooltip context, the
// shortcut manager, the control actions and the context menus, and hands its services to every
// bar, control and popup that finds it through its owner chain. Each bar works without one too,
// through its own fall-backs.
#pragma once

#include <windows.h>

#include "platform/framework/CArray.h"
#include "platform/framework/CPoint.h"
#include "platform/framework/CStringT.h"
#include "platform/framework/window/CCmdTarget.h"

class CArchive;
class CUTKCommandBar;
class CUTKCommandBarKeyboardTip;
class CUTKCommandBarList;
class CUTKCommandBarsContextMenus;
class CUTKCommandBarsOptions;
class CUTKControl;
class CUTKControlAction;
class CUTKControlActions;
class CUTKCustomizeDropSource;
class CUTKDockBar;
class CUTKImageManager;
class CUTKKeyboardManager;
class CUTKMenuBar;
class CUTKMouseManager;
class CUTKPaintManager;
class CUTKPopupBar;
class CUTKPropExchange;
class CUTKReBar;
class CUTKShortcutManager;
class CUTKToolBar;
class CUTKToolTipContext;
class CWnd;
struct CRuntimeClass;

class CUTKCommandBars : public CCmdTarget {
    DECLARE_DYNCREATE(CUTKCommandBars)

public:
    // Site messages of the command bars.
    static constexpr UINT kMsgCustomizeSelChanged = 0x2857;
    static constexpr UINT kMsgToolbarsContextMenu = 0x285C;
    static constexpr UINT kMsgCreateCommandBar = 0x2861;
    // Command ids of the toolbars list and the Customize entry.
    static constexpr UINT kToolbarListId = 0xE800;
    static constexpr UINT kCustomizeId = 35001;
    // Child id of a frame's rebar.
    static constexpr UINT kReBarId = 0xE804;
    // Bar id of the menu bar.
    static constexpr UINT kMenuBarId = 1;

    // Runtime classes the manager creates its bars from (process-wide). An application may
    // replace the menu-bar and popup-bar classes before its bars are made.
    static CRuntimeClass* m_pToolBarClass;
    static CRuntimeClass* m_pMenuBarClass;
    static CRuntimeClass* m_pPopupBarClass;
    static CRuntimeClass* m_pPopupToolBarClass;
    static CRuntimeClass* m_pDockBarClass;

    CUTKCommandBars();
    ~CUTKCommandBars() override;

    // ---- virtual operations, in slot order ----
    // The bar with bar id 1 when it is a menu bar.
    virtual CUTKMenuBar* GetMenuBar() const;
    // Relays out the site frame now, or marks a delayed relayout; nothing under the layout lock.
    virtual void RecalcFrameLayout(BOOL bDelay = FALSE);
    virtual BOOL IsCommandHidden(UINT nID) const;
    virtual BOOL IsControlHidden(CUTKControl* pControl) const;
    virtual UINT GetActiveDocTemplate() const;
    // The toolbars context menu at a screen point (pBar null: the click was on a dock bar).
    virtual void ContextMenu(CUTKToolBar* pBar, CPoint point);
    // A new popup bar listing the bars the user may show or hide (caller owns one reference).
    virtual CUTKPopupBar* CreateToolbarsPopup();
    virtual void GetHiddenControls(CUTKToolBar* pBar, CUTKPopupBar* pPopup);
    virtual void GetAddOrRemovePopup(CUTKToolBar* pBar, CUTKPopupBar* pPopup);
    // Moves the bar into the frame's rebar as a band; FALSE without a rebar.
    virtual BOOL DockInReBar(CUTKToolBar* pBar);
    virtual void RemoveFromReBar(CUTKToolBar* pBar);
    // A bar entered or left tracking.
    virtual void OnTrackingModeChanged(CUTKCommandBar* pBar, int bMode);
    virtual CUTKToolBar* AddCustomBar(LPCTSTR lpszTitle, UINT nBarID, BOOL bTearOffBar = FALSE);
    // Bar lists (bar-state exchange; defined with it).
    virtual BOOL SaveCommandBarList(CUTKPropExchange* pPX, CUTKCommandBarList* pCommandBarList);
    virtual BOOL LoadCommandBarList(CUTKPropExchange* pPX, CUTKCommandBarList* pCommandBarList);
    virtual void GenerateCommandBarList(CUTKCommandBarList* pCommandBarList, void* pParam);
    virtual void RestoreCommandBarList(CUTKCommandBarList* pCommandBarList, BOOL bSilent = FALSE);
    // Asks a command bar window to create its keyboard tips.
    virtual void ShowKeyboardTipsOf(CWnd* pWnd);

    // ---- site ----
    // Site frame (not owned); the right-to-left flag follows its WS_EX_LAYOUTRTL.
    void SetSite(CWnd* pSite);
    CWnd* GetSite() const { return m_pFrame; }
    BOOL IsLayoutRTL() const;
    // Creates the four dock bars on the site (frame integration).
    void EnableDocking();
    // Dock bar of a position: 0 top, 1 bottom, 2 left, 3 right; null before docking is enabled.
    CUTKDockBar* GetDockBar(int position) const;
    // Installs the dock bar of a position (owned from now on; a previous one is destroyed).
    void SetDockBar(int position, CUTKDockBar* pDockBar);
    // The site's rebar (child 0xE804) when it is a CUTKReBar, else null.
    CUTKReBar* GetReBar() const;
    void OnSetPreviewMode(BOOL bPreview);
    BOOL IsPreviewMode() const { return m_bPreviewMode; }

    // ---- services ----
    CUTKCommandBarsOptions* GetCommandBarsOptions() const { return m_pOptions; }
    // Own managers, else the process-wide ones (theme 0 created on first use).
    CUTKPaintManager* GetPaintManager() const;
    // Takes over the given reference (the previous one is released); null returns to the
    // process-wide theme. The image manager, tooltip context and shortcut manager likewise.
    void SetPaintManager(CUTKPaintManager* pPaintManager);
    CUTKPaintManager* GetOwnPaintManager() const { return m_pPaintManager; }
    CUTKImageManager* GetImageManager() const;
    void SetImageManager(CUTKImageManager* pImageManager);
    CUTKImageManager* GetOwnImageManager() const { return m_pImageManager; }
    CUTKToolTipContext* GetToolTipContext() const { return m_pToolTipContext; }
    void SetToolTipContext(CUTKToolTipContext* pContext);
    CUTKShortcutManager* GetShortcutManager() const { return m_pShortcutManager; }
    void SetShortcutManager(CUTKShortcutManager* pShortcutManager);
    // The mouse manager of the manager's thread (cached on first use); the calling thread's
    // when called on no manager.
    CUTKMouseManager* GetMouseManager() const;
    CUTKCommandBarsContextMenus* GetContextMenus() const { return m_pContextMenus; }
    CUTKCustomizeDropSource* GetDropSource() const { return m_pDropSource; }
    // Takes ownership of the customise drag source (the previous one is deleted).
    void SetDropSource(CUTKCustomizeDropSource* pDropSource);
    CCmdTarget* GetCommandTarget() const { return m_pCommandTarget; }
    // An optional command target (one reference taken, the previous one released).
    void SetCommandTarget(CCmdTarget* pTarget);

    // ---- options (user options under "<profile>-Options") ----
    void SaveOptions(LPCTSTR lpszProfileName);
    void LoadOptions(LPCTSTR lpszProfileName);
    // "<profile>-Options", bounded by the 256-character buffer the storage names it in.
    static CString FormatOptionsSection(LPCTSTR lpszProfileName);

    // ---- bar state (layout, rows and customised bars under "<profile>-...") ----
    void SaveBarState(LPCTSTR lpszProfileName, BOOL bOnlyCustomized = TRUE);
    // bSilent keeps the question of a toolbar whose built-in buttons changed from being asked.
    void LoadBarState(LPCTSTR lpszProfileName, BOOL bSilent = FALSE);
    // The file for customised bars too large for the profile; FALSE when there is none.
    BOOL GetCustomControlsFile(CString& strPath, LPCTSTR lpszProfileName) const;

    // ---- bars ----
    int GetCount() const { return static_cast<int>(m_arrBars.GetSize()); }
    // Bar at an index, null outside 0..count-1.
    CUTKCommandBar* GetAt(int nIndex) const;
    CUTKToolBar* GetToolBarAt(int nIndex) const;
    // First bar with the bar id; null for id 0 or none.
    CUTKToolBar* FindCommandBar(UINT nBarID) const;
    int IndexOf(const CUTKCommandBar* pBar) const;
    // Index of the next shown bar from nStart walking by nDirection (-1 with none).
    int GetNextVisibleBar(int nStart, int nDirection) const;
    // The same walk over a count of bars whose shown state a callback gives (window-free).
    using ShownTest = BOOL (*)(int index, void* context);
    static int NextVisibleIndex(int nCount, int nStart, int nDirection, ShownTest isShown,
                                void* context);

    // Creates the menu bar (bar id 1) docked at the top and loads the menu into it.
    CUTKToolBar* SetMenu(LPCTSTR lpszTitle, UINT nIDMenu);
    // Creates a bar of the class (the toolbar class when null) placed at the position (0-3
    // docked, 4 floating); null when it cannot be made or placed.
    CUTKToolBar* Add(LPCTSTR lpszTitle, int position, CRuntimeClass* pToolBarClass = nullptr);
    // Appends a bar made elsewhere, taking a reference of its own.
    void Add(CUTKCommandBar* pBar);
    void ToggleVisible(int nIndex);
    // Hides the bar, takes it out of its dock bar and the rebar, tears it down and releases it.
    void Remove(CUTKCommandBar* pBar);
    // The same for every bar, with a single relayout at the end.
    void RemoveAll();
    UINT GetMenuResourceID() const { return m_nMenuID; }

    // ---- docking ----
    BOOL DockCommandBar(CUTKToolBar* pBar, LPCRECT lpRect, CUTKDockBar* pDockBar);
    BOOL DockCommandBar(CUTKToolBar* pBar, int position);
    BOOL FloatCommandBar(CUTKToolBar* pBar);
    // The dock bar a bar dragged to the screen point would dock into, or null.
    CUTKDockBar* CanDock(CPoint point, CUTKDockBar* pPreferred = nullptr) const;
    // Whether a screen point is within the rectangle widened by the docking margin.
    static BOOL IsNearDockRect(const RECT& rcDockBar, CPoint point);
    static constexpr int kDockMargin = 20;

    // ---- actions ----
    // When enabled, a control added without an action is bound to the action of its id.
    void EnableActions(BOOL bEnable = TRUE) { m_bEnableActions = bEnable; }
    BOOL IsActionsEnabled() const { return m_bEnableActions; }
    CUTKControlActions* GetActions() const { return m_pActions; }
    // The action of an id or null; null on a null manager.
    CUTKControlAction* FindAction(int nID) const;
    // The action of an id, created in id order when missing; null outside 1..0xFFFFFFE.
    CUTKControlAction* CreateAction(int nID);
    static BOOL IsPopupControlType(int type) { return type == 2 || type == 3; }

    // ---- hidden and used commands ----
    // Adds a hidden id to the used-commands set and marks the options changed.
    void SetCommandUsed(UINT nID);

    // ---- customisation ----
    BOOL IsCustomizeMode() const { return m_bCustomizeMode; }
    void SetCustomizeMode(BOOL bMode);
    BOOL IsLastCustomizeMode() const { return m_bLastCustomizeMode; }
    BOOL IsCustomizeAvail() const { return m_bCustomizeAvail; }
    void EnableCustomization(BOOL bEnable) { m_bCustomizeAvail = bEnable; }
    BOOL IsCustomizeAll() const { return m_bCustomizeAll; }
    void SetCustomizeAll(BOOL b) { m_bCustomizeAll = b; }
    CUTKControl* GetDragControl() const { return m_pDragControl; }
    // The control selected for customisation dragging (one reference held); the old and the
    // new one are redrawn and the customise window told.
    void SetDragControl(CUTKControl* pControl);
    CString GetCustomizedControlsFile() const { return m_strCustomizedControlsFile; }
    void SetCustomizedControlsFile(LPCTSTR lpszFile) { m_strCustomizedControlsFile = lpszFile; }

    // ---- keyboard cues and tips ----
    BOOL IsKeyboardCuesVisible() const { return m_bKeyboardCuesVisible; }
    void ShowKeyboardCues(BOOL bShow);
    BOOL IsKeyboardCuesHiddenUntilAlt() const { return m_bKeyboardCuesHidden; }
    void SetKeyboardCuesState(BOOL bVisible, BOOL bHiddenUntilAlt);
    BOOL IsAltShiftGuard() const { return m_bAltShiftGuard; }
    void SetAltShiftGuard(BOOL b) { m_bAltShiftGuard = b; }
    int GetKeyboardTipsLevel() const { return m_keyboardTipsMode; }
    void SetKeyboardTipsLevel(int level) { m_keyboardTipsMode = level; }
    int GetKeyboardTipsTyped() const { return m_keyboardTipsTyped; }
    void SetKeyboardTipsTyped(int count) { m_keyboardTipsTyped = count; }
    CWnd* GetKeyboardTipsOwner() const { return m_pKeyboardTipsOwner; }
    void ShowKeyboardTips(CWnd* pWnd, int level);
    void HideKeyboardTips();
    // Keyboard tracking from a bar: direction 0 that bar, else the next shown bar that way.
    BOOL EnterKeyboardTracking(CUTKToolBar* pBar, int nDirection);

    // ---- popups, layout, redraw ----
    // Closes every tracked popup of the thread (of the calling thread on no manager).
    void ClosePopups() const;
    // Lays out a site frame whose delayed relayout is pending, now.
    void FlushDelayedLayout();
    // Every bar refreshes its metrics and layout, then the frame is relaid and repainted.
    void RedrawCommandBars();
    BOOL IsLayoutLocked() const { return m_nLockRecalcLayout != 0; }
    void SetHelpContext(DWORD helpId) { m_helpId = helpId; }
    DWORD GetHelpContext() const { return m_helpId; }
    // TRUE when a control of a bar with that mnemonic took the character.
    BOOL OnFrameAccel(UINT chAccel);

    // Frame integration (defined beside the frame base).
    BOOL OnFrameWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    BOOL PreTranslateFrameMessage(MSG* pMsg);
    static UINT TrackPopupMenu(CUTKPopupBar* pPopup, UINT nFlags, int x, int y, CWnd* pOwner,
                               LPCRECT lpExclude = nullptr, CWnd* pCommandWindow = nullptr);

private:
    // The controls of the bar hidden only because it wrapped, cloned into the popup.
    static void AddHiddenControls(CUTKToolBar* pBar, CUTKPopupBar* pPopup);
    void AddOrRemoveEntry(CUTKToolBar* pBar, CUTKPopupBar* pPopup);
    // Removal without the relayout (RemoveAll runs one at the end).
    void RemoveBar(CUTKCommandBar* pBar);
    static CUTKToolBar* CreateBar(CRuntimeClass* pClass);
    // Frees a bar that could not be placed, out of its dock bar first.
    void DiscardBar(CUTKToolBar* pBar);
    // Out of its dock bar (nothing when it is in none).
    void TakeOutOfDockBar(CUTKToolBar* pBar);
    // The shown bars of the dock row that holds the bar (empty when it is not docked).
    void GetDockRow(CUTKToolBar* pBar, CArray<CUTKToolBar*, CUTKToolBar*>& row) const;
    void DestroyDockBars();
    // The customise dialog when one is open, else the site.
    CWnd* GetCustomizeWindow() const;
    // Pumps messages while the popup tracks; a quit ends it and is posted again.
    void RunPopupLoop(CUTKPopupBar* pPopup);

    CCmdTarget* m_pCommandTarget = nullptr;
    BOOL m_bAltShiftGuard = FALSE;
    BOOL m_bCustomizeAll = FALSE;
    // The keyboard-tip windows shown now (CUTKCommandBarKeyboardTip, owned).
    CArray<CWnd*, CWnd*> m_keyboardTips;
    CWnd* m_pKeyboardTipsOwner = nullptr;
    int m_keyboardTipsMode = 0;
    int m_keyboardTipsTyped = 0;
    CUTKCustomizeDropSource* m_pDropSource = nullptr;
    CUTKPaintManager* m_pPaintManager = nullptr;
    CUTKImageManager* m_pImageManager = nullptr;
    CUTKControl* m_pDragControl = nullptr;
    BOOL m_bCustomizeMode = FALSE;
    BOOL m_bCustomizeAvail = FALSE;
    UINT m_nMenuID = 0;
    BOOL m_bEnableActions = FALSE;
    BOOL m_bLastCustomizeMode = FALSE;
    CString m_strCustomizedControlsFile;
    CUTKCommandBarsOptions* m_pOptions = nullptr;
    CUTKCommandBarsContextMenus* m_pContextMenus = nullptr;
    CArray<CUTKCommandBar*, CUTKCommandBar*> m_arrBars;
    CUTKDockBar* m_pDocks[4] = {nullptr, nullptr, nullptr, nullptr};
    CWnd* m_pFrame = nullptr;
    CUTKToolTipContext* m_pToolTipContext = nullptr;
    mutable CUTKMouseManager* m_pMouseManager = nullptr;
    BOOL m_bKeyboardCuesVisible = TRUE;
    CUTKShortcutManager* m_pShortcutManager = nullptr;
    DWORD m_helpId = 0;
    CUTKControlActions* m_pActions = nullptr;
    int m_nLockRecalcLayout = 0;
    BOOL m_bKeyboardCuesHidden = FALSE;
    BOOL m_bRightToLeft = FALSE;
    BOOL m_bPreviewMode = FALSE;
};
