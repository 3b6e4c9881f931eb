// The framework's arrays: the growth rule, value-initialised new elements, insertion and
// removal, the typed and fixed-type arrays, and errors for bad indexes.
#include <gtest/gtest.h>

#include "platform/framework/Framework.h"

#include <vector>

namespace {

struct Record {
    int a;
    void* b;
    double c;
};

TEST(Array, GrowthFollowsTheFrameworkRule)
{
    // Capacity after each Add from empty: first exactly 1, then steps of clamp(size/8, 4, 1024).
    CArray<int, int> a;
    std::vector<INT_PTR> capacities;
    for (int i = 0; i < 14; ++i) {
        a.Add(i);
        capacities.push_back(a.GetAllocSize());
    }
    const std::vector<INT_PTR> expected = {1, 5, 5, 5, 5, 9, 9, 9, 9, 13, 13, 13, 13, 17};
    EXPECT_EQ(expected, capacities);

    struct Case {
        INT_PTR size;
        INT_PTR capacityAfterAdd;
    };
    const Case cases[] = {{31, 35}, {100, 112}, {800, 900}, {8192, 9216}, {20000, 21024}};
    for (const Case& c : cases) {
        CArray<int, int> b;
        b.SetSize(c.size);
        EXPECT_EQ(c.size, b.GetAllocSize());
        b.Add(1);
        EXPECT_EQ(c.capacityAfterAdd, b.GetAllocSize()) << c.size;
    }
}

TEST(Array, ExplicitGrowStepAndFreeExtra)
{
    CArray<int, int> a;
    a.SetSize(0, 50);
    a.Add(1);
    EXPECT_EQ(50, a.GetAllocSize());
    a.SetSize(51);
    EXPECT_EQ(100, a.GetAllocSize());
    a.FreeExtra();
    EXPECT_EQ(51, a.GetAllocSize());
    a.SetSize(5);
    EXPECT_EQ(5, a.GetSize());
}

TEST(Array, NewElementsAreZeroed)
{
    CArray<Record, const Record&> a;
    a.SetSize(3);
    for (INT_PTR i = 0; i < a.GetSize(); ++i) {
        EXPECT_EQ(0, a[i].a);
        EXPECT_EQ(nullptr, a[i].b);
        EXPECT_EQ(0.0, a[i].c);
    }
    a[1] = Record{7, &a, 1.5};
    a.SetSize(1);
    a.SetSize(3);  // within the capacity: the reused slots are zeroed again
    EXPECT_EQ(0, a[1].a);
    EXPECT_EQ(nullptr, a[1].b);
    CArray<int, int> ints;
    ints.SetAtGrow(5, 9);
    ASSERT_EQ(6, ints.GetSize());
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(0, ints[i]);
    }
    EXPECT_EQ(9, ints[5]);
}

std::vector<int> Contents(const CArray<int, int>& a)
{
    return std::vector<int>(a.GetData(), a.GetData() + a.GetSize());
}

TEST(Array, InsertAndRemove)
{
    CArray<int, int> a;
    for (int i = 0; i < 5; ++i) {
        a.Add(i);
    }
    a.InsertAt(2, 9, 2);
    EXPECT_EQ((std::vector<int>{0, 1, 9, 9, 2, 3, 4}), Contents(a));
    a.InsertAt(9, 7);  // past the end: the gap is zero-filled
    EXPECT_EQ((std::vector<int>{0, 1, 9, 9, 2, 3, 4, 0, 0, 7}), Contents(a));
    a.RemoveAt(7, 3);
    a.RemoveAt(0);
    EXPECT_EQ((std::vector<int>{1, 9, 9, 2, 3, 4}), Contents(a));
    CArray<int, int> b;
    b.Add(5);
    b.Add(6);
    a.InsertAt(1, &b);
    EXPECT_EQ((std::vector<int>{1, 5, 6, 9, 9, 2, 3, 4}), Contents(a));
    EXPECT_EQ(8, a.Append(b));
    EXPECT_EQ(10, a.GetSize());
    a.Copy(b);
    EXPECT_EQ((std::vector<int>{5, 6}), Contents(a));
    EXPECT_EQ(1, a.GetUpperBound());
    a.RemoveAll();
    EXPECT_TRUE(a.IsEmpty());
    EXPECT_EQ(nullptr, a.GetData());
}

TEST(Array, BadIndexesThrow)
{
    CArray<int, int> a;
    a.Add(1);
    const auto expectInvalid = [](auto&& operation) {
        try {
            operation();
            ADD_FAILURE() << "no exception";
        } catch (CInvalidArgException* e) {
            e->Delete();
        }
    };
    expectInvalid([&] { a.GetAt(1); });
    expectInvalid([&] { a.SetAt(-1, 0); });
    expectInvalid([&] { a.RemoveAt(0, 2); });
    expectInvalid([&] { a.InsertAt(-1, 0); });
    expectInvalid([&] { a.SetSize(-1); });
    EXPECT_EQ(1, a.GetSize());
}

TEST(Array, ClassElementsSurviveGrowth)
{
    CStringArray a;
    a.Add(L"first element, long enough to live on the heap");
    for (int i = 0; i < 100; ++i) {
        // Adding an element of the array itself while the array reallocates.
        a.Add(a[0]);
    }
    EXPECT_EQ(101, a.GetSize());
    EXPECT_STREQ(a[0].GetString(), a[100].GetString());
    a.InsertAt(1, L"x", 3);
    a.RemoveAt(0, 2);
    EXPECT_STREQ(L"x", a[0].GetString());
    EXPECT_STREQ(L"first element, long enough to live on the heap", a[2].GetString());
}

TEST(Array, PointerAndWordArrays)
{
    int x = 1;
    int y = 2;
    CTypedPtrArray<CPtrArray, int*> typed;
    typed.Add(&x);
    typed.Add(&y);
    EXPECT_EQ(&y, typed.GetAt(1));
    EXPECT_EQ(2, *typed[1]);
    typed.SetAtGrow(3, &x);
    EXPECT_EQ(nullptr, typed[2]);
    EXPECT_TRUE(typed.IsKindOf(RUNTIME_CLASS(CPtrArray)));

    CWordArray words;
    words.Add(0xFFFF);
    CDWordArray dwords;
    dwords.Add(0xFFFFFFFF);
    EXPECT_EQ(0xFFFF, words[0]);
    EXPECT_EQ(0xFFFFFFFFu, dwords[0]);
    EXPECT_STREQ("CStringArray", RUNTIME_CLASS(CStringArray)->m_lpszClassName);
}

}  // namespace
