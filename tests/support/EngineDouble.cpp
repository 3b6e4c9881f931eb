// Engine test double (see EngineDouble.h).
#include "tests/support/EngineDouble.h"

#include <cstring>

namespace orvane::test {

void FormatDouble::Load(const wchar_t* t)
{
    ++loads;
    text = t;
    description[0] = L"Long " + text;
    description[1] = L"Short " + text;
    description[2] = L"Params " + text;
    description[3] = L"Alt " + text;
}

void FormatDouble::GetDescription(wchar_t* block)
{
    std::memset(block, 0, QVR_FORMAT_DESCRIPTION_BYTES);
    for (int i = 0; i < 4; ++i) {
        description[i].copy(block + i * QVR_FORMAT_DESCRIPTION_CHARS, 255);
    }
}

const wchar_t* ReaderDouble::Open(BOOL, const wchar_t* name, QVR_READ_CALLBACK r,
                                  QVR_SEEK_CALLBACK s, void* m, void* sc, void* t)
{
    read = r;
    seek = s;
    main = static_cast<READER_CB_PARAMS*>(m);
    scan = static_cast<READER_CB_PARAMS*>(sc);
    tags = t;
    if (openError) {
        return openError;
    }
    if (checkAsf) {
        BYTE header[16] = {};
        HRESULT hr = S_OK;
        seek(0, FILE_BEGIN, main, &hr);
        const DWORD got = read(header, sizeof header, main, &hr);
        // The first bytes of an ASF file: the header object's GUID.
        static const BYTE kAsf[4] = {0x30, 0x26, 0xB2, 0x75};
        const bool asf = got == sizeof header && std::memcmp(header, kAsf, 4) == 0;
        if (trace) {
            trace->Log(0, L"FakeEngine: Open %s (%s)", name, asf ? L"ASF" : L"not ASF");
        }
        return asf ? nullptr : L"Not a Windows Media file.";
    }
    HRESULT hr = E_FAIL;
    firstBytes.resize(8);
    const DWORD got = read(firstBytes.data(), 8, main, &hr);
    firstBytes.resize(got == 0xFFFFFFFF ? 0 : got);
    scanEnd = seek(0, 2, scan, &hr);
    if (t && title) {
        std::wcscpy(static_cast<wchar_t*>(t) + 3 * 256, title);
    }
    return nullptr;
}

const wchar_t* ReaderDouble::GetInfo(void* out)
{
    std::memset(out, 0, QVR_READER_INFO_BYTES);
    std::memcpy(static_cast<char*>(out) + QVR_READER_INFO_AUDIO_DURATION, durations,
                sizeof durations);
    return nullptr;
}

const wchar_t* ReaderDouble::Play(double speed, BOOL, IBaseFilter* f, long volume, BOOL)
{
    playSpeed = speed;
    playVolume = volume;
    playFilter = f != nullptr;
    if (trace) {
        trace->Log(0, L"FakeEngine: Play x%g", speed);
        trace->OnPosition(1.5);
    }
    return nullptr;
}

const wchar_t* ReaderDouble::Stop(BOOL unused, double* position)
{
    stopArgument = unused;
    if (trace) {
        trace->Log(0, L"FakeEngine: Stop");
    }
    if (position) {
        *position = stopPosition;
    }
    return nullptr;
}

IQVRVideoFormat* ReaderDouble::GetVideoFormat(int i)
{
    if (i == 0) {
        return withCamera ? &camera : nullptr;
    }
    return withScreen ? &screen : nullptr;
}

EngineDouble::~EngineDouble()
{
    for (ReaderDouble* r : readers) {
        delete r;
    }
}

IQVRVideoReader* EngineDouble::CreateReader()
{
    if (failReaders) {
        return nullptr;
    }
    auto* r = new ReaderDouble;
    r->trace = trace;
    r->checkAsf = checkAsf;
    r->stopPosition = stopPosition;
    r->pauseError = pauseError;
    r->openError = nextOpenError;
    r->title = title;
    r->withAudio = withAudio;
    r->withCamera = withCamera;
    r->withScreen = withScreen;
    r->findResult = findResult;
    r->findRelative = findRelative;
    std::memcpy(r->durations, durations, sizeof durations);
    r->audio.SetText(L"WMA 2");
    r->camera.SetText(L"WMV 2 cam");
    r->screen.SetText(L"WMV 2 scr");
    readers.push_back(r);
    ++readersAlive;
    return r;
}

void EngineDouble::ReleaseReader(IQVRVideoReader* reader)
{
    if (reader) {
        --readersAlive;
    }
}

IQVRAudioFormat* EngineDouble::CreateAudioFormat()
{
    if (!formatRecords) {
        return nullptr;
    }
    ++formatsCreated;
    return new FormatDouble;
}

void EngineDouble::ReleaseAudioFormat(IQVRAudioFormat* record)
{
    ++formatsReleased;
    delete static_cast<FormatDouble*>(record);
}

IQVRVideoFormat* EngineDouble::CreateVideoFormat()
{
    if (!formatRecords) {
        return nullptr;
    }
    ++formatsCreated;
    return new FormatDouble;
}

void EngineDouble::ReleaseVideoFormat(IQVRVideoFormat* record)
{
    ++formatsReleased;
    delete static_cast<FormatDouble*>(record);
}

int EngineDouble::SetSettingsText(int kind, const wchar_t* text)
{
    if (trace) {
        trace->Log(0, L"FakeEngine: SetSettingsText %i [%s]", kind, text ? text : L"(null)");
    }
    return 0;
}

void EngineDouble::SetVideoWindows(HWND camera, HWND screen)
{
    if (trace) {
        trace->Log(0, L"FakeEngine: SetVideoWindows %i %i", camera ? 1 : 0, screen ? 1 : 0);
    }
}

}  // namespace orvane::test
