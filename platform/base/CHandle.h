// CHandle: owns one kernel handle (event, thread, file, mutex, mapping...) and closes it once.
// NULL and INVALID_HANDLE_VALUE both mean "no handle", since the API returns one or the other
// on failure depending on the call. Move-only; Attach/Detach hand ownership over explicitly.
#pragma once

#include <windows.h>

#include <utility>

class CHandle {
public:
    CHandle() noexcept = default;
    explicit CHandle(HANDLE h) noexcept : m_h(h) {}
    CHandle(const CHandle&) = delete;
    CHandle& operator=(const CHandle&) = delete;
    CHandle(CHandle&& other) noexcept : m_h(other.Detach()) {}
    CHandle& operator=(CHandle&& other) noexcept
    {
        if (this != &other) {
            Attach(other.Detach());
        }
        return *this;
    }
    ~CHandle() { Close(); }

    static bool IsValid(HANDLE h) noexcept { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    bool IsValid() const noexcept { return IsValid(m_h); }
    explicit operator bool() const noexcept { return IsValid(); }
    HANDLE Get() const noexcept { return m_h; }
    operator HANDLE() const noexcept { return m_h; }

    // Closes what is held and takes h.
    void Attach(HANDLE h) noexcept
    {
        Close();
        m_h = h;
    }
    [[nodiscard]] HANDLE Detach() noexcept { return std::exchange(m_h, nullptr); }
    void Close() noexcept
    {
        HANDLE h = std::exchange(m_h, nullptr);
        if (IsValid(h)) {
            ::CloseHandle(h);
        }
    }
    // For out-parameters (DuplicateHandle, CreatePipe): closes what is held first.
    HANDLE* Put() noexcept
    {
        Close();
        return &m_h;
    }

private:
    HANDLE m_h = nullptr;
};
