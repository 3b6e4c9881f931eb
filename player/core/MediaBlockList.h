// The timeline of the open presentation: media blocks, each a byte window of one shared source
// file and the stretch of source time it shows. Maps presentation positions onto blocks and
// finds the spans that one engine reader can play without a break.
#pragma once

#include <cstdint>
#include <vector>

class QVRFile;

struct MediaBlock {
    int source = 0;        // instance id in the shared-file registry
    int64_t offset = 0;    // first byte of the block in its source
    int64_t length = 0;    // bytes of the block
    double timeBase = 0;   // source time of reader time 0
    double start = 0;      // start in source time
    double duration = 0;   // length on the timeline
    bool skip1 = false;
    bool skip2 = false;

    bool IsPlayable() const { return !skip1 && !skip2; }
};

class MediaBlockList {
public:
    MediaBlockList() = default;
    virtual ~MediaBlockList();

    // One block over the whole file; sourceId is the presentation's own key.
    void Build(QVRFile* owner, int sourceId, int64_t fileSize, double duration);
    void Clear();
    void Append(const MediaBlock& block);

    double GetTotalDuration(bool ownFileOnly) const;
    // Source time of the position; the outputs stay unchanged for an empty list.
    double FindBlock(double position, int* index, double* offset, double* remaining) const;
    // Seconds one reader can play from offset in block index; next receives the block after.
    double GetPlaySpan(double offset, int index, int* next) const;

    int Count() const { return static_cast<int>(m_blocks.size()); }
    const MediaBlock& Block(int index) const { return m_blocks[index]; }
    QVRFile* Owner() const { return m_owner; }

private:
    std::vector<MediaBlock> m_blocks;
    QVRFile* m_owner = nullptr;
    int m_ownKey = 0;
};
