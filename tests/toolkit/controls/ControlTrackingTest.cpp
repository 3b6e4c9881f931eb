// A control's selection and hover in a tracking bar window: keyboard selection closes another
// control's open popup, mouse selection leaves it open, and hovering over a control closes it.
#include "toolkit/controls/CUTKControl.h"

#include <gtest/gtest.h>

#include <memory>

#include "toolkit/commandbars/CUTKCommandBar.h"
#include "toolkit/controls/CUTKControls.h"

namespace {

struct Release {
    void operator()(CCmdTarget* target) const { target->InternalRelease(); }
};
template <class T>
using Held = std::unique_ptr<T, Release>;

// Stands for a popup control: opening always works and is only recorded.
class FakePopup : public CUTKControl {
public:
    BOOL SetPopuped(BOOL popuped) override
    {
        open = popuped;
        return TRUE;
    }
    BOOL IsPopupOpen() const override { return open; }
    BOOL open = FALSE;
};

class ControlTracking : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_bar.reset(new CUTKCommandBar());
        ASSERT_TRUE(m_bar->CreateEx(0, AfxRegisterWndClass(0), L"tracking", WS_POPUP, 40, 40,
                                    300, 40, nullptr, nullptr));
        ::ShowWindow(m_bar->GetSafeHwnd(), SW_SHOWNOACTIVATE);
        m_popup = new FakePopup();
        m_bar->GetControls()->AddControl(m_popup, 10);
        m_popup->SetRect(CRect(0, 0, 40, 22));
        m_button = m_bar->GetControls()->Add(utkControlButton, 11);
        m_button->SetRect(CRect(40, 0, 80, 22));
        ASSERT_TRUE(m_bar->SetPopuped(0));
        ASSERT_TRUE(m_popup->open);
    }
    void TearDown() override
    {
        m_bar->SetPopuped(-1);
        m_bar->SetTrackingMode(FALSE);
        m_bar->DestroyWindow();
        m_bar.reset();
    }

    Held<CUTKCommandBar> m_bar;
    FakePopup* m_popup = nullptr;
    CUTKControl* m_button = nullptr;
};

TEST_F(ControlTracking, KeyboardSelectionClosesAnotherControlsPopup)
{
    EXPECT_TRUE(m_button->SetSelected(utkSelectedKeyboard));
    EXPECT_FALSE(m_popup->open);
    EXPECT_EQ(-1, m_bar->GetPopupedIndex());
}

TEST_F(ControlTracking, MouseSelectionLeavesThePopupOpen)
{
    EXPECT_TRUE(m_button->SetSelected(utkSelectedMouse));
    EXPECT_TRUE(m_popup->open);
    EXPECT_EQ(0, m_bar->GetPopupedIndex());
}

TEST_F(ControlTracking, KeyboardSelectionOfThePopupItselfKeepsItOpen)
{
    m_popup->SetSelected(utkSelectedNone);
    EXPECT_TRUE(m_popup->SetSelected(utkSelectedKeyboardAlt));
    EXPECT_TRUE(m_popup->open);
}

TEST_F(ControlTracking, HoverClosesTheOpenPopup)
{
    m_button->OnMouseHover();
    EXPECT_FALSE(m_popup->open);
    EXPECT_EQ(-1, m_bar->GetPopupedIndex());
}

}  // namespace
