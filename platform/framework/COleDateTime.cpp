// COleDateTime over SystemTimeToVariantTime / VariantTimeToSystemTime and wcsftime.
#include "platform/framework/COleDateTime.h"

#include <ctime>
#include <cwchar>

namespace {

// Days since 1970-01-01 of a proleptic Gregorian date.
long long DaysFromCivil(int year, int month, int day) noexcept
{
    year -= month <= 2 ? 1 : 0;
    long long era = (year >= 0 ? year : year - 399) / 400;
    long long yoe = year - era * 400;
    long long doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

bool ToFields(DATE date, SYSTEMTIME& st) noexcept
{
    return ::VariantTimeToSystemTime(date, &st) != 0;
}

}  // namespace

COleDateTime::COleDateTime(int year, int month, int day, int hour, int minute,
                           int second) noexcept
    : m_dt(0), m_status(valid)
{
    SetDateTime(year, month, day, hour, minute, second);
}

COleDateTime::COleDateTime(const SYSTEMTIME& time) noexcept : m_dt(0), m_status(valid)
{
    SYSTEMTIME st = time;
    st.wMilliseconds = 0;
    m_status = ::SystemTimeToVariantTime(&st, &m_dt) ? valid : invalid;
}

COleDateTime::COleDateTime(const FILETIME& time) noexcept : m_dt(0), m_status(valid)
{
    FILETIME local;
    SYSTEMTIME st;
    if (::FileTimeToLocalFileTime(&time, &local) && ::FileTimeToSystemTime(&local, &st)) {
        *this = COleDateTime(st);
    } else {
        m_status = invalid;
    }
}

COleDateTime COleDateTime::GetCurrentTime() noexcept
{
    SYSTEMTIME st;
    ::GetLocalTime(&st);
    return COleDateTime(st);
}

int COleDateTime::SetDateTime(int year, int month, int day, int hour, int minute,
                              int second) noexcept
{
    static const int days[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    bool ok = year >= 100 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
              day <= days[(month >= 1 && month <= 12) ? month - 1 : 0] && hour >= 0 &&
              hour < 24 && minute >= 0 && minute < 60 && second >= 0 && second < 60;
    if (ok && month == 2 && day == 29) {
        ok = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    }
    if (ok) {
        // Computed here rather than by the system so that a time of day is exactly
        // (h * 3600 + m * 60 + s) / 86400; before day 0 the fraction counts away from zero.
        long long days = DaysFromCivil(year, month, day) - DaysFromCivil(1899, 12, 30);
        double fraction = (hour * 3600 + minute * 60 + second) / 86400.0;
        m_dt = days >= 0 ? static_cast<double>(days) + fraction
                         : static_cast<double>(days) - fraction;
    }
    m_status = ok ? valid : invalid;
    return ok ? 0 : 1;
}

bool COleDateTime::GetAsSystemTime(SYSTEMTIME& time) const noexcept
{
    return m_status == valid && ToFields(m_dt, time);
}

#define FIELD_GETTER(name, expr) \
    int COleDateTime::name() const noexcept \
    { \
        SYSTEMTIME st; \
        return GetAsSystemTime(st) ? (expr) : -1; \
    }

FIELD_GETTER(GetYear, st.wYear)
FIELD_GETTER(GetMonth, st.wMonth)
FIELD_GETTER(GetDay, st.wDay)
FIELD_GETTER(GetHour, st.wHour)
FIELD_GETTER(GetMinute, st.wMinute)
FIELD_GETTER(GetSecond, st.wSecond)
FIELD_GETTER(GetDayOfWeek, st.wDayOfWeek + 1)

#undef FIELD_GETTER

int COleDateTime::GetDayOfYear() const noexcept
{
    SYSTEMTIME st;
    if (!GetAsSystemTime(st)) {
        return -1;
    }
    COleDateTime first(st.wYear, 1, 1, 0, 0, 0);
    return static_cast<int>(static_cast<long long>(m_dt) - static_cast<long long>(first.m_dt)) +
           1;
}

CString COleDateTime::Format(LPCTSTR format) const
{
    if (m_status == null) {
        return CString();
    }
    SYSTEMTIME st;
    if (m_status != valid || !format || !ToFields(m_dt, st)) {
        return CString(L"Invalid DateTime");
    }
    std::tm fields = {};
    fields.tm_year = st.wYear - 1900;
    fields.tm_mon = st.wMonth - 1;
    fields.tm_mday = st.wDay;
    fields.tm_hour = st.wHour;
    fields.tm_min = st.wMinute;
    fields.tm_sec = st.wSecond;
    fields.tm_wday = st.wDayOfWeek;
    fields.tm_yday = GetDayOfYear() - 1;
    fields.tm_isdst = -1;
    wchar_t buffer[256];
    size_t n = std::wcsftime(buffer, 256, format, &fields);
    return CString(buffer, static_cast<int>(n));
}

CString COleDateTime::Format(DWORD flags, LCID locale) const
{
    if (m_status == null) {
        return CString();
    }
    VARIANT source;
    VariantInit(&source);
    source.vt = VT_DATE;
    source.date = m_dt;
    VARIANT text;
    VariantInit(&text);
    USHORT changeFlags = static_cast<USHORT>(flags);
    if (m_status != valid ||
        FAILED(::VariantChangeTypeEx(&text, &source, locale, changeFlags, VT_BSTR))) {
        return CString(L"Invalid DateTime");
    }
    CString result(text.bstrVal, static_cast<int>(::SysStringLen(text.bstrVal)));
    ::VariantClear(&text);
    return result;
}

bool COleDateTime::ParseDateTime(LPCTSTR text, DWORD flags, LCID locale) noexcept
{
    DATE date = 0;
    if (!text || FAILED(::VarDateFromStr(const_cast<LPOLESTR>(text), locale, flags, &date))) {
        m_status = invalid;
        return false;
    }
    m_dt = date;
    m_status = valid;
    return true;
}
