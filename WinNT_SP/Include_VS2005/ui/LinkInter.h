// A hyperlink drawn in a read-only edit control (the about box): blue underlined text, a hand
// cursor over the text, and a click that posts a notice, asks for help or opens the address.
#pragma once

#include "platform/framework/window/FrameworkWindows.h"

#include <string>

class CLinkInter : public CEdit {
public:
    CLinkInter();
    ~CLinkInter() override;

    // The program's home page, opened in the browser.
    void SetHomePageLink();

    std::wstring m_errorTemplate;
    BOOL m_useBrowser = FALSE;
    DWORD m_helpId = 0;
    HWND m_notifyWindow = nullptr;
    UINT m_notifyMessage = 0;
    std::wstring m_url;

protected:
    HBRUSH CtlColor(CDC* dc, UINT ctlColor);
    BOOL OnSetCursor(CWnd* window, UINT hitTest, UINT message);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnMouseMove(UINT flags, CPoint point);

    DECLARE_MESSAGE_MAP()

private:
    bool OverText(CPoint point) const;

    HFONT m_underlined = nullptr;
    BOOL m_fontReady = FALSE;
    BOOL m_pressed = FALSE;
    HCURSOR m_hand = nullptr;
    HCURSOR m_default = nullptr;
    CPoint m_lastPoint{-1, -1};
};

// The browser program of an "open" command line: the first quoted part when quoted, else up to
// the first blank after the last backslash, else the whole value.
std::wstring BrowserFromCommand(const std::wstring& command);

// Opens the address (in the browser when asked); a failure with a non-empty template shows the
// formatted error. Returns the ShellExecute result.
INT_PTR OpenLinkUrl(const wchar_t* url, const wchar_t* errorTemplate, BOOL useBrowser);
// The player's home-page command: the address in the browser, failures shown with the
// "Unable to connect to Internet page" text.
INT_PTR OpenHomePage(const wchar_t* url);
