// A window-less host of a tab strip for the tests: it owns a paint manager, re-lays out on a
// memory DC into its control rectangle whenever the manager asks, and records redraws and
// notifications. Tabs may carry a fixed length (GetData) through FixedLengthAppearance.
#pragma once

#include <windows.h>

#include "toolkit/tabmanager/CUTKTabManager.h"
#include "toolkit/tabmanager/CUTKTabPaintManager.h"
#include "toolkit/tabmanager/CUTKTabPaintManagerAppearanceSet.h"
#include "toolkit/tabmanager/CUTKTabPaintManagerColorSet.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace orvane::test {

// The property page, but each tab is as long as the number its data holds.
class FixedLengthAppearance : public CUTKTabPaintManager::CAppearanceSetPropertyPage {
public:
    int GetButtonLength(CDC* dc, CUTKTabManagerItem* item) override
    {
        (void)dc;
        return static_cast<int>(reinterpret_cast<intptr_t>(item->GetData()));
    }
};

class TabHost : public CUTKTabManager {
public:
    explicit TabHost(CUTKTabPaintManager* paint = nullptr) : m_paint(paint)
    {
        if (m_paint == nullptr) {
            m_paint = new CUTKTabPaintManager();
        } else {
            m_paint->InternalAddRef();
        }
        m_dc.CreateCompatibleDC(nullptr);
    }
    ~TabHost() override
    {
        DeleteAllItems();
        m_paint->InternalRelease();
    }

    CUTKTabPaintManager* GetPaintManager() const override { return m_paint; }
    void Reposition() override
    {
        ++m_repositions;
        if (!m_bounds.IsRectEmpty()) {
            m_paint->RepositionTabControl(this, &m_dc, m_bounds);
        }
    }
    void RedrawControl(const RECT* rect, BOOL leaving) override
    {
        m_redraws.emplace_back(rect != nullptr ? CRect(*rect) : CRect(), leaving);
    }
    BOOL DrawIcon(CDC* dc, CPoint point, CUTKTabManagerItem* item, BOOL draw,
                  CSize& size) const override
    {
        (void)dc;
        (void)point;
        (void)item;
        if (m_iconSize.cx > 0) {
            size = m_iconSize;
            return draw ? TRUE : item != nullptr;
        }
        return FALSE;
    }
    void OnItemsSwapped(CUTKTabManagerItem* item, CUTKTabManagerItem* other) override
    {
        m_swaps.emplace_back(item, other);
    }
    void OnItemReordered(CUTKTabManagerItem* item, int oldIndex, int newIndex) override
    {
        (void)item;
        m_reorders.emplace_back(oldIndex, newIndex);
    }
    void OnItemClick(CUTKTabManagerItem* item) override
    {
        ++m_clicks;
        CUTKTabManager::OnItemClick(item);
    }
    void OnNavigateButtonClickId(int id) override { m_buttonClicks.push_back(id); }

    // Lays the strip out in bounds (and keeps doing so on every Reposition).
    void LayOut(CRect bounds)
    {
        m_bounds = bounds;
        Reposition();
    }
    // Adds a tab of a fixed length (with FixedLengthAppearance installed).
    CUTKTabManagerItem* AddSized(int length, const wchar_t* caption = L"Tab")
    {
        CUTKTabManagerItem* item = new CUTKTabManagerItem();
        item->SetData(reinterpret_cast<void*>(static_cast<intptr_t>(length)));
        item->m_strCaption = caption;
        return AddItem(-1, item);
    }
    void UseFixedLengths() { m_paint->SetAppearanceSet(new FixedLengthAppearance()); }

    CUTKTabPaintManager* m_paint;
    CDC m_dc;
    CRect m_bounds;
    CSize m_iconSize{0, 0};
    int m_repositions = 0;
    int m_clicks = 0;
    std::vector<std::pair<CRect, BOOL>> m_redraws;
    std::vector<std::pair<CUTKTabManagerItem*, CUTKTabManagerItem*>> m_swaps;
    std::vector<std::pair<int, int>> m_reorders;
    std::vector<int> m_buttonClicks;
};

}  // namespace orvane::test
