// One XML document read or written as a UTF-8 file: creation with its declaration and root,
// loading with exact parse-error texts, two-space indentation, and saving through a temporary
// file and a replace (after a ".bak" copy when asked), so an interrupted save loses nothing.
#pragma once

#include "WinNT_SP/Include_VS2005/XMLCommon.h"

#include <string>

class XMLDoc : public XMLCommon {
public:
    XMLDoc() = default;
    virtual ~XMLDoc() = default;

    std::wstring Create();
    // contentDamaged: the file was read but its content is invalid (empty, over 50 MB, not
    // well-formed), as opposed to failures to reach it.
    std::wstring Load(const wchar_t* path, bool* contentDamaged = nullptr);
    // The caller releases *root.
    std::wstring CreateRoot(IXMLDOMElement** root, const wchar_t* rootName,
                            const wchar_t* attributeName, const wchar_t* attributeValue);
    // A new element `name` (or the document element when null) built from a "(...)" text;
    // null on failure. The caller releases the result.
    IXMLDOMElement* AddElement(const wchar_t* name, const wchar_t* text);
    void Indent();
    std::wstring SaveToFile(const wchar_t* path, bool backupCopy);
    // Writes XML text as the file (UTF-8, no byte-order mark, no final CR LF) the same way.
    static std::wstring SaveTextToFile(const wchar_t* path, std::wstring xml, bool backupCopy);
};
