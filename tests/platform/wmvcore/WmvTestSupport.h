// Helpers of the Windows Media stand-in tests: the runtime loaded by name (as the player
// binds it), the expected lists written by ffprobe at build time, and sample lists read
// through the synchronous reader.
#pragma once

#include <windows.h>
#include <wmsdk.h>

#include <string>
#include <vector>

namespace orvane::test {

struct WmRuntime {
    HMODULE module = nullptr;
    HRESULT(WINAPI* createReader)(IUnknown*, DWORD, IWMReader**) = nullptr;
    HRESULT(WINAPI* createSyncReader)(IUnknown*, DWORD, IWMSyncReader**) = nullptr;
    HRESULT(WINAPI* createProfileManager)(IWMProfileManager**) = nullptr;
    HRESULT(WINAPI* createEditor)(IWMMetadataEditor**) = nullptr;
};

// GetProcAddress at the procedure's own type (through the generic function type, which the
// compiler accepts as a cast between function pointer types).
template <typename T>
T Proc(HMODULE module, const char* name)
{
    return reinterpret_cast<T>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

// "wmvcore.dll" bound by name once per process; fails the test when anything is missing.
const WmRuntime& Runtime();

struct SampleRow {
    WORD stream = 0;
    unsigned long long ms = 0;
    unsigned size = 0;
    bool key = false;

    friend bool operator==(const SampleRow&, const SampleRow&) = default;
    friend bool operator<(const SampleRow& a, const SampleRow& b)
    {
        return a.stream != b.stream ? a.stream < b.stream : a.ms < b.ms;
    }
};

// Text of a generated file in the media folder ("" when missing).
std::string ReadMediaText(const std::wstring& name);
std::vector<std::string> Lines(const std::string& text);

// ffprobe's packets of a fixture, stream indexes mapped to the profile's stream numbers.
std::vector<SampleRow> ExpectedSamples(const std::wstring& fixture,
                                       const std::vector<WORD>& streamNumbers);
// The stream numbers of a reader's profile, in profile order.
std::vector<WORD> StreamNumbers(IUnknown* reader);
// Every sample GetNextSample gives until it fails; *end receives that final result.
std::vector<SampleRow> ReadAllSamples(IWMSyncReader* reader, HRESULT* end);

// A reader opened on a fixture (fails the test on error).
IWMSyncReader* OpenSync(const wchar_t* fixture);

}  // namespace orvane::test
