// CUTKCommandBarList: a set of bars gathered for saving, loading and merging bar state. Each
// entry holds one reference. CUTKCommandBarsContextMenus is the manager's list of context
// menus: popups added to it are marked as context menus.
#pragma once

#include <windows.h>

#include "platform/framework/CArray.h"
#include "platform/framework/window/CCmdTarget.h"

class CUTKCommandBar;
class CUTKCommandBars;
class CUTKPopupBar;

class CUTKCommandBarList : public CCmdTarget {
public:
    explicit CUTKCommandBarList(CUTKCommandBars* pCommandBars) : m_pCommandBars(pCommandBars) {}
    ~CUTKCommandBarList() override;

    // Appends without taking a reference of its own: a caller that keeps its reference adds
    // one first. Returns the bar.
    virtual CUTKCommandBar* Add(CUTKCommandBar* pCommandBar);

    int GetCount() const { return static_cast<int>(m_arrBars.GetSize()); }
    // Null outside 0..count-1.
    CUTKCommandBar* GetAt(int nIndex) const;
    BOOL Contains(const CUTKCommandBar* pCommandBar) const;
    // First bar whose bar id equals the id, or null.
    CUTKCommandBar* FindBar(UINT nBarID) const;
    // Releases one reference of each bar and empties the list.
    void RemoveAll();
    CUTKCommandBars* GetCommandBars() const { return m_pCommandBars; }

protected:
    CUTKCommandBars* m_pCommandBars = nullptr;
    CArray<CUTKCommandBar*, CUTKCommandBar*> m_arrBars;
};

class CUTKCommandBarsContextMenus : public CUTKCommandBarList {
public:
    explicit CUTKCommandBarsContextMenus(CUTKCommandBars* pCommandBars)
        : CUTKCommandBarList(pCommandBars) {}

    // Appends the popup (no reference of its own) and marks it as a context menu.
    CUTKCommandBar* Add(CUTKCommandBar* pCommandBar) override;
    CUTKPopupBar* Add(CUTKPopupBar* pPopupBar);
};
