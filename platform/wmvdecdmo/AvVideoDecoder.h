// One libavcodec decoder of the Windows Media Video family: opened from the stream's FourCC,
// picture size and private data, fed whole compressed frames with their times, read back in
// presentation order as 4:2:0 planes. Knows nothing of COM; the DMO adapts it.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

struct AVCodecContext;
struct AVFrame;
struct AVPacket;

// A decoded picture, valid until the next call on its decoder.
struct DecodedPicture {
    const uint8_t* plane[3] = {};  // Y, U, V
    int stride[3] = {};
    int width = 0;
    int height = 0;
    bool hasTime = false;
    int64_t time = 0;              // 100 ns
    bool key = false;
};

class AvVideoDecoder {
public:
    AvVideoDecoder() = default;
    ~AvVideoDecoder();
    AvVideoDecoder(const AvVideoDecoder&) = delete;
    AvVideoDecoder& operator=(const AvVideoDecoder&) = delete;

    // Whether one of the built-in decoders handles the FourCC (WMV1, WMV2, WMV3, WVC1, WMVA).
    static bool Supports(DWORD fourcc);

    // S_OK, E_INVALIDARG for a FourCC or size no decoder takes, E_FAIL when the decoder
    // refuses the private data, E_OUTOFMEMORY.
    [[nodiscard]] HRESULT Open(DWORD fourcc, int width, int height, const uint8_t* extra,
                               size_t extraSize);
    void Close();
    bool IsOpen() const { return m_context != nullptr; }

    // Hands one compressed frame over. S_OK when taken; S_FALSE when the data is damaged and
    // was dropped (the stream goes on); E_FAIL when the decoder cannot take input now.
    [[nodiscard]] HRESULT Send(const uint8_t* data, size_t size, bool hasTime,
                               int64_t time);
    // S_OK with *picture filled, S_FALSE when no picture is ready (or all are drained).
    [[nodiscard]] HRESULT Receive(DecodedPicture* picture);
    // No more input for now: the pictures the decoder still holds come out of Receive; after
    // the last one the decoder takes input again.
    void Drain();
    // Drops everything held (a seek): the next frame starts afresh.
    void Flush();

private:
    AVCodecContext* m_context = nullptr;
    AVFrame* m_frame = nullptr;
    AVPacket* m_packet = nullptr;
    bool m_draining = false;
};
