// Engine test double (see EngineDouble.h).
#include "EngineDouble.h"

#include <cstring>

namespace core2test {

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

const wchar_t* ReaderDouble::Open(BOOL, const wchar_t*, QVR_READ_CALLBACK r, QVR_SEEK_CALLBACK s,
                                  void* m, void* sc, void* t)
{
    read = r;
    seek = s;
    main = static_cast<READER_CB_PARAMS*>(m);
    scan = static_cast<READER_CB_PARAMS*>(sc);
    tags = t;
    if (openError) {
        return openError;
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
    ++formatsCreated;
    return new FormatDouble;
}

void EngineDouble::ReleaseVideoFormat(IQVRVideoFormat* record)
{
    ++formatsReleased;
    delete static_cast<FormatDouble*>(record);
}

}  // namespace core2test
