// The property exchange in an MSXML document: a section is an element; its values are
// attributes of the element (compact mode) or child elements whose text is the value; child
// sections are child elements. Texts are the text forms, strings escaped.
#pragma once

#include "toolkit/common/CUTKPropExchange.h"
#include "toolkit/common/CUTKPropExchangeEnumerator.h"

#include <msxml2.h>

class CUTKPropExchangeXMLNode : public CUTKPropExchange {
    DECLARE_DYNAMIC(CUTKPropExchangeXMLNode)

public:
    // The section sectionName under parentNode. A null parentNode: the root creates a
    // document of its own on first use.
    CUTKPropExchangeXMLNode(BOOL loading, IXMLDOMNode* parentNode, LPCWSTR sectionName);
    ~CUTKPropExchangeXMLNode() override;

    BOOL ExchangeValue(LPCWSTR name, VARTYPE type, void* value,
                       const void* defaultValue) override;
    CUTKPropExchange* CreateSection(LPCWSTR name) override;
    // Removes the section's element; the next access creates an empty one.
    void EmptySection() override;
    BOOL StoresBinary() override;
    BOOL CanOmitValues() override;
    BOOL OpenStorage() override;
    // Loading a section with a "Count" value walks numbered sections; otherwise the repeated
    // child elements named itemName.
    CUTKPropExchangeEnumerator* GetEnumerator(LPCWSTR itemName) override;

    void SetCompactMode(BOOL compact) noexcept { m_bCompactMode = compact; }
    BOOL IsCompactMode() const noexcept { return m_bCompactMode; }
    IXMLDOMDocument* GetDocument() const noexcept { return m_xmlDocument; }
    IXMLDOMNode* GetSectionNode() const noexcept { return m_xmlSectionNode; }

    class CXMLEnumerator : public CUTKPropExchangeEnumerator {
    public:
        CXMLEnumerator(CUTKPropExchangeXMLNode* exchange, LPCWSTR itemName);
        POSITION GetPosition(DWORD count = 0, BOOL useStorageCount = FALSE) override;
        CUTKPropExchange* GetNext(POSITION& position) override;
        DWORD GetCount() override;

    private:
        CComPtr<IXMLDOMNode> m_xmlSectionElement;  // the current item while loading
        CComPtr<IXMLDOMNodeList> m_xmlNodes;
    };

private:
    // The value's node (the attribute or child element name; the section element for an
    // empty name); created when asked and missing. Null when absent or not creatable.
    CComPtr<IXMLDOMNode> FindValueNode(LPCWSTR name, bool create);
    // Writes the value's text (attribute or element); FALSE when no node takes it.
    BOOL SetValueText(LPCWSTR name, const CString& text);
    // First child element of parent named name.
    static CComPtr<IXMLDOMNode> FindChildElement(IXMLDOMNode* parent, LPCWSTR name);
    CComPtr<IXMLDOMNode> AppendElement(IXMLDOMNode* parent, LPCWSTR name);

    CComPtr<IXMLDOMDocument> m_xmlDocument;
    CComPtr<IXMLDOMNode> m_xmlParentNode;
    CComPtr<IXMLDOMNode> m_xmlSectionNode;
    CString m_strSectionName;
    BOOL m_bCompactMode = TRUE;
};
