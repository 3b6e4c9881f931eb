#include "tests/toolkit/common/ExchangeTestTree.h"

#include "toolkit/common/CUTKPropExchangeArchive.h"
#include "toolkit/common/CUTKPropExchangeEnumerator.h"

#include <gtest/gtest.h>

#include <cstdlib>

IMPLEMENT_SERIAL(CTreeItem, CObject, 1)
IMPLEMENT_SERIAL(CTreeItemEx, CTreeItem, 2)
IMPLEMENT_SERIAL(CTreeOther, CObject, 1)

int& CTreeItem::Instances()
{
    static int count = 0;
    return count;
}

void CTreeItem::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_value;
    } else {
        ar >> m_value;
    }
}

namespace orvane::test {

ExchangeTree ExchangeTree::Sample()
{
    ExchangeTree t;
    t.byteValue = 0xC3;
    t.shortValue = -2;
    t.intValue = -123456;
    t.boolValue = TRUE;
    t.floatValue = 1.5f;
    t.doubleValue = 2.25;
    t.currency.int64 = 0x0000000200000001LL;
    t.date.SetDateTime(2010, 11, 6, 12, 30, 0);
    t.variant = COleVariant(L"variant text");
    t.text = L"a\\b\nline (two), =\t\"q\"";
    t.rect = CRect(1, 2, 3, 4);
    t.size = CSize(-5, 6);
    t.blob = {0x00, 0x3C, 0xFF, 0x10};
    t.runtimeClass = RUNTIME_CLASS(CTreeItemEx);
    auto* item = new CTreeItemEx;
    item->m_value = 77;
    t.object.reset(item);
    t.children = {{1, L"first"}, {2, L"second"}, {3, L""}};
    t.serialized.m_value = 4242;
    return t;
}

bool ExchangeWholeTree(CUTKPropExchange* px, ExchangeTree& t)
{
    const bool loading = px->IsLoading() != FALSE;
    px->ExchangeSchema();
    bool ok = true;
    ok = ok && ExchangeByteProp(px, L"Byte", t.byteValue, 0);
    ok = ok && ExchangeShortProp(px, L"Short", t.shortValue, 0);
    ok = ok && ExchangeIntPropDefault(px, L"Int", t.intValue, 0);
    ok = ok && ExchangeBoolProp(px, L"Bool", t.boolValue, FALSE);
    if (t.withFloats) {
        ok = ok && px->ExchangeValue(L"Float", VT_R4, &t.floatValue, nullptr);
        ok = ok && px->ExchangeValue(L"Double", VT_R8, &t.doubleValue, nullptr);
    }
    if (t.withCurrency) {
        ok = ok && px->ExchangeValue(L"Currency", VT_CY, &t.currency, nullptr);
    }
    if (t.withDate) {
        ok = ok && px->ExchangeValue(L"Date", VT_DATE, &t.date, nullptr);
    }
    if (t.withVariant) {
        ok = ok && px->ExchangeValue(L"Variant", VT_VARIANT, static_cast<VARIANT*>(&t.variant),
                                     nullptr);
    }
    ok = ok && ExchangeStringProp(px, L"Text", t.text);
    ok = ok && ExchangeRectProp(px, L"Rect", t.rect, CRect(0, 0, 0, 0));
    ok = ok && ExchangeSizeProp(px, L"Size", t.size, CSize(0, 0));
    if (!ok) {
        return false;
    }
    BYTE* data = loading ? nullptr : t.blob.data();
    DWORD length = static_cast<DWORD>(t.blob.size());
    if (!ExchangeBlobProp(px, L"Blob", data, length)) {
        return false;
    }
    if (loading) {
        t.blob.assign(data, data + length);
        std::free(data);
    }
    if (!ExchangeClassProp(px, L"Type", t.runtimeClass, RUNTIME_CLASS(CTreeItem))) {
        return false;
    }

    CUTKPropExchange* objectSection = px->GetSection(L"Object");
    CObject* object = t.object.get();
    const BOOL instance = objectSection->ExchangeObjectInstance(object, RUNTIME_CLASS(CTreeItem));
    if (loading && instance) {
        t.object.reset(object);
    }
    bool objectOk = instance != FALSE;
    if (objectOk) {
        objectOk = ExchangeIntProp(objectSection, L"Value",
                                   static_cast<CTreeItem*>(t.object.get())->m_value) != FALSE;
    }
    objectSection->InternalRelease();
    if (!objectOk) {
        return false;
    }

    if (px->IsKindOf(RUNTIME_CLASS(CUTKPropExchangeArchive))) {
        CArchive* ar = px->GetArchive(L"Again");
        if (loading) {
            *ar >> t.repeated;
        } else {
            *ar << t.object.get();
        }
        px->ReleaseArchive(L"Again", ar);
    }

    CUTKPropExchange* section = px->GetSection(L"Children");
    CUTKPropExchangeEnumerator* items = section->GetEnumerator(L"Child");
    POSITION pos = items->GetPosition(static_cast<DWORD>(t.children.size()));
    size_t index = 0;
    while (pos != nullptr) {
        CUTKPropExchange* child = items->GetNext(pos);
        if (loading) {
            t.children.emplace_back();
        }
        if (index < t.children.size()) {
            ExchangeTree::Child& c = t.children[index];
            ok = ok && ExchangeIntProp(child, L"Value", c.value);
            ok = ok && ExchangeStringPropDefault(child, L"Name", c.name, L"");
        }
        ++index;
        child->InternalRelease();
    }
    delete items;
    section->InternalRelease();
    ok = ok && ExchangeSerializedObject(px, L"Serialized", &t.serialized);
    return ok;
}

void ExpectSameTree(const ExchangeTree& e, const ExchangeTree& a)
{
    EXPECT_EQ(e.byteValue, a.byteValue);
    EXPECT_EQ(e.shortValue, a.shortValue);
    EXPECT_EQ(e.intValue, a.intValue);
    EXPECT_EQ(e.boolValue, a.boolValue);
    if (e.withFloats) {
        EXPECT_EQ(e.floatValue, a.floatValue);
        EXPECT_EQ(e.doubleValue, a.doubleValue);
    }
    if (e.withCurrency) {
        EXPECT_EQ(e.currency.int64, a.currency.int64);
    }
    if (e.withDate) {
        EXPECT_TRUE(e.date == a.date) << e.date.m_dt << " vs " << a.date.m_dt;
    }
    if (e.withVariant) {
        EXPECT_TRUE(e.variant == a.variant);
    }
    EXPECT_STREQ(e.text.GetString(), a.text.GetString());
    EXPECT_TRUE(e.rect == a.rect);
    EXPECT_TRUE(e.size == a.size);
    EXPECT_EQ(e.blob, a.blob);
    EXPECT_EQ(e.runtimeClass, a.runtimeClass);
    ASSERT_NE(nullptr, a.object);
    EXPECT_EQ(e.object->GetRuntimeClass(), a.object->GetRuntimeClass());
    EXPECT_EQ(static_cast<CTreeItem*>(e.object.get())->m_value,
              static_cast<CTreeItem*>(a.object.get())->m_value);
    ASSERT_EQ(e.children.size(), a.children.size());
    for (size_t i = 0; i < e.children.size(); ++i) {
        EXPECT_EQ(e.children[i].value, a.children[i].value) << i;
        EXPECT_STREQ(e.children[i].name.GetString(), a.children[i].name.GetString()) << i;
    }
    EXPECT_EQ(e.serialized.m_value, a.serialized.m_value);
}

}  // namespace orvane::test
