// A fake of the program's windows for the core tests: a main frame and view that record the
// handlers called, installed for a scope.
#pragma once

#include "player/core/PlayerShell.h"

#include <map>
#include <string>
#include <vector>

namespace playertest {

// A shell that records the handlers called.
class FakeShell final : public IPlayerShell, public IPlayerView {
public:
    HWND window = nullptr;
    double duration = 0;
    int selectedBookmarks = 0;
    BOOL quickSpeedSwitch = FALSE;
    std::map<unsigned, std::wstring> shortcuts;  // the shell's keyboard shortcut texts
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
    std::wstring GetShortcutText(unsigned id) override
    {
        const auto found = shortcuts.find(id);
        return found == shortcuts.end() ? std::wstring() : found->second;
    }
    void OnSpeedEdit() override { calls.push_back(L"SpeedEdit"); }
    void ApplySpeed() override { calls.push_back(L"ApplySpeed"); }
    void ClampSpeed() override { calls.push_back(L"ClampSpeed"); }
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
