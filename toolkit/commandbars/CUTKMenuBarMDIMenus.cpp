// The map of per-template control sets: lookups and the references its entries hold.
#include "toolkit/commandbars/CUTKMenuBarMDIMenus.h"

#include "toolkit/commandbars/CUTKMenuBarMDIMenuInfo.h"

CUTKMenuBarMDIMenus::CUTKMenuBarMDIMenus(CUTKMenuBar* pMenuBar) : m_pMenuBar(pMenuBar)
{
    m_map.InitHashTable(17);
}

CUTKMenuBarMDIMenus::~CUTKMenuBarMDIMenus()
{
    RemoveAll();
}

CUTKMenuBarMDIMenuInfo* CUTKMenuBarMDIMenus::Lookup(UINT nIDMenu) const
{
    CUTKMenuBarMDIMenuInfo* info = nullptr;
    return m_map.Lookup(nIDMenu, info) ? info : nullptr;
}

void CUTKMenuBarMDIMenus::SetAt(UINT nIDMenu, CUTKMenuBarMDIMenuInfo* pInfo)
{
    CUTKMenuBarMDIMenuInfo* old = Lookup(nIDMenu);
    if (old == pInfo) {
        return;
    }
    m_map.SetAt(nIDMenu, pInfo);
    if (old != nullptr) {
        old->InternalRelease();
    }
}

void CUTKMenuBarMDIMenus::Remove(UINT nIDMenu)
{
    if (CUTKMenuBarMDIMenuInfo* info = Lookup(nIDMenu)) {
        m_map.RemoveKey(nIDMenu);
        info->InternalRelease();
    }
}

void CUTKMenuBarMDIMenus::RemoveAll()
{
    for (POSITION pos = m_map.GetStartPosition(); pos != nullptr;) {
        UINT id = 0;
        CUTKMenuBarMDIMenuInfo* info = nullptr;
        m_map.GetNextAssoc(pos, id, info);
        if (info != nullptr) {
            info->InternalRelease();
        }
    }
    m_map.RemoveAll();
}

void CUTKMenuBarMDIMenus::GetNextAssoc(POSITION& pos, CUTKMenuBarMDIMenuInfo*& pInfo) const
{
    UINT id = 0;
    m_map.GetNextAssoc(pos, id, pInfo);
}
