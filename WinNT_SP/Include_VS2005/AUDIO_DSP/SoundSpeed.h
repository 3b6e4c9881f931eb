// Streaming wrapper of the block time-stretch: takes any number of interleaved float values,
// runs a block step whenever a whole input block has gathered, drops the start-up output and
// queues the rest for the reader. Single-threaded; the caller serialises all calls.
#pragma once

#include "WinNT_SP/Include_VS2005/AUDIO_DSP/SndSpeedAlg.h"

#include <vector>

class SoundSpeed : public SndSpeedAlg {
public:
    SoundSpeed() = default;
    ~SoundSpeed();
    SoundSpeed(const SoundSpeed&) = delete;
    SoundSpeed& operator=(const SoundSpeed&) = delete;

    // Starts a stream from scratch (everything buffered is dropped). False when memory ran
    // out or the channel count is not 1 or 2; the object then ignores Process until the next
    // successful Init.
    [[nodiscard]] bool Init(int rate, int channels, double speed);
    // Feeds count interleaved values. False only when the output queue could not grow: the
    // output of that block is lost (the stream itself goes on).
    [[nodiscard]] bool Process(const float* values, unsigned count);
    // The end of the stream: runs the input still held (the unfinished block and the history
    // behind the last output) through the stretch with silence after it, and trims the queue so
    // that the output since Init lasts the input's length at the realised speed, rounded up to
    // a frame. Process then ignores input until the next Init. False only when the output
    // queue could not grow (that part of the tail is lost).
    [[nodiscard]] bool Drain();
    // Copies up to maxCount queued values (all channels) to dest; returns the number copied.
    unsigned Read(unsigned maxCount, float* dest);
    unsigned GetQueuedCount() const { return queueFill; }
    // Values waiting for a whole input block (not yet processed).
    unsigned GetPendingInput() const { return inFill; }

private:
    [[nodiscard]] bool GrowQueue(unsigned newCapacity);
    void FreeBuffers();
    [[nodiscard]] bool QueueBlock();

    int ended = 1;               // 1 until a successful Init: Process does nothing
    unsigned inFill = 0;         // values gathered in inBlock, < GetInputBlockSize()
    unsigned queueFill = 0;      // values waiting in queue
    unsigned skipLeft = 0;       // start-up output values still to drop
    unsigned long long receivedValues = 0;  // values taken by Process since Init
    unsigned long long blockSteps = 0;      // block steps run since Init
    std::vector<float> inBlock;  // GetInputBlockSize() values
    std::vector<float> outBlock; // GetOutputBlockSize() values
    std::vector<float> queue;    // grown by one output block at a time
};
