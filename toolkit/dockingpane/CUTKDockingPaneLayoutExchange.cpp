// Saving and loading a docking layout through the property exchange. A load first reads every
// section into a plain record and checks it whole; only a layout that passed is created, and
// its objects then exchange their keys from the record (so an archive, which can be read only
// once and in order, loads the same way as the keyed storages).
#include "toolkit/dockingpane/CUTKDockingPaneLayout.h"

#include <windows.h>

#include "platform/framework/CArchive.h"
#include "platform/framework/CException.h"
#include "toolkit/common/CUTKPropExchange.h"
#include "toolkit/common/CUTKPropExchangeArchive.h"
#include "toolkit/common/CUTKPropExchangeXMLNode.h"
#include "toolkit/dockingpane/CUTKDockingPane.h"
#include "toolkit/dockingpane/CUTKDockingPaneClientContainer.h"
#include "toolkit/dockingpane/CUTKDockingPaneManager.h"
#include "toolkit/dockingpane/CUTKDockingPaneSplitterContainer.h"
#include "toolkit/dockingpane/CUTKDockingPaneSplitterWnd.h"
#include "toolkit/dockingpane/CUTKDockingPaneTabbedContainer.h"
#include "toolkit/dockingpane/DockingLayoutCheck.h"
#include "toolkit/dockingpane/DockingLayoutRecord.h"

#include <vector>

using namespace orvane::docking;

namespace {

std::u16string ToU16(const CString& text)
{
    return std::u16string(reinterpret_cast<const char16_t*>(text.GetString()),
                          static_cast<size_t>(text.GetLength()));
}

CString ToCString(const std::u16string& text)
{
    return CString(reinterpret_cast<const wchar_t*>(text.data()), static_cast<int>(text.size()));
}

CString KeyName(const std::u16string& key)
{
    return ToCString(key);
}

// A child section of an exchange, released when the scope ends.
class SectionScope {
public:
    SectionScope(CUTKPropExchange* parent, LPCWSTR name)
        : m_section(parent ? parent->GetSection(name) : nullptr)
    {
    }
    ~SectionScope()
    {
        if (m_section != nullptr)
            m_section->InternalRelease();
    }
    SectionScope(const SectionScope&) = delete;
    SectionScope& operator=(const SectionScope&) = delete;
    CUTKPropExchange* Get() const { return m_section; }

private:
    CUTKPropExchange* m_section;
};

// The record reader's source over a property storage: each read is the exchange call the
// objects themselves make, in their order.
class ExchangeSource : public LayoutSource {
public:
    explicit ExchangeSource(CUTKPropExchange* root) : m_root(root) {}
    ~ExchangeSource() override { Close(); }

    bool OpenSection(const std::u16string& name) override
    {
        Close();
        m_section = m_root->GetSection(KeyName(name));
        return m_section != nullptr;
    }
    bool ReadSchema(int32_t& schema) override
    {
        m_root->ExchangeLatestSchema();
        schema = m_root->m_nSchema;
        return true;
    }
    bool ReadInt(const std::u16string& key, const int32_t* defaultValue, int32_t& value) override
    {
        int number = 0;
        const int fallback = defaultValue ? *defaultValue : 0;
        if (!m_section->ExchangeValue(KeyName(key), VT_I4, &number, defaultValue ? &fallback : nullptr))
            return false;
        value = number;
        return true;
    }
    bool ReadBool(const std::u16string& key, const int32_t* defaultValue, int32_t& value) override
    {
        BOOL flag = FALSE;
        const BOOL fallback = defaultValue ? *defaultValue : FALSE;
        if (!m_section->ExchangeValue(KeyName(key), VT_BOOL, &flag, defaultValue ? &fallback : nullptr))
            return false;
        value = flag;
        return true;
    }
    bool ReadText(const std::u16string& key, std::u16string& value) override
    {
        CString text;
        if (!m_section->ExchangeValue(KeyName(key), VT_UTK_STRING, &text, nullptr))
            return false;
        value = ToU16(text);
        return true;
    }
    bool ReadRect(const std::u16string& key, const int32_t* defaultValue, int32_t value[4]) override
    {
        CRect rect;
        CRect fallback;
        if (defaultValue)
            fallback.SetRect(defaultValue[0], defaultValue[1], defaultValue[2], defaultValue[3]);
        if (!m_section->ExchangeValue(KeyName(key), VT_UTK_RECT, &rect, defaultValue ? &fallback : nullptr))
            return false;
        value[0] = rect.left;
        value[1] = rect.top;
        value[2] = rect.right;
        value[3] = rect.bottom;
        return true;
    }

private:
    void Close()
    {
        if (m_section != nullptr)
            m_section->InternalRelease();
        m_section = nullptr;
    }

    CUTKPropExchange* m_root;
    CUTKPropExchange* m_section = nullptr;
};

// A loading exchange over one section of a checked record: the objects read their keys here.
class RecordExchange : public CUTKPropExchange {
public:
    RecordExchange(const LayoutRecord& record, const LayoutSection* section)
        : m_record(record), m_section(section)
    {
        m_bLoading = TRUE;
        m_bInitialized = TRUE;
        m_nSchema = record.schema;
    }

    BOOL ExchangeValue(LPCWSTR name, VARTYPE type, void* value, const void* defaultValue) override
    {
        if (!m_bLoading || value == nullptr)
            return FALSE;
        const LayoutValue* stored =
            (m_section != nullptr && name != nullptr)
                ? m_section->Find(std::u16string(reinterpret_cast<const char16_t*>(name)))
                : nullptr;
        if (stored == nullptr)
            return CopyPropValue(type, value, defaultValue);
        switch (stored->kind) {
        case LayoutValueKind::Int:
        case LayoutValueKind::Bool:
            switch (type) {
            case VT_I4: *static_cast<int*>(value) = stored->number[0]; return TRUE;
            case VT_BOOL: *static_cast<BOOL*>(value) = stored->number[0] != 0; return TRUE;
            case VT_I2: *static_cast<short*>(value) = static_cast<short>(stored->number[0]); return TRUE;
            case VT_UI1: *static_cast<BYTE*>(value) = static_cast<BYTE>(stored->number[0]); return TRUE;
            default: break;
            }
            break;
        case LayoutValueKind::Text:
            if (type == VT_UTK_STRING) {
                *static_cast<CString*>(value) = ToCString(stored->text);
                return TRUE;
            }
            break;
        case LayoutValueKind::Rect:
            if (type == VT_UTK_RECT) {
                RECT* rect = static_cast<RECT*>(value);
                rect->left = stored->number[0];
                rect->top = stored->number[1];
                rect->right = stored->number[2];
                rect->bottom = stored->number[3];
                return TRUE;
            }
            break;
        }
        return CopyPropValue(type, value, defaultValue);
    }

    CUTKPropExchange* CreateSection(LPCWSTR name) override
    {
        auto* section = new RecordExchange(
            m_record, name ? m_record.Find(std::u16string(reinterpret_cast<const char16_t*>(name)))
                           : nullptr);
        section->InheritFrom(this);
        return section;
    }
    BOOL OpenStorage() override { return TRUE; }

private:
    const LayoutRecord& m_record;
    const LayoutSection* m_section;
};

CString ObjectSectionName(int n)
{
    CString name;
    name.Format(L"Pane-%d", n);
    return name;
}

}  // namespace

CUTKDockingPaneBase* CUTKDockingPaneLayout::LookupIndex(CUTKPropExchange* px, int index)
{
    if (px == nullptr || px->m_pOwner == nullptr || index == 0)
        return nullptr;
    CUTKDockingPaneBase* object = nullptr;
    if (!static_cast<CUTKDockingPaneIndexMap*>(px->m_pOwner)->Lookup(index, object))
        return nullptr;
    return object;
}

BOOL CUTKDockingPaneLayout::DoPropExchange(CUTKPropExchange* px)
{
    if (px == nullptr)
        return FALSE;
    if (px->IsLoading())
        return Load(px);
    Store(px);
    return TRUE;
}

void CUTKDockingPaneLayout::Store(CUTKPropExchange* px)
{
    px->EmptySection();
    Normalize();

    // Panes of the pane list first, then every other object; a pane the list lacks still
    // gets a number, so that the count and the sections agree.
    std::vector<CUTKDockingPaneBase*> numbered;
    for (POSITION pos = m_lstObjects.GetHeadPosition(); pos;)
        m_lstObjects.GetNext(pos)->m_nIndex = 0;
    for (POSITION pos = m_lstPanes.GetHeadPosition(); pos;) {
        CUTKDockingPane* pane = m_lstPanes.GetNext(pos).pPane;
        if (pane != nullptr && pane->m_nIndex == 0) {
            numbered.push_back(pane);
            pane->m_nIndex = static_cast<int>(numbered.size());
        }
    }
    for (POSITION pos = m_lstObjects.GetHeadPosition(); pos;) {
        CUTKDockingPaneBase* object = m_lstObjects.GetNext(pos);
        if (object->m_nIndex == 0) {
            numbered.push_back(object);
            object->m_nIndex = static_cast<int>(numbered.size());
        }
    }

    {
        SectionScope summary(px, L"Summary");
        int count = static_cast<int>(numbered.size());
        ExchangeIntProp(summary.Get(), L"Panes", count);
    }
    px->ExchangeLatestSchema();
    for (size_t i = 0; i < numbered.size(); ++i) {
        SectionScope section(px, ObjectSectionName(static_cast<int>(i + 1)));
        int type = numbered[i]->GetType();
        ExchangeIntProp(section.Get(), L"Type", type);
    }
    for (size_t i = 0; i < numbered.size(); ++i) {
        SectionScope section(px, ObjectSectionName(static_cast<int>(i + 1)));
        if (section.Get() != nullptr)
            (void)numbered[i]->DoPropExchange(section.Get());
    }
    SectionScope summary(px, L"Summary");
    int top = m_pTopContainer ? static_cast<CUTKDockingPaneBase*>(m_pTopContainer)->m_nIndex : 0;
    int client = m_pClient ? static_cast<CUTKDockingPaneBase*>(m_pClient)->m_nIndex : 0;
    ExchangeIntProp(summary.Get(), L"TopContainer", top);
    ExchangeIntProp(summary.Get(), L"Client", client);
}

BOOL CUTKDockingPaneLayout::Load(CUTKPropExchange* px)
{
    // Whatever happens, the previous content goes: a refused load leaves the layout empty.
    Free();
    m_bChecked = FALSE;
    m_loadError.clear();
    if (!px->OpenStorage()) {
        m_loadError = "the storage cannot be opened";
        return FALSE;
    }
    LayoutRecord record;
    {
        ExchangeSource source(px);
        const LayoutReadResult read = ReadLayoutRecord(source, record, kLayoutTypesDocked);
        if (!read.ok) {
            m_loadError = read.error;
            return FALSE;
        }
    }
    LayoutTree tree;
    const LayoutCheckResult check = CheckLayoutRecord(record, tree, kLayoutTypesDocked);
    if (!check.ok) {
        m_loadError = check.error;
        return FALSE;
    }
    if (m_pManager == nullptr) {
        m_loadError = "no manager";
        return FALSE;
    }

    const int count = record.ObjectCount();
    std::vector<CUTKDockingPaneBase*> objects(static_cast<size_t>(count) + 1, nullptr);
    CUTKDockingPaneIndexMap map;
    for (int n = 1; n <= count; ++n) {
        CUTKDockingPaneBase* object = m_pManager->CreatePaneObject(
            static_cast<DockingPaneType>(tree.nodes[static_cast<size_t>(n)].type), this);
        if (object == nullptr) {
            Free();
            m_loadError = "an object could not be created";
            return FALSE;
        }
        object->m_nIndex = n;
        objects[static_cast<size_t>(n)] = object;
        map.SetAt(n, object);
    }
    for (int n = 1; n <= count; ++n) {
        RecordExchange section(record, record.Object(n));
        section.m_pOwner = &map;
        section.m_dwData = reinterpret_cast<DWORD_PTR>(&map);
        if (!objects[static_cast<size_t>(n)]->DoPropExchange(&section)) {
            Free();
            m_loadError = "object " + std::to_string(n) + " refused its keys";
            return FALSE;
        }
    }
    m_pTopContainer =
        static_cast<CUTKDockingPaneSplitterContainer*>(objects[static_cast<size_t>(tree.top)]);
    m_pClient =
        static_cast<CUTKDockingPaneClientContainer*>(objects[static_cast<size_t>(tree.client)]);

    // Every pane has its pane-list entry, in number order, with the holders it stored.
    for (int n = 1; n <= count; ++n) {
        if (tree.nodes[static_cast<size_t>(n)].type != kLayoutPane)
            continue;
        auto* pane = static_cast<CUTKDockingPane*>(objects[static_cast<size_t>(n)]);
        if (FindPaneInfo(pane) != nullptr)
            continue;
        const LayoutSection* section = record.Object(n);
        auto holder = [&](const char16_t* key) -> CUTKDockingPaneTabbedContainer* {
            const int number = section->Number(key, 0);
            if (number <= 0 || number > count)
                return nullptr;
            return static_cast<CUTKDockingPaneTabbedContainer*>(
                static_cast<CUTKDockingPaneBaseContainer*>(
                    static_cast<CUTKDockingPaneBase*>(objects[static_cast<size_t>(number)])));
        };
        UTK_DOCKINGPANE_INFO entry;
        entry.pPane = pane;
        entry.pFloatingHolder = holder(u"FloatingHolder");
        entry.pDockingHolder = holder(u"DockingHolder");
        entry.pLastHolder = holder(u"LastHolder");
        m_lstPanes.AddTail(entry);
    }
    m_bChecked = TRUE;
    return TRUE;
}

void CUTKDockingPaneLayout::Serialize(CArchive& ar)
{
    CUTKPropExchangeArchive px(ar);
    if (!ar.IsLoading()) {
        (void)DoPropExchange(&px);
        return;
    }
    // A stream that ends early or holds a value of the wrong shape refuses the layout like
    // any other damage; the exception goes no further than this load.
    try {
        (void)DoPropExchange(&px);
    } catch (CException* e) {
        e->Delete();
        Free();
        m_bChecked = FALSE;
        m_loadError = "the archive is damaged or cut short";
    }
}

BOOL CUTKDockingPaneLayout::LoadFromXmlNode(IXMLDOMNode* parent, LPCWSTR section)
{
    if (parent == nullptr) {
        // Nothing to read is refused like a damaged layout: empty and not valid.
        Free();
        m_bChecked = FALSE;
        m_loadError = "no XML node to load from";
        return FALSE;
    }
    CUTKPropExchangeXMLNode px(TRUE, parent, section);
    return DoPropExchange(&px);
}

void CUTKDockingPaneLayout::SaveToXmlNode(IXMLDOMNode* parent, LPCWSTR section)
{
    if (parent == nullptr)
        return;
    CUTKPropExchangeXMLNode px(FALSE, parent, section);
    px.SetCompactMode(TRUE);
    (void)DoPropExchange(&px);
}
