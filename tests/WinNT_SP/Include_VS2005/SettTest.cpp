// Settings store: defaults, loading valid, damaged, foreign and missing files, the ".bak" and
// ".bad" copies, transient failures, named texts, and a save interrupted by killing the process.
#include "WinNT_SP/Include_VS2005/MessageBoxLayer.h"
#include "WinNT_SP/Include_VS2005/PlayerCoreServices.h"
#include "WinNT_SP/Include_VS2005/Sett.h"
#include "WinNT_SP/Include_VS2005/SettingsPaths.h"
#include "tests/WinNT_SP/Include_VS2005/TempFolder.h"
#include "WinNT_SP/Include_VS2005/TraceLog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using orvane::test::ReadFileBytes;
using orvane::test::TempFolder;
using orvane::test::WriteFileBytes;

namespace {

struct RecordingPresenter final : IMessageBoxPresenter {
    std::vector<std::wstring> texts;
    int Show(const wchar_t*, const wchar_t* text, UINT, UINT, const wchar_t*,
             const MSGBOX_OPTIONS&) override
    {
        texts.emplace_back(text);
        return IDOK;
    }
};

class SettingsTest : public testing::Test {
protected:
    void SetUp() override
    {
        OverrideSettingsFolder(m_dir / L"Orvane Presentation Player");
        SetMessageBoxPresenter(&m_boxes);
        m_path = GetSettingsFilePath(false, nullptr);
    }
    void TearDown() override
    {
        SetMessageBoxPresenter(nullptr);
        OverrideSettingsFolder(L"");
    }
    bool Exists(const std::wstring& p)
    {
        return GetFileAttributesW(p.c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    void WriteSettings(const std::wstring& path, const char* settingsXml)
    {
        CreateDirectoryW(GetFolderOf(path).c_str(), nullptr);
        WriteFileBytes(path, std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n") +
                                 settingsXml);
    }
    static std::wstring GetFolderOf(const std::wstring& p) { return p.substr(0, p.rfind(L'\\')); }

    TempFolder m_dir{L"sett"};
    RecordingPresenter m_boxes;
    std::wstring m_path;
};

}  // namespace

TEST_F(SettingsTest, FirstRunCreatesTheFolderAndAppliesDefaults)
{
    Sett s;
    EXPECT_EQ(s.LoadWithRecovery(), L"");
    EXPECT_TRUE(Exists(GetFolderOf(m_path)));
    EXPECT_TRUE(m_boxes.texts.empty());
    EXPECT_FALSE(Exists(m_path));
    struct IntDefault {
        SettKey key;
        int value;
    };
    const IntDefault defaults[] = {
        {SETT_VideoViewMode, 3}, {SETT_VideoLast1PaneView, 0}, {SETT_VideoLast2PaneView, 3},
        {SETT_BMViewMode, 0},    {SETT_ClearTypeFonts, 1},     {SETT_ShowLevelPeaks, 1},
        {SETT_HKG_Multimed, 1},  {SETT_HKL_Multimed, 1},
    };
    for (const IntDefault d : defaults) {
        EXPECT_TRUE(s.Item(d.key).IsSet()) << s.Item(d.key).key;
        EXPECT_EQ(s.Item(d.key).GetInt(-1), d.value) << s.Item(d.key).key;
    }
    EXPECT_EQ(s.Item(SETT_PlayVol).GetDouble(0), 1.0);
    EXPECT_EQ(s.Item(SETT_SpeedPlayLast).GetDouble(0), 2.0);
    EXPECT_STREQ(s.Item(SETT_SpeedPlayList).GetStringValue(), L"0.35,0.5,0.7,1.5,2,3");
    EXPECT_FALSE(s.Item(SETT_PlayMute).IsSet());
}

TEST_F(SettingsTest, ValidFileLoadsAndNoSettingsChildIsEmpty)
{
    WriteSettings(m_path, "<QVRSettRoot Vers=\"9.9\"><Settings><PlayVol>0.8</PlayVol>"
                          "<LastUsedDir>C:\\a b</LastUsedDir></Settings></QVRSettRoot>");
    Sett s;
    EXPECT_EQ(s.Load(nullptr), L"");
    EXPECT_EQ(s.Item(SETT_PlayVol).GetDouble(0), 0.8);
    EXPECT_STREQ(s.Item(SETT_LastUsedDir).GetStringValue(), L"C:\\a b");

    WriteSettings(m_path, "<QVRSettRoot/>");
    Sett empty;
    SettLoadFailure failure = SettLoadFailure::Damaged;
    EXPECT_EQ(empty.Load(nullptr, &failure), L"");
    EXPECT_EQ(failure, SettLoadFailure::None);
    EXPECT_FALSE(empty.Root().IsPresent());
}

TEST_F(SettingsTest, ForeignRootIsSetAsideAndRewritten)
{
    WriteSettings(m_path, "<Other><Settings><PlayVol>0.5</PlayVol></Settings></Other>");
    Sett s;
    s.LoadWithRecovery();
    EXPECT_TRUE(Exists(m_path + L".bad"));
    ASSERT_EQ(m_boxes.texts.size(), 1u);
    EXPECT_NE(m_boxes.texts[0].find(L"will use default settings"), std::wstring::npos);
    EXPECT_FALSE(Exists(m_path + L".bak"));  // the recovery save makes no backup
    Sett again;
    EXPECT_EQ(again.Load(nullptr), L"");
    EXPECT_NE(ReadFileBytes(m_path).find("<QVRSettRoot Vers=\"1.0\">"), std::string::npos);
}

TEST_F(SettingsTest, DamagedFileIsRestoredFromTheBackup)
{
    WriteSettings(m_path, "<QVRSettRoot><Settings><PlayVol>x</PlayVol></Settings></QVRSettRoot>");
    WriteSettings(m_path + L".bak",
                  "<QVRSettRoot><Settings><PlayVol>0.25</PlayVol></Settings></QVRSettRoot>");
    Sett s;
    s.LoadWithRecovery();
    ASSERT_EQ(m_boxes.texts.size(), 1u);
    EXPECT_NE(m_boxes.texts[0].find(L"will try to restore"), std::wstring::npos);
    EXPECT_EQ(s.Item(SETT_PlayVol).GetDouble(0), 0.25);
    EXPECT_TRUE(Exists(m_path + L".bad"));
    EXPECT_FALSE(Exists(m_path + L".bak.bad"));
    EXPECT_NE(ReadFileBytes(m_path + L".bak").find("0.25"), std::string::npos);
}

TEST_F(SettingsTest, FileAndBackupBrokenKeepWhatWasReadBeforeTheError)
{
    WriteSettings(m_path, "<QVRSettRoot><Settings>");
    WriteSettings(m_path + L".bak", "<QVRSettRoot><Settings><PlayMute>1</PlayMute>"
                                    "<PlayVol>x</PlayVol></Settings></QVRSettRoot>");
    Sett s;
    s.LoadWithRecovery();
    EXPECT_TRUE(Exists(m_path + L".bad"));
    EXPECT_TRUE(Exists(m_path + L".bak.bad"));
    ASSERT_EQ(m_boxes.texts.size(), 2u);
    EXPECT_NE(m_boxes.texts[0].find(L"will try to restore"), std::wstring::npos);
    EXPECT_NE(m_boxes.texts[1].find(L"backup file"), std::wstring::npos);
    EXPECT_EQ(s.Item(SETT_PlayMute).GetInt(0), 1);
    EXPECT_EQ(s.Item(SETT_PlayVol).GetDouble(0), 1.0);  // the default fills the rest
}

TEST_F(SettingsTest, TransientFailureLeavesTheFileAlone)
{
    const char* xml = "<QVRSettRoot><Settings><PlayVol>0.3</PlayVol></Settings></QVRSettRoot>";
    WriteSettings(m_path, xml);
    HANDLE lock = CreateFileW(m_path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    Sett s;
    s.LoadWithRecovery();
    CloseHandle(lock);
    EXPECT_TRUE(s.LoadFailedTransiently());
    EXPECT_FALSE(Exists(m_path + L".bad"));
    EXPECT_NE(ReadFileBytes(m_path).find("0.3"), std::string::npos);
    ASSERT_EQ(m_boxes.texts.size(), 1u);
    EXPECT_NE(m_boxes.texts[0].find(L"CreateFile"), std::wstring::npos);
}

TEST_F(SettingsTest, SaveKeepsABackupOnlyForTheSettingsFile)
{
    Sett s;
    s.Item(SETT_PlayVol).SetDouble(0.5);
    ASSERT_EQ(s.Save(nullptr, false), L"");
    EXPECT_FALSE(Exists(m_path + L".bak"));
    s.Item(SETT_PlayVol).SetDouble(0.6);
    ASSERT_EQ(s.Save(nullptr, false), L"");
    EXPECT_NE(ReadFileBytes(m_path + L".bak").find("0.5"), std::string::npos);
    const std::wstring other = m_dir / L"other.xml";
    ASSERT_EQ(s.Save(other.c_str(), false), L"");
    ASSERT_EQ(s.Save(other.c_str(), false), L"");
    EXPECT_FALSE(Exists(other + L".bak"));
    ASSERT_EQ(s.Save(m_path.c_str(), true), L"");
    EXPECT_NE(ReadFileBytes(m_path + L".bak").find("0.5"), std::string::npos);
}

TEST_F(SettingsTest, EveryKeyRoundTrips)
{
    Sett s;
    for (int k = SETT_QVRSettVers; k < SETT_End; ++k) {
        TypedValue& item = s.Item(SettKey(k));
        switch (item.type) {
        case TVT_INT32: item.SetInt(k * 3 - 50); break;
        case TVT_DOUBLE: item.SetDouble(k / 7.0); break;
        case TVT_STRING:
            item.SetStringValue((L"v " + std::to_wstring(k) + L",(x)=\\").c_str());
            break;
        case TVT_TEXT: item.SetStringValue(L"(a=1,b=(2,3))"); break;
        case TVT_LIST:
            item.SetListSize(3);
            for (uint32_t i = 0; i < 3; ++i) {
                item.ListEntry(i)->SetStringValue((L"(n=" + std::to_wstring(i) + L")").c_str());
            }
            break;
        default: break;
        }
    }
    const std::wstring path = m_dir / L"all.xml";
    ASSERT_EQ(s.Save(path.c_str(), true), L"");
    Sett back;
    ASSERT_EQ(back.Load(path.c_str()), L"");
    // Doubles go through 15 digits: compare the text forms.
    EXPECT_STREQ(back.Root().ToText(0), s.Root().ToText(0));
}

TEST_F(SettingsTest, StringsKeepSpacesLineEndsAndMarkup)
{
    struct Case {
        const wchar_t* value;
        const wchar_t* back;  // what a load gives
    };
    const Case cases[] = {
        {L"a b", L"a b"},
        {L"one\r\ntwo", L"one\r\ntwo"},
        {L"lone\nfeed", L"lone\r\nfeed"},  // a lone LF comes back as CR LF
        {L"<&>\"'", L"<&>\"'"},
        {L" ", L" "},
        {L"\x00e9\x4e2d", L"\x00e9\x4e2d"},
    };
    const std::wstring path = m_dir / L"strings.xml";
    for (const Case& c : cases) {
        Sett s;
        s.Item(SETT_LastUsedDir).SetStringValue(c.value);
        ASSERT_EQ(s.Save(path.c_str(), true), L"");
        Sett back;
        ASSERT_EQ(back.Load(path.c_str()), L"");
        EXPECT_STREQ(back.Item(SETT_LastUsedDir).GetStringValue(), c.back);
    }
    Sett empty;
    empty.Item(SETT_LastUsedDir).SetStringValue(L"");
    ASSERT_EQ(empty.Save(path.c_str(), true), L"");
    Sett back;
    ASSERT_EQ(back.Load(path.c_str()), L"");
    EXPECT_FALSE(back.Item(SETT_LastUsedDir).IsSet());  // present-empty is saved as absent
}

TEST_F(SettingsTest, SpeedPlayLastRules)
{
    struct Case {
        bool set;
        double value;
        double expected;
    };
    for (const Case c : {Case{true, 1.0, 2.0}, Case{true, 0.5, 0.5}, Case{true, 0.1, 2.0},
                         Case{true, 3.5, 2.0}, Case{true, 3.0, 3.0}, Case{false, 0, 2.0},
                         Case{true, 1.0004, 2.0}}) {
        Sett s;
        if (c.set) {
            s.Item(SETT_SpeedPlayLast).SetDouble(c.value);
        }
        s.ApplyDefaults();
        EXPECT_EQ(s.Item(SETT_SpeedPlayLast).GetDouble(0), c.expected) << c.value;
    }
}

TEST_F(SettingsTest, ViewModeDefaultsOnlyWhenItIsAbsent)
{
    Sett s;
    s.Item(SETT_VideoViewMode).SetInt(1);
    s.ApplyDefaults();
    EXPECT_FALSE(s.Item(SETT_VideoLast2PaneView).IsSet());
    Sett t;
    t.Item(SETT_VideoLast2PaneView).SetInt(7);
    t.ApplyDefaults();
    EXPECT_EQ(t.Item(SETT_VideoLast2PaneView).GetInt(0), 3);
}

TEST_F(SettingsTest, NamedTexts)
{
    Sett s;
    TypedValue& list = s.Item(SETT_CQ_DockingLayouts);
    SetNamedText(list, L"Other", L"(x=1)");
    SetNamedText(list, L"Main", L"(layout=(a,b))");
    EXPECT_EQ(list.ListCount(), 2u);
    EXPECT_EQ(GetMainLayoutText(list), L"(layout=(a,b))");
    SetNamedText(list, L"Main", L"(layout=c)");
    EXPECT_EQ(list.ListCount(), 2u);
    EXPECT_EQ(GetMainLayoutText(list), L"(layout=c)");
    SetNamedText(list, L"Main", L"");
    EXPECT_EQ(list.ListCount(), 1u);
    EXPECT_EQ(GetMainLayoutText(list), L"");

    SetWndStateText(s.Item(SETT_MainWnd), L"WndPls", L"1280,1024,M,1,2,3,4");
    SetWndStateText(s.Item(SETT_MainWnd), L"PosX", L"5");
    EXPECT_EQ(GetWndStateText(s.Item(SETT_MainWnd), L"WndPls"), L"1280,1024,M,1,2,3,4");
    EXPECT_EQ(GetWndStateText(s.Item(SETT_MainWnd), L"PosX"), L"");
    EXPECT_FALSE(s.Item(SETT_MainWnd_PosX).IsSet());
    EXPECT_STREQ(s.Root().ToText(0),
                 L"(WndStates=(MainWnd=(WndPls=1280\\M1024\\MM\\M1\\M2\\M3\\M4)),"
                 L"CQ_DockingLayouts=((Name=Other,Descr=(x=1))))");
}

// Runs only as the child of the interrupted-save test: saves the settings again and again
// until the parent kills the process.
TEST(SettingsChild, SavesInALoop)
{
    wchar_t path[MAX_PATH];
    if (!GetEnvironmentVariableW(L"ORVANE_SAVE_CHILD_PATH", path, MAX_PATH)) {
        GTEST_SKIP() << "child process only";
    }
    Sett s;
    s.Item(SETT_RecentURLList).SetListSize(2000);
    for (uint32_t i = 0; i < 2000; ++i) {
        s.Item(SETT_RecentURLList).ListEntry(i)->SetStringValue(L"http://host/some/long/path.wmv");
    }
    for (int i = 0;; ++i) {
        s.Item(SETT_PlayVol).SetDouble(i % 100 / 100.0);
        s.Save(path, false);
    }
}

TEST_F(SettingsTest, SaveKilledMidWriteLeavesALoadableFile)
{
    const std::wstring path = m_dir / L"killed.xml";
    wchar_t exe[MAX_PATH];
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    SetEnvironmentVariableW(L"ORVANE_SAVE_CHILD_PATH", path.c_str());
    for (DWORD delay : {400u, 557u, 731u}) {
        std::wstring cmd = std::wstring(L"\"") + exe + L"\" --gtest_filter=SettingsChild.*";
        STARTUPINFOW si = {};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi = {};
        ASSERT_TRUE(CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                   nullptr, &si, &pi));
        for (int i = 0; i < 100 && !Exists(path); ++i) {
            Sleep(50);
        }
        Sleep(delay);
        TerminateProcess(pi.hProcess, 1);
        WaitForSingleObject(pi.hProcess, 5000);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
        Sett back;
        ASSERT_EQ(back.Load(path.c_str()), L"") << delay;
        EXPECT_EQ(back.Item(SETT_RecentURLList).ListCount(), 2000u);
    }
    SetEnvironmentVariableW(L"ORVANE_SAVE_CHILD_PATH", nullptr);
}
