// PopupExpandPlan: the window-free part of growing a popup's rarely used items into view. The
// visible rows of a popup (in order, each with its vertical extent and whether it was hidden
// until the popup expanded) give, for one step of the animation, the strips to stretch from
// the finished image into the window.
#pragma once

#include <vector>

struct PopupExpandRow {
    int top = 0;
    int bottom = 0;
    bool hidden = false;  // hidden until the popup expanded: grows during the animation
};

struct PopupExpandBlit {
    int srcTop = 0;
    int srcHeight = 0;
    int destTop = 0;
    int destHeight = 0;
};

// Strips of one step: runs of rows that share their hidden state, the first run starting at
// the image's top edge (bottom edge when growing upward) and the last one reaching the other
// edge. Normal runs keep their height, hidden ones get step / steps of it. Growing downward
// the strips are placed from the top; growing upward from the bottom (at totalHeight).
std::vector<PopupExpandBlit> PlanPopupExpandStep(const std::vector<PopupExpandRow>& rows,
                                                 int totalHeight, int step, int steps,
                                                 bool downward);
