// The interim presentation's engine reader and its file callbacks.
#include "InterimPresentation.h"

#include "VideoLibrary.h"

#include <algorithm>
#include <cstring>

namespace {

using Access = InterimPresentation::FileAccess;

DWORD ReadFileCallback(void* buffer, DWORD bytes, READER_CB_PARAMS* context, HRESULT* result)
{
    auto* access = reinterpret_cast<Access*>(context);
    DWORD read = 0;
    if (!access || !ReadFile(access->file, buffer, bytes, &read, nullptr)) {
        if (result) {
            *result = HRESULT_FROM_WIN32(GetLastError());
        }
        return 0xFFFFFFFF;
    }
    if (result) {
        *result = S_OK;
    }
    return read;
}

LONGLONG SeekFileCallback(LONGLONG offset, DWORD method, READER_CB_PARAMS* context,
                          HRESULT* result)
{
    auto* access = reinterpret_cast<Access*>(context);
    LARGE_INTEGER distance;
    distance.QuadPart = offset;
    LARGE_INTEGER position = {};
    if (!access || !SetFilePointerEx(access->file, distance, &position, method)) {
        if (result) {
            *result = HRESULT_FROM_WIN32(GetLastError());
        }
        return -1;
    }
    if (result) {
        *result = S_OK;
    }
    return position.QuadPart;
}

HANDLE OpenShared(const std::wstring& path)
{
    return CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

std::wstring Text(const wchar_t* text) { return text ? text : L""; }

}  // namespace

InterimPresentation::~InterimPresentation()
{
    if (m_reader) {
        double position = 0;
        m_reader->Stop(TRUE, &position);
        VideoEngine()->ReleaseReader(m_reader);
    }
    for (Access* access : {&m_main, &m_scan}) {
        if (access->file != INVALID_HANDLE_VALUE) {
            CloseHandle(access->file);
        }
    }
}

std::wstring InterimPresentation::Open(const std::wstring& path)
{
    m_path = path;
    m_main.file = OpenShared(path);
    m_scan.file = OpenShared(path);
    if (m_main.file == INVALID_HANDLE_VALUE || m_scan.file == INVALID_HANDLE_VALUE) {
        return L"Cannot open \"" + path + L"\".";
    }
    IQVRVideo* engine = VideoEngine();
    m_reader = engine ? engine->CreateReader() : nullptr;
    if (!m_reader) {
        return L"The video engine could not create a reader.";
    }
    std::wstring error = Text(m_reader->Open(0, path.c_str(), ReadFileCallback, SeekFileCallback,
                                             &m_main, &m_scan, &m_tags.m_block));
    if (!error.empty()) {
        return error;
    }
    static BYTE info[QVR_READER_INFO_BYTES];
    memset(info, 0, sizeof info);
    error = Text(m_reader->GetInfo(info));
    if (!error.empty()) {
        return error;
    }
    double audio, camera, screen;
    memcpy(&audio, info + QVR_READER_INFO_AUDIO_DURATION, sizeof audio);
    memcpy(&camera, info + QVR_READER_INFO_CAMERA_DURATION, sizeof camera);
    memcpy(&screen, info + QVR_READER_INFO_SCREEN_DURATION, sizeof screen);
    m_duration = std::max({audio, camera, screen, 0.0});
    m_hasVideo = (m_reader->GetVideoFormat(0) || m_reader->GetVideoFormat(1)) ? TRUE : FALSE;
    return Text(m_reader->ShowVideo(TRUE));
}

std::wstring InterimPresentation::Play(double speed)
{
    return m_reader ? Text(m_reader->Play(speed, TRUE, nullptr, 0, FALSE)) : L"";
}

std::wstring InterimPresentation::Pause() { return m_reader ? Text(m_reader->Pause()) : L""; }

std::wstring InterimPresentation::Resume() { return m_reader ? Text(m_reader->Resume()) : L""; }

std::wstring InterimPresentation::Stop(double* position)
{
    return m_reader ? Text(m_reader->Stop(TRUE, position)) : L"";
}
