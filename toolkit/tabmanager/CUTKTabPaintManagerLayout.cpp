// The tab-strip layout: header rectangle, tab lengths and rectangles, rows of the multi-row
// layout, navigate buttons, and keeping the scroll offset sensible.
#include "toolkit/tabmanager/CUTKTabPaintManager.h"

#include "toolkit/tabmanager/CUTKTabManager.h"
#include "toolkit/tabmanager/CUTKTabPaintManagerAppearanceSet.h"

#include <algorithm>

namespace {

// The multi-row fill tries other row breaks when a row overflows; past this many steps it
// gives up and the greedy rows stand, so the time stays bounded for any strip.
constexpr int kFillStepBudget = 4096;

class RowFill {
public:
    RowFill(std::vector<CUTKTabManagerItem*>& items,
            std::vector<CUTKTabManager::CRowIndexer::ROW_ITEMS>& rows, int available,
            BOOL justify)
        : m_items(items), m_rows(rows), m_available(available), m_justify(justify)
    {
    }

    BOOL Fill(int row, int start, int remaining)
    {
        if (++m_steps > kFillStepBudget) {
            return FALSE;
        }
        const int rowCount = static_cast<int>(m_rows.size());
        const int count = static_cast<int>(m_items.size());
        int target = m_available;
        if (m_justify) {
            target = std::min(remaining / (rowCount - row), m_available);
        }
        m_rows[static_cast<size_t>(row)].nFirstItem = start;
        int rowLength = 0;
        int i = start;
        while (i < count) {
            const int length = m_items[static_cast<size_t>(i)]->m_nLength;
            if (rowLength == 0 || length == 0 || rowLength + length <= target) {
                rowLength += length;
                m_items[static_cast<size_t>(i)]->m_nRow = row;
                ++i;
                continue;
            }
            if (row == rowCount - 1) {
                return FALSE;
            }
            m_rows[static_cast<size_t>(row)].nLastItem = i - 1;
            if (Fill(row + 1, i, remaining - rowLength)) {
                return TRUE;
            }
            if (m_steps > kFillStepBudget || rowLength + length > m_available) {
                return FALSE;
            }
            rowLength += length;
            m_items[static_cast<size_t>(i)]->m_nRow = row;
            ++i;
        }
        m_rows[static_cast<size_t>(row)].nLastItem = count - 1;
        for (int r = row + 1; r < rowCount; ++r) {
            m_rows[static_cast<size_t>(r)].nFirstItem = count;
            m_rows[static_cast<size_t>(r)].nLastItem = count - 1;
        }
        return TRUE;
    }

    // Rows as full as the available length allows, in order: always valid.
    void Greedy()
    {
        const int count = static_cast<int>(m_items.size());
        int row = 0;
        int running = 0;
        m_rows[0].nFirstItem = 0;
        for (int i = 0; i < count; ++i) {
            const int length = m_items[static_cast<size_t>(i)]->m_nLength;
            if (running > 0 && running + length > m_available &&
                row + 1 < static_cast<int>(m_rows.size())) {
                m_rows[static_cast<size_t>(row)].nLastItem = i - 1;
                ++row;
                m_rows[static_cast<size_t>(row)].nFirstItem = i;
                running = 0;
            }
            running += length;
        }
        m_rows[static_cast<size_t>(row)].nLastItem = count - 1;
        for (size_t r = static_cast<size_t>(row) + 1; r < m_rows.size(); ++r) {
            m_rows[r].nFirstItem = count;
            m_rows[r].nLastItem = count - 1;
        }
    }

private:
    std::vector<CUTKTabManagerItem*>& m_items;
    std::vector<CUTKTabManager::CRowIndexer::ROW_ITEMS>& m_rows;
    int m_available;
    BOOL m_justify;
    int m_steps = 0;
};

int StartOf(const RECT& rect, BOOL horizontal)
{
    return horizontal ? rect.left : rect.top;
}

int EndOf(const RECT& rect, BOOL horizontal)
{
    return horizontal ? rect.right : rect.bottom;
}

}  // namespace

CRect CUTKTabPaintManager::GetHeaderRectWithButtons(CRect client, CUTKTabManager* manager)
{
    CRect header = m_pAppearanceSet->GetHeaderRect(client, manager);
    if (manager->IsHorizontalPosition()) {
        header.right -= 1;
    } else {
        header.bottom -= 1;
    }
    const auto& buttons = manager->GetNavigateButtons();
    for (auto it = buttons.rbegin(); it != buttons.rend(); ++it) {
        (*it)->Reposition(header);
    }
    return header;
}

void CUTKTabPaintManager::SizeToFit(std::vector<CUTKTabManagerItem*>& items, int available)
{
    if (items.empty()) {
        return;
    }
    int total = 0;
    for (const CUTKTabManagerItem* item : items) {
        total += item->m_nLength;
    }
    if (total <= available) {
        return;
    }
    if (items.size() == 1) {
        items[0]->m_nLength = available;
        return;
    }
    std::vector<CUTKTabManagerItem*> sorted = items;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const CUTKTabManagerItem* a, const CUTKTabManagerItem* b) {
                         return a->m_nLength < b->m_nLength;
                     });
    int left = static_cast<int>(sorted.size());
    size_t i = 0;
    for (; i < sorted.size(); ++i) {
        if (left * sorted[i]->m_nLength >= available) {
            break;
        }
        available -= sorted[i]->m_nLength;
        --left;
    }
    for (; i < sorted.size(); ++i) {
        const int share = available / left;
        sorted[i]->m_nLength = share;
        available -= share;
        --left;
    }
}

void CUTKTabPaintManager::LayoutTabStrip(CUTKTabManager* manager, CDC* dc, CRect client)
{
    if (m_bStaticFrame) {
        DeflateRectForTabPosition(client, 2, 1, 2, 2, m_nPosition);
    }
    DeflateRectForTabPosition(client, m_rcControlMargin, m_nPosition);

    if (!m_bShowTabs) {
        manager->m_rcHeaderRect.SetRectEmpty();
        for (int i = 0; i < manager->GetItemCount(); ++i) {
            manager->GetItem(i)->SetRect(0, 0, 0, 0);
        }
        for (CUTKTabManagerNavigateButton* button : manager->GetNavigateButtons()) {
            button->SetRect(0, 0, 0, 0);
        }
        return;
    }
    if (m_nLayout == layoutMultiRow) {
        LayoutMultiRow(manager, dc, client);
        return;
    }
    std::vector<CUTKTabManagerItem*>& items = manager->m_arrItems;
    for (CUTKTabManagerItem* item : items) {
        const int length = item->IsVisible() ? m_pAppearanceSet->GetButtonLength(dc, item) : 0;
        item->m_nLength = item->m_nIdealLength = length;
        if (item->IsVisible()) {
            item->m_nLength += m_nExtraLength;
        }
    }
    if (items.empty()) {
        manager->m_rcHeaderRect = GetHeaderRectWithButtons(client, manager);
        return;
    }
    const BOOL horizontal = manager->IsHorizontalPosition();
    const CRect m = m_pAppearanceSet->GetHeaderMargin();
    const int h = m_pAppearanceSet->GetHeaderHeight(manager);

    int bandStart = 0;
    switch (m_nPosition) {
    case positionLeft:
        bandStart = client.left + m.top;
        break;
    case positionBottom:
        bandStart = client.bottom - m.top - h;
        break;
    case positionRight:
        bandStart = client.right - m.top - h;
        break;
    default:
        bandStart = client.top + m.top;
        break;
    }

    if (m_nLayout == layoutSizeToFit) {
        int available = manager->GetRectLength(client) - m.left - m.right;
        const auto& buttons = manager->GetNavigateButtons();
        for (auto it = buttons.rbegin(); it != buttons.rend(); ++it) {
            (*it)->AdjustWidth(available);
        }
        SizeToFit(items, available);
    }

    CRect header = GetHeaderRectWithButtons(client, manager);
    manager->m_rcHeaderRect = header;
    if (manager->m_nHeaderOffset < 0) {
        const int total = manager->GetItemsLength();
        const int space = manager->GetRectLength(header) - m.left - m.right;
        if (total + manager->m_nHeaderOffset < space) {
            manager->m_nHeaderOffset = space - total <= 0 ? space - total : 0;
            header = GetHeaderRectWithButtons(client, manager);
            manager->m_rcHeaderRect = header;
        }
    }

    int along = StartOf(header, horizontal) + manager->m_nHeaderOffset + m.left;
    if (m_nLayout == layoutRotated) {
        for (CUTKTabManagerItem* item : items) {
            if (!item->IsVisible()) {
                continue;
            }
            const int length = item->m_nLength;
            switch (m_nPosition) {
            case positionLeft:
                item->SetRect(header.right - m.bottom - length, along, header.right - m.bottom,
                              along + h);
                break;
            case positionBottom:
                item->SetRect(along, header.top + m.bottom, along + h,
                              header.top + m.bottom + length);
                break;
            case positionRight:
                item->SetRect(header.left + m.bottom, along, header.left + m.bottom + length,
                              along + h);
                break;
            default:
                item->SetRect(along, header.bottom - m.bottom - length, along + h,
                              header.bottom - m.bottom);
                break;
            }
            along += h;
        }
        return;
    }
    for (CUTKTabManagerItem* item : items) {
        const int length = item->m_nLength;
        if (horizontal) {
            item->SetRect(along, bandStart, along + length, bandStart + h);
        } else {
            item->SetRect(bandStart, along, bandStart + h, along + length);
        }
        along += length;
    }
}

void CUTKTabPaintManager::LayoutMultiRow(CUTKTabManager* manager, CDC* dc, CRect client)
{
    CRect header = GetHeaderRectWithButtons(client, manager);
    manager->m_rcHeaderRect = header;
    manager->m_nHeaderOffset = 0;
    std::vector<CUTKTabManagerItem*>& items = manager->m_arrItems;
    if (items.empty()) {
        return;
    }
    const BOOL horizontal = manager->IsHorizontalPosition();
    const CRect m = m_pAppearanceSet->GetHeaderMargin();
    const int h = m_pAppearanceSet->GetHeaderHeight(manager);
    const int available = manager->GetRectLength(header) - m.left - m.right;

    int rowCount = 1;
    int running = 0;
    int total = 0;
    for (CUTKTabManagerItem* item : items) {
        const int length = item->IsVisible() ? m_pAppearanceSet->GetButtonLength(dc, item) : 0;
        item->m_nLength = item->m_nIdealLength = length;
        total += length;
        if (running > 0 && running + length > available) {
            ++rowCount;
            running = 0;
        }
        running += length;
    }
    CUTKTabManager::CRowIndexer* indexer = manager->GetRowIndexer();
    (void)indexer->SetRowCount(rowCount);
    std::vector<CUTKTabManager::CRowIndexer::ROW_ITEMS> rows(
        indexer->GetRowItems(), indexer->GetRowItems() + rowCount);

    if (rowCount > 1) {
        RowFill fill(items, rows, available, m_bMultiRowJustified);
        if (!fill.Fill(0, 0, total)) {
            fill.Greedy();
        }
        if (!m_bMultiRowFixedSelection && manager->GetSelectedItem() != nullptr) {
            const int selected = manager->FindIndex(manager->GetSelectedItem());
            for (int r = 0; r < rowCount; ++r) {
                if (selected >= rows[static_cast<size_t>(r)].nFirstItem &&
                    selected <= rows[static_cast<size_t>(r)].nLastItem) {
                    std::swap(rows[0], rows[static_cast<size_t>(r)]);
                    break;
                }
            }
        }
    }
    std::copy(rows.begin(), rows.end(), indexer->GetRowItems());

    const int spacing = m_pAppearanceSet->m_nRowMargin;
    for (int r = 0; r < rowCount; ++r) {
        const auto& row = rows[static_cast<size_t>(r)];
        int across = 0;
        if (m_nPosition == positionTop || m_nPosition == positionLeft) {
            const int outer = m_nPosition == positionTop ? client.top : client.left;
            across = outer + m.top + (rowCount - 1 - r) * (h + spacing);
        } else {
            const int farEdge = m_nPosition == positionBottom ? client.bottom : client.right;
            across = farEdge - (rowCount - 1) * spacing - h * rowCount - m.top + r * (h + spacing);
        }
        if (m_bMultiRowJustified && rowCount > 1) {
            int given = 0;
            for (int k = row.nFirstItem; k <= row.nLastItem; ++k) {
                int rest = 0;
                for (int j = k; j <= row.nLastItem; ++j) {
                    rest += items[static_cast<size_t>(j)]->m_nLength;
                }
                CUTKTabManagerItem* item = items[static_cast<size_t>(k)];
                item->m_nLength += (available - given - rest) / (row.nLastItem - k + 1);
                given += item->m_nLength;
            }
        }
        int along = StartOf(header, horizontal) + m.left;
        for (int k = row.nFirstItem; k <= row.nLastItem; ++k) {
            CUTKTabManagerItem* item = items[static_cast<size_t>(k)];
            item->m_nRow = r;
            const int length = item->m_nLength;
            if (horizontal) {
                item->SetRect(along, across, along + length, across + h);
            } else {
                item->SetRect(across, along, across + h, along + length);
            }
            along += length;
        }
    }
    manager->m_rcHeaderRect = GetHeaderRectWithButtons(client, manager);
}

void CUTKTabPaintManager::EnsureVisible(CUTKTabManager* manager, CUTKTabManagerItem* item)
{
    const CRect header = manager->m_rcHeaderRect;
    const CRect tab = item->m_rcItem;
    if (header.IsRectEmpty() || tab.IsRectEmpty() || m_nLayout == layoutSizeToFit) {
        return;
    }
    const BOOL horizontal = manager->IsHorizontalPosition();
    const CRect m = m_pAppearanceSet->GetHeaderMargin();
    int offset = manager->GetScrollOffset();
    if (StartOf(tab, horizontal) < StartOf(header, horizontal)) {
        offset += m.left + StartOf(header, horizontal) - StartOf(tab, horizontal);
    } else if (EndOf(tab, horizontal) > EndOf(header, horizontal)) {
        offset = offset + EndOf(header, horizontal) - EndOf(tab, horizontal) - 2;
    }
    manager->SetScrollOffset(offset);
}
