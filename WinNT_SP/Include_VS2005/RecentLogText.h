// In-memory copy of the log: the first lines of the run (the head, up to 32768 characters)
// stay in place, then a "[...]" marker, then a sliding tail of the newest whole lines.
// One fixed allocation; appending never allocates. All access takes the buffer's own lock.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

class RecentLogBuffer {
public:
    static constexpr size_t kCapacity = 65536;
    static constexpr size_t kHeadLimit = 32768;

    RecentLogBuffer();
    ~RecentLogBuffer();
    RecentLogBuffer(const RecentLogBuffer&) = delete;
    RecentLogBuffer& operator=(const RecentLogBuffer&) = delete;

    // Appends line + CR LF (see the head and tail rule above).
    void Append(const wchar_t* line);
    void Append(const std::wstring& line) { Append(line.c_str()); }
    std::wstring Text() const;  // a copy, taken under the lock
    size_t Used() const;
    size_t TailStart() const;
    void Clear();

private:
    mutable CRITICAL_SECTION m_lock;
    std::unique_ptr<wchar_t[]> m_buffer;
    size_t m_used = 0;
    size_t m_tailStart = 0;  // 0 until the head is full
};

// The program's one recent-log buffer.
RecentLogBuffer& RecentLogText();
