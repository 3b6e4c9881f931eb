// PopupExpandPlan: the strips one step of the expanded-items animation copies.
#include "toolkit/themes/PopupExpandPlan.h"

#include <algorithm>

namespace {

int Scaled(int height, bool hidden, int step, int steps)
{
    if (!hidden || steps <= 0) {
        return height;
    }
    return static_cast<int>(static_cast<long long>(height) * step / steps);
}

}  // namespace

std::vector<PopupExpandBlit> PlanPopupExpandStep(const std::vector<PopupExpandRow>& rows,
                                                 int totalHeight, int step, int steps,
                                                 bool downward)
{
    std::vector<PopupExpandBlit> blits;
    if (totalHeight <= 0) {
        return blits;
    }
    int dest = downward ? 0 : totalHeight;
    auto emit = [&](int srcTop, int srcBottom, bool hidden) {
        if (srcBottom <= srcTop) {
            return;
        }
        const int height = Scaled(srcBottom - srcTop, hidden, step, steps);
        PopupExpandBlit blit;
        blit.srcTop = srcTop;
        blit.srcHeight = srcBottom - srcTop;
        blit.destHeight = height;
        if (downward) {
            blit.destTop = dest;
            dest += height;
        } else {
            dest -= height;
            blit.destTop = dest;
        }
        blits.push_back(blit);
    };

    bool haveState = false;
    bool state = false;
    if (downward) {
        int runStart = 0;
        for (const PopupExpandRow& row : rows) {
            if (!haveState) {
                state = row.hidden;
                haveState = true;
            } else if (row.hidden != state) {
                // Rows out of order or outside the image cannot move the run backwards.
                const int edge = std::clamp(row.top, runStart, totalHeight);
                emit(runStart, edge, state);
                runStart = edge;
                state = row.hidden;
            }
        }
        emit(runStart, totalHeight, state);
    } else {
        int runStart = totalHeight;
        for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
            if (!haveState) {
                state = it->hidden;
                haveState = true;
            } else if (it->hidden != state) {
                const int edge = std::clamp(it->bottom, 0, runStart);
                emit(edge, runStart, state);
                runStart = edge;
                state = it->hidden;
            }
        }
        emit(0, runStart, state);
    }
    return blits;
}
