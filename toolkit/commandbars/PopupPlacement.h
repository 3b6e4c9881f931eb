// Where a popup bar goes on the screen: the work area it must stay in and its rectangle next
// to the control it opens for (or at a point), flipping sides, moving up, or falling back to
// scrolling when it fits nowhere. Window-free, so every case runs as a table of numbers; the
// popup bar only gathers the inputs and applies the answer.
#pragma once

#include <windows.h>

class PopupPlacement {
public:
    // Popup flags: open towards the left; drop below the anchor; open above the anchor.
    static constexpr UINT kFlagLeft = 1;
    static constexpr UINT kFlagBelow = 2;
    static constexpr UINT kFlagAbove = 4;
    // Space kept free above the work area's bottom edge.
    static constexpr int kBottomMargin = 5;

    struct Input {
        RECT exclude{};     // screen rectangle not to cover; zero height/width = point popup
        POINT anchor{};     // where the popup opens
        SIZE size{};        // size the layout asked for
        UINT flags = 0;     // kFlag* bits
        RECT workArea{};    // from ChooseWorkArea (the margin is applied here)
        BOOL fixedPlacement = FALSE;
        BOOL rowRestricted = FALSE;
        BOOL isMenu = FALSE; // a popup menu ("Type" 2), may take more columns when too tall
        int maximumHeight = 0;
        // For a fixed drop-down that fits neither below nor above: the control's rectangle
        // adjusted as for a side popup. Used as the exclude rectangle from then on.
        BOOL hasSideExclude = FALSE;
        RECT sideExclude{};
    };

    struct Result {
        RECT rect{};
        UINT flags = 0;
        RECT exclude{};
        BOOL scroll = FALSE;   // shows a window of its controls with scroll arrows
        // Fixed placement: the menu should be laid out again for this height (more columns);
        // 0 when not asked.
        int relayoutHeight = 0;
    };

    // The work area of the monitor that holds the exclude rectangle (or the anchor), or the
    // whole monitor when the anchor lies on it outside its work area, or the exclude rectangle
    // misses the work area while touching the monitor.
    static RECT ChooseWorkArea(const RECT& monitor, const RECT& work, const RECT& exclude,
                               POINT anchor) noexcept;
    static Result Calc(const Input& in) noexcept;
};
