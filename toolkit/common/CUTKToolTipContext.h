// CUTKToolTipContext: the tooltip settings of one group of windows (the bars of a command bars
// manager, docking panes, a markup host or a whole frame) and the filter that turns the mouse
// messages of a host window into tool registrations on a tooltip window of the chosen kind.
// Shared by reference count (the command target's); the last release deletes it.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "platform/framework/Framework.h"
#include "platform/framework/window/FrameworkWindows.h"

class CUTKImageManager;
class CUTKControl;

// Extra fields of a tool, carried in the lParam of a TOOLINFO of TTTOOLINFOW_V2_SIZE bytes.
struct UTK_TOOLTIP_EXTRAINFO {
    LPWSTR lpszDescription;  // malloc'ed; the tip text when titles are shown
    LPWSTR lpszTitle;        // malloc'ed
    CUTKImageManager* pImageManager;
    RECT rcExclude;  // host client coordinates; a non-empty one puts the tip below it
    CUTKControl* pControl;
};

// The image of the tip (lParam: CUTKImageManagerIcon*, not owned by the window).
constexpr UINT UTK_TTM_SETIMAGE = 0x2A49;
// Asked of a child window under the mouse: 1 makes its parent the tooltip's window.
constexpr UINT UTK_WM_TOOLTIPUSEPARENT = 0x2A48;

// Style bits that only the toolkit's own tooltip windows read.
constexpr DWORD UTK_TTS_FRAMED = 0x1000;      // light frame edge at the top and left
constexpr DWORD UTK_TTS_NOSHADOW = 0x2000;    // no drop shadow
constexpr DWORD UTK_TTS_OFFICE2007 = 0x4000;  // gradient, rounded corners, grey text

class CUTKToolTipContext : public CCmdTarget {
public:
    class CStandardToolTip;
    class CLunaToolTip;
    class CRichEditToolTip;
    class CMarkupToolTip;
    class CHTMLToolTip;

    enum Kind {
        kindStandard = 0,
        kindBalloon = 1,
        kindFramed = 2,
        kindRichEdit = 3,
        kindLuna = 4,
        kindOffice2007 = 5,
        kindHTML = 6,
        kindMarkup = 7,
    };

    CUTKToolTipContext();
    ~CUTKToolTipContext() override;
    CUTKToolTipContext(const CUTKToolTipContext&) = delete;
    CUTKToolTipContext& operator=(const CUTKToolTipContext&) = delete;

    // Overridables
    // A new, not yet created window object for the current kind.
    virtual CWnd* CreateToolTip(CWnd* owner);
    // The host's own hit test by default: fills record with FillToolInfo(Ex) and returns the
    // hit code, or -1 for no tool.
    virtual INT_PTR OnToolHitTest(CWnd* host, CPoint point, TOOLINFO* record);

    // Settings
    void SetStyle(int kind);
    int GetStyle() const noexcept { return m_nKind; }
    void ModifyToolTipStyle(DWORD remove, DWORD add);
    DWORD GetToolTipStyle() const noexcept { return m_dwStyle; }
    BOOL IsBalloonSupported() const noexcept { return m_dwComCtlVersion > 0x5004F; }
    DWORD GetComCtlVersion() const noexcept { return m_dwComCtlVersion; }
    // Tests and callers that know better than the library's own answer.
    void SetComCtlVersion(DWORD version) noexcept { m_dwComCtlVersion = version; }
    void ShowTitleAndDescription(BOOL show = TRUE, int titleIcon = TTI_INFO) noexcept
    {
        m_bShowTitleAndDescription = show;
        m_nTitleIcon = titleIcon;
    }
    BOOL IsShowTitleAndDescription() const noexcept { return m_bShowTitleAndDescription; }
    void ShowImage(BOOL show, int imageBase = 0, int imageWidth = 1) noexcept
    {
        m_bShowImage = show;
        m_nImageBase = imageBase;
        m_nImageWidth = imageWidth;
    }
    BOOL IsShowImage() const noexcept { return m_bShowImage; }
    void SetMaxTipWidth(int width) noexcept { m_nMaxTipWidth = width; }
    int GetMaxTipWidth() const noexcept { return m_nMaxTipWidth; }
    void SetMargin(const RECT& margin) noexcept { m_rcMargin = margin; }
    const RECT& GetMargin() const noexcept { return m_rcMargin; }
    // Milliseconds; -1 leaves the window's own value.
    void SetDelayTime(int initial, int reshow, int autoPop = -1) noexcept
    {
        m_nInitialDelay = initial;
        m_nReshowDelay = reshow;
        m_nAutoPopDelay = autoPop;
    }
    void SetTipBkColor(COLORREF color) noexcept { m_clrTipBack = color; }
    void SetTipTextColor(COLORREF color) noexcept { m_clrTipText = color; }
    COLORREF GetTipBkColor() const;
    COLORREF GetTipTextColor() const;
    CFont* GetFont() noexcept { return &m_fntTip; }
    CFont* GetTitleFont() noexcept { return &m_fntTitle; }
    // The tooltip window object, null before the first tip.
    CWnd* GetToolTipWindow() const noexcept { return m_pToolTip; }
    // The record of the tool registered last (cbSize 0 while there is none).
    const TTTOOLINFOW& GetLastToolInfo() const noexcept { return m_lastInfo; }

    // Filtering
    // The message with the cursor position, as the host's window procedure saw it.
    void FilterToolTipMessage(CWnd* host, UINT message, WPARAM wParam, LPARAM lParam);
    void FilterToolTipMessage(CWnd* host, MSG* msg);
    // This context serves every framework window that enabled tooltips (the module's filter).
    void InstallToolTipFilter();
    void DeactivateToolTip();
    static void RelayToolTipMessage(CWnd* toolTip, MSG* msg);
    static void FillToolInfo(TOOLINFO* record, HWND window, CRect rect, INT_PTR hit, LPCWSTR text);
    static void FillToolInfoEx(TOOLINFO* record, HWND window, CRect rect, INT_PTR hit, LPCWSTR text,
                               LPCWSTR title, LPCWSTR description, CUTKImageManager* imageManager);
    // The context the module's filter serves, null when none.
    static CUTKToolTipContext* GetActiveContext() noexcept;

private:
    void Filter(CWnd* host, MSG* msg, BOOL frameworkCall);
    // Creates the system window of m_pToolTip and sets it up; FALSE when none exists after.
    BOOL CreateToolTipSystemWindow(CWnd* owner);
    void DestroyToolTip();
    static void FrameworkFilter(MSG* msg, CWnd* window);
    static BOOL IsServedHost(CWnd* host, HWND messageWindow, BOOL hostReached);

    BOOL m_bShowTitleAndDescription = FALSE;
    BOOL m_bShowImage = FALSE;
    int m_nImageWidth = 1;
    int m_nImageBase = 0;
    int m_nKind = kindStandard;
    DWORD m_dwComCtlVersion = 0;
    int m_nTitleIcon = TTI_INFO;
    int m_nMaxTipWidth = 0;
    DWORD m_dwStyle = TTS_NOPREFIX;
    RECT m_rcMargin = {0, 0, 0, 0};
    int m_nInitialDelay = -1;
    int m_nReshowDelay = -1;
    int m_nAutoPopDelay = -1;
    CWnd* m_pToolTip = nullptr;
    TTTOOLINFOW m_lastInfo{};
    COLORREF m_clrTipBack = static_cast<COLORREF>(-1);
    COLORREF m_clrTipText = static_cast<COLORREF>(-1);
    CFont m_fntTip;
    CFont m_fntTitle;
};
