// Helpers of the player tests: runs of the program in a folder of its own (with an engine test
// double, the real engine or none beside it), its trace file, and fakes of the shell.
#pragma once

#include "PlayerShell.h"

#include <windows.h>

#include <string>
#include <vector>

namespace playertest {

enum class Engine { None, Fake, FakeOneExport, Real };

// A folder under the test folder with a copy of the program, the chosen engine as
// QVPVideo.dll and an empty settings folder.
struct PlayerRun {
    std::wstring dir;
    std::wstring settings;
    std::wstring exe;
};

PlayerRun PrepareRun(const wchar_t* name, Engine engine);
// Starts the program; env holds "NAME=value" entries added to the test's environment (message
// boxes always answer OK without a window).
HANDLE StartPlayer(const PlayerRun& run, const std::wstring& args,
                   const std::vector<std::wstring>& env = {});
// Waits for the process; its exit code, or -1 when it did not end in time (it is then ended).
int WaitPlayer(HANDLE process, DWORD ms);
// The main window of the program of that process, waiting up to ms for it to be visible.
HWND WaitMainWindow(DWORD processId, DWORD ms);
// Text of the run's newest trace file (empty when there is none).
std::wstring ReadTrace(const PlayerRun& run);
// Waits until the trace holds the text.
bool WaitTrace(const PlayerRun& run, const wchar_t* text, DWORD ms);
// Positions of the texts in the trace, in order; fails the test when one is missing or out of
// order.
void ExpectInOrder(const std::wstring& trace, const std::vector<std::wstring>& texts);
bool FileExistsAt(const std::wstring& path);
std::wstring TestDir();
std::wstring BinDir();

// A shell that records the handlers called.
class FakeShell final : public IPlayerShell, public IPlayerView {
public:
    HWND window = nullptr;
    double duration = 0;
    int selectedBookmarks = 0;
    BOOL quickSpeedSwitch = FALSE;
    std::vector<std::wstring> calls;

    HWND GetWindow() override { return window; }
    double GetDuration() override { return duration; }
    void UpdatePosition() override { calls.push_back(L"UpdatePosition"); }
    BOOL IsPaneVisible(UINT) override { return FALSE; }
    void SetPaneSize(UINT, int, int) override {}
    HACCEL GetAccelTable() override { return nullptr; }
    int GetSelectedBookmarkCount() override { return selectedBookmarks; }
    BOOL GetQuickSpeedSwitch() override { return quickSpeedSwitch; }
    void OnStop() override { calls.push_back(L"Stop"); }
    void OnPlay() override { calls.push_back(L"Play"); }
    void OnSpeedLess() override { calls.push_back(L"SpeedLess"); }
    void OnSpeedMore() override { calls.push_back(L"SpeedMore"); }
    void OnPause() override { calls.push_back(L"Pause"); }
    void OnGoLeft() override { calls.push_back(L"GoLeft"); }
    void OnGoRight() override { calls.push_back(L"GoRight"); }
    void OnGoToStart() override { calls.push_back(L"GoToStart"); }
    void OnGoToEnd() override { calls.push_back(L"GoToEnd"); }
    void OnGoLeftFrame() override { calls.push_back(L"GoLeftFrame"); }
    void OnGoRightFrame() override { calls.push_back(L"GoRightFrame"); }
    void ResetSpeed() override { calls.push_back(L"ResetSpeed"); }
    void RefreshBookmarks() override { calls.push_back(L"RefreshBookmarks"); }
    void OnPositionSliderScroll(UINT, HWND) override { calls.push_back(L"Slider"); }
    void OnAudioLevelData(int, const WAVEFORMATEX*, const BYTE*, long) override
    {
        calls.push_back(L"AudioLevel");
    }
    void TrackSpeedMenu(HWND, HWND) override { calls.push_back(L"SpeedMenu"); }
    void ApplyVideoViewMode() override { calls.push_back(L"ApplyVideoViewMode"); }
    void OnVideoOnlyCamera() override { calls.push_back(L"OnlyCamera"); }
    void OnVideoOnlyScreen() override { calls.push_back(L"OnlyScreen"); }
    void OnVideoCameraUp() override { calls.push_back(L"CameraUp"); }
    void OnVideoCameraLeft() override { calls.push_back(L"CameraLeft"); }
};

// Installs the fake as main frame and view for the scope.
class ShellScope {
public:
    explicit ShellScope(FakeShell& shell)
    {
        SetMainFrame(&shell);
        SetMainView(&shell);
    }
    ~ShellScope()
    {
        SetMainFrame(nullptr);
        SetMainView(nullptr);
    }
    ShellScope(const ShellScope&) = delete;
    ShellScope& operator=(const ShellScope&) = delete;
};

}  // namespace playertest
