// The process that binds "wmvcore.dll" by name gets the stand-in, with the runtime's eight
// entry points under their undecorated names; writing and indexing fail cleanly.
#include <windows.h>
#include <wmsdk.h>
#include <nserror.h>

#include <gtest/gtest.h>

#include "platform/wmvcore/WmvStandIn.h"
#include "tests/platform/wmvcore/WmvTestSupport.h"

namespace orvane::test {
namespace {

TEST(WmvcoreModule, LoadedByNameIsTheStandIn)
{
    const WmRuntime& rt = Runtime();
    ASSERT_NE(rt.module, nullptr);
    using Magic = DWORD(WINAPI*)();
    auto magic = Proc<Magic>(rt.module, wmv::kStandInExport);
    ASSERT_NE(magic, nullptr) << "the system's wmvcore.dll was loaded, not the stand-in";
    EXPECT_EQ(magic(), wmv::kStandInMagic);
}

TEST(WmvcoreModule, ExportsTheRuntimeTableUndecorated)
{
    const char* const names[] = {"WMCreateReader", "WMCreateSyncReader", "WMCreateProfileManager",
                                 "WMCreateIndexer", "WMCreateEditor", "WMCreateWriterNetworkSink",
                                 "WMCreateWriterPushSink", "WMCreateWriter"};
    for (const char* name : names) {
        EXPECT_NE(GetProcAddress(Runtime().module, name), nullptr) << name;
    }
}

TEST(WmvcoreModule, VersionResourceNamesTheStandIn)
{
    wchar_t path[MAX_PATH];
    ASSERT_GT(GetModuleFileNameW(Runtime().module, path, MAX_PATH), 0u);
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(path, &handle);
    ASSERT_GT(size, 0u);
    std::vector<BYTE> block(size);
    ASSERT_TRUE(GetFileVersionInfoW(path, 0, size, block.data()));
    wchar_t* text = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\StringFileInfo\\040904b0\\FileVersion",
                               reinterpret_cast<void**>(&text), &length));
    EXPECT_NE(std::wstring(text).find(L"Orvane"), std::wstring::npos);
}

TEST(WmvcoreModule, WritingAndIndexingAreRefused)
{
    using CreateOne = HRESULT(WINAPI*)(void**);
    for (const char* name : {"WMCreateIndexer", "WMCreateWriterNetworkSink",
                             "WMCreateWriterPushSink"}) {
        auto create = Proc<CreateOne>(Runtime().module, name);
        ASSERT_NE(create, nullptr);
        void* object = reinterpret_cast<void*>(1);
        EXPECT_EQ(create(&object), NS_E_NOT_CONFIGURED) << name;
        EXPECT_EQ(object, nullptr);
    }
    using CreateWriter = HRESULT(WINAPI*)(IUnknown*, void**);
    auto writer = Proc<CreateWriter>(Runtime().module, "WMCreateWriter");
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(writer(nullptr, &object), NS_E_NOT_CONFIGURED);
    EXPECT_EQ(object, nullptr);
}

TEST(WmvcoreModule, ProfileManagerReportsAnEmptyCodecInventory)
{
    IWMProfileManager* manager = nullptr;
    ASSERT_EQ(Runtime().createProfileManager(&manager), S_OK);
    IWMCodecInfo3* info = nullptr;
    ASSERT_EQ(manager->QueryInterface(IID_IWMCodecInfo3, reinterpret_cast<void**>(&info)), S_OK);
    manager->Release();
    for (const GUID& type : {WMMEDIATYPE_Video, WMMEDIATYPE_Audio}) {
        DWORD count = 99;
        EXPECT_EQ(info->GetCodecInfoCount(type, &count), S_OK);
        EXPECT_EQ(count, 0u);
        DWORD formats = 99;
        EXPECT_EQ(info->GetCodecFormatCount(type, 0, &formats), E_INVALIDARG);
    }
    EXPECT_EQ(info->Release(), 0u);
}

}  // namespace
}  // namespace orvane::test
