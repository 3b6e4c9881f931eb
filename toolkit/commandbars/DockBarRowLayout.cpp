// DockBarRowLayout: the passes that place the toolbars of a dock bar's rows (push apart, pull
// back, shrink to the minimum, wrap the furthest into a new row) and the commit that records
// where each window goes.
#include "toolkit/commandbars/DockBarRowLayout.h"

#include <algorithm>
#include <utility>

DockBarRowLayout::DockBarRowLayout(Measure& measure, std::vector<Bar> bars, BOOL horizontal,
                                   BOOL hideAllowed)
    : m_measure(measure), m_bars(std::move(bars)), m_bHorizontal(horizontal),
      m_bHideAllowed(hideAllowed)
{
}

DWORD DockBarRowLayout::LayoutMode(BOOL horizontal, DWORD flags, BOOL hideAllowed)
{
    DWORD mode = horizontal ? (kModeHorzDock | kModeHorz) : kModeVertDock;
    if (flags & kFlagStretched)
        mode |= kModeStretch;
    if ((flags & kFlagHideWrap) && hideAllowed)
        mode |= kModeHideWrap;
    return mode;
}

DWORD DockBarRowLayout::ModeOf(int bar) const
{
    return LayoutMode(m_bHorizontal, m_bars[static_cast<size_t>(bar)].flags, m_bHideAllowed);
}

CSize DockBarRowLayout::Calc(int bar, int length, DWORD mode)
{
    return m_measure.CalcDockingLayout(bar, length, mode);
}

CSize DockBarRowLayout::CalcDockBarSize(const std::vector<std::vector<int>>& rows, int length,
                                        BOOL stretch, BOOL commit)
{
    m_placements.clear();
    CSize size(0, 0);
    if (stretch) {
        if (m_bHorizontal)
            size.cx = kStretchLength;
        else
            size.cy = kStretchLength;
    }
    int offset = 0;
    for (const std::vector<int>& row : rows) {
        if (row.empty())
            continue;
        offset += LayoutRow(row, offset, length, commit);
        if (m_bHorizontal)
            size.cy = std::max<LONG>(size.cy, offset);
        else
            size.cx = std::max<LONG>(size.cx, offset);
    }
    return size;
}

int DockBarRowLayout::LayoutRow(std::vector<int> row, int offset, int length, BOOL commit)
{
    // Toolbars that wrap keep their array order in the next row.
    const std::vector<int> order = row;
    auto position = [&order](int bar) { return std::find(order.begin(), order.end(), bar); };
    int total = 0;
    while (!row.empty()) {
        std::vector<int> overflow;
        int thickness = 0;
        for (;;) {
            int overflowBar = -1;
            thickness = AdjustRow(row, offset, length, commit, overflowBar);
            if (thickness >= 0)
                break;
            auto it = std::find(row.begin(), row.end(), overflowBar);
            if (it == row.end() || row.size() < 2) {
                // A row of one never overflows; this guards the loop against a bar it lost.
                thickness = 0;
                break;
            }
            overflow.push_back(*it);
            row.erase(it);
        }
        total += thickness;
        offset += thickness;
        std::sort(overflow.begin(), overflow.end(),
                  [&](int a, int b) { return position(a) < position(b); });
        row = std::move(overflow);
    }
    return total;
}

int DockBarRowLayout::AdjustRow(const std::vector<int>& row, int offset, int length,
                                BOOL commit, int& overflowBar)
{
    overflowBar = -1;
    std::vector<Record> records;
    records.reserve(row.size());
    for (size_t i = 0; i < row.size(); ++i) {
        Record r;
        r.bar = row[i];
        r.index = static_cast<int>(i);
        const CSize size = Calc(r.bar, length, ModeOf(r.bar));
        r.start = m_bars[static_cast<size_t>(r.bar)].dockedEdge;
        r.length = Along(size);
        r.across = Across(size);
        r.wanted = r.start;
        records.push_back(r);
    }
    if (records.empty())
        return 0;
    std::stable_sort(records.begin(), records.end(),
                     [](const Record& a, const Record& b) { return a.start < b.start; });

    // Overlaps push the later-given toolbar forward, and a pushed one pushes on.
    for (size_t k = 1; k < records.size(); ++k) {
        Record& prev = records[k - 1];
        Record& cur = records[k];
        if (cur.start < prev.End() && (cur.index > prev.index || prev.pushed)) {
            cur.start = prev.End();
            cur.pushed = TRUE;
        }
    }
    // From the end back: what reaches past the row end, or past a pulled neighbour, comes back.
    int limit = length;
    for (size_t k = records.size(); k-- > 0;) {
        Record& cur = records[k];
        const BOOL last = k + 1 == records.size();
        if (cur.End() > limit &&
            (last || cur.index > records[k + 1].index || records[k + 1].pulled)) {
            cur.start = limit - cur.length;
            cur.pulled = TRUE;
        }
        limit = cur.start;
    }
    // Nothing starts before the row does: what the pull-back took past the row start comes
    // forward again and leaves the overlong row to the shrinking below.
    int previousEnd = 0;
    for (Record& r : records) {
        r.start = std::max(r.start, previousEnd);
        previousEnd = r.End();
    }

    if (records.back().End() > length) {
        int sum = 0;
        for (Record& r : records) {
            const DWORD mode = ModeOf(r.bar);
            r.minLength = (mode & kModeHideWrap) ? Along(Calc(r.bar, 1, mode)) : length;
            r.minBefore = sum;
            sum += r.minLength;
        }
        limit = length;
        for (size_t k = records.size(); k-- > 0;) {
            Record& r = records[k];
            int edge = std::min(r.wanted, r.start);
            edge = std::max(edge, limit - r.length);
            edge = std::max(edge, r.minBefore);
            edge = std::min(edge, limit - r.minLength);
            if (edge < r.minBefore && records.size() > 1) {
                overflowBar = records.back().bar;
                return -1;
            }
            edge = std::max(edge, 0);
            r.start = edge;
            r.length = limit - edge;
            limit = edge;
        }
    }

    int thickness = 0;
    for (Record& r : records) {
        thickness = std::max(thickness, Across(Calc(r.bar, r.length, ModeOf(r.bar))));
    }
    if (!commit)
        return thickness;

    for (size_t k = 0; k < records.size(); ++k) {
        Record& r = records[k];
        DWORD mode = ModeOf(r.bar) | kModeCommit;
        int start = r.start;
        int along = r.length;
        if (m_bars[static_cast<size_t>(r.bar)].flags & kFlagFillRow) {
            start = k == 0 ? 0 : records[k - 1].End();
            const int end = k + 1 == records.size() ? length : records[k + 1].start;
            along = std::max(end - start, 0);
            mode |= kModeStretch;
        }
        const CSize size = Calc(r.bar, along, mode);
        r.start = start;
        r.length = Along(size);
        Placement placement;
        placement.bar = r.bar;
        placement.mode = mode;
        placement.rect = m_bHorizontal
                             ? CRect(start, offset, start + size.cx, offset + size.cy)
                             : CRect(offset, start, offset + size.cx, start + size.cy);
        m_placements.push_back(placement);
    }
    return thickness;
}
