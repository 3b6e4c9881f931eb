#include "toolkit/tabmanager/CUTKTabManager.h"

#include "toolkit/tabmanager/CUTKTabManagerNavigateButtons.h"
#include "toolkit/tabmanager/CUTKTabPaintManager.h"
#include "toolkit/tabmanager/CUTKTabPaintManagerAppearanceSet.h"
#include "toolkit/tabmanager/TabMarkupSeam.h"
#include "toolkit/tabmanager/TabToolTipSeam.h"

#include <algorithm>

namespace {

constexpr COLORREF kAutomaticColors[8] = {
    RGB(138, 168, 228), RGB(255, 219, 117), RGB(189, 205, 159), RGB(240, 158, 159),
    RGB(186, 166, 225), RGB(154, 191, 180), RGB(247, 182, 131), RGB(216, 171, 192),
};

}  // namespace

CUTKTabManager::CRowIndexer::CRowIndexer(CUTKTabManager* manager) : m_pManager(manager)
{
    (void)SetRowCount(1);
}

CUTKTabManager::CRowIndexer::ROW_ITEMS* CUTKTabManager::CRowIndexer::SetRowCount(int count)
{
    count = std::max(count, 0);
    if (count != GetRowCount()) {
        // New entries start zeroed, never holding what the memory held before.
        m_rows.assign(static_cast<size_t>(count), ROW_ITEMS{});
    }
    if (count >= 1) {
        m_rows[0].nFirstItem = 0;
        m_rows[0].nLastItem = m_pManager->GetItemCount() - 1;
    }
    return m_rows.data();
}

CUTKTabManager::CUTKTabManager() : m_pRowIndexer(std::make_unique<CRowIndexer>(this))
{
    using Button = CUTKTabManagerNavigateButton;
    m_arrNavigateButtons.push_back(new CNavigateButtonArrowLeft(this, Button::showWhenNeeded));
    m_arrNavigateButtons.push_back(new CNavigateButtonArrowRight(this, Button::showWhenNeeded));
    m_arrNavigateButtons.push_back(new CNavigateButtonClose(this, Button::showNever));
}

CUTKTabManager::~CUTKTabManager()
{
    AttachPaintManager(nullptr);
    std::vector<CUTKTabManagerItem*> items;
    items.swap(m_arrItems);
    m_pSelected = m_pHighlighted = m_pPressed = nullptr;
    for (CUTKTabManagerItem* item : items) {
        item->OnRemoved();
        item->InternalRelease();
    }
    std::vector<CUTKTabManagerNavigateButton*> buttons;
    buttons.swap(m_arrNavigateButtons);
    for (CUTKTabManagerNavigateButton* button : buttons) {
        delete button;
    }
    TabMarkupReleaseContext(m_pMarkupContext);
}

void CUTKTabManager::AttachPaintManager(CUTKTabPaintManager* paint)
{
    if (paint == m_pAttachedPaintManager) {
        return;
    }
    if (m_pAttachedPaintManager != nullptr) {
        m_pAttachedPaintManager->DetachManager(this);
        m_pAttachedPaintManager->InternalRelease();
    }
    m_pAttachedPaintManager = paint;
    if (paint != nullptr) {
        paint->InternalAddRef();
        paint->AttachManager(this);
    }
}

COLORREF CUTKTabManager::ResolveAutomaticColor(COLORREF color)
{
    if (color >= kAutomaticColorBase && color < kAutomaticColorBase + 8) {
        return kAutomaticColors[color - kAutomaticColorBase];
    }
    return color;
}

CString CUTKTabManager::GetItemCaption(const CUTKTabManagerItem* item) const
{
    return item->m_strCaption;
}

int CUTKTabManager::GetItemImage(const CUTKTabManagerItem* item) const
{
    return item->m_nImage;
}

COLORREF CUTKTabManager::GetItemColor(const CUTKTabManagerItem* item) const
{
    return ResolveAutomaticColor(item->m_clrItem);
}

CString CUTKTabManager::GetItemTooltip(const CUTKTabManagerItem* item) const
{
    return item->m_strToolTip;
}

void CUTKTabManager::OnItemsChanged()
{
    for (size_t i = 0; i < m_arrItems.size(); ++i) {
        m_arrItems[i]->m_nIndex = static_cast<int>(i);
    }
    Reposition();
}

void CUTKTabManager::SetSelectedItem(CUTKTabManagerItem* item)
{
    if (m_pSelected == item) {
        return;
    }
    m_pSelected = item;
    Reposition();
    EnsureVisible(item);
}

void CUTKTabManager::PerformItemClick(CUTKTabManagerItem* item)
{
    if (item != nullptr && OnBeforeItemClick(item)) {
        OnItemClick(item);
    }
}

void CUTKTabManager::GetItemMetrics(CSize* fixed, CSize* minimum, CSize* maximum) const
{
    CUTKTabPaintManager* paint = GetPaintManager();
    if (paint == nullptr) {
        return;
    }
    if (fixed != nullptr) {
        *fixed = CSize(paint->m_nFixedTabWidth, 0);
    }
    if (minimum != nullptr) {
        *minimum = CSize(paint->m_nMinTabWidth, 0);
    }
    if (maximum != nullptr) {
        *maximum = CSize(paint->m_nMaxTabWidth, 0);
    }
}

int CUTKTabManager::GetItemsLength() const
{
    CUTKTabPaintManager* paint = GetPaintManager();
    if (paint != nullptr && paint->GetLayout() == CUTKTabPaintManager::layoutRotated &&
        paint->GetAppearanceSet() != nullptr) {
        return GetItemCount() *
               paint->GetAppearanceSet()->GetHeaderHeight(const_cast<CUTKTabManager*>(this));
    }
    int total = 0;
    for (const CUTKTabManagerItem* item : m_arrItems) {
        total += item->m_nLength;
    }
    return total;
}

void CUTKTabManager::OnHook(int argument)
{
    (void)argument;
}

BOOL CUTKTabManager::IsAllowReorder() const
{
    return m_bAllowReorder;
}

void CUTKTabManager::SetAllowReorder(BOOL allow)
{
    m_bAllowReorder = allow;
}

BOOL CUTKTabManager::IsDrawStaticFrame() const
{
    CUTKTabPaintManager* paint = GetPaintManager();
    return paint != nullptr && paint->m_bStaticFrame;
}

int CUTKTabManager::GetPosition() const
{
    CUTKTabPaintManager* paint = GetPaintManager();
    return paint != nullptr ? paint->GetPosition() : CUTKTabPaintManager::positionTop;
}

void CUTKTabManager::OnScroll(BOOL towardsEnd)
{
    SetScrollOffset(towardsEnd ? m_nHeaderOffset - m_nScrollDelta
                               : m_nHeaderOffset + m_nScrollDelta);
}

INT_PTR CUTKTabManager::PerformToolHitTest(HWND window, CPoint point, TOOLINFOW* toolInfo) const
{
    if (IsMouseLocked()) {
        return -1;
    }
    int index = -1;
    if (CUTKTabManagerNavigateButton* button = HitTestNavigateButton(point, FALSE, &index)) {
        if (!button->GetTooltip().IsEmpty()) {
            TabFillToolInfo(toolInfo, window, button->GetRect(), index, button->GetTooltip());
            return index;
        }
    }
    CUTKTabManagerItem* item = HitTest(point);
    CUTKTabPaintManager* paint = GetPaintManager();
    if (item != nullptr && paint != nullptr && paint->m_nToolTipBehaviour != 0 &&
        (paint->m_nToolTipBehaviour != 2 || item->m_nLength < item->m_nIdealLength)) {
        const CString tooltip = GetItemTooltip(item);
        if (!tooltip.IsEmpty()) {
            TabFillToolInfoEx(toolInfo, window, item->m_rcItem, item->m_nIndex, tooltip,
                              GetItemCaption(item));
            return item->m_nIndex;
        }
    }
    return -1;
}

BOOL CUTKTabManager::PerformKeyDown(HWND window, UINT key)
{
    const int count = GetItemCount();
    if (count == 0) {
        return FALSE;
    }
    if (window != nullptr && (::GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0) {
        if (key == VK_LEFT) {
            key = VK_RIGHT;
        } else if (key == VK_RIGHT) {
            key = VK_LEFT;
        }
    }
    const BOOL horizontal = IsHorizontalPosition();
    const int selected = GetCurSel();
    switch (key) {
    case VK_HOME:
        PerformItemClick(FindNextFocusable(-1, +1));
        return TRUE;
    case VK_END:
        PerformItemClick(FindNextFocusable(count, -1));
        return TRUE;
    case VK_LEFT:
    case VK_UP:
        if ((key == VK_LEFT) == (horizontal != FALSE) && selected > 0) {
            PerformItemClick(FindNextFocusable(selected, -1));
        }
        return TRUE;
    case VK_RIGHT:
    case VK_DOWN:
        if ((key == VK_RIGHT) == (horizontal != FALSE) && selected >= 0 && selected < count - 1) {
            PerformItemClick(FindNextFocusable(selected, +1));
        }
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL CUTKTabManager::DrawParentBackground(CDC* dc, CRect rect)
{
    (void)dc;
    (void)rect;
    return FALSE;
}

CUTKMarkupContext* CUTKTabManager::GetMarkupContext() const
{
    return m_pMarkupContext;
}

BOOL CUTKTabManager::IsNavigateButtonAllowed(const CUTKTabManagerNavigateButton* button) const
{
    if (button->GetId() != CUTKTabManagerNavigateButton::idClose) {
        return TRUE;
    }
    return m_pSelected != nullptr && m_pSelected->IsClosable();
}

void CUTKTabManager::OnItemClick(CUTKTabManagerItem* item)
{
    SetSelectedItem(item);
}

BOOL CUTKTabManager::OnBeforeItemClick(CUTKTabManagerItem* item)
{
    (void)item;
    return TRUE;
}

void CUTKTabManager::OnItemsSwapped(CUTKTabManagerItem* item, CUTKTabManagerItem* other)
{
    (void)item;
    (void)other;
}

void CUTKTabManager::OnItemReordered(CUTKTabManagerItem* item, int oldIndex, int newIndex)
{
    (void)item;
    (void)oldIndex;
    (void)newIndex;
}

void CUTKTabManager::OnNavigateButtonClickId(int id)
{
    (void)id;
}

void CUTKTabManager::OnNavigateButtonClick(CUTKTabManagerNavigateButton* button)
{
    OnNavigateButtonClickId(button->GetId());
}

BOOL CUTKTabManager::IsMouseLocked() const
{
    return FALSE;
}

BOOL CUTKTabManager::HeaderHasFocus() const
{
    return FALSE;
}

void CUTKTabManager::OnHook(int first, int second, int third)
{
    (void)first;
    (void)second;
    (void)third;
}

CUTKTabManagerItem* CUTKTabManager::AddItem(int index, CUTKTabManagerItem* item)
{
    if (item == nullptr) {
        item = new CUTKTabManagerItem();
    }
    item->m_pTabManager = this;
    const int count = GetItemCount();
    if (index < 0 || index > count) {
        index = count;
    }
    m_arrItems.insert(m_arrItems.begin() + index, item);
    if (CUTKTabPaintManager* paint = GetPaintManager()) {
        item->m_clrItem = kAutomaticColorBase + static_cast<COLORREF>(paint->NextTabColorIndex() % 8);
    }
    if (m_nCloseButtonMode != 0) {
        item->m_arrButtons.push_back(new CNavigateButtonTabClose(this, item, m_nCloseButtonMode));
    }
    OnItemsChanged();
    return item;
}

BOOL CUTKTabManager::DeleteItem(int index)
{
    if (index < 0 || index >= GetItemCount()) {
        return FALSE;
    }
    CUTKTabManagerItem* item = m_arrItems[static_cast<size_t>(index)];
    const BOOL wasSelected = item == m_pSelected;
    if (m_pHighlighted == item) {
        m_pHighlighted = nullptr;
    }
    // A click loop may hold this tab: it keeps its own reference, the pointer goes.
    if (m_pPressed == item) {
        m_pPressed = nullptr;
    }
    m_arrItems.erase(m_arrItems.begin() + index);
    item->OnRemoved();
    item->InternalRelease();
    if (wasSelected) {
        m_pSelected = nullptr;
        SetCurSel(index);
    }
    OnItemsChanged();
    return TRUE;
}

void CUTKTabManager::DeleteAllItems()
{
    std::vector<CUTKTabManagerItem*> items;
    items.swap(m_arrItems);
    m_pPressed = m_pSelected = m_pHighlighted = nullptr;
    for (CUTKTabManagerItem* item : items) {
        item->OnRemoved();
        item->InternalRelease();
    }
    OnItemsChanged();
}

CUTKTabManagerItem* CUTKTabManager::GetItem(int index) const
{
    if (index < 0 || index >= GetItemCount()) {
        return nullptr;
    }
    return m_arrItems[static_cast<size_t>(index)];
}

int CUTKTabManager::FindIndex(const CUTKTabManagerItem* item) const
{
    auto it = std::find(m_arrItems.begin(), m_arrItems.end(), item);
    return it == m_arrItems.end() ? -1 : static_cast<int>(it - m_arrItems.begin());
}

int CUTKTabManager::GetCurSel() const
{
    return m_pSelected != nullptr ? FindIndex(m_pSelected) : -1;
}

void CUTKTabManager::SetCurSel(int index)
{
    const int count = GetItemCount();
    if (count == 0) {
        SetSelectedItem(nullptr);
        return;
    }
    SetSelectedItem(m_arrItems[static_cast<size_t>(std::clamp(index, 0, count - 1))]);
}

CUTKTabManagerItem* CUTKTabManager::HitTest(CPoint point) const
{
    if (!m_rcControl.PtInRect(point)) {
        return nullptr;
    }
    if (!m_rcHeaderRect.IsRectEmpty() && !m_rcHeaderRect.PtInRect(point)) {
        return nullptr;
    }
    for (CUTKTabManagerItem* item : m_arrItems) {
        if (item->m_rcItem.PtInRect(point) && item->IsVisible() && item->IsEnabled()) {
            return item;
        }
    }
    return nullptr;
}

CUTKTabManagerNavigateButton* CUTKTabManager::HitTestNavigateButton(CPoint point,
                                                                    BOOL headerOnly,
                                                                    int* index) const
{
    const std::vector<CUTKTabManagerNavigateButton*>* lists[2] = {&m_arrNavigateButtons,
                                                                  nullptr};
    if (!headerOnly) {
        if (CUTKTabManagerItem* item = HitTest(point)) {
            lists[1] = &item->m_arrButtons;
        }
    }
    for (const auto* list : lists) {
        if (list == nullptr) {
            continue;
        }
        for (size_t i = 0; i < list->size(); ++i) {
            CUTKTabManagerNavigateButton* button = (*list)[i];
            if (!button->GetRect().PtInRect(point)) {
                continue;
            }
            // The first button under the point decides, even a disabled one.
            if (!button->IsEnabled()) {
                return nullptr;
            }
            if (index != nullptr) {
                *index = static_cast<int>(i);
            }
            return button;
        }
    }
    return nullptr;
}

CUTKTabManagerNavigateButton* CUTKTabManager::FindNavigateButton(int id) const
{
    for (CUTKTabManagerNavigateButton* button : m_arrNavigateButtons) {
        if (button->GetId() == id) {
            return button;
        }
    }
    return nullptr;
}

CUTKTabManagerItem* CUTKTabManager::FindNextFocusable(int index, int step) const
{
    const int count = GetItemCount();
    for (index += step; index >= 0 && index < count; index += step) {
        CUTKTabManagerItem* item = m_arrItems[static_cast<size_t>(index)];
        if (item == nullptr) {
            return nullptr;
        }
        if (item->IsVisible() && item->IsEnabled()) {
            return item;
        }
    }
    return nullptr;
}

void CUTKTabManager::SetScrollOffset(int offset)
{
    offset = std::min(offset, 0);
    if (offset == m_nHeaderOffset) {
        return;
    }
    m_nHeaderOffset = offset;
    Reposition();
}

void CUTKTabManager::EnsureVisible(CUTKTabManagerItem* item)
{
    if (item == nullptr) {
        return;
    }
    if (CUTKTabPaintManager* paint = GetPaintManager()) {
        paint->EnsureVisible(this, item);
    }
}

int CUTKTabManager::GetLayout() const
{
    CUTKTabPaintManager* paint = GetPaintManager();
    return paint != nullptr ? paint->GetLayout() : CUTKTabPaintManager::layoutAutoSize;
}

void CUTKTabManager::SetActive(BOOL active)
{
    if (m_bActive != active) {
        m_bActive = active;
        Reposition();
    }
}

BOOL CUTKTabManager::IsHorizontalPosition() const
{
    const int position = GetPosition();
    return position == CUTKTabPaintManager::positionTop ||
           position == CUTKTabPaintManager::positionBottom;
}

int CUTKTabManager::GetRectLength(const RECT& rect) const
{
    return IsHorizontalPosition() ? rect.right - rect.left : rect.bottom - rect.top;
}
