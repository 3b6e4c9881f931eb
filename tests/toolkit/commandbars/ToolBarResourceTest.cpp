// Toolbar resources: the layout read from bytes (damaged ones refused as a whole) and from the
// test module's own resources, built by the resource compiler.
#include "toolkit/commandbars/ToolBarResourceData.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<BYTE> Words(std::initializer_list<WORD> words)
{
    std::vector<BYTE> bytes;
    for (WORD w : words) {
        bytes.push_back(static_cast<BYTE>(w & 0xFF));
        bytes.push_back(static_cast<BYTE>(w >> 8));
    }
    return bytes;
}

struct ParseCase {
    const char* name;
    std::vector<BYTE> bytes;
    BOOL ok;
    int count;
};

TEST(ToolBarResourceData, ParsesOnlyWhatTheBytesHold)
{
    std::vector<BYTE> odd = Words({1, 16, 16, 2, 100});
    odd.push_back(0x01);  // one byte of the second id
    const ParseCase cases[] = {
        {"complete", Words({1, 16, 15, 3, 100, 0, 200}), TRUE, 3},
        {"no items", Words({1, 16, 16, 0}), TRUE, 0},
        {"bytes after the items are ignored", Words({1, 16, 16, 1, 7, 9, 9}), TRUE, 1},
        {"count larger than the ids", Words({1, 16, 16, 12, 1, 2, 3, 4, 0}), FALSE, 0},
        {"last id cut in half", odd, FALSE, 0},
        {"header cut short", Words({1, 16, 16}), FALSE, 0},
        {"nothing", {}, FALSE, 0},
        {"count 0xFFFF on a short resource", Words({1, 16, 16, 0xFFFF, 1, 2}), FALSE, 0},
    };
    for (const ParseCase& c : cases) {
        SCOPED_TRACE(c.name);
        ToolBarResourceData data;
        EXPECT_EQ(data.Parse(c.bytes.empty() ? nullptr : c.bytes.data(), c.bytes.size()), c.ok);
        EXPECT_EQ(data.GetCount(), c.count);
        if (!c.ok) {
            EXPECT_EQ(data.Items(), nullptr);
            EXPECT_EQ(data.GetWidth(), 0);
        }
    }
}

TEST(ToolBarResourceData, WidensIdsAndKeepsSeparators)
{
    const std::vector<BYTE> bytes = Words({1, 24, 22, 4, 0xE100, 0, 0xFFFF, 32869});
    ToolBarResourceData data;
    ASSERT_TRUE(data.Parse(bytes.data(), bytes.size()));
    EXPECT_EQ(data.GetVersion(), 1);
    EXPECT_EQ(data.GetWidth(), 24);
    EXPECT_EQ(data.GetHeight(), 22);
    ASSERT_EQ(data.GetCount(), 4);
    const UINT expected[] = {0xE100u, 0u, 0xFFFFu, 32869u};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(data.Items()[i], expected[i]) << i;
    }
}

TEST(ToolBarResourceData, LoadsTheModulesResources)
{
    HMODULE module = ::GetModuleHandleW(nullptr);
    ToolBarResourceData data;
    ASSERT_TRUE(data.Load(module, 128));
    EXPECT_EQ(data.GetWidth(), 16);
    EXPECT_EQ(data.GetHeight(), 16);
    const UINT player[] = {57600, 57601, 32793, 32795, 0, 32869, 32874, 32786, 0, 32834, 0, 32854};
    ASSERT_EQ(data.GetCount(), 12);
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(data.Items()[i], player[i]) << i;
    }
    // Truncated, header-only, missing, id 0 and no module all fail and leave nothing.
    const UINT bad[] = {129, 131, 999, 0};
    for (UINT id : bad) {
        SCOPED_TRACE(id);
        EXPECT_FALSE(data.Load(module, id));
        EXPECT_EQ(data.GetCount(), 0);
    }
    EXPECT_FALSE(data.Load(nullptr, 128));
}

} // namespace
