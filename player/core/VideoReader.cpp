// The reader wrapper. Its registrations are forgotten as they are given back, so a closed
// wrapper can never close an id that the registry has since handed to another reader; a
// callback failure reaches the engine as an HRESULT, never as an exception.
#include "player/core/VideoReader.h"

#include "platform/framework/CComPtr.h"
#include "WinNT_SP/Include_VS2005/MyException.h"
#include "player/core/PlayerState.h"
#include "player/core/SingleOpenFile.h"
#include "WinNT_SP/Include_VS2005/TraceLog.h"
#include "player/core/VideoLibrary.h"
#include "WinNT_SP/Include_VS2005/Volume.h"

#include <strmif.h>
#include <uuids.h>

#include <algorithm>
#include <cstring>

namespace {

std::wstring Text(const wchar_t* engineText) { return engineText ? engineText : L""; }

HRESULT ExceptionResult(CException* e)
{
    if (auto* file = dynamic_cast<CFileException*>(e)) {
        return file->m_lOsError > 0
                   ? static_cast<HRESULT>(0x80070000u | (file->m_lOsError & 0xFFFF))
                   : static_cast<HRESULT>(file->m_lOsError);
    }
    if (dynamic_cast<CMemoryException*>(e)) {
        return E_OUTOFMEMORY;
    }
    return E_UNEXPECTED;
}

}  // namespace

VideoReader::VideoReader(IQVRVideo* engine) : m_engine(engine ? engine : VideoEngine()) {}

VideoReader::~VideoReader() { Close(); }

void VideoReader::Close()
{
    if (m_reader) {
        if (m_engine) {
            m_engine->ReleaseReader(m_reader);
        }
        m_reader = nullptr;
    }
    std::memset(m_info, 0, sizeof m_info);
    m_duration = 0;
    m_offset = 0;
    m_length = 0;
    m_audioText.clear();
    m_cameraText.clear();
    m_screenText.clear();
    for (READER_CB_PARAMS* access : {&m_main, &m_scan}) {
        if (access->sofId) {
            GetSOF().CloseSFile(access->sofId);
        }
        *access = READER_CB_PARAMS();
    }
}

std::wstring VideoReader::Open(int mode, const wchar_t* path, int64_t offset, int64_t length,
                               int flags)
{
    Close();
    int mainId = 0;
    int scanId = 0;
    int64_t fileSize = 0;
    std::wstring error = GetSOF().OpenSFile(&mainId, path, offset, length, &fileSize);
    if (!error.empty()) {
        return error;
    }
    error = GetSOF().OpenSFile(&scanId, path, offset, length, &fileSize);
    if (!error.empty()) {
        GetSOF().CloseSFile(mainId);
        return error;
    }
    m_main.sofId = mainId;
    m_scan.sofId = scanId;
    if (length == -1) {
        length = fileSize;
    }
    m_reader = m_engine ? m_engine->CreateReader() : nullptr;
    if (!m_reader) {
        Close();
        return L"The video engine could not create a presentation reader.";
    }
    m_offset = offset;
    m_length = length;
    m_mode = mode;
    m_main.reader = this;
    m_scan.reader = this;
    const wchar_t* text =
        m_reader->Open(mode, path, &ReadCallback, &SeekCallback, &m_main, &m_scan,
                       (flags & 2) ? static_cast<void*>(&m_tags) : nullptr);
    if (text && *text) {
        return text;
    }
    text = m_reader->GetInfo(m_info);
    if (text && *text) {
        return text;
    }
    if (flags & 1) {
        if (IQVRAudioFormat* a = m_reader->GetAudioFormat()) {
            m_audioText = Text(a->GetText());
        }
        if (IQVRVideoFormat* v = m_reader->GetVideoFormat(0)) {
            m_cameraText = Text(v->GetText());
        }
        if (IQVRVideoFormat* v = m_reader->GetVideoFormat(1)) {
            m_screenText = Text(v->GetText());
        }
    }
    m_duration = RoundToTimeGrid(std::max({StreamDuration(0), StreamDuration(1),
                                           StreamDuration(2)}));
    return std::wstring();
}

double VideoReader::StreamDuration(int stream) const
{
    double value = 0;
    std::memcpy(&value, m_info + QVR_READER_INFO_AUDIO_DURATION + 8 * stream, sizeof value);
    return value;
}

std::wstring VideoReader::SetReadRange(int64_t start, int64_t end)
{
    return m_reader ? Text(m_reader->SetReadRange(start, end)) : std::wstring();
}

std::wstring VideoReader::ShowVideo()
{
    return m_reader ? Text(m_reader->ShowVideo(TRUE)) : std::wstring();
}

BOOL VideoReader::IsOtherSource(int mode, int sourceKey, int64_t offset, int64_t length)
{
    if (m_reader && mode == m_mode && offset == m_offset && length == m_length &&
        GetSOF().IsSameSFile(sourceKey, m_main.sofId)) {
        return FALSE;
    }
    return TRUE;
}

std::wstring VideoReader::FindFrame(int64_t rangeStart, int64_t rangeEnd, int64_t from,
                                    BOOL backward, int64_t* found)
{
    LONGLONG time = -1;
    const std::wstring text =
        Text(m_reader->FindFrame(rangeStart, rangeEnd, from, 0, backward, &time));
    *found = time;
    return text;
}

std::wstring VideoReader::GetFrameTime(int64_t time, BOOL* found, int64_t* frameTime)
{
    LONGLONG t = -1;
    const std::wstring text = Text(m_reader->GetFrameTime(time, found, &t));
    *frameTime = t;
    return text;
}

std::wstring VideoReader::Play(IMoniker* device, BOOL keepPitch, BOOL mute, double speed,
                               double volume)
{
    CComPtr<IBaseFilter> filter;
    if (device && FAILED(device->BindToObject(nullptr, nullptr, IID_IBaseFilter,
                                               reinterpret_cast<void**>(&filter)))) {
        // A failed call may leave anything there: forget it without releasing it.
        (void)filter.Detach();
    }
    const long level = VolumeToDirectShow(0, volume);
    return Text(m_reader->Play(speed, keepPitch, filter, level, mute));
}

std::wstring VideoReader::Stop(double* position) { return Text(m_reader->Stop(TRUE, position)); }
std::wstring VideoReader::Pause() { return Text(m_reader->Pause()); }
std::wstring VideoReader::Resume() { return Text(m_reader->Resume()); }

DWORD VideoReader::ReadCallback(void* buffer, DWORD count, READER_CB_PARAMS* context,
                                HRESULT* result)
{
    *result = S_OK;
    try {
        return GetSOF().ReadSFile(context->sofId, buffer, count);
    } catch (CException* e) {
        *result = ExceptionResult(e);
        e->Delete();
        TraceLine(0, L"VID File Err [%s; %#x]",
                  L"dwRes = GetSOF().ReadSFile( pCBParams->dwSofID, (BYTE*) pBuff, dwToRead)",
                  static_cast<unsigned>(*result));
        return 0xFFFFFFFF;
    }
}

LONGLONG VideoReader::SeekCallback(LONGLONG distance, DWORD method, READER_CB_PARAMS* context,
                                   HRESULT* result)
{
    *result = S_OK;
    try {
        return GetSOF().SeekSFile(context->sofId, distance, static_cast<int>(method));
    } catch (CException* e) {
        *result = ExceptionResult(e);
        e->Delete();
        TraceLine(0, L"VID File Err [%s; %#x]",
                  L"i64Res = GetSOF().SeekSFile( pCBParams->dwSofID, i64ToMove, dwMoveMethod)",
                  static_cast<unsigned>(*result));
        return -1;
    }
}
