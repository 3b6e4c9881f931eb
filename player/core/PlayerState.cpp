// The program-wide playback state and its lock.
#include "player/core/PlayerState.h"

#include <cmath>

double RoundToTimeGrid(double seconds)
{
    return static_cast<double>(TimeGridSteps(seconds)) * kTimeGridSeconds;
}

double RoundToSpeedGrid(double value)
{
    return static_cast<double>(SpeedGridSteps(value)) * kSpeedGridStep;
}

namespace {

class StateLock {
public:
    explicit StateLock(const PlayerState& state) : m_state(state) { m_state.Lock(); }
    ~StateLock() { m_state.Unlock(); }
    StateLock(const StateLock&) = delete;
    StateLock& operator=(const StateLock&) = delete;

private:
    const PlayerState& m_state;
};

}  // namespace

PlayerState::PlayerState()
{
    InitializeCriticalSection(&m_lock);
    InitializeCriticalSection(&m_threadErrorLock);
}

PlayerState::~PlayerState()
{
    DeleteCriticalSection(&m_threadErrorLock);
    DeleteCriticalSection(&m_lock);
}

double PlayerState::GetPositionValue() const
{
    StateLock lock(*this);
    return m_position;
}

void PlayerState::SetPositionValue(double seconds)
{
    StateLock lock(*this);
    m_position = seconds;
}

IOpenPresentation* PlayerState::ReplaceOpenFile(IOpenPresentation* file)
{
    StateLock lock(*this);
    IOpenPresentation* previous = m_openFile;
    m_openFile = file;
    m_hasFile = file != nullptr;
    m_rangeOffset = 0.0;
    return previous;
}

INetReaderState* PlayerState::ReplaceNetReader(INetReaderState* reader)
{
    StateLock lock(*this);
    INetReaderState* previous = m_netReader;
    m_netReader = reader;
    m_hasNet = reader != nullptr;
    m_netStart = 0.0;
    return previous;
}

void PlayerState::SetRangeOffset(double seconds)
{
    StateLock lock(*this);
    m_rangeOffset = seconds;
}

void PlayerState::SetNetStartPosition(double seconds)
{
    StateLock lock(*this);
    m_netStart = seconds;
}

BOOL PlayerState::StoreReportedPosition(double reported, bool fileOnly)
{
    StateLock lock(*this);
    double position;
    if (m_hasNet && !fileOnly) {
        position = reported + m_netStart;
    } else if (m_hasFile) {
        position = reported + m_rangeOffset;
    } else {
        return FALSE;
    }
    m_position = RoundToTimeGrid(position);
    return TRUE;
}

BOOL PlayerState::HasFileOrURL() const
{
    StateLock lock(*this);
    return (m_hasFile || m_hasNet) ? TRUE : FALSE;
}

BOOL PlayerState::HasOpenFile() const
{
    StateLock lock(*this);
    return m_hasFile ? TRUE : FALSE;
}

bool PlayerState::AddAsyncError(HRESULT code, const wchar_t* text)
{
    StateLock lock(*this);
    const bool wasPending = m_asyncPending;
    if (wasPending) {
        m_asyncText += L"\r\n";
        m_asyncText += text ? text : L"";
    } else {
        m_asyncCode = code;
        m_asyncText = text ? text : L"";
        m_asyncPending = true;
    }
    return !wasPending;
}

bool PlayerState::TakeAsyncError(HRESULT* code, std::wstring* text)
{
    StateLock lock(*this);
    if (!m_asyncPending) {
        return false;
    }
    if (code) {
        *code = m_asyncCode;
    }
    if (text) {
        *text = m_asyncText;
    }
    m_asyncPending = false;
    m_asyncText.clear();
    return true;
}

void PlayerState::AppendThreadError(const wchar_t* text)
{
    EnterCriticalSection(&m_threadErrorLock);
    if (!m_threadErrors.empty()) {
        m_threadErrors += L"\r\n";
    }
    m_threadErrors += text ? text : L"";
    LeaveCriticalSection(&m_threadErrorLock);
}

std::wstring PlayerState::TakeThreadErrors()
{
    EnterCriticalSection(&m_threadErrorLock);
    std::wstring text;
    text.swap(m_threadErrors);
    LeaveCriticalSection(&m_threadErrorLock);
    return text;
}

PlayerState& ThePlayerState()
{
    static PlayerState state;
    return state;
}
