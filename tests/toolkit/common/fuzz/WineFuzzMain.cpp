// A small coverage-guided fuzzer for entries that only build for Windows and so cannot use
// the native libFuzzer: the code under test is compiled with -fsanitize-coverage=trace-pc,
// every basic block it enters reports here, and an input that reaches a block never seen is
// kept in the corpus. Runs for a bounded time under Wine and prints inputs run, per second and
// coverage (distinct blocks). A failed property or a crash leaves the input beside the corpus.
//   <program> SECONDS MAX_LEN CORPUS_DIR
#include <windows.h>

#include "tests/toolkit/common/fuzz/ArchiveFuzzEntry.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

// Distinct block addresses, open addressing; a full table stops counting, never overflows.
constexpr size_t kSlots = size_t(1) << 18;
uintptr_t g_blocks[kSlots];
size_t g_blockCount = 0;
bool g_newBlock = false;

Bytes g_current;
std::wstring g_crashPath;

void Save(const std::wstring& path, const Bytes& bytes)
{
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return;
    }
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

bool Load(const std::wstring& path, Bytes* bytes)
{
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    LARGE_INTEGER size{};
    const bool ok = GetFileSizeEx(file, &size) && size.QuadPart < (1 << 24);
    if (ok) {
        bytes->resize(static_cast<size_t>(size.QuadPart));
        DWORD got = 0;
        ReadFile(file, bytes->data(), static_cast<DWORD>(bytes->size()), &got, nullptr);
        bytes->resize(got);
    }
    CloseHandle(file);
    return ok;
}

LONG WINAPI OnCrash(EXCEPTION_POINTERS* info)
{
    Save(g_crashPath, g_current);
    std::printf("fuzz: crash 0x%08lX at %p; input saved\n",
                static_cast<unsigned long>(info->ExceptionRecord->ExceptionCode),
                info->ExceptionRecord->ExceptionAddress);
    std::fflush(stdout);
    ExitProcess(2);
}

struct Rng {
    uint64_t state;
    uint64_t Next()
    {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return state;
    }
    size_t Below(size_t n) { return n ? static_cast<size_t>(Next() % n) : 0; }
};

// Values at the edges of lengths and counts, written over 1, 2, 4 or 8 bytes.
constexpr uint64_t kInteresting[] = {0,      1,          0x7F,       0x80,       0xFF,
                                     0xFFFE, 0xFFFF,     0x10000,    0x7FFFFFFF, 0x80000000,
                                     0xFFFFFFFF, 0x0FF0ADBF, UINT64_MAX};

Bytes Mutate(const std::vector<Bytes>& corpus, const Bytes& seed, Rng& rng, size_t maxLen)
{
    Bytes b = seed;
    const int edits = 1 + static_cast<int>(rng.Below(4));
    for (int i = 0; i < edits; ++i) {
        const size_t at = rng.Below(b.size() + 1);
        switch (rng.Below(7)) {
        case 0:
            if (at < b.size()) {
                b.erase(b.begin() + static_cast<long>(at),
                        b.begin() + static_cast<long>(std::min(b.size(), at + 1 + rng.Below(16))));
            }
            break;
        case 1:
            b.insert(b.begin() + static_cast<long>(at), 1 + rng.Below(8),
                     static_cast<uint8_t>(rng.Next()));
            break;
        case 2:
            if (at < b.size()) {
                b[at] ^= static_cast<uint8_t>(1u << rng.Below(8));
            }
            break;
        case 3:
            if (at < b.size()) {
                b[at] = static_cast<uint8_t>(rng.Next());
            }
            break;
        case 4: {
            const size_t width = size_t(1) << rng.Below(4);
            if (at + width <= b.size()) {
                const uint64_t v = kInteresting[rng.Below(std::size(kInteresting))];
                std::memcpy(&b[at], &v, width);
            }
            break;
        }
        case 5: {
            // A piece of another input spliced in.
            const Bytes& other = corpus[rng.Below(corpus.size())];
            if (!other.empty()) {
                const size_t from = rng.Below(other.size());
                const size_t n = std::min(other.size() - from, 1 + rng.Below(64));
                b.insert(b.begin() + static_cast<long>(at), other.begin() + static_cast<long>(from),
                         other.begin() + static_cast<long>(from + n));
            }
            break;
        }
        default:
            b.resize(at);
            break;
        }
    }
    if (b.size() > maxLen) {
        b.resize(maxLen);
    }
    return b;
}

}  // namespace

extern "C" void __sanitizer_cov_trace_pc()
{
    const uintptr_t pc = reinterpret_cast<uintptr_t>(__builtin_return_address(0));
    size_t slot = (pc * 0x9E3779B97F4A7C15ull >> 20) & (kSlots - 1);
    for (size_t probe = 0; probe < 64; ++probe) {
        if (g_blocks[slot] == pc) {
            return;
        }
        if (g_blocks[slot] == 0) {
            g_blocks[slot] = pc;
            ++g_blockCount;
            g_newBlock = true;
            return;
        }
        slot = (slot + 1) & (kSlots - 1);
    }
}

int wmain(int argc, wchar_t** argv)
{
    if (argc < 4) {
        std::printf("usage: SECONDS MAX_LEN CORPUS_DIR\n");
        return 2;
    }
    const double seconds = _wtof(argv[1]);
    const size_t maxLen = static_cast<size_t>(_wtoi(argv[2]));
    const std::wstring dir = argv[3];
    CreateDirectoryW(dir.c_str(), nullptr);
    g_crashPath = dir + L"-crash.bin";
    SetUnhandledExceptionFilter(OnCrash);

    std::vector<Bytes> corpus = orvane::fuzz::ArchiveExchangeSeeds();
    WIN32_FIND_DATAW found;
    const HANDLE find = FindFirstFileW((dir + L"\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            Bytes kept;
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                Load(dir + L"\\" + found.cFileName, &kept)) {
                corpus.push_back(kept);
            }
        } while (FindNextFileW(find, &found));
        FindClose(find);
    }
    const size_t loaded = corpus.size();
    Rng rng{0x2545F4914F6CDD1Dull ^ GetTickCount64()};
    LARGE_INTEGER frequency{};
    LARGE_INTEGER start{};
    LARGE_INTEGER now{};
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    uint64_t runs = 0;
    size_t added = 0;
    double elapsed = 0;
    for (size_t i = 0;; ++i) {
        // The seeds and the kept inputs first, then mutations of them.
        g_current = i < loaded ? corpus[i] : Mutate(corpus, corpus[rng.Below(corpus.size())], rng,
                                                    maxLen);
        g_newBlock = false;
        if (!orvane::fuzz::ArchiveExchangeEntry(g_current.data(), g_current.size())) {
            Save(g_crashPath, g_current);
            std::printf("fuzz: a property failed after %llu inputs; input saved\n",
                        static_cast<unsigned long long>(runs));
            return 1;
        }
        ++runs;
        if (g_newBlock && i >= loaded) {
            corpus.push_back(g_current);
            wchar_t name[32];
            swprintf(name, 32, L"\\kept-%llu", static_cast<unsigned long long>(runs));
            Save(dir + name, g_current);
            ++added;
        }
        if ((runs & 63) == 0) {
            QueryPerformanceCounter(&now);
            elapsed = double(now.QuadPart - start.QuadPart) / double(frequency.QuadPart);
            if (elapsed >= seconds) {
                break;
            }
        }
    }
    std::printf("fuzz: %llu inputs, %.0f per second, coverage %zu blocks, corpus %zu "
                "(%zu new)\n",
                static_cast<unsigned long long>(runs), double(runs) / elapsed, g_blockCount,
                corpus.size(), added);
    return 0;
}
