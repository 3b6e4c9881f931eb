// Minimal reader and writer of PCM WAV files (8/16-bit, any channel count) for the audio tests
// and benchmarks: samples as interleaved floats in -1 .. +1. Reads the whole file at once.
#pragma once

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

// Empty string on success, else what was wrong with the file.
inline std::string ReadPcmWav(const std::string& path, PcmAudio& out)
{
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
        return "cannot open " + path;
    }
    std::vector<unsigned char> bytes;
    unsigned char chunk[1 << 16];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof(chunk), f)) > 0) {
        bytes.insert(bytes.end(), chunk, chunk + got);
    }
    std::fclose(f);
    if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 ||
        std::memcmp(bytes.data() + 8, "WAVE", 4) != 0) {
        return "not a RIFF WAVE file";
    }
    size_t pos = 12;
    bool haveFormat = false;
    while (pos + 8 <= bytes.size()) {
        const unsigned char* h = bytes.data() + pos;
        const uint32_t size = ReadLe32(h + 4);
        const size_t body = pos + 8;
        const size_t avail = bytes.size() - body;
        if (std::memcmp(h, "fmt ", 4) == 0) {
            if (size < 16 || size > avail) {
                return "bad fmt chunk";
            }
            const uint16_t tag = ReadLe16(h + 8);
            out.channels = ReadLe16(h + 10);
            out.rate = static_cast<int>(ReadLe32(h + 12));
            out.bits = ReadLe16(h + 22);
            if ((tag != 1 && tag != 0xFFFE) || (out.bits != 8 && out.bits != 16) ||
                out.channels < 1) {
                return "not 8/16-bit PCM";
            }
            haveFormat = true;
        } else if (std::memcmp(h, "data", 4) == 0) {
            if (!haveFormat) {
                return "data before fmt";
            }
            const size_t len = size > avail ? avail : size;
            const unsigned char* d = h + 8;
            if (out.bits == 16) {
                out.samples.resize(len / 2);
                for (size_t i = 0; i < out.samples.size(); ++i) {
                    out.samples[i] = static_cast<int16_t>(ReadLe16(d + 2 * i)) / 32768.0f;
                }
            } else {
                out.samples.resize(len);
                for (size_t i = 0; i < len; ++i) {
                    out.samples[i] = (d[i] - 128) / 128.0f;
                }
            }
            return {};
        }
        pos = body + size + (size & 1);
    }
    return "no data chunk";
}

inline void PutLe32(std::vector<unsigned char>& v, uint32_t x)
{
    for (int i = 0; i < 4; ++i) {
        v.push_back(static_cast<unsigned char>(x >> (8 * i)));
    }
}

inline void PutLe16(std::vector<unsigned char>& v, uint16_t x)
{
    v.push_back(static_cast<unsigned char>(x));
    v.push_back(static_cast<unsigned char>(x >> 8));
}

inline int16_t FloatTo16(float v)
{
    const float c = v < -1.0f ? -1.0f : (v > 32767.0f / 32768.0f ? 32767.0f / 32768.0f : v);
    return static_cast<int16_t>(c * 32768.0f + (c > 0 ? 0.499999f : -0.499999f));
}

// Writes 16-bit PCM. False when the file cannot be written.
inline bool WritePcmWav16(const std::string& path, int rate, int channels, const float* samples,
                          size_t count)
{
    std::vector<unsigned char> head;
    const uint32_t dataBytes = static_cast<uint32_t>(count * 2);
    head.insert(head.end(), {'R', 'I', 'F', 'F'});
    PutLe32(head, 36 + dataBytes);
    head.insert(head.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    PutLe32(head, 16);
    PutLe16(head, 1);
    PutLe16(head, static_cast<uint16_t>(channels));
    PutLe32(head, static_cast<uint32_t>(rate));
    PutLe32(head, static_cast<uint32_t>(rate * channels * 2));
    PutLe16(head, static_cast<uint16_t>(channels * 2));
    PutLe16(head, 16);
    head.insert(head.end(), {'d', 'a', 't', 'a'});
    PutLe32(head, dataBytes);
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        return false;
    }
    bool ok = std::fwrite(head.data(), 1, head.size(), f) == head.size();
    std::vector<int16_t> block(1 << 16);
    for (size_t done = 0; ok && done < count;) {
        const size_t n = count - done < block.size() ? count - done : block.size();
        for (size_t i = 0; i < n; ++i) {
            block[i] = FloatTo16(samples[done + i]);
        }
        ok = std::fwrite(block.data(), 2, n, f) == n;
        done += n;
    }
    return std::fclose(f) == 0 && ok;
}

}  // namespace orvane::test
