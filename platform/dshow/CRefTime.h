// Reference time (100-ns units) with the millisecond helpers filters use for stream times.
#pragma once

#include <windows.h>
#include <strmif.h>

class CRefTime {
public:
    CRefTime() = default;
    explicit CRefTime(LONG msecs) : m_time(static_cast<REFERENCE_TIME>(msecs) * 10000) {}
    CRefTime(REFERENCE_TIME rt) : m_time(rt) {}  // NOLINT: converts like the value it wraps

    operator REFERENCE_TIME() const { return m_time; }
    CRefTime& operator+=(const CRefTime& rt)
    {
        m_time += rt.m_time;
        return *this;
    }
    CRefTime& operator-=(const CRefTime& rt)
    {
        m_time -= rt.m_time;
        return *this;
    }
    LONG Millisecs() const { return static_cast<LONG>(m_time / 10000); }

    REFERENCE_TIME m_time = 0;
};
