// The interim main frame. It keeps to what the core needs of a frame; the shell's frame takes
// its place with the toolkit.
#include "player/app/InterimFrame.h"

#include "platform/base/CComPtr.h"
#include "player/core/CmdLineParams.h"
#include "player/core/CommandStates.h"
#include "player/core/HandOver.h"
#include "player/core/InetOpenURLDlg.h"
#include "player/core/InetOpening.h"
#include "player/core/InetWMAAsyncReader.h"
#include "player/core/PlayerResource.h"
#include "player/core/PlayerState.h"
#include "player/core/QVRDoc.h"
#include "player/core/QVRFile.h"
#include "player/app/QVRView.h"
#include "WinNT_SP/Include_VS2005/Sett.h"
#include "player/core/DxAudioDevs.h"
#include "player/core/StepList.h"
#include "player/core/UrlCheck.h"
#include "player/core/SupportMessageBox.h"
#include "WinNT_SP/Include_VS2005/SupportStrings.h"
#include "WinNT_SP/Include_VS2005/TraceLog.h"
#include "player/core/VideoQVRInst.h"
#include "player/core/VideoReader.h"
#include "player/core/VideoLibrary.h"
#include "WinNT_SP/Include_VS2005/WindowHelpers.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

constexpr UINT_PTR kPositionTimer = 1;

std::wstring TimeText(double seconds)
{
    if (seconds < 0) {
        seconds = 0;
    }
    const int total = static_cast<int>(seconds);
    return FormatNewString(L"%i:%02i:%02i", total / 3600, total / 60 % 60, total % 60);
}

}  // namespace

IMPLEMENT_DYNCREATE(InterimFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(InterimFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_WM_TIMER()
    ON_WM_DESTROY()
    ON_WM_CLOSE()
    ON_WM_ENABLE()
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_COPYDATA()
    ON_MESSAGE(WM_APP_OPEN_CMDLINE, OnOpenCommandLine)
    ON_MESSAGE(WM_APP_ASYNC_ERROR, OnAsyncError)
    ON_MESSAGE(WM_APP_PLAY_END, OnPlayEnd)
    ON_MESSAGE(WM_APP_HANDOVER_OPEN, OnHandOverOpen)
    ON_MESSAGE(WM_APP_PLACE_PANES, OnPlacePanes)
    ON_MESSAGE(WM_APP_INET_STATUS, OnInetStatus)
    ON_COMMAND(ID_FILE_OPEN_URL, OnFileOpenURL)
    ON_COMMAND(ID_PLAY_PLAY, OnPlay)
    ON_COMMAND(ID_PLAY_PAUSE, OnPause)
    ON_COMMAND(ID_PLAY_STOP, OnStop)
END_MESSAGE_MAP()

InterimFrame::~InterimFrame()
{
    if (MainFrame() == this) {
        SetMainFrame(nullptr);
    }
}

void InterimFrame::OnWindowPosChanged(WINDOWPOS* position)
{
    CFrameWnd::OnWindowPosChanged(position);
    // The video windows are not children: they follow the frame by hand, once the frame's own
    // move or raise is complete.
    ::PostMessageW(m_hWnd, WM_APP_PLACE_PANES, 0, 0);
    if ((position->flags & SWP_NOMOVE) == 0) {
        if (IQVRVideo* engine = VideoEngine()) {
            engine->OnMainWindowMoved();
        }
    }
}

LRESULT InterimFrame::OnPlacePanes(WPARAM, LPARAM)
{
    if (auto* view = dynamic_cast<QVRView*>(MainView())) {
        view->PlacePanes();
    }
    return 0;
}

BOOL InterimFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CFrameWnd::PreCreateWindow(cs)) {
        return FALSE;
    }
    // The program's own class (found by the hand-over), owned by the hidden owner window.
    cs.lpszClass = kMainWindowClass;
    cs.hwndParent = HiddenOwnerWindow();
    cs.style |= WS_CLIPCHILDREN;
    cs.cx = 900;
    cs.cy = 560;
    return TRUE;
}

int InterimFrame::OnCreate(LPCREATESTRUCT cs)
{
    SetMainFrame(this);
    if (CFrameWnd::OnCreate(cs) == -1) {
        SetMainFrame(nullptr);
        return -1;
    }
    LoadStepList();
    TraceLine(0, L"Init: step list");
    ::SetTimer(m_hWnd, kPositionTimer, 100, nullptr);
    return 0;
}

VideoReader* InterimFrame::Reader()
{
    QVRFile* file = OpenPresentation();
    return file ? file->Reader() : nullptr;
}

InetWMAAsyncReader* InterimFrame::NetReader()
{
    return dynamic_cast<InetWMAAsyncReader*>(ThePlayerState().NetReader());
}

double InterimFrame::GetDuration() { return GetAppDuration(); }

void InterimFrame::OnUpdateFrameTitle(BOOL)
{
    QVRDoc* doc = TheDocument();
    std::wstring title = doc ? static_cast<LPCTSTR>(doc->GetTitle()) : L"";
    std::wstring product = LoadResText(IDR_DOCSTRINGS);
    product.resize(std::min(product.size(), product.find(L'\n')));
    title += L" - " + product;
    if (ThePlayerState().HasFileOrURL()) {
        title += L"  [" + TimeText(GetAppPosition()) + L" / " + TimeText(GetDuration()) + L"]";
        const std::wstring status = ::GetStatusText();
        if (!status.empty()) {
            title += L" " + status;
        }
    }
    wchar_t current[600] = {};
    ::GetWindowTextW(m_hWnd, current, 600);
    if (title != current) {
        ::SetWindowTextW(m_hWnd, title.c_str());
    }
}

void InterimFrame::UpdatePosition()
{
    UpdateCommandStates();
    OnUpdateFrameTitle(TRUE);
}

void InterimFrame::OnTimer(UINT_PTR id)
{
    if (id == kPositionTimer && ThePlayerState().playing) {
        UpdatePosition();
    }
}

std::wstring InterimFrame::StartNetReader(InetWMAAsyncReader* reader)
{
    PlayerState& state = ThePlayerState();
    CComPtr<IBaseFilter> renderer;
    Sett& settings = AppSettings();
    if (IMoniker* device = GetPlayDeviceMoniker(settings.Item(SETT_PlayDev).GetStringValue())) {
        if (FAILED(device->BindToObject(nullptr, nullptr, IID_IBaseFilter,
                                        reinterpret_cast<void**>(&renderer)))) {
            // A failed call may leave anything there: forget it without releasing it.
            (void)renderer.Detach();
        }
    }
    // A live stream always starts at its beginning; a presentation where it stands.
    const double position = reader->HasDuration() ? std::max(0.0, GetAppPosition()) : 0.0;
    state.SetNetStartPosition(position);
    return reader->Start(renderer, position);
}

void InterimFrame::OnPlay()
{
    PlayerState& state = ThePlayerState();
    if (InetWMAAsyncReader* net = NetReader()) {
        if (state.playing) {
            return;
        }
        const std::wstring error = StartNetReader(net);
        TraceLine(0, L"Play URL %s", error.empty() ? L"started" : error.c_str());
        if (!error.empty()) {
            AppMessageBox(error.c_str());
            return;
        }
        state.playing = TRUE;
        state.paused = FALSE;
        UpdatePosition();
        return;
    }
    VideoReader* reader = Reader();
    if (!reader || state.playing) {
        return;
    }
    Sett& settings = AppSettings();
    const TypedValue& mute = settings.Item(SETT_PlayMute);
    const TypedValue& volume = settings.Item(SETT_PlayVol);
    const std::wstring error =
        reader->Play(GetPlayDeviceMoniker(settings.Item(SETT_PlayDev).GetStringValue()), TRUE,
                     mute.IsPresent() && mute.GetInt(0) == 1, state.speed,
                     volume.IsPresent() ? volume.GetDouble(0.0) : 0.0);
    TraceLine(0, L"Play %s", error.empty() ? L"started" : error.c_str());
    if (!error.empty()) {
        AppMessageBox(error.c_str());
        return;
    }
    state.playing = TRUE;
    state.paused = FALSE;
    UpdatePosition();
}

void InterimFrame::OnPause()
{
    PlayerState& state = ThePlayerState();
    VideoReader* reader = Reader();
    InetWMAAsyncReader* net = NetReader();
    if ((!reader && !net) || !state.playing) {
        return;
    }
    std::wstring error;
    if (net) {
        error = state.paused ? net->Resume() : net->Pause();
    } else {
        error = state.paused ? reader->Resume() : reader->Pause();
    }
    if (!error.empty()) {
        AppMessageBox(error.c_str());
        return;
    }
    state.paused = !state.paused;
    UpdatePosition();
}

void InterimFrame::OnStop()
{
    PlayerState& state = ThePlayerState();
    VideoReader* reader = Reader();
    if (InetWMAAsyncReader* net = NetReader()) {
        const std::wstring error = net->Stop();
        TraceLine(0, L"Stop URL%s%s", error.empty() ? L"" : L": ", error.c_str());
    } else if (reader && state.playing) {
        double position = 0;
        const std::wstring error = reader->Stop(&position);
        if (!error.empty()) {
            TraceLine(0, L"Stop: %s", error.c_str());
        }
    }
    state.playing = FALSE;
    state.paused = FALSE;
    UpdatePosition();
}

void InterimFrame::ResetSpeed() { ThePlayerState().speed = 1.0; }

void InterimFrame::OpenAndMaybePlay(const std::wstring& path, bool play)
{
    if (UrlCheck::IsSupportedURL(path)) {
        OpenURL(path, play);
        return;
    }
    TraceLine(0, L"Open \"%s\"%s", path.c_str(), play ? L" and play" : L"");
    if (AfxGetApp()->OpenDocumentFile(path.c_str()) && play) {
        OnPlay();
    }
}

bool InterimFrame::OpenURL(const std::wstring& url, bool play)
{
    TraceLine(0, L"Open URL \"%s\"%s", UrlCheck::MaskURLPassword(url).c_str(),
              play ? L" and play" : L"");
    OnStop();
    InetOpening dialog(this);
    dialog.m_closeWhenOpened = TRUE;
    const std::wstring result = dialog.OpenURL(url);
    InetWMAAsyncReader* reader = std::exchange(dialog.m_reader, nullptr);
    if (!result.empty() || reader == nullptr) {
        if (reader != nullptr) {
            reader->Discard();
        }
        TraceLine(0, L"Open URL failed: %s", result.c_str());
        if (result != L"*") {
            AppMessageBox(result.c_str());
        }
        return false;
    }
    // The URL replaces whatever was open.
    if (QVRDoc* doc = TheDocument()) {
        doc->OnNewDocument();
    }
    if (INetReaderState* previous = ThePlayerState().ReplaceNetReader(reader)) {
        previous->Discard();
    }
    reader->SetNotifyMessage(INET_NOTIFY_MSG{m_hWnd, WM_APP_INET_STATUS, 0, 0});
    if (QVRDoc* doc = TheDocument()) {
        doc->RefreshTitle();
    }
    TraceLine(0, L"URL opened: title=[%s] duration=%.3f live=%i bookmarks=%i protocol=%s",
              reader->GetDisplayName().c_str(), reader->GetDuration(),
              reader->HasDuration() ? 0 : 1, static_cast<int>(reader->GetBookmarks().size()),
              reader->GetProtocol().c_str());
    for (int i = 0; i < 12; i += 4) {
        TraceLine(0, L"URL format %i: %s", i / 4, reader->GetFormatText(i + 3).c_str());
    }
    UpdatePosition();
    if (play) {
        OnPlay();
    }
    return true;
}

void InterimFrame::OnFileOpenURL()
{
    InetOpenURLDlg dialog(this);
    if (dialog.DoModal() == IDOK) {
        OpenURL(dialog.m_url, false);
    }
}

LRESULT InterimFrame::OnInetStatus(WPARAM, LPARAM)
{
    InetWMAAsyncReader* reader = NetReader();
    if (reader == nullptr) {
        return 0;
    }
    std::vector<INET_STATUS_INFO> items;
    reader->TakeStatusItems(&items);
    for (const INET_STATUS_INFO& item : items) {
        if (item.kind == kInetStatus) {
            TraceLine(0, L"URL status %u: %s", static_cast<unsigned>(item.code),
                      item.text.c_str());
        } else if (item.kind == kInetEndOfFile) {
            TraceLine(0, L"URL end of stream");
            OnStop();
        } else if (item.kind == kInetError && !m_showingError) {
            TraceLine(0, L"URL error: %s", item.text.c_str());
            m_showingError = true;
            OnStop();
            AppMessageBox(item.text.c_str());
            m_showingError = false;
        }
    }
    UpdatePosition();
    return 0;
}

LRESULT InterimFrame::OnOpenCommandLine(WPARAM, LPARAM)
{
    const CmdLineParams& line = TheCmdLine();
    if (line.mode != CmdLineParams::kNothing && !line.path.empty()) {
        OpenAndMaybePlay(line.path, line.mode == CmdLineParams::kOpenAndPlay);
    }
    return 0;
}

BOOL InterimFrame::OnCopyData(CWnd*, COPYDATASTRUCT* data)
{
    std::wstring path;
    bool play = false;
    if (!ReadHandOverRecord(data, &path, &play) || !TheDocument() || !::IsWindowEnabled(m_hWnd)) {
        return FALSE;
    }
    TraceLine(0, L"Hand-over received: \"%s\" play=%i", path.c_str(), play ? 1 : 0);
    Tray().RestoreApp();
    // Opened after the sender has its answer, so a message box here cannot hold it up.
    m_handOverPath = path;
    m_handOverPlay = play;
    ::PostMessageW(m_hWnd, WM_APP_HANDOVER_OPEN, 0, 0);
    return TRUE;
}

LRESULT InterimFrame::OnHandOverOpen(WPARAM, LPARAM)
{
    if (!m_handOverPath.empty()) {
        const std::wstring path = m_handOverPath;
        m_handOverPath.clear();
        OpenAndMaybePlay(path, m_handOverPlay);
    }
    return 0;
}

LRESULT InterimFrame::OnAsyncError(WPARAM, LPARAM)
{
    if (m_showingError) {
        return 0;
    }
    HRESULT code = S_OK;
    std::wstring text;
    if (!ThePlayerState().TakeAsyncError(&code, &text)) {
        return 0;
    }
    m_showingError = true;
    OnStop();
    Tray().RestoreApp();
    AppMessageBox(text.c_str());
    m_showingError = false;
    return 0;
}

LRESULT InterimFrame::OnPlayEnd(WPARAM, LPARAM)
{
    // The presentation plays on into its next block, and stops the frame after the last one.
    QVRFile* file = OpenPresentation();
    if (!file || !ThePlayerState().playing) {
        OnStop();
        return 0;
    }
    const std::wstring error = file->PlayNextBlock();
    if (!error.empty()) {
        OnStop();
        AppMessageBox(error.c_str());
    }
    return 0;
}

void InterimFrame::OnAppAbout()
{
    TracedMessageBox(MB_ICONINFORMATION | MB_OK, L"Orvane Presentation Player\n1.0 (build 1020)",
                     m_hWnd, 0);
}

void InterimFrame::OnClose()
{
    // Disabled, the frame owns a modal window whose caller still runs (a message box inside an
    // open): closing now would delete the document under it.
    if (!m_deferredClose.Request(::IsWindowEnabled(m_hWnd) != FALSE)) {
        TraceLine(0, L"Close: deferred until the modal window ends");
        return;
    }
    CFrameWnd::OnClose();
}

void InterimFrame::OnEnable(BOOL enable)
{
    CFrameWnd::OnEnable(enable);
    // Posted: the modal window's caller finishes before the close runs.
    if (m_deferredClose.OnEnabled(enable != FALSE)) {
        ::PostMessageW(m_hWnd, WM_CLOSE, 0, 0);
    }
}

void InterimFrame::OnDestroy()
{
    ::KillTimer(m_hWnd, kPositionTimer);
    OnStop();
    SetMainFrame(nullptr);
    CFrameWnd::OnDestroy();
}
