// CUTKMenuBarMDIMenus: the menu bar's control sets by menu id, one per document template of an
// MDI frame. Each entry holds one reference, released when it is removed.
#pragma once

#include <windows.h>

#include "platform/framework/CMap.h"
#include "platform/framework/Framework.h"
#include "platform/framework/window/FrameworkWindows.h"
#include "toolkit/commandbars/CUTKMenuBarMDIMenuInfo.h"

class CUTKMenuBar;

class CUTKMenuBarMDIMenus : public CCmdTarget {
public:
    explicit CUTKMenuBarMDIMenus(CUTKMenuBar* pMenuBar);
    ~CUTKMenuBarMDIMenus() override;
    CUTKMenuBarMDIMenus(const CUTKMenuBarMDIMenus&) = delete;
    CUTKMenuBarMDIMenus& operator=(const CUTKMenuBarMDIMenus&) = delete;

    CUTKMenuBarMDIMenuInfo* Lookup(UINT nIDMenu) const;
    // Stores the entry under the id; the caller has given it its reference. An entry already
    // there is released.
    void SetAt(UINT nIDMenu, CUTKMenuBarMDIMenuInfo* pInfo);
    void Remove(UINT nIDMenu);
    void RemoveAll();
    POSITION GetStartPosition() const { return m_map.GetStartPosition(); }
    void GetNextAssoc(POSITION& pos, CUTKMenuBarMDIMenuInfo*& pInfo) const;
    INT_PTR GetCount() const { return m_map.GetCount(); }

    CUTKMenuBar* m_pMenuBar;

private:
    CMap<UINT, UINT, CUTKMenuBarMDIMenuInfo*, CUTKMenuBarMDIMenuInfo*> m_map{10};
};
