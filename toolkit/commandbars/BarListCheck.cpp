// The loaded bar list's check (see the header): kinds first, then a depth-first walk over
// the popup links that finds any link back into the path walked so far.
#include "toolkit/commandbars/BarListCheck.h"

#include <unordered_map>

namespace {

// Index of the first node with each id.
std::unordered_map<UINT, int> FirstIndexById(const std::vector<BarListNode>& nodes)
{
    std::unordered_map<UINT, int> index;
    for (int i = 0; i < static_cast<int>(nodes.size()); ++i)
        index.emplace(nodes[static_cast<size_t>(i)].barId, i);
    return index;
}

}  // namespace

BarListCheckResult CheckBarList(const std::vector<BarListNode>& nodes)
{
    BarListCheckResult result;
    const auto firstById = FirstIndexById(nodes);
    const int count = static_cast<int>(nodes.size());

    // Links as node indexes; kinds checked on the way.
    std::vector<std::vector<int>> links(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        const BarListNode& node = nodes[static_cast<size_t>(i)];
        if (!node.toolBar && !node.popupBar) {
            return {BarListFault::NotABar, i, node.barId};
        }
        if (node.replacesOtherKind) {
            return {BarListFault::ReplacesOtherKind, i, node.barId};
        }
        for (UINT id : node.popupIds) {
            const auto found = firstById.find(id);
            if (id == 0 || found == firstById.end())
                continue;
            if (!nodes[static_cast<size_t>(found->second)].popupBar)
                return {BarListFault::PopupNotPopupBar, i, id};
            links[static_cast<size_t>(i)].push_back(found->second);
        }
    }

    // Iterative walk (a long chain must not exhaust the stack): 0 unseen, 1 on the path,
    // 2 done.
    std::vector<char> state(static_cast<size_t>(count), 0);
    struct Frame {
        int node;
        size_t next;
    };
    std::vector<Frame> path;
    for (int start = 0; start < count; ++start) {
        if (state[static_cast<size_t>(start)] != 0)
            continue;
        path.push_back({start, 0});
        state[static_cast<size_t>(start)] = 1;
        while (!path.empty()) {
            Frame& top = path.back();
            const auto& out = links[static_cast<size_t>(top.node)];
            if (top.next == out.size()) {
                state[static_cast<size_t>(top.node)] = 2;
                path.pop_back();
                continue;
            }
            const int target = out[top.next++];
            if (state[static_cast<size_t>(target)] == 1)
                return {BarListFault::PopupCycle, top.node, nodes[static_cast<size_t>(target)].barId};
            if (state[static_cast<size_t>(target)] == 0) {
                state[static_cast<size_t>(target)] = 1;
                path.push_back({target, 0});
            }
        }
    }
    return result;
}

const wchar_t* BarListFaultName(BarListFault fault)
{
    switch (fault) {
    case BarListFault::None:
        return L"none";
    case BarListFault::NotABar:
        return L"not a toolbar or popup bar";
    case BarListFault::ReplacesOtherKind:
        return L"bar of another kind than the running bar of its id";
    case BarListFault::PopupNotPopupBar:
        return L"popup names a bar that is no popup bar";
    case BarListFault::PopupCycle:
        return L"popup cycle";
    }
    return L"unknown";
}
