// Trace scopes, the log line, the recent-log buffer, the trace file writer and the creation
// and clean-up of log files.
#include "WinNT_SP/Include_VS2005/FileSystem.h"
#include "WinNT_SP/Include_VS2005/RecentLogText.h"
#include "WinNT_SP/Include_VS2005/SettingsPaths.h"
#include "tests/WinNT_SP/Include_VS2005/TempFolder.h"
#include "WinNT_SP/Include_VS2005/TextFormat.h"
#include "WinNT_SP/Include_VS2005/TraceLog.h"
#include "WinNT_SP/Include_VS2005/TraceScope.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

using orvane::test::ReadFileBytes;
using orvane::test::TempFolder;

namespace {

struct CollectSink final : CReleaseModeDebug {
    std::vector<std::pair<unsigned, std::wstring>> lines;
    void Output(unsigned flags, const wchar_t* text) override { lines.emplace_back(flags, text); }
};

const TRACE_SCOPE* g_lastScope = nullptr;

__attribute__((noinline)) void ScopedReturn()
{
    TRACE_FUNCTION();
    g_lastScope = traceScope_.Record();
    EXPECT_EQ(g_lastScope->magic, kTraceScopeOpen);
}

// Destroyed after the scope guard declared below it: sees the record as unwinding left it
// (the handler's own frames reuse that stack later).
uint32_t g_magicSeenDuringUnwind = 0;
struct UnwindProbe {
    ~UnwindProbe() { g_magicSeenDuringUnwind = g_lastScope ? g_lastScope->magic : 0; }
};

__attribute__((noinline)) void ScopedThrow()
{
    UnwindProbe probe;
    TRACE_FUNCTION();
    g_lastScope = traceScope_.Record();
    throw std::runtime_error("x");
}

// Fake clock: a tick count and a local time the tests move by hand.
DWORD g_tick = 0;
SYSTEMTIME g_now = {};
DWORD FakeTick() { return g_tick; }
void FakeNow(SYSTEMTIME* t) { *t = g_now; }
const TraceClock kFakeClock = {FakeTick, FakeNow};

SYSTEMTIME Date(int y, int m, int d, int hh = 12, int mm = 0, int ss = 0)
{
    SYSTEMTIME t = {};
    t.wYear = WORD(y);
    t.wMonth = WORD(m);
    t.wDay = WORD(d);
    t.wHour = WORD(hh);
    t.wMinute = WORD(mm);
    t.wSecond = WORD(ss);
    return t;
}

void Touch(const std::wstring& path)
{
    orvane::test::WriteFileBytes(path, "x");
}

class FakeClockTest : public testing::Test {
protected:
    void SetUp() override
    {
        g_tick = 0;
        g_now = Date(2026, 12, 10, 13, 45, 30);
        SetTraceClock(&kFakeClock);
    }
    void TearDown() override { SetTraceClock(nullptr); }
};

}  // namespace

TEST(TraceScope, RecordIsClosedAfterReturnAndUnwinding)
{
    ScopedReturn();
    const uint32_t afterReturn = *static_cast<const volatile uint32_t*>(&g_lastScope->magic);
    EXPECT_EQ(afterReturn, kTraceScopeClosed);
    try {
        ScopedThrow();
    } catch (const std::runtime_error&) {
        EXPECT_EQ(g_magicSeenDuringUnwind, kTraceScopeClosed);
    }
    TRACE_FUNCTION();
    EXPECT_EQ(traceScope_.Record()->magic, kTraceScopeOpen);
    EXPECT_EQ(traceScope_.Record()->data, 0u);
    EXPECT_NE(traceScope_.Record()->frameWord, 0u);
    EXPECT_EQ(traceScope_.Record()->fileLength, std::string(__FILE__).size());
}

TEST(LogPrintf, CutsAt3999AndUsesWideStrings)
{
    CollectSink sink;
    const std::wstring big(5000, L'q');
    LogPrintf(&sink, 0, L"%s", big.c_str());
    ASSERT_EQ(sink.lines.size(), 1u);
    EXPECT_EQ(sink.lines[0].second, big.substr(0, 3999));
    LogPrintf(&sink, 1, L"Mess: %s %i %hs", L"wide", 5, "narrow");
    EXPECT_EQ(sink.lines[1].first, 1u);
    EXPECT_EQ(sink.lines[1].second, L"Mess: wide 5 narrow");
}

TEST(FormatTickTemplate, StampsAndSignificantDigits)
{
    struct Case {
        uint64_t ms;
        const wchar_t* full;
        const wchar_t* significant;
    };
    const Case cases[] = {
        {0, L"0000:00:00.000", L"0.000"},
        {3723004, L"0001:02:03.004", L"1:02:03.004"},
        {59999, L"0000:00:59.999", L"59.999"},
        {(123ull * 3600 + 4 * 60 + 5) * 1000 + 6, L"0123:04:05.006", L"123:04:05.006"},
    };
    for (const Case& c : cases) {
        wchar_t buf[16];
        const wchar_t* sig = FormatTickTemplate(c.ms, buf);
        EXPECT_STREQ(buf, c.full);
        EXPECT_STREQ(sig, c.significant);
    }
}

TEST(RecentLogText, HeadStaysAndTailSlides)
{
    RecentLogBuffer log;
    const std::wstring line(99, L'h');
    // 101 characters per line: 325 lines fill the head past 32768.
    for (int i = 0; i < 325; ++i) {
        log.Append(line);
    }
    EXPECT_EQ(log.TailStart(), 0u);
    log.Append(L"first tail line");
    EXPECT_EQ(log.TailStart(), 325u * 101 + 7);
    std::wstring text = log.Text();
    EXPECT_EQ(text.substr(325 * 101, 7), L"[...]\r\n");
    for (int i = 0; i < 400; ++i) {
        log.Append(L"tail " + std::to_wstring(i) + std::wstring(90, L't'));
    }
    text = log.Text();
    EXPECT_LT(text.size(), RecentLogBuffer::kCapacity);
    EXPECT_EQ(text.substr(0, 101), line + L"\r\n");
    EXPECT_EQ(text.substr(325 * 101, 7), L"[...]\r\n");
    const size_t newest = text.rfind(L"tail 399");
    ASSERT_NE(newest, std::wstring::npos);
    EXPECT_EQ(text.find(L"first tail line"), std::wstring::npos);
    // The tail starts with a whole line.
    EXPECT_EQ(text.substr(325 * 101 + 7, 5), L"tail ");
    EXPECT_EQ(text.substr(text.size() - 2), L"\r\n");
}

TEST(RecentLogText, LineLargerThanTheTailIsCut)
{
    RecentLogBuffer log;
    const std::wstring line(99, L'h');
    for (int i = 0; i < 330; ++i) {
        log.Append(line);
    }
    log.Append(std::wstring(70000, L'z'));
    EXPECT_EQ(log.Used(), RecentLogBuffer::kCapacity - 1);
    const std::wstring text = log.Text();
    EXPECT_EQ(text.substr(0, 101), line + L"\r\n");
    EXPECT_EQ(text.back(), L'z');
}

TEST_F(FakeClockTest, OutputStampsLinesAndContinuationLinesHaveNone)
{
    TempFolder dir(L"trace");
    RMDQVR log;
    log.EnableFile(dir / L"t.txt");
    g_tick = 3723004;
    log.Output(0, L"hello");
    log.Output(1, L"continued");
    g_tick = 100u * 3600 * 1000 + 1;
    log.Output(0, L"wrapped");
    EXPECT_EQ(ReadFileBytes(dir / L"t.txt"),
              "01:02:03.004 hello\r\ncontinued\r\n00:00:00.001 wrapped\r\n");
    const std::wstring recent = RecentLogText().Text();
    EXPECT_NE(recent.find(L"01:02:03.004 hello\r\ncontinued\r\n"), std::wstring::npos);
}

TEST_F(FakeClockTest, FailedWritesStayPendingAndGoOutWithTheNextLine)
{
    TempFolder dir(L"trace");
    const std::wstring path = dir / L"t.txt";
    RMDQVR log;
    log.EnableFile(path);
    log.Output(1, L"one");
    HANDLE lock = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    log.Output(1, L"two");
    log.Output(1, L"three");
    EXPECT_NE(log.Pending().find(L"two\r\n"), std::wstring::npos);
    EXPECT_NE(log.Pending().find(L"CreateFile("), std::wstring::npos);
    const std::wstring recent = RecentLogText().Text();
    EXPECT_NE(recent.find(L"three\r\n"), std::wstring::npos);
    EXPECT_NE(recent.find(L"CreateFile("), std::wstring::npos);
    CloseHandle(lock);
    log.Output(1, L"four");
    EXPECT_EQ(log.Pending(), L"");
    const std::string file = ReadFileBytes(path);
    EXPECT_EQ(file.rfind("one\r\ntwo\r\n", 0), 0u) << file;
    EXPECT_NE(file.find("three\r\n"), std::string::npos);
    EXPECT_EQ(file.substr(file.size() - 6), "four\r\n");
}

TEST_F(FakeClockTest, WriteLineWithErrorArgumentReportsAndBuffersNothing)
{
    TempFolder dir(L"trace");
    RMDQVR log;
    log.EnableFile(dir / L"missing\\t.txt");
    std::wstring error;
    EXPECT_FALSE(log.WriteLine(L"x", &error));
    EXPECT_NE(error.find(L"CreateFile("), std::wstring::npos);
    EXPECT_EQ(log.Pending(), L"");
}

TEST_F(FakeClockTest, CleanUpBeyondTheThresholdOnlyRemovesOldFiles)
{
    struct Case {
        LogFileKind kind;
        const wchar_t* prefix;
        int oldFiles;
        int newFiles;
        int expectedLeft;  // before the new file is created
    };
    const Case cases[] = {
        {LOGFILE_TRACE, kTracePrefix, 5, 6, 6},        // 11 files: old ones go
        {LOGFILE_TRACE, kTracePrefix, 5, 5, 10},       // 10 files: nothing goes
        {LOGFILE_DEBUGINFO, kDebugInfoPrefix, 20, 30, 50},
        {LOGFILE_DEBUGINFO, kDebugInfoPrefix, 20, 31, 31},
    };
    for (const Case& c : cases) {
        TempFolder dir(L"clean");
        const std::wstring prefix = dir / c.prefix;
        for (int i = 0; i < c.oldFiles; ++i) {
            Touch(prefix + L"202609" + (i < 9 ? L"0" : L"") + std::to_wstring(i + 1) +
                  L"_120000.txt");
        }
        for (int i = 0; i < c.newFiles; ++i) {
            Touch(prefix + L"202612" + (i < 9 ? L"0" : L"") + std::to_wstring(i + 1) +
                  L"_080000.txt");
        }
        // Names of another shape are neither counted nor deleted.
        Touch(prefix + L"20200101_1200.txt");
        Touch(prefix + L"20200101_120000x.txt");
        std::wstring path;
        ASSERT_EQ(CreateLogFile(c.kind, prefix, &path), L"");
        std::vector<std::wstring> names;
        ListFolderFiles(names, (dir.Path() + L"\\*").c_str());
        EXPECT_EQ(int(names.size()), c.expectedLeft + 3) << c.prefix << c.newFiles;
        EXPECT_TRUE(FileExists((prefix + L"20200101_1200.txt").c_str()));
        EXPECT_EQ(path, prefix + L"20261210_134530.txt");
    }
}

TEST_F(FakeClockTest, TwoFilesInOneSecondTakeTheNextSecond)
{
    TempFolder dir(L"same");
    const std::wstring prefix = dir / kTracePrefix;
    std::wstring first;
    std::wstring second;
    ASSERT_EQ(CreateLogFile(LOGFILE_TRACE, prefix, &first), L"");
    ASSERT_EQ(CreateLogFile(LOGFILE_TRACE, prefix, &second), L"");
    EXPECT_EQ(first, prefix + L"20261210_134530.txt");
    EXPECT_EQ(second, prefix + L"20261210_134531.txt");
}

TEST_F(FakeClockTest, SixTakenNamesFailWithTheFirstError)
{
    TempFolder dir(L"taken");
    const std::wstring prefix = dir / kTracePrefix;
    for (int s = 30; s < 36; ++s) {
        Touch(prefix + L"20261210_1345" + std::to_wstring(s) + L".txt");
    }
    std::wstring path;
    const std::wstring error = CreateLogFile(LOGFILE_TRACE, prefix, &path);
    EXPECT_NE(error.find(L"20261210_134530.txt"), std::wstring::npos) << error;
    EXPECT_EQ(error.rfind(L"Unable to create file", 0), 0u);
}

TEST_F(FakeClockTest, StartTraceFileWritesTheRecentLogFirstAndKeepsTheRunningFile)
{
    TempFolder dir(L"start");
    OverrideSettingsFolder(dir.Path());
    TraceLine(RMD_CONTINUATION, L"start-up header line");
    ASSERT_EQ(StartTraceFile(), L"");
    const std::wstring path = TraceLog().FilePath();
    EXPECT_EQ(path, dir.Path() + L"\\DebInfo\\QVR_trc_20261210_134530.txt");
    TraceLine(RMD_STAMPED, L"after start");
    ASSERT_EQ(StartTraceFile(), L"");
    EXPECT_EQ(TraceLog().FilePath(), path);
    const std::string file = ReadFileBytes(path);
    EXPECT_NE(file.find("start-up header line\r\n"), std::string::npos);
    EXPECT_NE(file.find("00:00:00.000 after start\r\n"), std::string::npos);
    StopTraceFile();
    OverrideSettingsFolder(L"");
}

TEST(LocalTime, JulianDayRoundTrip)
{
    for (const SYSTEMTIME& t : {Date(2026, 12, 10, 13, 45, 30), Date(2000, 2, 29),
                                Date(1999, 12, 31, 23, 59, 59), Date(2026, 3, 1)}) {
        const SYSTEMTIME back = MsToLocalTime(LocalTimeMs(t));
        EXPECT_EQ(back.wYear, t.wYear);
        EXPECT_EQ(back.wMonth, t.wMonth);
        EXPECT_EQ(back.wDay, t.wDay);
        EXPECT_EQ(back.wHour, t.wHour);
        EXPECT_EQ(back.wSecond, t.wSecond);
    }
    const SYSTEMTIME before = MsToLocalTime(LocalTimeMs(Date(2026, 3, 1)) - 86400000);
    EXPECT_EQ(before.wMonth, 2);
    EXPECT_EQ(before.wDay, 28);
}

namespace {

RMDQVR* g_threadLog = nullptr;
constexpr int kThreads = 4;
constexpr int kLines = 150;

DWORD WINAPI WriteLines(void* arg)
{
    const int id = static_cast<int>(reinterpret_cast<intptr_t>(arg));
    for (int i = 0; i < kLines; ++i) {
        LogPrintf(g_threadLog, RMD_CONTINUATION, L"thread %i line %03i %s", id, i,
                  L"payload-payload-payload");
    }
    return 0;
}

}  // namespace

TEST(TraceLog, LinesFromManyThreadsStayWhole)
{
    TempFolder dir(L"threads");
    const std::wstring path = dir / L"t.txt";
    RMDQVR local;
    g_threadLog = &local;
    local.EnableFile(path);
    HANDLE threads[kThreads];
    for (int t = 0; t < kThreads; ++t) {
        threads[t] =
            CreateThread(nullptr, 0, WriteLines, reinterpret_cast<void*>(intptr_t(t)), 0, nullptr);
    }
    WaitForMultipleObjects(kThreads, threads, TRUE, 30000);
    for (HANDLE h : threads) {
        CloseHandle(h);
    }
    const std::string file = ReadFileBytes(path);
    int lines = 0;
    size_t start = 0;
    int next[kThreads] = {};
    for (size_t eol; (eol = file.find("\r\n", start)) != std::string::npos; start = eol + 2) {
        const std::string line = file.substr(start, eol - start);
        int id = -1;
        int n = -1;
        ASSERT_EQ(std::sscanf(line.c_str(), "thread %d line %d", &id, &n), 2) << line;
        ASSERT_TRUE(line.size() > 23 && line.substr(line.size() - 23) == "payload-payload-payload")
            << line;
        EXPECT_EQ(n, next[id]++);  // each thread's lines in its own order
        ++lines;
    }
    EXPECT_EQ(lines, kThreads * kLines);
    EXPECT_EQ(start, file.size());
}
