// The control strip a full-screen window shows along the bottom of its monitor: position
// slider, time text, transport buttons and the player's status text. It holds no playback
// logic: buttons and the slider go to the player, and every 200 ms it asks the player what
// to show.
#pragma once

#include "WinNT_SP/Include_VS2005/ui/ButtonEx.h"
#include "platform/framework/window/FrameworkWindows.h"
#include "WinNT_SP/Include_VS2005/ui/SliderCtrlEx.h"

#include <string>

class CFullScrPanel : public CDialog {
public:
    static constexpr UINT_PTR kUpdateTimer = 1;
    static constexpr int kSliderRange = 600;

    CFullScrPanel(CWnd* parent, int kind, const wchar_t* settingsText);
    ~CFullScrPanel() override;

    void ShowPanel();
    void HidePanel();
    BOOL IsShown() const { return m_shown; }
    BOOL IsMenuOpen() const { return m_menuOpen; }
    void TimeUpdate();

    // "position / duration", each as 1:05.2 (tenths, leading zeros dropped).
    static std::wstring TimeText(double position, double duration);
    // Slider position for a presentation position, within 0..600.
    static int SliderTarget(double position, double duration);

    BOOL OnInitDialog() override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Enter does nothing; Esc (while the panel has the keyboard) leaves full screen, as it
    // does on the video itself.
    void OnOK() override {}
    void OnCancel() override;

private:
    void ControlUpdate();
    void Shift(int id, int dx, int grow);

    BOOL m_menuOpen = FALSE;
    CWnd* m_parent;
    RECT m_monitorRect{};
    BOOL m_shown = FALSE;
    HICON m_iconSet[20] = {};
    BOOL m_dragging = FALSE;
    BOOL m_sliderFollows = TRUE;
    // The slider jumps to a click; the buttons draw their icons on the themed face.
    CSliderCtrlEx m_slider;
    ButtonEx m_buttons[11];
};
