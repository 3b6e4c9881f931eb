// Bar lists of the manager: which bars are gathered for saving, how a list is written to and
// read from any property exchange ("CommandBars", then one "CommandBar" item per bar: its class
// and its values), and how a loaded list is checked and then merged into the running bars.
#include "toolkit/commandbars/CUTKCommandBars.h"

#include <memory>
#include <vector>

#include "platform/framework/CException.h"
#include "toolkit/commandbars/BarListCheck.h"
#include "toolkit/commandbars/CUTKCommandBar.h"
#include "toolkit/commandbars/CUTKCommandBarList.h"
#include "toolkit/commandbars/CUTKCommandBarsState.h"
#include "toolkit/commandbars/CUTKMenuBar.h"
#include "toolkit/commandbars/CUTKMenuBarMDIMenuInfo.h"
#include "toolkit/commandbars/CUTKMenuBarMDIMenus.h"
#include "toolkit/commandbars/CUTKPopupBar.h"
#include "toolkit/commandbars/CUTKToolBar.h"
#include "toolkit/common/CUTKPropExchange.h"
#include "toolkit/common/CUTKPropExchangeEnumerator.h"
#include "toolkit/controls/CUTKControlPopup.h"
#include "toolkit/controls/CUTKControls.h"

namespace {

struct SectionRelease {
    void operator()(CUTKPropExchange* section) const
    {
        if (section != nullptr)
            section->InternalRelease();
    }
};
using SectionPtr = std::unique_ptr<CUTKPropExchange, SectionRelease>;
using EnumeratorPtr = std::unique_ptr<CUTKPropExchangeEnumerator>;

// Ids handed to bars that have none, from here up.
constexpr DWORD kFirstGeneratedBarId = 0x1000000;
// Original sets nest (a snapshot of a snapshot); a longer chain than this is not ours.
constexpr int kMaxOriginalDepth = 64;

void CollectPopupIds(CUTKControls* controls, std::vector<UINT>& ids)
{
    int depth = 0;
    for (CUTKControls* set = controls; set != nullptr && depth < kMaxOriginalDepth;
         set = set->GetOriginalControls(), ++depth) {
        for (int i = 0; i < set->GetCount(); ++i) {
            auto* popup = DYNAMIC_DOWNCAST(CUTKControlPopup, set->GetAt(i));
            if (popup != nullptr && popup->GetLoadedBarId() != 0)
                ids.push_back(popup->GetLoadedBarId());
        }
    }
}

}  // namespace

void CUTKCommandBars::GenerateCommandBarList(CUTKCommandBarList* pCommandBarList, void* pParam)
{
    if (pCommandBarList == nullptr)
        return;
    auto* param = static_cast<UTK_COMMANDBARS_PROPEXCHANGE_PARAM*>(pParam);
    const BOOL onlyCustomized = param != nullptr && param->bSaveOnlyCustomized;
    DWORD nID = kFirstGeneratedBarId;
    for (int i = 0; i < GetCount(); ++i) {
        CUTKCommandBar* bar = GetAt(i);
        auto* toolBar = DYNAMIC_DOWNCAST(CUTKToolBar, bar);
        if (toolBar != nullptr && toolBar->IsNotSaved())
            continue;
        // Bars the user made are always saved; built-in ones only once changed.
        if (onlyCustomized && toolBar != nullptr && toolBar->IsBuiltIn() &&
            !toolBar->IsCustomized()) {
            continue;
        }
        bar->GenerateCommandBarList(nID, pCommandBarList, pParam);
    }
    CUTKCommandBarsContextMenus* menus = GetContextMenus();
    for (int i = 0; menus != nullptr && i < menus->GetCount(); ++i) {
        CUTKCommandBar* popup = menus->GetAt(i);
        CUTKControls* controls = popup->GetControls();
        if (onlyCustomized && (controls == nullptr || !controls->IsChanged()))
            continue;
        popup->GenerateCommandBarList(nID, pCommandBarList, pParam);
    }
}

BOOL CUTKCommandBars::SaveCommandBarList(CUTKPropExchange* pPX,
                                         CUTKCommandBarList* pCommandBarList)
{
    if (pPX == nullptr || pCommandBarList == nullptr)
        return FALSE;
    try {
        SectionPtr section(pPX->GetSection(L"CommandBars"));
        EnumeratorPtr items(section->GetEnumerator(L"CommandBar"));
        POSITION pos = items->GetPosition(static_cast<DWORD>(pCommandBarList->GetCount()));
        for (int i = 0; i < pCommandBarList->GetCount() && pos != nullptr; ++i) {
            CUTKCommandBar* bar = pCommandBarList->GetAt(i);
            SectionPtr item(items->GetNext(pos));
            CObject* object = bar;
            if (!item->ExchangeObjectInstance(object, RUNTIME_CLASS(CUTKCommandBar)))
                return FALSE;
            bar->DoPropExchange(item.get());
        }
    } catch (CException* e) {
        // A class the archive cannot name (one without a schema) and the like.
        e->Delete();
        return FALSE;
    }
    return TRUE;
}

BOOL CUTKCommandBars::LoadCommandBarList(CUTKPropExchange* pPX,
                                         CUTKCommandBarList* pCommandBarList)
{
    if (pPX == nullptr || pCommandBarList == nullptr)
        return FALSE;
    try {
        SectionPtr section(pPX->GetSection(L"CommandBars"));
        EnumeratorPtr items(section->GetEnumerator(L"CommandBar"));
        // The stored count is only a bound: the load ends at the first item that is not there.
        POSITION pos = items->GetPosition(0);
        while (pos != nullptr) {
            SectionPtr item(items->GetNext(pos));
            CObject* object = nullptr;
            if (!item->ExchangeObjectInstance(object, RUNTIME_CLASS(CUTKCommandBar)) ||
                object == nullptr) {
                delete object;
                return FALSE;
            }
            auto* bar = static_cast<CUTKCommandBar*>(object);
            bar->SetCommandBars(this);
            try {
                bar->DoPropExchange(item.get());
            } catch (...) {
                bar->InternalRelease();
                throw;
            }
            if (CUTKControls* controls = bar->GetControls())
                controls->RefreshIndexes();
            pCommandBarList->Add(bar);
        }
    } catch (CException* e) {
        // A class the archive cannot name (one without a schema) and the like.
        e->Delete();
        return FALSE;
    }
    return TRUE;
}

BOOL CheckCommandBarList(const CUTKCommandBars* pCommandBars, CUTKCommandBarList* pCommandBarList,
                         CString* pProblem)
{
    if (pCommandBarList == nullptr)
        return FALSE;
    std::vector<BarListNode> nodes;
    nodes.reserve(static_cast<size_t>(pCommandBarList->GetCount()));
    for (int i = 0; i < pCommandBarList->GetCount(); ++i) {
        CUTKCommandBar* bar = pCommandBarList->GetAt(i);
        BarListNode node;
        node.barId = bar->GetBarID();
        node.toolBar = bar->IsKindOf(RUNTIME_CLASS(CUTKToolBar));
        node.popupBar = bar->IsKindOf(RUNTIME_CLASS(CUTKPopupBar));
        const CUTKCommandBar* running = nullptr;
        if (node.toolBar) {
            running = pCommandBars != nullptr ? pCommandBars->FindCommandBar(node.barId) : nullptr;
        } else if (auto* popup = DYNAMIC_DOWNCAST(CUTKPopupBar, bar);
                   popup != nullptr && popup->IsContextMenu() && pCommandBars != nullptr &&
                   pCommandBars->GetContextMenus() != nullptr) {
            running = pCommandBars->GetContextMenus()->FindBar(node.barId);
        }
        node.replacesOtherKind = running != nullptr && running != bar &&
                                 !bar->IsKindOf(running->GetRuntimeClass());
        CollectPopupIds(bar->GetControls(), node.popupIds);
        if (auto* menuBar = DYNAMIC_DOWNCAST(CUTKMenuBar, bar);
            menuBar != nullptr && menuBar->GetMDIMenus() != nullptr) {
            POSITION pos = menuBar->GetMDIMenus()->GetStartPosition();
            while (pos != nullptr) {
                CUTKMenuBarMDIMenuInfo* info = nullptr;
                menuBar->GetMDIMenus()->GetNextAssoc(pos, info);
                if (info != nullptr)
                    CollectPopupIds(info->m_pControls, node.popupIds);
            }
        }
        nodes.push_back(std::move(node));
    }
    const BarListCheckResult result = CheckBarList(nodes);
    if (!result.IsOk() && pProblem != nullptr) {
        pProblem->Format(L"%s at bar %d (id %u)", BarListFaultName(result.fault), result.bar,
                         result.id);
    }
    return result.IsOk();
}

void CUTKCommandBars::RestoreCommandBarList(CUTKCommandBarList* pCommandBarList, BOOL bSilent)
{
    // A list that fails the check is merged not at all rather than in part.
    if (!CheckCommandBarList(this, pCommandBarList, nullptr))
        return;
    for (int i = 0; i < pCommandBarList->GetCount(); ++i) {
        CUTKCommandBar* bar = pCommandBarList->GetAt(i);
        if (auto* toolBar = DYNAMIC_DOWNCAST(CUTKToolBar, bar)) {
            toolBar->RestoreCommandBarList(pCommandBarList);
            if (CUTKToolBar* running = FindCommandBar(toolBar->GetBarID());
                running != nullptr && running != toolBar) {
                running->MergeToolBar(toolBar, bSilent);
                continue;
            }
            if (IndexOf(toolBar) >= 0)
                continue;
            Add(static_cast<CUTKCommandBar*>(toolBar));
            toolBar->SetCommandBars(this);
            if (GetSite() != nullptr && GetSite()->GetSafeHwnd() != nullptr)
                toolBar->Create(GetSite(), FALSE);
            toolBar->SetFlags(toolBar->GetFlags());
            DockInReBar(toolBar);
            continue;
        }
        auto* popup = DYNAMIC_DOWNCAST(CUTKPopupBar, bar);
        CUTKCommandBarsContextMenus* menus = GetContextMenus();
        if (popup == nullptr || !popup->IsContextMenu() || menus == nullptr)
            continue;
        popup->RestoreCommandBarList(pCommandBarList);
        CUTKCommandBar* running = menus->FindBar(popup->GetBarID());
        if (running == popup)
            continue;
        if (running != nullptr) {
            CUTKControls* mine = running->GetControls();
            CUTKControls* original = mine != nullptr ? mine->GetOriginalControls() : nullptr;
            if (mine == nullptr || popup->GetControls() == nullptr)
                continue;
            // The running menu keeps its own snapshot of the built-in entries.
            if (original != nullptr)
                original->InternalAddRef();
            mine->Copy(popup->GetControls(), FALSE);
            mine->SetOriginalControls(original);
            continue;
        }
        popup->InternalAddRef();
        menus->Add(popup);
        if (popup->GetControls() != nullptr && popup->GetControls()->GetOriginalControls() == nullptr)
            popup->GetControls()->CreateOriginalControls();
    }
}
