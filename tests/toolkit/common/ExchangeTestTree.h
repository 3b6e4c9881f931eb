// A tree of values of every type the exchange knows, with sections, numbered items, a class,
// an object instance and a serialized object, exchanged the same way into every storage.
#pragma once

#include "toolkit/common/CUTKPropExchange.h"

#include <memory>
#include <vector>

// Classes the tree stores by name and creates again; Instances counts the live ones.
class CTreeItem : public CObject {
    DECLARE_SERIAL(CTreeItem)
public:
    CTreeItem() { ++Instances(); }
    ~CTreeItem() override { --Instances(); }
    void Serialize(CArchive& ar) override;
    static int& Instances();
    int m_value = 0;
};

class CTreeItemEx : public CTreeItem {
    DECLARE_SERIAL(CTreeItemEx)
};

class CTreeOther : public CObject {
    DECLARE_SERIAL(CTreeOther)
public:
    CTreeOther() { ++CTreeItem::Instances(); }
    ~CTreeOther() override { --CTreeItem::Instances(); }
};

namespace orvane::test {

struct ExchangeTree {
    BYTE byteValue = 0;
    short shortValue = 0;
    int intValue = 0;
    BOOL boolValue = FALSE;
    float floatValue = 0;
    double doubleValue = 0;
    CY currency{};
    COleDateTime date;
    COleVariant variant;
    CString text;
    CRect rect;
    CSize size;
    std::vector<BYTE> blob;
    CRuntimeClass* runtimeClass = nullptr;
    std::unique_ptr<CObject> object;
    // Archive only: the same object written again, read back as a reference.
    CObject* repeated = nullptr;
    struct Child {
        int value = 0;
        CString name;
    };
    std::vector<Child> children;
    CTreeItem serialized;

    // A tree with a value in every field.
    static ExchangeTree Sample();
    // Values the storage cannot hold are left out (mask by storage kind).
    bool withCurrency = true;
    bool withDate = true;
    bool withVariant = true;
    bool withFloats = true;
};

// Exchanges the whole tree in one order; returns false at the first refused value.
bool ExchangeWholeTree(CUTKPropExchange* px, ExchangeTree& tree);
// The same values (children, class, object and serialized value included).
void ExpectSameTree(const ExchangeTree& expected, const ExchangeTree& actual);

}  // namespace orvane::test
