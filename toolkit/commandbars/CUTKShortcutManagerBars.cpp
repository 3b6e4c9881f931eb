// The shortcut manager's side of the command bars: the site frame that gets the commands and
// the customise mode that turns shortcuts off. Kept apart so that only this file depends on
// the command bars' header.
#include "toolkit/commandbars/CUTKShortcutManager.h"

#include <windows.h>

#include "platform/framework/frame/CFrameWnd.h"
#include "toolkit/commandbars/CUTKCommandBars.h"

CFrameWnd* CUTKShortcutManager::GetSiteFrame() const
{
    if (m_pCommandBars == nullptr) {
        return nullptr;
    }
    CWnd* site = m_pCommandBars->GetSite();
    if (site == nullptr || !site->IsKindOf(RUNTIME_CLASS(CFrameWnd))) {
        return nullptr;
    }
    return static_cast<CFrameWnd*>(site);
}

BOOL CUTKShortcutManager::IsCustomizeMode() const
{
    return m_pCommandBars != nullptr && m_pCommandBars->IsCustomizeMode();
}
