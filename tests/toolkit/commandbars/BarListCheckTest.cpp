// The loaded bar list's check as a table of lists: popup links that form trees and shared
// popups pass; links back into their own chain (directly, through a chain, through an original
// set), links to bars of the wrong kind and bars that would replace a running bar of another
// class fail, naming the bar and id at fault. A long chain does not exhaust the stack.
#include "toolkit/commandbars/BarListCheck.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>

namespace {

BarListNode Tool(UINT id, std::vector<UINT> popups = {})
{
    BarListNode n;
    n.barId = id;
    n.toolBar = TRUE;
    n.popupIds = std::move(popups);
    return n;
}

BarListNode Popup(UINT id, std::vector<UINT> popups = {})
{
    BarListNode n;
    n.barId = id;
    n.popupBar = TRUE;
    n.popupIds = std::move(popups);
    return n;
}

struct ListCase {
    const char* name;
    std::vector<BarListNode> nodes;
    BarListFault fault;
    int bar;
    UINT id;
};

TEST(BarListCheck, TableOfLists)
{
    BarListNode otherKind = Tool(1, {});
    otherKind.replacesOtherKind = TRUE;
    BarListNode neither;
    neither.barId = 9;

    const ListCase cases[] = {
        {"empty list", {}, BarListFault::None, -1, 0},
        {"toolbar with two popups", {Tool(1, {10, 11}), Popup(10), Popup(11)},
         BarListFault::None, -1, 0},
        {"nested popups", {Tool(1, {10}), Popup(10, {11}), Popup(11, {12}), Popup(12)},
         BarListFault::None, -1, 0},
        {"one popup shared by two controls", {Tool(1, {10, 10}), Tool(2, {10}), Popup(10)},
         BarListFault::None, -1, 0},
        {"id naming no bar is kept as no popup", {Tool(1, {77})}, BarListFault::None, -1, 0},
        {"popup naming itself", {Tool(1, {10}), Popup(10, {10})}, BarListFault::PopupCycle, 1, 10},
        {"two popups naming each other", {Tool(1, {10}), Popup(10, {11}), Popup(11, {10})},
         BarListFault::PopupCycle, 2, 10},
        {"cycle not reached from any toolbar", {Popup(20, {21}), Popup(21, {22}), Popup(22, {20})},
         BarListFault::PopupCycle, 2, 20},
        {"popup naming a toolbar", {Tool(1, {2}), Tool(2)}, BarListFault::PopupNotPopupBar, 0, 2},
        {"popup naming its own toolbar", {Tool(1, {1})}, BarListFault::PopupNotPopupBar, 0, 1},
        {"duplicate id: the first bar is the one named", {Tool(1, {10}), Popup(10), Popup(10, {10})},
         BarListFault::None, -1, 0},
        {"duplicate id: a cycle through the first bar", {Tool(1, {10}), Popup(10, {10}), Popup(10)},
         BarListFault::PopupCycle, 1, 10},
        {"bar of another kind than the running one", {otherKind}, BarListFault::ReplacesOtherKind,
         0, 1},
        {"neither toolbar nor popup bar", {Tool(1), neither}, BarListFault::NotABar, 1, 9},
    };
    for (const ListCase& c : cases) {
        const BarListCheckResult r = CheckBarList(c.nodes);
        EXPECT_EQ(static_cast<int>(r.fault), static_cast<int>(c.fault)) << c.name;
        EXPECT_EQ(r.bar, c.bar) << c.name;
        EXPECT_EQ(r.id, c.id) << c.name;
        EXPECT_EQ(r.IsOk(), c.fault == BarListFault::None) << c.name;
    }
}

TEST(BarListCheck, LongChainsAreWalkedWithoutRecursion)
{
    // 200000 popups in one chain, then the same chain closed into a loop.
    std::vector<BarListNode> nodes;
    nodes.push_back(Tool(1, {100}));
    const UINT last = 100 + 200000 - 1;
    for (UINT id = 100; id <= last; ++id)
        nodes.push_back(Popup(id, id < last ? std::vector<UINT>{id + 1} : std::vector<UINT>{}));
    EXPECT_TRUE(CheckBarList(nodes).IsOk());

    nodes.back().popupIds = {100};
    const BarListCheckResult r = CheckBarList(nodes);
    EXPECT_EQ(static_cast<int>(r.fault), static_cast<int>(BarListFault::PopupCycle));
    EXPECT_EQ(r.bar, static_cast<int>(nodes.size()) - 1);
    EXPECT_EQ(r.id, 100u);
}

TEST(BarListCheck, FaultsHaveNames)
{
    for (BarListFault f : {BarListFault::None, BarListFault::NotABar, BarListFault::ReplacesOtherKind,
                           BarListFault::PopupNotPopupBar, BarListFault::PopupCycle}) {
        EXPECT_GT(wcslen(BarListFaultName(f)), 0u);
    }
    EXPECT_EQ(std::wstring(BarListFaultName(BarListFault::PopupCycle)), L"popup cycle");
}

}  // namespace
