// CUTKToolTipContextToolTip: the toolkit's own tooltip window. It answers the part of the
// common-controls tooltip protocol a tooltip context sends (add, delete and update a tool,
// activate, relay, title, delays, window from point) and does its own timing, placement and
// drawing; kinds derive from it to measure and draw their content differently.
#pragma once

#include <memory>
#include <vector>

#include "platform/framework/Framework.h"
#include "platform/framework/window/FrameworkWindows.h"
#include "toolkit/common/CUTKToolTipContext.h"

class CUTKImageManagerIcon;

class CUTKToolTipContextToolTip : public CWnd {
public:
    struct TOOLITEM {
        CString strText;
        BOOL bTextCallback = FALSE;
        UINT uFlags = 0;
        RECT rect = {0, 0, 0, 0};
        HINSTANCE hInst = nullptr;
        HWND hWnd = nullptr;
        UINT_PTR uId = static_cast<UINT_PTR>(-1);
        RECT rcExclude = {0, 0, 0, 0};

        BOOL IsEmpty() const noexcept { return hWnd == nullptr; }
    };
    // Same window and id; an item without a window names no tool.
    static BOOL IsSameToolInfo(const TOOLITEM* a, const TOOLITEM* b) noexcept;
    // Delay timer id.
    static constexpr UINT_PTR kDelayTimer = 1;

    explicit CUTKToolTipContextToolTip(CUTKToolTipContext* context);
    ~CUTKToolTipContextToolTip() override;

    // Creates the window (check m_hWnd afterwards).
    void CreateToolTipWindow(CWnd* owner, DWORD style);
    // The context's maximum tip width, the screen width for -1.
    int GetMaxTipWidth() const;
    // The item's text, asked of its window when it is a callback.
    CString GetToolText(TOOLITEM* item);

    // Overridables
    virtual SIZE CalcToolTipSize(TOOLITEM* tool);
    virtual void DrawContent(CDC* dc, TOOLITEM* tool, CRect rect);
    virtual void DrawBackground(CDC* dc, TOOLITEM* tool, CRect rect);
    virtual void OnVisibilityChanged(BOOL shown);

    // State, for the context and for tests.
    CUTKToolTipContext* GetContext() const noexcept { return m_pContext; }
    const TOOLITEM& GetCurrentTool() const noexcept { return m_currentTool; }
    const TOOLITEM& GetPendingTool() const noexcept { return m_pendingTool; }
    const TOOLITEM& GetClickedTool() const noexcept { return m_clickedTool; }
    BOOL IsActive() const noexcept { return m_bActive; }
    BOOL IsDelayTimerRunning() const noexcept { return m_nDelayTimer != 0; }
    int GetInitialDelay() const noexcept { return m_nInitialDelay; }
    int GetReshowDelay() const noexcept { return m_nReshowDelay; }
    int GetToolCount() const noexcept { return static_cast<int>(m_arrTools.size()); }
    const CString& GetTitle() const noexcept { return m_strTitle; }
    CUTKImageManagerIcon* GetImage() const noexcept { return m_pImage; }
    BOOL HasRoundedRegion() const noexcept { return m_bRegionSet; }
    // The window under a screen point, or its parent when the child asks for that.
    static HWND WindowFromPointRule(POINT point);
    // Whether the mouse hook of the thread belongs to this window.
    BOOL OwnsMouseHook() const noexcept;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The time the reshow delay is measured against (GetTickCount; tests give their own).
    virtual DWORD GetTickCountNow() const;
    // The item's image size through the image seam; (0, 0) without an image.
    SIZE GetImageSize() const;
    // Base measure and drawing, for kinds that fall back to plain text.
    SIZE CalcPlainSize(TOOLITEM* tool);
    void DrawPlainContent(CDC* dc, TOOLITEM* tool, CRect rect);

private:
    void Relay(const MSG* msg);
    // The first registered tool under the cursor, or null.
    TOOLITEM* ToolFromCursor();
    // keepPending: a hide that leaves the tool waiting for the delay timer alone.
    void ShowTool(TOOLITEM* tool, bool keepPending = false);
    void Hide(bool keepPending = false) { ShowTool(nullptr, keepPending); }
    void KillDelayTimer();
    void InstallMouseHook();
    void RemoveMouseHook();
    void Cleanup();
    void OnPaintTip();
    TOOLITEM* FindTool(const TTTOOLINFOW* info);
    static LRESULT CALLBACK MouseHookProc(int code, WPARAM wParam, LPARAM lParam);

    std::vector<std::unique_ptr<TOOLITEM>> m_arrTools;
    BOOL m_bActive = FALSE;
    CUTKToolTipContext* m_pContext;
    TOOLITEM m_currentTool;
    TOOLITEM m_clickedTool;
    TOOLITEM m_pendingTool;
    UINT_PTR m_nDelayTimer = 0;
    DWORD m_dwLastChange = 0;
    // No show or hide has happened yet: the first tip always waits for the initial delay.
    BOOL m_bChanged = FALSE;
    int m_nInitialDelay = 500;
    int m_nReshowDelay = 200;
    CString m_strTitle;
    CUTKImageManagerIcon* m_pImage = nullptr;
    BOOL m_bRegionSet = FALSE;
};
