// Lists of bars for saving, loading and merging, and the manager's context menus.
#include "toolkit/commandbars/CUTKCommandBarList.h"

#include "toolkit/commandbars/CUTKCommandBar.h"
#include "toolkit/commandbars/CUTKPopupBar.h"

CUTKCommandBarList::~CUTKCommandBarList() { RemoveAll(); }

CUTKCommandBar* CUTKCommandBarList::Add(CUTKCommandBar* pCommandBar)
{
    if (pCommandBar != nullptr)
        m_arrBars.Add(pCommandBar);
    return pCommandBar;
}

CUTKCommandBar* CUTKCommandBarList::GetAt(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetCount())
        return nullptr;
    return m_arrBars[nIndex];
}

BOOL CUTKCommandBarList::Contains(const CUTKCommandBar* pCommandBar) const
{
    for (int i = 0; i < GetCount(); ++i) {
        if (m_arrBars[i] == pCommandBar)
            return TRUE;
    }
    return FALSE;
}

CUTKCommandBar* CUTKCommandBarList::FindBar(UINT nBarID) const
{
    for (int i = 0; i < GetCount(); ++i) {
        if (m_arrBars[i]->GetBarID() == nBarID)
            return m_arrBars[i];
    }
    return nullptr;
}

void CUTKCommandBarList::RemoveAll()
{
    // Emptied first: a bar's last release may look the list up again.
    CArray<CUTKCommandBar*, CUTKCommandBar*> bars;
    bars.Copy(m_arrBars);
    m_arrBars.RemoveAll();
    for (INT_PTR i = 0; i < bars.GetSize(); ++i)
        bars[i]->InternalRelease();
}

CUTKCommandBar* CUTKCommandBarsContextMenus::Add(CUTKCommandBar* pCommandBar)
{
    if (auto* popup = DYNAMIC_DOWNCAST(CUTKPopupBar, pCommandBar))
        popup->SetContextMenu(TRUE);
    return CUTKCommandBarList::Add(pCommandBar);
}

CUTKPopupBar* CUTKCommandBarsContextMenus::Add(CUTKPopupBar* pPopupBar)
{
    Add(static_cast<CUTKCommandBar*>(pPopupBar));
    return pPopupBar;
}
