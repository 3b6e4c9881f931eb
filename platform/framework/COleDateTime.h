// COleDateTime: a date as a DATE day number with a status (valid, invalid, null), the
// framework's date type. Calendar conversions go through the system's variant-time functions.
#pragma once

#include "platform/framework/CStringT.h"

class COleDateTime {
public:
    enum DateTimeStatus { error = -1, valid = 0, invalid = 1, null = 2 };

    COleDateTime() noexcept : m_dt(0), m_status(valid) {}
    COleDateTime(DATE date) noexcept : m_dt(date), m_status(valid) {}
    COleDateTime(int year, int month, int day, int hour, int minute, int second) noexcept;
    COleDateTime(const SYSTEMTIME& time) noexcept;
    COleDateTime(const FILETIME& time) noexcept;

    static COleDateTime GetCurrentTime() noexcept;

    DateTimeStatus GetStatus() const noexcept { return m_status; }
    void SetStatus(DateTimeStatus status) noexcept { m_status = status; }
    operator DATE() const noexcept { return m_dt; }
    // Calendar fields; -1 when the date is not valid.
    int GetYear() const noexcept;
    int GetMonth() const noexcept;
    int GetDay() const noexcept;
    int GetHour() const noexcept;
    int GetMinute() const noexcept;
    int GetSecond() const noexcept;
    int GetDayOfWeek() const noexcept;  // 1 = Sunday
    int GetDayOfYear() const noexcept;
    bool GetAsSystemTime(SYSTEMTIME& time) const noexcept;

    // Sets the date from calendar fields; returns 0 when valid, else the date is invalid.
    int SetDateTime(int year, int month, int day, int hour, int minute, int second) noexcept;
    int SetDate(int year, int month, int day) noexcept
    {
        return SetDateTime(year, month, day, 0, 0, 0);
    }
    int SetTime(int hour, int minute, int second) noexcept
    {
        return SetDateTime(1899, 12, 30, hour, minute, second);
    }

    // strftime-style text; a null date gives "", an invalid one "Invalid DateTime".
    CString Format(LPCTSTR format) const;
    // The system's locale form of the date (and time when it has one).
    CString Format(DWORD flags = 0, LCID locale = LANG_USER_DEFAULT) const;
    // Parses a date in the system's locale form; FALSE (date invalid) when it does not parse.
    bool ParseDateTime(LPCTSTR text, DWORD flags = 0, LCID locale = LANG_USER_DEFAULT) noexcept;

    bool operator==(const COleDateTime& other) const noexcept
    {
        return m_status == other.m_status && m_dt == other.m_dt;
    }
    bool operator!=(const COleDateTime& other) const noexcept { return !(*this == other); }
    bool operator<(const COleDateTime& other) const noexcept { return m_dt < other.m_dt; }
    bool operator>(const COleDateTime& other) const noexcept { return m_dt > other.m_dt; }

    DATE m_dt;
    DateTimeStatus m_status;
};
