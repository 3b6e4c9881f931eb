#include "platform/wmvdecdmo/AvVideoDecoder.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/error.h>
}

namespace {

constexpr DWORD FourCc(char a, char b, char c, char d)
{
    return static_cast<DWORD>(static_cast<BYTE>(a)) |
           (static_cast<DWORD>(static_cast<BYTE>(b)) << 8) |
           (static_cast<DWORD>(static_cast<BYTE>(c)) << 16) |
           (static_cast<DWORD>(static_cast<BYTE>(d)) << 24);
}

AVCodecID CodecFor(DWORD fourcc)
{
    // Lower-case tags occur in files written by other tools.
    DWORD upper = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        DWORD c = (fourcc >> shift) & 0xFF;
        if (c >= 'a' && c <= 'z') {
            c -= 'a' - 'A';
        }
        upper |= c << shift;
    }
    if (upper == FourCc('W', 'M', 'V', '1')) {
        return AV_CODEC_ID_WMV1;
    }
    if (upper == FourCc('W', 'M', 'V', '2')) {
        return AV_CODEC_ID_WMV2;
    }
    if (upper == FourCc('W', 'M', 'V', '3')) {
        return AV_CODEC_ID_WMV3;
    }
    if (upper == FourCc('W', 'V', 'C', '1') || upper == FourCc('W', 'M', 'V', 'A')) {
        return AV_CODEC_ID_VC1;
    }
    return AV_CODEC_ID_NONE;
}

// The 100 ns clock of DirectShow, as libavcodec's time base.
constexpr AVRational kTimeBase{1, 10000000};

}  // namespace

AvVideoDecoder::~AvVideoDecoder()
{
    Close();
}

bool AvVideoDecoder::Supports(DWORD fourcc)
{
    return CodecFor(fourcc) != AV_CODEC_ID_NONE;
}

HRESULT AvVideoDecoder::Open(DWORD fourcc, int width, int height, const uint8_t* extra,
                             size_t extraSize)
{
    Close();
    const AVCodecID id = CodecFor(fourcc);
    const AVCodec* codec = id == AV_CODEC_ID_NONE ? nullptr : avcodec_find_decoder(id);
    if (codec == nullptr || width <= 0 || height <= 0 || width > 16384 || height > 16384 ||
        extraSize > (1u << 20)) {
        return E_INVALIDARG;
    }
    m_context = avcodec_alloc_context3(codec);
    m_frame = av_frame_alloc();
    m_packet = av_packet_alloc();
    if (m_context == nullptr || m_frame == nullptr || m_packet == nullptr) {
        Close();
        return E_OUTOFMEMORY;
    }
    m_context->width = width;
    m_context->height = height;
    m_context->codec_tag = fourcc;
    m_context->pkt_timebase = kTimeBase;
    m_context->thread_count = 1;
    // Pictures equal to any other bit-exact build's, whatever the machine's instruction set.
    m_context->flags |= AV_CODEC_FLAG_BITEXACT;
    if (extraSize > 0) {
        m_context->extradata =
            static_cast<uint8_t*>(av_mallocz(extraSize + AV_INPUT_BUFFER_PADDING_SIZE));
        if (m_context->extradata == nullptr) {
            Close();
            return E_OUTOFMEMORY;
        }
        memcpy(m_context->extradata, extra, extraSize);
        m_context->extradata_size = static_cast<int>(extraSize);
    }
    if (avcodec_open2(m_context, codec, nullptr) < 0) {
        Close();
        return E_FAIL;
    }
    m_draining = false;
    return S_OK;
}

void AvVideoDecoder::Close()
{
    avcodec_free_context(&m_context);
    av_frame_free(&m_frame);
    av_packet_free(&m_packet);
    m_draining = false;
}

HRESULT AvVideoDecoder::Send(const uint8_t* data, size_t size, bool hasTime,
                             int64_t time)
{
    if (m_context == nullptr || m_draining) {
        return E_FAIL;
    }
    if (data == nullptr || size == 0 || size > INT32_MAX - AV_INPUT_BUFFER_PADDING_SIZE) {
        return S_FALSE;
    }
    // The decoders read a little past the end: give them a padded copy.
    if (av_new_packet(m_packet, static_cast<int>(size)) < 0) {
        return E_OUTOFMEMORY;
    }
    memcpy(m_packet->data, data, size);
    m_packet->pts = hasTime ? time : AV_NOPTS_VALUE;
    const int rc = avcodec_send_packet(m_context, m_packet);
    av_packet_unref(m_packet);
    if (rc == AVERROR(EAGAIN)) {
        return E_FAIL;
    }
    if (rc == AVERROR(ENOMEM)) {
        return E_OUTOFMEMORY;
    }
    return rc < 0 ? S_FALSE : S_OK;
}

HRESULT AvVideoDecoder::Receive(DecodedPicture* picture)
{
    if (m_context == nullptr) {
        return S_FALSE;
    }
    // A damaged picture is skipped; a decoder that keeps failing gives up for this call.
    for (int attempt = 0; attempt < 16; ++attempt) {
        const int rc = avcodec_receive_frame(m_context, m_frame);
        if (rc == AVERROR_EOF) {
            // All drained: ready for the stream to go on.
            avcodec_flush_buffers(m_context);
            m_draining = false;
            return S_FALSE;
        }
        if (rc == AVERROR(EAGAIN)) {
            return S_FALSE;
        }
        if (rc < 0) {
            continue;
        }
        if (m_frame->format != AV_PIX_FMT_YUV420P && m_frame->format != AV_PIX_FMT_YUVJ420P) {
            av_frame_unref(m_frame);
            continue;
        }
        for (int i = 0; i < 3; ++i) {
            picture->plane[i] = m_frame->data[i];
            picture->stride[i] = m_frame->linesize[i];
        }
        picture->width = m_frame->width;
        picture->height = m_frame->height;
        int64_t time = m_frame->pts;
        if (time == AV_NOPTS_VALUE) {
            time = m_frame->best_effort_timestamp;
        }
        picture->hasTime = time != AV_NOPTS_VALUE;
        picture->time = picture->hasTime ? time : 0;
        picture->key = m_frame->key_frame != 0;
        return S_OK;
    }
    return S_FALSE;
}

void AvVideoDecoder::Drain()
{
    if (m_context != nullptr && !m_draining) {
        m_draining = avcodec_send_packet(m_context, nullptr) == 0;
    }
}

void AvVideoDecoder::Flush()
{
    if (m_context != nullptr) {
        avcodec_flush_buffers(m_context);
    }
    m_draining = false;
}
