// CUTKCommandBars: the per-frame owner of command bars. This is the part bars, controls and
// themes read of it (site, options, customisation state, keyboard cues, paint and image
// managers, tooltip context, shortcut manager, drag control, the bars it holds); each bar
// works without one too, through its own fall-backs.
#pragma once

#include <windows.h>

#include "platform/framework/CArray.h"
#include "platform/framework/window/CCmdTarget.h"

class CUTKCommandBar;
class CUTKCommandBarsOptions;
class CUTKControl;
class CUTKImageManager;
class CUTKMouseManager;
class CUTKPaintManager;
class CUTKShortcutManager;
class CUTKToolTipContext;
class CWnd;

class CUTKCommandBars : public CCmdTarget {
    DECLARE_DYNCREATE(CUTKCommandBars)

public:
    CUTKCommandBars();
    ~CUTKCommandBars() override;

    // Site frame (not owned); the right-to-left flag follows its WS_EX_LAYOUTRTL.
    void SetSite(CWnd* pSite);
    CWnd* GetSite() const { return m_pFrame; }
    BOOL IsLayoutRTL() const { return m_bRightToLeft; }

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
    // Replaces the tooltip context (takes the given reference).
    void SetToolTipContext(CUTKToolTipContext* pContext);
    CUTKShortcutManager* GetShortcutManager() const { return m_pShortcutManager; }
    // Replaces the shortcut manager; the previous one is deleted.
    void SetShortcutManager(CUTKShortcutManager* pShortcutManager);
    CUTKMouseManager* GetMouseManager() const;

    // Customisation.
    BOOL IsCustomizeMode() const { return m_bCustomizeMode; }
    void SetCustomizeMode(BOOL bMode);
    BOOL IsCustomizeAvail() const { return m_bCustomizeAvail; }
    void EnableCustomization(BOOL bEnable) { m_bCustomizeAvail = bEnable; }
    BOOL IsCustomizeAll() const { return m_bCustomizeAll; }
    void SetCustomizeAll(BOOL b) { m_bCustomizeAll = b; }
    CUTKControl* GetDragControl() const { return m_pDragControl; }
    // The control selected for customisation dragging (one reference held); the old and the
    // new one are redrawn.
    void SetDragControl(CUTKControl* pControl);

    // Keyboard cues.
    BOOL IsKeyboardCuesVisible() const { return m_bKeyboardCuesVisible; }
    void ShowKeyboardCues(BOOL bShow);
    BOOL IsKeyboardCuesHiddenUntilAlt() const { return m_bKeyboardCuesHidden; }
    void SetKeyboardCuesState(BOOL bVisible, BOOL bHiddenUntilAlt);

    // Keyboard tips (shown by the frame integration; here only their level).
    int GetKeyboardTipsLevel() const { return m_keyboardTipsMode; }
    void HideKeyboardTips();

    // The bars held (one reference each).
    int GetCount() const { return static_cast<int>(m_arrBars.GetSize()); }
    CUTKCommandBar* GetAt(int nIndex) const;
    void Add(CUTKCommandBar* pBar);
    void Remove(CUTKCommandBar* pBar);
    void RemoveAll();

    // Closes every tracked popup of the thread.
    void ClosePopups() const;
    // A bar entered or left tracking.
    void OnTrackingModeChanged(CUTKCommandBar* pBar, int bMode);
    // Relays out the site frame now, or marks a delayed relayout.
    virtual void RecalcFrameLayout(BOOL bDelay = FALSE);
    UINT GetActiveDocTemplate() const { return m_nIDActiveDocTemplate; }
    void SetActiveDocTemplate(UINT nID) { m_nIDActiveDocTemplate = nID; }
    void SetHelpContext(DWORD helpId) { m_helpId = helpId; }
    DWORD GetHelpContext() const { return m_helpId; }
    // TRUE when a control of a bar with that mnemonic took the character.
    BOOL OnFrameAccel(UINT chAccel);
    void SetCommandUsed(UINT nID);
    // Actions, kept only once enabled (toolkit/controls/CUTKCommandBarsActions.cpp): the action
    // of an id (1..0xFFFFFFE) or null; CreateAction makes it when missing (null when disabled).
    void EnableActions();
    BOOL IsActionsEnabled() const { return m_pActions != nullptr; }
    class CUTKControlActions* GetActions() const { return m_pActions; }
    class CUTKControlAction* FindAction(int nID) const;
    class CUTKControlAction* CreateAction(int nID);

private:
    // Owned (one reference) when actions are enabled; the destructor releases it.
    class CUTKControlActions* m_pActions = nullptr;
    BOOL m_bCustomizeAll = FALSE;
    int m_keyboardTipsMode = 0;
    CUTKPaintManager* m_pPaintManager = nullptr;
    CUTKImageManager* m_pImageManager = nullptr;
    CUTKControl* m_pDragControl = nullptr;
    BOOL m_bCustomizeMode = FALSE;
    BOOL m_bCustomizeAvail = FALSE;
    CUTKCommandBarsOptions* m_pOptions = nullptr;
    CArray<CUTKCommandBar*, CUTKCommandBar*> m_arrBars;
    CWnd* m_pFrame = nullptr;
    CUTKToolTipContext* m_pToolTipContext = nullptr;
    BOOL m_bKeyboardCuesVisible = TRUE;
    CUTKShortcutManager* m_pShortcutManager = nullptr;
    DWORD m_helpId = 0;
    BOOL m_bKeyboardCuesHidden = FALSE;
    BOOL m_bRightToLeft = FALSE;
    UINT m_nIDActiveDocTemplate = 0;
};
