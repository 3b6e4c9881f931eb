// CUTKWinThemeWrapper: the toolkit's one way to the visual styles (UxTheme.dll) and desktop
// composition (dwmapi.dll), without linking to either. Each entry point is looked up by name
// on first use and cached; a missing library or entry point makes the call fail quietly
// (E_FAIL, FALSE or a null handle, out values untouched) so callers draw the classic way.
// One wrapper holds one open theme handle.
#pragma once

#include <windows.h>
#include <uxtheme.h>

#include <memory>

class CUTKWinThemeWrapper {
public:
    // Late-bound entry points of one UxTheme module.
    class EntryTable {
    public:
        enum Slot {
            slotOpenThemeData,
            slotCloseThemeData,
            slotDrawThemeBackground,
            slotDrawThemeTextEx,
            slotGetThemeColor,
            slotGetThemeInt,
            slotGetThemeSysBool,
            slotIsAppThemed,
            slotIsThemeActive,
            slotGetCurrentThemeName,
            slotBeginBufferedPaint,
            slotEndBufferedPaint,
            slotCount
        };

        // Loads the module by name (kept for the process).
        explicit EntryTable(LPCWSTR moduleName) noexcept;
        HMODULE GetModule() const noexcept { return m_hModule; }
        // Takes another module and forgets every entry point found so far.
        void Reset(HMODULE module) noexcept;
        // The entry point of slot, looked up on its first use; null when unavailable.
        FARPROC Get(Slot slot) noexcept;
        // Puts an entry point in place of the module's (tests record the calls).
        void Set(Slot slot, FARPROC proc) noexcept { m_procs[slot] = proc; }

    private:
        HMODULE m_hModule = nullptr;
        FARPROC m_procs[slotCount] = {};
    };

    explicit CUTKWinThemeWrapper(BOOL refreshFlag = FALSE) noexcept;
    virtual ~CUTKWinThemeWrapper();
    CUTKWinThemeWrapper(const CUTKWinThemeWrapper&) = delete;
    CUTKWinThemeWrapper& operator=(const CUTKWinThemeWrapper&) = delete;

    // Attributes
    HTHEME GetThemeHandle() const noexcept { return m_hTheme; }
    BOOL IsThemeOpen() const noexcept { return m_hTheme != nullptr; }

    // Theme operations. OpenThemeData closes the open theme first; 0 when unavailable.
    HTHEME OpenThemeData(HWND window, LPCWSTR classList);
    void CloseThemeData();
    HRESULT DrawThemeBackground(HDC dc, int partId, int stateId, const RECT* rect,
                                const RECT* clipRect);
    HRESULT DrawThemeTextEx(HDC dc, int partId, int stateId, LPCWSTR text, int charCount,
                            DWORD flags, LPRECT rect, const DTTOPTS* options);
    HRESULT GetThemeColor(int partId, int stateId, int propId, COLORREF* color);
    HRESULT GetThemeInt(int partId, int stateId, int propId, int* value);
    BOOL GetThemeSysBool(int boolId);
    // FALSE without asking when no theme is open.
    BOOL IsAppThemed();
    BOOL IsThemeActive();
    HRESULT GetCurrentThemeName(LPWSTR fileName, int fileNameSize, LPWSTR colorName,
                                int colorNameSize, LPWSTR sizeName, int sizeNameSize);
    HPAINTBUFFER BeginBufferedPaint(HDC target, const RECT* targetRect, BP_BUFFERFORMAT format,
                                    BP_PAINTPARAMS* paintParams, HDC* paintDC);
    void EndBufferedPaint(HPAINTBUFFER buffer, BOOL updateTarget);

    // Composition operations (no theme handle).
    HRESULT DwmDefWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                             LRESULT* result);
    HRESULT DwmExtendFrameIntoClientArea(HWND window, int left, int top, int right, int bottom);
    // The margins record of DwmExtendFrameIntoClientArea: left, right, top, bottom.
    static MARGINS MakeMargins(int left, int top, int right, int bottom) noexcept;

    // Gives this wrapper a private table over module (null: none) instead of a shared one.
    EntryTable& SetOwnTable(HMODULE module);

private:
    EntryTable* GetTable() noexcept;
    // For wrappers with the refresh flag: follows a change of the loaded UxTheme module.
    void RefreshModule() noexcept;
    template <class Fn>
    Fn Entry(EntryTable::Slot slot) noexcept;

    HTHEME m_hTheme = nullptr;
    BOOL m_bRefreshFlag;
    std::unique_ptr<EntryTable> m_pOwnTable;
};
