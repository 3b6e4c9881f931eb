// List splitting with quotes, quote doubling and message names.
#include "WinNT_SP/Include_VS2005/ListText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Item {
    std::wstring text;
    int isNumber;
    int quoteState;
    uint32_t number;
};

std::vector<Item> Split(const wchar_t* text, int maxItems, int* count,
                        wchar_t sep = L',', wchar_t quote = L'"')
{
    std::vector<ListTextItem> items(static_cast<size_t>(maxItems));
    *count = SplitListText(text, sep, quote, maxItems, items.data());
    std::vector<Item> out;
    for (int i = 0; i < *count && i < maxItems; ++i) {
        const ListTextItem& it = items[static_cast<size_t>(i)];
        out.push_back({std::wstring(it.start, it.length), it.isNumber, it.quoteState, it.number});
    }
    return out;
}

}  // namespace

TEST(SplitListText, Items)
{
    struct Case {
        const wchar_t* text;
        int count;
        std::vector<Item> items;
    };
    const std::vector<Case> cases = {
        {L"a,12,\"x,y\"", 3, {{L"a", 0, 0, 0}, {L"12", 1, 0, 12}, {L"x,y", 0, 1, 0}}},
        {L"\"a\"\"b\"", 1, {{L"a\"\"b", 0, 2, 0}}},
        {L"\"open", 1, {{L"open", 0, 3, 0}}},
        {L"a,", 2, {{L"a", 0, 0, 0}, {L"", 0, 0, 0}}},
        {L"4294967295", 1, {{L"4294967295", 1, 0, 4294967295u}}},
        {L"4294967296", 1, {{L"4294967296", 0, 0, 0}}},
        {L"\"12\"", 1, {{L"12", 1, 1, 12}}},
        {L"a\"b", 1, {{L"a\"b", 0, 3, 0}}},
        {L"\"a\"b", 1, {{L"a\"b", 0, 3, 0}}},
        {L"", 0, {}},
    };
    for (const Case& c : cases) {
        int count = 0;
        const std::vector<Item> got = Split(c.text, 8, &count);
        ASSERT_EQ(count, c.count) << c.text;
        for (size_t i = 0; i < c.items.size(); ++i) {
            EXPECT_EQ(got[i].text, c.items[i].text) << c.text << " #" << i;
            EXPECT_EQ(got[i].isNumber, c.items[i].isNumber) << c.text << " #" << i;
            EXPECT_EQ(got[i].quoteState, c.items[i].quoteState) << c.text << " #" << i;
            if (c.items[i].isNumber) {
                EXPECT_EQ(got[i].number, c.items[i].number) << c.text;
            }
        }
    }
}

TEST(SplitListText, MaxItems)
{
    int count = 0;
    Split(L"a,b,c", 2, &count);
    EXPECT_EQ(count, 3);
    Split(L"a,b", 2, &count);
    EXPECT_EQ(count, 2);
    Split(L"a,b,", 2, &count);
    EXPECT_EQ(count, 3);
    EXPECT_EQ(SplitListText(nullptr, L',', L'"', 2, nullptr), 0);
}

TEST(SplitListText, CommandLineWithSpaces)
{
    int count = 0;
    const auto items = Split(L"/play \"C:\\My Talks\\a.wmv\"", 32, &count, L' ');
    ASSERT_EQ(count, 2);
    EXPECT_EQ(items[1].text, L"C:\\My Talks\\a.wmv");
    EXPECT_EQ(items[1].quoteState, 1);
}

TEST(DoubleQuoteChars, DoublesQuotesWithinTheDestination)
{
    wchar_t dst[32];
    EXPECT_TRUE(DoubleQuoteChars(dst, 32, L"say \"hi\""));
    EXPECT_STREQ(dst, L"say \"\"hi\"\"");
    EXPECT_FALSE(DoubleQuoteChars(dst, 6, L"ab\"cd"));
    EXPECT_STREQ(dst, L"ab\"\"c");
    EXPECT_FALSE(DoubleQuoteChars(dst, 4, L"ab\"cd"));
    EXPECT_STREQ(dst, L"ab");  // a quote pair is never split
}

TEST(DoubleQuoteChars, TakesAtMost1025SourceCharacters)
{
    std::wstring src(2000, L'x');
    src[10] = L'"';
    std::vector<wchar_t> dst(2 * 1025 + 1);
    DoubleQuoteChars(dst.data(), dst.size(), src.c_str());
    const std::wstring got(dst.data());
    EXPECT_EQ(got.size(), 1026u);
    EXPECT_EQ(got.substr(10, 2), L"\"\"");
}

TEST(GetWindowMessageName, TableFromTheHeaders)
{
    struct Case {
        unsigned number;
        const wchar_t* name;
    };
    const Case cases[] = {
        {0x0000, L"WM_NULL"},
        {0x0111, L"WM_COMMAND"},
        {0x00C5, L"EM_SETLIMITTEXTorEM_LIMITTEXT"},
        {0x03D0, L"MM_DRVM_OPENorMM_MIXM_LINE_CHANGE"},
        {0x03D1, L"MM_DRVM_CLOSEorMM_MIXM_CONTROL_CHANGE"},
        {0x0163, L"CB_MULTIPLEADDSTRING"},
        {0x035F, L"WM_HANDHELDLAST"},
        {0x200C, L"CCM_DPISCALE"},
        {0x1000, L"LVM_GETBKCOLOR"},
        {0x0400, L"UnknMess"},
        {0x8000, L"UnknMess"},
        {0x200D, L"UnknMess"},
    };
    for (const Case& c : cases) {
        EXPECT_STREQ(GetWindowMessageName(c.number), c.name) << std::hex << c.number;
    }
    EXPECT_EQ(WindowMessageNameCount(), 625u);
}
