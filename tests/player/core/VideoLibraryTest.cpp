// Binding of the engine library against test doubles: a missing library, a library without
// one export, a null engine object, a good library; unload safety; the settings hand-over.
#include "tests/support/CallbackDouble.h"
#include "tests/player/PlayerTestEnv.h"
#include "WinNT_SP/Include_VS2005/Sett.h"
#include "player/core/VideoLibrary.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::wstring Fake(const wchar_t* name)
{
    return playertest::TestDir() + L"\\playerfakes\\" + name;
}

class VideoLibraryTest : public testing::Test {
protected:
    void SetUp() override { SetVideoCallback(&callback); }
    void TearDown() override
    {
        UnloadVideoLibrary();
        SetVideoCallback(nullptr);
        SetEnvironmentVariableW(L"ORVANE_FAKE_ENGINE", nullptr);
    }
    orvane::test::CallbackDouble callback;  // records the engine's trace lines
};

TEST_F(VideoLibraryTest, MissingLibraryGivesString178)
{
    const std::wstring path = Fake(L"NoSuchEngine.dll");
    const std::wstring error = LoadVideoLibraryFrom(path);
    const std::wstring start =
        L"Failed to load Dynamic Link Library \"" + path + L"\".\nSystem error 126 (";
    EXPECT_EQ(error.rfind(start, 0), 0u)
        << std::string(error.begin(), error.end());
    EXPECT_FALSE(IsVideoLibraryLoaded());
    EXPECT_EQ(VideoEngine(), nullptr);
}

TEST_F(VideoLibraryTest, MissingExportGivesString179AndUnloads)
{
    const std::wstring path = Fake(L"FakeEngineOneExport.dll");
    EXPECT_EQ(LoadVideoLibraryFrom(path),
              L"The video dll \"" + path + L"\" is invalid or corrupted.");
    EXPECT_FALSE(IsVideoLibraryLoaded());
    EXPECT_EQ(GetModuleHandleW(path.c_str()), nullptr);
}

TEST_F(VideoLibraryTest, NullEngineObjectGivesString179AndUnloads)
{
    SetEnvironmentVariableW(L"ORVANE_FAKE_ENGINE", L"null");
    const std::wstring path = Fake(L"FakeEngine.dll");
    EXPECT_EQ(LoadVideoLibraryFrom(path),
              L"The video dll \"" + path + L"\" is invalid or corrupted.");
    EXPECT_FALSE(IsVideoLibraryLoaded());
    EXPECT_EQ(GetModuleHandleW(path.c_str()), nullptr);
}

TEST_F(VideoLibraryTest, RealEngineWithoutEngineObjectIsRefused)
{
    const std::wstring path = playertest::BinDir() + L"\\QVPVideo.dll";
    if (!playertest::FileExistsAt(path)) {
        GTEST_SKIP() << "engine library not built";
    }
    const std::wstring error = LoadVideoLibraryFrom(path);
    if (error.empty()) {
        // The engine object exists in this build: the binding is complete.
        EXPECT_NE(VideoEngine(), nullptr);
    } else {
        EXPECT_EQ(error, L"The video dll \"" + path + L"\" is invalid or corrupted.");
        EXPECT_FALSE(IsVideoLibraryLoaded());
    }
}

TEST_F(VideoLibraryTest, GoodLibraryBindsAndUnloadsOnce)
{
    const std::wstring path = Fake(L"FakeEngine.dll");
    EXPECT_EQ(LoadVideoLibraryFrom(path), L"");
    ASSERT_NE(VideoEngine(), nullptr);
    EXPECT_TRUE(IsVideoLibraryLoaded());
    EXPECT_EQ(CanVideoFullScreen(), TRUE);
    EXPECT_EQ(IsVideoFullScreen(), FALSE);
    EXPECT_EQ(SetVideoFullScreen(FALSE), L"") << "a null engine text becomes the empty text";
    EXPECT_EQ(SetVideoFullScreen(TRUE), L"No full screen here.");
    UnloadVideoLibrary();
    EXPECT_EQ(VideoEngine(), nullptr);
    EXPECT_EQ(GetModuleHandleW(path.c_str()), nullptr);
    ASSERT_FALSE(callback.lines.empty());
    EXPECT_EQ(callback.lines.back(), L"FakeEngine: released");
    const size_t count = callback.lines.size();
    UnloadVideoLibrary();
    EXPECT_EQ(callback.lines.size(), count) << "a second unload does nothing";
}

TEST_F(VideoLibraryTest, AbsentPlayVidGivesTheEmptyText)
{
    ASSERT_EQ(LoadVideoLibraryFrom(Fake(L"FakeEngine.dll")), L"");
    AppSettings().Item(SETT_PlayVid).Reset();
    InitTextValue(AppSettings().Item(SETT_PlayVid), L"PlayVid");
    SetVideoLibrarySettings();
    EXPECT_EQ(callback.lines.back(), L"FakeEngine: SetSettingsText 0 []");
    AppSettings().Item(SETT_PlayVid).SetStringValue(L"{Renderer=2}");
    SetVideoLibrarySettings();
    EXPECT_EQ(callback.lines.back(), L"FakeEngine: SetSettingsText 0 [{Renderer=2}]");
    AppSettings().Item(SETT_PlayVid).Reset();
    InitTextValue(AppSettings().Item(SETT_PlayVid), L"PlayVid");
}

TEST(VideoLibrary, UnloadWithNothingLoadedDoesNothing)
{
    UnloadVideoLibrary();
    UnloadVideoLibrary();
    EXPECT_FALSE(IsVideoLibraryLoaded());
}

}  // namespace
