// The reader tests' callback object.
#include "tests/video/reader/ReaderTestInstance.h"

#include "video/EngineGlobals.h"

ReaderTestInstance::ReaderTestInstance() : m_previous(GetEngineCallback())
{
    SetEngineCallback(this);
}

ReaderTestInstance::~ReaderTestInstance()
{
    SetEngineCallback(m_previous);
}

void ReaderTestInstance::OnAsyncError(HRESULT, const wchar_t* text)
{
    std::lock_guard<std::mutex> hold(lock);
    errors.emplace_back(text != nullptr ? text : L"");
}

void ReaderTestInstance::OnPosition(double seconds)
{
    std::lock_guard<std::mutex> hold(lock);
    positions.push_back(seconds);
}

BOOL ReaderTestInstance::OnPlayEnd(double seconds)
{
    std::lock_guard<std::mutex> hold(lock);
    playEnds.push_back(seconds);
    return TRUE;
}

void ReaderTestInstance::Pump(DWORD milliseconds)
{
    const DWORD until = GetTickCount() + milliseconds;
    while (static_cast<LONG>(until - GetTickCount()) > 0) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

bool ReaderTestInstance::WaitPlayEnd(DWORD milliseconds)
{
    const DWORD until = GetTickCount() + milliseconds;
    for (;;) {
        {
            std::lock_guard<std::mutex> hold(lock);
            if (!playEnds.empty()) {
                return true;
            }
        }
        if (static_cast<LONG>(until - GetTickCount()) <= 0) {
            return false;
        }
        Pump(10);
    }
}

bool ReaderTestInstance::WaitAsyncError(DWORD milliseconds)
{
    const DWORD until = GetTickCount() + milliseconds;
    for (;;) {
        {
            std::lock_guard<std::mutex> hold(lock);
            if (!errors.empty()) {
                return true;
            }
        }
        if (static_cast<LONG>(until - GetTickCount()) <= 0) {
            return false;
        }
        Pump(10);
    }
}

void ReaderTestInstance::Clear()
{
    std::lock_guard<std::mutex> hold(lock);
    positions.clear();
    playEnds.clear();
    errors.clear();
}
