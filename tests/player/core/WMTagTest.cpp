// Runtime check, version text, error texts, the metadata tag holder and the help file path.
#include "player/core/HtmlHelpBinding.h"
#include "player/core/WMTag.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(WMTag, NewHolderIsEmptyAndCopiesAreByteEqual)
{
    WMTag a;
    for (int i = 0; i < kWMTagCount; ++i) {
        EXPECT_STREQ(a.Text(i), L"");
    }
    WM_TAG_BLOCK block;
    memset(&block, 0, sizeof block);
    wcscpy(block.text[3], L"Title text");
    wcscpy(block.text[1], L"Author");
    a.CopyTags(&block);
    WMTag b;
    b.Assign(a);
    EXPECT_EQ(memcmp(&a.m_block, &block, sizeof block), 0);
    EXPECT_EQ(memcmp(&a.m_block, &b.m_block, sizeof block), 0);
    EXPECT_STREQ(b.Text(3), L"Title text");
}

TEST(WMRuntime, BindsUnderTheTestEnvironment)
{
    EXPECT_EQ(CheckWMRuntime(), L"");
    EXPECT_FALSE(GetWMRuntimeVersion().empty());
}

TEST(WMRuntime, ErrorTextNamesFunctionAndObject)
{
    std::wstring text;
    FormatWMError(&text, L"sample.wmv", E_OUTOFMEMORY, L"IWMReader::Open");
    EXPECT_NE(text.find(L"IWMReader::Open"), std::wstring::npos);
    EXPECT_NE(text.find(L"sample.wmv"), std::wstring::npos);
}

TEST(Help, FileBesideTheProgram)
{
    EXPECT_EQ(HelpFilePathFor(L"C:\\P\\player.exe"), L"C:\\P\\player.chm");
    EXPECT_EQ(GetHelpFilePath(), L"");
    const std::wstring& path = HelpFilePath();
    const std::wstring expected = L"\\player_core_test.chm";
    ASSERT_GE(path.size(), expected.size());
    EXPECT_EQ(path.substr(path.size() - expected.size()), expected);
}

TEST(Help, CloseBeforeAnyHelpDoesNothing)
{
    CloseAllHelpWindows();
    UnbindHtmlHelp();
    SUCCEED();
}

}  // namespace
