// Checks a stored docking layout as a whole before any object of it is created: types, counts,
// the type each stored number must refer to, one parent per object, no cycles, one client
// inside the top container, directions, sizes and pane ids. Portable and window-free like the
// record it checks; the toolkit loads only what passed, and the fuzzer runs it natively.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "toolkit/dockingpane/DockingLayoutRecord.h"

namespace orvane::docking {

// The structure the check found: objects by number (index 0 unused).
struct LayoutTree {
    struct Node {
        int type = -1;
        int parent = 0;              // number of the object that lists this one, 0 for none
        std::vector<int> children;   // entries, splitter children, or the one top container
    };
    std::vector<Node> nodes;
    int top = 0;
    int client = 0;
};

struct LayoutCheckResult {
    bool ok = false;
    std::string error;
};

LayoutCheckResult CheckLayoutRecord(const LayoutRecord& record, LayoutTree& tree,
                                    unsigned supportedTypes = kLayoutTypesDocked);

}  // namespace orvane::docking
