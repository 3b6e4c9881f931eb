// Minimal reader and writer of PCM WAV files (8/16-bit, any channel count) for the audio tests
// and benchmarks: samples as interleaved floats in -1 .. +1. Reads the whole file at once.
#pragma once

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace orvane::test {

struct PcmAudio {
    int rate = 0;
    int channels = 0;
    int bits = 0;
    std::vector<float> samples;  // interleaved
    size_t Frames() const { return channels > 0 ? samples.size() / channels : 0; }
};

inline uint32_t ReadLe32(const unsigned char* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

inline uint16_t ReadLe16(const unsigned char* p)
{
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

struct WavInfo {
    int rate = 0;
    int channels = 0;
    int bits = 0;
    size_t dataOffset = 0;
    size_t dataBytes = 0;  // as declared, capped at what the buffer holds when it is whole
};

// Finds the format and the data chunk in the first `size` bytes of a file (whole: the file is
// all there, so the data length is capped at its end). Empty string on success.
inline std::string ParseWavHeader(const unsigned char* bytes, size_t size, bool whole,
                                  WavInfo& info)
{
    if (size < 12 || std::memcmp(bytes, "RIFF", 4) != 0 ||
        std::memcmp(bytes + 8, "WAVE", 4) != 0) {
        return "not a RIFF WAVE file";
    }
    size_t pos = 12;
    bool haveFormat = false;
    while (pos + 8 <= size) {
        const unsigned char* h = bytes + pos;
        const uint32_t chunkSize = ReadLe32(h + 4);
        const size_t body = pos + 8;
        const size_t avail = size - body;
        if (std::memcmp(h, "fmt ", 4) == 0) {
            if (chunkSize < 16 || chunkSize > avail) {
                return "bad fmt chunk";
            }
            const uint16_t tag = ReadLe16(h + 8);
            info.channels = ReadLe16(h + 10);
            info.rate = static_cast<int>(ReadLe32(h + 12));
            info.bits = ReadLe16(h + 22);
            if ((tag != 1 && tag != 0xFFFE) || (info.bits != 8 && info.bits != 16) ||
                info.channels < 1) {
                return "not 8/16-bit PCM";
            }
            haveFormat = true;
        } else if (std::memcmp(h, "data", 4) == 0) {
            if (!haveFormat) {
                return "data before fmt";
            }
            info.dataOffset = body;
            info.dataBytes = whole && chunkSize > avail ? avail : chunkSize;
            return {};
        }
        pos = body + chunkSize + (chunkSize & 1);
    }
    return "no data chunk";
}

// Converts `count` PCM samples of 8 or 16 bits to floats.
inline void PcmToFloat(const unsigned char* d, size_t count, int bits, float* out)
{
    if (bits == 16) {
        size_t i = 0;
#ifdef __SSE2__
        const __m128 scale = _mm_set1_ps(1.0f / 32768.0f);
        for (; i + 8 <= count; i += 8) {
            const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + 2 * i));
            const __m128i lo = _mm_srai_epi32(_mm_unpacklo_epi16(x, x), 16);
            const __m128i hi = _mm_srai_epi32(_mm_unpackhi_epi16(x, x), 16);
            _mm_storeu_ps(out + i, _mm_mul_ps(_mm_cvtepi32_ps(lo), scale));
            _mm_storeu_ps(out + i + 4, _mm_mul_ps(_mm_cvtepi32_ps(hi), scale));
        }
#endif
        for (; i < count; ++i) {
            int16_t v;
            std::memcpy(&v, d + 2 * i, 2);  // little-endian host
            out[i] = v * (1.0f / 32768.0f);
        }
    } else {
        for (size_t i = 0; i < count; ++i) {
            out[i] = (d[i] - 128) * (1.0f / 128.0f);
        }
    }
}

// Empty string on success, else what was wrong with the file.
inline std::string ReadPcmWav(const std::string& path, PcmAudio& out)
{
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
        return "cannot open " + path;
    }
    std::vector<unsigned char> bytes;
    if (std::fseek(f, 0, SEEK_END) == 0) {
        const long size = std::ftell(f);
        std::fseek(f, 0, SEEK_SET);
        if (size > 0) {
            bytes.resize(static_cast<size_t>(size));
            bytes.resize(std::fread(bytes.data(), 1, bytes.size(), f));
        }
    }
    std::fclose(f);
    WavInfo info;
    const std::string err = ParseWavHeader(bytes.data(), bytes.size(), true, info);
    if (!err.empty()) {
        return err;
    }
    out.rate = info.rate;
    out.channels = info.channels;
    out.bits = info.bits;
    out.samples.resize(info.dataBytes / (info.bits / 8));
    PcmToFloat(bytes.data() + info.dataOffset, out.samples.size(), info.bits,
               out.samples.data());
    return {};
}

inline void PutLe32(unsigned char* p, uint32_t x)
{
    for (int i = 0; i < 4; ++i) {
        p[i] = static_cast<unsigned char>(x >> (8 * i));
    }
}

inline void PutLe16(unsigned char* p, uint16_t x)
{
    p[0] = static_cast<unsigned char>(x);
    p[1] = static_cast<unsigned char>(x >> 8);
}

// Clamped to -1 .. 32767/32768, halves rounded toward zero. Branch-free so that loops of it
// vectorise.
inline int16_t FloatTo16(float v)
{
    const float c = std::fmin(std::fmax(v, -1.0f), 32767.0f / 32768.0f);
    return static_cast<int16_t>(static_cast<int>(c * 32768.0f + std::copysign(0.499999f, c)));
}

// The 44-byte header of a 16-bit PCM file with dataBytes of samples.
inline std::vector<unsigned char> WavHeader16(int rate, int channels, uint32_t dataBytes)
{
    std::vector<unsigned char> head(44);
    unsigned char* p = head.data();
    std::memcpy(p, "RIFF", 4);
    PutLe32(p + 4, 36 + dataBytes);
    std::memcpy(p + 8, "WAVEfmt ", 8);
    PutLe32(p + 16, 16);
    PutLe16(p + 20, 1);
    PutLe16(p + 22, static_cast<uint16_t>(channels));
    PutLe32(p + 24, static_cast<uint32_t>(rate));
    PutLe32(p + 28, static_cast<uint32_t>(rate * channels * 2));
    PutLe16(p + 32, static_cast<uint16_t>(channels * 2));
    PutLe16(p + 34, 16);
    std::memcpy(p + 36, "data", 4);
    PutLe32(p + 40, dataBytes);
    return head;
}

// Converts floats to 16-bit PCM, clamped, halves rounded toward zero.
inline void FloatToPcm16(const float* in, size_t count, int16_t* out)
{
    size_t i = 0;
#ifdef __SSE2__
    const __m128 low = _mm_set1_ps(-1.0f);
    const __m128 high = _mm_set1_ps(32767.0f / 32768.0f);
    const __m128 scale = _mm_set1_ps(32768.0f);
    const __m128 half = _mm_set1_ps(0.499999f);
    const __m128 sign = _mm_set1_ps(-0.0f);
    auto convert = [&](const float* p) {
        const __m128 c = _mm_min_ps(_mm_max_ps(_mm_loadu_ps(p), low), high);
        const __m128 h = _mm_or_ps(_mm_and_ps(c, sign), half);
        return _mm_cvttps_epi32(_mm_add_ps(_mm_mul_ps(c, scale), h));
    };
    for (; i + 8 <= count; i += 8) {
        const __m128i packed = _mm_packs_epi32(convert(in + i), convert(in + i + 4));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), packed);
    }
#endif
    for (; i < count; ++i) {
        out[i] = FloatTo16(in[i]);
    }
}

// Writes 16-bit PCM. False when the file cannot be written.
inline bool WritePcmWav16(const std::string& path, int rate, int channels, const float* samples,
                          size_t count)
{
    const std::vector<unsigned char> head =
        WavHeader16(rate, channels, static_cast<uint32_t>(count * 2));
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        return false;
    }
    bool ok = std::fwrite(head.data(), 1, head.size(), f) == head.size();
    std::vector<int16_t> block(1 << 16);
    for (size_t done = 0; ok && done < count;) {
        const size_t n = count - done < block.size() ? count - done : block.size();
        FloatToPcm16(samples + done, n, block.data());
        ok = std::fwrite(block.data(), 2, n, f) == n;
        done += n;
    }
    return std::fclose(f) == 0 && ok;
}

}  // namespace orvane::test
