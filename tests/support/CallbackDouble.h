// A stand-in for the player's callback object, for tests that drive the engine or bind an engine
// library: keeps every log line, the positions and ends of play the engine reports and the
// asynchronous errors (the engine calls from its own threads too), and answers everything else
// with neutral values.
#pragma once

#include "Common/QVRInterfaces.h"

// The support folder is not an include root of its own: reach the owner types from here.
#include "platform/base/CHandle.h"

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

namespace orvane::test {

class CallbackDouble : public QVRInstance {
public:
    CallbackDouble() = default;
    CallbackDouble(const CallbackDouble&) = delete;
    CallbackDouble& operator=(const CallbackDouble&) = delete;
    virtual ~CallbackDouble() = default;

    void Log(int /*level*/, const wchar_t* format, ...) override
    {
        wchar_t buffer[4000];
        va_list args;
        va_start(args, format);
        _vsnwprintf(buffer, 3999, format ? format : L"", args);
        va_end(args);
        buffer[3999] = L'\0';
        std::lock_guard<std::mutex> hold(lock);
        lines.emplace_back(buffer);
    }
    int MessageBox(HWND, const wchar_t*, UINT, UINT, UINT) override { return IDOK; }
    void GetCommandStates(void* out) override { std::memset(out, 0, sizeof(COMMAND_STATES)); }
    BOOL RunCommand(UINT, INT_PTR, int) override { return FALSE; }
    HICON GetIcon(UINT) override { return nullptr; }
    void OnSliderScroll(UINT, UINT, HWND) override {}
    const wchar_t* GetStatusText() override { return L""; }
    int TrackSpeedMenu(HWND, HWND) override { return 0; }
    double GetPosition() override { return 0; }
    double GetDuration() override { return 0; }
    BOOL MinimizeRestore(BOOL) override { return FALSE; }
    LRESULT ShowHelp(int) override { return 0; }
    void OnAsyncError(HRESULT, const wchar_t*) override { ++asyncErrors; }
    void OnAudioData(int, const WAVEFORMATEX*, const BYTE*, long) override {}
    void OnPosition(double seconds) override
    {
        std::lock_guard<std::mutex> hold(lock);
        positions.push_back(seconds);
    }
    BOOL OnPlayEnd(double seconds) override
    {
        {
            std::lock_guard<std::mutex> hold(lock);
            ends.push_back(seconds);
        }
        SetEvent(playEnd);
        return TRUE;
    }
    const wchar_t* GetVideoSettings() override { return videoSettings; }
    void SetVideoSettings(const wchar_t*) override {}
    int GetListCount(int) override { return 0; }
    const wchar_t* GetListItemName(int, int) override { return L""; }
    const wchar_t* GetListItemValue(int, int) override { return L""; }
    void SetListItem(int, const wchar_t*, const wchar_t*) override {}
    void Destroy() override {}

    // True when a line contains the text.
    bool Logged(const std::wstring& text) const
    {
        std::lock_guard<std::mutex> hold(lock);
        for (const std::wstring& line : lines) {
            if (line.find(text) != std::wstring::npos) {
                return true;
            }
        }
        return false;
    }
    std::wstring All() const
    {
        std::lock_guard<std::mutex> hold(lock);
        std::wstring all;
        for (const std::wstring& line : lines) {
            all += line + L"\n";
        }
        return all;
    }

    // What the engine reads as the video settings text.
    const wchar_t* videoSettings = nullptr;

    // Recorded; lock before reading while the engine may still call.
    mutable std::mutex lock;
    std::vector<std::wstring> lines;
    std::vector<double> positions;
    std::vector<double> ends;
    std::atomic<int> asyncErrors{0};
    // Set on every end of play (auto-reset).
    CHandle playEnd{CreateEventW(nullptr, FALSE, FALSE, nullptr)};
};

}  // namespace orvane::test
