// A paint manager that a caller makes: the operations every theme must give answer simply,
// and the object counts its refreshes and its destruction so the tests can see what the
// factory and the process-wide theme do with it.
#pragma once

#include "toolkit/themes/CUTKPaintManager.h"

namespace orvane::test {

class TestPaintManager : public CUTKPaintManager {
public:
    explicit TestPaintManager(int* destroyed = nullptr) : m_destroyed(destroyed) {}
    ~TestPaintManager() override
    {
        if (m_destroyed != nullptr) {
            ++*m_destroyed;
        }
    }

    void DrawSplitButtonFrame(CDC*, CUTKControl*, CRect) override {}
    CSize DrawListBoxControl(CDC*, CUTKControl*, CRect, BOOL, BOOL, CUTKCommandBars*) override
    {
        return CSize(0, 0);
    }
    void FillCommandBarEntry(CDC*, CUTKCommandBar*) override {}
    // Text colours by state, so a test sees which state arguments arrived.
    COLORREF GetRectangleTextColor(BOOL selected, BOOL pressed, BOOL enabled, BOOL checked,
                                   BOOL popuped, int barType, int barPosition) override
    {
        m_lastState[0] = selected;
        m_lastState[1] = pressed;
        m_lastState[2] = enabled;
        m_lastState[3] = checked;
        m_lastState[4] = popuped;
        m_lastState[5] = barType;
        m_lastState[6] = barPosition;
        return enabled ? RGB(1, 2, 3) + 0x100000 : RGB(200, 100, 50);
    }
    void DrawRectangle(CDC*, CRect, BOOL, BOOL, BOOL, BOOL, BOOL, int, int) override
    {
        ++m_rectangles;
    }
    CSize DrawCommandBarSeparator(CDC*, CUTKCommandBar*, CUTKControl*, BOOL) override
    {
        return CSize(0, 0);
    }
    void AdjustExcludeRect(CRect&, CUTKControl*, BOOL) override {}
    CSize DrawTearOffGripper(CDC*, CRect, BOOL, BOOL) override { return CSize(0, 0); }
    void DrawPopupResizeGripper(CDC*, CRect, int) override {}
    void DrawImage(CDC*, CPoint, CSize, CUTKImageManagerIcon*, BOOL, BOOL, BOOL, BOOL, BOOL,
                   BOOL) override
    {
    }
    CSize DrawDialogBarGripper(CDC*, CUTKCommandBar*, BOOL) override { return CSize(0, 0); }
    int GetBaseTheme() override { return 42; }
    void RefreshMetrics() override
    {
        ++m_refreshes;
        CUTKPaintManager::RefreshMetrics();
    }

    int m_refreshes = 0;
    int m_rectangles = 0;
    int m_lastState[7] = {};

private:
    int* m_destroyed;
};

}  // namespace orvane::test
