// Binding of the engine library against test doubles: a missing library, a library without
// one export, a null engine object, a good library; unload safety; the settings hand-over.
#include "PlayerTestEnv.h"
#include "Sett.h"
#include "VideoLibrary.h"

#include <gtest/gtest.h>

#include <cstdarg>
#include <string>
#include <vector>

namespace {

// Records the engine's trace lines.
class RecordingCallback final : public QVRInstance {
public:
    std::vector<std::wstring> lines;
    void Log(int, const wchar_t* format, ...) override
    {
        wchar_t buffer[1024];
        va_list args;
        va_start(args, format);
        _vsnwprintf(buffer, 1023, format, args);
        va_end(args);
        buffer[1023] = 0;
        lines.emplace_back(buffer);
    }
    int MessageBox(HWND, const wchar_t*, UINT, UINT, UINT) override { return IDOK; }
    void GetCommandStates(void*) override {}
    BOOL RunCommand(UINT, INT_PTR, int) override { return FALSE; }
    HICON GetIcon(UINT) override { return nullptr; }
    void OnSliderScroll(UINT, UINT, HWND) override {}
    const wchar_t* GetStatusText() override { return L""; }
    int TrackSpeedMenu(HWND, HWND) override { return 0; }
    double GetPosition() override { return 0; }
    double GetDuration() override { return 0; }
    BOOL MinimizeRestore(BOOL) override { return FALSE; }
    LRESULT ShowHelp(int) override { return 0; }
    void OnAsyncError(HRESULT, const wchar_t*) override {}
    void OnAudioData(int, const WAVEFORMATEX*, const BYTE*, long) override {}
    void OnPosition(double) override {}
    BOOL OnPlayEnd(double) override { return FALSE; }
    const wchar_t* GetVideoSettings() override { return nullptr; }
    void SetVideoSettings(const wchar_t*) override {}
    int GetListCount(int) override { return 0; }
    const wchar_t* GetListItemName(int, int) override { return L""; }
    const wchar_t* GetListItemValue(int, int) override { return L""; }
    void SetListItem(int, const wchar_t*, const wchar_t*) override {}
    void Destroy() override {}
};

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
    RecordingCallback callback;
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
