// Formatting of the framework strings: Microsoft printf semantics on both widths (the C99
// printf that mingw selects by default reads %s differently), and string loading.
#include <gtest/gtest.h>

#include "Framework.h"

namespace {

TEST(StringFormat, WideFormatsHaveMicrosoftMeaning)
{
    CStringW s;
    s.Format(L"[%s|%S|%hs|%ls]", L"wide", "narrow", "h-narrow", L"l-wide");
    EXPECT_STREQ(L"[wide|narrow|h-narrow|l-wide]", s.GetString());
    s.Format(L"%I64d %I64i %I64u", static_cast<LONGLONG>(-5000000000LL),
             static_cast<LONGLONG>(7000000000LL), static_cast<ULONGLONG>(0xFFFFFFFFFFULL));
    EXPECT_STREQ(L"-5000000000 7000000000 1099511627775", s.GetString());
}

TEST(StringFormat, NarrowFormatsHaveMicrosoftMeaning)
{
    CStringA s;
    s.Format("[%s|%S|%hs|%ls|%I64d]", "narrow", L"wide", "h", L"l", static_cast<LONGLONG>(-1));
    EXPECT_STREQ("[narrow|wide|h|l|-1]", s.GetString());
}

TEST(StringFormat, AppendFormatAndLongResults)
{
    CString s(L"x=");
    s.AppendFormat(L"%d, %05.1f, %c, %x", 42, 3.14159, L'Q', 255u);
    EXPECT_STREQ(L"x=42, 003.1, Q, ff", s.GetString());
    CString big;
    big.Format(L"%s%s", CString(L'a', 5000).GetString(), CString(L'b', 5000).GetString());
    EXPECT_EQ(10000, big.GetLength());
    EXPECT_EQ(L'b', big[9999]);
}

TEST(StringFormat, LoadStringFromModuleTable)
{
    CString s;
    ASSERT_TRUE(s.LoadString(101));
    EXPECT_STREQ(L"First string", s.GetString());
    ASSERT_TRUE(s.LoadString(117));
    EXPECT_STREQ(L"Second block, %s", s.GetString());
    EXPECT_FALSE(s.LoadString(102));
    EXPECT_TRUE(s.IsEmpty());
    CStringA narrow;
    ASSERT_TRUE(narrow.LoadString(101));
    EXPECT_STREQ("First string", narrow.GetString());
    CString byId(MAKEINTRESOURCEW(101));
    EXPECT_STREQ(L"First string", byId.GetString());
    CString formatted;
    formatted.Format(117, L"here");
    EXPECT_STREQ(L"Second block, here", formatted.GetString());
}

}  // namespace
