// The library's exports: their logic over the two process-wide pointers with a test engine
// object, and the built QVPVideo.dll loaded and bound by name as the player does it.
#include "video/EngineGlobals.h"
#include "video/EngineLibrary.h"
#include "video/ModuleVersionText.h"
#include "tests/video/TestInstance.h"

#include <gtest/gtest.h>

#include <string>

namespace {

int g_destroyed = 0;

// An engine object whose only working operation is its destruction.
class CountingEngine final : public IQVRVideo {
public:
    IQVRVideoReader* CreateReader() override { return nullptr; }
    void ReleaseReader(IQVRVideoReader*) override {}
    IQVRNetReceiver* CreateNetReceiver() override { return nullptr; }
    void ReleaseNetReceiver(IQVRNetReceiver*) override {}
    IQVRAudioFormat* CreateAudioFormat() override { return nullptr; }
    void ReleaseAudioFormat(IQVRAudioFormat*) override {}
    IQVRVideoFormat* CreateVideoFormat() override { return nullptr; }
    void ReleaseVideoFormat(IQVRVideoFormat*) override {}
    int SetSettingsText(int, const wchar_t*) override { return 0; }
    void SetVideoWindows(HWND, HWND) override {}
    IQVRSettDlg* CreateSettingsDlg(int, const wchar_t*, HWND, QVRSettDlgHost*) override
    {
        return nullptr;
    }
    BOOL PreTranslateMessage(HWND, MSG*) override { return FALSE; }
    void OnMainWindowMoved() override {}
    void DumpGraphs(CReleaseModeDebug*) override {}
    void SetVolume(long, BOOL) override {}
    BOOL CanFullScreen() override { return FALSE; }
    BOOL IsFullScreen() override { return FALSE; }
    const wchar_t* SetFullScreen(BOOL) override { return nullptr; }
    void Destroy() override
    {
        ++g_destroyed;
        delete this;
    }

private:
    ~CountingEngine() = default;
};

IQVRVideo* MakeCountingEngine()
{
    return new CountingEngine();
}

std::wstring LibraryPath()
{
    wchar_t exe[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring path = exe;
    path.resize(path.find_last_of(L'\\') + 1);
    // Tests run from build/tests/bin; the library is built into build/bin.
    return path + L"..\\..\\bin\\QVPVideo.dll";
}

TEST(EngineLibrary, CreateReleaseKeepsThePointersRight)
{
    SetEngineObject(nullptr);
    g_destroyed = 0;
    EngineLibrary::ReleaseVideoInterface();  // nothing created yet: nothing happens
    EXPECT_EQ(g_destroyed, 0);

    TestInstance callback;
    IQVRVideo* first = EngineLibrary::CreateVideoInterface(&callback, &MakeCountingEngine);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(GetEngineObject(), first);
    EXPECT_EQ(GetEngineCallback(), &callback);

    // A second creation without a release does not lose the first object.
    IQVRVideo* second = EngineLibrary::CreateVideoInterface(&callback, &MakeCountingEngine);
    EXPECT_EQ(g_destroyed, 1);
    EXPECT_EQ(GetEngineObject(), second);
    EXPECT_TRUE(callback.Logged(L"V.Info.(EngineLibrary, ")) << callback.All();

    EngineLibrary::ReleaseVideoInterface();
    EXPECT_EQ(g_destroyed, 2);
    EXPECT_EQ(GetEngineObject(), nullptr);
    EXPECT_EQ(GetEngineCallback(), &callback);  // the callback stays
    EngineLibrary::ReleaseVideoInterface();
    EXPECT_EQ(g_destroyed, 2);

    // A failed creation still stores the callback.
    TestInstance other;
    EXPECT_EQ(EngineLibrary::CreateVideoInterface(&other, nullptr), nullptr);
    EXPECT_EQ(GetEngineCallback(), &other);
    SetEngineCallback(nullptr);
}

TEST(EngineLibrary, BuiltLibraryExportsBoundByName)
{
    const std::wstring path = LibraryPath();
    HMODULE library = LoadLibraryW(path.c_str());
    ASSERT_NE(library, nullptr) << "error " << GetLastError();
    auto create = reinterpret_cast<QVR_CREATE_VIDEO_INTERFACE>(
        reinterpret_cast<void*>(GetProcAddress(library, "CreateVideoInterface")));
    auto release = reinterpret_cast<QVR_RELEASE_VIDEO_INTERFACE>(
        reinterpret_cast<void*>(GetProcAddress(library, "ReleaseVideoInterface")));
    ASSERT_NE(create, nullptr);
    ASSERT_NE(release, nullptr);

    release();  // before any creation
    TestInstance callback;
    IQVRVideo* engine = create(&callback);
    ASSERT_NE(engine, nullptr) << callback.All();
    // The engine object works across the boundary: it hands out and takes back a format record.
    IQVRAudioFormat* format = engine->CreateAudioFormat();
    EXPECT_NE(format, nullptr);
    engine->ReleaseAudioFormat(format);
    release();
    release();  // a second release has nothing left to destroy
    IQVRVideo* again = create(&callback);
    EXPECT_NE(again, nullptr);
    release();
    EXPECT_TRUE(FreeLibrary(library));
}

TEST(EngineLibrary, VersionResource)
{
    const std::vector<std::wstring> lines = ModuleVersionLines(LibraryPath(), L"");
    std::wstring all;
    for (const std::wstring& line : lines) {
        all += line + L"\n";
    }
    EXPECT_NE(all.find(L"Product=[Orvane Presentation Player] v=[1.0]"), std::wstring::npos)
        << all;
    EXPECT_NE(all.find(L"File   =[Orvane Presentation Player Video dll] v=[1.0]"),
              std::wstring::npos)
        << all;
}

}  // namespace
