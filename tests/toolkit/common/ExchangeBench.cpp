// Saves and loads 1,000 values in 100 sections through each storage of the property exchange
// (archive with a packed "ZIP!" block, registry, INI file, XML), each beside the same values
// written and read with the plain calls; prints milliseconds and the ratio.
#include "toolkit/common/CUTKPropExchangeArchive.h"
#include "toolkit/common/CUTKPropExchangeIniFile.h"
#include "toolkit/common/CUTKPropExchangeRegistry.h"
#include "toolkit/common/CUTKPropExchangeXMLNode.h"
#include "toolkit/common/CUTKZipMemFile.h"

#include <windows.h>
#include <objbase.h>

#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int kSections = 100;
constexpr int kValuesPerSection = 10;  // 5 integers and 5 strings

const CLSID kDomDocument = {
    0x2933BF90, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};

CString SectionName(int s)
{
    CString name;
    name.Format(L"Section%d", s);
    return name;
}

CString ValueName(int v)
{
    CString name;
    name.Format(L"Value%d", v);
    return name;
}

int IntValue(int s, int v)
{
    return s * 1000 + v + 1;
}

CString TextValue(int s, int v)
{
    CString text;
    text.Format(L"text of %d/%d", s, v);
    return text;
}

// The tree through any exchange; loading checks every value.
bool ExchangeTree(CUTKPropExchange* px)
{
    bool ok = true;
    for (int s = 0; s < kSections; ++s) {
        CUTKPropExchange* section = px->GetSection(SectionName(s));
        for (int v = 0; v < kValuesPerSection; ++v) {
            if (v % 2 == 0) {
                int value = px->IsLoading() ? 0 : IntValue(s, v);
                ok = ok && ExchangeIntPropDefault(section, ValueName(v), value, 0) &&
                     value == IntValue(s, v);
            } else {
                CString value = px->IsLoading() ? CString() : TextValue(s, v);
                ok = ok && ExchangeStringPropDefault(section, ValueName(v), value, L"") &&
                     value == TextValue(s, v);
            }
        }
        section->InternalRelease();
    }
    return ok;
}

double Ms(const std::function<bool()>& work, bool* ok)
{
    LARGE_INTEGER f, a, b;
    ::QueryPerformanceFrequency(&f);
    double best = 1e30;
    for (int i = 0; i < 3; ++i) {
        ::QueryPerformanceCounter(&a);
        *ok = work() && *ok;
        ::QueryPerformanceCounter(&b);
        best = std::min(best, double(b.QuadPart - a.QuadPart) * 1000.0 / double(f.QuadPart));
    }
    return best;
}

void Report(const char* storage, const char* what, double exchange, double plain, bool ok)
{
    std::printf("%-16s %-5s exchange %8.2f ms   plain %8.2f ms   ratio %5.2f%s\n", storage,
                what, exchange, plain, plain > 0 ? exchange / plain : 0.0, ok ? "" : "  FAILED");
}

// ---- archive with a packed block ----
std::vector<BYTE> g_block;

bool ArchiveSave()
{
    CUTKZipMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        CUTKPropExchangeArchive px(ar);
        px.ExchangeSchema();
        if (!ExchangeTree(&px)) {
            return false;
        }
        ar.Close();
    }
    BYTE* data = nullptr;
    DWORD size = 0;
    file.DetachCompressedBuffer(data, size);
    g_block.assign(data, data + size);
    std::free(data);
    return true;
}

bool ArchiveLoad()
{
    CUTKZipMemFile file(g_block.data(), static_cast<UINT>(g_block.size()));
    CArchive ar(&file, CArchive::load);
    CUTKPropExchangeArchive px(ar);
    px.ExchangeSchema();
    return ExchangeTree(&px);
}

std::vector<BYTE> g_plainBlock;
ULONG g_plainLength = 0;

bool PlainArchiveSave()
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        for (int s = 0; s < kSections; ++s) {
            for (int v = 0; v < kValuesPerSection; ++v) {
                if (v % 2 == 0) {
                    ar << IntValue(s, v);
                } else {
                    ar << TextValue(s, v);
                }
            }
        }
        ar.Close();
    }
    g_plainLength = static_cast<ULONG>(file.GetLength());
    BYTE* raw = file.Detach();
    uLongf packed = compressBound(g_plainLength);
    g_plainBlock.resize(packed);
    const bool ok = compress2(g_plainBlock.data(), &packed, raw, g_plainLength,
                              Z_DEFAULT_COMPRESSION) == Z_OK;
    g_plainBlock.resize(packed);
    std::free(raw);
    return ok;
}

bool PlainArchiveLoad()
{
    std::vector<BYTE> raw(g_plainLength);
    uLongf length = g_plainLength;
    if (uncompress(raw.data(), &length, g_plainBlock.data(),
                   static_cast<uLong>(g_plainBlock.size())) != Z_OK) {
        return false;
    }
    CMemFile file(raw.data(), static_cast<UINT>(length));
    CArchive ar(&file, CArchive::load);
    bool ok = true;
    for (int s = 0; s < kSections; ++s) {
        for (int v = 0; v < kValuesPerSection; ++v) {
            if (v % 2 == 0) {
                int value = 0;
                ar >> value;
                ok = ok && value == IntValue(s, v);
            } else {
                CString value;
                ar >> value;
                ok = ok && value == TextValue(s, v);
            }
        }
    }
    return ok;
}

// ---- registry ----
HKEY g_key = nullptr;

bool RegistrySave()
{
    CUTKPropExchangeRegistry px(FALSE, g_key, L"Tree");
    px.EmptySection();
    const bool ok = ExchangeTree(&px);
    return ok;
}

bool RegistryLoad()
{
    CUTKPropExchangeRegistry px(TRUE, g_key, L"Tree");
    return ExchangeTree(&px);
}

bool PlainRegistrySave()
{
    ::RegDeleteTreeW(g_key, L"Plain");
    HKEY tree = nullptr;
    if (::RegCreateKeyExW(g_key, L"Plain", 0, nullptr, 0, KEY_WRITE, nullptr, &tree, nullptr)) {
        return false;
    }
    bool ok = true;
    for (int s = 0; s < kSections; ++s) {
        HKEY section = nullptr;
        ok = ok && ::RegCreateKeyExW(tree, SectionName(s), 0, nullptr, 0, KEY_WRITE, nullptr,
                                     &section, nullptr) == ERROR_SUCCESS;
        for (int v = 0; ok && v < kValuesPerSection; ++v) {
            if (v % 2 == 0) {
                const DWORD value = static_cast<DWORD>(IntValue(s, v));
                ok = ::RegSetValueExW(section, ValueName(v), 0, REG_DWORD,
                                      reinterpret_cast<const BYTE*>(&value), 4) == ERROR_SUCCESS;
            } else {
                const CString value = TextValue(s, v);
                ok = ::RegSetValueExW(section, ValueName(v), 0, REG_SZ,
                                      reinterpret_cast<const BYTE*>(value.GetString()),
                                      (value.GetLength() + 1) * 2) == ERROR_SUCCESS;
            }
        }
        if (section) {
            ::RegCloseKey(section);
        }
    }
    ::RegCloseKey(tree);
    return ok;
}

bool PlainRegistryLoad()
{
    bool ok = true;
    for (int s = 0; s < kSections; ++s) {
        const CString path = CString(L"Plain\\") + SectionName(s);
        for (int v = 0; v < kValuesPerSection; ++v) {
            if (v % 2 == 0) {
                DWORD value = 0;
                DWORD size = 4;
                ok = ok && ::RegGetValueW(g_key, path, ValueName(v), RRF_RT_REG_DWORD, nullptr,
                                          &value, &size) == ERROR_SUCCESS &&
                     int(value) == IntValue(s, v);
            } else {
                wchar_t value[64];
                DWORD size = sizeof value;
                ok = ok && ::RegGetValueW(g_key, path, ValueName(v), RRF_RT_REG_SZ, nullptr,
                                          value, &size) == ERROR_SUCCESS &&
                     TextValue(s, v) == value;
            }
        }
    }
    return ok;
}

// ---- INI ----
std::wstring g_ini;
std::wstring g_plainIni;

bool IniSave()
{
    ::DeleteFileW(g_ini.c_str());
    CUTKPropExchangeIniFile px(FALSE, nullptr, L"Tree");
    px.AssignFile(g_ini.c_str());
    const bool ok = ExchangeTree(&px);
    return ok;
}

bool IniLoad()
{
    CUTKPropExchangeIniFile px(TRUE, nullptr, L"Tree");
    px.AssignFile(g_ini.c_str());
    const bool ok = ExchangeTree(&px);
    return ok;
}

bool PlainIniSave()
{
    ::DeleteFileW(g_plainIni.c_str());
    bool ok = true;
    for (int s = 0; s < kSections; ++s) {
        const CString section = CString(L"Tree\\") + SectionName(s);
        for (int v = 0; v < kValuesPerSection; ++v) {
            CString text;
            if (v % 2 == 0) {
                text.Format(L"%d", IntValue(s, v));
            } else {
                text = TextValue(s, v);
            }
            ok = ok && ::WritePrivateProfileStringW(section, ValueName(v), text,
                                                    g_plainIni.c_str());
        }
    }
    return ok;
}

bool PlainIniLoad()
{
    bool ok = true;
    for (int s = 0; s < kSections; ++s) {
        const CString section = CString(L"Tree\\") + SectionName(s);
        for (int v = 0; v < kValuesPerSection; ++v) {
            wchar_t text[256];
            ::GetPrivateProfileStringW(section, ValueName(v), L"", text, 256, g_plainIni.c_str());
            if (v % 2 == 0) {
                ok = ok && _wtoi(text) == IntValue(s, v);
            } else {
                ok = ok && TextValue(s, v) == text;
            }
        }
    }
    return ok;
}

// ---- XML ----
CComPtr<IXMLDOMDocument> g_doc;
CComPtr<IXMLDOMDocument> g_plainDoc;

bool XmlSave()
{
    g_doc.Release();
    if (FAILED(::CoCreateInstance(kDomDocument, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_IXMLDOMDocument, reinterpret_cast<void**>(&g_doc)))) {
        return false;
    }
    CComPtr<IXMLDOMNode> node;
    g_doc->QueryInterface(IID_IXMLDOMNode, reinterpret_cast<void**>(&node));
    CUTKPropExchangeXMLNode px(FALSE, node, L"Tree");
    const bool ok = ExchangeTree(&px);
    return ok;
}

bool XmlLoad()
{
    CComPtr<IXMLDOMNode> node;
    g_doc->QueryInterface(IID_IXMLDOMNode, reinterpret_cast<void**>(&node));
    CUTKPropExchangeXMLNode px(TRUE, node, L"Tree");
    const bool ok = ExchangeTree(&px);
    return ok;
}

bool PlainXmlSave()
{
    g_plainDoc.Release();
    if (FAILED(::CoCreateInstance(kDomDocument, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_IXMLDOMDocument, reinterpret_cast<void**>(&g_plainDoc)))) {
        return false;
    }
    CComPtr<IXMLDOMElement> root;
    g_plainDoc->createElement(CComBSTR(L"Tree"), &root);
    CComPtr<IXMLDOMNode> added;
    g_plainDoc->appendChild(root, &added);
    for (int s = 0; s < kSections; ++s) {
        CComPtr<IXMLDOMElement> section;
        g_plainDoc->createElement(CComBSTR(SectionName(s)), &section);
        for (int v = 0; v < kValuesPerSection; ++v) {
            CString text;
            if (v % 2 == 0) {
                text.Format(L"%d", IntValue(s, v));
            } else {
                text = TextValue(s, v);
            }
            VARIANT value;
            value.vt = VT_BSTR;
            value.bstrVal = ::SysAllocString(text);
            section->setAttribute(CComBSTR(ValueName(v)), value);
            ::VariantClear(&value);
        }
        CComPtr<IXMLDOMNode> appended;
        root->appendChild(section, &appended);
    }
    return true;
}

bool PlainXmlLoad()
{
    CComPtr<IXMLDOMElement> root;
    g_plainDoc->get_documentElement(&root);
    bool ok = root != nullptr;
    for (int s = 0; ok && s < kSections; ++s) {
        CComPtr<IXMLDOMNode> sectionNode;
        root->selectSingleNode(CComBSTR(SectionName(s)), &sectionNode);
        CComPtr<IXMLDOMElement> section;
        ok = sectionNode != nullptr &&
             SUCCEEDED(sectionNode->QueryInterface(IID_IXMLDOMElement,
                                                   reinterpret_cast<void**>(&section)));
        for (int v = 0; ok && v < kValuesPerSection; ++v) {
            VARIANT value;
            ::VariantInit(&value);
            section->getAttribute(CComBSTR(ValueName(v)), &value);
            ok = value.vt == VT_BSTR;
            if (ok) {
                ok = v % 2 == 0 ? _wtoi(value.bstrVal) == IntValue(s, v)
                                : TextValue(s, v) == value.bstrVal;
            }
            ::VariantClear(&value);
        }
    }
    return ok;
}

// ---- forms of one object, for reading (--show) ----
void Hex(const char* what, const BYTE* data, size_t size)
{
    std::printf("%-28s", what);
    for (size_t i = 0; i < size; ++i) {
        std::printf(" %02X", data[i]);
    }
    std::printf("\n");
}

std::vector<BYTE> StoreArchive(const std::function<void(CUTKPropExchange*)>& write)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        CUTKPropExchangeArchive px(ar);
        write(&px);
        ar.Close();
    }
    const size_t length = static_cast<size_t>(file.GetLength());
    BYTE* data = file.Detach();
    std::vector<BYTE> bytes(data, data + length);
    std::free(data);
    return bytes;
}

// One toolbar-like object: the values a bar stores.
void ExchangeOneObject(CUTKPropExchange* px)
{
    int id = 59392;
    BOOL visible = TRUE;
    CString title = L"Standard\\Main\nbar";
    CRect rect(10, 20, 310, 46);
    BYTE raw[] = {0x3C, 0x00, 0xFF};
    BYTE* blob = raw;
    DWORD size = sizeof raw;
    (void)ExchangeIntPropDefault(px, L"BarID", id, 0);
    (void)ExchangeBoolProp(px, L"Visible", visible, FALSE);
    (void)ExchangeStringPropDefault(px, L"Title", title, L"");
    (void)ExchangeRectProp(px, L"Rect", rect, CRect());
    (void)ExchangeBlobProp(px, L"Data", blob, size);
    CUTKPropExchange* child = px->GetSection(L"Bar0");
    int count = 2;
    (void)ExchangeIntPropDefault(child, L"Count", count, 0);
    child->InternalRelease();
}

void Show(const wchar_t* folder)
{
    std::vector<BYTE> b = StoreArchive([](CUTKPropExchange* px) {
        BOOL flag = TRUE;
        BYTE byte = 0x7F;
        CString text = L"ab";
        (void)ExchangeBoolProp(px, L"Flag", flag, TRUE);
        (void)ExchangeByteProp(px, L"Byte", byte, 0);
        (void)ExchangeStringProp(px, L"Text", text);
    });
    Hex("BOOL 1, byte 7F, \"ab\":", b.data(), b.size());
    b = StoreArchive([](CUTKPropExchange* px) { px->ExchangeSchema(); });
    Hex("schema 36:", b.data(), b.size());
    b = StoreArchive([](CUTKPropExchange* px) { px->WriteCount(70000); });
    Hex("count 70000:", b.data(), b.size());
    b = StoreArchive([](CUTKPropExchange* px) { ExchangeOneObject(px); });
    Hex("one object (archive):", b.data(), b.size());
    CUTKZipMemFile zip;
    std::vector<BYTE> zeros(20, 0);
    zip.Write(zeros.data(), 20);
    BYTE* block = nullptr;
    DWORD blockSize = 0;
    zip.DetachCompressedBuffer(block, blockSize);
    Hex("20 zero bytes as ZIP! block:", block, blockSize);
    std::free(block);

    const std::wstring ini = std::wstring(folder) + L"\\one-object.ini";
    ::DeleteFileW(ini.c_str());
    {
        CUTKPropExchangeIniFile px(FALSE, nullptr, L"Toolbar");
        px.AssignFile(ini.c_str());
        ExchangeOneObject(&px);
    }
    std::printf("INI file: %ls\n", ini.c_str());
    HKEY key = nullptr;
    ::RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\OrvaneTests\\show", 0, nullptr, 0,
                      KEY_ALL_ACCESS, nullptr, &key, nullptr);
    {
        CUTKPropExchangeRegistry px(FALSE, key, L"Toolbar");
        ExchangeOneObject(&px);
    }
    ::RegCloseKey(key);
    std::printf("registry: HKCU\\Software\\OrvaneTests\\show\\Toolbar\n");
    for (BOOL compact : {TRUE, FALSE}) {
        CUTKPropExchangeXMLNode px(FALSE, nullptr, L"Toolbar");
        px.SetCompactMode(compact);
        ExchangeOneObject(&px);
        CComPtr<IXMLDOMNode> node;
        px.GetDocument()->QueryInterface(IID_IXMLDOMNode, reinterpret_cast<void**>(&node));
        BSTR xml = nullptr;
        node->get_xml(&xml);
        std::printf("XML (%s):\n%ls\n", compact ? "compact" : "elements", xml);
        ::SysFreeString(xml);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (argc == 3 && std::string(argv[1]) == "--show") {
        const std::string folder = argv[2];
        Show(std::wstring(folder.begin(), folder.end()).c_str());
        ::CoUninitialize();
        return 0;
    }
    std::printf("property exchange: %d values in %d sections, best of 3\n",
                kSections * kValuesPerSection, kSections);

    bool ok = true;
    double e = Ms(ArchiveSave, &ok);
    double p = Ms(PlainArchiveSave, &ok);
    Report("archive+ZIP!", "save", e, p, ok);
    e = Ms(ArchiveLoad, &ok);
    p = Ms(PlainArchiveLoad, &ok);
    Report("archive+ZIP!", "load", e, p, ok);
    std::printf("%-16s block %zu bytes (plain archive packed: %zu bytes of %lu)\n",
                "archive+ZIP!", g_block.size(), g_plainBlock.size(), g_plainLength);

    const std::wstring keyPath =
        L"Software\\OrvaneTests\\bench-" + std::to_wstring(::GetCurrentProcessId());
    ::RegCreateKeyExW(HKEY_CURRENT_USER, keyPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                      &g_key, nullptr);
    ok = true;
    e = Ms(RegistrySave, &ok);
    p = Ms(PlainRegistrySave, &ok);
    Report("registry", "save", e, p, ok);
    e = Ms(RegistryLoad, &ok);
    p = Ms(PlainRegistryLoad, &ok);
    Report("registry", "load", e, p, ok);
    ::RegCloseKey(g_key);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, keyPath.c_str());
    ::RegDeleteKeyW(HKEY_CURRENT_USER, keyPath.c_str());

    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring tag = std::to_wstring(::GetCurrentProcessId());
    g_ini = std::wstring(temp) + L"orvane-bench-exchange-" + tag + L".ini";
    g_plainIni = std::wstring(temp) + L"orvane-bench-plain-" + tag + L".ini";
    ok = true;
    e = Ms(IniSave, &ok);
    p = Ms(PlainIniSave, &ok);
    Report("INI", "save", e, p, ok);
    e = Ms(IniLoad, &ok);
    p = Ms(PlainIniLoad, &ok);
    Report("INI", "load", e, p, ok);
    ::DeleteFileW(g_ini.c_str());
    ::DeleteFileW(g_plainIni.c_str());

    ok = true;
    e = Ms(XmlSave, &ok);
    p = Ms(PlainXmlSave, &ok);
    Report("XML", "save", e, p, ok);
    e = Ms(XmlLoad, &ok);
    p = Ms(PlainXmlLoad, &ok);
    Report("XML", "load", e, p, ok);
    g_doc.Release();
    g_plainDoc.Release();
    ::CoUninitialize();
    return 0;
}
