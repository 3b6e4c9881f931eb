// Saving and loading the menu bar's own values after the toolbar's: the default menu's id and
// the document templates' control sets that the user changed. Loading keeps the sets it holds
// and, in an archive, still reads past a stored set it skips so the stream stays in step.
#include "toolkit/commandbars/CUTKMenuBar.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "toolkit/commandbars/CUTKMenuBarMDIMenuInfo.h"
#include "toolkit/commandbars/CUTKMenuBarMDIMenus.h"
#include "toolkit/common/CUTKPropExchange.h"
#include "toolkit/controls/CUTKControls.h"

namespace {

// More document templates than any program has; a larger stored count is damage.
constexpr int kMaxStoredMenus = 1024;

struct Release {
    void operator()(CCmdTarget* target) const
    {
        if (target != nullptr)
            target->InternalRelease();
    }
};
template <class T>
using Held = std::unique_ptr<T, Release>;

CString MenuSectionName(int index)
{
    CString name;
    name.Format(L"%s%i", L"MDIMenu", index);
    return name;
}

} // namespace

void CUTKMenuBar::DoPropExchange(CUTKPropExchange* pPX)
{
    if (pPX == nullptr)
        return;
    // The bar saves the default menu's controls; the template sets go in their own sections.
    if (pPX->IsStoring())
        (void)PrepareForSave();
    CUTKToolBar::DoPropExchange(pPX);

    int resourceId = static_cast<int>(m_nIDDefaultMenu);
    (void)ExchangeIntPropDefault(pPX, L"ResourceId", resourceId, 0);
    if (pPX->IsLoading()) {
        // The controls just read are the default menu's.
        m_nIDDefaultMenu = static_cast<UINT>(resourceId);
        m_nIDCurrentMenu = m_nIDDefaultMenu;
    }
    if (pPX->m_nSchema <= 4)
        return;

    if (pPX->IsStoring()) {
        std::vector<CUTKMenuBarMDIMenuInfo*> changed;
        for (POSITION pos = m_pMDIMenus->GetStartPosition(); pos != nullptr;) {
            CUTKMenuBarMDIMenuInfo* info = nullptr;
            m_pMDIMenus->GetNextAssoc(pos, info);
            if (info != nullptr && info->m_bChanged && info->m_pControls != nullptr)
                changed.push_back(info);
        }
        // In id order, so that the same sets always give the same bytes.
        std::sort(changed.begin(), changed.end(),
                  [](const CUTKMenuBarMDIMenuInfo* a, const CUTKMenuBarMDIMenuInfo* b) {
                      return a->m_nIDMenu < b->m_nIDMenu;
                  });
        int count = static_cast<int>(changed.size());
        (void)ExchangeIntPropDefault(pPX, L"Count", count, 0);
        for (int i = 0; i < count; ++i) {
            Held<CUTKPropExchange> section(pPX->GetSection(MenuSectionName(i)));
            if (!section)
                continue;
            int id = static_cast<int>(changed[static_cast<size_t>(i)]->m_nIDMenu);
            (void)ExchangeIntPropDefault(section.get(), L"Id", id, 0);
            changed[static_cast<size_t>(i)]->m_pControls->DoPropExchange(section.get());
        }
        return;
    }

    int count = 0;
    (void)ExchangeIntPropDefault(pPX, L"Count", count, 0);
    // Refused before anything is made: the sets already held stay as they are.
    if (count < 0 || count > kMaxStoredMenus)
        AfxThrowArchiveException(CArchiveException::badIndex);
    CUTKCommandBars* bars = GetCommandBars();
    for (int i = 0; i < count; ++i) {
        Held<CUTKPropExchange> section(pPX->GetSection(MenuSectionName(i)));
        if (!section)
            break;
        int id = 0;
        (void)ExchangeIntPropDefault(section.get(), L"Id", id, 0);
        const UINT menuId = static_cast<UINT>(id);
        if (m_pMDIMenus->Lookup(menuId) != nullptr) {
            // A set this bar already holds wins; the stored one is read and dropped.
            Held<CUTKControls> dropped(new CUTKControls);
            dropped->SetCommandBars(bars);
            dropped->DoPropExchange(section.get());
            continue;
        }
        Held<CUTKMenuBarMDIMenuInfo> info(new CUTKMenuBarMDIMenuInfo(bars, menuId));
        info->m_pControls->DoPropExchange(section.get());
        m_pMDIMenus->SetAt(menuId, info.release());
    }
}
