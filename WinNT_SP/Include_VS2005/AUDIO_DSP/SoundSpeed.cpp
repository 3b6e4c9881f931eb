// Streaming around SndSpeedAlg: input gathering, start-up skip, the output queue and the drain
// at the end of a stream. The queue grows by one output block when it is full and is compacted
// by one block move per read.
#include "WinNT_SP/Include_VS2005/AUDIO_DSP/SoundSpeed.h"

#include <algorithm>
#include <cstring>
#include <new>

SoundSpeed::~SoundSpeed()
{
    FreeBuffers();
}

void SoundSpeed::FreeBuffers()
{
    std::vector<float>().swap(inBlock);
    std::vector<float>().swap(outBlock);
    std::vector<float>().swap(queue);
    queueFill = 0;
}

bool SoundSpeed::Init(int rate, int channels, double speed)
{
    ended = 1;
    inFill = 0;
    receivedValues = 0;
    blockSteps = 0;
    FreeBuffers();
    if (!SndSpeedAlg::Init(rate, channels, speed)) {
        return false;
    }
    skipLeft = static_cast<unsigned>(GetStartSkip());
    bool allocated = true;
    try {
        inBlock.assign(static_cast<size_t>(GetInputBlockSize()), 0.0f);
        outBlock.assign(static_cast<size_t>(GetOutputBlockSize()), 0.0f);
    } catch (const std::bad_alloc&) {
        allocated = false;
    }
    if (!allocated || !GrowQueue(static_cast<unsigned>(GetOutputBlockSize()))) {
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
    try {
        queue.resize(newCapacity);  // keeps the queueFill values waiting at the front
    } catch (const std::bad_alloc&) {
        return false;
    }
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
    const unsigned capacity = static_cast<unsigned>(queue.size());
    if (queueFill + kept > capacity && !GrowQueue(capacity + outValues)) {
        skipLeft = 0;
        return false;
    }
    std::memcpy(queue.data() + queueFill, outBlock.data() + skipLeft, sizeof(float) * kept);
    queueFill += kept;
    skipLeft = 0;
    return true;
}

bool SoundSpeed::Process(const float* values, unsigned count)
{
    if (ended != 0 || inBlock.empty() || outBlock.empty() || queue.empty() || !values) {
        return true;
    }
    const unsigned blockValues = static_cast<unsigned>(GetInputBlockSize());
    receivedValues += count;
    bool ok = true;
    while (count > 0) {
        const unsigned take = std::min(count, blockValues - inFill);
        std::memcpy(inBlock.data() + inFill, values, sizeof(float) * take);
        inFill += take;
        values += take;
        count -= take;
        if (inFill == blockValues) {
            ProcessBlock(inBlock.data(), outBlock.data());
            ++blockSteps;
            inFill = 0;
            ok = QueueBlock() && ok;
        }
    }
    return ok;
}

bool SoundSpeed::Drain()
{
    if (ended != 0 || inBlock.empty() || outBlock.empty() || queue.empty()) {
        ended = 1;
        return true;
    }
    ended = 1;
    const unsigned long long hop = static_cast<unsigned>(GetHopIn());
    const unsigned long long channelCount = static_cast<unsigned>(GetInputBlockSize()) / hop;
    const unsigned long long outValues = static_cast<unsigned>(GetOutputBlockSize());
    const unsigned long long skip = static_cast<unsigned>(GetStartSkip());
    // Each step turns hopIn input frames into overlapLen output frames; the start-up skip
    // aligns the output's start with the input's.
    const unsigned long long frames = receivedValues / channelCount;
    const unsigned long long wanted =
        (frames * static_cast<unsigned>(GetOverlapLen()) + hop - 1) / hop * channelCount;
    auto produced = [&] {
        const unsigned long long written = blockSteps * outValues;
        return written > skip ? written - skip : 0ull;
    };
    bool ok = true;
    while (produced() < wanted) {
        std::fill(inBlock.begin() + inFill, inBlock.end(), 0.0f);
        ProcessBlock(inBlock.data(), outBlock.data());
        ++blockSteps;
        inFill = 0;
        ok = QueueBlock() && ok;
    }
    inFill = 0;
    // The silence pushed in behind the input's end is not part of the stream.
    const unsigned long long beyond = produced() - std::min(produced(), wanted);
    queueFill -= static_cast<unsigned>(std::min<unsigned long long>(beyond, queueFill));
    return ok;
}

unsigned SoundSpeed::Read(unsigned maxCount, float* dest)
{
    if (queue.empty() || queueFill == 0 || !dest || maxCount == 0) {
        return 0;
    }
    const unsigned n = std::min(maxCount, queueFill);
    std::memcpy(dest, queue.data(), sizeof(float) * n);
    queueFill -= n;
    if (queueFill > 0) {
        std::memmove(queue.data(), queue.data() + n, sizeof(float) * queueFill);
    }
    return n;
}
