// The stored docking layout's reader and whole-layout check, window-free: the three-pane
// layout is accepted and written back unchanged; a table of damaged layouts is refused, each
// for its own reason, with and without the panel and floating-frame types.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/toolkit/dockingpane/DockingLayoutTestData.h"
#include "toolkit/dockingpane/DockingLayoutCheck.h"
#include "toolkit/dockingpane/DockingLayoutRecord.h"

using namespace orvane::docking;

namespace {

struct Outcome {
    bool read = false;
    bool checked = false;
    std::string error;
};

Outcome ReadAndCheck(const std::string& text, unsigned types)
{
    Outcome outcome;
    LayoutTextSource source(text);
    LayoutRecord record;
    const LayoutReadResult read = ReadLayoutRecord(source, record, types);
    outcome.read = read.ok;
    outcome.error = read.error;
    if (!read.ok)
        return outcome;
    LayoutTree tree;
    const LayoutCheckResult check = CheckLayoutRecord(record, tree, types);
    outcome.checked = check.ok;
    outcome.error = check.error;
    return outcome;
}

}  // namespace

TEST(DockingLayoutCheck, ThreePaneLayoutIsAcceptedAndWrittenBackUnchanged)
{
    const std::string text = dockingtest::ReadLayoutFile("three-panes.txt");
    ASSERT_FALSE(text.empty());
    LayoutTextSource source(text);
    LayoutRecord record;
    ASSERT_TRUE(ReadLayoutRecord(source, record).ok);
    LayoutTree tree;
    const LayoutCheckResult check = CheckLayoutRecord(record, tree);
    ASSERT_TRUE(check.ok) << check.error;
    EXPECT_EQ(tree.top, 5);
    EXPECT_EQ(tree.client, 4);
    EXPECT_EQ(tree.nodes[4].parent, 7);
    EXPECT_EQ(tree.nodes[7].parent, 5);
    EXPECT_EQ(tree.nodes[3].parent, 0) << "pane 4001 is closed";
    EXPECT_EQ(WriteLayoutText(record), text);
}

TEST(DockingLayoutCheck, OldSchemasReadWithoutTheirLaterKeys)
{
    // Schema 9 has no tab colours, help ids or tags; schema 32 no maximized state.
    for (int schema : {9, 32}) {
        std::string text = dockingtest::ReadLayoutFile("three-panes.txt");
        dockingtest::SetKey(text, "", "Schema", std::to_string(schema));
        LayoutTextSource source(text);
        LayoutRecord record;
        ASSERT_TRUE(ReadLayoutRecord(source, record).ok) << schema;
        EXPECT_EQ(record.schema, schema);
        const LayoutSection* pane = record.Object(1);
        const LayoutSection* tabbed = record.Object(6);
        EXPECT_EQ(pane->Find(u"TabColor") != nullptr, schema > 9);
        EXPECT_EQ(tabbed->Find(u"Maximized") != nullptr, schema > 32);
    }
}

TEST(DockingLayoutCheck, DamagedLayoutsAreRefused)
{
    for (const dockingtest::DamagedLayout& damaged : dockingtest::DamagedLayouts()) {
        for (unsigned types : {kLayoutTypesDocked, kLayoutTypesAll}) {
            const Outcome outcome = ReadAndCheck(damaged.text, types);
            EXPECT_FALSE(outcome.read && outcome.checked) << damaged.name;
            EXPECT_FALSE(outcome.error.empty()) << damaged.name;
            if (types == kLayoutTypesAll && !damaged.reason.empty()) {
                EXPECT_NE(outcome.error.find(damaged.reason), std::string::npos)
                    << damaged.name << ": " << outcome.error;
            }
        }
    }
}

TEST(DockingLayoutCheck, TextDumpKeepsEscapedTitles)
{
    std::string text = dockingtest::ReadLayoutFile("three-panes.txt");
    dockingtest::SetKey(text, "Pane-1", "Title", "a\\\\b\\nTab\\r\\nTip");
    LayoutTextSource source(text);
    LayoutRecord record;
    ASSERT_TRUE(ReadLayoutRecord(source, record).ok);
    EXPECT_EQ(record.Object(1)->Find(u"Title")->text, u"a\\b\nTab\r\nTip");
    EXPECT_EQ(WriteLayoutText(record), text);
}
