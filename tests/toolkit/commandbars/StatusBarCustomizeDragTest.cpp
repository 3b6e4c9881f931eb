// The customise drag source: its capture loop fed with queued mouse and key messages while the
// real cursor stands over a registered bar (or nowhere), the effects it reports, the enter,
// over, leave and drop notices the bars get, and the cursors it shows.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/framework/frame/CFrameWnd.h"
#include "tests/toolkit/commandbars/CommandBarTestBar.h"
#include "toolkit/commandbars/CUTKCommandBars.h"
#include "toolkit/commandbars/CUTKCustomizeDropSource.h"

#include <string>

namespace {

// A bar that records the customise-drag notices it gets.
class TargetBar : public bartest::TestBar {
public:
    void OnCustomizeDragEnter(CUTKControl*, CPoint) override { m_log += "enter "; }
    void OnCustomizeDragLeave() override { m_log += "leave "; }
    DWORD OnCustomizeDragOver(CUTKControl*, CPoint) override
    {
        m_log += "over ";
        return 0;
    }
    void OnCustomizeDrop(CUTKControl*, DWORD& dropEffect, CPoint ptDrop, CPoint) override
    {
        m_log += "drop" + std::to_string(dropEffect) + " ";
        m_dropAt = ptDrop;
        if (m_changeEffectTo != 0)
            dropEffect = m_changeEffectTo;
    }
    std::string m_log;
    CPoint m_dropAt{-1, -1};
    DWORD m_changeEffectTo = 0;
};

class DragHost {
public:
    DragHost()
    {
        m_frame = new CFrameWnd;
        m_frame->Create(nullptr, L"drag host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(20, 20, 620, 420));
        m_bars = new CUTKCommandBars;
        m_bars->SetSite(m_frame);
        m_source = new CUTKCustomizeDropSource(m_bars);
        for (int i = 0; i < 2; ++i) {
            m_targets[i] = new TargetBar;
            bartest::CreateBarWindow(m_targets[i], m_frame->GetSafeHwnd(),
                                     CRect(100 + 200 * i, 100, 260 + 200 * i, 140));
            m_source->AddDropTarget(m_targets[i]);
        }
        ::SetForegroundWindow(m_frame->GetSafeHwnd());
        // Activating the frame may stack it over the bars it owns; put them back on top.
        for (TargetBar* bar : m_targets)
            ::SetWindowPos(bar->GetSafeHwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    ~DragHost()
    {
        delete m_source;
        for (TargetBar* bar : m_targets) {
            bar->DestroyWindow();
            bar->InternalRelease();
        }
        m_bars->InternalRelease();
        m_frame->DestroyWindow();
    }
    DragHost(const DragHost&) = delete;
    DragHost& operator=(const DragHost&) = delete;

    void Post(UINT message, WPARAM wParam = 0) { ::PostMessageW(m_frame->GetSafeHwnd(), message, wParam, 0); }

    CFrameWnd* m_frame = nullptr;
    CUTKCommandBars* m_bars = nullptr;
    CUTKCustomizeDropSource* m_source = nullptr;
    TargetBar* m_targets[2] = {};
};

void Flush()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        ::DispatchMessageW(&msg);
}

// Puts the pointer there and lets the moves it causes arrive and go before the drag starts.
void PlaceCursor(CPoint pt)
{
    ::SetCursorPos(pt.x, pt.y);
    for (int i = 0; i < 20; ++i) {
        ::Sleep(10);
        Flush();
    }
}

} // namespace

TEST(CustomizeDragSource, EffectsOfQueuedDrags)
{
    struct Case {
        const char* name;
        CPoint cursor;  // screen
        std::vector<std::pair<UINT, WPARAM>> messages;
        DWORD want;
        const char* log0;  // notices of the first target
        DWORD changeTo = 0;
    } cases[] = {
        {"released before any move", {150, 120}, {{WM_LBUTTONUP, 0}}, 5, ""},
        {"moved onto a bar and released: a move", {150, 120},
         {{WM_MOUSEMOVE, MK_LBUTTON}, {WM_MOUSEMOVE, MK_LBUTTON}, {WM_LBUTTONUP, 0}}, 2,
         "enter over drop2 "},
        {"Ctrl held while moving: a copy", {150, 120},
         {{WM_MOUSEMOVE, MK_LBUTTON | MK_CONTROL}, {WM_LBUTTONUP, 0}}, 1, "enter drop1 "},
        {"Ctrl pressed after the move, without another move: a copy", {150, 120},
         {{WM_MOUSEMOVE, MK_LBUTTON}, {WM_KEYDOWN, VK_CONTROL}, {WM_LBUTTONUP, 0}}, 1,
         "enter drop1 "},
        {"Ctrl released again: a move", {150, 120},
         {{WM_MOUSEMOVE, MK_LBUTTON | MK_CONTROL}, {WM_KEYUP, VK_CONTROL}, {WM_LBUTTONUP, 0}}, 2,
         "enter drop2 "},
        {"the button found up on a move drops", {150, 120}, {{WM_MOUSEMOVE, 0}}, 2, "enter drop2 "},
        {"the target may change the effect", {150, 120},
         {{WM_MOUSEMOVE, MK_LBUTTON}, {WM_LBUTTONUP, 0}}, 1, "enter drop2 ", 1},
        {"released outside every bar: nothing", {50, 300},
         {{WM_MOUSEMOVE, MK_LBUTTON}, {WM_LBUTTONUP, 0}}, 0, ""},
        {"Escape cancels and the bar is left", {150, 120},
         {{WM_MOUSEMOVE, MK_LBUTTON}, {WM_KEYDOWN, VK_ESCAPE}}, 5, "enter leave "},
        {"the right button cancels", {150, 120},
         {{WM_MOUSEMOVE, MK_LBUTTON}, {WM_RBUTTONDOWN, MK_LBUTTON}}, 5, "enter leave "},
    };
    for (const Case& c : cases) {
        DragHost host;
        host.m_targets[0]->m_changeEffectTo = c.changeTo;
        PlaceCursor(c.cursor);
        for (const auto& m : c.messages)
            host.Post(m.first, m.second);
        const DWORD effect = host.m_source->DoDragDrop(nullptr, FALSE);
        EXPECT_EQ(effect, c.want) << c.name;
        EXPECT_EQ(host.m_targets[0]->m_log, c.log0) << c.name;
        EXPECT_EQ(host.m_targets[1]->m_log, "") << c.name;
        EXPECT_EQ(::GetCapture(), nullptr) << c.name;
        EXPECT_EQ(host.m_source->GetTarget(), nullptr) << c.name;
        if (c.want == 2 || c.want == 1) {
            EXPECT_EQ(host.m_targets[0]->m_dropAt, CPoint(c.cursor.x - 100, c.cursor.y - 100)) << c.name;
        }
    }
}

TEST(CustomizeDragSource, QuitEndsTheDragAndIsPostedAgain)
{
    DragHost host;
    PlaceCursor(CPoint(150, 120));
    host.Post(WM_MOUSEMOVE, MK_LBUTTON);
    ::PostQuitMessage(9);
    EXPECT_EQ(host.m_source->DoDragDrop(nullptr, FALSE), 5u);
    // A bar entered before the quit was read is left again.
    EXPECT_TRUE(host.m_targets[0]->m_log == "" || host.m_targets[0]->m_log == "enter leave ")
        << host.m_targets[0]->m_log;
    EXPECT_EQ(::GetCapture(), nullptr);
    MSG msg;
    ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 9u);
}

TEST(CustomizeDragSource, NothingWithoutManagerOrWindow)
{
    CUTKCustomizeDropSource lone(nullptr);
    EXPECT_EQ(lone.DoDragDrop(nullptr, FALSE), 0u);
    CUTKCommandBars* bars = new CUTKCommandBars;
    CUTKCustomizeDropSource siteless(bars);
    EXPECT_EQ(siteless.DoDragDrop(nullptr, FALSE), 0u);
    EXPECT_EQ(::GetCapture(), nullptr);
    bars->InternalRelease();
}

TEST(CustomizeDragSource, CursorsAndTargets)
{
    DragHost host;
    CUTKCustomizeDropSource& source = *host.m_source;
    const HCURSOR none = source.ChooseCursor(FALSE, TRUE, FALSE);
    const HCURSOR move = source.ChooseCursor(TRUE, TRUE, FALSE);
    const HCURSOR copy = source.ChooseCursor(TRUE, FALSE, FALSE);
    EXPECT_NE(none, move);
    EXPECT_NE(move, copy);
    EXPECT_NE(none, copy);
    EXPECT_EQ(source.ChooseCursor(FALSE, FALSE, TRUE), none);
    EXPECT_EQ(source.ChooseCursor(TRUE, TRUE, TRUE), copy) << "copy only shows the copy cursor";

    // The last registered bar over the point wins; a removed bar is no target.
    EXPECT_EQ(source.GetDropTargetCount(), 2);
    source.AddDropTarget(host.m_targets[0]);
    source.RemoveDropTarget(host.m_targets[0]);
    EXPECT_EQ(source.GetDropTargetCount(), 1);
    PlaceCursor(CPoint(150, 120));
    host.Post(WM_MOUSEMOVE, MK_LBUTTON);
    host.Post(WM_LBUTTONUP);
    EXPECT_EQ(source.DoDragDrop(nullptr, FALSE), 0u);
    EXPECT_EQ(host.m_targets[0]->m_log, "");
}
