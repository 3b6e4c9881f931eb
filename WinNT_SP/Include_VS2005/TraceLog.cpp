// Trace log (see TraceLog.h): line stamping, the per-line file writer with its pending text,
// the trace-file start and the creation and clean-up of log files.
#include "WinNT_SP/Include_VS2005/TraceLog.h"

#include "WinNT_SP/Include_VS2005/FileSystem.h"
#include "WinNT_SP/Include_VS2005/RecentLogText.h"
#include "WinNT_SP/Include_VS2005/SettingsPaths.h"
#include "WinNT_SP/Include_VS2005/SupportStrings.h"
#include "WinNT_SP/Include_VS2005/SystemErrorText.h"
#include "WinNT_SP/Include_VS2005/TextFormat.h"
#include "platform/base/CHandle.h"

#include <cstdarg>
#include <cwchar>
#include <vector>

namespace {

DWORD SystemTick()
{
    return GetTickCount();
}

void SystemLocalTime(SYSTEMTIME* t)
{
    GetLocalTime(t);
}

const TraceClock kSystemClock = {SystemTick, SystemLocalTime};
const TraceClock* g_clock = &kSystemClock;

const wchar_t kLostMarker[] = L"[...some is lost because of file errors...]\r\n";

std::string ToAnsi(const std::wstring& text)
{
    if (text.empty()) {
        return std::string();
    }
    const int n = WideCharToMultiByte(CP_THREAD_ACP, 0, text.data(), int(text.size()), nullptr,
                                      0, nullptr, nullptr);
    std::string out(size_t(n > 0 ? n : 0), '\0');
    if (n > 0) {
        WideCharToMultiByte(CP_THREAD_ACP, 0, text.data(), int(text.size()), out.data(), n,
                            nullptr, nullptr);
    }
    return out;
}

class Locked {
public:
    explicit Locked(CRITICAL_SECTION* cs) : m_cs(cs) { EnterCriticalSection(m_cs); }
    ~Locked() { LeaveCriticalSection(m_cs); }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;

private:
    CRITICAL_SECTION* m_cs;
};

std::wstring FormatFileStamp(const SYSTEMTIME& t)
{
    return FormatNewString(L"%04i%02i%02i_%02i%02i%02i", t.wYear, t.wMonth, t.wDay, t.wHour,
                           t.wMinute, t.wSecond);
}

}  // namespace

// ---- time -----------------------------------------------------------------------------------

int64_t LocalTimeMs(const SYSTEMTIME& t)
{
    const int a = (14 - t.wMonth) / 12;
    const int64_t y = int64_t(t.wYear) + 4800 - a;
    const int m = t.wMonth + 12 * a - 3;
    const int64_t jdn = t.wDay + (153 * m + 2) / 5 + 365 * y + y / 4 - y / 100 + y / 400 - 32045;
    const int64_t msOfDay =
        ((int64_t(t.wHour) * 60 + t.wMinute) * 60 + t.wSecond) * 1000 + t.wMilliseconds;
    return jdn * 86400000 + msOfDay;
}

SYSTEMTIME MsToLocalTime(int64_t ms)
{
    const int64_t jdn = ms / 86400000;
    int64_t rest = ms % 86400000;
    const int64_t a = jdn + 32044;
    const int64_t b = (4 * a + 3) / 146097;
    const int64_t c = a - 146097 * b / 4;
    const int64_t d = (4 * c + 3) / 1461;
    const int64_t e = c - 1461 * d / 4;
    const int64_t m = (5 * e + 2) / 153;
    SYSTEMTIME t = {};
    t.wDay = WORD(e - (153 * m + 2) / 5 + 1);
    t.wMonth = WORD(m + 3 - 12 * (m / 10));
    t.wYear = WORD(100 * b + d - 4800 + m / 10);
    t.wDayOfWeek = WORD((jdn + 1) % 7);
    t.wMilliseconds = WORD(rest % 1000);
    rest /= 1000;
    t.wSecond = WORD(rest % 60);
    rest /= 60;
    t.wMinute = WORD(rest % 60);
    t.wHour = WORD(rest / 60);
    return t;
}

void SetTraceClock(const TraceClock* clock)
{
    g_clock = clock ? clock : &kSystemClock;
}

// ---- RMDQVR ---------------------------------------------------------------------------------

RMDQVR::RMDQVR()
{
    InitializeCriticalSection(&m_lock);
}

RMDQVR::~RMDQVR()
{
    DeleteCriticalSection(&m_lock);
}

void RMDQVR::Output(unsigned flags, const wchar_t* text)
{
    Locked hold(&m_lock);
    std::wstring line;
    if (flags & RMD_CONTINUATION) {
        line = text ? text : L"";
    } else {
        wchar_t stamp[16];
        FormatTickTemplate(g_clock->tickCount(), stamp);
        line = stamp + 2;  // HH:MM:SS.mmm, hours modulo 100
        line += L' ';
        line += text ? text : L"";
    }
    RecentLogText().Append(line);
    WriteLine(line.c_str(), nullptr);
}

bool RMDQVR::WriteLine(const wchar_t* text, std::wstring* error)
{
    Locked hold(&m_lock);
    if (error) {
        error->clear();
    }
    if (!m_enabled || m_nesting > 0) {
        return true;
    }
    ++m_nesting;
    std::wstring failure;
    CHandle h(CreateFileW(m_filePath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                          OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!h) {
        failure = FormatSystemError(GetLastError(),
                                    FormatNewString(L"CreateFile(%s)", m_filePath.c_str()).c_str());
    } else {
        LARGE_INTEGER zero = {};
        if (!SetFilePointerEx(h, zero, nullptr, FILE_END)) {
            failure = FormatSystemError(
                GetLastError(),
                FormatNewString(L"SetFilePointer(%s, FILE_END)", m_filePath.c_str()).c_str());
        } else {
            const std::string bytes = ToAnsi(m_pending + (text ? text : L"") + L"\r\n");
            DWORD written = 0;
            if (!WriteFile(h, bytes.data(), DWORD(bytes.size()), &written, nullptr) ||
                written != bytes.size()) {
                const DWORD code = GetLastError() ? GetLastError() : ERROR_HANDLE_DISK_FULL;
                failure = FormatSystemError(
                    code, FormatNewString(L"WriteFile(%s)", m_filePath.c_str()).c_str());
            }
        }
        // Closed by hand: a failed close is reported like a failed write.
        if (!CloseHandle(h.Detach()) && failure.empty()) {
            failure = FormatSystemError(
                GetLastError(), FormatNewString(L"CloseHandle(%s)", m_filePath.c_str()).c_str());
        }
    }
    if (failure.empty()) {
        m_pending.clear();
    } else if (error) {
        *error = failure;
    } else {
        Output(RMD_STAMPED, failure.c_str());
        if (m_pending.size() > kPendingLimit) {
            m_pending = kLostMarker;
        }
        m_pending += text ? text : L"";
        m_pending += L"\r\n";
        m_pending += failure;
        m_pending += L"\r\n";
    }
    --m_nesting;
    return failure.empty();
}

void RMDQVR::EnableFile(const std::wstring& path)
{
    Locked hold(&m_lock);
    m_filePath = path;
    m_enabled = 1;
}

void RMDQVR::Stop()
{
    Locked hold(&m_lock);
    m_enabled = 0;
    m_prefix.clear();
    m_pending.clear();
}

bool RMDQVR::Enabled() const
{
    Locked hold(&m_lock);
    return m_enabled != 0;
}

std::wstring RMDQVR::FilePath() const
{
    Locked hold(&m_lock);
    return m_filePath;
}

std::wstring RMDQVR::Pending() const
{
    Locked hold(&m_lock);
    return m_pending;
}

std::wstring RMDQVR::Start()
{
    TRACE_FUNCTION();
    Locked hold(&m_lock);
    const std::wstring remembered = m_prefix;
    Stop();
    m_enabled = 1;
    std::wstring error;
    const std::wstring folder = GetDebugInfoFolder(&error);
    if (!error.empty() || folder.empty()) {
        Stop();
        return error.empty() ? FormatSystemError(ERROR_PATH_NOT_FOUND, L"GetDebugInfoFolder")
                             : error;
    }
    m_prefix = folder + L"\\" + kTracePrefix;
    if (m_prefix == remembered) {
        return std::wstring();
    }
    std::wstring path;
    error = CreateLogFile(LOGFILE_TRACE, m_prefix, &path);
    if (!error.empty()) {
        Stop();
        return error;
    }
    m_filePath = path;
    const std::wstring head = RecentLogText().Text();
    if (!WriteLine(head.c_str(), &error)) {
        Stop();
        return error;
    }
    return std::wstring();
}

RMDQVR& TraceLog()
{
    static RMDQVR* const log = new RMDQVR;
    return *log;
}

void TraceLine(unsigned flags, const wchar_t* format, ...)
{
    wchar_t buffer[kLogLineChars];
    va_list args;
    va_start(args, format);
    _vsnwprintf(buffer, kLogLineChars, format, args);
    va_end(args);
    buffer[kLogLineChars - 1] = 0;
    TraceLog().Output(flags, buffer);
}

std::wstring StartTraceFile()
{
    return TraceLog().Start();
}

void StopTraceFile()
{
    TraceLog().Stop();
}

// ---- folders and files ----------------------------------------------------------------------

std::wstring GetDebugInfoFolder(std::wstring* error)
{
    TRACE_FUNCTION();
    if (error) {
        error->clear();
    }
    // Derived from the (cached) settings folder at every call, so it follows that folder.
    const std::wstring settings = GetSettingsFolder(error);
    if (settings.empty()) {
        return settings;
    }
    const std::wstring folder = settings + L"\\DebInfo";
    if (!IsFolder(folder.c_str())) {
        const std::wstring err = CreateFolderPath(folder.c_str());
        if (!err.empty()) {
            TraceLine(RMD_STAMPED, L"%s", err.c_str());
            if (error) {
                *error = err;
            }
        }
    }
    return folder;
}

std::wstring CreateLogFile(LogFileKind kind, const std::wstring& prefix, std::wstring* path)
{
    TRACE_FUNCTION();
    SYSTEMTIME nowTime;
    g_clock->localTime(&nowTime);
    const int64_t now = LocalTimeMs(nowTime);

    // Exactly prefix + 8 characters + "_" + 6 characters + ".txt"; FindFirstFile's "?" also
    // matches shorter names, so the pattern only narrows the listing.
    std::vector<std::wstring> names;
    ListFolderFiles(names, (prefix + L"????????_??????.txt").c_str());
    const std::wstring folder = GetFolderOfFile(prefix);
    const std::wstring base = prefix.substr(folder.size());
    std::vector<std::wstring> matching;
    for (const std::wstring& n : names) {
        if (n.size() == base.size() + 19 && _wcsnicmp(n.c_str(), base.c_str(), base.size()) == 0 &&
            n[base.size() + 8] == L'_' && _wcsicmp(n.c_str() + base.size() + 15, L".txt") == 0) {
            matching.push_back(n);
        }
    }
    const size_t threshold = kind == LOGFILE_TRACE ? 10 : 50;
    if (matching.size() > threshold) {
        const SYSTEMTIME c = MsToLocalTime(now - int64_t(50) * 86400000);
        const std::wstring cutoff = FormatNewString(L"%04i%02i%02i", c.wYear, c.wMonth, c.wDay);
        for (const std::wstring& n : matching) {
            const std::wstring date = n.substr(base.size(), 8);
            const std::wstring full = folder + n;
            if (date < cutoff && FileExists(full.c_str())) {
                const std::wstring err = DeleteFileText(full.c_str());
                if (!err.empty()) {
                    TraceLine(RMD_STAMPED, L"%s", err.c_str());
                }
            }
        }
    }

    std::wstring error;
    for (int i = 0; i < 6; ++i) {
        const SYSTEMTIME t = MsToLocalTime(now + int64_t(i) * 1000);
        const std::wstring name = prefix + FormatFileStamp(t) + L".txt";
        const CHandle created(CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                          CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (created) {
            if (path) {
                *path = name;
            }
            return std::wstring();
        }
        const DWORD code = GetLastError();
        if (error.empty()) {
            error = FormatResString(IDS_CREATE_LOG_FILE_FAILED, name.c_str(),
                                    static_cast<unsigned long>(code),
                                    GetSystemErrorText(code).c_str());
        }
    }
    return error;
}
