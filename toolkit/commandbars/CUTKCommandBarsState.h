// Saved arrangement of a manager's toolbars: one layout record per toolbar, the collection of
// records with the screen size it was saved at, and the profile sections they live in
// ("<profile>-Summary", "<profile>-Bar<n>"). The manager's SaveBarState and LoadBarState
// (CUTKCommandBarsState.cpp) drive them; the dock-bar rows and customised bars are saved there.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "platform/framework/CPoint.h"
#include "platform/framework/CRect.h"
#include "platform/framework/CSize.h"
#include "platform/framework/CStringT.h"
#include "toolkit/commandbars/BarStateScaling.h"
#include "toolkit/commandbars/CUTKToolBar.h"

class CFile;
class CUTKCommandBarList;
class CUTKCommandBars;
class CUTKPropExchange;
class CommandBarsDockState;
struct UTK_COMMANDBARS_PROPEXCHANGE_PARAM;

// One toolbar's layout as saved.
class CUTKToolBar::CToolBarInfo {
public:
    // Saved MRU width that means "none".
    static constexpr int kNoWidth = 32767;

    UINT nBarID = 0;
    BOOL bVisible = FALSE;
    BOOL bFloating = FALSE;
    // Top-left of the window: dock-bar client coordinates when docked, screen when floating
    // (the dock context's float position for a bar without a window); -1 when unknown.
    CPoint ptPos{-1, -1};
    int nMRUWidth = kNoWidth;
    int uMRUDockID = 0;
    CRect rectMRUDockPos{0, 0, 0, 0};
    CPoint ptMRUFloatPos{0, 0};
    CUTKToolBar* pBar = nullptr;  // runtime only
    BOOL bDialogBar = FALSE;
    CSize szDialogBarDockingClient{200, 200};
    CSize szDialogBarFloatingClient{200, 200};

    // Filled from a bar of a manager (its window, dock bar and dock context).
    void GetBarInfo(CUTKToolBar* pToolBar);
    // Puts the bar where the record says and shows or hides it.
    void ApplyBarInfo(CUTKToolBar* pToolBar) const;

    // "<profile>-Bar<n>": the section is deleted first; entries equal to what a load defaults
    // to are left out ("Visible" 1, "Floating" 0, "XPos"/"YPos" -1, "MRUWidth" 32767).
    void SaveState(LPCTSTR lpszProfileName, int nIndex) const;
    // FALSE when the section holds no "BarID" (the record does not exist).
    BOOL LoadState(LPCTSTR lpszProfileName, int nIndex, const CommandBarsDockState& state);
};

class CommandBarsDockState {
public:
    static constexpr int kVersion = 36;
    // Most toolbar records read back, whatever "Bars" says.
    static constexpr int kMaxBars = 4096;

    CommandBarsDockState();
    ~CommandBarsDockState();
    CommandBarsDockState(const CommandBarsDockState&) = delete;
    CommandBarsDockState& operator=(const CommandBarsDockState&) = delete;

    // One record per toolbar of the manager.
    void GetDockState(CUTKCommandBars* pCommandBars);
    // Floats or docks each bar with a record and places it; records of unknown bars are skipped.
    void SetDockState(CUTKCommandBars* pCommandBars) const;
    // "<profile>-Bar<n>" for each record, then "<profile>-Summary".
    void SaveState(LPCTSTR lpszProfileName) const;
    // "<profile>-Summary" and the records it counts (ending early at a missing record).
    void LoadState(LPCTSTR lpszProfileName);

    // Positions saved at another screen size, and kept on the screen.
    CPoint ScalePoint(CPoint pt) const;
    CRect ScaleRect(CRect rc) const;

    int GetCount() const { return static_cast<int>(m_arrBarInfo.size()); }
    CUTKToolBar::CToolBarInfo* GetAt(int nIndex) const;
    void Add(std::unique_ptr<CUTKToolBar::CToolBarInfo> info);
    void Clear() { m_arrBarInfo.clear(); }
    BOOL IsScaling() const { return m_bScaling; }
    CSize GetScreenSize() const { return m_szScreen; }
    CSize GetSavedScreenSize() const { return m_szSavedScreen; }
    // For tests of other screens: the size this state takes as the current one.
    void SetScreenSize(CSize size) { m_szScreen = size; }

    // "<profile>-DockBar<d>" for the four dock bars (the rows, a 0 for each row separator),
    // and the status bar's state.
    static void SaveDockBars(CUTKCommandBars* pCommandBars, LPCTSTR lpszProfileName);
    // Puts the saved bars into the rows of their dock bars; unknown ids become separators.
    static void LoadDockBars(CUTKCommandBars* pCommandBars, LPCTSTR lpszProfileName);

private:
    std::vector<std::unique_ptr<CUTKToolBar::CToolBarInfo>> m_arrBarInfo;
    int m_nVersion = kVersion;
    BOOL m_bScaling = FALSE;
    CSize m_szScreen;
    CSize m_szSavedScreen{0, 0};
};

// Reading the profile without creating anything in it (the framework's profile reads create
// the registry keys they look in): a missing entry gives the default.
int ReadStateInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault);
BOOL HasStateEntry(LPCTSTR lpszSection, LPCTSTR lpszEntry);
CString ReadStateString(LPCTSTR lpszSection, LPCTSTR lpszEntry);

// The customised bars as one block: the bar list gathered with the record, archived and
// packed ("ZIP!" when that makes it smaller). FALSE when the list could not be written.
BOOL StoreCommandBarsBlock(CUTKCommandBars* pCommandBars, UTK_COMMANDBARS_PROPEXCHANGE_PARAM& param,
                           std::vector<BYTE>& block);
// Reads a bar list from an unpacked archive file and, when it loads and passes the check,
// merges it. FALSE (nothing merged) otherwise; pProblem tells why.
BOOL LoadCommandBarListFromFile(CUTKCommandBars* pCommandBars, CFile* pFile, BOOL bSilent,
                                CString* pProblem = nullptr);
// The loaded list's check before merging (kinds of the bars, popup links without cycles).
BOOL CheckCommandBarList(const CUTKCommandBars* pCommandBars, CUTKCommandBarList* pList,
                         CString* pProblem);
// "<profile>-Controls": the customised bars as a binary value, or in a hidden file named there
// when the block is larger than kMaxCustomControlsProfileBytes. A list that cannot be written
// deletes the section; a file that cannot be written leaves the profile as it was.
void SaveCustomizedBars(CUTKCommandBars* pCommandBars, LPCTSTR lpszProfileName,
                        BOOL bOnlyCustomized);
// Reads them back and merges them; damaged data merges nothing and writes nothing. FALSE
// when nothing was merged; pProblem tells why (empty when there was nothing saved).
BOOL LoadCustomizedBars(CUTKCommandBars* pCommandBars, LPCTSTR lpszProfileName, BOOL bSilent,
                        CString* pProblem = nullptr);
// Largest customised-bars file read back.
constexpr DWORD kMaxCustomControlsFileBytes = 16u * 1024 * 1024;
// Blocks above this size go into a file of their own instead of the profile.
constexpr DWORD kMaxCustomControlsProfileBytes = 16000;
// Reads a whole regular disk file of at most kMaxCustomControlsFileBytes; FALSE for anything
// else (a directory, a device, a pipe, a larger file, a read error).
BOOL ReadCustomControlsFile(LPCTSTR lpszPath, std::vector<BYTE>& data);
// Writes the file through a temporary file in the same folder that then replaces it, so a
// failed write leaves the old file (which the profile may still name) as it was.
BOOL ReplaceCustomControlsFile(LPCTSTR lpszPath, const std::vector<BYTE>& data);

// The storage of a state section: the application's registry key when it has one, else its
// INI profile file. The caller releases it (InternalRelease); null when there is no app.
CUTKPropExchange* OpenStateSection(BOOL bLoading, LPCTSTR lpszSection);
