// CUTKCommandBars: the part of the per-frame manager that bars read (services, customisation
// state, keyboard cues, the bars it holds).
#include "toolkit/commandbars/CUTKCommandBars.h"

#include "toolkit/commandbars/CUTKCommandBar.h"
#include "toolkit/commandbars/CUTKCommandBarsOptions.h"
#include "toolkit/commandbars/CUTKMouseManager.h"
#include "toolkit/common/CUTKImageManager.h"

IMPLEMENT_DYNCREATE(CUTKCommandBars, CCmdTarget)

CUTKCommandBars::CUTKCommandBars()
{
    m_pOptions = new CUTKCommandBarsOptions();
    m_pOptions->pCommandBars = this;
}

CUTKCommandBars::~CUTKCommandBars()
{
    RemoveAll();
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
void CUTKCommandBars::SetPaintManager(CUTKPaintManager* pPaintManager) { m_pPaintManager = pPaintManager; }
CUTKImageManager* CUTKCommandBars::GetImageManager() const
{
    return m_pImageManager != nullptr ? m_pImageManager : ::GetImageManager();
}
void CUTKCommandBars::SetImageManager(CUTKImageManager* pImageManager) { m_pImageManager = pImageManager; }
void CUTKCommandBars::SetToolTipContext(CUTKToolTipContext* pContext) { m_pToolTipContext = pContext; }
void CUTKCommandBars::SetShortcutManager(CUTKShortcutManager* pShortcutManager) { m_pShortcutManager = pShortcutManager; }
CUTKMouseManager* CUTKCommandBars::GetMouseManager() const { return GetThreadMouseManager(); }
void CUTKCommandBars::SetCustomizeMode(BOOL bMode) { m_bCustomizeMode = bMode; }
void CUTKCommandBars::SetDragControl(CUTKControl* pControl) { m_pDragControl = pControl; }
void CUTKCommandBars::ShowKeyboardCues(BOOL bShow) { m_bKeyboardCuesVisible = bShow; }
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
void CUTKCommandBars::ClosePopups() const {}
void CUTKCommandBars::OnTrackingModeChanged(CUTKCommandBar*, int) {}
void CUTKCommandBars::RecalcFrameLayout(BOOL) {}
BOOL CUTKCommandBars::OnFrameAccel(UINT) { return FALSE; }
void CUTKCommandBars::SetCommandUsed(UINT) {}
