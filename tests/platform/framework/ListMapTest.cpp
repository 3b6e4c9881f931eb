// The framework's list (POSITION walks, insertion, removal, search) and hash map (lookup,
// replacement, removal, iteration, table sizes, string keys, removal while iterating).
#include <gtest/gtest.h>

#include "platform/framework/Framework.h"

#include <set>
#include <vector>

namespace {

std::vector<int> Forward(const CList<int, int>& list)
{
    std::vector<int> out;
    for (POSITION pos = list.GetHeadPosition(); pos;) {
        out.push_back(list.GetNext(pos));
    }
    return out;
}

std::vector<int> Backward(const CList<int, int>& list)
{
    std::vector<int> out;
    for (POSITION pos = list.GetTailPosition(); pos;) {
        out.push_back(list.GetPrev(pos));
    }
    return out;
}

TEST(List, AddInsertRemoveAndWalk)
{
    CList<int, int> list;
    list.AddTail(2);
    list.AddHead(1);
    POSITION three = list.AddTail(3);
    list.InsertBefore(three, 25);
    list.InsertAfter(three, 4);
    EXPECT_EQ((std::vector<int>{1, 2, 25, 3, 4}), Forward(list));
    EXPECT_EQ((std::vector<int>{4, 3, 25, 2, 1}), Backward(list));
    EXPECT_EQ(5, list.GetCount());
    EXPECT_EQ(1, list.GetHead());
    EXPECT_EQ(4, list.GetTail());

    POSITION found = list.Find(25);
    ASSERT_NE(nullptr, found);
    list.RemoveAt(found);
    EXPECT_EQ(nullptr, list.Find(25));
    EXPECT_EQ(three, list.FindIndex(2));
    EXPECT_EQ(nullptr, list.FindIndex(4));
    EXPECT_EQ(nullptr, list.FindIndex(-1));
    list.SetAt(three, 30);
    EXPECT_EQ(1, list.RemoveHead());
    EXPECT_EQ(4, list.RemoveTail());
    EXPECT_EQ((std::vector<int>{2, 30}), Forward(list));
    EXPECT_EQ(three, list.Find(30, list.GetHeadPosition()));
    list.RemoveAll();
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(nullptr, list.GetHeadPosition());
}

TEST(List, RemovingWhileWalkingAndBlockReuse)
{
    CList<int, int> list(3);
    for (int i = 0; i < 20; ++i) {
        list.AddTail(i);
    }
    for (POSITION pos = list.GetHeadPosition(); pos;) {
        POSITION current = pos;
        if (list.GetNext(pos) % 2) {
            list.RemoveAt(current);
        }
    }
    EXPECT_EQ((std::vector<int>{0, 2, 4, 6, 8, 10, 12, 14, 16, 18}), Forward(list));
    for (int i = 0; i < 1000; ++i) {
        list.AddHead(i);
        list.RemoveHead();
    }
    EXPECT_EQ(10, list.GetCount());
    try {
        list.GetAt(nullptr);
        FAIL() << "no exception";
    } catch (CInvalidArgException* e) {
        e->Delete();
    }
}

TEST(List, PointerListAndStringList)
{
    int a = 0;
    CPtrList pointers;
    pointers.AddTail(&a);
    EXPECT_EQ(&a, pointers.GetHead());
    EXPECT_NE(nullptr, pointers.Find(&a));
    CList<CString, const CString&> strings;
    strings.AddTail(CString(L"one"));
    strings.AddTail(CString(L"two"));
    EXPECT_NE(nullptr, strings.Find(CString(L"two")));
    EXPECT_STREQ(L"one", strings.RemoveHead().GetString());
}

TEST(Map, LookupSetAtRemoveKey)
{
    CMap<UINT, UINT, int, int> map;
    EXPECT_EQ(17u, map.GetHashTableSize());
    map.InitHashTable(127);
    EXPECT_EQ(127u, map.GetHashTableSize());
    for (UINT i = 0; i < 300; ++i) {
        map.SetAt(i * 7, static_cast<int>(i));
    }
    EXPECT_EQ(300, map.GetCount());
    int value = -1;
    EXPECT_TRUE(map.Lookup(7 * 42, value));
    EXPECT_EQ(42, value);
    EXPECT_FALSE(map.Lookup(5, value));
    map.SetAt(7 * 42, -42);
    EXPECT_TRUE(map.Lookup(7 * 42, value));
    EXPECT_EQ(-42, value);
    EXPECT_EQ(300, map.GetCount());
    EXPECT_TRUE(map.RemoveKey(7 * 42));
    EXPECT_FALSE(map.RemoveKey(7 * 42));
    EXPECT_FALSE(map.Lookup(7 * 42, value));
    EXPECT_EQ(299, map.GetCount());
    map[5] = 55;
    EXPECT_EQ(55, map[5]);
    EXPECT_EQ(0, map[6]);  // a new entry starts value-initialised
    ASSERT_NE(nullptr, map.PLookup(5));
    EXPECT_EQ(55, map.PLookup(5)->value);
}

TEST(Map, IterationVisitsEveryEntryOnceAndAllowsRemoval)
{
    CMap<UINT, UINT, UINT, UINT> map;
    map.InitHashTable(10);
    std::set<UINT> keys;
    for (UINT i = 1; i <= 50; ++i) {
        map.SetAt(i, i * 2);
        keys.insert(i);
    }
    std::set<UINT> seen;
    POSITION pos = map.GetStartPosition();
    while (pos) {
        UINT key = 0;
        UINT value = 0;
        map.GetNextAssoc(pos, key, value);
        EXPECT_EQ(key * 2, value);
        EXPECT_TRUE(seen.insert(key).second) << key;
        if (key % 3 == 0) {
            map.RemoveKey(key);
        }
    }
    EXPECT_EQ(keys, seen);
    EXPECT_EQ(34, map.GetCount());
    int pairs = 0;
    for (auto* pair = map.PGetFirstAssoc(); pair; pair = map.PGetNextAssoc(pair)) {
        EXPECT_NE(0u, pair->key % 3);
        ++pairs;
    }
    EXPECT_EQ(34, pairs);
    map.RemoveAll();
    EXPECT_EQ(nullptr, map.GetStartPosition());
}

TEST(Map, StringKeysAndPointerMaps)
{
    CMap<CString, LPCTSTR, int, int> map;
    map.InitHashTable(199);
    map.SetAt(L"alpha", 1);
    map.SetAt(CString(L"beta"), 2);
    int value = 0;
    EXPECT_TRUE(map.Lookup(L"alpha", value));
    EXPECT_EQ(1, value);
    EXPECT_FALSE(map.Lookup(L"ALPHA", value));
    EXPECT_TRUE(map.RemoveKey(L"beta"));
    EXPECT_EQ(1, map.GetCount());

    CMapPtrToPtr pointers;
    pointers.InitHashTable(17);
    int a = 0;
    int b = 0;
    pointers.SetAt(&a, &b);
    void* out = nullptr;
    EXPECT_TRUE(pointers.Lookup(&a, out));
    EXPECT_EQ(&b, out);
    EXPECT_FALSE(pointers.Lookup(&b, out));
}

TEST(Map, TableCanOnlyChangeWhileEmpty)
{
    CMap<UINT, UINT, int, int> map;
    map.SetAt(1, 1);
    try {
        map.InitHashTable(31);
        FAIL() << "no exception";
    } catch (CInvalidArgException* e) {
        e->Delete();
    }
    EXPECT_EQ(17u, map.GetHashTableSize());
    map.RemoveKey(1);
    map.InitHashTable(31);
    EXPECT_EQ(31u, map.GetHashTableSize());
}

}  // namespace
