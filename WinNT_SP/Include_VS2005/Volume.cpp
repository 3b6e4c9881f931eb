// Volume conversions (see Volume.h).
#include "WinNT_SP/Include_VS2005/Volume.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>

int VolumeToDb(double volume)
{
    if (volume <= 0) {
        return -41;
    }
    int v = static_cast<int>(20.0 * std::log10(volume) + 40.0 + 0.499999);
    if (v < 0) {
        v = 0;
    }
    return v - 40;
}

int VolumeToDirectShow(int dbOffset, double volume)
{
    const int d = VolumeToDb(volume) + dbOffset;
    if (d < -40) {
        return kSilentDirectShowVolume;
    }
    return std::min(d, 0) * 100;
}

double DbToVolume(int db)
{
    if (db < -40) {
        return 0.0;
    }
    return std::min(std::pow(10.0, db / 20.0), 1.0);
}

double DirectShowToVolume(int ds)
{
    return DbToVolume(ds / 100);
}

void SetupVolumeSlider(HWND slider)
{
    const LRESULT oldMax = SendMessageW(slider, TBM_GETRANGEMAX, 0, 0);
    SetWindowLongW(slider, GWL_STYLE, GetWindowLongW(slider, GWL_STYLE) | TBS_DOWNISLEFT);
    SendMessageW(slider, TBM_SETLINESIZE, 0, 1);
    SendMessageW(slider, TBM_SETPAGESIZE, 0, 5);
    SendMessageW(slider, TBM_SETRANGE, FALSE, MAKELPARAM(0, 41));
    SendMessageW(slider, TBM_CLEARTICS, FALSE, 0);
    for (int tick : {1, 11, 21, 31}) {
        SendMessageW(slider, TBM_SETTIC, 0, tick);
    }
    if (oldMax != 41) {
        SendMessageW(slider, TBM_SETPOS, TRUE, 0);
        InvalidateRect(slider, nullptr, TRUE);
    }
}
