// The player's handle on one engine presentation reader: opens the source through the
// shared-file registry, serves the engine's read and seek callbacks from two instances of it,
// reads the stream information and format texts, and turns the playback operations' results
// into error texts (empty on success).
#pragma once

#include "Common/QVRInterfaces.h"
#include "player/core/WMTag.h"

#include <cstdint>
#include <string>

class VideoReader;

// The context of one of the engine's file accesses.
struct READER_CB_PARAMS {
    VideoReader* reader = nullptr;
    int sofId = 0;
};

class VideoReader {
public:
    // The engine that creates and frees the engine reader (the program's engine by default).
    explicit VideoReader(IQVRVideo* engine = nullptr);
    virtual ~VideoReader();
    VideoReader(const VideoReader&) = delete;
    VideoReader& operator=(const VideoReader&) = delete;

    // Flag bit 0: read the format texts; bit 1: have the engine fill the metadata block.
    std::wstring Open(int mode, const wchar_t* path, int64_t offset, int64_t length, int flags);
    void Close();
    std::wstring SetReadRange(int64_t start, int64_t end);
    std::wstring ShowVideo();
    BOOL IsOtherSource(int mode, int sourceKey, int64_t offset, int64_t length);
    std::wstring FindFrame(int64_t rangeStart, int64_t rangeEnd, int64_t from, BOOL backward,
                           int64_t* found);
    std::wstring GetFrameTime(int64_t time, BOOL* found, int64_t* frameTime);
    std::wstring Play(IMoniker* device, BOOL keepPitch, BOOL mute, double speed, double volume);
    std::wstring Stop(double* position);
    std::wstring Pause();
    std::wstring Resume();

    double Duration() const { return m_duration; }
    double StreamDuration(int stream) const;  // 0 audio, 1 camera, 2 screen
    const std::wstring& AudioFormatText() const { return m_audioText; }
    const std::wstring& CameraFormatText() const { return m_cameraText; }
    const std::wstring& ScreenFormatText() const { return m_screenText; }
    const WM_TAG_BLOCK& Tags() const { return m_tags; }
    int64_t WindowOffset() const { return m_offset; }
    int64_t WindowLength() const { return m_length; }
    const READER_CB_PARAMS& MainAccess() const { return m_main; }
    const READER_CB_PARAMS& ScanAccess() const { return m_scan; }
    bool IsOpen() const { return m_reader != nullptr; }

    // The engine's callbacks (public for the tests).
    static DWORD ReadCallback(void* buffer, DWORD count, READER_CB_PARAMS* context,
                              HRESULT* result);
    static LONGLONG SeekCallback(LONGLONG distance, DWORD method, READER_CB_PARAMS* context,
                                 HRESULT* result);

private:
    IQVRVideo* m_engine;
    IQVRVideoReader* m_reader = nullptr;
    BYTE m_info[QVR_READER_INFO_BYTES] = {};
    double m_duration = 0;
    int64_t m_offset = 0;
    int64_t m_length = 0;
    READER_CB_PARAMS m_main;
    READER_CB_PARAMS m_scan;
    int m_mode = 0;
    std::wstring m_audioText;
    std::wstring m_cameraText;
    std::wstring m_screenText;
    WM_TAG_BLOCK m_tags = {};
};
