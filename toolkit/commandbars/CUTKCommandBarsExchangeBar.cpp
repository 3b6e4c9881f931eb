// A bar's part in bar lists: it adds itself (once) and then the popup bars of its controls,
// giving popup bars without an id one of their own; and after a load it re-attaches the popup
// bars its controls name. The menu bar does the same for its per-document control sets.
#include "toolkit/commandbars/CUTKCommandBar.h"

#include "toolkit/commandbars/CUTKCommandBarList.h"
#include "toolkit/commandbars/CUTKMenuBar.h"
#include "toolkit/commandbars/CUTKMenuBarMDIMenuInfo.h"
#include "toolkit/commandbars/CUTKMenuBarMDIMenus.h"
#include "toolkit/commandbars/CUTKToolBar.h"
#include "toolkit/controls/CUTKControls.h"

namespace {

// Ids from here up are the list's own, handed out again at every save.
constexpr UINT kFirstGeneratedBarId = 0x1000000;

template <class Visit>
void ForEachMDIMenuControls(CUTKCommandBar* bar, Visit visit)
{
    auto* menuBar = DYNAMIC_DOWNCAST(CUTKMenuBar, bar);
    if (menuBar == nullptr || menuBar->GetMDIMenus() == nullptr)
        return;
    POSITION pos = menuBar->GetMDIMenus()->GetStartPosition();
    while (pos != nullptr) {
        CUTKMenuBarMDIMenuInfo* info = nullptr;
        menuBar->GetMDIMenus()->GetNextAssoc(pos, info);
        if (info != nullptr && info->m_pControls != nullptr)
            visit(info->m_pControls);
    }
}

}  // namespace

void CUTKCommandBar::GenerateCommandBarList(DWORD& nID, CUTKCommandBarList* pCommandBarList,
                                            void* pParam)
{
    if (pCommandBarList == nullptr || pCommandBarList->Contains(this))
        return;
    InternalAddRef();
    pCommandBarList->Add(this);
    if (!IsKindOf(RUNTIME_CLASS(CUTKToolBar)) &&
        (m_nBarID == 0 || m_nBarID >= kFirstGeneratedBarId)) {
        m_nBarID = static_cast<UINT>(nID++);
    }
    auto* param = static_cast<UTK_COMMANDBARS_PROPEXCHANGE_PARAM*>(pParam);
    if (m_pControls != nullptr)
        m_pControls->GenerateCommandBarList(nID, pCommandBarList, param);
    ForEachMDIMenuControls(this, [&](CUTKControls* controls) {
        controls->GenerateCommandBarList(nID, pCommandBarList, param);
    });
}

void CUTKCommandBar::RestoreCommandBarList(CUTKCommandBarList* pCommandBarList)
{
    if (pCommandBarList == nullptr)
        return;
    if (m_pControls != nullptr)
        m_pControls->RestoreCommandBarList(pCommandBarList);
    ForEachMDIMenuControls(this, [&](CUTKControls* controls) {
        controls->RestoreCommandBarList(pCommandBarList);
    });
}
