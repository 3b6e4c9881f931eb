// Start-up and shut-down of the player, in the order the rest of the program relies on: the
// engine is released before the callback object it calls goes, and the settings are saved only
// when start-up got as far as loading them.
#include "player/app/QVRApp.h"

#include "player/core/QVRDoc.h"
#include "player/app/QVRView.h"

#include "platform/base/CHandle.h"

#include "player/core/CmdLineParams.h"
#include "player/core/CommandStates.h"
#include "player/core/DxAudioDevs.h"
#include "WinNT_SP/Include_VS2005/FileSystem.h"
#include "player/core/HandOver.h"
#include "player/core/HtmlHelpBinding.h"
#include "player/app/InterimFrame.h"
#include "WinNT_SP/Include_VS2005/MyException.h"
#include "player/core/PlayerDebugInfo.h"
#include "player/core/PlayerResource.h"
#include "player/core/PlayerShell.h"
#include "player/core/PlayerState.h"
#include "WinNT_SP/Include_VS2005/ui/SecurityDump.h"
#include "WinNT_SP/Include_VS2005/Sett.h"
#include "WinNT_SP/Include_VS2005/SettingsPaths.h"
#include "toolkit/common/SoundManager.h"
#include "player/core/SupportMessageBox.h"
#include "WinNT_SP/Include_VS2005/SupportStrings.h"
#include "WinNT_SP/Include_VS2005/ui/SystemDump.h"
#include "WinNT_SP/Include_VS2005/SystemErrorText.h"
#include "WinNT_SP/Include_VS2005/TraceLog.h"
#include "player/core/VideoLibrary.h"
#include "player/core/VideoQVRInst.h"
#include "player/core/WMTag.h"
#include "WinNT_SP/Include_VS2005/WindowHelpers.h"

#include <commctrl.h>
#include <htmlhelp.h>
#include <mmsystem.h>
#include <shlobj.h>

namespace {

void Step(const wchar_t* text) { TraceLine(0, L"Init: %s", text); }

// Under Wine each system library costs milliseconds to load, and start-up loads many before the
// window shows: the rich-edit library, the Windows Media runtime, the system libraries the engine
// library imports, the XML parser of the settings, the DirectShow device enumerator. A worker
// loads them while the main thread registers classes and creates windows, so that the later
// loads on the main thread find them in place. It loads only libraries (never the engine library,
// whose start-up code must run in its step), and keeps its references for the run, as the steps
// keep theirs. A library that is missing costs one failed look-up and nothing else.
const wchar_t* const kWarmUpLibraries[] = {
    L"RICHED32.DLL", L"wmvcore.dll", L"mfplat.dll", L"quartz.dll", L"dsound.dll",
    L"msxml3.dll",   L"devenum.dll",
};

DWORD WINAPI WarmUp(void*)
{
    for (const wchar_t* name : kWarmUpLibraries) {
        LoadLibraryW(name);
    }
    // The sound drivers load slowly too; the device dump waits for this worker, so that the two
    // never initialise the drivers at the same time.
    waveOutGetNumDevs();
    waveInGetNumDevs();
    midiOutGetNumDevs();
    return 0;
}

CHandle g_warmUp;

}  // namespace

BEGIN_MESSAGE_MAP(QVRApp, CWinApp)
    ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
    ON_COMMAND(ID_FILE_NEW, OnFileNew)
    ON_COMMAND(ID_FILE_OPEN, OnFileOpen)
END_MESSAGE_MAP()

QVRApp::QVRApp()
{
    SetOwnedString(m_pszAppName, L"OrvanePresentationPlayer");
}

QVRApp::~QVRApp() = default;

BOOL QVRApp::InitInstance()
{
    g_warmUp.Attach(::CreateThread(nullptr, 0, WarmUp, nullptr, 0, nullptr));
    INITCOMMONCONTROLSEX controls = {sizeof controls, 0xFF};
    InitCommonControlsEx(&controls);
    AfxInitRichEdit();
    CWinApp::InitInstance();
    AfxOleInit();
    AfxEnableControlContainer();
    BOOL started = FALSE;
    try {
        started = StartUp();
    } catch (CException* e) {
        const std::wstring text = GetExceptionText(e);
        e->Delete();
        AppMessageBox(text.c_str());
    }
    // A start that failed before the trace file existed keeps its reason in one: the lines
    // wait in memory until then. A copy that handed its request over leaves nothing behind.
    if (!started && !m_handedOver && !TraceLog().Enabled()) {
        StartTraceFile();
    }
    return started;
}

BOOL QVRApp::StartUp()
{
    LogStartupHeader(FormatNewString(L"%s (build %i)", L"1.0", 1020).c_str());
    Step(L"trace header");
    // The toolkit's menu sounds stay off, so its sound thread never starts.
    GetSoundManager()->EnableSounds(FALSE);
    Step(L"toolkit sounds off");
    // The tests point the settings (and the trace folder under them) at a folder of their own.
    wchar_t settingsDir[MAX_PATH] = {};
    if (GetEnvironmentVariableW(L"ORVANE_SETTINGS_DIR", settingsDir, MAX_PATH) > 0) {
        OverrideSettingsFolder(settingsDir);
    }
    SetRegistryKey(L"Tamsel");
    Step(L"registry key");
    m_pRecentFileList = new CRecentFileList(0, L"Recent File List", L"File%d", 9, 30);
    m_pRecentFileList->ReadList();
    Step(L"recent file list");
    auto* docTemplate = new (std::nothrow) QVRDocTemplate(
        IDR_DOCSTRINGS, RUNTIME_CLASS(QVRDoc), RUNTIME_CLASS(InterimFrame), RUNTIME_CLASS(QVRView));
    if (!docTemplate) {
        return FALSE;
    }
    // Installed before the template is added, so that the framework makes no manager of its own.
    m_pDocManager = new QVRDocManager;
    AddDocTemplate(docTemplate);
    // The document strings came from 266; menu, accelerators and toolbar come from 128.
    docTemplate->m_nIDResource = IDR_MAINFRAME;
    Step(L"document template");
    m_title = LoadResText(IDR_DOCSTRINGS);
    m_title = m_title.substr(0, m_title.find(L'\n'));
    SetOwnedString(m_pszAppName, m_title.c_str());
    Step(L"title");
    m_smallIcon = static_cast<HICON>(LoadImageW(m_hInstance, MAKEINTRESOURCEW(IDI_PROGRAM),
                                                IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
    m_largeIcon = static_cast<HICON>(LoadImageW(m_hInstance, MAKEINTRESOURCEW(IDI_PROGRAM),
                                                IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR));
    Step(L"icons");
    if (!RegisterMainWindowClass(m_smallIcon, AfxWndProc)) {
        ShowSystemErrorMessage(GetLastError(), L"AfxRegisterClass");
        return FALSE;
    }
    Step(L"main window class");
    if (!ParseCommandLine()) {
        return FALSE;
    }
    const CmdLineParams& line = TheCmdLine();
    Step(L"command line");
    if (line.inPlayer) {
        const int handed =
            HandOverToRunningInstance(line.path, line.mode == CmdLineParams::kOpenAndPlay);
        if (handed == kHandOverTooLong) {
            AppMessageBox(FormatResString(IDS_HANDOVER_TOO_LONG, kHandOverPathChars - 1).c_str());
            m_handedOver = true;
            return FALSE;
        }
        if (handed != 0) {
            TraceLine(0, L"Init: handed over to a running copy");
            m_handedOver = true;
            return FALSE;
        }
        Step(L"no running copy took the request");
    }
    m_deviceChangeMessage = RegisterWindowMessageW(L"winmm_devicechange");
    if (!m_hiddenParent.CreateOwner()) {
        return FALSE;
    }
    ::SendMessageW(m_hiddenParent.m_hWnd, WM_SETICON, ICON_SMALL,
                   reinterpret_cast<LPARAM>(m_smallIcon));
    ::SendMessageW(m_hiddenParent.m_hWnd, WM_SETICON, ICON_BIG,
                   reinterpret_cast<LPARAM>(m_largeIcon));
    Step(L"hidden owner window");
    const std::wstring runtimeError = CheckWMRuntime();
    if (!runtimeError.empty()) {
        TraceLine(0, L"WMA err=%u (%s)", WMRuntimeErrorCode(), WMRuntimeErrorText().c_str());
        if (WMRuntimeErrorCode() == ERROR_ACCESS_DENIED) {
            LogWmvcorePath();
        }
        AppMessageBox(runtimeError.c_str());
        return FALSE;
    }
    TraceLine(0, L"WMA=%s", GetWMRuntimeVersion().c_str());
    SetVideoCallback(new (std::nothrow) VideoQVRInst);
    Step(L"callback object");
    const std::wstring libraryError = LoadVideoLibrary();
    if (!libraryError.empty()) {
        AppMessageBox(libraryError.c_str());
        return FALSE;
    }
    Step(L"engine library");
    // The settings defaults take the speed list's rules from the player core.
    RegisterPlayerCoreServices();
    Step(L"player core services");
    AppSettings().LoadWithRecovery();
    m_saveSettings = TRUE;
    ThePlayerState().settingsLoaded = TRUE;
    Step(L"settings");
    SetThreadPriorityAboveNormal(AppSettings().Item(SETT_HighPriority).GetInt(0) != 0);
    SetDefaultFolder();
    const std::wstring traceError = StartTraceFile();
    if (!traceError.empty()) {
        AppMessageBox(traceError.c_str());
    }
    Step(L"trace file");
    LogSystem();
    RefreshAudioDevices();
    Step(L"audio devices");
    SetVideoLibrarySettings();
    Step(L"engine settings");

    m_parkedShowState = m_nCmdShow;
    m_nCmdShow = SW_HIDE;
    OnCmdMsg(ID_FILE_NEW, 0, nullptr, nullptr);
    m_nCmdShow = m_parkedShowState;
    m_frame = dynamic_cast<InterimFrame*>(m_pMainWnd);
    if (!m_frame || !MainFrame()) {
        return FALSE;
    }
    Step(L"main frame");
    m_frame->UpdatePosition();
    PlaceMainWindow();
    Tray().ReadSettings();
    ShowMainWindow();
    ::UpdateWindow(m_frame->m_hWnd);
    Step(L"shown");
    ::PostMessageW(m_frame->m_hWnd, WM_APP_OPEN_CMDLINE, 0, 0);
    return TRUE;
}

void QVRApp::SetDefaultFolder()
{
    std::wstring folder = AppSettings().Item(SETT_LastUsedDir).GetStringValue();
    if (folder.empty() || !IsFolder(folder.c_str())) {
        folder = GetSpecialFolder(nullptr, CSIDL_MYVIDEO);
    }
    if (SetCurrentDirectoryW(folder.c_str())) {
        AppSettings().Item(SETT_LastUsedDir).SetStringValue(folder.c_str());
        return;
    }
    const DWORD code = GetLastError();
    TraceLog().Output(0, FormatResString(IDS_BAD_DEFAULT_FOLDER, folder.c_str(),
                                         static_cast<unsigned long>(code),
                                         GetSystemErrorText(code).c_str())
                             .c_str());
}

void QVRApp::LogSystem()
{
    if (g_warmUp) {
        WaitForSingleObject(g_warmUp, 5000);
        g_warmUp.Close();
    }
    LogRegistryKey(0, nullptr, HKEY_LOCAL_MACHINE,
                   L"HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0", 256, L"Identifier",
                   L"ProcessorNameString", L"~MHz", nullptr);
    LogRegistryKey(0, nullptr, HKEY_CURRENT_USER, L"Software\\Microsoft\\Multimedia\\Sound Mapper",
                   256, nullptr);
    LogRegistryKey(0, nullptr, HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\DirectX", 256,
                   L"Version", nullptr);
    LogWaveDevices();
    LogRegistryKey(0, nullptr, HKEY_LOCAL_MACHINE, L"Software\\Tamsel\\OrvanePresentationPlayer",
                   256, nullptr);
    LogRegistryKey(0, nullptr, HKEY_CURRENT_USER, L"Software\\Tamsel\\OrvanePresentationPlayer",
                   256, nullptr);
    Step(L"system dump");
}

void QVRApp::PlaceMainWindow()
{
    HWND main = m_frame->m_hWnd;
    const std::wstring placement =
        GetWndStateText(AppSettings().Item(SETT_MainWnd), L"WndPls");
    if (!placement.empty()) {
        SetWindowPlacementText(main, placement.c_str());
        return;
    }
    RECT client;
    ::GetClientRect(main, &client);
    const int mode = AppSettings().Item(SETT_VideoViewMode).GetInt(0);
    const int extent = mode == 2 ? client.bottom - client.top : client.right - client.left;
    const int side = extent * 10 / 16;
    if (m_frame->IsPaneVisible(PANE_VIDEO)) {
        m_frame->SetPaneSize(PANE_VIDEO, side, side);
    }
    ::SetWindowPos(main, nullptr, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
}

void QVRApp::ShowMainWindow()
{
    switch (m_parkedShowState) {
    case SW_HIDE:
        ::ShowWindow(m_frame->m_hWnd, SW_HIDE);
        break;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
        Tray().MinimizeApp();
        break;
    default:
        Tray().RestoreApp();
        break;
    }
}

int QVRApp::ExitInstance()
{
    Step(L"exit");
    DeleteNetReader();
    delete ThePlayerState().ReplaceOpenFile(nullptr);
    UnloadVideoLibrary();
    TraceLine(0, L"Exit: engine released");
    if (QVRInstance* callback = VideoCallback()) {
        SetVideoCallback(nullptr);
        callback->Destroy();
        TraceLine(0, L"Exit: callback object destroyed");
    }
    if (m_saveSettings) {
        wchar_t folder[MAX_PATH] = {};
        GetCurrentDirectoryW(MAX_PATH, folder);
        if (folder[0]) {
            AppSettings().Item(SETT_LastUsedDir).SetStringValue(folder);
        }
        const std::wstring error = AppSettings().Save(nullptr, false);
        if (!error.empty()) {
            TraceLine(0, L"Save Sett Err: %s", error.c_str());
            AppMessageBox(error.c_str());
        } else {
            TraceLine(0, L"Exit: settings saved");
        }
    }
    UnbindHtmlHelp();
    if (m_hiddenParent.m_hWnd) {
        m_hiddenParent.DestroyWindow();
    }
    SetHiddenOwnerWindow(nullptr);
    m_frame = nullptr;
    return CWinApp::ExitInstance();
}

BOOL QVRApp::IsIdleMessage(MSG* msg)
{
    switch (msg->message) {
    case WM_TIMER:
    case WM_MOUSEMOVE:
    case MM_WOM_DONE:
    case MM_WIM_DATA:
        return FALSE;
    default:
        return CWinApp::IsIdleMessage(msg);
    }
}

int QVRApp::DoMessageBox(LPCTSTR prompt, UINT type, UINT)
{
    return DoAppMessageBox(prompt, type, 0);
}

void QVRApp::WinHelpInternal(DWORD_PTR data, UINT command)
{
    UINT htmlCommand;
    if (command == HELP_CONTEXT) {
        htmlCommand = HH_HELP_CONTEXT;
    } else if (command == HELP_FINDER) {
        htmlCommand = HH_DISPLAY_TOPIC;
    } else {
        return;
    }
    const std::wstring error = ShowHelp(htmlCommand, data);
    if (!error.empty()) {
        AppMessageBox(error.c_str());
    }
}

void QVRApp::OnAppAbout()
{
    if (m_frame) {
        m_frame->OnAppAbout();
    }
}

void QVRApp::RefreshAudioDevices() { PlayDevices().Enumerate(); }

void QVRApp::DeleteNetReader()
{
    if (INetReaderState* reader = ThePlayerState().ReplaceNetReader(nullptr)) {
        reader->Discard();
    }
}

BOOL QVRApp::IsPlaying() const { return ThePlayerState().playing; }
int QVRApp::GetPlayState() const { return ::GetPlayState(); }
int QVRApp::GetSpeedState() const { return ::GetSpeedState(); }
double QVRApp::GetDuration() const { return GetAppDuration(); }
double QVRApp::GetPosition() const { return GetAppPosition(); }
std::wstring QVRApp::GetCommandTooltip(UINT id) const { return ::GetCommandTooltip(id); }
std::wstring QVRApp::GetCommandShortcut(UINT id) const { return ::GetCommandShortcut(id); }
std::wstring QVRApp::GetStatusText() const { return ::GetStatusText(); }

void QVRApp::AddThreadErrorText(const wchar_t* text)
{
    ThePlayerState().AppendThreadError(text);
    IPlayerShell* frame = MainFrame();
    if (frame && ::IsWindow(frame->GetWindow())) {
        ::PostMessageW(frame->GetWindow(), WM_APP_THREAD_ERROR, 0, 0);
    }
}

MMRESULT WaveDeviceMessage(int kind, UINT_PTR device, UINT message, DWORD_PTR param1,
                           DWORD_PTR param2)
{
    switch (kind) {
    case 0:
        return waveInMessage(reinterpret_cast<HWAVEIN>(device), message, param1, param2);
    case 1:
        return waveOutMessage(reinterpret_cast<HWAVEOUT>(device), message, param1, param2);
    default:
        return MMSYSERR_ERROR;
    }
}
