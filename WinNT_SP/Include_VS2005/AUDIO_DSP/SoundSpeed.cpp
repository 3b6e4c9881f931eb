// Streaming around SndSpeedAlg: input gathering, start-up skip and the output queue. The three
// buffers come from the C heap; the queue grows by one output block when it is full and is
// compacted by one block move per read.
#include "WinNT_SP/Include_VS2005/AUDIO_DSP/SoundSpeed.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

SoundSpeed::~SoundSpeed()
{
    FreeBuffers();
}

void SoundSpeed::FreeBuffers()
{
    std::free(inBlock);
    std::free(outBlock);
    std::free(queue);
    inBlock = nullptr;
    outBlock = nullptr;
    queue = nullptr;
    queueCapacity = 0;
    queueFill = 0;
}

bool SoundSpeed::Init(int rate, int channels, double speed)
{
    ended = 1;
    inFill = 0;
    receivedValues = 0;
    FreeBuffers();
    if (!SndSpeedAlg::Init(rate, channels, speed)) {
        return false;
    }
    skipLeft = static_cast<unsigned>(GetStartSkip());
    inBlock = static_cast<float*>(std::malloc(sizeof(float) * GetInputBlockSize()));
    outBlock = static_cast<float*>(std::malloc(sizeof(float) * GetOutputBlockSize()));
    if (!inBlock || !outBlock || !GrowQueue(static_cast<unsigned>(GetOutputBlockSize()))) {
        FreeBuffers();
        Release();
        return false;
    }
    ended = 0;
    return true;
}

bool SoundSpeed::GrowQueue(unsigned newCapacity)
{
    if (GetOutputBlockSize() <= 0) {
        return false;
    }
    float* grown = static_cast<float*>(std::malloc(sizeof(float) * newCapacity));
    if (!grown) {
        return false;
    }
    if (queueFill > 0) {
        std::memcpy(grown, queue, sizeof(float) * queueFill);
    }
    std::free(queue);
    queue = grown;
    queueCapacity = newCapacity;
    return true;
}

bool SoundSpeed::QueueBlock()
{
    const unsigned outValues = static_cast<unsigned>(GetOutputBlockSize());
    if (skipLeft >= outValues) {
        skipLeft -= outValues;
        return true;
    }
    const unsigned kept = outValues - skipLeft;
    if (queueFill + kept > queueCapacity && !GrowQueue(queueCapacity + outValues)) {
        skipLeft = 0;
        return false;
    }
    std::memcpy(queue + queueFill, outBlock + skipLeft, sizeof(float) * kept);
    queueFill += kept;
    skipLeft = 0;
    return true;
}

bool SoundSpeed::Process(const float* values, unsigned count)
{
    if (ended != 0 || !inBlock || !outBlock || !queue || !values) {
        return true;
    }
    const unsigned blockValues = static_cast<unsigned>(GetInputBlockSize());
    receivedValues += count;
    bool ok = true;
    while (count > 0) {
        const unsigned take = std::min(count, blockValues - inFill);
        std::memcpy(inBlock + inFill, values, sizeof(float) * take);
        inFill += take;
        values += take;
        count -= take;
        if (inFill == blockValues) {
            ProcessBlock(inBlock, outBlock);
            inFill = 0;
            ok = QueueBlock() && ok;
        }
    }
    return ok;
}

bool SoundSpeed::Drain()
{
    if (ended != 0 || !inBlock || !outBlock || !queue) {
        return true;
    }
    ended = 1;
    const unsigned long long blockValues = static_cast<unsigned>(GetInputBlockSize());
    const unsigned long long outValues = static_cast<unsigned>(GetOutputBlockSize());
    const unsigned long long hop = static_cast<unsigned>(GetHopIn());
    const unsigned long long channelCount = blockValues / hop;
    const unsigned long long skip = static_cast<unsigned>(GetStartSkip());
    // Each block step turns hopIn input frames into overlapLen output frames.
    const unsigned long long frames = receivedValues / channelCount;
    const unsigned long long wanted =
        (frames * static_cast<unsigned>(GetOverlapLen()) + hop - 1) / hop * channelCount;
    unsigned long long blocks = (receivedValues - inFill) / blockValues;
    auto produced = [&] { return blocks * outValues > skip ? blocks * outValues - skip : 0; };
    bool ok = true;
    while (produced() < wanted) {
        std::memset(inBlock + inFill, 0, sizeof(float) * (blockValues - inFill));
        ProcessBlock(inBlock, outBlock);
        inFill = 0;
        ++blocks;
        ok = QueueBlock() && ok;
    }
    // The silence behind the input's end is not part of the stream.
    const unsigned long long beyond = produced() - wanted;
    queueFill -= static_cast<unsigned>(std::min<unsigned long long>(beyond, queueFill));
    return ok;
}

unsigned SoundSpeed::Read(unsigned maxCount, float* dest)
{
    if (!queue || queueFill == 0 || !dest || maxCount == 0) {
        return 0;
    }
    const unsigned n = std::min(maxCount, queueFill);
    std::memcpy(dest, queue, sizeof(float) * n);
    queueFill -= n;
    if (queueFill > 0) {
        std::memmove(queue, queue + n, sizeof(float) * queueFill);
    }
    return n;
}
