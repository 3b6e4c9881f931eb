// Bar lists through every storage (archive, registry, INI file, XML document): a manager's
// toolbar with nested popups and a context menu are saved, loaded into a fresh manager and
// merged there; the controls compare equal, popups find their bars again, and a second save
// from the fresh manager gives identical bytes. Also: which bars a save gathers, and control
// exchange without a parameter record.
#include "toolkit/commandbars/CUTKCommandBarsState.h"

#include <windows.h>
#include <msxml2.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/framework/CArchive.h"
#include "platform/framework/CMemFile.h"
#include "platform/framework/CComPtr.h"
#include "toolkit/commandbars/CUTKCommandBarList.h"
#include "toolkit/commandbars/CUTKPopupBar.h"
#include "toolkit/common/CUTKPropExchangeArchive.h"
#include "toolkit/common/CUTKPropExchangeIniFile.h"
#include "toolkit/common/CUTKPropExchangeRegistry.h"
#include "toolkit/common/CUTKPropExchangeXMLNode.h"
#include "toolkit/controls/CUTKControlPopup.h"
#include "tests/toolkit/commandbars/BarStateTestHost.h"

using namespace orvane::test;

namespace {

struct Release {
    void operator()(CUTKPropExchange* px) const { px->InternalRelease(); }
};
using Held = std::unique_ptr<CUTKPropExchange, Release>;

const CLSID kDomDocument = {
    0x2933BF90, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};

CUTKControlPopup* AddPopup(CUTKCommandBar* bar, int id, CUTKCommandBars* bars, UINT popupId,
                           std::vector<const wchar_t*> captions)
{
    auto* control = static_cast<CUTKControlPopup*>(bar->GetControls()->Add(utkControlPopup, id));
    control->SetCaption(L"&More");
    CUTKPopupBar* popup = CUTKPopupBar::CreatePopupBar(bars);
    popup->SetBarID(popupId);
    int next = id * 10;
    for (const wchar_t* caption : captions)
        popup->GetControls()->Add(utkControlButton, ++next)->SetCaption(caption);
    control->SetCommandBar(popup);
    popup->InternalRelease();
    return control;
}

// A manager without a window: a user's toolbar (two buttons, a popup holding a button and a
// popup of its own without an id) and a context menu.
CUTKCommandBars* MakeManager(BOOL withBars)
{
    auto* bars = new CUTKCommandBars;
    if (!withBars)
        return bars;
    CUTKToolBar* bar = static_cast<CUTKToolBar*>(RUNTIME_CLASS(CUTKToolBar)->CreateObject());
    bar->SetCommandBars(bars);
    bar->SetBarID(300);
    bar->SetTitle(L"Mine");
    bar->SetBuiltIn(FALSE);
    bar->GetControls()->Add(utkControlButton, 3001)->SetCaption(L"&Open");
    bar->GetControls()->Add(utkControlButton, 3002)->SetCaption(L"&Save");
    CUTKControlPopup* more = AddPopup(bar, 3003, bars, 700, {L"First"});
    AddPopup(more->GetCommandBar(), 3004, bars, 0, {L"Deep one", L"Deep two"});
    bars->Add(static_cast<CUTKCommandBar*>(bar));
    bar->InternalRelease();

    CUTKPopupBar* menu = CUTKPopupBar::CreatePopupBar(bars);
    menu->SetBarID(800);
    menu->GetControls()->Add(utkControlButton, 8001)->SetCaption(L"Cut");
    menu->GetControls()->Add(utkControlButton, 8002)->SetCaption(L"Paste");
    menu->GetControls()->CreateOriginalControls();  // as the program's own menus have
    bars->GetContextMenus()->Add(menu);
    return bars;
}

// A storage of each kind; Bytes() tells what it holds.
struct Storage {
    const char* name;
    std::function<CUTKPropExchange*(BOOL loading)> open;
    std::function<void()> close;  // after a save or load: the archive is flushed
    std::function<std::string()> bytes;
};

std::string RegistryDump(HKEY key, const std::wstring& indent = L"")
{
    std::wstring out;
    for (DWORD i = 0;; ++i) {
        wchar_t name[256];
        DWORD nameLength = 256, type = 0, size = 0;
        if (::RegEnumValueW(key, i, name, &nameLength, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
            break;
        std::vector<BYTE> data(size + 2, 0);
        nameLength = 256;
        ::RegEnumValueW(key, i, name, &nameLength, nullptr, &type, data.data(), &size);
        out += indent + name + L":" + std::to_wstring(type) + L"=";
        for (DWORD b = 0; b < size; ++b)
            out += std::to_wstring(data[b]) + L",";
        out += L"\n";
    }
    for (DWORD i = 0;; ++i) {
        wchar_t name[256];
        DWORD nameLength = 256;
        if (::RegEnumKeyExW(key, i, name, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        HKEY sub = nullptr;
        ::RegOpenKeyExW(key, name, 0, KEY_READ, &sub);
        out += indent + L"[" + name + L"]\n";
        const std::string inner = RegistryDump(sub, indent + L" ");
        out += std::wstring(inner.begin(), inner.end());
        ::RegCloseKey(sub);
    }
    return std::string(out.begin(), out.end());
}

// Saves the manager's whole list into the storage and answers what it holds.
std::string Save(CUTKCommandBars* bars, Storage& storage)
{
    UTK_COMMANDBARS_PROPEXCHANGE_PARAM param;
    param.bSaveOnlyCustomized = FALSE;
    param.pCommandBars = bars;
    CUTKCommandBarList list(bars);
    bars->GenerateCommandBarList(&list, &param);
    EXPECT_EQ(list.GetCount(), 4);  // toolbar, two popups, context menu
    {
        Held px(storage.open(FALSE));
        px->m_dwData = reinterpret_cast<DWORD_PTR>(&param);
        EXPECT_TRUE(bars->SaveCommandBarList(px.get(), &list)) << storage.name;
    }
    storage.close();
    return storage.bytes();
}

BOOL Load(CUTKCommandBars* bars, Storage& storage)
{
    UTK_COMMANDBARS_PROPEXCHANGE_PARAM param;
    param.bSaveOnlyCustomized = TRUE;
    param.bLoadSilent = TRUE;
    param.pCommandBars = bars;
    CUTKCommandBarList list(bars);
    BOOL loaded;
    {
        Held px(storage.open(TRUE));
        px->m_dwData = reinterpret_cast<DWORD_PTR>(&param);
        loaded = bars->LoadCommandBarList(px.get(), &list);
    }
    storage.close();
    if (!loaded)
        return FALSE;
    CString problem;
    EXPECT_TRUE(CheckCommandBarList(bars, &list, &problem)) << problem.GetString();
    bars->RestoreCommandBarList(&list, TRUE);
    return TRUE;
}

}  // namespace

TEST(BarListExchange, EveryStorageRoundTripsAndSavesTheSameBytesAgain)
{
    // Archive: a memory file kept between save and load.
    std::unique_ptr<CMemFile> file;
    std::unique_ptr<CArchive> archive;
    std::vector<BYTE> archived;
    Storage archiveStorage{
        "archive",
        [&](BOOL loading) -> CUTKPropExchange* {
            if (loading) {
                file = std::make_unique<CMemFile>(archived.data(), static_cast<UINT>(archived.size()));
                archive = std::make_unique<CArchive>(file.get(), CArchive::load);
            } else {
                file = std::make_unique<CMemFile>();
                archive = std::make_unique<CArchive>(file.get(), CArchive::store);
            }
            return new CUTKPropExchangeArchive(*archive);
        },
        [&]() {
            if (archive->IsStoring()) {
                archive->Close();
                const UINT length = static_cast<UINT>(file->GetLength());
                BYTE* data = file->Detach();
                archived.assign(data, data + length);
                std::free(data);
            } else {
                archive->Abort();
            }
            archive.reset();
            file.reset();
        },
        [&]() { return std::string(archived.begin(), archived.end()); }};

    const std::wstring keyPath = L"Software\\OrvaneTests\\barlist-" + std::to_wstring(::GetCurrentProcessId());
    HKEY key = nullptr;
    ::RegCreateKeyExW(HKEY_CURRENT_USER, keyPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    Storage registryStorage{
        "registry",
        [&](BOOL loading) -> CUTKPropExchange* {
            if (!loading)
                ::RegDeleteTreeW(key, L"Bars");
            return new CUTKPropExchangeRegistry(loading, key, L"Bars");
        },
        [] {},
        [&]() {
            HKEY bars = nullptr;
            ::RegOpenKeyExW(key, L"Bars", 0, KEY_READ, &bars);
            std::string dump = bars != nullptr ? RegistryDump(bars) : std::string();
            if (bars != nullptr)
                ::RegCloseKey(bars);
            return dump;
        }};

    const std::wstring ini = TempPath(L"barlist.ini");
    Storage iniStorage{
        "INI file",
        [&](BOOL loading) -> CUTKPropExchange* {
            if (!loading)
                ::DeleteFileW(ini.c_str());
            auto* px = new CUTKPropExchangeIniFile(loading, nullptr, L"Bars");
            px->AssignFile(ini.c_str());
            return px;
        },
        [] {},
        [&]() { return ReadBytes(ini); }};

    CComPtr<IXMLDOMDocument> doc;
    Storage xmlStorage{
        "XML",
        [&](BOOL loading) -> CUTKPropExchange* {
            if (!loading) {
                doc.Release();
                ::CoCreateInstance(kDomDocument, nullptr, CLSCTX_INPROC_SERVER, IID_IXMLDOMDocument,
                                   reinterpret_cast<void**>(&doc));
            }
            CComPtr<IXMLDOMNode> node;
            doc->QueryInterface(IID_IXMLDOMNode, reinterpret_cast<void**>(&node));
            return new CUTKPropExchangeXMLNode(loading, node, L"Bars");
        },
        [] {},
        [&]() {
            BSTR xml = nullptr;
            doc->get_xml(&xml);
            std::wstring text = xml != nullptr ? xml : L"";
            ::SysFreeString(xml);
            return std::string(text.begin(), text.end());
        }};

    for (Storage* storage : {&archiveStorage, &registryStorage, &iniStorage, &xmlStorage}) {
        CUTKCommandBars* source = MakeManager(TRUE);
        const std::string first = Save(source, *storage);
        EXPECT_FALSE(first.empty()) << storage->name;

        CUTKCommandBars* fresh = MakeManager(FALSE);
        ASSERT_TRUE(Load(fresh, *storage)) << storage->name;
        CUTKToolBar* mine = fresh->FindCommandBar(300);
        ASSERT_NE(mine, nullptr) << storage->name;
        EXPECT_TRUE(mine->GetControls()->Compare(source->FindCommandBar(300)->GetControls()))
            << storage->name;
        EXPECT_EQ(Captions(mine), L"&Open|&Save|&More") << storage->name;
        auto* more = DYNAMIC_DOWNCAST(CUTKControlPopup, mine->GetControls()->GetAt(2));
        ASSERT_NE(more, nullptr);
        ASSERT_NE(more->GetCommandBar(), nullptr) << storage->name;
        EXPECT_EQ(more->GetCommandBar()->GetBarID(), 700u);
        auto* deep = DYNAMIC_DOWNCAST(CUTKControlPopup, more->GetCommandBar()->GetControls()->GetAt(1));
        ASSERT_NE(deep, nullptr);
        ASSERT_NE(deep->GetCommandBar(), nullptr) << storage->name;
        EXPECT_EQ(Captions(deep->GetCommandBar()), L"Deep one|Deep two") << storage->name;
        CUTKCommandBar* menu = fresh->GetContextMenus()->FindBar(800);
        ASSERT_NE(menu, nullptr) << storage->name;
        EXPECT_EQ(Captions(menu), L"Cut|Paste");
        EXPECT_NE(menu->GetControls()->GetOriginalControls(), nullptr);

        const std::string second = Save(fresh, *storage);
        EXPECT_EQ(second, first) << storage->name;
        fresh->InternalRelease();
        source->InternalRelease();
    }
    ::RegCloseKey(key);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, keyPath.c_str());
    ::RegDeleteKeyW(HKEY_CURRENT_USER, keyPath.c_str());
    ::DeleteFileW(ini.c_str());
}

TEST(BarListExchange, OnlyCustomisedBarsAreGatheredAndIdsHandedOut)
{
    StateHost host(TRUE);
    CUTKToolBar* standard = host.AddLooseBar(100, L"Standard");
    CUTKToolBar* format = host.AddLooseBar(101, L"Format");
    CUTKToolBar* hidden = host.AddLooseBar(102, L"Scratch");
    hidden->SetNotSaved(TRUE);
    hidden->GetControls()->Remove(hidden->GetControls()->GetAt(0));
    format->GetControls()->Remove(format->GetControls()->GetAt(0));  // customised

    UTK_COMMANDBARS_PROPEXCHANGE_PARAM param;
    param.bSaveOnlyCustomized = TRUE;
    param.pCommandBars = host.m_bars;
    CUTKCommandBarList list(host.m_bars);
    host.m_bars->GenerateCommandBarList(&list, &param);
    EXPECT_FALSE(list.Contains(standard));
    EXPECT_TRUE(list.Contains(format));
    EXPECT_FALSE(list.Contains(hidden));
    EXPECT_EQ(list.GetCount(), 1);

    // A popup without an id gets one from 0x1000000 on; a second walk adds nothing twice.
    CUTKControlPopup* popup = AddPopup(format, 1019, host.m_bars, 0, {L"x"});
    list.RemoveAll();
    host.m_bars->GenerateCommandBarList(&list, &param);
    EXPECT_EQ(list.GetCount(), 2);
    EXPECT_EQ(popup->GetCommandBar()->GetBarID(), 0x1000000u);
    DWORD nextId = 0x1000001;
    format->GenerateCommandBarList(nextId, &list, &param);
    EXPECT_EQ(list.GetCount(), 2);
}

TEST(BarListExchange, ControlsLoadWithoutAParameterRecord)
{
    // Saved with a record, loaded without one: nothing needs the manager the record would name.
    CUTKCommandBars* source = MakeManager(TRUE);
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        CUTKPropExchangeArchive px(ar);
        source->FindCommandBar(300)->DoPropExchange(&px);
        ar.Close();
    }
    const UINT length = static_cast<UINT>(file.GetLength());
    BYTE* data = file.Detach();
    CMemFile in(data, length);
    CArchive ar(&in, CArchive::load);
    CUTKPropExchangeArchive px(ar);
    CUTKToolBar* bar = static_cast<CUTKToolBar*>(RUNTIME_CLASS(CUTKToolBar)->CreateObject());
    bar->DoPropExchange(&px);
    EXPECT_EQ(Captions(bar), L"&Open|&Save|&More");
    bar->InternalRelease();
    ar.Abort();
    std::free(data);
    source->InternalRelease();
}
