// The levels of the sound being played: each measured block is stored with its tick, and the
// main window's timer pulls the loudest level of the entries that are due (the output latency).
#pragma once

#include <windows.h>
#include <mmreg.h>

#include <vector>

struct STORED_LEVEL {
    DWORD tick;
    WORD left;
    WORD right;
};

class LevelIndicator {
public:
    // Left and right peak levels (0..0xFFFF) of a block; both 0 for an empty block, a block of
    // another sample kind, more than 32 channels or less than one whole frame.
    static void MeasureBlockPeaks(const WAVEFORMATEX* format, const BYTE* data, long byteLength,
                                  WORD* left, WORD* right);

    // list 1 holds the first audio source, any other value the second.
    void StoreLevel(DWORD tick, int list, WORD left, WORD right);
    void GetLevels(BOOL active, BOOL held, WORD* left, WORD* right);
    void GetLevelsAt(DWORD now, BOOL active, BOOL held, WORD* left, WORD* right);

    const std::vector<STORED_LEVEL>& List(int list) const { return list == 1 ? m_list1 : m_list2; }

private:
    std::vector<STORED_LEVEL> m_list1;
    std::vector<STORED_LEVEL> m_list2;
};
