// The interim main frame. It keeps to what the core needs of a frame; the shell's frame takes
// its place with the toolkit.
#include "InterimFrame.h"

#include "CmdLineParams.h"
#include "CommandStates.h"
#include "HandOver.h"
#include "InterimPresentation.h"
#include "PlayerResource.h"
#include "PlayerState.h"
#include "SupportMessageBox.h"
#include "SupportStrings.h"
#include "TraceLog.h"
#include "VideoLibrary.h"
#include "WindowHelpers.h"

#include <commdlg.h>

namespace {

constexpr UINT_PTR kPositionTimer = 1;

IOpenPresentation* OpenInterimPresentation(const std::wstring& path, std::wstring* error)
{
    auto* file = new InterimPresentation;
    *error = file->Open(path);
    if (!error->empty()) {
        delete file;
        return nullptr;
    }
    return file;
}

std::wstring TimeText(double seconds)
{
    if (seconds < 0) {
        seconds = 0;
    }
    const int total = static_cast<int>(seconds);
    return FormatNewString(L"%i:%02i:%02i", total / 3600, total / 60 % 60, total % 60);
}

}  // namespace

BEGIN_MESSAGE_MAP(InterimVideoPane, CWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

void InterimVideoPane::OnPaint()
{
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(m_hWnd, &ps);
    RECT rc;
    ::GetClientRect(m_hWnd, &rc);
    ::FillRect(dc, &rc, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    wchar_t name[32] = {};
    ::GetWindowTextW(m_hWnd, name, 32);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, RGB(96, 96, 96));
    ::DrawTextW(dc, name, -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    ::EndPaint(m_hWnd, &ps);
}

BEGIN_MESSAGE_MAP(InterimFrame, CWnd)
    ON_WM_CREATE()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_TIMER()
    ON_WM_DESTROY()
    ON_WM_COPYDATA()
    ON_MESSAGE(WM_APP_OPEN_CMDLINE, OnOpenCommandLine)
    ON_MESSAGE(WM_APP_ASYNC_ERROR, OnAsyncError)
    ON_MESSAGE(WM_APP_PLAY_END, OnPlayEnd)
    ON_MESSAGE(WM_APP_HANDOVER_OPEN, OnHandOverOpen)
    ON_COMMAND(ID_FILE_OPEN, OnFileOpen)
    ON_COMMAND(ID_FILE_NEW, OnFileNew)
    ON_COMMAND(ID_PLAY_PLAY, OnPlay)
    ON_COMMAND(ID_PLAY_PAUSE, OnPause)
    ON_COMMAND(ID_PLAY_STOP, OnStop)
    ON_COMMAND(ID_APP_EXIT, OnAppExit)
    ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
END_MESSAGE_MAP()

InterimFrame::InterimFrame() : m_document(OpenInterimPresentation) {}

InterimFrame::~InterimFrame()
{
    if (TheDocument() == &m_document) {
        SetTheDocument(nullptr);
    }
}

BOOL InterimFrame::CreateFrame(HWND owner)
{
    HMENU menu = LoadMenuW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(IDR_MAINFRAME));
    if (!CreateEx(0, kMainWindowClass, LoadResText(IDR_DOCSTRINGS).c_str(),
                  WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 40, 40, 900, 560, owner, menu)) {
        return FALSE;
    }
    SetTheDocument(&m_document);
    m_document.RefreshTitle();
    return TRUE;
}

int InterimFrame::OnCreate(LPCREATESTRUCT)
{
    SetMainFrame(this);
    SetMainView(this);
    m_accel = LoadAcceleratorsW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(IDR_MAINFRAME));
    LPCTSTR videoClass =
        AfxRegisterWndClass(0, nullptr, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    if (!m_camera.CreateEx(0, videoClass, L"Camera", style, 0, 0, 10, 10, m_hWnd, nullptr) ||
        !m_screen.CreateEx(0, videoClass, L"Screen", style, 0, 0, 10, 10, m_hWnd, nullptr)) {
        return -1;
    }
    ::SetTimer(m_hWnd, kPositionTimer, 100, nullptr);
    return 0;
}

BOOL InterimFrame::OnEraseBkgnd(CDC* dc)
{
    RECT rc;
    ::GetClientRect(m_hWnd, &rc);
    ::FillRect(dc->m_hDC, &rc, GetSysColorBrush(COLOR_APPWORKSPACE));
    return TRUE;
}

void InterimFrame::OnSize(UINT, int cx, int cy)
{
    if (!m_camera.m_hWnd) {
        return;
    }
    const int gap = 4;
    const int cameraWidth = (cx - 3 * gap) / 3;
    const int height = cy - 2 * gap;
    ::MoveWindow(m_camera.m_hWnd, gap, gap, cameraWidth, height * 3 / 4, TRUE);
    ::MoveWindow(m_screen.m_hWnd, 2 * gap + cameraWidth, gap, cx - 3 * gap - cameraWidth, height,
                 TRUE);
}

void InterimFrame::ApplyVideoViewMode()
{
    if (IQVRVideo* engine = VideoEngine()) {
        engine->SetVideoWindows(m_camera.m_hWnd, m_screen.m_hWnd);
    }
}

BOOL InterimFrame::PreTranslateMessage(MSG* msg)
{
    if (m_accel && msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST &&
        TranslateAcceleratorW(m_hWnd, m_accel, msg)) {
        return TRUE;
    }
    return CWnd::PreTranslateMessage(msg);
}

InterimPresentation* InterimFrame::Presentation()
{
    return dynamic_cast<InterimPresentation*>(ThePlayerState().OpenFile());
}

double InterimFrame::GetDuration()
{
    IOpenPresentation* file = ThePlayerState().OpenFile();
    return file ? file->GetDuration() : 0;
}

void InterimFrame::UpdatePosition()
{
    UpdateCommandStates();
    std::wstring title = m_document.GetTitle() + L" - " + LoadResText(IDR_DOCSTRINGS);
    const size_t lf = title.find(L'\n');
    if (lf != std::wstring::npos) {
        title.resize(lf);
    }
    if (ThePlayerState().OpenFile()) {
        title += L"  [" + TimeText(GetAppPosition()) + L" / " + TimeText(GetDuration()) + L"]";
        if (ThePlayerState().playing) {
            title += L" " + ::GetStatusText();
        }
    }
    wchar_t current[600] = {};
    ::GetWindowTextW(m_hWnd, current, 600);
    if (title != current) {
        ::SetWindowTextW(m_hWnd, title.c_str());
    }
}

void InterimFrame::OnTimer(UINT_PTR id)
{
    if (id == kPositionTimer && ThePlayerState().playing) {
        UpdatePosition();
    }
}

void InterimFrame::OnPlay()
{
    PlayerState& state = ThePlayerState();
    InterimPresentation* file = Presentation();
    if (!file || state.playing) {
        return;
    }
    const std::wstring error = file->Play(state.speed);
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
    InterimPresentation* file = Presentation();
    if (!file || !state.playing) {
        return;
    }
    const std::wstring error = state.paused ? file->Resume() : file->Pause();
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
    InterimPresentation* file = Presentation();
    if (file && state.playing) {
        double position = 0;
        const std::wstring error = file->Stop(&position);
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
    TraceLine(0, L"Open \"%s\"%s", path.c_str(), play ? L" and play" : L"");
    if (m_document.OpenDocumentFile(path.c_str()) && play) {
        OnPlay();
    }
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
        OpenAndMaybePlay(m_handOverPath, m_handOverPlay);
        m_handOverPath.clear();
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
    OnStop();
    return 0;
}

void InterimFrame::OnFileOpen()
{
    std::wstring filter = GetOpenFileFilter();
    for (wchar_t& c : filter) {
        if (c == L'|') {
            c = 0;
        }
    }
    wchar_t path[MAX_PATH * 2] = {};
    OPENFILENAMEW ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = m_hWnd;
    ofn.lpstrFilter = filter.c_str();
    ofn.lpstrFile = path;
    ofn.nMaxFile = MAX_PATH * 2;
    const std::wstring title = LoadResText(IDS_OPEN_TITLE);
    ofn.lpstrTitle = title.c_str();
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    if (GetOpenFileNameW(&ofn)) {
        OpenAndMaybePlay(path, false);
    }
}

void InterimFrame::OnFileNew() { m_document.OnNewDocument(); }

void InterimFrame::OnAppExit() { ::PostMessageW(m_hWnd, WM_CLOSE, 0, 0); }

void InterimFrame::OnAppAbout()
{
    TracedMessageBox(MB_ICONINFORMATION | MB_OK,
                     L"Orvane Presentation Player\n1.0 (build 1020)", m_hWnd, 0);
}

void InterimFrame::OnDestroy()
{
    ::KillTimer(m_hWnd, kPositionTimer);
    OnStop();
    if (IQVRVideo* engine = VideoEngine()) {
        engine->SetVideoWindows(nullptr, nullptr);
    }
    SetMainView(nullptr);
    SetMainFrame(nullptr);
    Default();
    PostQuitMessage(0);
}

void InterimFrame::PostNcDestroy()
{
    if (CWinThread* thread = AfxGetThread(); thread && thread->m_pMainWnd == this) {
        thread->m_pMainWnd = nullptr;
    }
}
