// XML DOM wrapper, element tree <-> text form, and the element-text escapes.
#include "WinNT_SP/Include_VS2005/XMLCommon.h"
#include "WinNT_SP/Include_VS2005/TraceScope.h"

#include "WinNT_SP/Include_VS2005/BstrText.h"
#include "WinNT_SP/Include_VS2005/SupportStrings.h"
#include "platform/base/CComPtr.h"
#include "platform/base/CHandle.h"

#include <cstdio>
#include <cwchar>
#include <vector>

namespace {

// {2933BF90-7B36-11D2-B20E-00C04F983E60}
const CLSID kClsidDomDocument = {
    0x2933BF90, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};

std::wstring TakeBstr(BSTR b)
{
    std::wstring s = b ? std::wstring(b, SysStringLen(b)) : std::wstring();
    SysFreeString(b);
    return s;
}

int HexDigit(wchar_t c)
{
    if (c >= L'0' && c <= L'9') {
        return c - L'0';
    }
    if (c >= L'A' && c <= L'F') {
        return c - L'A' + 10;
    }
    if (c >= L'a' && c <= L'f') {
        return c - L'a' + 10;
    }
    return -1;
}

void NodeToText(IXMLDOMNode* node, bool withAttributes, int depth, std::wstring& out)
{
    if (depth > 256) {
        return;  // deeper than the parser itself nests documents
    }
    const std::wstring name = XmlNodeName(node);
    std::vector<CComPtr<IXMLDOMNode>> elements;
    {
        CComPtr<IXMLDOMNode> child;
        node->get_firstChild(&child);
        while (child) {
            CComPtr<IXMLDOMNode> next;
            child->get_nextSibling(&next);
            if (XmlNodeType(child.p) == NODE_ELEMENT) {
                elements.push_back(std::move(child));
            }
            child = std::move(next);
        }
    }
    if (!elements.empty()) {
        if (depth != 0 && name != L"el") {
            out += name;
            out += L'=';
        }
        out += L'(';
        for (size_t i = 0; i < elements.size(); ++i) {
            if (i > 0) {
                out += L',';
            }
            NodeToText(elements[i].p, withAttributes, depth + 1, out);
        }
        out += L')';
        return;
    }
    std::wstring text;
    if (!XmlNodeText(node, &text)) {
        return;
    }
    const size_t start = out.size();
    if (name != L"el") {
        out += name;
        out += L'=';
    }
    if (withAttributes) {
        CComPtr<IXMLDOMNamedNodeMap> attrs;
        long count = 0;
        if (SUCCEEDED(node->get_attributes(&attrs)) && attrs &&
            SUCCEEDED(attrs->get_length(&count)) && count > 0) {
            out += L'(';
            for (long i = 0; i < count; ++i) {
                CComPtr<IXMLDOMNode> attr;
                if (FAILED(attrs->get_item(i, &attr)) || !attr) {
                    continue;
                }
                if (i > 0) {
                    out += L',';
                }
                out += XmlNodeName(attr.p);
                out += L'=';
                std::wstring value;
                XmlNodeText(attr.p, &value);
                std::wstring escaped;
                out += EscapeForText(value, &escaped) ? escaped : value;
            }
            out += L')';
        }
    }
    std::wstring escaped;
    const bool needed = EscapeForText(text, &escaped);
    out += needed ? escaped : text;
    if (depth == 0 && !needed) {
        out.insert(start, 1, L'(');
        out += L')';
    }
}

const wchar_t* SkipSpaces(const wchar_t* p, const wchar_t* end)
{
    while (p <= end && *p == L' ') {
        ++p;
    }
    return p;
}

}  // namespace

// ---- XMLCommon ------------------------------------------------------------------------------

void XMLCommon::Release()
{
    m_current.Release();
    m_document.Release();
}

bool XMLCommon::Create(ERR_INFO* info)
{
    TRACE_FUNCTION();
    Release();
    // Never undone: the thread keeps COM for the process's lifetime.
    const HRESULT init = CoInitialize(nullptr);
    (void)init;
    const HRESULT hr = CoCreateInstance(kClsidDomDocument, nullptr, CLSCTX_INPROC_SERVER,
                                        IID_IXMLDOMDocument, reinterpret_cast<void**>(&m_document));
    if (FAILED(hr) || !m_document) {
        m_document = nullptr;
        SetErrInfo(info, DWORD(hr), L"CoCreateInstance(CLSID_DOMDocument)", nullptr,
                   L"XMLCommon", __LINE__, 0, nullptr);
        return false;
    }
    m_document->put_async(VARIANT_FALSE);
    m_document->put_preserveWhiteSpace(VARIANT_TRUE);
    return true;
}

bool XMLCommon::LoadFile(const wchar_t* path, ERR_INFO* info, const wchar_t* formatWithLine,
                         const wchar_t* formatWithoutLine)
{
    TRACE_FUNCTION();
    CHandle h(CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                          OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!h) {
        SetErrInfo(info, GetLastError(), L"CreateFile", path, ORV_SRCFILE, __LINE__, 0, nullptr);
        return false;
    }
    LARGE_INTEGER size = {};
    const BOOL gotSize = GetFileSizeEx(h, &size);
    if (!gotSize || size.QuadPart <= 0 || size.QuadPart > LONGLONG(kMaxXmlFileBytes)) {
        // A size out of range is content, not access: it is reported as invalid data.
        const DWORD code = gotSize ? ERROR_INVALID_DATA : GetLastError();
        h.Close();
        SetErrInfo(info, code, L"GetFileSize", path, ORV_SRCFILE, __LINE__, 0, nullptr);
        return false;
    }
    std::string bytes(size_t(size.QuadPart), '\0');
    DWORD read = 0;
    if (!ReadFile(h, bytes.data(), DWORD(bytes.size()), &read, nullptr) || read != bytes.size()) {
        const DWORD code = GetLastError();
        h.Close();
        SetErrInfo(info, code ? code : ERROR_HANDLE_EOF, L"ReadFile", path, ORV_SRCFILE, __LINE__,
                   0, nullptr);
        return false;
    }
    h.Close();
    const int n = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), int(bytes.size()), nullptr, 0);
    if (n <= 0) {
        SetErrInfo(info, GetLastError(), L"MultiByteToWideChar", path, ORV_SRCFILE, __LINE__, 0,
                   nullptr);
        return false;
    }
    std::wstring text(size_t(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, bytes.data(), int(bytes.size()), text.data(), n);
    const size_t skip = (!text.empty() && text[0] == 0xFEFF) ? 1 : 0;
    BstrText xml(text.c_str() + skip, text.size() - skip);
    VARIANT_BOOL ok = VARIANT_FALSE;
    const HRESULT hr = m_document->loadXML(xml.Get(), &ok);
    if (SUCCEEDED(hr) && ok == VARIANT_TRUE) {
        return true;
    }
    CComPtr<IXMLDOMParseError> parseError;
    if (FAILED(m_document->get_parseError(&parseError)) || !parseError) {
        SetErrInfo(info, 1, L"IXMLDOMDocument::load", path, ORV_SRCFILE, __LINE__, 0, nullptr);
        return false;
    }
    long code = 0;
    parseError->get_errorCode(&code);
    BSTR reasonB = nullptr;
    const bool haveReason = SUCCEEDED(parseError->get_reason(&reasonB)) && reasonB;
    const std::wstring reason = TakeBstr(reasonB);
    long line = 0;
    BSTR srcB = nullptr;
    const bool haveLine = SUCCEEDED(parseError->get_line(&line));
    const bool haveSrc = SUCCEEDED(parseError->get_srcText(&srcB));
    const std::wstring src = TakeBstr(srcB);
    wchar_t message[1040];
    if (!haveReason) {
        _snwprintf(message, 1040, formatWithoutLine, path, unsigned(code), L"");
    } else if (!haveLine || !haveSrc) {
        _snwprintf(message, 1040, formatWithoutLine, path, unsigned(code), reason.c_str());
    } else {
        _snwprintf(message, 1040, formatWithLine, path, unsigned(code), int(line), src.c_str(),
                   reason.c_str());
    }
    message[1039] = 0;
    SetErrInfo(info, DWORD(code), L"IXMLDOMDocument::load", message, ORV_SRCFILE, __LINE__, 0,
               nullptr);
    return false;
}

std::wstring XMLCommon::RootName() const
{
    if (!m_document) {
        return std::wstring();
    }
    CComPtr<IXMLDOMElement> root;
    if (FAILED(m_document->get_documentElement(&root)) || !root) {
        return std::wstring();
    }
    return XmlNodeName(root.p);
}

bool XMLCommon::SelectPath(const wchar_t* path)
{
    TRACE_FUNCTION();
    m_current.Release();
    if (!m_document) {
        return false;
    }
    CComPtr<IXMLDOMElement> root;
    if (FAILED(m_document->get_documentElement(&root)) || !root) {
        return false;
    }
    root->QueryInterface(IID_IXMLDOMNode, reinterpret_cast<void**>(&m_current));
    std::wstring rest = path ? path : L"";
    while (!rest.empty()) {
        const size_t sep = rest.find(L'\\');
        const std::wstring part = rest.substr(0, sep);
        rest = sep == std::wstring::npos ? std::wstring() : rest.substr(sep + 1);
        CComPtr<IXMLDOMNode> child;
        m_current->get_firstChild(&child);
        bool found = false;
        while (child) {
            if (XmlNodeType(child.p) == NODE_ELEMENT && XmlNodeName(child.p) == part) {
                m_current = std::move(child);
                found = true;
                break;
            }
            CComPtr<IXMLDOMNode> next;
            child->get_nextSibling(&next);
            child = std::move(next);
        }
        if (!found) {
            return false;
        }
    }
    return true;
}

// ---- node accessors -------------------------------------------------------------------------

DOMNodeType XmlNodeType(IXMLDOMNode* node)
{
    DOMNodeType t = NODE_INVALID;
    if (!node || FAILED(node->get_nodeType(&t))) {
        return NODE_INVALID;
    }
    return t;
}

std::wstring XmlNodeName(IXMLDOMNode* node)
{
    BSTR b = nullptr;
    if (!node || FAILED(node->get_nodeName(&b))) {
        return std::wstring();
    }
    return TakeBstr(b);
}

bool XmlNodeText(IXMLDOMNode* node, std::wstring* text)
{
    BSTR b = nullptr;
    if (!node || FAILED(node->get_text(&b))) {
        return false;
    }
    *text = TakeBstr(b);
    return true;
}

bool XmlHasElementChildren(IXMLDOMNode* node)
{
    VARIANT_BOOL has = VARIANT_FALSE;
    if (!node || FAILED(node->hasChildNodes(&has)) || has != VARIANT_TRUE) {
        return false;
    }
    CComPtr<IXMLDOMNode> child;
    node->get_firstChild(&child);
    while (child) {
        if (XmlNodeType(child.p) == NODE_ELEMENT) {
            return true;
        }
        CComPtr<IXMLDOMNode> next;
        child->get_nextSibling(&next);
        child = std::move(next);
    }
    return false;
}

// ---- text form ------------------------------------------------------------------------------

std::wstring XmlNodeToText(IXMLDOMNode* element, bool withAttributes)
{
    TRACE_FUNCTION();
    std::wstring out;
    NodeToText(element, withAttributes, 0, out);
    return out;
}

bool EscapeForText(const std::wstring& text, std::wstring* escaped)
{
    bool needed = false;
    for (wchar_t c : text) {
        if ((c >= 1 && c <= 31) || c == 127 || c == L' ' || c == L'(' || c == L')' ||
            c == L',' || c == L'=' || c == L'\\') {
            needed = true;
            break;
        }
    }
    if (!needed) {
        return false;
    }
    static const char kHex[] = "0123456789ABCDEF";
    std::wstring out;
    out.reserve(text.size() + 16);
    for (size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        switch (c) {
        case L' ': out += L"\\S"; break;
        case L'(': out += L"\\L"; break;
        case L')': out += L"\\R"; break;
        case L',': out += L"\\M"; break;
        case L'=': out += L"\\Q"; break;
        case L'\\': out += L"\\H"; break;
        default:
            if (c == L'\n' && (i == 0 || text[i - 1] != L'\r')) {
                out += L"\\0D\\0A";  // the DOM gives lone LFs for the file's line ends
            } else if ((c >= 1 && c <= 31) || c == 127) {
                out += L'\\';
                out += wchar_t(kHex[c >> 4]);
                out += wchar_t(kHex[c & 15]);
            } else {
                out += c;
            }
        }
    }
    *escaped = out;
    return true;
}

bool UnescapeInPlace(std::wstring& text)
{
    std::wstring out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (c != L'\\') {
            out += c;
            continue;
        }
        if (i + 1 >= text.size()) {
            return false;
        }
        const wchar_t n = text[++i];
        switch (n) {
        case L'H': out += L'\\'; break;
        case L'L': out += L'('; break;
        case L'M': out += L','; break;
        case L'Q': out += L'='; break;
        case L'R': out += L')'; break;
        case L'S': out += L' '; break;
        case L'Y': break;
        default: {
            const int hi = HexDigit(n);
            const int lo = i + 1 < text.size() ? HexDigit(text[i + 1]) : -1;
            if (hi < 0 || lo < 0) {
                return false;
            }
            ++i;
            out += wchar_t(hi * 16 + lo);
        }
        }
    }
    text = out;
    return true;
}

namespace {

// Receives the elements that the text form describes: a DOM (DomSink) or XML text (TextSink).
// Open starts a child element of the current one, Text sets the current element's text
// (`fresh`: it has no children yet), Close ends the current element.
struct DomSink {
    IXMLDOMDocument* doc;
    std::vector<CComPtr<IXMLDOMNode>> stack;

    bool Open(const std::wstring& name)
    {
        CComPtr<IXMLDOMElement> element;
        BstrText bname(name.c_str());
        if (FAILED(doc->createElement(bname.Get(), &element)) || !element) {
            return false;
        }
        if (FAILED(stack.back()->appendChild(element.p, nullptr))) {
            return false;
        }
        CComPtr<IXMLDOMNode> node;
        if (FAILED(element->QueryInterface(IID_IXMLDOMNode,
                                           reinterpret_cast<void**>(&node)))) {
            return false;
        }
        stack.push_back(std::move(node));
        return true;
    }

    bool Text(const std::wstring& value, bool fresh)
    {
        if (value.empty()) {
            return true;
        }
        BstrText b(value.c_str());
        if (fresh) {
            return SUCCEEDED(stack.back()->put_text(b.Get()));
        }
        // A text node of its own: put_text would replace element children made before it.
        CComPtr<IXMLDOMText> textNode;
        if (FAILED(doc->createTextNode(b.Get(), &textNode)) || !textNode) {
            return false;
        }
        return SUCCEEDED(stack.back()->appendChild(textNode.p, nullptr));
    }

    void Close() { stack.pop_back(); }
};

// Writes the elements as XML text indented as XMLDoc::Indent does it (two spaces per level).
struct TextSink {
    struct Frame {
        std::wstring name;
        bool hasElementChild;
    };
    std::wstring out;
    std::vector<Frame> stack;
    int baseLevel;

    void Indent(size_t level)
    {
        out += L'\n';
        out.append(2 * level, L' ');
    }

    bool Open(const std::wstring& name)
    {
        if (!stack.empty()) {
            stack.back().hasElementChild = true;
        }
        if (!stack.empty() || baseLevel > 0) {
            Indent(size_t(baseLevel) + stack.size());
        }
        out += L'<';
        out += name;
        out += L'>';
        stack.push_back({name, false});
        return true;
    }

    bool Text(const std::wstring& value, bool)
    {
        for (wchar_t c : value) {
            switch (c) {
            case L'&': out += L"&amp;"; break;
            case L'<': out += L"&lt;"; break;
            case L'>': out += L"&gt;"; break;
            case L'\r': out += L"&#13;"; break;
            default: out += c;
            }
        }
        return true;
    }

    void Close()
    {
        if (stack.back().hasElementChild) {
            Indent(size_t(baseLevel) + stack.size() - 1);
        }
        out += L"</";
        out += stack.back().name;
        out += L'>';
        stack.pop_back();
    }
};

// Nesting deeper than any value of the program has is refused rather than recursed into.
constexpr int kMaxElementDepth = 256;

template <class Sink>
struct ElementBuilder {
    Sink& sink;
    int depth = 0;

    bool Build(const wchar_t* q, const wchar_t* e, bool positional, bool fresh)
    {
        // Parts split at top-level commas are handled in turn here rather than by recursion,
        // so long lists do not nest calls.
        for (;;) {
            if (e < q) {
                return true;
            }
            int depth = 0;
            const wchar_t* split = nullptr;
            const wchar_t* equals = nullptr;
            bool sawParen = false;
            for (const wchar_t* p = q; p <= e; ++p) {
                const wchar_t c = *p;
                if (c == L'(') {
                    ++depth;
                    sawParen = true;
                } else if (c == L')') {
                    if (--depth < 0) {
                        return false;
                    }
                } else if (c == L',' && depth == 0) {
                    if (p == e) {
                        return false;
                    }
                    split = p;
                    break;
                } else if (c == L'=' && !sawParen) {
                    if (equals) {
                        return false;
                    }
                    equals = p;
                }
            }
            if (!split && depth != 0) {
                return false;
            }
            if (split) {
                const bool flag = equals == nullptr;
                if (!BuildOne(q, split - 1, flag, fresh, equals)) {
                    return false;
                }
                q = split + 1;
                positional = flag;
                fresh = false;
                continue;
            }
            return BuildOne(q, e, positional, fresh, equals);
        }
    }

    // A child element whose content is [q, e].
    bool Child(const std::wstring& name, const wchar_t* q, const wchar_t* e, bool positional)
    {
        if (depth >= kMaxElementDepth || !sink.Open(name)) {
            return false;
        }
        ++depth;
        const bool ok = Build(q, e, positional, true);
        --depth;
        sink.Close();
        return ok;
    }

    // One part without a top-level comma; equals is its "=" before any "(" (or null).
    bool BuildOne(const wchar_t* q, const wchar_t* e, bool positional, bool fresh,
                  const wchar_t* equals)
    {
        if (e < q) {
            return true;
        }
        if (equals) {
            if (*q == L'(') {
                return false;
            }
            const wchar_t* nameStart = SkipSpaces(q, equals - 1);
            if (nameStart >= equals) {
                return false;
            }
            const std::wstring name(nameStart, equals);
            const wchar_t* v = SkipSpaces(equals + 1, e);
            if (v > e) {
                return Child(name, v, v - 1, false);
            }
            if (*v == L'(') {
                const wchar_t* last = e;
                while (last > v && *last == L' ') {
                    --last;
                }
                if (*last != L')' || last == v) {
                    return false;
                }
                return Child(name, v + 1, last - 1, true);
            }
            return Child(name, v, e, false);
        }
        if (*q == L'(' || positional) {
            if (*q == L'(') {
                if (*e != L')' || e == q) {
                    return false;
                }
                return Child(L"el", q + 1, e - 1, positional);
            }
            return Child(L"el", q, e, false);
        }
        std::wstring value(q, e + 1);
        if (!UnescapeInPlace(value)) {
            return false;
        }
        return sink.Text(value, fresh);
    }
};

}  // namespace

bool TextToElements(IXMLDOMNode* parent, const wchar_t* q, const wchar_t* e, bool positional)
{
    TRACE_FUNCTION();
    CComPtr<IXMLDOMDocument> doc;
    if (FAILED(parent->get_ownerDocument(&doc)) || !doc) {
        return false;
    }
    VARIANT_BOOL hasChildren = VARIANT_FALSE;
    parent->hasChildNodes(&hasChildren);
    DomSink sink{doc.p, {}};
    sink.stack.push_back(CComPtr<IXMLDOMNode>(parent));
    ElementBuilder<DomSink> builder{sink, 0};
    return builder.Build(q, e, positional, hasChildren != VARIANT_TRUE);
}

bool TextToXmlText(const wchar_t* name, const std::wstring& text, int level, std::wstring* out)
{
    TRACE_FUNCTION();
    TextSink sink{std::wstring(), {}, level};
    ElementBuilder<TextSink> builder{sink, 0};
    sink.Open(name);
    if (!text.empty()) {
        if (text.size() < 2 || text.front() != L'(' || text.back() != L')') {
            return false;
        }
        if (!builder.Build(text.c_str() + 1, text.c_str() + text.size() - 2, false, true)) {
            return false;
        }
    }
    sink.Close();
    *out = std::move(sink.out);
    return true;
}
