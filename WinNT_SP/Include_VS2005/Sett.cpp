// Settings store (see Sett.h).
#include "WinNT_SP/Include_VS2005/Sett.h"

#include "WinNT_SP/Include_VS2005/FileSystem.h"
#include "WinNT_SP/Include_VS2005/MessageBoxLayer.h"
#include "WinNT_SP/Include_VS2005/PlayerCoreServices.h"
#include "WinNT_SP/Include_VS2005/SettingsPaths.h"
#include "WinNT_SP/Include_VS2005/SpeedListRules.h"
#include "WinNT_SP/Include_VS2005/SupportStrings.h"
#include "WinNT_SP/Include_VS2005/SystemErrorText.h"
#include "WinNT_SP/Include_VS2005/TextFormat.h"
#include "WinNT_SP/Include_VS2005/TraceLog.h"
#include "WinNT_SP/Include_VS2005/XMLDoc.h"

#include <cwchar>

namespace {

const wchar_t kRootName[] = L"QVRSettRoot";
const wchar_t kSettingsElement[] = L"Settings";

void DeclareWndState(TypedValue* v, const wchar_t* key)
{
    InitIntValue(v[1], L"PosX");
    InitIntValue(v[2], L"PosY");
    InitIntValue(v[3], L"SizeX");
    InitIntValue(v[4], L"SizeY");
    InitStringValue(v[5], L"WndPls");
    InitStringValue(v[6], L"Cols");
    InitEndMarker(v[7]);
    InitRecordHeader(v[0], key, 8, true);
}

// {Name H, Descr I}
struct NamedTextItem {
    TypedValue v[4];
    NamedTextItem()
    {
        InitStringValue(v[1], L"Name");
        InitTextValue(v[2], L"Descr");
        InitEndMarker(v[3]);
        InitRecordHeader(v[0], nullptr, 4, false);
    }
    ~NamedTextItem() { v[0].Reset(); }
    NamedTextItem(const NamedTextItem&) = delete;
    NamedTextItem& operator=(const NamedTextItem&) = delete;
};

bool SameSettingsPath(const std::wstring& a, const std::wstring& b)
{
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) ==
           CSTR_EQUAL;
}

void CopyAside(const std::wstring& from, const std::wstring& to)
{
    if (!CopyFileW(from.c_str(), to.c_str(), FALSE)) {
        const std::wstring err = FormatSystemError(
            GetLastError(), FormatNewString(L"CopyFile(%s, %s)", from.c_str(), to.c_str()).c_str());
        TraceLine(RMD_STAMPED, L"LoadSettErr (savbad): %s", err.c_str());
    }
}

}  // namespace

Sett::Sett()
{
    TypedValue* v = m_items;
    struct Decl {
        SettKey key;
        char type;
        const wchar_t* name;
    };
    static const Decl kDecls[] = {
        {SETT_QVRSettVers, 'H', L"QVRSettVers"}, {SETT_EditAllowNonKey, 'D', L"EditAllowNonKey"},
        {SETT_LastUsedDir, 'H', L"LastUsedDir"}, {SETT_SliderList, 'H', L"SliderList"},
        {SETT_SliderStep, 'H', L"SliderStep"}, {SETT_JumpTimes, 'H', L"JumpTimes"},
        {SETT_MinimizeToTray, 'D', L"MinimizeToTray"}, {SETT_HighPriority, 'D', L"HighPriority"},
        {SETT_FileFiltInd, 'D', L"FileFiltInd"}, {SETT_FileDlgParams, 'H', L"FileDlgParams"},
        {SETT_Networking, 'I', L"Networking"}, {SETT_InetOpenDet, 'D', L"InetOpenDet"},
        {SETT_DownNoScriptStream, 'D', L"DownNoScriptStream"}, {SETT_PlayDev, 'H', L"PlayDev"},
        {SETT_PlayParams, 'H', L"PlayParams"}, {SETT_PlayMute, 'D', L"PlayMute"},
        {SETT_PlayVol, 'G', L"PlayVol"}, {SETT_PlayVid, 'I', L"PlayVid"},
        {SETT_SettingsTab, 'D', L"SettingsTab"}, {SETT_SpeedPlayLast, 'G', L"SpeedPlayLast"},
        {SETT_SpeedPlayList, 'H', L"SpeedPlayList"}, {SETT_BMSelForPos, 'D', L"BMSelForPos"},
        {SETT_VideoInt, 'I', L"VideoInt"}, {SETT_VideoViewMode, 'D', L"VideoViewMode"},
        {SETT_VideoLast1PaneView, 'D', L"VideoLast1PaneView"},
        {SETT_VideoLast2PaneView, 'D', L"VideoLast2PaneView"},
        {SETT_BMViewMode, 'D', L"BMViewMode"}, {SETT_PaneVideoCX, 'D', L"PaneVideoCX"},
        {SETT_PaneVideoCY, 'D', L"PaneVideoCY"}, {SETT_PaneBMCX, 'D', L"PaneBMCX"},
        {SETT_PaneBMCY, 'D', L"PaneBMCY"}, {SETT_HKG_ShowAll, 'D', L"HKG_ShowAll"},
        {SETT_HKG_Use, 'D', L"HKG_Use"}, {SETT_HKG_Multimed, 'D', L"HKG_Multimed"},
        {SETT_HKL_Multimed, 'D', L"HKL_Multimed"}, {SETT_Shortcuts, 'C', L"Shortcuts"},
        {SETT_GlobalHotkeys, 'C', L"GlobalHotkeys"}, {SETT_RecentURLList, 'C', L"RecentURLList"},
        {SETT_FmtPresets, 'C', L"FmtPresets"}, {SETT_ClearTypeFonts, 'D', L"ClearTypeFonts"},
        {SETT_ShowLevelPeaks, 'D', L"ShowLevelPeaks"}, {SETT_DisabledMsg, 'C', L"DisabledMsg"},
        {SETT_CQ_DockingLayouts, 'C', L"CQ_DockingLayouts"},
    };
    for (const Decl& d : kDecls) {
        TypedValue& item = v[d.key];
        switch (d.type) {
        case 'D': InitIntValue(item, d.name); break;
        case 'G': InitDoubleValue(item, d.name); break;
        case 'H': InitStringValue(item, d.name); break;
        case 'I': InitTextValue(item, d.name); break;
        default: InitListValue(item, d.name); break;
        }
    }
    DeclareWndState(v + SETT_MainWnd, L"MainWnd");
    DeclareWndState(v + SETT_BMWnd, L"BMWnd");
    InitEndMarker(v[SETT_WndStates_End]);
    InitRecordHeader(v[SETT_WndStates], L"WndStates", 18, true);
    InitEndMarker(v[SETT_End]);
    InitRecordHeader(v[SETT_Root], nullptr, SETT_ItemCount, false);
}

Sett::~Sett()
{
    m_items[SETT_Root].Reset();
}

void Sett::CopyFrom(const Sett& other)
{
    Root().CopyFrom(other.m_items[SETT_Root]);
}

std::wstring Sett::Load(const wchar_t* pathIn, SettLoadFailure* failure)
{
    TRACE_FUNCTION();
    SettLoadFailure dummy;
    SettLoadFailure& kind = failure ? *failure : dummy;
    kind = SettLoadFailure::Transient;
    XMLDoc doc;
    std::wstring path;
    std::wstring error;
    bool damaged = false;
    if (!pathIn) {
        path = GetSettingsFilePath(true, &error);
        if (!error.empty()) {
            return error;
        }
        SettingsLock lock;
        error = lock.Acquire();
        if (!error.empty()) {
            return error;
        }
        error = doc.Create();
        if (error.empty()) {
            error = doc.Load(path.c_str(), &damaged);
        }
    } else {
        path = pathIn;
        error = doc.Create();
        if (error.empty()) {
            error = doc.Load(path.c_str(), &damaged);
        }
    }
    if (!error.empty()) {
        kind = damaged ? SettLoadFailure::Damaged : SettLoadFailure::Transient;
        return error;
    }
    kind = SettLoadFailure::Damaged;
    const std::wstring invalid =
        FormatResString(IDS_SETTINGS_INVALID, path.c_str(), kProductName);
    if (doc.RootName() != kRootName) {
        return invalid;
    }
    if (!doc.SelectPath(kSettingsElement)) {
        kind = SettLoadFailure::None;
        return std::wstring();
    }
    const std::wstring text = XmlNodeToText(doc.Current(), false);
    if (Root().Parse(text.c_str()) < 0) {
        return invalid;
    }
    kind = SettLoadFailure::None;
    return std::wstring();
}

std::wstring Sett::LoadWithRecovery()
{
    TRACE_FUNCTION();
    m_transientLoadFailure = false;
    const std::wstring path = GetSettingsFilePath(true, nullptr);
    std::wstring error;
    SettLoadFailure failure = SettLoadFailure::None;
    if (!path.empty() && FileExists(path.c_str())) {
        error = Load(nullptr, &failure);
    }
    if (!error.empty() && failure == SettLoadFailure::Transient) {
        // The file may be fine: it is neither set aside nor rewritten.
        TraceLine(RMD_STAMPED, L"SETT file [%s] not read: %s", path.c_str(), error.c_str());
        m_transientLoadFailure = true;
        AppMessageBox(error.c_str());
    } else if (!error.empty()) {
        TraceLine(RMD_STAMPED, L"SETT file [%s] inval.: %s", path.c_str(), error.c_str());
        CopyAside(path, path + L".bad");
        const std::wstring backup = path + L".bak";
        if (FileExists(backup.c_str())) {
            AppMessageBox(FormatResString(IDS_SETTINGS_RESTORE_BACKUP, path.c_str(), kProductName,
                                          backup.c_str())
                              .c_str());
            error = Load(backup.c_str(), &failure);
            if (!error.empty()) {
                CopyAside(backup, backup + L".bad");
                TraceLine(RMD_STAMPED, L"LoadSettErr (backup): %s", error.c_str());
                AppMessageBox(
                    FormatResString(IDS_SETTINGS_BACKUP_INVALID, backup.c_str(), kProductName)
                        .c_str());
            }
        } else {
            AppMessageBox(
                FormatResString(IDS_SETTINGS_USE_DEFAULTS, path.c_str(), kProductName).c_str());
        }
        const std::wstring saveError = Save(path.c_str(), true);
        if (!saveError.empty()) {
            AppMessageBox(saveError.c_str());
        }
    }
    ApplyDefaults();
    return std::wstring();
}

void Sett::ApplyDefaults()
{
    TRACE_FUNCTION();
    auto intDefault = [this](SettKey key, int32_t value) {
        if (!Item(key).IsSet()) {
            Item(key).SetInt(value);
        }
    };
    intDefault(SETT_ClearTypeFonts, 1);
    intDefault(SETT_ShowLevelPeaks, 1);
    if (!Item(SETT_VideoViewMode).IsSet()) {
        Item(SETT_VideoViewMode).SetInt(3);
        Item(SETT_VideoLast1PaneView).SetInt(0);
        Item(SETT_VideoLast2PaneView).SetInt(3);
    }
    intDefault(SETT_BMViewMode, 0);
    if (!Item(SETT_PlayVol).IsSet()) {
        Item(SETT_PlayVol).SetDouble(1.0);
    }
    ISpeedListService& speeds = SpeedListService();
    if (!speeds.LoadSpeedList()) {
        Item(SETT_SpeedPlayList).SetStringValue(speeds.FormatSpeedList().c_str());
    }
    const double last = Item(SETT_SpeedPlayLast).GetDouble(0);
    if (SpeedGridSteps(last) < SpeedGridSteps(speeds.LowestSpeed()) ||
        speeds.IsNormalSpeed(last) ||
        SpeedGridSteps(last) > SpeedGridSteps(speeds.HighestSpeed())) {
        Item(SETT_SpeedPlayLast).SetDouble(2.0);
    }
    intDefault(SETT_HKG_Multimed, 1);
    intDefault(SETT_HKL_Multimed, 1);
}

std::wstring Sett::Save(const wchar_t* pathIn, bool noBackup)
{
    TRACE_FUNCTION();
    const std::wstring settingsPath = GetSettingsFilePath(true, nullptr);
    const std::wstring path = pathIn ? std::wstring(pathIn) : settingsPath;
    const std::wstring version = FormatSettingsVersion();
    Item(SETT_QVRSettVers).SetStringValue(version.c_str());
    const std::wstring text = Root().ToText(0);
    // The document is written as indented XML text directly: the same file as building the
    // DOM, indenting it and serialising it, at a fraction of the cost for long lists.
    std::wstring element;
    if (!TextToXmlText(kSettingsElement, text, 1, &element)) {
        return FormatResString(IDS_XML_NODE_FAILED, kSettingsElement, text.c_str());
    }
    std::wstring xml = L"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<";
    xml += kRootName;
    xml += L" Vers=\"" + version + L"\">" + element + L"\n</" + kRootName + L">";
    SettingsLock lock;
    if (!pathIn) {
        const std::wstring error = lock.Acquire();
        if (!error.empty()) {
            return error;
        }
    }
    const bool backup = (!pathIn || SameSettingsPath(path, settingsPath)) && !noBackup;
    return XMLDoc::SaveTextToFile(path.c_str(), std::move(xml), backup);
}

Sett& AppSettings()
{
    static Sett* const settings = new Sett;
    return *settings;
}

std::wstring GetMainLayoutText(TypedValue& list)
{
    TRACE_FUNCTION();
    const uint32_t n = list.ListCount();
    for (uint32_t i = 0; i < n; ++i) {
        NamedTextItem item;
        if (item.v[0].Parse(list.ListEntry(i)->GetStringValue()) >= 0 &&
            std::wcscmp(item.v[1].GetStringValue(), L"Main") == 0) {
            return item.v[2].GetStringValue();
        }
    }
    return std::wstring();
}

void SetNamedText(TypedValue& list, const wchar_t* name, const wchar_t* text)
{
    TRACE_FUNCTION();
    const uint32_t n = list.ListCount();
    int found = -1;
    for (uint32_t i = 0; i < n && found < 0; ++i) {
        NamedTextItem item;
        if (item.v[0].Parse(list.ListEntry(i)->GetStringValue()) >= 0 &&
            std::wcscmp(item.v[1].GetStringValue(), name ? name : L"") == 0) {
            found = int(i);
        }
    }
    if (!text || !*text) {
        if (found >= 0) {
            list.RemoveListEntries(uint32_t(found), 1);
        }
        return;
    }
    if (found < 0) {
        found = int(list.ListCount());
        list.InsertListEntry(uint32_t(found));
    }
    NamedTextItem item;
    item.v[1].SetStringValue(name);
    item.v[2].SetStringValue(text);
    list.ListEntry(uint32_t(found))->SetStringValue(item.v[0].ToText(0));
}

std::wstring GetWndStateText(TypedValue& record, const wchar_t* member)
{
    if (std::wcscmp(member, L"WndPls") == 0) {
        return (&record)[5].GetStringValue();
    }
    if (std::wcscmp(member, L"Cols") == 0) {
        return (&record)[6].GetStringValue();
    }
    return std::wstring();
}

void SetWndStateText(TypedValue& record, const wchar_t* member, const wchar_t* text)
{
    if (std::wcscmp(member, L"WndPls") == 0) {
        (&record)[5].SetStringValue(text);
    } else if (std::wcscmp(member, L"Cols") == 0) {
        (&record)[6].SetStringValue(text);
    }
}
