// A stand-in for the player's callback object: keeps every log line the engine writes and
// answers the other operations with neutral values.
#pragma once

#include "QVRInterfaces.h"

#include <string>
#include <vector>

class TestInstance : public QVRInstance {
public:
    void Log(int level, const wchar_t* format, ...) override;
    int MessageBox(HWND, const wchar_t*, UINT, UINT, UINT) override { return IDOK; }
    void GetCommandStates(void* out) override;
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
    BOOL OnPlayEnd(double) override { return TRUE; }
    const wchar_t* GetVideoSettings() override { return nullptr; }
    void SetVideoSettings(const wchar_t*) override {}
    int GetListCount(int) override { return 0; }
    const wchar_t* GetListItemName(int, int) override { return L""; }
    const wchar_t* GetListItemValue(int, int) override { return L""; }
    void SetListItem(int, const wchar_t*, const wchar_t*) override {}
    void Destroy() override {}

    std::vector<std::wstring> lines;
    // True when a line contains the text.
    bool Logged(const std::wstring& text) const;
    std::wstring All() const;
};

// Installs a test callback object as the engine's callback for the scope of a test.
class ScopedCallback {
public:
    ScopedCallback();
    ~ScopedCallback();
    ScopedCallback(const ScopedCallback&) = delete;
    ScopedCallback& operator=(const ScopedCallback&) = delete;
    TestInstance instance;

private:
    QVRInstance* m_previous;
};
