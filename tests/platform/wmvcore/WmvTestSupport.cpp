// Runtime binding, expected lists and sample reading for the stand-in tests.
#include "tests/platform/wmvcore/WmvTestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "tests/support/TestEnv.h"

namespace orvane::test {

const WmRuntime& Runtime()
{
    static WmRuntime runtime = [] {
        WmRuntime r;
        r.module = LoadLibraryW(L"wmvcore.dll");
        if (r.module != nullptr) {
            r.createReader = Proc<decltype(r.createReader)>(r.module, "WMCreateReader");
            r.createSyncReader = Proc<decltype(r.createSyncReader)>(r.module, "WMCreateSyncReader");
            r.createProfileManager =
                Proc<decltype(r.createProfileManager)>(r.module, "WMCreateProfileManager");
            r.createEditor = Proc<decltype(r.createEditor)>(r.module, "WMCreateEditor");
        }
        return r;
    }();
    EXPECT_NE(runtime.module, nullptr) << "wmvcore.dll not loadable";
    EXPECT_NE(runtime.createSyncReader, nullptr);
    return runtime;
}

std::string ReadMediaText(const std::wstring& name)
{
    std::string text;
    FILE* f = _wfopen(MediaPath(name.c_str()).c_str(), L"rb");
    if (f == nullptr) {
        return text;
    }
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof(buffer), f)) > 0) {
        text.append(buffer, n);
    }
    fclose(f);
    return text;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (!line.empty()) {
            lines.push_back(line);
        }
    }
    return lines;
}

std::vector<SampleRow> ExpectedSamples(const std::wstring& fixture,
                                       const std::vector<WORD>& streamNumbers)
{
    std::vector<SampleRow> rows;
    const std::string text = ReadMediaText(fixture + L".packets.csv");
    EXPECT_FALSE(text.empty()) << "missing expected packet list";
    for (const std::string& line : Lines(text)) {
        unsigned index = 0;
        unsigned long long pts = 0;
        unsigned size = 0;
        int key = 0;
        if (std::sscanf(line.c_str(), "%u,%llu,%u,%d", &index, &pts, &size, &key) != 4 ||
            index >= streamNumbers.size()) {
            ADD_FAILURE() << "bad expected line " << line;
            continue;
        }
        rows.push_back({streamNumbers[index], pts, size, key != 0});
    }
    return rows;
}

std::vector<WORD> StreamNumbers(IUnknown* reader)
{
    std::vector<WORD> numbers;
    IWMProfile* profile = nullptr;
    if (FAILED(reader->QueryInterface(IID_IWMProfile, reinterpret_cast<void**>(&profile)))) {
        ADD_FAILURE() << "no IWMProfile";
        return numbers;
    }
    DWORD count = 0;
    EXPECT_EQ(profile->GetStreamCount(&count), S_OK);
    for (DWORD i = 0; i < count; ++i) {
        IWMStreamConfig* config = nullptr;
        if (SUCCEEDED(profile->GetStream(i, &config))) {
            WORD number = 0;
            config->GetStreamNumber(&number);
            numbers.push_back(number);
            config->Release();
        }
    }
    profile->Release();
    return numbers;
}

std::vector<SampleRow> ReadAllSamples(IWMSyncReader* reader, HRESULT* end)
{
    std::vector<SampleRow> rows;
    for (;;) {
        INSSBuffer* buffer = nullptr;
        QWORD time = 0;
        QWORD duration = 0;
        DWORD flags = 0;
        WORD stream = 0;
        const HRESULT hr =
            reader->GetNextSample(0, &buffer, &time, &duration, &flags, nullptr, &stream);
        if (FAILED(hr)) {
            *end = hr;
            return rows;
        }
        DWORD length = 0;
        buffer->GetLength(&length);
        buffer->Release();
        rows.push_back({stream, time / 10000, length, (flags & WM_SF_CLEANPOINT) != 0});
    }
}

IWMSyncReader* OpenSync(const wchar_t* fixture)
{
    IWMSyncReader* reader = nullptr;
    const WmRuntime& rt = Runtime();
    if (rt.createSyncReader == nullptr) {
        return nullptr;
    }
    EXPECT_EQ(rt.createSyncReader(nullptr, 0, &reader), S_OK);
    if (reader == nullptr) {
        return nullptr;
    }
    const HRESULT hr = reader->Open(MediaPath(fixture).c_str());
    EXPECT_EQ(hr, S_OK) << "opening " << std::string(fixture, fixture + wcslen(fixture));
    if (FAILED(hr)) {
        reader->Release();
        return nullptr;
    }
    return reader;
}

}  // namespace orvane::test
