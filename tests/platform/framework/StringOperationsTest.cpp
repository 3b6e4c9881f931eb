// String operations of the framework strings: searching, extraction, editing, trimming, case,
// comparison, buffers, BSTRs, width conversions, field splitting and allocation failures.
#include <gtest/gtest.h>

#include "platform/framework/Framework.h"

namespace {

struct FindCase {
    const wchar_t* text;
    const wchar_t* sub;
    int start;
    int expected;
};

TEST(StringOperations, FindTable)
{
    const FindCase cases[] = {
        {L"abcabc", L"bc", 0, 1},  {L"abcabc", L"bc", 2, 4},  {L"abcabc", L"x", 0, -1},
        {L"abcabc", L"", 0, 0},    {L"abcabc", L"c", 6, -1},  {L"abcabc", L"c", 7, -1},
        {L"abcabc", L"a", -1, -1}, {L"", L"a", 0, -1},        {L"aaa", L"aa", 1, 1},
    };
    for (const FindCase& c : cases) {
        EXPECT_EQ(c.expected, CString(c.text).Find(c.sub, c.start))
            << c.text << " / " << c.sub << " from " << c.start;
    }
    CString s(L"path\\to\\file.ext");
    EXPECT_EQ(4, s.Find(L'\\'));
    EXPECT_EQ(7, s.Find(L'\\', 5));
    EXPECT_EQ(7, s.ReverseFind(L'\\'));
    EXPECT_EQ(-1, s.ReverseFind(L'/'));
    EXPECT_EQ(4, s.FindOneOf(L"/\\"));
}

struct ExtractCase {
    int first;
    int count;
    const wchar_t* mid;
};

TEST(StringOperations, ExtractionClampsArguments)
{
    CString s(L"abcdef");
    const ExtractCase cases[] = {
        {0, 3, L"abc"}, {2, 2, L"cd"}, {4, 10, L"ef"}, {6, 1, L""},
        {9, 1, L""},    {-2, 3, L"abc"}, {1, -1, L""}, {0, 6, L"abcdef"},
    };
    for (const ExtractCase& c : cases) {
        EXPECT_STREQ(c.mid, s.Mid(c.first, c.count).GetString()) << c.first << "," << c.count;
    }
    EXPECT_STREQ(L"cdef", s.Mid(2).GetString());
    EXPECT_STREQ(L"ab", s.Left(2).GetString());
    EXPECT_STREQ(L"", s.Left(-1).GetString());
    EXPECT_STREQ(L"abcdef", s.Left(99).GetString());
    EXPECT_STREQ(L"ef", s.Right(2).GetString());
    EXPECT_STREQ(L"abcdef", s.Right(99).GetString());
    EXPECT_STREQ(L"", s.Right(-3).GetString());
    EXPECT_STREQ(L"abc", CString(L"abc123").SpanExcluding(L"0123456789").GetString());
    EXPECT_STREQ(L"12", CString(L"12ab").SpanIncluding(L"0123456789").GetString());
}

TEST(StringOperations, ReplaceRemoveInsertDelete)
{
    CString s(L"a.b.c");
    EXPECT_EQ(2, s.Replace(L".", L"::"));
    EXPECT_STREQ(L"a::b::c", s.GetString());
    EXPECT_EQ(0, s.Replace(L"", L"x"));
    EXPECT_EQ(2, s.Replace(L"::", nullptr));
    EXPECT_STREQ(L"abc", s.GetString());
    CString overlap(L"aaaa");
    EXPECT_EQ(2, overlap.Replace(L"aa", L"a"));
    EXPECT_STREQ(L"aa", overlap.GetString());
    CString chars(L"x-y-z");
    EXPECT_EQ(2, chars.Replace(L'-', L'+'));
    EXPECT_STREQ(L"x+y+z", chars.GetString());
    EXPECT_EQ(2, chars.Remove(L'+'));
    EXPECT_STREQ(L"xyz", chars.GetString());
    EXPECT_EQ(4, chars.Insert(1, L'-'));
    EXPECT_EQ(6, chars.Insert(99, L"!!"));
    EXPECT_STREQ(L"x-yz!!", chars.GetString());
    EXPECT_EQ(4, chars.Delete(4, 10));
    EXPECT_STREQ(L"x-yz", chars.GetString());
}

struct TrimCase {
    const wchar_t* text;
    const wchar_t* both;
    const wchar_t* left;
    const wchar_t* right;
};

TEST(StringOperations, TrimTable)
{
    const TrimCase cases[] = {
        {L"  a b  ", L"a b", L"a b  ", L"  a b"},
        {L"\t\r\nx\n", L"x", L"x\n", L"\t\r\nx"},
        {L"   ", L"", L"", L""},
        {L"", L"", L"", L""},
        {L"ab", L"ab", L"ab", L"ab"},
    };
    for (const TrimCase& c : cases) {
        EXPECT_STREQ(c.both, CString(c.text).Trim().GetString());
        EXPECT_STREQ(c.left, CString(c.text).TrimLeft().GetString());
        EXPECT_STREQ(c.right, CString(c.text).TrimRight().GetString());
    }
    EXPECT_STREQ(L"b", CString(L"xxbxx").Trim(L'x').GetString());
    EXPECT_STREQ(L"b", CString(L"\"'b'\"").Trim(L"'\"").GetString());
    EXPECT_STREQ(L"b'\"", CString(L"\"'b'\"").TrimLeft(L"'\"").GetString());
}

TEST(StringOperations, CaseAndComparison)
{
    CString s(L"MiXeD \x00e9");
    EXPECT_STREQ(L"MIXED \x00c9", CString(s).MakeUpper().GetString());
    EXPECT_STREQ(L"mixed \x00e9", CString(s).MakeLower().GetString());
    EXPECT_EQ(0, s.CompareNoCase(L"mixed \x00e9"));
    EXPECT_LT(CString(L"abc").Compare(L"abd"), 0);
    EXPECT_GT(CString(L"b").Compare(L"B"), 0);
    EXPECT_EQ(0, CString(L"ABC").CompareNoCase(L"abc"));
    EXPECT_LT(CString(L"abc").CompareNoCase(L"ABD"), 0);
    EXPECT_GT(CString(L"abc").CompareNoCase(nullptr), 0);
    EXPECT_TRUE(CString(L"x") == L"x");
    EXPECT_TRUE(L"x" != CString(L"y"));
    EXPECT_TRUE(CString(L"a") < CString(L"b"));
}

TEST(StringOperations, BufferAccess)
{
    CString s(L"abc");
    wchar_t* p = s.GetBuffer(10);
    wcscpy(p, L"hello world");
    s.ReleaseBuffer();
    EXPECT_STREQ(L"hello world", s.GetString());
    p = s.GetBuffer();
    p[5] = 0;
    s.ReleaseBuffer();
    EXPECT_EQ(5, s.GetLength());
    s.GetBufferSetLength(3);
    s.ReleaseBuffer(2);
    EXPECT_STREQ(L"he", s.GetString());
    CStringA narrow;
    char* q = narrow.GetBuffer(MAX_PATH);
    ASSERT_NE(0u, ::GetWindowsDirectoryA(q, MAX_PATH));
    narrow.ReleaseBuffer();
    EXPECT_GT(narrow.GetLength(), 2);
    EXPECT_EQ(':', narrow[1]);
}

TEST(StringOperations, AllocSysString)
{
    CString s(L"bstr text");
    BSTR b = s.AllocSysString();
    ASSERT_NE(nullptr, b);
    EXPECT_EQ(9u, ::SysStringLen(b));
    EXPECT_STREQ(L"bstr text", b);
    ::SysFreeString(b);
    BSTR a = CStringA("narrow").AllocSysString();
    EXPECT_STREQ(L"narrow", a);
    ::SysFreeString(a);
}

TEST(StringOperations, WidthConversions)
{
    CStringW wide("from narrow");
    EXPECT_STREQ(L"from narrow", wide.GetString());
    CStringA narrow(L"from wide");
    EXPECT_STREQ("from wide", narrow.GetString());
    narrow = wide;
    EXPECT_STREQ("from narrow", narrow.GetString());
    EXPECT_STREQ("abc", static_cast<const char*>(CW2A(L"abc")));
    EXPECT_STREQ(L"abc", static_cast<const wchar_t*>(CA2W("abc")));
    EXPECT_STREQ("abc", static_cast<const char*>(CT2A(L"abc")));
    EXPECT_STREQ("\xc3\xa9", static_cast<const char*>(CW2A(L"\x00e9", CP_UTF8)));
    EXPECT_STREQ(L"\x00e9", static_cast<const wchar_t*>(CA2W("\xc3\xa9", CP_UTF8)));
    EXPECT_EQ(nullptr, static_cast<const char*>(CW2A(nullptr)));
}

TEST(StringOperations, TokenizeAndExtractSubString)
{
    CString s(L";a;;b;");
    int pos = 0;
    EXPECT_STREQ(L"a", s.Tokenize(L";", pos).GetString());
    EXPECT_STREQ(L"b", s.Tokenize(L";", pos).GetString());
    EXPECT_STREQ(L"", s.Tokenize(L";", pos).GetString());
    EXPECT_EQ(-1, pos);

    const wchar_t* full = L"Title\nTip\n\nLast";
    const wchar_t* fields[] = {L"Title", L"Tip", L"", L"Last"};
    CString field;
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(AfxExtractSubString(field, full, i)) << i;
        EXPECT_STREQ(fields[i], field.GetString()) << i;
    }
    EXPECT_FALSE(AfxExtractSubString(field, full, 4));
    EXPECT_TRUE(field.IsEmpty());
    EXPECT_TRUE(AfxExtractSubString(field, L"a|b", 1, L'|'));
    EXPECT_STREQ(L"b", field.GetString());
    EXPECT_FALSE(AfxExtractSubString(field, nullptr, 0));
}

TEST(StringOperations, AllocationFailureRaisesEFail)
{
    CString s;
    try {
        s.GetBuffer(0x7FFFFFF0);
        FAIL() << "no exception";
    } catch (COleException* e) {
        EXPECT_EQ(E_FAIL, e->m_sc);
        e->Delete();
    }
    try {
        s.GetBuffer(-1);
        FAIL() << "no exception";
    } catch (COleException* e) {
        EXPECT_EQ(E_FAIL, e->m_sc);
        e->Delete();
    }
}

TEST(StringOperations, BadIndexRaisesInvalidArgument)
{
    CString s(L"ab");
    EXPECT_EQ(0, s[2]);
    try {
        s.GetAt(2);
        FAIL() << "no exception";
    } catch (CInvalidArgException* e) {
        e->Delete();
    }
    try {
        s.SetAt(-1, L'x');
        FAIL() << "no exception";
    } catch (CException* e) {
        EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CInvalidArgException)));
        e->Delete();
    }
}

}  // namespace
