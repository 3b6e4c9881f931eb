// CUTKCommandBars: the part of the per-frame manager that bars read (services, customisation
// state, keyboard cues, the bars it holds).
#include "toolkit/commandbars/CUTKCommandBars.h"

#include "platform/framework/frame/CFrameWnd.h"
#include "toolkit/commandbars/CUTKCommandBar.h"
#include "toolkit/controls/CUTKControl.h"
#include "toolkit/controls/CUTKControlActions.h"
#include "toolkit/commandbars/CUTKCommandBarsOptions.h"
#include "toolkit/commandbars/CUTKMouseManager.h"
#include "toolkit/commandbars/CUTKShortcutManager.h"
#include "toolkit/common/CUTKImageManager.h"
#include "toolkit/common/CUTKToolTipContext.h"
#include "toolkit/themes/CUTKPaintManager.h"

IMPLEMENT_DYNCREATE(CUTKCommandBars, CCmdTarget)

CUTKCommandBars::CUTKCommandBars()
{
    m_pOptions = new CUTKCommandBarsOptions();
    m_pOptions->pCommandBars = this;
    m_pShortcutManager = new CUTKShortcutManager(this);
    // Tip texts lose their mnemonic ampersands.
    m_pToolTipContext = new CUTKToolTipContext();
    m_pToolTipContext->ModifyToolTipStyle(TTS_NOPREFIX, 0);
}

CUTKCommandBars::~CUTKCommandBars()
{
    SetDragControl(nullptr);
    RemoveAll();
    SetShortcutManager(nullptr);
    SetToolTipContext(nullptr);
    SetPaintManager(nullptr);
    SetImageManager(nullptr);
    if (m_pActions != nullptr) {
        m_pActions->InternalRelease();
        m_pActions = nullptr;
    }
    delete m_pOptions;
    m_pOptions = nullptr;
}

void CUTKCommandBars::SetSite(CWnd* pSite)
{
    m_pFrame = pSite;
    m_bRightToLeft = pSite != nullptr && pSite->GetSafeHwnd() != nullptr &&
                     (pSite->GetExStyle() & WS_EX_LAYOUTRTL) != 0;
}

CUTKPaintManager* CUTKCommandBars::GetPaintManager() const { return m_pPaintManager; }
void CUTKCommandBars::SetPaintManager(CUTKPaintManager* pPaintManager)
{
    if (pPaintManager == m_pPaintManager)
        return;
    if (m_pPaintManager != nullptr)
        m_pPaintManager->InternalRelease();
    m_pPaintManager = pPaintManager;
}
CUTKImageManager* CUTKCommandBars::GetImageManager() const
{
    return m_pImageManager != nullptr ? m_pImageManager : ::GetImageManager();
}
void CUTKCommandBars::SetImageManager(CUTKImageManager* pImageManager)
{
    if (pImageManager == m_pImageManager)
        return;
    if (m_pImageManager != nullptr)
        m_pImageManager->InternalRelease();
    m_pImageManager = pImageManager;
}

void CUTKCommandBars::SetToolTipContext(CUTKToolTipContext* pContext)
{
    if (pContext == m_pToolTipContext)
        return;
    if (m_pToolTipContext != nullptr)
        m_pToolTipContext->InternalRelease();
    m_pToolTipContext = pContext;
}

void CUTKCommandBars::SetShortcutManager(CUTKShortcutManager* pShortcutManager)
{
    if (pShortcutManager == m_pShortcutManager)
        return;
    if (m_pShortcutManager != nullptr)
        m_pShortcutManager->InternalRelease();
    m_pShortcutManager = pShortcutManager;
}
CUTKMouseManager* CUTKCommandBars::GetMouseManager() const { return GetThreadMouseManager(); }
void CUTKCommandBars::SetCustomizeMode(BOOL bMode)
{
    m_bCustomizeMode = bMode;
    m_pOptions->bDirty = TRUE;
    SetDragControl(nullptr);
}
void CUTKCommandBars::SetDragControl(CUTKControl* pControl)
{
    if (pControl == m_pDragControl)
        return;
    CUTKControl* pOld = m_pDragControl;
    m_pDragControl = pControl;
    if (m_pDragControl != nullptr)
        m_pDragControl->InternalAddRef();
    if (pOld != nullptr) {
        pOld->RedrawParent(FALSE);
        pOld->InternalRelease();
    }
    if (m_pDragControl != nullptr)
        m_pDragControl->RedrawParent(FALSE);
}
void CUTKCommandBars::ShowKeyboardCues(BOOL bShow)
{
    if (m_bCustomizeMode)
        bShow = TRUE;
    // Cues that always show (or never do) are not switched by Alt.
    if (!m_bKeyboardCuesHidden || bShow == m_bKeyboardCuesVisible)
        return;
    m_bKeyboardCuesVisible = bShow;
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i) {
        CUTKCommandBar* pBar = m_arrBars[i];
        if (pBar->GetSafeHwnd() != nullptr && pBar->IsVisible())
            pBar->Redraw(nullptr, FALSE);
    }
}
void CUTKCommandBars::SetKeyboardCuesState(BOOL bVisible, BOOL bHiddenUntilAlt)
{
    m_bKeyboardCuesVisible = bVisible;
    m_bKeyboardCuesHidden = bHiddenUntilAlt;
}
void CUTKCommandBars::HideKeyboardTips() { m_keyboardTipsMode = 0; }
CUTKCommandBar* CUTKCommandBars::GetAt(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetCount())
        return nullptr;
    return m_arrBars[nIndex];
}
void CUTKCommandBars::Add(CUTKCommandBar* pBar) { m_arrBars.Add(pBar); }
void CUTKCommandBars::Remove(CUTKCommandBar*) {}
void CUTKCommandBars::RemoveAll() { m_arrBars.RemoveAll(); }
void CUTKCommandBars::ClosePopups() const
{
    // Every bar that tracks on this thread leaves tracking, popups close with their bars.
    GetThreadMouseManager()->SendTrackLost();
}
void CUTKCommandBars::OnTrackingModeChanged(CUTKCommandBar*, int) {}
void CUTKCommandBars::RecalcFrameLayout(BOOL bDelay)
{
    if (m_pFrame == nullptr || m_pFrame->GetSafeHwnd() == nullptr || !m_pFrame->IsFrameWnd())
        return;
    auto* pFrame = static_cast<CFrameWnd*>(m_pFrame);
    if (bDelay)
        pFrame->m_nIdleFlags |= CFrameWnd::idleLayout;
    else
        pFrame->RecalcLayout(FALSE);
}
BOOL CUTKCommandBars::OnFrameAccel(UINT) { return FALSE; }
void CUTKCommandBars::SetCommandUsed(UINT) {}
