// The window-less logic of one tab strip: its tabs, the selected, hot and pressed tab, the
// strip's scroll offset and rectangles, hit testing, keyboard navigation and the modal mouse
// loops that click and reorder tabs. Layout and drawing are the paint manager's; the host
// supplies the window, the paint manager, icons and repaints by overriding the pure slots.
#pragma once

#include "toolkit/common/CUTKWinThemeWrapper.h"
#include "toolkit/tabmanager/CUTKTabManagerAtom.h"
#include "toolkit/tabmanager/CUTKTabManagerItem.h"
#include "toolkit/tabmanager/CUTKTabManagerNavigateButton.h"

#include <commctrl.h>

#include <memory>
#include <vector>

class CUTKTabPaintManager;
class CUTKMarkupContext;

class CUTKTabManager : public CUTKTabManagerAtom {
public:
    class CNavigateButtonArrow;
    class CNavigateButtonArrowLeft;
    class CNavigateButtonArrowRight;
    class CNavigateButtonClose;
    class CNavigateButtonTabClose;

    // Which items lie in which row of a multi-row strip.
    class CRowIndexer {
    public:
        struct ROW_ITEMS {
            int nFirstItem = 0;
            int nLastItem = 0;
        };
        explicit CRowIndexer(CUTKTabManager* manager);
        // Resizes the table (new entries zeroed) and, for n >= 1, sets row 0 to every item.
        ROW_ITEMS* SetRowCount(int count);
        int GetRowCount() const { return static_cast<int>(m_rows.size()); }
        ROW_ITEMS* GetRowItems() { return m_rows.data(); }

    private:
        std::vector<ROW_ITEMS> m_rows;
        CUTKTabManager* m_pManager;
    };

    CUTKTabManager();
    ~CUTKTabManager() override;

    // Host slots, in the order the derived hosts rely on.
    virtual CString GetItemCaption(const CUTKTabManagerItem* item) const;
    virtual int GetItemImage(const CUTKTabManagerItem* item) const;
    virtual COLORREF GetItemColor(const CUTKTabManagerItem* item) const;
    virtual CString GetItemTooltip(const CUTKTabManagerItem* item) const;
    virtual void OnItemsChanged();
    virtual void SetSelectedItem(CUTKTabManagerItem* item);
    virtual void PerformItemClick(CUTKTabManagerItem* item);
    virtual void GetItemMetrics(CSize* fixed, CSize* minimum, CSize* maximum) const;
    virtual int GetItemsLength() const;
    virtual CUTKTabPaintManager* GetPaintManager() const = 0;
    virtual void OnHook(int argument);
    virtual void RedrawControl(const RECT* rect, BOOL leaving) = 0;
    virtual BOOL IsAllowReorder() const;
    virtual void SetAllowReorder(BOOL allow);
    virtual BOOL IsDrawStaticFrame() const;
    virtual BOOL DrawIcon(CDC* dc, CPoint point, CUTKTabManagerItem* item, BOOL draw,
                          CSize& size) const = 0;
    virtual int GetPosition() const;
    virtual void OnScroll(BOOL towardsEnd);
    virtual INT_PTR PerformToolHitTest(HWND window, CPoint point, TOOLINFOW* toolInfo) const;
    virtual BOOL PerformKeyDown(HWND window, UINT key);
    virtual BOOL DrawParentBackground(CDC* dc, CRect rect);
    virtual CUTKMarkupContext* GetMarkupContext() const;
    virtual BOOL IsNavigateButtonAllowed(const CUTKTabManagerNavigateButton* button) const;
    virtual void OnItemClick(CUTKTabManagerItem* item);
    virtual BOOL OnBeforeItemClick(CUTKTabManagerItem* item);
    virtual void ReOrder(HWND window, CPoint point, CUTKTabManagerItem* item);
    virtual void OnItemsSwapped(CUTKTabManagerItem* item, CUTKTabManagerItem* other);
    virtual void OnItemReordered(CUTKTabManagerItem* item, int oldIndex, int newIndex);
    virtual void OnNavigateButtonClickId(int id);
    virtual void OnNavigateButtonClick(CUTKTabManagerNavigateButton* button);
    virtual BOOL IsMouseLocked() const;
    virtual BOOL HeaderHasFocus() const;
    virtual void OnHook(int first, int second, int third);

    // Items.
    CUTKTabManagerItem* AddItem(int index, CUTKTabManagerItem* item = nullptr);
    BOOL DeleteItem(int index);
    void DeleteAllItems();
    int GetItemCount() const { return static_cast<int>(m_arrItems.size()); }
    CUTKTabManagerItem* GetItem(int index) const;
    int FindIndex(const CUTKTabManagerItem* item) const;
    int GetCurSel() const;
    void SetCurSel(int index);
    CUTKTabManagerItem* GetSelectedItem() const { return m_pSelected; }
    CUTKTabManagerItem* GetHotItem() const { return m_pHighlighted; }
    CUTKTabManagerItem* GetPressedItem() const { return m_pPressed; }
    CUTKTabManagerNavigateButton* GetHotButton() const { return m_pHighlightedNavigateButton; }

    // Hit testing and navigation.
    CUTKTabManagerItem* HitTest(CPoint point) const;
    CUTKTabManagerNavigateButton* HitTestNavigateButton(CPoint point, BOOL headerOnly,
                                                        int* index = nullptr) const;
    CUTKTabManagerNavigateButton* FindNavigateButton(int id) const;
    CUTKTabManagerItem* FindNextFocusable(int index, int step) const;
    void PerformMouseMove(HWND window, CPoint point);
    BOOL PerformClick(HWND window, CPoint point, BOOL noItemClick = FALSE);
    void TrackClick(HWND window, CPoint point, CUTKTabManagerItem* item);

    // Scrolling and state.
    void SetScrollOffset(int offset);
    int GetScrollOffset() const { return m_nHeaderOffset; }
    void EnsureVisible(CUTKTabManagerItem* item);
    int GetLayout() const;
    void SetActive(BOOL active);
    BOOL IsActive() const { return m_bActive; }
    void SetCloseButtonMode(int mode) { m_nCloseButtonMode = mode; }
    int GetCloseButtonMode() const { return m_nCloseButtonMode; }
    BOOL IsHorizontalPosition() const;
    int GetRectLength(const RECT& rect) const;
    void SetMarkupContext(CUTKMarkupContext* context) { m_pMarkupContext = context; }
    // Joins the paint manager's list of managers told about option changes (leaving the
    // previous one); the manager keeps a reference on it and leaves it when destroyed.
    void AttachPaintManager(CUTKTabPaintManager* paint);

    CRect GetHeaderRect() const { return m_rcHeaderRect; }
    CRect GetControlRect() const { return m_rcControl; }
    CRect GetClientRect() const { return m_rcClient; }
    CRowIndexer* GetRowIndexer() const { return m_pRowIndexer.get(); }
    const std::vector<CUTKTabManagerNavigateButton*>& GetNavigateButtons() const
    {
        return m_arrNavigateButtons;
    }

    // The automatic colour entries 0x1000000 .. 0x1000007 resolved to RGB.
    static COLORREF ResolveAutomaticColor(COLORREF color);
    static constexpr COLORREF kAutomaticColorBase = 0x1000000;

protected:
    friend class CUTKTabManagerItem;
    friend class CUTKTabManagerNavigateButton;
    friend class CUTKTabPaintManager;

    CUTKTabManagerItem* m_pSelected = nullptr;
    CUTKTabManagerItem* m_pHighlighted = nullptr;
    CUTKTabManagerItem* m_pPressed = nullptr;
    CUTKTabManagerNavigateButton* m_pHighlightedNavigateButton = nullptr;
    int m_nHeaderOffset = 0;
    BOOL m_bAllowReorder = TRUE;
    BOOL m_bActive = TRUE;
    int m_nCloseButtonMode = 0;

public:
    CRect m_rcHeaderRect;
    CRect m_rcControl;
    CRect m_rcClient;

protected:
    std::vector<CUTKTabManagerItem*> m_arrItems;
    std::vector<CUTKTabManagerNavigateButton*> m_arrNavigateButtons;
    CUTKWinThemeWrapper m_themeTabButton{TRUE};
    std::unique_ptr<CRowIndexer> m_pRowIndexer;
    int m_nScrollDelta = 20;
    CUTKMarkupContext* m_pMarkupContext = nullptr;
    // The button whose press loop runs; cleared by that button's destructor.
    CUTKTabManagerNavigateButton* m_pTrackedNavigateButton = nullptr;
    CUTKTabPaintManager* m_pAttachedPaintManager = nullptr;

private:
    void RedrawItem(const CUTKTabManagerItem* item, BOOL leaving);
    void ArmMouseLeave(HWND window) const;
};
