// Benchmark: reads every compressed sample of a presentation through the synchronous reader
// of "wmvcore.dll" (bound by name) and prints the time taken, the sample count and the bytes.
//   wmvcore_bench.exe PATH
#include <windows.h>
#include <wmsdk.h>

#include <cstdio>

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: wmvcore_bench PATH\n");
        return 2;
    }
    HMODULE module = LoadLibraryW(L"wmvcore.dll");
    using Create = HRESULT(WINAPI*)(IUnknown*, DWORD, IWMSyncReader**);
    auto create = module ? reinterpret_cast<Create>(reinterpret_cast<void (*)()>(
                               GetProcAddress(module, "WMCreateSyncReader")))
                         : nullptr;
    if (create == nullptr) {
        std::fprintf(stderr, "wmvcore.dll not loadable\n");
        return 1;
    }
    LARGE_INTEGER frequency, began, ended;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&began);
    IWMSyncReader* reader = nullptr;
    HRESULT hr = create(nullptr, 0, &reader);
    if (SUCCEEDED(hr)) {
        hr = reader->Open(argv[1]);
    }
    if (FAILED(hr)) {
        std::fprintf(stderr, "open failed: 0x%08lX\n", static_cast<unsigned long>(hr));
        return 1;
    }
    unsigned long long samples = 0;
    unsigned long long bytes = 0;
    for (;;) {
        INSSBuffer* buffer = nullptr;
        QWORD time, duration;
        DWORD flags;
        WORD stream;
        hr = reader->GetNextSample(0, &buffer, &time, &duration, &flags, nullptr, &stream);
        if (FAILED(hr)) {
            break;
        }
        DWORD length = 0;
        buffer->GetLength(&length);
        bytes += length;
        ++samples;
        buffer->Release();
    }
    reader->Close();
    reader->Release();
    QueryPerformanceCounter(&ended);
    const double seconds = double(ended.QuadPart - began.QuadPart) / double(frequency.QuadPart);
    std::printf("sync reader: %.3f s, %llu samples, %llu bytes, end 0x%08lX\n", seconds, samples,
                bytes, static_cast<unsigned long>(hr));
    return hr == static_cast<HRESULT>(0xC00D0BCF) ? 0 : 1;
}
