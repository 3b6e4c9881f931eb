// The engine object.
#include "IVideo.h"

#include "CQVRAudioFormat.h"
#include "CQVRVideoFormat.h"
#include "EngineGlobals.h"
#include "EngineText.h"
#include "IVideoReader.h"
#include "TraceScope.h"

#include <new>

IVideo::~IVideo() = default;

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
    LOG_UNEXPECTED(L"CreateNetReceiver: this build of the engine has no network receiver");
    return nullptr;
}

void IVideo::ReleaseNetReceiver(IQVRNetReceiver* receiver)
{
    // No receiver is ever handed out, so there is none to take back.
    if (receiver != nullptr) {
        LOG_UNEXPECTED(L"ReleaseNetReceiver: not a receiver of this engine");
    }
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
    }
    return 0;
}

void IVideo::SetVideoWindows(HWND camera, HWND screen)
{
    if (camera == nullptr && screen == nullptr) {
        return;  // no board holds a window: nothing to change
    }
    LOG_UNEXPECTED(CALL_FAILURE(L"SetVideoWindows", E_NOTIMPL, L"video boards"));
}

IQVRSettDlg* IVideo::CreateSettingsDlg(int kind, const wchar_t*, HWND, QVRSettDlgHost*)
{
    if (kind == 0) {
        LOG_UNEXPECTED(CALL_FAILURE(L"CreateSettingsDlg", E_NOTIMPL, L"settings page"));
    }
    return nullptr;
}

BOOL IVideo::PreTranslateMessage(HWND, MSG*)
{
    return FALSE;
}

void IVideo::OnMainWindowMoved() {}

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
    // Without the view controller's attached reader, every playing reader takes the volume.
    for (IVideoReader* reader : m_readers) {
        if (reader->State() == 2) {
            reader->ApplyVolume(volume, mute);
        }
    }
}

BOOL IVideo::CanFullScreen()
{
    return FALSE;
}

BOOL IVideo::IsFullScreen()
{
    return FALSE;
}

const wchar_t* IVideo::SetFullScreen(BOOL)
{
    const std::wstring text = CALL_FAILURE(L"SetFullScreen", E_NOTIMPL, L"full screen");
    FormatBufN(m_fullScreenError, 1024, L"%s", text.c_str());
    return m_fullScreenError;
}

void IVideo::Destroy()
{
    delete this;
}
