// Window-free placement of command-bar controls in toolbars and popup bars: wrapping, placing,
// the bisections for a balanced or fitting shape, bands, far alignment, stretching and the
// large-button demotion. Coordinates are relative to the bar's content until the commit step
// moves them inside the borders.
#include "toolkit/controls/ControlLayout.h"

#include <algorithm>
#include <climits>

namespace {

bool IsPlaced(const ControlLayoutRecord& record)
{
    return record.visible && !record.hidden;
}

int Along(SIZE size, bool vertical)
{
    return vertical ? size.cy : size.cx;
}

int Across(SIZE size, bool vertical)
{
    return vertical ? size.cx : size.cy;
}

int NearEdge(const RECT& rect, bool vertical)
{
    return vertical ? rect.top : rect.left;
}

int FarEdge(const RECT& rect, bool vertical)
{
    return vertical ? rect.bottom : rect.right;
}

void MoveAlong(RECT& rect, int delta, bool vertical)
{
    if (vertical) {
        rect.top += delta;
        rect.bottom += delta;
    } else {
        rect.left += delta;
        rect.right += delta;
    }
}

void Offset(RECT& rect, int dx, int dy)
{
    rect.left += dx;
    rect.right += dx;
    rect.top += dy;
    rect.bottom += dy;
}

void Remeasure(ControlLayoutRecord& record, int style, IControlLayoutMeasure* measure)
{
    if (record.style == style) {
        return;
    }
    if (measure != nullptr) {
        record.size = measure->MeasureAtStyle(record, style);
    }
    record.style = style;
}

} // namespace

int ControlLayout::Wrap(std::vector<ControlLayoutRecord>& records, const ToolBarParams& params,
                        int length, DWORD flags, DWORD& result)
{
    const bool vertical = (flags & kVertDock) != 0;
    for (ControlLayoutRecord& record : records) {
        record.wrap = false;
        record.hidden = false;
    }
    int rows = 1;
    int run = 0;
    bool firstInRow = true;
    size_t rowStart = 0;
    const size_t count = records.size();
    for (size_t i = 0; i < count; ++i) {
        ControlLayoutRecord& record = records[i];
        if (!record.visible) {
            continue;
        }
        const int own = Along(record.size, vertical);
        if ((record.flags & kControlNewRow) != 0) {
            // A forced row start costs nothing; the first control of the bar has no row
            // before it to end.
            if (!firstInRow) {
                record.wrap = true;
                ++rows;
            }
            rowStart = i;
            run = own;
            firstInRow = false;
            continue;
        }
        int extent = own + run;
        if (!firstInRow) {
            extent += record.beginGroup ? params.separator.cx : params.spacing.cx;
        }
        const bool overflow =
            !firstInRow && (extent > length || ((flags & kFloatingShape) != 0 && record.beginGroup));
        if (!overflow) {
            run = extent;
            firstInRow = false;
            continue;
        }
        if ((flags & kHideWrap) != 0) {
            result |= kResultDidNotFit;
            size_t next = i;
            while (next < count && (next == i || (records[next].flags & kControlNewRow) == 0)) {
                if (records[next].visible) {
                    records[next].hidden = true;
                }
                ++next;
            }
            if (next >= count) {
                return rows;
            }
            i = next - 1; // the loop's step lands on the row-starting control
            continue;
        }
        // Wrap before the nearest group start of this row, else before this control.
        size_t wrapAt = i;
        for (size_t back = i; back > rowStart; --back) {
            if (records[back].visible && records[back].beginGroup) {
                wrapAt = back;
                break;
            }
        }
        records[wrapAt].wrap = true;
        ++rows;
        run = Along(records[wrapAt].size, vertical);
        rowStart = wrapAt;
        firstInRow = false;
        result |= kResultDidNotFit;
        i = wrapAt; // continue after the wrapping control
    }
    return rows;
}

SIZE ControlLayout::Place(std::vector<ControlLayoutRecord>& records, const ToolBarParams& params,
                          bool vertical)
{
    SIZE extent{0, 0};
    bool first = true;
    if (!vertical) {
        int x = 0;
        int rowTop = 0;
        int rowHeight = 0;
        for (ControlLayoutRecord& record : records) {
            if (!IsPlaced(record)) {
                continue;
            }
            if (record.wrap && !first) {
                rowTop += rowHeight + (record.beginGroup ? params.separator.cy : params.spacing.cy);
                x = 0;
                rowHeight = 0;
            } else if (!first) {
                x += record.beginGroup ? params.separator.cx : params.spacing.cx;
            }
            record.rect = RECT{x, rowTop, x + record.size.cx, rowTop + record.size.cy};
            x = record.rect.right;
            rowHeight = std::max<int>(rowHeight, record.size.cy);
            extent.cx = std::max<LONG>(extent.cx, record.rect.right);
            extent.cy = std::max<LONG>(extent.cy, record.rect.bottom);
            first = false;
        }
        return extent;
    }
    // Columns: the first at the right, each further one to the left of the previous; the
    // commit step shifts them right by the total width.
    int y = 0;
    int columnRight = 0;
    int columnWidth = 0;
    for (ControlLayoutRecord& record : records) {
        if (!IsPlaced(record)) {
            continue;
        }
        if (record.wrap && !first) {
            columnRight -= columnWidth + (record.beginGroup ? params.separator.cy : params.spacing.cy);
            y = 0;
            columnWidth = 0;
        } else if (!first) {
            y += record.beginGroup ? params.separator.cx : params.spacing.cx;
        }
        record.rect = RECT{columnRight - record.size.cx, y, columnRight, y + record.size.cy};
        y = record.rect.bottom;
        columnWidth = std::max<int>(columnWidth, record.size.cx);
        extent.cx = std::max<LONG>(extent.cx, -record.rect.left);
        extent.cy = std::max<LONG>(extent.cy, record.rect.bottom);
        first = false;
    }
    return extent;
}

void ControlLayout::FindBalancedShape(std::vector<ControlLayoutRecord>& records,
                                      const ToolBarParams& params, DWORD flags, DWORD& result,
                                      int* steps)
{
    DWORD scratch = 0;
    Wrap(records, params, 0, flags, scratch);
    const SIZE narrow = Place(records, params, false);
    Wrap(records, params, kOneRowWidth, flags, scratch);
    const SIZE oneRow = Place(records, params, false);
    int low = narrow.cx;
    int high = oneRow.cx;
    bool raised = false;
    SIZE lastRaise{};
    DWORD last = scratch;
    int step = 0;
    for (; step < kMaxSearchSteps && high - low > 1; ++step) {
        const int middle = low + (high - low) / 2;
        DWORD bits = 0;
        Wrap(records, params, middle, flags, bits);
        last = bits;
        const SIZE shape = Place(records, params, false);
        if (shape.cy > shape.cx) {
            if (raised && shape.cx == lastRaise.cx && shape.cy == lastRaise.cy) {
                break;
            }
            raised = true;
            lastRaise = shape;
            // Every width from the shape's own up to the middle wraps the same way, so the
            // middle is the bound that guarantees progress.
            low = middle;
        } else if (shape.cx != shape.cy) {
            high = middle;
        } else {
            break;
        }
    }
    result |= last;
    if (steps != nullptr) {
        *steps = step;
    }
}

void ControlLayout::FitLength(std::vector<ControlLayoutRecord>& records,
                              const ToolBarParams& params, int length, DWORD flags,
                              DWORD& result, int* steps)
{
    DWORD scratch = 0;
    int step = 0;
    if ((flags & kLengthIsHeight) != 0) {
        Wrap(records, params, 0, flags, scratch);
        const SIZE narrow = Place(records, params, false);
        if (narrow.cy <= length) {
            Wrap(records, params, 0, flags, result);
            if (steps != nullptr) {
                *steps = 0;
            }
            return;
        }
        Wrap(records, params, kOneRowWidth, flags, scratch);
        const SIZE oneRow = Place(records, params, false);
        int low = narrow.cx;
        int high = oneRow.cx;
        if (oneRow.cy <= length) {
            for (; step < kMaxSearchSteps && high - low > 1; ++step) {
                const int middle = low + (high - low) / 2;
                Wrap(records, params, middle, flags, scratch);
                const SIZE shape = Place(records, params, false);
                if (shape.cy <= length) {
                    high = middle;
                } else {
                    low = middle;
                }
            }
        }
        Wrap(records, params, high, flags, result);
        if (steps != nullptr) {
            *steps = step;
        }
        return;
    }
    const int rows = Wrap(records, params, length, flags, scratch);
    const int narrowRows = Wrap(records, params, 0, flags, scratch);
    if (rows == narrowRows || length <= 0) {
        Wrap(records, params, length, flags, result);
        if (steps != nullptr) {
            *steps = 0;
        }
        return;
    }
    int low = 0;
    int high = length;
    for (; step < kMaxSearchSteps && high - low > 1; ++step) {
        const int middle = low + (high - low) / 2;
        if (Wrap(records, params, middle, flags, scratch) <= rows) {
            high = middle;
        } else {
            low = middle;
        }
    }
    Wrap(records, params, high, flags, scratch);
    const SIZE placed = Place(records, params, false);
    Wrap(records, params, placed.cx, flags, result);
    if (steps != nullptr) {
        *steps = step;
    }
}

void ControlLayout::SizeBands(std::vector<ControlLayoutRecord>& records, SIZE result, DWORD flags,
                              const ToolBarParams& params)
{
    if ((flags & kCommit) == 0) {
        return;
    }
    const bool vertical = (flags & kVertDock) != 0 && !params.largeButtons;
    const int dx = params.borders.left + (vertical ? result.cx : 0);
    const int dy = params.borders.top;
    std::vector<size_t> placed;
    placed.reserve(records.size());
    for (size_t i = 0; i < records.size(); ++i) {
        if (IsPlaced(records[i])) {
            Offset(records[i].rect, dx, dy);
            placed.push_back(i);
        }
    }
    size_t rowCount = 0;
    for (size_t k = 0; k < placed.size(); ++k) {
        if (k == 0 || records[placed[k]].wrap) {
            ++rowCount;
        }
    }
    size_t k = 0;
    while (k < placed.size()) {
        size_t end = k + 1;
        while (end < placed.size() && !records[placed[end]].wrap) {
            ++end;
        }
        int thickness = 0;
        int start = vertical ? INT_MIN : INT_MAX;
        for (size_t j = k; j < end; ++j) {
            const RECT& rect = records[placed[j]].rect;
            thickness = std::max<int>(thickness, vertical ? rect.right - rect.left
                                                          : rect.bottom - rect.top);
            start = vertical ? std::max<int>(start, rect.right) : std::min<int>(start, rect.top);
        }
        if (rowCount == 1) {
            thickness = vertical ? result.cx : result.cy;
        }
        for (size_t j = k; j < end; ++j) {
            ControlLayoutRecord& record = records[placed[j]];
            RECT& rect = record.rect;
            if (vertical) {
                record.band = RECT{start - thickness, params.borders.top, start,
                                   params.borders.top + result.cy};
                if (!params.largeButtons) {
                    const int width = rect.right - rect.left;
                    rect.left = record.band.left + (thickness - width) / 2;
                    rect.right = rect.left + width;
                }
            } else {
                record.band = RECT{params.borders.left, start, params.borders.left + result.cx,
                                   start + thickness};
                if (!params.largeButtons) {
                    const int height = rect.bottom - rect.top;
                    rect.top = record.band.top + (thickness - height) / 2;
                    rect.bottom = rect.top + height;
                }
            }
        }
        k = end;
    }
}

void ControlLayout::AlignFarAndStretch(std::vector<ControlLayoutRecord>& records, SIZE result,
                                       DWORD flags, const ToolBarParams& params)
{
    const bool vertical = (flags & kVertDock) != 0;
    const int nearBorder = vertical ? params.borders.top : params.borders.left;
    const int farBorder =
        vertical ? result.cy - params.borders.bottom : result.cx - params.borders.right;
    std::vector<size_t> placed;
    for (size_t i = 0; i < records.size(); ++i) {
        if (IsPlaced(records[i])) {
            placed.push_back(i);
        }
    }
    std::vector<bool> farRun(placed.size(), false);

    int edge = farBorder;
    for (size_t k = placed.size(); k-- > 0;) {
        ControlLayoutRecord& record = records[placed[k]];
        if ((record.flags & kControlFarAlign) == 0 || record.wrap) {
            break;
        }
        const int extent = FarEdge(record.rect, vertical) - NearEdge(record.rect, vertical);
        if (edge - extent < nearBorder) {
            break;
        }
        MoveAlong(record.rect, edge - FarEdge(record.rect, vertical), vertical);
        edge = NearEdge(record.rect, vertical);
        farRun[k] = true;
    }

    size_t end = placed.size();
    while (end > 0) {
        size_t start = end - 1;
        while (start > 0 && !records[placed[start]].wrap) {
            --start;
        }
        // The row is placed[start, end).
        size_t lastStretch = end;
        int stretchCount = 0;
        for (size_t k = start; k < end; ++k) {
            if (!farRun[k] && (records[placed[k]].flags & kControlStretch) != 0) {
                lastStretch = k;
                ++stretchCount;
            }
        }
        if (stretchCount > 0) {
            int limit = farBorder;
            size_t lastOrdinary = lastStretch;
            for (size_t k = lastStretch + 1; k < end; ++k) {
                if (farRun[k]) {
                    limit = NearEdge(records[placed[k]].rect, vertical);
                    break;
                }
                lastOrdinary = k;
            }
            int freeSpace = limit - FarEdge(records[placed[lastOrdinary]].rect, vertical);
            if (freeSpace >= 1) {
                int growth = 0;
                int remaining = stretchCount;
                for (size_t k = start; k <= lastOrdinary; ++k) {
                    RECT& rect = records[placed[k]].rect;
                    MoveAlong(rect, growth, vertical);
                    if (!farRun[k] && (records[placed[k]].flags & kControlStretch) != 0) {
                        const int add = freeSpace / remaining;
                        freeSpace -= add;
                        --remaining;
                        (vertical ? rect.bottom : rect.right) += add;
                        growth += add;
                    }
                }
            }
        }
        end = start;
    }
}

SIZE ControlLayout::PlaceLargeButtons(std::vector<ControlLayoutRecord>& records,
                                      const ToolBarParams& params, bool vertical)
{
    // Columns of stacked buttons along the bar; vertical bars exchange the axes.
    const int columnHeight = params.largeIcon.cy + 7 + params.splitDropDownHeight;
    int along = 0;
    int across = 0;
    int columnWidth = 0;
    int tallest = 0;
    bool first = true;
    for (ControlLayoutRecord& record : records) {
        if (!IsPlaced(record)) {
            continue;
        }
        const int width = Along(record.size, vertical);
        const int height = Across(record.size, vertical);
        const bool newColumn = first || record.style == kStyleCaptionBelow || record.beginGroup ||
                               across + height > columnHeight;
        if (newColumn) {
            if (!first) {
                along += columnWidth;
                if (record.beginGroup) {
                    along += 6;
                }
            }
            across = 0;
            columnWidth = 0;
        }
        record.rect = vertical ? RECT{across, along, across + height, along + width}
                               : RECT{along, across, along + width, across + height};
        across += height;
        columnWidth = std::max(columnWidth, width);
        tallest = std::max(tallest, height);
        first = false;
    }
    const int totalAlong = along + columnWidth;
    const int totalAcross = std::max(columnHeight, tallest);
    return vertical ? SIZE{totalAcross, totalAlong} : SIZE{totalAlong, totalAcross};
}

bool ControlLayout::ReduceLargeButtonsStep(std::vector<ControlLayoutRecord>& records,
                                           const ToolBarParams& params)
{
    std::vector<size_t> visible;
    for (size_t i = 0; i < records.size(); ++i) {
        if (IsPlaced(records[i])) {
            visible.push_back(i);
        }
    }
    if (visible.size() < 3) {
        return false;
    }
    auto triple = [&](size_t k, ControlLayoutRecord*& a, ControlLayoutRecord*& b,
                      ControlLayoutRecord*& c) {
        a = &records[visible[k - 2]];
        b = &records[visible[k - 1]];
        c = &records[visible[k]];
        return !b->beginGroup && !c->beginGroup;
    };
    ControlLayoutRecord* a = nullptr;
    ControlLayoutRecord* b = nullptr;
    ControlLayoutRecord* c = nullptr;
    auto setAll = [&](int style) {
        Remeasure(*a, style, params.measure);
        Remeasure(*b, style, params.measure);
        Remeasure(*c, style, params.measure);
    };
    for (size_t k = visible.size() - 1; k >= 2; --k) {
        if (triple(k, a, b, c) && a->style == kStyleCaptionBelow &&
            b->style == kStyleCaptionBelow && c->style == kStyleCaptionBelow) {
            setAll(kStyleIconAndCaption);
            return true;
        }
    }
    for (size_t k = visible.size() - 1; k >= 2; --k) {
        if (triple(k, a, b, c) && c->style == kStyleCaptionBelow) {
            setAll(kStyleIconAndCaption);
            return true;
        }
    }
    for (size_t k = visible.size() - 1; k >= 2; --k) {
        if (triple(k, a, b, c) && a->style == kStyleIconAndCaption &&
            b->style == kStyleIconAndCaption && c->style == kStyleIconAndCaption &&
            a->size.cx == b->size.cx && b->size.cx == c->size.cx) {
            setAll(kStyleIcon);
            return true;
        }
    }
    return false;
}

SIZE ControlLayout::LayoutLargeButtons(std::vector<ControlLayoutRecord>& records,
                                       ToolBarParams& params, int length, DWORD& result)
{
    const bool vertical = (params.flags & kVertDock) != 0;
    for (ControlLayoutRecord& record : records) {
        record.wrap = false;
        record.hidden = false;
        if (!record.visible) {
            continue;
        }
        const bool large = params.measure != nullptr && params.measure->HasLargeImage(record);
        Remeasure(record, large ? kStyleCaptionBelow : kStyleIconAndCaption, params.measure);
    }
    SIZE extent = PlaceLargeButtons(records, params, vertical);
    if (Along(extent, vertical) <= length) {
        return extent;
    }
    result |= kResultDidNotFit;
    for (int step = 0; step < kMaxSearchSteps && Along(extent, vertical) >= length; ++step) {
        if (!ReduceLargeButtonsStep(records, params)) {
            break;
        }
        extent = PlaceLargeButtons(records, params, vertical);
    }
    if (Along(extent, vertical) > length && (params.flags & kHideWrap) != 0) {
        bool first = true;
        for (ControlLayoutRecord& record : records) {
            if (!IsPlaced(record)) {
                continue;
            }
            if (!first && FarEdge(record.rect, vertical) > length) {
                Remeasure(record, kStyleIcon, params.measure);
                record.hidden = true;
            }
            first = false;
        }
        extent = PlaceLargeButtons(records, params, vertical);
    }
    return extent;
}

SIZE ControlLayout::CalcToolBar(std::vector<ControlLayoutRecord>& records, ToolBarParams& params)
{
    const RECT& b = params.borders;
    const DWORD flags = params.flags;
    const bool anyVisible = std::any_of(records.begin(), records.end(),
                                        [](const ControlLayoutRecord& r) { return r.visible; });
    if (!anyVisible) {
        for (ControlLayoutRecord& record : records) {
            record.wrap = false;
            record.hidden = false;
        }
        SIZE size{23 + b.left + b.right, 22 + b.top + b.bottom};
        if ((flags & kHorzDock) != 0) {
            size.cy = std::max<LONG>(size.cy, params.minExtent);
        } else {
            size.cx = std::max<LONG>(size.cx, params.minExtent);
        }
        return size;
    }
    int length = params.length;
    if ((flags & kUseRememberedWidth) != 0) {
        length = params.rememberedWidth;
    }
    const bool vertical = (flags & kVertDock) != 0;
    DWORD result = 0;
    SIZE size{};
    if (params.largeButtons) {
        const int borders = vertical ? b.top + b.bottom : b.left + b.right;
        size = LayoutLargeButtons(records, params, length - borders, result);
    } else {
        if ((flags & kFloatingShape) != 0) {
            DWORD scratch = 0;
            Wrap(records, params, params.rememberedWidth, flags, scratch);
            const SIZE shape = Place(records, params, false);
            if (shape.cy > 3 * shape.cx && params.rememberedWidth == 0) {
                FindBalancedShape(records, params, flags, result);
            } else {
                Wrap(records, params, shape.cx, flags, result);
            }
        } else if ((flags & kHorzDock) != 0) {
            Wrap(records, params, length - b.left - b.right, flags, result);
        } else if (vertical) {
            Wrap(records, params, length - b.top - b.bottom, flags, result);
        } else {
            const int borders = (flags & kLengthIsHeight) != 0 ? b.top + b.bottom
                                                               : b.left + b.right;
            FitLength(records, params, length - borders, flags, result);
        }
        size = Place(records, params, vertical);
    }
    if (params.minExtent > 0) {
        if ((flags & kHorzDock) != 0) {
            size.cy = std::max<LONG>(size.cy, params.minExtent - b.top - b.bottom);
        } else {
            size.cx = std::max<LONG>(size.cx, params.minExtent - b.left - b.right);
        }
    }
    if ((flags & kStretch) != 0) {
        if (vertical) {
            size.cy = std::max<LONG>(size.cy, length - b.top - b.bottom);
        } else {
            size.cx = std::max<LONG>(size.cx, length - b.left - b.right);
        }
    }
    SizeBands(records, size, flags, params);
    size.cx += b.left + b.right;
    size.cy += b.top + b.bottom;
    if ((flags & kCommit) != 0 && !params.largeButtons) {
        AlignFarAndStretch(records, size, flags, params);
    }
    params.flags |= result;
    return size;
}

ControlLayout::PopupResult ControlLayout::CalcPopup(std::vector<ControlLayoutRecord>& records,
                                                    const PopupParams& params)
{
    const RECT& b = params.borders;
    PopupResult out;
    int x = b.left;
    int y = b.top;
    int columnWidth = 0;
    int tallest = 0;
    bool first = true;
    bool firstInColumn = true;
    size_t columnStart = 0;
    const int maxItemWidth = params.workArea.right / 3;
    auto closeColumn = [&](size_t end, int width) {
        for (size_t j = columnStart; j < end; ++j) {
            if (records[j].visible) {
                records[j].rect.right = records[j].rect.left + width;
            }
        }
        tallest = std::max(tallest, y - static_cast<int>(b.top));
    };
    for (size_t i = 0; i < records.size(); ++i) {
        ControlLayoutRecord& record = records[i];
        record.wrap = false;
        record.hidden = false;
        if (!record.visible) {
            continue;
        }
        SIZE size = record.size;
        if (params.limitWidth && maxItemWidth > 0 && size.cx > maxItemWidth) {
            size.cx = maxItemWidth;
        }
        const int gap = (record.beginGroup && !first) ? params.separator.cy : 0;
        const bool newColumn =
            ((record.flags & kControlNewRow) != 0 && !first) ||
            (params.heightLimit > 0 && !firstInColumn &&
             y + gap + size.cy > params.heightLimit - b.bottom);
        if (newColumn) {
            closeColumn(i, columnWidth);
            x += columnWidth + (record.beginGroup ? params.separator.cx : 0);
            record.wrap = true;
            out.severalColumns = true;
            columnWidth = 0;
            y = b.top;
            columnStart = i;
        } else {
            y += gap;
        }
        record.rect = RECT{x, y, x + size.cx, y + size.cy};
        y = record.rect.bottom;
        columnWidth = std::max<int>(columnWidth, size.cx);
        first = false;
        firstInColumn = false;
    }
    if (params.fixedWidth >= 1 && params.fixedWidth <= 29999) {
        columnWidth = std::max<int>(0, params.fixedWidth - b.left - b.right);
    }
    closeColumn(records.size(), columnWidth);
    for (ControlLayoutRecord& record : records) {
        if (record.visible) {
            record.band = RECT{record.rect.left, b.top, record.rect.right, b.top + tallest};
        }
    }
    const int height = tallest == 0 ? 22 : tallest;
    out.size.cx = b.left + b.right + std::max(x + columnWidth - static_cast<int>(b.left), 24);
    out.size.cy = b.top + b.bottom + height;
    return out;
}
