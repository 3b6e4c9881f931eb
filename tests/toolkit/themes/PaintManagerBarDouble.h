// Windowless bars and controls for the paint manager's tests: a bar whose type and position
// the test chooses, and controls placed on it.
#pragma once

#include "toolkit/commandbars/CUTKCommandBar.h"
#include "toolkit/controls/CUTKControl.h"

namespace orvane::test {

class TestBar : public CUTKCommandBar {
public:
    TestBar(int type, int position)
    {
        m_barType = type;
        m_barPosition = position;
    }
};

}  // namespace orvane::test
