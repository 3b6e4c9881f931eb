// The extended message box that stands in for the system one: a selectable message, an optional
// fold-out with diagnostic details, a copy button, a do-not-show-again check box, custom,
// disabled and shield-marked buttons, a Help button, and a size that follows the text.
#pragma once

#include "WinNT_SP/Include_VS2005/ui/ButtonEx.h"
#include "platform/framework/window/FrameworkWindows.h"
#include "WinNT_SP/Include_VS2005/MessageBoxLayer.h"

#include <string>

// The caller's full option record of the extended box (the message-box layer's own record
// carries only the owner and the help id).
struct MSGBOX_EXT_OPTIONS {
    int showCheckBox = 0;
    std::wstring checkBoxText;
    std::wstring extraText;
    int checked = 0;           // out: TRUE while the box is checked
    int disableWhenChecked = -1;  // index of the button disabled while checked, -1 none
    HWND owner = nullptr;
    DWORD helpContext = 0;
    DWORD disabledMask = 0;  // bits 0-2: buttons 1-3
    DWORD shieldMask = 0;    // bits 0-2: buttons 1-3 get the elevation shield
    std::wstring captions[3];
};

// Box flag beside the message-box layer's MBXF_NO_CLIENT_EDGE and MBXF_COPY_BUTTON.
constexpr UINT MBXF_FIXED_FONT = 2;

class CMsgBoxExt : public CDialog {
public:
    CMsgBoxExt(CWnd* parent = nullptr);
    ~CMsgBoxExt() override;

    INT_PTR Run(const wchar_t* caption, const wchar_t* details, const wchar_t* text, UINT style,
                DWORD boxFlags, MSGBOX_EXT_OPTIONS* options);

    // The message as the box shows it: cut to 32763 characters + "..." when longer than 32767,
    // and every bare LF made CR LF.
    static std::wstring PrepareText(const wchar_t* text);

    // State for tests and callers.
    const std::wstring& Text() const { return m_text; }
    const std::wstring& Caption() const { return m_caption; }
    bool DetailsVisible() const { return m_detailsVisible != FALSE; }
    int ButtonCount() const { return m_buttonCount; }
    int DetailsHeight() const { return m_detailsHeight; }
    HWND ToolTip() const { return m_toolTip; }

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnDestroy();

    DECLARE_MESSAGE_MAP()

private:
    struct ButtonSlot {
        int result;
        std::wstring caption;
    };
    void SetUpButtons();
    void ToggleDetails();
    void CopyToClipboard();
    void UpdateToolTip();
    int MeasureTextWidth(HWND control, const std::wstring& text, bool fixedFont) const;
    int WidestLine(HWND edit, bool fixedFont) const;
    int TextHeight(HWND edit) const;

    ButtonEx m_copyButton;
    CWnd m_messageEdit;
    CWnd m_extraEdit;
    CWnd m_iconStatic;
    std::wstring m_text;
    std::wstring m_details;
    std::wstring m_caption;
    UINT m_style = 0;
    DWORD m_boxFlags = 0;
    BOOL m_detailsVisible = FALSE;
    int m_detailsHeight = 0;
    int m_buttonCount = 1;
    int m_escapeResult = IDOK;
    BOOL m_escapeAllowed = TRUE;
    LPCWSTR m_iconId = nullptr;
    ButtonSlot m_slots[4];
    HICON m_copyIcon = nullptr;
    MSGBOX_EXT_OPTIONS* m_options = nullptr;
    HWND m_toolTip = nullptr;
};

// Shows the box modally over the right owner; -1 when it could not be created.
int ShowMsgBoxExt(MSGBOX_EXT_OPTIONS* options, const wchar_t* text, const wchar_t* caption,
                  UINT style, DWORD boxFlags, const wchar_t* details);

// Makes every traced message box of the program an extended one.
void InstallMsgBoxExtPresenter();

// The topmost (or, with requireEnabled, the first) window above `window` in z-order that it owns
// directly or through parents and owners; IME windows and tool windows do not count.
HWND FindActiveOwnedPopup(HWND window, BOOL requireVisible, BOOL requireEnabled);
