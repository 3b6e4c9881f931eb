// XML documents over the system's MSXML DOM, and the mapping between element trees and the
// typed-value text form: a record becomes child elements named by its keys, a positional
// entry an element "el", a plain value the element's text.
#pragma once

#include "WinNT_SP/Include_VS2005/ErrInfo.h"

#include <windows.h>
#include <msxml2.h>

#include <string>

#include "platform/base/CComPtr.h"

class XMLCommon {
public:
    XMLCommon() = default;
    ~XMLCommon() { Release(); }
    XMLCommon(const XMLCommon&) = delete;
    XMLCommon& operator=(const XMLCommon&) = delete;

    void Release();
    // A new in-process DOM document (synchronous loading, whitespace preserved).
    bool Create(ERR_INFO* info);
    // Reads a UTF-8 file of 1 byte to 50 MB (a byte-order mark is skipped) and parses it.
    bool LoadFile(const wchar_t* path, ERR_INFO* info, const wchar_t* formatWithLine,
                  const wchar_t* formatWithoutLine);
    std::wstring RootName() const;
    // Walks "\"-separated child element names from the document element into `current`.
    bool SelectPath(const wchar_t* path);

    IXMLDOMDocument* Document() const { return m_document; }
    IXMLDOMNode* Current() const { return m_current; }

protected:
    CComPtr<IXMLDOMDocument> m_document;
    CComPtr<IXMLDOMNode> m_current;
};

constexpr size_t kMaxXmlFileBytes = 52428800;

// Text form of an element tree (see the file comment).
std::wstring XmlNodeToText(IXMLDOMNode* element, bool withAttributes);
// Builds child elements of parent from the text-form characters [first, last] (inclusive).
bool TextToElements(IXMLDOMNode* parent, const wchar_t* first, const wchar_t* last,
                    bool positional);
// The element `name` built from a "(...)" text (as XMLDoc::AddElement) written directly as XML
// text, indented as XMLDoc::Indent would at the given level; false for a text that cannot be
// turned into elements.
bool TextToXmlText(const wchar_t* name, const std::wstring& text, int level, std::wstring* out);
// The string escapes of the text form for element text; false when nothing needs escaping.
bool EscapeForText(const std::wstring& text, std::wstring* escaped);
bool UnescapeInPlace(std::wstring& text);

// Node accessors.
DOMNodeType XmlNodeType(IXMLDOMNode* node);
std::wstring XmlNodeName(IXMLDOMNode* node);
bool XmlNodeText(IXMLDOMNode* node, std::wstring* text);
bool XmlHasElementChildren(IXMLDOMNode* node);
