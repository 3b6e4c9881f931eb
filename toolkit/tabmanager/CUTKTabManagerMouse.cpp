// The tab manager's mouse handling: hot tracking and the modal click and reorder loops. The
// loops hold a reference to their tab, so a tab deleted by a message they dispatch stays
// valid until they end, and they never click or select a tab that has left the strip.
#include "toolkit/tabmanager/CUTKTabManager.h"

#include <windowsx.h>

#include "toolkit/common/UTKDrawFunctions.h"
#include "toolkit/tabmanager/CUTKTabPaintManager.h"
#include "toolkit/tabmanager/CUTKTabPaintManagerAppearanceSet.h"

namespace {

CPoint PointOf(const MSG& msg)
{
    return CPoint(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
}

// Holds a reference on a tab for a scope.
class ItemHold {
public:
    explicit ItemHold(CUTKTabManagerItem* item) : m_item(item)
    {
        if (m_item != nullptr) {
            m_item->InternalAddRef();
        }
    }
    ~ItemHold()
    {
        if (m_item != nullptr) {
            m_item->InternalRelease();
        }
    }
    ItemHold(const ItemHold&) = delete;
    ItemHold& operator=(const ItemHold&) = delete;

private:
    CUTKTabManagerItem* m_item;
};

// What ended a modal loop.
struct LoopEnd {
    BOOL quit = FALSE;
    WPARAM quitCode = 0;
};

// Releases the capture if the window still holds it and passes a seen WM_QUIT on.
void FinishLoop(HWND window, const LoopEnd& end)
{
    if (::GetCapture() == window) {
        ::ReleaseCapture();
    }
    if (end.quit) {
        ::PostQuitMessage(static_cast<int>(end.quitCode));
    }
}

}  // namespace

void CUTKTabManager::RedrawItem(const CUTKTabManagerItem* item, BOOL leaving)
{
    if (item == nullptr) {
        return;
    }
    CRect rect = item->m_rcItem;
    CUTKTabPaintManager* paint = GetPaintManager();
    if (paint != nullptr && paint->GetAppearanceSet() != nullptr) {
        rect = paint->GetAppearanceSet()->GetButtonDrawRect(item);
    }
    RedrawControl(&rect, leaving);
}

void CUTKTabManager::ArmMouseLeave(HWND window) const
{
    if (window == nullptr) {
        return;
    }
    TRACKMOUSEEVENT track = {};
    track.cbSize = sizeof(track);
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = window;
    track.dwHoverTime = 0;
    ::TrackMouseEvent(&track);
}

void CUTKTabManager::PerformMouseMove(HWND window, CPoint point)
{
    if (!IsTopParentActive(window) || IsMouseLocked()) {
        if (m_pHighlighted != nullptr) {
            CUTKTabManagerItem* old = m_pHighlighted;
            m_pHighlighted = nullptr;
            RedrawItem(old, TRUE);
        }
        return;
    }
    CUTKTabPaintManager* paint = GetPaintManager();
    if (paint != nullptr && paint->m_bHotTracking) {
        CUTKTabManagerItem* hot = HitTest(point);
        if (hot != m_pHighlighted) {
            CUTKTabManagerItem* old = m_pHighlighted;
            m_pHighlighted = hot;
            RedrawItem(old, TRUE);
            RedrawItem(hot, FALSE);
            ArmMouseLeave(window);
        }
    }
    CUTKTabManagerNavigateButton* button = HitTestNavigateButton(point, FALSE);
    if (button != m_pHighlightedNavigateButton) {
        CUTKTabManagerNavigateButton* old = m_pHighlightedNavigateButton;
        m_pHighlightedNavigateButton = button;
        if (old != nullptr) {
            const CRect rect = old->GetRect();
            RedrawControl(&rect, TRUE);
        }
        if (button != nullptr) {
            const CRect rect = button->GetRect();
            RedrawControl(&rect, FALSE);
        }
        ArmMouseLeave(window);
    }
}

BOOL CUTKTabManager::PerformClick(HWND window, CPoint point, BOOL noItemClick)
{
    if (CUTKTabManagerNavigateButton* button = HitTestNavigateButton(point, FALSE)) {
        button->PerformClick(window, point);
        return TRUE;
    }
    if (noItemClick) {
        return FALSE;
    }
    CUTKTabManagerItem* item = HitTest(point);
    if (item == nullptr || !OnBeforeItemClick(item)) {
        return FALSE;
    }
    CUTKTabPaintManager* paint = GetPaintManager();
    if (IsAllowReorder()) {
        ReOrder(window, point, item);
    } else if (paint != nullptr && paint->m_bSelectOnButtonDown) {
        OnItemClick(item);
    } else {
        TrackClick(window, point, item);
    }
    return TRUE;
}

void CUTKTabManager::TrackClick(HWND window, CPoint point, CUTKTabManagerItem* item)
{
    if (item == nullptr) {
        return;
    }
    ItemHold hold(item);
    CUTKTabPaintManager* paint = GetPaintManager();
    const BOOL hotTracking = paint != nullptr && paint->m_bHotTracking;
    if (hotTracking) {
        m_pHighlighted = item;
    }
    m_pPressed = item;
    Reposition();
    ::SetCapture(window);

    LoopEnd end;
    BOOL click = FALSE;
    while (::GetCapture() == window) {
        MSG msg;
        if (!::GetMessageW(&msg, nullptr, 0, 0)) {
            end.quit = TRUE;
            end.quitCode = msg.wParam;
            break;
        }
        if (::GetCapture() != window) {
            ::DispatchMessageW(&msg);
            break;
        }
        BOOL stop = FALSE;
        switch (msg.message) {
        case WM_CANCELMODE:
        case WM_RBUTTONDOWN:
            stop = TRUE;
            break;
        case WM_KEYDOWN:
            stop = msg.wParam == VK_ESCAPE;
            break;
        case WM_MOUSEMOVE: {
            point = PointOf(msg);
            const BOOL inStrip = FindIndex(item) >= 0;
            if (hotTracking) {
                CUTKTabManagerItem* hot =
                    inStrip && item->m_rcItem.PtInRect(point) ? item : nullptr;
                if (hot != m_pHighlighted) {
                    m_pHighlighted = hot;
                    RedrawItem(item, TRUE);
                }
            }
            break;
        }
        case WM_LBUTTONUP:
            point = PointOf(msg);
            click = TRUE;
            stop = TRUE;
            break;
        default:
            ::DispatchMessageW(&msg);
            break;
        }
        if (stop) {
            break;
        }
    }
    FinishLoop(window, end);
    m_pPressed = nullptr;
    PerformMouseMove(window, point);
    RedrawControl(nullptr, FALSE);
    if (click && FindIndex(item) >= 0 && item->m_rcItem.PtInRect(point)) {
        OnItemClick(item);
    }
}

void CUTKTabManager::ReOrder(HWND window, CPoint point, CUTKTabManagerItem* item)
{
    if (item == nullptr) {
        return;
    }
    ItemHold hold(item);
    CUTKTabManagerItem* remembered = m_pSelected;
    ItemHold holdSelected(remembered);
    m_pSelected = item;
    CUTKTabPaintManager* paint = GetPaintManager();
    if (paint != nullptr && paint->m_bHotTracking) {
        m_pHighlighted = item;
    }
    Reposition();

    // The slots stay where the tabs were when the drag began.
    std::vector<CRect> slots;
    slots.reserve(m_arrItems.size());
    for (const CUTKTabManagerItem* each : m_arrItems) {
        slots.push_back(each->m_rcItem);
    }
    const int oldIndex = FindIndex(item);
    ::SetCapture(window);

    LoopEnd end;
    while (::GetCapture() == window) {
        MSG msg;
        if (!::GetMessageW(&msg, nullptr, 0, 0)) {
            end.quit = TRUE;
            end.quitCode = msg.wParam;
            break;
        }
        if (::GetCapture() != window) {
            ::DispatchMessageW(&msg);
            break;
        }
        BOOL stop = FALSE;
        switch (msg.message) {
        case WM_CANCELMODE:
        case WM_LBUTTONUP:
        case WM_RBUTTONDOWN:
            point = msg.message == WM_LBUTTONUP ? PointOf(msg) : point;
            stop = TRUE;
            break;
        case WM_KEYDOWN:
            stop = msg.wParam == VK_ESCAPE;
            break;
        case WM_MOUSEMOVE: {
            point = PointOf(msg);
            const int current = FindIndex(item);
            if (current < 0) {
                break;
            }
            const int count = std::min(static_cast<int>(slots.size()), GetItemCount());
            for (int j = 0; j < count; ++j) {
                if (j != current && slots[static_cast<size_t>(j)].PtInRect(point)) {
                    CUTKTabManagerItem* other = m_arrItems[static_cast<size_t>(j)];
                    std::swap(m_arrItems[static_cast<size_t>(current)],
                              m_arrItems[static_cast<size_t>(j)]);
                    OnItemsChanged();
                    OnItemsSwapped(item, other);
                    break;
                }
            }
            break;
        }
        default:
            ::DispatchMessageW(&msg);
            break;
        }
        if (stop) {
            break;
        }
    }
    FinishLoop(window, end);
    PerformMouseMove(window, point);
    // Back to the earlier selection, so that the dragged tab is selected the normal way.
    m_pSelected = FindIndex(remembered) >= 0 ? remembered : nullptr;
    const int newIndex = FindIndex(item);
    if (newIndex >= 0) {
        OnItemClick(item);
        if (newIndex != oldIndex) {
            OnItemReordered(item, oldIndex, newIndex);
        }
    }
}
