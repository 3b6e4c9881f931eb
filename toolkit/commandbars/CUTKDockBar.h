// CUTKDockBar: the child window along one side of the frame into which toolbars dock. It keeps
// its toolbars in rows (a null entry before every row), lays the rows out when the frame hands
// out its client area (WM_SIZEPARENT), inserts a dropped toolbar into the row under the drop
// point and removes toolbars again. The row rules themselves are DockBarRowLayout's.
#pragma once

#include <windows.h>

#include "platform/framework/CArray.h"
#include "platform/framework/CPoint.h"
#include "platform/framework/CRect.h"
#include "platform/framework/window/CWnd.h"

class CUTKCommandBars;
class CUTKToolBar;
struct AFX_SIZEPARENTPARAMS;

class CUTKDockBar : public CWnd {
    DECLARE_DYNCREATE(CUTKDockBar)

public:
    using CBarArray = CArray<CUTKToolBar*, CUTKToolBar*>;

    static constexpr wchar_t kClassName[] = L"UTKDockBar";

    CUTKDockBar();
    ~CUTKDockBar() override;

    // Creates the window ("utkBarTop" ... by position) with the bar style masked to 0x40FFFF.
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID);
    // 0 top, 1 bottom, 2 left, 3 right, from the alignment bits of the bar style.
    int GetPosition() const;
    static int PositionOfStyle(DWORD dwBarStyle);
    BOOL IsHorizontal() const { return GetPosition() < 2; }
    DWORD GetBarStyle() const { return m_dwBarStyle; }
    void SetBarStyle(DWORD dwBarStyle) { m_dwBarStyle = dwBarStyle & kBarStyleMask; }
    CUTKCommandBars* GetCommandBars() const { return m_pCommandBars; }
    void SetCommandBars(CUTKCommandBars* pCommandBars) { m_pCommandBars = pCommandBars; }

    // ---- the rows ----
    int GetCount() const { return static_cast<int>(m_arrBars.GetSize()); }
    // Entry at an index (null for a row separator); outside the array raises the framework's
    // invalid-argument exception.
    CUTKToolBar* GetAt(int nIndex) const;
    CBarArray& GetBars() { return m_arrBars; }
    // Index of the toolbar, not counting the entry at nSkipIndex; -1 when absent.
    int FindBar(CUTKToolBar* pBar, int nSkipIndex = -1) const;
    // Puts an entry (a toolbar, or null for a separator) at an index clamped to the array, the
    // leading separator kept first; returns where it went.
    int InsertAt(int nIndex, CUTKToolBar* pBar);
    // Docks the toolbar at a screen rectangle (the row under its centre), or as a new last row
    // without one.
    void DockBar(CUTKToolBar* pBar, LPCRECT lpScreenRect);
    // Inserts into the row under the point (client coordinates); returns the new index.
    int InsertBar(CUTKToolBar* pBar, CRect rect, CPoint centre);
    BOOL RemoveBar(CUTKToolBar* pBar, int nSkipIndex = -1);
    // The visible toolbars of the row holding the index, in visual order.
    void GetVisibleRow(int nIndex, CBarArray& arrRow) const;
    // A toolbar stretched to its row ("Flags" 0x40) gets a row of its own.
    void NormalizeRows();
    // Lays out every row (and with a deferral in the record, moves the toolbars).
    CSize CalcDockBarSize(int nLength, DWORD dwMode, AFX_SIZEPARENTPARAMS* pLayout);

protected:
    LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    LRESULT OnPaintMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    LRESULT OnEraseBkgndMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnRButtonDownMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnNcHitTestMessage(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    static constexpr DWORD kBarStyleMask = 0x40FFFF;
    // The first row belongs to a ribbon docked here; others go below it.
    BOOL IsFirstRowReserved(CUTKToolBar* pInserted) const;
    void FillBackground(HDC hdc);

    DWORD m_dwBarStyle = 0;
    CBarArray m_arrBars;
    CUTKCommandBars* m_pCommandBars = nullptr;
};
