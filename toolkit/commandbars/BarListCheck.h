// The check a loaded bar list passes before anything of it is merged into the running bars.
// A bar that takes the place of a running bar of its id must be of that bar's kind; a popup
// control's "CommandBarId" must name a popup bar; and no popup may lead back into the chain of
// bars it hangs from: copying and cloning follow popups and would recurse without end.
// Window-free: the list comes in as nodes, built from the loaded bars by the manager.
#pragma once

#include <windows.h>

#include <vector>

struct BarListNode {
    UINT barId = 0;              // "BarID"
    BOOL popupBar = FALSE;       // derives from the popup bar
    BOOL toolBar = FALSE;        // derives from the toolbar (merged into the manager's bars)
    // A bar that would be merged into a running bar (toolbar or context menu) of its id while
    // it is not of the running bar's class: copying one into the other would read fields it
    // has not got.
    BOOL replacesOtherKind = FALSE;
    // The "CommandBarId" of every popup control of the bar (its original sets included); 0
    // (no popup bar) is left out.
    std::vector<UINT> popupIds;
};

enum class BarListFault {
    None,
    NotABar,            // neither toolbar nor popup bar: nothing the manager can take
    ReplacesOtherKind,  // another class than the running bar it would be merged into
    PopupNotPopupBar,   // a "CommandBarId" names a bar that is no popup bar
    PopupCycle,         // a "CommandBarId" leads back into its own chain
};

struct BarListCheckResult {
    BarListFault fault = BarListFault::None;
    int bar = -1;    // index of the bar at fault
    UINT id = 0;     // the bar id or "CommandBarId" concerned
    BOOL IsOk() const { return fault == BarListFault::None; }
};

// Bars named by a "CommandBarId" are found as the list's lookup finds them: the first bar
// with that id. An id that names no bar is no fault (that popup just stays without a bar).
BarListCheckResult CheckBarList(const std::vector<BarListNode>& nodes);

// A short English text for the trace and the tests ("popup cycle at bar 2 (id 7)").
const wchar_t* BarListFaultName(BarListFault fault);
