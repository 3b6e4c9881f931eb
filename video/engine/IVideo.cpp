// The engine object.
#include "video/engine/IVideo.h"

#include "video/CQVRAudioFormat.h"
#include "video/engine/CQVRNetReceiver.h"
#include "video/CQVRVideoFormat.h"
#include "video/EngineGlobals.h"
#include "video/EngineText.h"
#include "video/reader/IVideoReader.h"
#include "WinNT_SP/Include_VS2005/TraceScope.h"

#include <new>

IVideo::IVideo()
{
    StoredGraphText().clear();  // a dump belongs to the engine object that made it
    // Where video goes when the player names no window; it never shows.
    m_hiddenWindow = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                     GetModuleHandleW(nullptr), nullptr);
    m_view.SetHiddenWindow(m_hiddenWindow);
    m_view.SetReaderSource(TRUE);
    ReaderDisplay::Install(&m_view);
}

IVideo::~IVideo()
{
    // Receivers the player never released still place video through the view controller.
    for (CQVRNetReceiver* receiver : m_receivers) {
        delete receiver;
    }
    m_receivers.clear();
    if (m_view.IsFullScreen()) {
        m_view.SetFullScreen(nullptr, FALSE);
    }
    m_view.DetachReader();
    m_view.DetachBoard(0);
    m_view.DetachBoard(1);
    if (ReaderDisplay::Current() == &m_view) {
        ReaderDisplay::Install(nullptr);
    }
    if (m_hiddenWindow) {
        DestroyWindow(m_hiddenWindow);
    }
}

IQVRVideo* IVideo::Create()
{
    return new (std::nothrow) IVideo();
}

IQVRVideoReader* IVideo::CreateReader()
{
    IVideoReader* reader = new (std::nothrow) IVideoReader();
    if (reader == nullptr) {
        return nullptr;
    }
    try {
        m_readers.insert(reader);
    } catch (const std::bad_alloc&) {
        delete reader;
        return nullptr;
    }
    return reader;
}

void IVideo::ReleaseReader(IQVRVideoReader* reader)
{
    if (reader == nullptr) {
        return;
    }
    IVideoReader* ours = static_cast<IVideoReader*>(reader);
    m_readers.erase(ours);
    delete ours;
}

IQVRNetReceiver* IVideo::CreateNetReceiver()
{
    CQVRNetReceiver* receiver = new (std::nothrow) CQVRNetReceiver(&m_view);
    if (receiver == nullptr) {
        return nullptr;
    }
    try {
        m_receivers.insert(receiver);
    } catch (const std::bad_alloc&) {
        delete receiver;
        return nullptr;
    }
    return receiver;
}

void IVideo::ReleaseNetReceiver(IQVRNetReceiver* receiver)
{
    if (receiver == nullptr) {
        return;
    }
    CQVRNetReceiver* ours = static_cast<CQVRNetReceiver*>(receiver);
    if (m_receivers.erase(ours) == 0) {
        LOG_UNEXPECTED(L"ReleaseNetReceiver: not a receiver of this engine");
        return;
    }
    delete ours;
}

IQVRAudioFormat* IVideo::CreateAudioFormat()
{
    return new (std::nothrow) CQVRAudioFormat();
}

// The records handed out here are of exactly these classes, so deleting them as such is sound.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdelete-non-virtual-dtor"
void IVideo::ReleaseAudioFormat(IQVRAudioFormat* record)
{
    delete static_cast<CQVRAudioFormat*>(record);
}

IQVRVideoFormat* IVideo::CreateVideoFormat()
{
    return new (std::nothrow) CQVRVideoFormat();
}

void IVideo::ReleaseVideoFormat(IQVRVideoFormat* record)
{
    delete static_cast<CQVRVideoFormat*>(record);
}
#pragma GCC diagnostic pop

int IVideo::SetSettingsText(int kind, const wchar_t* text)
{
    if (kind == 0) {
        m_settingsText = text != nullptr ? text : L"";
        m_view.SetPlaySettingsText(m_settingsText.c_str());
    }
    return 0;
}

void IVideo::SetVideoWindows(HWND camera, HWND screen)
{
    if (camera == m_view.GetBoardWindow(0) && screen == m_view.GetBoardWindow(1)) {
        return;
    }
    if (m_view.IsFullScreen()) {
        const std::wstring error = m_view.SetFullScreen(nullptr, FALSE);
        if (!error.empty()) {
            LOG_UNEXPECTED(error);
        }
    }
    if (camera == nullptr && screen == nullptr) {
        // One hidden window cannot carry two boards: both streams simply lose their windows.
        m_view.DetachBoard(0);
        m_view.DetachBoard(1);
        return;
    }
    camera = camera != nullptr ? camera : m_hiddenWindow;
    screen = screen != nullptr ? screen : m_hiddenWindow;
    m_view.DetachBoard(0);
    m_view.DetachBoard(1);
    if (camera != nullptr) {
        const std::wstring error = m_view.InsertVideoWindow(camera, 0);
        if (!error.empty()) {
            LOG_UNEXPECTED(error);
        }
    }
    if (screen != nullptr) {
        const std::wstring error = m_view.InsertVideoWindow(screen, 1);
        if (!error.empty()) {
            LOG_UNEXPECTED(error);
        }
    }
    const std::wstring error = m_view.RenderStillFrame();
    if (!error.empty()) {
        LOG_UNEXPECTED(error);
    }
}

IQVRSettDlg* IVideo::CreateSettingsDlg(int kind, const wchar_t* text, HWND parent,
                                       QVRSettDlgHost* host)
{
    if (kind != 0) {
        return nullptr;
    }
    const std::wstring error = m_settingsDlg.Init(text, parent, host);
    if (!error.empty()) {
        LOG_UNEXPECTED(error);
        return nullptr;
    }
    return &m_settingsDlg;
}

BOOL IVideo::PreTranslateMessage(HWND, MSG* message)
{
    return m_view.OnPreTranslateMessage(message);
}

void IVideo::OnMainWindowMoved()
{
    m_view.OnMainWindowMoved();
}

void IVideo::DumpGraphs(CReleaseModeDebug* sink)
{
    if (sink == nullptr) {
        return;
    }
    LogPrintf(sink, 0, L"--- Graphs list");
    const std::wstring& dump = StoredGraphText();
    if (!dump.empty()) {
        sink->Output(0, dump.c_str());
    }
    LogPrintf(sink, 0, L"--- End of Graphs list");
}

void IVideo::SetVolume(long volume, BOOL mute)
{
    m_view.SetVolume(volume, mute);
    for (CQVRNetReceiver* receiver : m_receivers) {
        receiver->ApplyVolume(volume, mute);
    }
}

BOOL IVideo::CanFullScreen()
{
    return m_view.CanFullScreen();
}

BOOL IVideo::IsFullScreen()
{
    return m_view.IsFullScreen();
}

const wchar_t* IVideo::SetFullScreen(BOOL on)
{
    const std::wstring text = m_view.SetFullScreen(nullptr, on);
    if (text.empty()) {
        m_fullScreenError[0] = L'\0';
        return nullptr;
    }
    FormatBufN(m_fullScreenError, 1024, L"%s", text.c_str());
    return m_fullScreenError;
}

void IVideo::Destroy()
{
    delete this;
}
