// Stretches a WAV file end to end (read PCM, time-stretch, write 16-bit PCM), streaming in
// 100 ms pieces as the playback filter does, and prints the time spent in the stretch and in
// all, so the bench script can compare it with other time-stretchers on the same file.
//   audio_stretch_bench IN.wav OUT.wav SPEED
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/support/PcmWav.h"
#include "WinNT_SP/Include_VS2005/AUDIO_DSP/SoundSpeed.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

int Fail(const char* what, const char* detail)
{
    std::fprintf(stderr, "audio_stretch_bench: %s %s\n", what, detail);
    return 1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: audio_stretch_bench IN.wav OUT.wav SPEED\n");
        return 2;
    }
    const double speed = std::atof(argv[3]);
    const Clock::time_point start = Clock::now();
    Clock::duration stretchTime{};
    Clock::duration readTime{};
    Clock::duration writeTime{};

    FILE* in = std::fopen(argv[1], "rb");
    if (!in) {
        return Fail("cannot open", argv[1]);
    }
    std::vector<unsigned char> head(1 << 16);
    head.resize(std::fread(head.data(), 1, head.size(), in));
    orvane::test::WavInfo info;
    const std::string err = orvane::test::ParseWavHeader(head.data(), head.size(), false, info);
    if (!err.empty()) {
        return Fail(argv[1], err.c_str());
    }
    SoundSpeed stretch;
    if (!stretch.Init(info.rate, info.channels, speed)) {
        return Fail("cannot stretch this channel count:", argv[1]);
    }
    FILE* out = std::fopen(argv[2], "wb");
    if (!out) {
        return Fail("cannot write", argv[2]);
    }
    std::vector<unsigned char> header = orvane::test::WavHeader16(info.rate, info.channels, 0);
    std::fwrite(header.data(), 1, header.size(), out);

    const int sampleBytes = info.bits / 8;
    const size_t piece = static_cast<size_t>(info.rate / 10) * info.channels;
    std::vector<unsigned char> raw(piece * sampleBytes);
    std::vector<float> values(piece);
    std::vector<float> stretched;
    std::vector<int16_t> pcm;
    std::fseek(in, static_cast<long>(info.dataOffset), SEEK_SET);
    size_t left = info.dataBytes;
    size_t framesIn = 0;
    size_t valuesOut = 0;
    bool ok = true;
    while (left > 0 && ok) {
        const size_t want = left < raw.size() ? left : raw.size();
        const Clock::time_point r0 = Clock::now();
        const size_t got = std::fread(raw.data(), 1, want, in);
        readTime += Clock::now() - r0;
        if (got == 0) {
            break;
        }
        left -= got;
        const size_t count = got / sampleBytes;
        framesIn += count / info.channels;
        orvane::test::PcmToFloat(raw.data(), count, info.bits, values.data());
        const Clock::time_point t0 = Clock::now();
        ok = stretch.Process(values.data(), static_cast<unsigned>(count));
        stretched.resize(stretch.GetQueuedCount());
        stretched.resize(stretch.Read(static_cast<unsigned>(stretched.size()), stretched.data()));
        stretchTime += Clock::now() - t0;
        pcm.resize(stretched.size());
        orvane::test::FloatToPcm16(stretched.data(), stretched.size(), pcm.data());
        const Clock::time_point w0 = Clock::now();
        ok = ok && std::fwrite(pcm.data(), 2, pcm.size(), out) == pcm.size();
        writeTime += Clock::now() - w0;
        valuesOut += pcm.size();
    }
    std::fclose(in);
    header = orvane::test::WavHeader16(info.rate, info.channels,
                                       static_cast<uint32_t>(valuesOut * 2));
    ok = ok && std::fseek(out, 0, SEEK_SET) == 0 &&
         std::fwrite(header.data(), 1, header.size(), out) == header.size();
    ok = std::fclose(out) == 0 && ok;
    if (!ok) {
        return Fail("failed writing", argv[2]);
    }
    std::printf("frames_in=%zu frames_out=%zu realised_speed=%.4f start_skip_frames=%d "
                "read_s=%.3f stretch_s=%.3f write_s=%.3f total_s=%.3f\n",
                framesIn, valuesOut / info.channels, stretch.GetRealisedSpeed(),
                stretch.GetStartSkip() / info.channels, Seconds(readTime), Seconds(stretchTime),
                Seconds(writeTime),
                Seconds(Clock::now() - start));
    return 0;
}
