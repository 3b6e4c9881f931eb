// Formatting of the framework strings: Microsoft printf semantics on both widths (the C99
// printf that mingw selects by default reads %s differently), and string loading.
#include <gtest/gtest.h>

#include "platform/framework/Framework.h"

namespace {

struct WideFormatCase {
    const wchar_t* expected;
    CStringW (*format)();
};

template <class... Args>
CStringW Wide(const wchar_t* format, const Args&... args)
{
    CStringW s;
    s.Format(format, args...);
    return s;
}

template <class... Args>
CStringA Narrow(const char* format, const Args&... args)
{
    CStringA s;
    s.Format(format, args...);
    return s;
}

TEST(StringFormat, WideFormatsHaveMicrosoftMeaning)
{
    // In a wide format %s and %ls take wide text, %S and %hs narrow text.
    const WideFormatCase cases[] = {
        {L"wide", [] { return Wide(L"%s", L"wide"); }},
        {L"narrow", [] { return Wide(L"%S", "narrow"); }},
        {L"h-narrow", [] { return Wide(L"%hs", "h-narrow"); }},
        {L"l-wide", [] { return Wide(L"%ls", L"l-wide"); }},
        {L"[  ab]", [] { return Wide(L"[%4s]", L"ab"); }},
        {L"[ab  ]", [] { return Wide(L"[%-4S]", "ab"); }},
        {L"-5000000000", [] { return Wide(L"%I64d", -5000000000LL); }},
        {L"7000000000", [] { return Wide(L"%I64i", 7000000000LL); }},
        {L"1099511627775", [] { return Wide(L"%I64u", 0xFFFFFFFFFFULL); }},
        {L"FFFFFFFFFF", [] { return Wide(L"%I64X", 0xFFFFFFFFFFULL); }},
        {L"x", [] { return Wide(L"%c", L'x'); }},
        {L"y", [] { return Wide(L"%C", 'y'); }},
        {L"0012", [] { return Wide(L"%04d", 12); }},
        {L"2.50", [] { return Wide(L"%.2f", 2.5); }},
        {L"100%", [] { return Wide(L"%d%%", 100); }},
        {L"", [] { return Wide(L""); }},
    };
    for (const WideFormatCase& c : cases) {
        EXPECT_STREQ(c.expected, c.format().GetString());
    }
}

TEST(StringFormat, NarrowFormatsHaveMicrosoftMeaning)
{
    // In a narrow format %s and %hs take narrow text, %S and %ls wide text.
    EXPECT_STREQ("narrow", Narrow("%s", "narrow").GetString());
    EXPECT_STREQ("wide", Narrow("%S", L"wide").GetString());
    EXPECT_STREQ("h", Narrow("%hs", "h").GetString());
    EXPECT_STREQ("l", Narrow("%ls", L"l").GetString());
    EXPECT_STREQ("-1", Narrow("%I64d", -1LL).GetString());
    EXPECT_STREQ("z", Narrow("%C", L'z').GetString());
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
    EXPECT_EQ(::GetModuleHandleW(nullptr), AfxGetInstanceHandle());
    EXPECT_EQ(AfxGetInstanceHandle(), AfxGetResourceHandle());
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
    // Strings come from whichever module is set as the resource module.
    AfxSetResourceHandle(::GetModuleHandleW(L"msvcrt.dll"));
    EXPECT_FALSE(s.LoadString(101));
    AfxSetResourceHandle(nullptr);
    EXPECT_TRUE(s.LoadString(101));
}

}  // namespace
