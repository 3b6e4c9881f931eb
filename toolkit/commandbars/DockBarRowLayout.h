// DockBarRowLayout: how a dock bar lays out its rows of toolbars, without windows. Toolbars keep
// their remembered places along a row where they can, are pushed apart when they overlap, shrink
// to their minimum when the row is short and wrap into further rows when even that does not
// fit. The dock bar window feeds it the toolbars and moves the windows to the placements.
#pragma once

#include <windows.h>

#include "platform/framework/CRect.h"
#include "platform/framework/CSize.h"

#include <vector>

class DockBarRowLayout {
public:
    // Layout mode bits handed to a toolbar's docking layout.
    static constexpr DWORD kModeStretch = 0x01;
    static constexpr DWORD kModeHorz = 0x02;
    static constexpr DWORD kModeMRUWidth = 0x04;
    static constexpr DWORD kModeHorzDock = 0x08;
    static constexpr DWORD kModeVertDock = 0x10;
    static constexpr DWORD kModeCommit = 0x40;
    static constexpr DWORD kModeHideWrap = 0x80;
    // Bits of a toolbar's "Flags" the rows read.
    static constexpr DWORD kFlagHideWrap = 0x20;
    static constexpr DWORD kFlagStretched = 0x40;
    static constexpr DWORD kFlagFillRow = 0x100000;
    // The length a stretching dock bar asks for before the frame clips it.
    static constexpr int kStretchLength = 0x7FFF;

    // What the layout asks of a toolbar: its docking layout for a length and mode (the size in
    // window coordinates: cx across a vertical dock bar, cy across a horizontal one).
    class Measure {
    public:
        virtual ~Measure() = default;
        virtual CSize CalcDockingLayout(int bar, int length, DWORD mode) = 0;
    };

    // One toolbar as the rows see it.
    struct Bar {
        DWORD flags = 0;     // "Flags"
        int dockedEdge = 0;  // its remembered docked rect's left (top on a vertical dock bar)
    };

    // Where a committed toolbar goes, in dock-bar client coordinates.
    struct Placement {
        int bar = -1;
        CRect rect{0, 0, 0, 0};
        DWORD mode = 0;  // the mode of the committing layout call
    };

    DockBarRowLayout(Measure& measure, std::vector<Bar> bars, BOOL horizontal, BOOL hideAllowed);

    // The mode a toolbar is laid out with: horizontal dock bars 10, vertical ones 16; plus 1
    // for a stretched toolbar; plus 0x80 for one that may hide controls while hiding is allowed
    // (not in customise mode unless it was the last customise mode too).
    static DWORD LayoutMode(BOOL horizontal, DWORD flags, BOOL hideAllowed);

    // The dock bar's size for its rows (each the visible toolbars of one row in array order);
    // with commit every toolbar is laid out for good and its placement recorded.
    CSize CalcDockBarSize(const std::vector<std::vector<int>>& rows, int length, BOOL stretch,
                          BOOL commit);

    // One row at the offset across the dock bar: its thickness, rows it wrapped into included.
    int LayoutRow(std::vector<int> row, int offset, int length, BOOL commit);

    // One pass over a row: its thickness, or -1 when it does not fit, with the bar that has to
    // leave it (the one furthest along) in overflowBar.
    int AdjustRow(const std::vector<int>& row, int offset, int length, BOOL commit,
                  int& overflowBar);

    const std::vector<Placement>& GetPlacements() const { return m_placements; }
    BOOL IsHorizontal() const { return m_bHorizontal; }

private:
    struct Record {
        int bar = -1;
        int index = 0;   // place in the row as given
        int start = 0;   // leading edge along the row
        int length = 0;  // along the row
        int across = 0;  // thickness across the row
        int wanted = 0;  // leading edge as first placed
        int minLength = 0;
        int minBefore = 0;  // sum of the minimum lengths of the records before it
        BOOL pushed = FALSE;
        BOOL pulled = FALSE;
        int End() const { return start + length; }
    };

    CSize Calc(int bar, int length, DWORD mode);
    int Along(CSize size) const { return m_bHorizontal ? size.cx : size.cy; }
    int Across(CSize size) const { return m_bHorizontal ? size.cy : size.cx; }
    DWORD ModeOf(int bar) const;

    Measure& m_measure;
    std::vector<Bar> m_bars;
    BOOL m_bHorizontal;
    BOOL m_bHideAllowed;
    std::vector<Placement> m_placements;
};
