// The mouse manager's calls into the command bars it tracks, kept apart so that only this file
// depends on the bar's header.
#include "toolkit/commandbars/CUTKMouseManager.h"

#include <windows.h>

int CUTKMouseManager::GetBarTrackLock(const CUTKCommandBar*)
{
    return 0;
}

HWND CUTKMouseManager::GetBarHwnd(const CUTKCommandBar*)
{
    return nullptr;
}

int CUTKMouseManager::IsPointInBar(CUTKCommandBar*, POINT)
{
    return FALSE;
}

void CUTKMouseManager::BarTrackLost(CUTKCommandBar*)
{
}

void CUTKMouseManager::BarResetSelection(CUTKCommandBar*)
{
}

void CUTKMouseManager::BarMouseMove(CUTKCommandBar*, POINT)
{
}

void CUTKMouseManager::BarAddTrackLock(CUTKCommandBar*, int)
{
}
