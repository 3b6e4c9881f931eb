// The mouse manager's calls into the command bars it tracks, kept apart so that only this file
// depends on the bar's header.
#include "toolkit/commandbars/CUTKMouseManager.h"

#include <windows.h>

#include "toolkit/commandbars/CUTKCommandBar.h"

int CUTKMouseManager::GetBarTrackLock(const CUTKCommandBar* bar)
{
    return bar != nullptr ? bar->GetTrackLock() : 0;
}

HWND CUTKMouseManager::GetBarHwnd(const CUTKCommandBar* bar)
{
    return bar != nullptr ? bar->GetSafeHwnd() : nullptr;
}

int CUTKMouseManager::IsPointInBar(CUTKCommandBar* bar, POINT ptScreen)
{
    if (bar == nullptr) {
        return FALSE;
    }
    // 1: inside; -2: never inside; otherwise inside when the window under the point is one
    // of the bar's children.
    const int answer = bar->IsPointInBar(CPoint(ptScreen));
    if (answer == 1) {
        return TRUE;
    }
    if (answer == -2) {
        return FALSE;
    }
    HWND barWnd = bar->GetSafeHwnd();
    HWND under = ::WindowFromPoint(ptScreen);
    return barWnd != nullptr && under != nullptr && ::IsChild(barWnd, under);
}

void CUTKMouseManager::BarTrackLost(CUTKCommandBar* bar)
{
    if (bar != nullptr) {
        bar->OnTrackLost();
    }
}

void CUTKMouseManager::BarResetSelection(CUTKCommandBar* bar)
{
    if (bar != nullptr) {
        bar->ResetSelection();
    }
}

void CUTKMouseManager::BarMouseMove(CUTKCommandBar* bar, POINT ptClient)
{
    if (bar != nullptr) {
        bar->OnMouseMove(0, CPoint(ptClient));
    }
}

void CUTKMouseManager::BarAddTrackLock(CUTKCommandBar* bar, int delta)
{
    if (bar != nullptr) {
        bar->AddTrackLock(delta);
    }
}
