#include "toolkit/common/CUTKPropExchangeXMLNode.h"

#include "toolkit/common/UTKValueText.h"

IMPLEMENT_DYNAMIC(CUTKPropExchangeXMLNode, CUTKPropExchange)

namespace {

// MSXML's DOMDocument, {2933BF90-7B36-11D2-B20E-00C04F983E60}.
const CLSID kClsidDomDocument = {
    0x2933BF90, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};

std::u16string_view View(const CString& text)
{
    return {reinterpret_cast<const char16_t*>(text.GetString()),
            static_cast<size_t>(text.GetLength())};
}

CString FromU16(const std::u16string& text)
{
    return CString(reinterpret_cast<const wchar_t*>(text.data()), static_cast<int>(text.size()));
}

CString NodeName(IXMLDOMNode* node)
{
    BSTR name = nullptr;
    CString result;
    if (SUCCEEDED(node->get_nodeName(&name)) && name != nullptr) {
        result = CString(name, static_cast<int>(::SysStringLen(name)));
    }
    ::SysFreeString(name);
    return result;
}

}  // namespace

CUTKPropExchangeXMLNode::CUTKPropExchangeXMLNode(BOOL loading, IXMLDOMNode* parentNode,
                                                 LPCWSTR sectionName)
    : m_xmlParentNode(parentNode), m_strSectionName(sectionName ? sectionName : L"")
{
    m_bLoading = loading;
    if (parentNode != nullptr) {
        CComPtr<IXMLDOMDocument> owner;
        if (FAILED(parentNode->get_ownerDocument(&owner)) || owner == nullptr) {
            owner.Release();
            (void)parentNode->QueryInterface(IID_IXMLDOMDocument,
                                             reinterpret_cast<void**>(&owner));
        }
        m_xmlDocument = owner;
    }
}

CUTKPropExchangeXMLNode::~CUTKPropExchangeXMLNode() = default;

CComPtr<IXMLDOMNode> CUTKPropExchangeXMLNode::FindChildElement(IXMLDOMNode* parent, LPCWSTR name)
{
    CComPtr<IXMLDOMNode> child;
    if (parent == nullptr || FAILED(parent->get_firstChild(&child))) {
        return {};
    }
    while (child != nullptr) {
        DOMNodeType type = NODE_INVALID;
        if (SUCCEEDED(child->get_nodeType(&type)) && type == NODE_ELEMENT &&
            NodeName(child) == name) {
            return child;
        }
        CComPtr<IXMLDOMNode> next;
        if (FAILED(child->get_nextSibling(&next))) {
            return {};
        }
        child = next;
    }
    return {};
}

CComPtr<IXMLDOMNode> CUTKPropExchangeXMLNode::AppendElement(IXMLDOMNode* parent, LPCWSTR name)
{
    if (m_xmlDocument == nullptr || parent == nullptr) {
        return {};
    }
    CComPtr<IXMLDOMElement> element;
    BSTR tag = ::SysAllocString(name);
    const HRESULT hr = tag ? m_xmlDocument->createElement(tag, &element) : E_OUTOFMEMORY;
    ::SysFreeString(tag);
    if (FAILED(hr) || element == nullptr) {
        return {};
    }
    CComPtr<IXMLDOMNode> appended;
    if (FAILED(parent->appendChild(element, &appended)) || appended == nullptr) {
        return {};
    }
    return appended;
}

BOOL CUTKPropExchangeXMLNode::OpenStorage()
{
    if (m_bInitialized) {
        return m_xmlDocument != nullptr && m_xmlParentNode != nullptr &&
               m_xmlSectionNode != nullptr;
    }
    m_bInitialized = TRUE;
    if (m_xmlDocument == nullptr) {
        if (m_bChildSection) {
            return FALSE;
        }
        CComPtr<IXMLDOMDocument> document;
        if (FAILED(::CoCreateInstance(kClsidDomDocument, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_IXMLDOMDocument, reinterpret_cast<void**>(&document))) ||
            document == nullptr) {
            return FALSE;
        }
        document->put_preserveWhiteSpace(VARIANT_TRUE);
        CComPtr<IXMLDOMNode> documentNode;
        if (FAILED(document->QueryInterface(IID_IXMLDOMNode,
                                            reinterpret_cast<void**>(&documentNode)))) {
            return FALSE;
        }
        m_xmlDocument = document;
        m_xmlParentNode = documentNode;
    }
    if (m_xmlParentNode == nullptr) {
        return FALSE;
    }
    if (m_xmlSectionNode == nullptr) {
        m_xmlSectionNode = FindChildElement(m_xmlParentNode, m_strSectionName).p;
        if (m_xmlSectionNode == nullptr) {
            // Loading a missing section adds it too: its values then take their defaults.
            m_xmlSectionNode = AppendElement(m_xmlParentNode, m_strSectionName).p;
        }
    }
    if (m_xmlSectionNode == nullptr) {
        return FALSE;
    }
    if (!m_bChildSection) {
        const BOOL off = FALSE;
        (void)ExchangeValue(L"CompactMode", VT_BOOL, &m_bCompactMode, &off);
    }
    return TRUE;
}

CComPtr<IXMLDOMNode> CUTKPropExchangeXMLNode::FindValueNode(LPCWSTR name, bool create)
{
    if (name == nullptr || *name == L'\0') {
        return m_xmlSectionNode;
    }
    if (!m_bCompactMode) {
        CComPtr<IXMLDOMNode> node = FindChildElement(m_xmlSectionNode, name);
        if (node == nullptr && create) {
            node = AppendElement(m_xmlSectionNode, name).p;
        }
        return node;
    }
    CComPtr<IXMLDOMElement> element;
    if (m_xmlSectionNode == nullptr ||
        FAILED(m_xmlSectionNode->QueryInterface(IID_IXMLDOMElement,
                                                reinterpret_cast<void**>(&element))) ||
        element == nullptr) {
        return {};
    }
    BSTR attributeName = ::SysAllocString(name);
    if (attributeName == nullptr) {
        return {};
    }
    CComPtr<IXMLDOMAttribute> attribute;
    if (FAILED(element->getAttributeNode(attributeName, &attribute))) {
        attribute.Release();
    }
    if (attribute == nullptr && create && m_xmlDocument != nullptr) {
        CComPtr<IXMLDOMAttribute> created;
        CComPtr<IXMLDOMAttribute> replaced;
        if (SUCCEEDED(m_xmlDocument->createAttribute(attributeName, &created)) &&
            created != nullptr && SUCCEEDED(element->setAttributeNode(created, &replaced))) {
            attribute = created;
        }
    }
    ::SysFreeString(attributeName);
    CComPtr<IXMLDOMNode> node;
    if (attribute != nullptr) {
        (void)attribute->QueryInterface(IID_IXMLDOMNode, reinterpret_cast<void**>(&node));
    }
    return node;
}

BOOL CUTKPropExchangeXMLNode::SetValueText(LPCWSTR name, const CString& text)
{
    BSTR value = ::SysAllocStringLen(text.GetString(), text.GetLength());
    if (value == nullptr) {
        return FALSE;
    }
    HRESULT hr = E_FAIL;
    CComPtr<IXMLDOMElement> element;
    if (m_bCompactMode && name != nullptr && *name != L'\0') {
        // An attribute takes its value through the element.
        BSTR attributeName = ::SysAllocString(name);
        if (attributeName != nullptr &&
            SUCCEEDED(m_xmlSectionNode->QueryInterface(IID_IXMLDOMElement,
                                                       reinterpret_cast<void**>(&element)))) {
            VARIANT v;
            v.vt = VT_BSTR;
            v.bstrVal = value;
            hr = element->setAttribute(attributeName, v);
        }
        ::SysFreeString(attributeName);
    } else {
        CComPtr<IXMLDOMNode> node = FindValueNode(name, true);
        if (node != nullptr) {
            hr = node->put_text(value);
        }
    }
    ::SysFreeString(value);
    return SUCCEEDED(hr);
}

BOOL CUTKPropExchangeXMLNode::ExchangeValue(LPCWSTR name, VARTYPE type, void* value,
                                            const void* defaultValue)
{
    if (type != VT_BSTR && !HasTextForm(type)) {
        return FALSE;
    }
    if (!m_bLoading) {
        if (IsSamePropValue(type, value, defaultValue)) {
            return TRUE;
        }
        if (!OpenStorage()) {
            return FALSE;
        }
        CString text;
        if (type == VT_BSTR) {
            // Escaped like every stored string, so that it reads back as it was.
            const BSTR source = *static_cast<const BSTR*>(value);
            const CString raw(source ? source : L"",
                              source ? static_cast<int>(::SysStringLen(source)) : 0);
            text = FromU16(UTKValueText::Escape(View(raw)));
        } else if (!ValueToText(type, value, text)) {
            return FALSE;
        }
        return SetValueText(name, text);
    }
    if (!OpenStorage()) {
        return CopyPropValue(type, value, defaultValue);
    }
    CComPtr<IXMLDOMNode> node = FindValueNode(name, false);
    BSTR nodeText = nullptr;
    if (node == nullptr || FAILED(node->get_text(&nodeText))) {
        ::SysFreeString(nodeText);
        return CopyPropValue(type, value, defaultValue);
    }
    const CString text(nodeText ? nodeText : L"",
                       nodeText ? static_cast<int>(::SysStringLen(nodeText)) : 0);
    ::SysFreeString(nodeText);
    if (type == VT_BSTR) {
        const std::u16string plain = UTKValueText::Unescape(View(text));
        const BSTR result = ::SysAllocStringLen(reinterpret_cast<const wchar_t*>(plain.data()),
                                                static_cast<UINT>(plain.size()));
        if (result == nullptr) {
            return FALSE;
        }
        *static_cast<BSTR*>(value) = result;
        return TRUE;
    }
    return LoadFromText(type, text, value, defaultValue);
}

CUTKPropExchange* CUTKPropExchangeXMLNode::CreateSection(LPCWSTR name)
{
    (void)OpenStorage();
    auto* section = new CUTKPropExchangeXMLNode(m_bLoading, m_xmlSectionNode, name);
    section->m_bCompactMode = m_bCompactMode;
    section->InheritFrom(this);
    return section;
}

void CUTKPropExchangeXMLNode::EmptySection()
{
    m_bEmptySection = TRUE;
    (void)OpenStorage();
    if (m_xmlSectionNode != nullptr && m_xmlParentNode != nullptr) {
        CComPtr<IXMLDOMNode> removed;
        (void)m_xmlParentNode->removeChild(m_xmlSectionNode, &removed);
    }
    m_xmlSectionNode.Release();
    m_bInitialized = FALSE;
}

BOOL CUTKPropExchangeXMLNode::StoresBinary()
{
    return FALSE;
}

BOOL CUTKPropExchangeXMLNode::CanOmitValues()
{
    return TRUE;
}

CUTKPropExchangeEnumerator* CUTKPropExchangeXMLNode::GetEnumerator(LPCWSTR itemName)
{
    if (m_bLoading && OpenStorage() && FindValueNode(L"Count", false) != nullptr) {
        return CUTKPropExchange::GetEnumerator(itemName);
    }
    return new CXMLEnumerator(this, itemName);
}

CUTKPropExchangeXMLNode::CXMLEnumerator::CXMLEnumerator(CUTKPropExchangeXMLNode* exchange,
                                                        LPCWSTR itemName)
    : CUTKPropExchangeEnumerator(exchange, itemName)
{
}

POSITION CUTKPropExchangeXMLNode::CXMLEnumerator::GetPosition(DWORD count, BOOL)
{
    m_nCount = count;
    auto* exchange = static_cast<CUTKPropExchangeXMLNode*>(m_pContainer);
    if (!exchange->IsLoading()) {
        // Nothing to walk when there is nothing to store.
        return count ? reinterpret_cast<POSITION>(static_cast<DWORD_PTR>(1)) : nullptr;
    }
    if (!exchange->OpenStorage()) {
        return nullptr;
    }
    BSTR pattern =
        ::SysAllocString(m_strSectionName.IsEmpty() ? L"*" : m_strSectionName.GetString());
    m_xmlNodes.Release();
    const HRESULT hr = pattern ? exchange->m_xmlSectionNode->selectNodes(pattern, &m_xmlNodes)
                               : E_OUTOFMEMORY;
    ::SysFreeString(pattern);
    if (FAILED(hr) || m_xmlNodes == nullptr) {
        m_xmlNodes.Release();
        return nullptr;
    }
    m_xmlSectionElement.Release();
    if (FAILED(m_xmlNodes->get_item(0, &m_xmlSectionElement)) || m_xmlSectionElement == nullptr) {
        m_xmlSectionElement.Release();
        return nullptr;
    }
    return reinterpret_cast<POSITION>(static_cast<DWORD_PTR>(1));
}

CUTKPropExchange* CUTKPropExchangeXMLNode::CXMLEnumerator::GetNext(POSITION& position)
{
    auto* exchange = static_cast<CUTKPropExchangeXMLNode*>(m_pContainer);
    auto* section =
        static_cast<CUTKPropExchangeXMLNode*>(exchange->CreateSection(m_strSectionName));
    const DWORD_PTR index = reinterpret_cast<DWORD_PTR>(position);
    section->m_bInitialized = TRUE;
    if (exchange->IsLoading()) {
        section->m_xmlSectionNode = m_xmlSectionElement;
        CComPtr<IXMLDOMNode> next;
        if (m_xmlNodes != nullptr &&
            SUCCEEDED(m_xmlNodes->get_item(static_cast<long>(index), &next)) && next != nullptr) {
            m_xmlSectionElement = next;
            position = reinterpret_cast<POSITION>(index + 1);
        } else {
            m_xmlSectionElement.Release();
            position = nullptr;
        }
        return section;
    }
    section->m_xmlSectionNode =
        exchange->AppendElement(exchange->m_xmlSectionNode, m_strSectionName).p;
    position = index + 1 > m_nCount ? nullptr : reinterpret_cast<POSITION>(index + 1);
    return section;
}

DWORD CUTKPropExchangeXMLNode::CXMLEnumerator::GetCount()
{
    auto* exchange = static_cast<CUTKPropExchangeXMLNode*>(m_pContainer);
    if (!exchange->IsLoading()) {
        return m_nCount;
    }
    long length = 0;
    if (m_xmlNodes == nullptr || FAILED(m_xmlNodes->get_length(&length)) || length < 0) {
        return 0;
    }
    return static_cast<DWORD>(length);
}
