// Block peaks and the stored-level lists of the volume pane's meters.
#include "WinNT_SP/Include_VS2005/ui/LevelIndicator.h"

#include "WinNT_SP/Include_VS2005/ui/StdSmplClasses.h"

#include <algorithm>
#include <cmath>

void LevelIndicator::MeasureBlockPeaks(const WAVEFORMATEX* format, const BYTE* data,
                                       long byteLength, WORD* left, WORD* right)
{
    *left = 0;
    *right = 0;
    if (!format || !data || byteLength <= 0) {
        return;
    }
    const int kind = GetSampleKind(format);
    const int channels = format->nChannels;
    if (kind == SMPL_OTHER || channels < 1 || channels > kMaxMeasuredChannels) {
        return;
    }
    CHANNEL_STATS stats[kMaxMeasuredChannels];
    if (MeasureMinMax(stats, byteLength, data, kind, channels) == 0) {
        return;
    }
    for (int c = 0; c < channels; ++c) {
        double peak = std::max(std::fabs(stats[c].minimum), std::fabs(stats[c].maximum));
        peak = std::min(peak, 1.0);
        const WORD level = static_cast<WORD>(peak * 65535 + 0.499999);
        WORD* side = (c % 2 == 0) ? left : right;
        *side = std::max(*side, level);
    }
    if (channels == 1) {
        *right = *left;
    }
}

void LevelIndicator::StoreLevel(DWORD tick, int list, WORD left, WORD right)
{
    (list == 1 ? m_list1 : m_list2).push_back({tick, left, right});
}

void LevelIndicator::GetLevels(BOOL active, BOOL held, WORD* left, WORD* right)
{
    GetLevelsAt(GetTickCount(), active, held, left, right);
}

void LevelIndicator::GetLevelsAt(DWORD now, BOOL active, BOOL held, WORD* left, WORD* right)
{
    std::vector<STORED_LEVEL>* list;
    DWORD delay;
    DWORD countLimit;
    DWORD removal;
    if (active && !held) {
        m_list2.clear();
        list = &m_list1;
        delay = 150;
        countLimit = 1350;
        removal = 350;
    } else {
        m_list1.clear();
        list = &m_list2;
        delay = 0;
        countLimit = 10100;
        removal = 100;
    }
    *left = 0;
    *right = 0;
    auto keep = list->begin();
    for (auto it = list->begin(); it != list->end(); ++it) {
        const DWORD age = now - it->tick;
        if (age < delay) {
            *keep++ = *it;
            continue;
        }
        if (age < countLimit) {
            *left = std::max(*left, it->left);
            *right = std::max(*right, it->right);
        }
        if (age < removal) {
            *keep++ = *it;
        }
    }
    list->erase(keep, list->end());
}
