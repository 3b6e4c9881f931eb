// MSXML documents for the docking tests and benchmark: a new DOM document, XML text parsed into
// one, and its root element as a node (what the layout's XML load takes).
#pragma once

#include <windows.h>
#include <msxml2.h>

#include <string>

#include "platform/framework/CComPtr.h"

namespace orvane::test {

// The version-independent DOM document class of MSXML 3.
inline const CLSID kDomDocument = {
    0x2933BF90, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};

// Null when MSXML cannot make one.
inline CComPtr<IXMLDOMDocument> NewXmlDocument()
{
    CComPtr<IXMLDOMDocument> doc;
    if (FAILED(::CoCreateInstance(kDomDocument, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_IXMLDOMDocument, reinterpret_cast<void**>(&doc))))
        return nullptr;
    return doc;
}

// A parsed document, or null when the text is not well-formed.
inline CComPtr<IXMLDOMDocument> ParseXml(const std::wstring& xml)
{
    CComPtr<IXMLDOMDocument> doc = NewXmlDocument();
    if (doc == nullptr)
        return nullptr;
    BSTR text = ::SysAllocStringLen(xml.data(), static_cast<UINT>(xml.size()));
    VARIANT_BOOL ok = VARIANT_FALSE;
    doc->loadXML(text, &ok);
    ::SysFreeString(text);
    return ok == VARIANT_TRUE ? doc : nullptr;
}

inline CComPtr<IXMLDOMNode> RootOf(IXMLDOMDocument* doc)
{
    CComPtr<IXMLDOMElement> root;
    CComPtr<IXMLDOMNode> node;
    if (doc != nullptr && SUCCEEDED(doc->get_documentElement(&root)) && root != nullptr)
        root->QueryInterface(IID_IXMLDOMNode, reinterpret_cast<void**>(&node));
    return node;
}

}  // namespace orvane::test
