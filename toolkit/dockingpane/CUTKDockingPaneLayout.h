// One complete docking arrangement: the tree under the top splitter with the client inside it,
// the closed panes and the pane list that remembers where each pane was. The manager owns the
// live layout its windows show; the application makes further (user) layouts, copies, saves
// and loads them. A stored layout is read and checked whole before any object is created.
#pragma once

#include "platform/framework/CList.h"
#include "platform/framework/CMap.h"
#include "platform/framework/Framework.h"
#include "platform/framework/window/FrameworkWindows.h"
#include "toolkit/dockingpane/CUTKDockingPaneBase.h"

#include <string>

class CUTKDockingPane;
class CUTKDockingPaneClientContainer;
class CUTKDockingPaneManager;
class CUTKDockingPaneSplitterContainer;
class CUTKDockingPaneSplitterWnd;
class CUTKDockingPaneTabbedContainer;
class CUTKPropExchange;
class CArchive;
struct IXMLDOMNode;

// The pane list entry: where a pane was last docked, floating and at all.
struct UTK_DOCKINGPANE_INFO {
    CUTKDockingPane* pPane = nullptr;
    CUTKDockingPaneTabbedContainer* pFloatingHolder = nullptr;
    CUTKDockingPaneTabbedContainer* pDockingHolder = nullptr;
    CUTKDockingPaneTabbedContainer* pLastHolder = nullptr;
};

using CUTKDockingPaneInfoList = CList<UTK_DOCKINGPANE_INFO, UTK_DOCKINGPANE_INFO&>;
// Stored object numbers to the objects a load created for them.
using CUTKDockingPaneIndexMap = CMap<int, int, CUTKDockingPaneBase*, CUTKDockingPaneBase*>;

class CUTKDockingPaneLayout : public CCmdTarget {
    DECLARE_DYNAMIC(CUTKDockingPaneLayout)

public:
    explicit CUTKDockingPaneLayout(CUTKDockingPaneManager* manager);
    ~CUTKDockingPaneLayout() override;

    // A top container, a client container of type 4 and a manager, and (after a load) the
    // stored layout passed the whole-layout check.
    BOOL IsValid() const;
    void Free();
    void Copy(const CUTKDockingPaneLayout* source);
    UTK_DOCKINGPANE_INFO* FindPaneInfo(CUTKDockingPaneBase* pane);
    void MoveToEndOfList(CUTKDockingPaneBase* object);
    void OnSizeParent(CWnd* parent, CRect rect, LPVOID layoutParams);
    // 0 to 3 the frame edge, 4 floating, -1 when it cannot be told.
    int GetAutoHideSide(CUTKDockingPaneBase* object) const;
    void HideObject(CUTKDockingPaneBase* object);
    void Normalize();

    // Storing always answers TRUE; loading answers whether the layout was taken. A refused
    // load leaves this layout empty and not valid.
    BOOL DoPropExchange(CUTKPropExchange* px);
    void Serialize(CArchive& ar);
    BOOL LoadFromXmlNode(IXMLDOMNode* parent, LPCWSTR section);
    void SaveToXmlNode(IXMLDOMNode* parent, LPCWSTR section);
    // The reason the last load was refused (empty after a taken load), for logs and tests.
    const std::string& GetLoadError() const { return m_loadError; }

    // While a layout loads, the object a stored number names in the section being exchanged
    // (the index map rides on the section's owner pointer); null for 0 or an unknown number.
    static CUTKDockingPaneBase* LookupIndex(CUTKPropExchange* px, int index);

    CUTKDockingPaneManager* GetManager() const { return m_pManager; }
    CUTKDockingPaneSplitterContainer* GetTopContainer() const { return m_pTopContainer; }
    CUTKDockingPaneClientContainer* GetClientContainer() const { return m_pClient; }
    CUTKDockingPaneInfoList& GetPaneList() { return m_lstPanes; }
    CUTKDockingPaneBaseList& GetPaneObjects() { return m_lstObjects; }
    BOOL IsUserLayout() const { return m_bUserLayout; }
    // The manager marks its live layout: its objects create windows.
    void SetUserLayout(BOOL user) { m_bUserLayout = user; }

    // Attributes (the objects' constructors append themselves to m_lstObjects)
    CUTKDockingPaneSplitterContainer* m_pTopContainer = nullptr;
    CUTKDockingPaneClientContainer* m_pClient = nullptr;
    CUTKDockingPaneInfoList m_lstPanes{10};
    CUTKDockingPaneBaseList m_lstObjects{10};
    // Auto-hide panels by side (0 left, 1 right, 2 top, 3 bottom), null until needed.
    CUTKDockingPaneBase* m_wndPanels[4] = {};
    CUTKDockingPaneSplitterWnd* m_wndClientMargins[4] = {};
    BOOL m_bUserLayout = TRUE;
    CUTKDockingPaneManager* m_pManager = nullptr;

private:
    BOOL Load(CUTKPropExchange* px);
    void Store(CUTKPropExchange* px);
    void PlaceClientMargins(CRect& rect, LPVOID layoutParams);

    BOOL m_bChecked = TRUE;  // false after a refused load
    std::string m_loadError;
};
