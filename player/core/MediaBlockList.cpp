// Media block mapping on the 5-microsecond grid: a position at the very end of a block belongs
// to the start of the next playable one, and consecutive blocks of one byte window whose source
// times join seamlessly form one play span.
#include "player/core/MediaBlockList.h"

#include "player/core/PlayerState.h"

#include <algorithm>
#include <cmath>

namespace {

double Clamp(double v, double lo, double hi) { return std::max(lo, std::min(v, hi)); }

}  // namespace

MediaBlockList::~MediaBlockList() { Clear(); }

void MediaBlockList::Build(QVRFile* owner, int sourceId, int64_t fileSize, double duration)
{
    Clear();
    m_owner = owner;
    m_ownKey = sourceId;
    MediaBlock block;
    block.source = sourceId;
    block.length = fileSize;
    block.duration = duration;
    m_blocks.push_back(block);
}

void MediaBlockList::Clear()
{
    m_blocks.clear();
    m_owner = nullptr;
    m_ownKey = 0;
}

void MediaBlockList::Append(const MediaBlock& block) { m_blocks.push_back(block); }

double MediaBlockList::GetTotalDuration(bool ownFileOnly) const
{
    if (!m_owner || m_blocks.empty()) {
        return 0;
    }
    double total = 0;
    for (const MediaBlock& b : m_blocks) {
        if (b.IsPlayable() && (!ownFileOnly || b.source == m_ownKey)) {
            total += b.duration;
        }
    }
    return RoundToTimeGrid(total);
}

double MediaBlockList::FindBlock(double x, int* index, double* offset, double* remaining) const
{
    if (m_blocks.empty()) {
        return 0;
    }
    const int count = Count();
    int i = 0;
    double off = 0;
    for (; i < count; ++i) {
        const MediaBlock& b = m_blocks[i];
        off = std::min(b.duration, x);
        if (b.IsPlayable()) {
            x -= off;
            if (std::fabs(x) < kTimeGridSeconds) {
                break;
            }
        }
    }
    if (i >= count) {
        i = count - 1;
    }
    double rest = m_blocks[i].duration - off;
    double source = m_blocks[i].start + off;
    if (std::fabs(rest) < kTimeGridSeconds) {
        for (int j = i + 1; j < count; ++j) {
            if (m_blocks[j].IsPlayable()) {
                i = j;
                off = 0;
                rest = m_blocks[j].duration;
                source = m_blocks[j].start;
                break;
            }
        }
    }
    const MediaBlock& b = m_blocks[i];
    *index = i;
    *offset = Clamp(RoundToTimeGrid(off), 0, b.duration);
    *remaining = Clamp(RoundToTimeGrid(rest), 0, b.duration);
    return std::min(std::max(RoundToTimeGrid(source), 0.0), b.start + b.duration);
}

double MediaBlockList::GetPlaySpan(double offset, int index, int* next) const
{
    const int count = Count();
    if (index < 0 || index >= count) {
        *next = -1;
        return 0;
    }
    if (!m_blocks[index].IsPlayable()) {
        *next = index;
        return 0;
    }
    double span = m_blocks[index].duration - offset;
    int last = index;
    int j = index + 1;
    for (; j < count; ++j) {
        const MediaBlock& b = m_blocks[j];
        if (!b.IsPlayable()) {
            continue;
        }
        const MediaBlock& prev = m_blocks[last];
        if (b.source != prev.source || b.offset != prev.offset ||
            TimeGridSteps(prev.start + prev.duration - b.start) != 0) {
            break;
        }
        span += b.duration;
        last = j;
    }
    while (j < count && !m_blocks[j].IsPlayable()) {
        ++j;
    }
    *next = j;
    return RoundToTimeGrid(span);
}
