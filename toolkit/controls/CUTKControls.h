// CUTKControls: the ordered controls of one command bar and the factory that makes them by
// type number or from the items of a Windows menu. It owns one reference to each control and
// keeps every control's index, collection and parent bar current; binds new controls to the
// command bars' actions; finds controls by type, id, point and keyboard order; keeps the
// snapshot of the controls before customisation; and lays its controls out in the bar.
#pragma once

#include <windows.h>

#include "platform/framework/Framework.h"
#include "platform/framework/CArray.h"
#include "platform/framework/window/FrameworkWindows.h"

class CDC;
class CUTKCommandBar;
class CUTKCommandBars;
class CUTKCommandBarList;
class CUTKControl;
class CUTKPropExchange;

// Record of 0x285E (before a menu item becomes a control) and 0x285F (after): the site may
// fill it and answer non-zero.
struct CreateControlNotify {
    int nID;                      // in/out
    CUTKControl* pControl;        // out: a control the site made; after creation the new one
    DWORD dwReserved;             // 0
    int nIndex;                   // position of the item in the menu
    HMENU hMenu;
    CUTKCommandBar* pCommandBar;  // the parent bar
    LPCWSTR strCaption;           // in/out
    int controlType;              // in/out
    int buttonStyle;              // out, 0 on entry
};

// Record of 0x2861 (a bar is wanted): the site answers non-zero with its own bar in pCommandBar;
// anything that is not a command bar is ignored.
struct CreateBarNotify {
    CUTKCommandBar* pCommandBar;  // out
    DWORD dwReserved;             // 0
    BOOL bPopupBar;               // 1 when a popup bar is wanted
    BOOL bToolBar;                // 1 when a toolbar is wanted
    BOOL bTearOffBar;
    LPCWSTR strCaption;           // the bar's title
    UINT nID;                     // the bar (command) id
};

// The bar-list exchange's parameter record (the exchange's context word): ten 32-bit words.
struct UTK_COMMANDBARS_PROPEXCHANGE_PARAM {
    DWORD dwReserved0 = 0;
    BOOL bSaveOnlyCustomized = FALSE;
    BOOL bLoadSilent = FALSE;
    BOOL bSaveOriginalControls = TRUE;
    DWORD dwReserved4 = 0;
    DWORD dwReserved5 = 0;
    DWORD dwReserved6 = 1;
    DWORD dwReserved7 = 0;
    DWORD dwReserved8 = 0;
    CUTKCommandBars* pCommandBars = nullptr;
};

class CUTKControls : public CCmdTarget {
    DECLARE_DYNCREATE(CUTKControls)

public:
    // Layout flags of CalcToolBarLayout (the framework's dynamic-layout modes and two more).
    static constexpr DWORD kLayoutStretch = 0x01;           // at least the full given length
    static constexpr DWORD kLayoutMRUWidth = 0x04;          // the bar's remembered width
    static constexpr DWORD kLayoutHorzDock = 0x08;
    static constexpr DWORD kLayoutVertDock = 0x10;          // rows become columns
    static constexpr DWORD kLayoutLengthIsHeight = 0x20;
    static constexpr DWORD kLayoutCommit = 0x40;            // write rectangles and marks
    static constexpr DWORD kLayoutHideWrap = 0x80;          // hide what does not fit
    static constexpr DWORD kLayoutPopupShape = 0x100;       // floating: groups start rows
    // Result bit written into the caller's flags: something did not fit.
    static constexpr DWORD kLayoutResultDidNotFit = 0x01;

    // Ids never bound to actions (the toolkit's own commands) and the menu id never imported.
    static constexpr int kToolkitFirstId = 9100;
    static constexpr int kToolkitLastId = 9299;
    static constexpr int kPlaceholderFirstId = 35000;
    static constexpr int kPlaceholderLastId = 35003;
    static constexpr UINT kSkippedMenuId = 0xFF00;
    // Special ids of type 1 in the factory.
    static constexpr int kWindowListId = 35000;
    static constexpr int kWorkspaceActionsId = 35002;
    static constexpr int kRecentFileListId = 35003;
    static constexpr int kToolbarListId = 0xE800;
    static constexpr int kMenuOleVerbsId = 0xE210;
    static constexpr int kMenuRecentFileId = 0xE110;
    // Longest menu text read.
    static constexpr int kMaxMenuText = 1024;

    CUTKControls();
    ~CUTKControls() override;

    // Virtual operations, in slot order.
    virtual void Remove(CUTKControl* control);                                      // 20
    virtual void Copy(CUTKControls* source, BOOL recursive = FALSE);                // 21
    virtual void DoPropExchange(CUTKPropExchange* px);                              // 22
    virtual BOOL ShouldSerializeControl(CUTKControl* control);                      // 23
    virtual void OnControlAdded(CUTKControl* control);                              // 24
    virtual void OnControlRemoved(CUTKControl* control);                            // 25
    virtual BOOL IsRemoveVetoed(CUTKControl* control);                              // 26
    virtual void RefreshIndexes();                                                  // 27

    CUTKCommandBars* GetCommandBars() const;
    void SetCommandBars(CUTKCommandBars* commandBars) { m_commandBars = commandBars; }
    CUTKCommandBar* GetParent() const { return m_parent; }
    void SetParent(CUTKCommandBar* parent);

    int GetCount() const { return static_cast<int>(m_controls.GetSize()); }
    CUTKControl* GetAt(int index) const;

    CUTKControl* InsertAt(CUTKControl* control, int index = -1);
    CUTKControl* Append(CUTKControl* control) { return InsertAt(control, -1); }
    CUTKControl* AddClone(CUTKControl* control, int index = -1, BOOL recursive = FALSE);
    CUTKControl* AddControl(CUTKControl* control, int id = 0, LPCWSTR parameter = L"",
                            int index = -1, BOOL temporary = FALSE);
    // The factory: types 1..11, null otherwise.
    CUTKControl* Add(int type, int id, LPCWSTR parameter = L"", int index = -1,
                     BOOL temporary = FALSE);
    // Imports one item of a menu; null for id 0xFF00 and for types that cannot be made.
    CUTKControl* AddMenuItem(CMenu* menu, int position);
    CUTKControl* AddMenuItem(HMENU menu, int position);

    void RemoveAt(int index);
    void RemoveAll();

    CUTKControl* FindControl(int type, int id, BOOL visibleOnly, BOOL recursive) const;
    CUTKControl* FindControlById(int id) const { return FindControl(0, id, FALSE, FALSE); }
    CUTKControl* HitTest(CPoint point) const;
    int GetVisibleCount(BOOL strict = TRUE) const;
    CUTKControl* GetVisibleAt(int n, BOOL strict = TRUE) const;
    int GetNext(int start, int step = 1, BOOL keyboard = TRUE, BOOL skipTemporary = FALSE,
                BOOL strict = TRUE) const;

    BOOL Compare(const CUTKControls* other) const;
    BOOL IsChanged() const;
    CUTKControls* GetOriginalControls() const { return m_originalControls; }
    void SetOriginalControls(CUTKControls* controls);
    CUTKControls* CreateOriginalControls();
    CUTKControls* Duplicate(BOOL recursive = FALSE);
    BOOL IsOriginalControls() const { return m_isOriginal; }

    // Changes a control's type; null for an index outside the collection or a control that
    // does not belong to it.
    CUTKControl* SetControlType(int index, int type);
    CUTKControl* SetControlType(CUTKControl* control, int type);

    void GenerateCommandBarList(DWORD& nextId, CUTKCommandBarList* list,
                                UTK_COMMANDBARS_PROPEXCHANGE_PARAM* param);
    void RestoreCommandBarList(CUTKCommandBarList* list);

    // Layouts (toolkit/controls/CUTKControlsLayout.cpp). layoutFlags is in/out.
    CSize CalcToolBarLayout(CDC* pDC, int length, DWORD& layoutFlags, CRect rcBorder,
                            int minExtent = 0);
    CSize CalcPopupLayout(CDC* pDC, int heightLimit, int fixedWidth, CRect rcBorder);

protected:
    // Creates the control of a type (special ids of type 1 included); null when unknown.
    CUTKControl* CreateControlOfType(int type, int id, BOOL temporary, BOOL menuImport,
                                     LPCWSTR menuText);
    // Creates the popup bar of a popup control made by the factory or the menu import.
    CUTKCommandBar* CreatePopupBarFor(int id, LPCWSTR caption, HMENU subMenu);
    // The window that gets site notifications, or null.
    CWnd* GetNotifySite() const;

    CUTKCommandBar* m_parent = nullptr;                     // not owned
    CArray<CUTKControl*, CUTKControl*> m_controls;          // one reference each
    CUTKCommandBars* m_commandBars = nullptr;               // not owned
    CUTKControls* m_originalControls = nullptr;             // owned
    BOOL m_isOriginal = FALSE;
};
