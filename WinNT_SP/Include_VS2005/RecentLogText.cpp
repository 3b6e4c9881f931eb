// Recent-log buffer (see RecentLogText.h).
#include "WinNT_SP/Include_VS2005/RecentLogText.h"

#include <algorithm>
#include <cwchar>

RecentLogBuffer::RecentLogBuffer() : m_buffer(new wchar_t[kCapacity])
{
    InitializeCriticalSection(&m_lock);
    m_buffer[0] = 0;
}

RecentLogBuffer::~RecentLogBuffer()
{
    DeleteCriticalSection(&m_lock);
}

void RecentLogBuffer::Append(const wchar_t* line)
{
    constexpr size_t C = kCapacity;
    const size_t len = line ? std::wcslen(line) : 0;
    EnterCriticalSection(&m_lock);
    wchar_t* buf = m_buffer.get();
    if (m_tailStart == 0 && m_used >= kHeadLimit) {
        static const wchar_t kMarker[] = L"[...]\r\n";
        const size_t n = std::min<size_t>(7, C - 1 - m_used);
        std::wmemcpy(buf + m_used, kMarker, n);
        m_used = std::min(m_used + 7, C - 1);
        m_tailStart = m_used;
        buf[m_used] = 0;
    }
    const size_t tail = m_tailStart ? m_tailStart : m_used;
    if (m_used + len + 2 >= C) {
        // Drop the fewest whole lines at the start of the tail that make the line fit.
        size_t cut = tail;
        while (cut < m_used && m_used - (cut - tail) + len + 2 >= C) {
            const wchar_t* eol = std::wcsstr(buf + cut, L"\r\n");
            cut = eol ? size_t(eol - buf) + 2 : m_used;
        }
        if (m_used - (cut - tail) + len + 2 >= C) {
            // Even an empty tail is too small: the line goes at the tail start, cut to fit.
            const size_t room = C - 1 - tail;
            const size_t n = std::min(len, room);
            std::wmemcpy(buf + tail, line, n);
            size_t used = tail + n;
            for (wchar_t c : {L'\r', L'\n'}) {
                if (used < C - 1) {
                    buf[used++] = c;
                }
            }
            m_used = std::min(used, C - 1);
            buf[m_used] = 0;
            LeaveCriticalSection(&m_lock);
            return;
        }
        std::wmemmove(buf + tail, buf + cut, m_used - cut);
        m_used -= cut - tail;
    }
    std::wmemcpy(buf + m_used, line, len);
    m_used += len;
    buf[m_used++] = L'\r';
    buf[m_used++] = L'\n';
    buf[m_used] = 0;
    LeaveCriticalSection(&m_lock);
}

std::wstring RecentLogBuffer::Text() const
{
    EnterCriticalSection(&m_lock);
    std::wstring s(m_buffer.get(), m_used);
    LeaveCriticalSection(&m_lock);
    return s;
}

size_t RecentLogBuffer::Used() const
{
    EnterCriticalSection(&m_lock);
    const size_t n = m_used;
    LeaveCriticalSection(&m_lock);
    return n;
}

size_t RecentLogBuffer::TailStart() const
{
    EnterCriticalSection(&m_lock);
    const size_t n = m_tailStart;
    LeaveCriticalSection(&m_lock);
    return n;
}

void RecentLogBuffer::Clear()
{
    EnterCriticalSection(&m_lock);
    m_used = 0;
    m_tailStart = 0;
    m_buffer[0] = 0;
    LeaveCriticalSection(&m_lock);
}

RecentLogBuffer& RecentLogText()
{
    // Never destroyed: static destructors elsewhere may still log at exit.
    static RecentLogBuffer* const buffer = new RecentLogBuffer;
    return *buffer;
}
