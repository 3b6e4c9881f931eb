// Sharing a splitter container's extent, the drag range of a bar and the sizes a dropped bar
// gives; see DockingSplitLayout.h.
#include "toolkit/dockingpane/DockingSplitLayout.h"

#include <algorithm>

namespace DockingSplitLayout {

namespace {

// Fixes children whose scaled share leaves their track sizes, until every share fits.
void Scale(std::vector<Child>& children, Distribution& d)
{
    bool restart = true;
    while (restart) {
        restart = false;
        for (Child& child : children) {
            if (child.length < 0) {
                continue;
            }
            if (d.total == 0) {
                return;
            }
            const long long share =
                static_cast<long long>(d.available) * child.length / d.total;
            int fixed;
            if (share < child.minSize) {
                fixed = child.minSize;
            } else if (share > child.maxSize) {
                fixed = child.maxSize;
            } else {
                continue;
            }
            d.available -= fixed;
            d.total -= child.length;
            if (d.available < 0) {
                // Not even the fixed sizes fit: this child gives the overflow back.
                child.length = -(fixed + d.available);
                d.available = 0;
                return;
            }
            child.length = -fixed;
            restart = true;
            break;
        }
    }
}

}  // namespace

Distribution ComputeLengths(std::vector<Child>& children, int extent, int splitter,
                            int* flexibleSize)
{
    if (flexibleSize) {
        *flexibleSize = -1;
    }
    Distribution d;
    Child* flexible = nullptr;
    for (Child& child : children) {
        if (child.flexible && !flexible) {
            flexible = &child;
            child.length = 0;
            continue;
        }
        child.length = std::max(std::min(child.size, child.maxSize), child.minSize);
        d.total += child.length;
    }
    const int count = static_cast<int>(children.size());
    d.available = extent - (count > 0 ? count - 1 : 0) * splitter;

    if (flexible && d.total < d.available) {
        flexible->length = d.available - d.total;
        d.total = d.available;
        if (flexibleSize) {
            *flexibleSize = flexible->length;
        }
    }
    if (d.available <= 0) {
        return d;
    }
    Scale(children, d);
    return d;
}

std::vector<Span> Place(const std::vector<Child>& children, Distribution d, int start, int end,
                        int splitter)
{
    std::vector<Span> spans;
    spans.reserve(children.size());
    int x = start;
    for (size_t i = 0; i < children.size(); ++i) {
        const Child& child = children[i];
        int pixels = 0;
        if (child.length < 0) {
            pixels = -child.length;
        } else if (child.length > 0 && d.total > 0) {
            pixels = static_cast<int>(static_cast<long long>(d.available) * child.length /
                                      d.total);
            d.total -= child.length;
            d.available = std::max(0, d.available - pixels);
        }
        Span span;
        span.start = x;
        span.end = (i + 1 == children.size()) ? end : x + pixels;
        spans.push_back(span);
        x = span.end + splitter;
    }
    return spans;
}

Range DragRange(int unionStart, int unionEnd, int firstMin, int firstMax, int secondMin,
                int secondMax, int minFree, int splitter)
{
    const int extent = unionEnd - unionStart;
    Range range;
    range.low = unionStart + std::max(minFree, firstMin);
    range.high = unionEnd - std::max(minFree, splitter + secondMin);
    if (firstMax < extent) {
        range.high = std::min(range.high, unionStart + firstMax);
    }
    if (secondMax < extent) {
        range.low = std::max(range.low, unionEnd - (secondMax + splitter));
    }
    return range;
}

bool BarSizes(int total, int splitter, int position, int indent, int unionStart,
              int unionExtent, bool rightToLeft, int& first, int& second)
{
    // Two neighbours squeezed to nothing have no extent to divide by.
    if (unionExtent <= 0) {
        return false;
    }
    // Multiplied before dividing, so that a bar dropped where it started gives back the same
    // sizes exactly.
    int size = static_cast<int>(static_cast<double>(total + splitter) *
                                static_cast<double>(position + indent - unionStart) /
                                static_cast<double>(unionExtent));
    if (rightToLeft) {
        size = total - size;
    }
    first = size;
    second = total - size;
    return true;
}

}  // namespace DockingSplitLayout
