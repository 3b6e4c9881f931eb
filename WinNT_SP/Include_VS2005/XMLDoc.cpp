// XML documents as UTF-8 files (see XMLDoc.h).
#include "WinNT_SP/Include_VS2005/XMLDoc.h"
#include "WinNT_SP/Include_VS2005/TraceScope.h"

#include "WinNT_SP/Include_VS2005/BstrText.h"
#include "WinNT_SP/Include_VS2005/FileSystem.h"
#include "WinNT_SP/Include_VS2005/SupportStrings.h"
#include "WinNT_SP/Include_VS2005/SystemErrorText.h"
#include "platform/base/CComPtr.h"
#include "platform/base/CHandle.h"

#include <vector>

namespace {

bool IsBlankText(const std::wstring& s)
{
    for (wchar_t c : s) {
        if (c != L' ' && c != L'\t' && c != L'\n' && c != L'\r') {
            return false;
        }
    }
    return true;
}

IXMLDOMText* NewText(IXMLDOMDocument* doc, const std::wstring& text)
{
    IXMLDOMText* node = nullptr;
    BstrText b(text.c_str());
    if (FAILED(doc->createTextNode(b.Get(), &node))) {
        return nullptr;
    }
    return node;
}

// One pass over the original children of element: blank text nodes go, every element child
// gets "\n" and two spaces per level before it, and an element with element children gets
// its closing indent. Equivalent to removing all blank text first and indenting after, since
// the inserted nodes are never visited. (The DOM builds a wrapper object per visited node, so
// the single walk halves the cost.)
void IndentElement(IXMLDOMDocument* doc, IXMLDOMNode* element, int level)
{
    const std::wstring indent = L"\n" + std::wstring(size_t(2 * (level + 1)), L' ');
    bool hasElementChild = false;
    CComPtr<IXMLDOMNode> child;
    element->get_firstChild(&child);
    while (child) {
        CComPtr<IXMLDOMNode> next;
        child->get_nextSibling(&next);
        const DOMNodeType t = XmlNodeType(child.p);
        if (t == NODE_TEXT) {
            std::wstring text;
            if (XmlNodeText(child.p, &text) && IsBlankText(text)) {
                element->removeChild(child.p, nullptr);
            }
        } else if (t == NODE_ELEMENT) {
            hasElementChild = true;
            CComPtr<IXMLDOMText> ws;
            ws.Attach(NewText(doc, indent));
            if (ws) {
                VARIANT ref;
                VariantInit(&ref);
                ref.vt = VT_UNKNOWN;
                ref.punkVal = child.p;
                element->insertBefore(ws.p, ref, nullptr);
            }
            IndentElement(doc, child.p, level + 1);
        }
        child = std::move(next);
    }
    if (hasElementChild) {
        CComPtr<IXMLDOMText> ws;
        ws.Attach(NewText(doc, L"\n" + std::wstring(size_t(2 * level), L' ')));
        if (ws) {
            element->appendChild(ws.p, nullptr);
        }
    }
}

}  // namespace

std::wstring XMLDoc::Create()
{
    ERR_INFO info;
    if (XMLCommon::Create(&info)) {
        return std::wstring();
    }
    return GetErrInfoText(info);
}

std::wstring XMLDoc::Load(const wchar_t* path, bool* contentDamaged)
{
    TRACE_FUNCTION();
    if (contentDamaged) {
        *contentDamaged = false;
    }
    ERR_INFO info;
    ClearErrInfo(&info);
    const std::wstring withLine = LoadResText(IDS_XML_PARSE_LINE);
    const std::wstring withoutLine = LoadResText(IDS_XML_PARSE);
    if (!m_document) {
        const std::wstring err = Create();
        if (!err.empty()) {
            return err;
        }
    }
    if (LoadFile(path, &info, withLine.c_str(), withoutLine.c_str())) {
        return std::wstring();
    }
    if (contentDamaged) {
        const std::wstring fn = info.function;
        *contentDamaged = fn == L"IXMLDOMDocument::load" || fn == L"MultiByteToWideChar" ||
                          (fn == L"GetFileSize" && info.code == ERROR_INVALID_DATA);
    }
    return GetErrInfoText(info);
}

std::wstring XMLDoc::CreateRoot(IXMLDOMElement** root, const wchar_t* rootName,
                                const wchar_t* attributeName, const wchar_t* attributeValue)
{
    TRACE_FUNCTION();
    *root = nullptr;
    std::wstring err = Create();
    if (!err.empty()) {
        return err;
    }
    CComPtr<IXMLDOMElement> element;
    BstrText name(rootName);
    HRESULT hr = m_document->createElement(name.Get(), &element);
    if (FAILED(hr) || !element) {
        return FormatSystemError(
            DWORD(hr), FormatNewString(L"IXMLDOMDocument::createElement(%s)", rootName).c_str());
    }
    if (attributeName && *attributeName) {
        BstrText attr(attributeName);
        VARIANT value;
        VariantInit(&value);
        value.vt = VT_BSTR;
        value.bstrVal = SysAllocString(attributeValue ? attributeValue : L"");
        element->setAttribute(attr.Get(), value);
        VariantClear(&value);
    }
    CComPtr<IXMLDOMProcessingInstruction> pi;
    BstrText target(L"xml");
    BstrText data(L"version=\"1.0\" encoding=\"UTF-8\"");
    if (SUCCEEDED(m_document->createProcessingInstruction(target.Get(), data.Get(), &pi)) &&
        pi) {
        CComPtr<IXMLDOMNode> added;
        m_document->appendChild(pi.p, &added);
    }
    CComPtr<IXMLDOMNode> added;
    hr = m_document->appendChild(element.p, &added);
    if (FAILED(hr)) {
        return FormatSystemError(DWORD(hr), L"IXMLDOMDocument::appendChild()");
    }
    *root = element.Detach();
    return std::wstring();
}

IXMLDOMElement* XMLDoc::AddElement(const wchar_t* name, const wchar_t* text)
{
    TRACE_FUNCTION();
    if (!m_document) {
        return nullptr;
    }
    CComPtr<IXMLDOMElement> element;
    if (name) {
        BstrText bname(name);
        if (FAILED(m_document->createElement(bname.Get(), &element)) || !element) {
            return nullptr;
        }
    } else if (FAILED(m_document->get_documentElement(&element)) || !element) {
        return nullptr;
    }
    const std::wstring t = text ? text : L"";
    if (t.empty()) {
        return element.Detach();
    }
    if (t.size() >= 2 && t.front() == L'(' && t.back() == L')') {
        const wchar_t* first = t.c_str() + 1;
        const wchar_t* last = t.c_str() + t.size() - 2;
        if (TextToElements(element.p, first, last, false)) {
            return element.Detach();
        }
    }
    return nullptr;
}

void XMLDoc::Indent()
{
    TRACE_FUNCTION();
    if (!m_document) {
        return;
    }
    CComPtr<IXMLDOMElement> root;
    if (FAILED(m_document->get_documentElement(&root)) || !root) {
        return;
    }
    IndentElement(m_document, root.p, 0);
}

std::wstring XMLDoc::SaveToFile(const wchar_t* path, bool backupCopy)
{
    TRACE_FUNCTION();
    BSTR xmlB = nullptr;
    const HRESULT hr = m_document ? m_document->get_xml(&xmlB) : E_POINTER;
    if (FAILED(hr) || !xmlB) {
        return FormatSystemError(DWORD(hr), L"IXMLDOMDocument::get_xml");
    }
    std::wstring xml(xmlB, SysStringLen(xmlB));
    SysFreeString(xmlB);
    return SaveTextToFile(path, std::move(xml), backupCopy);
}

std::wstring XMLDoc::SaveTextToFile(const wchar_t* path, std::wstring xml, bool backupCopy)
{
    TRACE_FUNCTION();
    if (backupCopy && path && *path && FileExists(path)) {
        const std::wstring bak = std::wstring(path) + L".bak";
        if (!CopyFileW(path, bak.c_str(), FALSE)) {
            return FormatSystemError(
                GetLastError(), FormatNewString(L"CopyFile(%s, %s)", path, bak.c_str()).c_str());
        }
    }
    if (xml.size() >= 2 && xml.compare(xml.size() - 2, 2, L"\r\n") == 0) {
        xml.resize(xml.size() - 2);
    }
    std::string bytes;
    if (!xml.empty()) {
        const int n = WideCharToMultiByte(CP_UTF8, 0, xml.data(), int(xml.size()), nullptr, 0,
                                          nullptr, nullptr);
        if (n <= 0) {
            return FormatSystemError(GetLastError(), L"WideCharToMultiByte()");
        }
        bytes.resize(size_t(n));
        WideCharToMultiByte(CP_UTF8, 0, xml.data(), int(xml.size()), bytes.data(), n, nullptr,
                            nullptr);
    }
    // Written to a temporary file beside the target, then moved over it: an interrupted save
    // leaves the previous file whole.
    const std::wstring temp = std::wstring(path) + L".tmp";
    CHandle h(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                          FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!h) {
        return FormatSystemError(GetLastError(),
                                 FormatNewString(L"CreateFile(%s)", temp.c_str()).c_str());
    }
    std::wstring error;
    DWORD written = 0;
    if (!WriteFile(h, bytes.data(), DWORD(bytes.size()), &written, nullptr) ||
        written != bytes.size()) {
        error = FormatSystemError(GetLastError(),
                                  FormatNewString(L"WriteFile(%s)", temp.c_str()).c_str());
    } else if (!SetEndOfFile(h)) {
        error = FormatSystemError(GetLastError(), L"SetEndOfFile");
    } else if (!FlushFileBuffers(h)) {
        error = FormatSystemError(GetLastError(), L"FlushFileBuffers");
    }
    h.Close();  // before the move
    if (error.empty() &&
        !MoveFileExW(temp.c_str(), path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        error = FormatSystemError(
            GetLastError(), FormatNewString(L"MoveFileEx(%s, %s)", temp.c_str(), path).c_str());
    }
    if (!error.empty()) {
        DeleteFileW(temp.c_str());
    }
    return error;
}
