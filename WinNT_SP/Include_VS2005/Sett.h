// The settings store: one typed-value record (63 items) loaded from and saved to
// "QVPSettings.xml", with recovery from damaged files (".bad" copies, the ".bak" backup,
// defaults) and the few defaults the store itself supplies.
#pragma once

#include "WinNT_SP/Include_VS2005/TypedValue.h"

#include <string>

// Item indexes of the settings root record, in declaration order.
enum SettKey : int {
    SETT_Root,
    SETT_QVRSettVers, SETT_EditAllowNonKey, SETT_LastUsedDir, SETT_SliderList, SETT_SliderStep,
    SETT_JumpTimes, SETT_MinimizeToTray, SETT_HighPriority, SETT_FileFiltInd, SETT_FileDlgParams,
    SETT_Networking, SETT_InetOpenDet, SETT_DownNoScriptStream, SETT_PlayDev, SETT_PlayParams,
    SETT_PlayMute, SETT_PlayVol, SETT_PlayVid, SETT_SettingsTab, SETT_SpeedPlayLast,
    SETT_SpeedPlayList, SETT_BMSelForPos, SETT_VideoInt, SETT_VideoViewMode,
    SETT_VideoLast1PaneView, SETT_VideoLast2PaneView, SETT_BMViewMode, SETT_PaneVideoCX,
    SETT_PaneVideoCY, SETT_PaneBMCX, SETT_PaneBMCY, SETT_HKG_ShowAll, SETT_HKG_Use,
    SETT_HKG_Multimed, SETT_HKL_Multimed, SETT_Shortcuts, SETT_GlobalHotkeys, SETT_RecentURLList,
    SETT_FmtPresets, SETT_ClearTypeFonts, SETT_ShowLevelPeaks, SETT_DisabledMsg,
    SETT_WndStates,
    SETT_MainWnd, SETT_MainWnd_PosX, SETT_MainWnd_PosY, SETT_MainWnd_SizeX, SETT_MainWnd_SizeY,
    SETT_MainWnd_WndPls, SETT_MainWnd_Cols, SETT_MainWnd_End,
    SETT_BMWnd, SETT_BMWnd_PosX, SETT_BMWnd_PosY, SETT_BMWnd_SizeX, SETT_BMWnd_SizeY,
    SETT_BMWnd_WndPls, SETT_BMWnd_Cols, SETT_BMWnd_End,
    SETT_WndStates_End,
    SETT_CQ_DockingLayouts,
    SETT_End,
    SETT_ItemCount
};
static_assert(SETT_ItemCount == 63);

// Outcome of a load beyond its error text.
enum class SettLoadFailure {
    None,
    Damaged,    // the file was read and found invalid: set aside and recovered
    Transient,  // lock, COM, sharing or I/O: the file is left alone
};

class Sett {
public:
    Sett();
    virtual ~Sett();
    Sett(const Sett&) = delete;
    Sett& operator=(const Sett&) = delete;

    TypedValue& Item(SettKey key) { return m_items[key]; }
    const TypedValue& Item(SettKey key) const { return m_items[key]; }
    TypedValue& Root() { return m_items[SETT_Root]; }

    // Reads the file (the settings file under the semaphore when path is null).
    std::wstring Load(const wchar_t* path, SettLoadFailure* failure = nullptr);
    // The start-up load with recovery and messages; always returns empty.
    std::wstring LoadWithRecovery();
    void ApplyDefaults();
    std::wstring Save(const wchar_t* path, bool noBackup);
    void CopyFrom(const Sett& other);

    // True after a start-up load that failed for a transient reason: the file on disk still
    // holds the user's settings, so the exit save should not replace it with defaults.
    bool LoadFailedTransiently() const { return m_transientLoadFailure; }

private:
    TypedValue m_items[SETT_ItemCount];
    bool m_transientLoadFailure = false;
};

// The program's settings object.
Sett& AppSettings();

// Lists of NamedTextItem texts ({Name, Descr}).
std::wstring GetMainLayoutText(TypedValue& list);
void SetNamedText(TypedValue& list, const wchar_t* name, const wchar_t* text);

// Window-state records (MainWnd, BMWnd): only "WndPls" and "Cols".
std::wstring GetWndStateText(TypedValue& record, const wchar_t* member);
void SetWndStateText(TypedValue& record, const wchar_t* member, const wchar_t* text);
