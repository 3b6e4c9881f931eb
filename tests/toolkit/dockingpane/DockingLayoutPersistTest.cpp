// Saving and loading docking layouts through every storage, with the live layout of a real
// frame: XML (compact), archive, registry, INI, and the player's settings text form; the golden
// three-pane layout; damaged layouts refused while the live layout stays byte for byte the same.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "WinNT_SP/Include_VS2005/XMLDoc.h"
#include "platform/framework/CArchive.h"
#include "platform/framework/CMemFile.h"
#include "tests/toolkit/dockingpane/DockingLayoutTestData.h"
#include "tests/toolkit/dockingpane/DockingXmlDocument.h"
#include "tests/toolkit/dockingpane/DockingManagerTestHost.h"
#include "toolkit/common/CUTKPropExchangeIniFile.h"
#include "toolkit/common/CUTKPropExchangeRegistry.h"
#include "toolkit/dockingpane/CUTKDockingPaneLayout.h"
#include "toolkit/dockingpane/CUTKDockingPaneManager.h"
#include "toolkit/dockingpane/CUTKDockingPaneTabbedContainer.h"

namespace {

using orvane::test::ParseXml;
using orvane::test::RootOf;

std::wstring XmlOf(IXMLDOMNode* node)
{
    BSTR xml = nullptr;
    node->get_xml(&xml);
    std::wstring text(xml ? xml : L"", xml ? ::SysStringLen(xml) : 0);
    ::SysFreeString(xml);
    return text;
}

std::wstring Widen(const std::string& text)
{
    return std::wstring(text.begin(), text.end());
}

std::string Narrow(const std::wstring& text)
{
    std::string out;
    for (wchar_t c : text)
        out.push_back(c < 128 ? static_cast<char>(c) : '?');
    return out;
}

std::wstring XmlEscape(const std::string& text)
{
    std::wstring out;
    for (char c : text) {
        switch (c) {
        case '&': out += L"&amp;"; break;
        case '<': out += L"&lt;"; break;
        case '"': out += L"&quot;"; break;
        default: out.push_back(static_cast<unsigned char>(c));
        }
    }
    return out;
}

// The text dump as the XML exchange keeps it in compact mode: a "Layout" element under "Root"
// with each section an element and each key an attribute (texts keep the dump's escapes,
// which are the stored string escapes).
std::wstring DumpToXml(const std::string& dump)
{
    std::wstring schema;
    std::wstring body;
    bool open = false;
    size_t start = 0;
    while (start < dump.size()) {
        size_t end = dump.find('\n', start);
        if (end == std::string::npos)
            end = dump.size();
        const std::string line = dump.substr(start, end - start);
        start = end + 1;
        if (line.size() > 2 && line.front() == '[' && line.back() == ']') {
            body += open ? L"/>" : L"";
            body += L"<" + Widen(line.substr(1, line.size() - 2));
            open = true;
            continue;
        }
        const size_t equals = line.find('=');
        if (equals == std::string::npos)
            continue;
        const std::wstring attribute =
            L" " + Widen(line.substr(0, equals)) + L"=\"" + XmlEscape(line.substr(equals + 1)) + L"\"";
        if (open)
            body += attribute;
        else
            schema += attribute;
    }
    body += open ? L"/>" : L"";
    return L"<Root><Layout CompactMode=\"1\"" + schema + L">" + body + L"</Layout></Root>";
}

void WriteGolden(const std::string& name, const std::string& bytes)
{
    if (std::getenv("ORVANE_WRITE_GOLDEN") == nullptr)
        return;
    std::ofstream(dockingtest::LayoutsFolder() + name, std::ios::binary) << bytes;
}

std::string HexOf(const std::vector<BYTE>& bytes)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (size_t i = 0; i < bytes.size(); ++i) {
        out.push_back(digits[bytes[i] >> 4]);
        out.push_back(digits[bytes[i] & 15]);
        out.push_back(i % 32 == 31 ? '\n' : ' ');
    }
    if (!out.empty())
        out.back() = '\n';
    return out;
}

// Every value under a registry key, keys and values sorted, as text.
std::wstring ExportKey(HKEY parent, const std::wstring& path)
{
    HKEY key = nullptr;
    if (::RegOpenKeyExW(parent, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return L"";
    std::wstring out = L"[" + path + L"]\n";
    std::vector<std::wstring> lines;
    for (DWORD i = 0;; ++i) {
        wchar_t name[256];
        DWORD nameLength = 256;
        BYTE data[4096];
        DWORD dataLength = sizeof(data);
        DWORD type = 0;
        if (::RegEnumValueW(key, i, name, &nameLength, nullptr, &type, data, &dataLength) !=
            ERROR_SUCCESS)
            break;
        std::wstring line = std::wstring(name) + L"=" + std::to_wstring(type) + L":";
        if (type == REG_DWORD)
            line += std::to_wstring(*reinterpret_cast<DWORD*>(data));
        else if (type == REG_SZ)
            line += std::wstring(reinterpret_cast<wchar_t*>(data), dataLength / 2);
        else
            line += Widen(HexOf(std::vector<BYTE>(data, data + dataLength)));
        lines.push_back(line + L"\n");
    }
    std::sort(lines.begin(), lines.end());
    for (const std::wstring& line : lines)
        out += line;
    std::vector<std::wstring> children;
    for (DWORD i = 0;; ++i) {
        wchar_t name[256];
        DWORD nameLength = 256;
        if (::RegEnumKeyExW(key, i, name, &nameLength, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        children.push_back(name);
    }
    ::RegCloseKey(key);
    std::sort(children.begin(), children.end());
    for (const std::wstring& child : children)
        out += ExportKey(parent, path + L"\\" + child);
    return out;
}

std::string ReadFileBytes(const std::wstring& path)
{
    std::ifstream file(path.c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

class DockingLayoutPersist : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The stored options and track sizes stay as loaded: no windows are attached here.
        m_host.m_bAttach = FALSE;
        ASSERT_TRUE(m_host.CreateHost(CRect(40, 40, 840, 640), FALSE));
        m_manager = m_host.m_pManager;
        const std::string dump = dockingtest::ReadLayoutFile("three-panes.txt");
        ASSERT_FALSE(dump.empty());
        CComPtr<IXMLDOMDocument> doc = ParseXml(DumpToXml(dump));
        ASSERT_NE(doc, nullptr);
        CUTKDockingPaneLayout layout(m_manager);
        ASSERT_TRUE(layout.LoadFromXmlNode(RootOf(doc), L"Layout")) << layout.GetLoadError();
        ASSERT_TRUE(layout.IsValid());
        m_manager->SetLayout(&layout);
        m_host.RecalcLayout();
        m_host.Pump();
    }

    // The live layout as the player saves it: copied, then written under "Root".
    std::wstring SaveLiveXml()
    {
        CUTKDockingPaneLayout copy(m_manager);
        m_manager->GetLayout(&copy);
        return SaveXml(copy);
    }
    static std::wstring SaveXml(CUTKDockingPaneLayout& layout)
    {
        CComPtr<IXMLDOMDocument> doc = ParseXml(L"<Root/>");
        layout.SaveToXmlNode(RootOf(doc), L"Layout");
        return XmlOf(RootOf(doc));
    }
    static std::vector<BYTE> SaveArchive(CUTKDockingPaneLayout& layout)
    {
        CMemFile file;
        {
            CArchive ar(&file, CArchive::store);
            layout.Serialize(ar);
            ar.Close();
        }
        std::vector<BYTE> bytes(static_cast<size_t>(file.GetLength()));
        file.SeekToBegin();
        file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
        return bytes;
    }
    static void LoadArchive(CUTKDockingPaneLayout& layout, std::vector<BYTE> bytes)
    {
        CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
        CArchive ar(&file, CArchive::load);
        layout.Serialize(ar);
    }
    // A user layout loaded from XML text; the load's answer in loaded.
    std::unique_ptr<CUTKDockingPaneLayout> LoadXml(const std::wstring& xml, BOOL* loaded)
    {
        auto layout = std::make_unique<CUTKDockingPaneLayout>(m_manager);
        CComPtr<IXMLDOMDocument> doc = ParseXml(xml);
        *loaded = layout->LoadFromXmlNode(doc ? RootOf(doc) : nullptr, L"Layout");
        return layout;
    }

    dockingtest::HostFrame m_host;
    CUTKDockingPaneManager* m_manager = nullptr;
};

}  // namespace

TEST_F(DockingLayoutPersist, SavedXmlMatchesTheGoldenFileAndLoadsBackUnchanged)
{
    const std::wstring saved = SaveLiveXml();
    WriteGolden("three-panes.xml", Narrow(saved));
    EXPECT_EQ(Narrow(saved), dockingtest::ReadLayoutFile("three-panes.xml"));
    // Panes numbered first, containers after them; the summary names the top and the client.
    EXPECT_NE(saved.find(L"<Summary Panes=\"8\" TopContainer=\""), std::wstring::npos)
        << Narrow(saved);

    BOOL loaded = FALSE;
    auto layout = LoadXml(saved, &loaded);
    ASSERT_TRUE(loaded) << layout->GetLoadError();
    m_manager->SetLayout(layout.get());
    m_host.RecalcLayout();
    EXPECT_EQ(SaveLiveXml(), saved);
}

TEST_F(DockingLayoutPersist, ArchiveRoundTripIsByteForByteAndEveryCutIsRefused)
{
    CUTKDockingPaneLayout copy(m_manager);
    m_manager->GetLayout(&copy);
    const std::vector<BYTE> bytes = SaveArchive(copy);
    ASSERT_FALSE(bytes.empty());
    WriteGolden("three-panes.archive.txt", HexOf(bytes));
    EXPECT_EQ(HexOf(bytes), dockingtest::ReadLayoutFile("three-panes.archive.txt"));

    CUTKDockingPaneLayout loaded(m_manager);
    LoadArchive(loaded, bytes);
    ASSERT_TRUE(loaded.IsValid()) << loaded.GetLoadError();
    EXPECT_EQ(SaveArchive(loaded), bytes);

    const std::wstring live = SaveLiveXml();
    for (size_t cut = 0; cut < bytes.size(); ++cut) {
        CUTKDockingPaneLayout damaged(m_manager);
        LoadArchive(damaged, std::vector<BYTE>(bytes.begin(), bytes.begin() + cut));
        ASSERT_FALSE(damaged.IsValid()) << "cut at " << cut;
        EXPECT_FALSE(damaged.GetLoadError().empty());
        m_manager->SetLayout(&damaged);
    }
    EXPECT_EQ(SaveLiveXml(), live);
}

TEST_F(DockingLayoutPersist, RegistryAndIniRoundTripsAsExported)
{
    CUTKDockingPaneLayout copy(m_manager);
    m_manager->GetLayout(&copy);
    const std::wstring path = L"Software\\Orvane\\DockingLayoutTest";
    ::RegDeleteTreeW(HKEY_CURRENT_USER, path.c_str());
    {
        CUTKPropExchangeRegistry px(FALSE, HKEY_CURRENT_USER, path.c_str());
        EXPECT_TRUE(copy.DoPropExchange(&px));
    }
    const std::wstring exported = ExportKey(HKEY_CURRENT_USER, path);
    ASSERT_NE(exported.find(L"Panes=4:8"), std::wstring::npos) << Narrow(exported);
    {
        CUTKDockingPaneLayout loaded(m_manager);
        CUTKPropExchangeRegistry px(TRUE, HKEY_CURRENT_USER, path.c_str());
        ASSERT_TRUE(loaded.DoPropExchange(&px)) << loaded.GetLoadError();
        ::RegDeleteTreeW(HKEY_CURRENT_USER, path.c_str());
        CUTKPropExchangeRegistry again(FALSE, HKEY_CURRENT_USER, path.c_str());
        EXPECT_TRUE(loaded.DoPropExchange(&again));
    }
    EXPECT_EQ(ExportKey(HKEY_CURRENT_USER, path), exported);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, path.c_str());

    wchar_t folder[MAX_PATH];
    ::GetTempPathW(MAX_PATH, folder);
    const std::wstring first = std::wstring(folder) + L"orvane-docking-1.ini";
    const std::wstring second = std::wstring(folder) + L"orvane-docking-2.ini";
    ::DeleteFileW(first.c_str());
    ::DeleteFileW(second.c_str());
    {
        CUTKPropExchangeIniFile px(FALSE, nullptr, L"Layout");
        px.AssignFile(first.c_str());
        EXPECT_TRUE(copy.DoPropExchange(&px));
    }
    CUTKDockingPaneLayout loaded(m_manager);
    {
        CUTKPropExchangeIniFile px(TRUE, nullptr, L"Layout");
        px.AssignFile(first.c_str());
        ASSERT_TRUE(loaded.DoPropExchange(&px)) << loaded.GetLoadError();
    }
    {
        CUTKPropExchangeIniFile px(FALSE, nullptr, L"Layout");
        px.AssignFile(second.c_str());
        EXPECT_TRUE(loaded.DoPropExchange(&px));
    }
    const std::string iniText = ReadFileBytes(first);
    EXPECT_FALSE(iniText.empty());
    EXPECT_EQ(ReadFileBytes(second), iniText);
    ::DeleteFileW(first.c_str());
    ::DeleteFileW(second.c_str());
}

TEST_F(DockingLayoutPersist, PlayerTextFormRoundTrip)
{
    // The player keeps the layout as settings text: the saved element becomes text, the text
    // becomes elements again (values as child elements), and that loads back.
    CComPtr<IXMLDOMDocument> doc = ParseXml(L"<Root/>");
    CUTKDockingPaneLayout copy(m_manager);
    m_manager->GetLayout(&copy);
    copy.SaveToXmlNode(RootOf(doc), L"layout");
    CComPtr<IXMLDOMNode> element;
    RootOf(doc)->get_firstChild(&element);
    ASSERT_NE(element, nullptr);
    const std::wstring text = XmlNodeToText(element, true);
    EXPECT_EQ(text.find(L"CompactMode"), std::wstring::npos) << Narrow(text);

    XMLDoc settings;
    ASSERT_EQ(settings.Create(), L"");
    IXMLDOMElement* root = nullptr;
    ASSERT_EQ(settings.CreateRoot(&root, L"settings", nullptr, nullptr), L"");
    IXMLDOMElement* rebuilt = settings.AddElement(L"layout", text.c_str());
    ASSERT_NE(rebuilt, nullptr);
    // The caller places the element, as the player's settings do.
    CComPtr<IXMLDOMNode> appended;
    ASSERT_HRESULT_SUCCEEDED(root->appendChild(rebuilt, &appended));
    rebuilt->Release();
    CComPtr<IXMLDOMNode> rootNode;
    root->QueryInterface(IID_IXMLDOMNode, reinterpret_cast<void**>(&rootNode));
    root->Release();

    CUTKDockingPaneLayout loaded(m_manager);
    ASSERT_TRUE(loaded.LoadFromXmlNode(rootNode, L"layout"))
        << loaded.GetLoadError() << "\n" << Narrow(text) << "\n" << Narrow(XmlOf(rootNode));
    m_manager->SetLayout(&loaded);
    CComPtr<IXMLDOMDocument> again = ParseXml(L"<Root/>");
    CUTKDockingPaneLayout second(m_manager);
    m_manager->GetLayout(&second);
    second.SaveToXmlNode(RootOf(again), L"layout");
    CComPtr<IXMLDOMNode> againElement;
    RootOf(again)->get_firstChild(&againElement);
    EXPECT_EQ(XmlNodeToText(againElement, true), text);
}

TEST_F(DockingLayoutPersist, DamagedLayoutsAreRefusedAndTheLiveLayoutStays)
{
    const std::wstring before = SaveLiveXml();
    std::vector<dockingtest::DamagedLayout> table = dockingtest::DamagedLayouts();
    // A document cut in the middle is not even XML.
    const std::wstring whole = DumpToXml(dockingtest::ReadLayoutFile("three-panes.txt"));
    table.push_back({"truncated XML", Narrow(whole.substr(0, whole.size() / 2)), ""});
    for (size_t i = 0; i < table.size(); ++i) {
        const bool rawXml = i + 1 == table.size();
        BOOL loaded = TRUE;
        auto layout = LoadXml(rawXml ? Widen(table[i].text) : DumpToXml(table[i].text), &loaded);
        EXPECT_FALSE(loaded) << table[i].name;
        EXPECT_FALSE(layout->IsValid()) << table[i].name;
        EXPECT_EQ(layout->GetPaneObjects().GetCount(), 0) << table[i].name;
        m_manager->SetLayout(layout.get());
        m_host.RecalcLayout();
        EXPECT_EQ(SaveLiveXml(), before) << table[i].name;
    }
}

TEST_F(DockingLayoutPersist, OldSchemasLoadWithoutTheirLaterKeys)
{
    for (int schema : {9, 32}) {
        std::string dump = dockingtest::ReadLayoutFile("three-panes.txt");
        dockingtest::SetKey(dump, "", "Schema", std::to_string(schema));
        dockingtest::SetKey(dump, "Pane-1", "TabColor", "255");
        dockingtest::SetKey(dump, "Pane-6", "Maximized", "1");
        BOOL loaded = FALSE;
        auto layout = LoadXml(DumpToXml(dump), &loaded);
        ASSERT_TRUE(loaded) << layout->GetLoadError();
        CUTKDockingPaneLayout& user = *layout;
        CUTKDockingPane* pane = user.GetPaneList().GetHead().pPane;
        EXPECT_EQ(pane->m_clrItemTab, schema > 9 ? 255u : static_cast<COLORREF>(-1)) << schema;
        auto* tabbed = static_cast<CUTKDockingPaneTabbedContainer*>(pane->GetContainer());
        EXPECT_FALSE(tabbed->IsMaximized()) << schema;
    }
}

TEST_F(DockingLayoutPersist, HoldersSurviveAndCopiesKeepThem)
{
    CUTKDockingPaneLayout copy(m_manager);
    m_manager->GetLayout(&copy);
    ASSERT_EQ(copy.GetPaneList().GetCount(), 3);
    const UTK_DOCKINGPANE_INFO& closed = copy.GetPaneList().GetTail();
    ASSERT_NE(closed.pPane, nullptr);
    EXPECT_EQ(closed.pPane->GetID(), 4001);
    EXPECT_TRUE(closed.pPane->IsClosed());
    // The closed pane remembers the container of pane 4000.
    EXPECT_NE(closed.pLastHolder, nullptr);
    EXPECT_EQ(closed.pLastHolder, closed.pDockingHolder);
    POSITION pos = copy.GetPaneList().GetHeadPosition();
    copy.GetPaneList().GetNext(pos);
    const UTK_DOCKINGPANE_INFO& second = copy.GetPaneList().GetNext(pos);
    EXPECT_EQ(static_cast<CUTKDockingPaneBase*>(second.pPane->GetContainer()),
              static_cast<CUTKDockingPaneBase*>(closed.pLastHolder));
    EXPECT_EQ(copy.GetAutoHideSide(second.pPane), 1) << "4000 lies right of the client";
    EXPECT_EQ(copy.GetAutoHideSide(copy.GetPaneList().GetHead().pPane), 3)
        << "4002 lies below the client";
    EXPECT_EQ(copy.GetAutoHideSide(closed.pPane), -1);
}
