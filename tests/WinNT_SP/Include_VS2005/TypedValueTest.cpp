// Typed values: presence, buffers, list storage and capacity, copying and comparison.
#include "tests/WinNT_SP/Include_VS2005/TestRecords.h"
#include "WinNT_SP/Include_VS2005/TypedValue.h"

#include <gtest/gtest.h>

using orvane::test::RecordListRecord;
using orvane::test::SampleRecord;
using R = SampleRecord;

TEST(TypedValue, FreshRecordIsAbsentAndReadsDefaults)
{
    SampleRecord r;
    EXPECT_FALSE(r.Root().IsPresent());
    EXPECT_STREQ(r.Root().ToText(0), L"");
    EXPECT_EQ(r[R::kNum].GetInt(7), 7);
    EXPECT_EQ(r[R::kVol].GetDouble(0.25), 0.25);
    EXPECT_STREQ(r[R::kName].GetStringValue(), L"");
}

TEST(TypedValue, EmptyStringWithoutBufferStaysWithoutBuffer)
{
    SampleRecord r;
    r[R::kName].SetString(L"");
    EXPECT_EQ(r[R::kName].Ptr(), nullptr);
    r[R::kName].MarkSet();
    EXPECT_TRUE(r[R::kName].IsPresent());
    EXPECT_STREQ(r[R::kName].GetStringValue(), L"");
}

TEST(TypedValue, SetStringReusesALargeEnoughBuffer)
{
    SampleRecord r;
    r[R::kName].SetStringValue(L"abcdef");
    void* first = r[R::kName].Ptr();
    r[R::kName].SetStringValue(L"xy");
    EXPECT_EQ(r[R::kName].Ptr(), first);
    EXPECT_STREQ(r[R::kName].GetStringValue(), L"xy");
    r[R::kName].SetStringValue(L"");
    EXPECT_EQ(r[R::kName].Ptr(), first);  // an owned buffer keeps an empty string
}

TEST(TypedValue, ListWithOnlyAbsentEntriesIsAbsent)
{
    SampleRecord r;
    r[R::kList].SetListSize(3);
    EXPECT_TRUE(r[R::kList].IsSet());
    EXPECT_FALSE(r[R::kList].IsPresent());
    EXPECT_STREQ(r.Root().ToText(0), L"");
    r[R::kList].ListEntry(1)->SetStringValue(L"x");
    EXPECT_TRUE(r[R::kList].IsPresent());
}

TEST(TypedValue, RemovingAllEntriesLeavesAnAbsentList)
{
    SampleRecord r;
    r[R::kList].SetListSize(2);
    r[R::kList].ListEntry(0)->SetStringValue(L"a");
    r[R::kList].ListEntry(1)->SetStringValue(L"b");
    r[R::kList].RemoveListEntries(0, 2);
    EXPECT_FALSE(r[R::kList].IsSet());
    EXPECT_FALSE(r[R::kList].IsPresent());
    EXPECT_EQ(r[R::kList].ListCount(), 0u);
}

TEST(TypedValue, InsertOnAbsentListAddsOneAbsentEntry)
{
    SampleRecord r;
    r[R::kList].InsertListEntry(0);
    EXPECT_TRUE(r[R::kList].IsSet());
    EXPECT_EQ(r[R::kList].ListCount(), 1u);
    EXPECT_FALSE(r[R::kList].IsPresent());
    r[R::kList].ListEntry(0)->SetStringValue(L"one");
    EXPECT_TRUE(r[R::kList].IsPresent());
}

TEST(TypedValue, InsertAndRemoveKeepOrder)
{
    SampleRecord r;
    TypedValue& list = r[R::kList];
    for (const wchar_t* s : {L"a", L"c"}) {
        list.InsertListEntry(list.ListCount());
        list.ListEntry(list.ListCount() - 1)->SetStringValue(s);
    }
    list.InsertListEntry(1);
    list.ListEntry(1)->SetStringValue(L"b");
    ASSERT_EQ(list.ListCount(), 3u);
    EXPECT_STREQ(list.ListEntry(0)->GetStringValue(), L"a");
    EXPECT_STREQ(list.ListEntry(1)->GetStringValue(), L"b");
    EXPECT_STREQ(list.ListEntry(2)->GetStringValue(), L"c");
    EXPECT_EQ(list.ListEntry(1)->key, list.key);
    list.RemoveListEntries(0, 1);
    ASSERT_EQ(list.ListCount(), 2u);
    EXPECT_STREQ(list.ListEntry(0)->GetStringValue(), L"b");
    EXPECT_STREQ(list.ListEntry(1)->GetStringValue(), L"c");
    EXPECT_EQ(list.ListEntry(2)->type, TVT_END);
}

TEST(TypedValue, ListCapacityStepsOf64Items)
{
    struct Case {
        uint32_t entries;
        uint32_t capacity;
    };
    for (const Case c : {Case{1, 64}, Case{62, 64}, Case{63, 128}, Case{126, 128},
                         Case{127, 192}}) {
        SampleRecord r;
        r[R::kList].SetListSize(c.entries);
        EXPECT_EQ(r[R::kList].size, c.capacity) << c.entries;
        EXPECT_EQ(r[R::kList].size % 64, 0u);
    }
}

TEST(TypedValue, IsEqualFlags)
{
    SampleRecord a;
    SampleRecord b;
    b[R::kName].SetStringValue(L"");
    EXPECT_FALSE(a.Root().IsEqual(b.Root(), 0));
    EXPECT_TRUE(a.Root().IsEqual(b.Root(), 1));

    SampleRecord c;
    SampleRecord d;
    c[R::kNum].data = 5;  // absent, stored bytes 5
    d[R::kNum].SetInt(5);
    EXPECT_FALSE(c.Root().IsEqual(d.Root(), 0));
    EXPECT_TRUE(c.Root().IsEqual(d.Root(), 2));
    d[R::kNum].Clear();
    EXPECT_EQ(d[R::kNum].data, 5u);
}

TEST(TypedValue, IsEqualTreatsAbsentListAsAbsent)
{
    SampleRecord a;
    SampleRecord b;
    b[R::kList].SetListSize(2);
    EXPECT_TRUE(a.Root().IsEqual(b.Root(), 0));
    b[R::kList].ListEntry(0)->SetStringValue(L"x");
    EXPECT_FALSE(a.Root().IsEqual(b.Root(), 0));
}

TEST(TypedValue, CopyFromCopiesEverythingAndEmptiesLists)
{
    SampleRecord src;
    src[R::kNum].SetInt(-3);
    src[R::kVol].SetDouble(0.8);
    src[R::kName].SetStringValue(L"name");
    const unsigned char bytes[] = {1, 2, 3};
    src[R::kBin].SetBinary(3, bytes);
    src[R::kBin].MarkSet();
    src[R::kPosY].SetInt(9);
    src[R::kList].SetListSize(2);
    src[R::kList].ListEntry(1)->SetStringValue(L"(x=1)");

    SampleRecord dst;
    dst.Root().CopyFrom(src.Root());
    EXPECT_TRUE(dst.Root().IsEqual(src.Root(), 0));
    EXPECT_NE(dst[R::kName].Ptr(), src[R::kName].Ptr());
    EXPECT_STREQ(dst.Root().ToText(0), src.Root().ToText(0));

    SampleRecord empty;
    dst.Root().CopyFrom(empty.Root());
    EXPECT_FALSE(dst[R::kList].IsSet());
    EXPECT_FALSE(dst.Root().IsPresent());
}

TEST(TypedValue, RecordListEntriesAreIndependentCopiesOfTheTemplate)
{
    RecordListRecord r;
    TypedValue& list = r[RecordListRecord::kList];
    EXPECT_EQ(list.Span(), 5u);
    list.SetListSize(2);
    list.ListEntry(0)[2].SetStringValue(L"first");
    list.ListEntry(1)[2].SetStringValue(L"second");
    EXPECT_NE(list.ListEntry(0)[2].Ptr(), list.ListEntry(1)[2].Ptr());
    EXPECT_EQ(r[RecordListRecord::kTplB].Ptr(), nullptr);
    EXPECT_STREQ(r.Root().ToText(0), L"(Items=((B=first),(B=second)))");

    RecordListRecord copy;
    copy.Root().CopyFrom(r.Root());
    EXPECT_TRUE(copy.Root().IsEqual(r.Root(), 0));
}

TEST(TypedValue, AllocOrThrowReportsTheRequestedSize)
{
    // 16 bytes short of the whole address space: no heap gives that, whatever the pointer size.
    const size_t huge = ~size_t(15);
    try {
        AllocOrThrow(huge);
        FAIL() << "expected CNoMemExc";
    } catch (const CNoMemExc& e) {
        EXPECT_EQ(e.Bytes(), huge);
    }
}
