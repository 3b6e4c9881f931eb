// The worker-thread crash report: a real access violation in a test thread, the hex dump and
// trace-scope printing on crafted memory, and the stack scan's dump limits.
#include "WinNT_SP/Include_VS2005/ui/CrashReport.h"
#include "WinNT_SP/Include_VS2005/ui/ModuleTable.h"
#include "WinNT_SP/Include_VS2005/ui/WorkerCrashScope.h"
#include "tests/WinNT_SP/Include_VS2005/ui/CollectSink.h"

#include <gtest/gtest.h>

#include <malloc.h>

#include <cstring>
#include <cwchar>
#include <string>

using orvane::test::CollectSink;

namespace {

// An address as the report prints it (8 or 16 hex digits, as wide as a pointer).
std::wstring Hex(uintptr_t value)
{
    wchar_t text[24];
    std::swprintf(text, 24, L"%0*llX", kAddressDigits, static_cast<unsigned long long>(value));
    return text;
}

#ifdef _WIN64
const wchar_t* const kStackRegisters = L"Rsp=";
const wchar_t* const kIntegerRegisters = L"Rax=";
#else
const wchar_t* const kStackRegisters = L"Esp=";
const wchar_t* const kIntegerRegisters = L"Eax=";
#endif

void* volatile g_keepAlive;
// Read at run time, so that the compiler cannot turn the room below into a fixed frame slot.
volatile size_t g_roomBytes = 4096;
unsigned g_innerLine;
unsigned g_faultLine;
unsigned g_workerLine;
std::wstring g_callbackText;

__attribute__((noinline)) void Inner()
{
    g_innerLine = __LINE__ + 1;
    TRACE_FUNCTION();
    g_keepAlive = &g_innerLine;
}

__attribute__((noinline)) void ReturningCaller()
{
    TRACE_FUNCTION();
    // Puts Inner's frame deeper than Faulting's fixed frame will reach (the x64 frames of the
    // two would otherwise overlap), inside the room Faulting leaves unwritten.
    volatile char pad[512];
    pad[0] = 0;
    g_keepAlive = const_cast<char*>(pad);
    Inner();
}

__attribute__((noinline)) void Faulting()
{
    g_faultLine = __LINE__ + 1;
    TRACE_FUNCTION();
    // Room that is never written, so the records of functions that have returned stay intact.
    g_keepAlive = alloca(g_roomBytes);
    volatile uintptr_t target = 0x10;
    *reinterpret_cast<volatile int*>(target) = 1;
}

DWORD WINAPI CrashingWorker(void*)
{
    WorkerCrashScope scope;
    g_workerLine = __LINE__ + 1;
    TRACE_FUNCTION();
    ReturningCaller();
    Faulting();
    return 0;
}

void RememberText(const wchar_t* text, void*)
{
    g_callbackText = text;
}

}  // namespace

TEST(CrashReport, AccessViolationInWorkerThreadIsReportedAndEndsOnlyThatThread)
{
    CollectSink sink;
    SetCrashReportSettings({&sink, nullptr, RememberText, nullptr});
    HANDLE thread = CreateThread(nullptr, 0, CrashingWorker, nullptr, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    ASSERT_EQ(WaitForSingleObject(thread, 10000), WAIT_OBJECT_0);
    DWORD exitCode = 0;
    GetExitCodeThread(thread, &exitCode);
    CloseHandle(thread);
    ResetCrashReportSettings();
    EXPECT_EQ(exitCode, 0xC0000005u);

    const auto lines = sink.Lines();
    ASSERT_GT(lines.size(), 6u) << sink.Text();
    EXPECT_EQ(lines[0].flags, 0u);
    EXPECT_EQ(lines[0].text.rfind(L"Thr.2 unexp.prog.exc.C0000005 (ACCESS_VIOLATION) at ", 0), 0u);
    const std::wstring tail = L", Wr 10";
    EXPECT_EQ(lines[0].text.substr(lines[0].text.size() - tail.size()), tail) << lines[0].text;
    for (size_t i = 1; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].flags, 1u) << i;
    }
    const std::wstring all = sink.Text();
    EXPECT_NE(all.find(L", ui_tests.exe\n"), std::wstring::npos) << all;
    EXPECT_TRUE(sink.HasLineStartingWith(kStackRegisters)) << all;
    EXPECT_TRUE(sink.HasLineStartingWith(kIntegerRegisters)) << all;
    EXPECT_TRUE(sink.HasLineStartingWith(L"Stack:"));
    EXPECT_TRUE(sink.HasLineStartingWith(L"Stack->:"));
    auto scopeLine = [&](const wchar_t* kind, unsigned line) {
        wchar_t text[80];
        std::swprintf(text, 80, L": %ls CrashReportTest.cpp %u ", kind, line);
        return all.find(text) != std::wstring::npos;
    };
    EXPECT_TRUE(scopeLine(L"Enter", g_workerLine)) << all;
    EXPECT_TRUE(scopeLine(L"Enter", g_faultLine)) << all;
    EXPECT_TRUE(scopeLine(L"Leave", g_innerLine)) << all;
    EXPECT_EQ(g_callbackText.rfind(L"Unexpected program exception C0000005 (ACCESS_VIOLATION) at ",
                                   0),
              0u);
}

TEST(CrashReport, WithoutSinkOnlyTheTextIsBuilt)
{
    EXPECT_EQ(FormatUnexpectedException(nullptr, 0xC0000094, nullptr, nullptr),
              L"Unexpected program exception C0000094 (INT_DIVIDE_BY_ZERO) at " + Hex(0));
    EXPECT_EQ(FormatUnexpectedException(nullptr, 0x12345678, nullptr, L""),
              L"Unexpected program exception 12345678 (?) at " + Hex(0));
    EXPECT_EQ(FormatUnexpectedException(nullptr, 0xC00000FD, nullptr, L"Reader thread died"),
              L"Reader thread died");
}

TEST(CrashReport, ExceptionNames)
{
    EXPECT_STREQ(ExceptionName(0x80000001), L"GUARD_PAGE");
    EXPECT_STREQ(ExceptionName(0xC000008E), L"FLT_DIVIDE_BY_ZERO");
    EXPECT_STREQ(ExceptionName(0xC00000FD), L"STACK_OVERFLOW");
    EXPECT_STREQ(ExceptionName(0xE06D7363), L"?");
}

TEST(HexDump16, LinesOfSixteenBytes)
{
    const char data[] = "AB\x01\x7F" "EFGHIJKLMNOPQRSTUVWXYZ";
    const uintptr_t at = reinterpret_cast<uintptr_t>(data);
    CollectSink sink;
    HexDump16(&sink, L"p ", at, 20);
    const auto lines = sink.Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].text,
              L"p " + Hex(at) +
                  L": 41 42 01 7F  45 46 47 48  49 4A 4B 4C  4D 4E 4F 50  AB..EFGHIJKLMNOP");
    // The hex part is always 50 characters: blanks stand for bytes past the length.
    wchar_t expected[200];
    std::swprintf(expected, 200, L"p %ls: %-50ls  QRST", Hex(at + 16).c_str(), L"51 52 53 54");
    EXPECT_EQ(lines[1].text, expected);
}

TEST(HexDump16, UnreadableMemory)
{
    CollectSink sink;
    HexDump16(&sink, L"", 0, 16);
    HexDump16(&sink, L"x", 0x10, 16);
    auto lines = sink.Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].text, Hex(0));
    EXPECT_EQ(lines[1].text, L"x" + Hex(0x10));

    // A readable page followed by an inaccessible one: the dump stops after the bad byte's line.
    BYTE* pages = static_cast<BYTE*>(VirtualAlloc(nullptr, 8192, MEM_COMMIT, PAGE_READWRITE));
    ASSERT_NE(pages, nullptr);
    DWORD old;
    VirtualProtect(pages + 4096, 4096, PAGE_NOACCESS, &old);
    std::memset(pages + 4096 - 2, 'z', 2);
    CollectSink partial;
    const uintptr_t at = reinterpret_cast<uintptr_t>(pages + 4096 - 2);
    HexDump16(&partial, L"", at, 64);
    lines = partial.Lines();
    ASSERT_EQ(lines.size(), 1u);
    wchar_t expected[200];
    std::swprintf(expected, 200, L"%ls: %-50ls  zz.", Hex(at).c_str(), L"7A 7A ..");
    EXPECT_EQ(lines[0].text, expected);
    VirtualFree(pages, 0, MEM_RELEASE);
}

TEST(PrintTraceScope, RecognisesOnlyWholeRecords)
{
    static const char file[] = "src\\player\\Reader.cpp";
    static const char bare[] = "Bare.cpp";
    struct Case {
        uint32_t magic;
        const char* name;
        uint32_t length;
        const wchar_t* expected;  // null: not a record; the frame word follows it
    } cases[] = {
        {0xA4B32A1C, file, sizeof(file) - 1, L"> Enter Reader.cpp 42 "},
        {0x1B272E7B, file, sizeof(file) - 1, L"> Leave Reader.cpp 42 "},
        {0xA4B32A1C, bare, sizeof(bare) - 1, L"> Enter Bare.cpp 42 "},
        {0xA4B32A1D, file, sizeof(file) - 1, nullptr},
        {0xA4B32A1C, file, sizeof(file) - 2, nullptr},
        {0xA4B32A1C, file, 0, nullptr},
        {0xA4B32A1C, file, 260, nullptr},
        {0xA4B32A1C, reinterpret_cast<const char*>(0x20), 4, nullptr},
    };
    for (const Case& c : cases) {
        const TRACE_SCOPE record = {c.magic, c.name, c.length, 42, 0x00401000, 0};
        CollectSink sink;
        const bool found = PrintTraceScope(reinterpret_cast<uintptr_t>(&record), L"> ", &sink);
        EXPECT_EQ(found, c.expected != nullptr) << c.magic << " " << c.length;
        if (c.expected) {
            ASSERT_EQ(sink.Lines().size(), 1u);
            EXPECT_EQ(sink.Lines()[0].text, c.expected + Hex(0x00401000) + L" D=0=0");
        } else {
            EXPECT_TRUE(sink.Lines().empty());
        }
    }
}

TEST(CrashReport, StackScanDumpsEachValueOnceAndAtMostEightProgramAddresses)
{
    // A context record followed by stack words, as the exception dispatcher lays them out.
    alignas(16) BYTE frame[sizeof(CONTEXT) + 64 * sizeof(uintptr_t)] = {};
    CONTEXT* context = reinterpret_cast<CONTEXT*>(frame);
    context->ContextFlags = CONTEXT_CONTROL | CONTEXT_INTEGER;
#ifdef _WIN64
    const size_t start = sizeof(CONTEXT);
#else
    const size_t start = offsetof(CONTEXT, SegSs) + sizeof(DWORD);
#endif
    uintptr_t* words = reinterpret_cast<uintptr_t*>(frame + start);
    const uintptr_t code = reinterpret_cast<uintptr_t>(&Inner);
    for (int i = 0; i < 5; ++i) {
        words[i] = code;
    }
    for (int i = 0; i < 10; ++i) {
        words[5 + i] = code + 32 * (i + 1);
    }
    EXCEPTION_RECORD record = {};
    record.ExceptionCode = 0xC0000096;
    EXCEPTION_POINTERS pointers = {&record, context};
    CollectSink sink;
    FormatUnexpectedException(&sink, record.ExceptionCode, &pointers, nullptr);
    auto dumped = [&](int index) {
        wchar_t text[40];
        std::swprintf(text, 40, L"+%03X: %ls: ", static_cast<unsigned>(index * sizeof(uintptr_t)),
                      Hex(words[index]).c_str());
        return sink.HasLineStartingWith(text);
    };
    EXPECT_TRUE(dumped(0)) << sink.Text();
    for (int i = 1; i < 5; ++i) {
        EXPECT_FALSE(dumped(i)) << i;
    }
    for (int i = 5; i < 12; ++i) {
        EXPECT_TRUE(dumped(i)) << i;
    }
    EXPECT_FALSE(dumped(12));
    EXPECT_FALSE(dumped(13));
}

TEST(ModuleTable, LookupKinds)
{
    ModuleTable table;
    table.Build();
    EXPECT_GT(table.Count(), 2);
    int local = 0;
    EXPECT_EQ(table.Lookup(0).kind, ADDR_NOT_POINTER);
    EXPECT_EQ(table.Lookup(0xFFFF).kind, ADDR_NOT_POINTER);
    EXPECT_EQ(table.Lookup(reinterpret_cast<uintptr_t>(&local)).kind, ADDR_UNOWNED);
    const AddressInfo own = table.Lookup(reinterpret_cast<uintptr_t>(&Faulting));
    EXPECT_EQ(own.kind, ADDR_PROGRAM);
    EXPECT_STREQ(own.fileName, L"ui_tests.exe");
    const AddressInfo other = table.Lookup(reinterpret_cast<uintptr_t>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "GetTickCount")));
    EXPECT_EQ(other.kind, ADDR_OTHER_MODULE);
    EXPECT_EQ(_wcsicmp(other.fileName, L"kernel32.dll"), 0) << other.path;
}
