// The network reader's object, its status side, playback control, closing and queries. The
// opening half is in InetWMAAsyncReaderOpen.cpp.
#include "player/core/InetWMAAsyncReader.h"

#include "player/core/Bookmarks.h"
#include "player/core/PlayerResource.h"
#include "player/core/UrlCheck.h"
#include "player/core/VideoAudFmt.h"
#include "player/core/VideoLibrary.h"
#include "player/core/VideoVidFmt.h"
#include "player/core/WMTag.h"
#include "WinNT_SP/Include_VS2005/MyException.h"
#include "WinNT_SP/Include_VS2005/Sett.h"
#include "WinNT_SP/Include_VS2005/SupportStrings.h"
#include "WinNT_SP/Include_VS2005/TraceLog.h"
#include "WinNT_SP/Include_VS2005/Volume.h"

#include <nserror.h>

#include <cstring>
#include <utility>

namespace {

// The credential flag of a proxy's request (the runtime's WMT_CREDENTIAL_PROXY, which the
// platform headers here do not declare).
constexpr DWORD kCredentialProxy = 0x8;

// The runtime's status names, by value (WMT_END_OF_FILE is another name of WMT_EOF).
const wchar_t* const kStatusNames[] = {
    L"WMT_ERROR", L"WMT_OPENED", L"WMT_BUFFERING_START", L"WMT_BUFFERING_STOP", L"WMT_EOF",
    L"WMT_END_OF_SEGMENT", L"WMT_END_OF_STREAMING", L"WMT_LOCATING",
    L"WMT_CONNECTING", L"WMT_NO_RIGHTS", L"WMT_MISSING_CODEC", L"WMT_STARTED", L"WMT_STOPPED",
    L"WMT_CLOSED", L"WMT_STRIDING", L"WMT_TIMER", L"WMT_INDEX_PROGRESS", L"WMT_SAVEAS_START",
    L"WMT_SAVEAS_STOP", L"WMT_NEW_SOURCEFLAGS", L"WMT_NEW_METADATA", L"WMT_BACKUPRESTORE_BEGIN",
    L"WMT_SOURCE_SWITCH", L"WMT_ACQUIRE_LICENSE", L"WMT_INDIVIDUALIZE",
    L"WMT_NEEDS_INDIVIDUALIZATION",
    L"WMT_NO_RIGHTS_EX", L"WMT_BACKUPRESTORE_END", L"WMT_BACKUPRESTORE_CONNECTING",
    L"WMT_BACKUPRESTORE_DISCONNECTING", L"WMT_ERROR_WITHURL", L"WMT_RESTRICTED_LICENSE",
    L"WMT_CLIENT_CONNECT", L"WMT_CLIENT_DISCONNECT", L"WMT_NATIVE_OUTPUT_PROPS_CHANGED",
    L"WMT_RECONNECT_START", L"WMT_RECONNECT_END", L"WMT_CLIENT_CONNECT_EX",
    L"WMT_CLIENT_DISCONNECT_EX", L"WMT_SET_FEC_SPAN", L"WMT_PREROLL_READY",
    L"WMT_PREROLL_COMPLETE", L"WMT_CLIENT_PROPERTIES", L"WMT_LICENSEURL_SIGNATURE_STATE",
    L"WMT_INIT_PLAYLIST_BURN", L"WMT_TRANSCRYPTOR_INIT", L"WMT_TRANSCRYPTOR_SEEKED",
    L"WMT_TRANSCRYPTOR_READ", L"WMT_TRANSCRYPTOR_CLOSED", L"WMT_PROXIMITY_RESULT",
    L"WMT_PROXIMITY_COMPLETED", L"WMT_CONTENT_ENABLER",
};
static_assert(sizeof kStatusNames / sizeof kStatusNames[0] == 52);


std::wstring WMErrorText(HRESULT hr, const std::wstring& function)
{
    std::wstring text;
    FormatWMError(&text, nullptr, hr, function.c_str());
    return text;
}

void AppendLine(std::wstring* text, const std::wstring& line)
{
    if (!text->empty()) {
        *text += L"\r\n";
    }
    *text += line;
}

}  // namespace

InetWMAAsyncReader::InetWMAAsyncReader(IQVRVideo* engine) : m_engine(engine)
{
    std::memset(&m_metadata, 0, sizeof m_metadata);
    NetworkingSettings::SetDefaults(m_proxy);
    m_threadFinished.Attach(CreateEventW(nullptr, TRUE, FALSE, nullptr));
}

InetWMAAsyncReader::~InetWMAAsyncReader()
{
    // The last reference may be the runtime's or the reader thread's: release only, never wait.
    ReleaseRuntime();
}

IQVRVideo* InetWMAAsyncReader::Engine() const { return m_engine ? m_engine : VideoEngine(); }

std::wstring InetWMAAsyncReader::MaskedURL() const { return UrlCheck::MaskURLPassword(m_url); }

void InetWMAAsyncReader::Discard()
{
    m_closedForGood = true;
    Reset();
    {
        std::lock_guard<std::mutex> hold(m_statusLock);
        m_notify.reset();
        m_queue.clear();
    }
    Release();
}

STDMETHODIMP InetWMAAsyncReader::QueryInterface(REFIID iid, void** out)
{
    if (out == nullptr) {
        return E_POINTER;
    }
    if (iid == IID_IUnknown || iid == IID_IWMReaderCallback) {
        *out = static_cast<IWMReaderCallback*>(this);
    } else if (iid == IID_IWMReaderCallbackAdvanced) {
        *out = static_cast<IWMReaderCallbackAdvanced*>(this);
    } else if (iid == IID_IWMCredentialCallback) {
        *out = static_cast<IWMCredentialCallback*>(this);
    } else {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) InetWMAAsyncReader::AddRef() { return static_cast<ULONG>(++m_refs); }

STDMETHODIMP_(ULONG) InetWMAAsyncReader::Release()
{
    const LONG count = --m_refs;
    if (count == 0) {
        delete this;
    }
    return static_cast<ULONG>(count);
}

std::wstring InetWMAAsyncReader::StatusName(WMT_STATUS status)
{
    const auto value = static_cast<unsigned>(status);
    if (value < sizeof kStatusNames / sizeof kStatusNames[0]) {
        return kStatusNames[value];
    }
    return FormatNewString(L"%u", value);
}

STDMETHODIMP InetWMAAsyncReader::OnStatus(WMT_STATUS status, HRESULT hr, WMT_ATTR_DATATYPE type,
                                          BYTE* value, void*)
{
    try {
        TraceLine(0, L"WMAAsyncReader::OnStatus: %s (hr=0x%08X)", StatusName(status).c_str(),
                  static_cast<unsigned>(hr));
        if (m_closedForGood || !m_active) {
            // A late report of a closed open: nobody waits for it any more.
            return S_OK;
        }
        INET_STATUS_INFO item;
        item.kind = kInetStatus;
        item.code = static_cast<DWORD>(status);
        item.result = hr;
        if (type == WMT_TYPE_STRING && value != nullptr) {
            item.text = reinterpret_cast<const wchar_t*>(value);
        }
        const bool aborting = m_abort;
        switch (status) {
        case WMT_ERROR:
            m_buffering = false;
            // The error is the outcome of whatever waits: an open must not read S_OK.
            m_statusResult = FAILED(hr) ? hr : E_FAIL;
            if (!aborting) {
                INET_STATUS_INFO error;
                error.kind = kInetError;
                error.text = WMErrorText(hr, std::wstring());
                QueueStatusItem(error);
            }
            SetEvent(m_statusEvent);
            break;
        case WMT_OPENED:
            m_statusResult = hr;
            SetEvent(m_statusEvent);
            item.text = LoadResText(IDS_INET_OPENED);
            break;
        case WMT_BUFFERING_START:
            m_buffering = true;
            item.text = LoadResText(IDS_INET_BUFFERING_STARTED);
            break;
        case WMT_BUFFERING_STOP:
            m_buffering = false;
            item.text = LoadResText(IDS_INET_BUFFERING_STOPPED);
            break;
        case WMT_EOF:
            m_buffering = false;
            if (!aborting) {
                INET_STATUS_INFO end;
                end.kind = kInetEndOfFile;
                QueueStatusItem(end);
            }
            SetEvent(m_statusEvent);
            break;
        case WMT_END_OF_STREAMING: item.text = LoadResText(IDS_INET_END_OF_STREAMING); break;
        case WMT_LOCATING: item.text = LoadResText(IDS_INET_LOCATING); break;
        case WMT_CONNECTING: item.text = LoadResText(IDS_INET_CONNECTING); break;
        case WMT_NO_RIGHTS:
        case WMT_NO_RIGHTS_EX: item.text = LoadResText(IDS_INET_DRM); break;
        case WMT_STARTED: item.text = LoadResText(IDS_INET_READING_STARTED); break;
        case WMT_STOPPED:
            m_buffering = false;
            m_statusResult = hr;
            SetEvent(m_statusEvent);
            break;
        case WMT_CLOSED:
            m_statusResult = hr;
            SetEvent(m_statusEvent);
            break;
        case WMT_NEW_SOURCEFLAGS: item.text = LoadResText(IDS_INET_NEW_SOURCE_FLAGS); break;
        case WMT_NEW_METADATA:
            if (!aborting) {
                ReadNewMetadata();
                item.text = LoadResText(IDS_INET_NEW_METADATA);
            }
            break;
        default: break;
        }
        if (!m_abort) {
            QueueStatusItem(item);
        }
    } catch (CException* e) {
        TraceLine(0, L"WMAAsyncReader::OnStatus: %s", GetExceptionText(e).c_str());
        e->Delete();
    } catch (const std::exception&) {
        TraceLine(0, L"WMAAsyncReader::OnStatus: out of memory");
    }
    return S_OK;
}

void InetWMAAsyncReader::ReadNewMetadata()
{
    CComPtr<IWMReader> reader;
    {
        std::lock_guard<std::mutex> hold(m_headerLock);
        reader = m_reader;
    }
    CComPtr<IWMHeaderInfo3> header;
    if (!reader || FAILED(reader->QueryInterface(IID_IWMHeaderInfo3,
                                                 reinterpret_cast<void**>(&header)))) {
        return;
    }
    {
        std::lock_guard<std::mutex> hold(m_headerLock);
        m_header = header;
    }
    // The bookmark part may throw; the runtime's thread must not see it.
    try {
        ReadHeaderAttributes();
    } catch (CException* e) {
        TraceLine(0, L"New metadata: %s", GetExceptionText(e).c_str());
        e->Delete();
    }
}

STDMETHODIMP InetWMAAsyncReader::OnSample(DWORD, QWORD, QWORD, DWORD, INSSBuffer*, void*)
{
    return S_OK;
}

STDMETHODIMP InetWMAAsyncReader::OnStreamSample(WORD stream, QWORD time, QWORD duration,
                                                DWORD flags, INSSBuffer* sample, void*)
{
    if (m_closedForGood || m_stopping) {
        return S_OK;
    }
    AcquireSRWLockShared(&m_receiverLock);
    HRESULT hr = S_OK;
    if (m_receiver != nullptr && !m_stopping) {
        hr = m_receiver->PushSample(stream, static_cast<LONGLONG>(time),
                                    static_cast<LONGLONG>(duration), flags, sample);
    }
    ReleaseSRWLockShared(&m_receiverLock);
    return hr;
}

STDMETHODIMP InetWMAAsyncReader::OnTime(QWORD, void*) { return S_OK; }

STDMETHODIMP InetWMAAsyncReader::OnStreamSelection(WORD, WORD*, WMT_STREAM_SELECTION*, void*)
{
    return S_OK;
}

STDMETHODIMP InetWMAAsyncReader::OnOutputPropsChanged(DWORD, WM_MEDIA_TYPE*, void*)
{
    return S_OK;
}

STDMETHODIMP InetWMAAsyncReader::AllocateForStream(WORD, DWORD, INSSBuffer**, void*)
{
    return E_NOTIMPL;
}

STDMETHODIMP InetWMAAsyncReader::AllocateForOutput(DWORD, DWORD, INSSBuffer**, void*)
{
    return E_NOTIMPL;
}

STDMETHODIMP InetWMAAsyncReader::AcquireCredentials(WCHAR*, WCHAR* site, WCHAR* userName,
                                                    DWORD userNameChars, WCHAR* password,
                                                    DWORD passwordChars, HRESULT hr,
                                                    DWORD* flags)
{
    // Only a proxy is answered, and only with the manual HTTP record's credentials; a server
    // that asks gets what the URL carried, which the runtime has already sent.
    const bool proxy =
        hr == NS_E_PROXY_ACCESSDENIED || (flags && (*flags & kCredentialProxy) != 0);
    const PROXY_SETTINGS& http = m_proxy[0];
    if (m_closedForGood || !proxy || http.proxyType != NetworkingSettings::kManual ||
        http.userName.empty() || userName == nullptr || password == nullptr ||
        http.userName.size() >= userNameChars || http.password.size() >= passwordChars) {
        TraceLine(0, L"Credentials for %s: none", site ? site : L"");
        return E_FAIL;
    }
    wcsncpy(userName, http.userName.c_str(), userNameChars);
    wcsncpy(password, http.password.c_str(), passwordChars);
    TraceLine(0, L"Credentials for %s: the proxy settings' user", site ? site : L"");
    return S_OK;
}

void InetWMAAsyncReader::QueueStatusItem(const INET_STATUS_INFO& item)
{
    std::lock_guard<std::mutex> hold(m_statusLock);
    if (!m_notify) {
        return;
    }
    TraceLine(0, L"Inet stat %u; %u; %s", static_cast<unsigned>(item.kind),
              static_cast<unsigned>(item.code), item.text.c_str());
    if (m_notify->window == nullptr) {
        return;
    }
    m_queue.push_back(item);
    PostMessageW(m_notify->window, m_notify->message, 0, 0);
}

void InetWMAAsyncReader::ClearStatusItems()
{
    std::lock_guard<std::mutex> hold(m_statusLock);
    m_queue.clear();
}

void InetWMAAsyncReader::SetNotifyMessage(const INET_NOTIFY_MSG& notify)
{
    std::lock_guard<std::mutex> hold(m_statusLock);
    m_notify = std::make_unique<INET_NOTIFY_MSG>(notify);
}

void InetWMAAsyncReader::TakeStatusItems(std::vector<INET_STATUS_INFO>* items)
{
    std::lock_guard<std::mutex> hold(m_statusLock);
    for (INET_STATUS_INFO& item : m_queue) {
        items->push_back(std::move(item));
    }
    m_queue.clear();
}

HRESULT InetWMAAsyncReader::WaitForStatusEvent()
{
    // Rounds of 500 ms, so that Close stops a waiter within one round; never longer than the
    // open limit, even when the runtime never answers.
    const DWORD begin = GetTickCount();
    for (;;) {
        const DWORD r = WaitForSingleObject(m_statusEvent, 500);
        if (r != WAIT_TIMEOUT || m_abort) {
            break;
        }
        if (GetTickCount() - begin >= kOpenLimitMs) {
            return NS_E_TIMEOUT;
        }
    }
    return m_statusResult;
}

std::wstring InetWMAAsyncReader::OpenInetURL(const std::wstring& url,
                                             const INET_NOTIFY_MSG& notify)
{
    TraceLine(0, L"OpenInetURL: [%s]", UrlCheck::MaskURLPassword(url).c_str());
    Reset();
    std::wstring error = UrlCheck::CheckURL(url);
    if (!error.empty()) {
        return error;
    }
    m_url = url;
    const TypedValue& networking = AppSettings().Item(SETT_Networking);
    ParseNetworkingSettings(networking.IsPresent() ? networking.GetStringValue() : L"",
                            m_proxy);
    SetNotifyMessage(notify);
    ClearStatusItems();
    error = InitReader();
    if (error.empty()) {
        error = StartReaderThread();
    }
    return error;
}

BOOL InetWMAAsyncReader::HasDuration() { return m_opened && m_duration.load() > 0; }

std::wstring InetWMAAsyncReader::Start(IBaseFilter* audioRenderer, double position)
{
    if (!m_opened) {
        try {
            OpenStream();
        } catch (CException* e) {
            std::wstring text = GetExceptionText(e);
            e->Delete();
            // The runtime takes no new open before the failed one is closed.
            (void)Close();
            return text;
        }
    }
    m_startPosition = position;
    const auto start = static_cast<LONGLONG>(position * 10000000.0 + 0.499999);
    if (m_receiver != nullptr) {
        m_receiver->Start(start, audioRenderer);
    }
    if (IQVRVideo* engine = Engine()) {
        const Sett& settings = AppSettings();
        const TypedValue& volume = settings.Item(SETT_PlayVol);
        const TypedValue& mute = settings.Item(SETT_PlayMute);
        engine->SetVolume(VolumeToDirectShow(0, volume.IsPresent() ? volume.GetDouble(0.0) : 0.0),
                          mute.IsPresent() && mute.GetInt(0) == 1);
    }
    m_started = true;
    const HRESULT hr = m_reader->Start(static_cast<QWORD>(start), 0, 1.0f, nullptr);
    if (FAILED(hr)) {
        m_started = false;
        return WMErrorText(hr, L"IWMReader::Start");
    }
    return std::wstring();
}

std::wstring InetWMAAsyncReader::Stop()
{
    if (!m_reader || !m_started) {
        return std::wstring();
    }
    m_stopping = true;
    if (m_receiver != nullptr) {
        m_receiver->Stop();
    }
    const HRESULT hr = m_reader->Stop();
    m_stopping = false;
    m_buffering = false;
    if (FAILED(hr)) {
        return WMErrorText(hr, L"IWMReader::Stop");
    }
    m_started = false;
    if (!HasDuration()) {
        // A live stream cannot be rewound: the next Start opens it again.
        (void)Close();
    }
    return std::wstring();
}

std::wstring InetWMAAsyncReader::Pause()
{
    if (!m_reader || !m_started) {
        return std::wstring();
    }
    if (m_receiver != nullptr) {
        m_receiver->Pause();
    }
    const HRESULT hr = m_reader->Pause();
    return FAILED(hr) ? WMErrorText(hr, L"IWMReader::Pause") : std::wstring();
}

std::wstring InetWMAAsyncReader::Resume()
{
    if (!m_reader || !m_started) {
        return std::wstring();
    }
    if (m_receiver != nullptr) {
        m_receiver->Resume();
    }
    const HRESULT hr = m_reader->Resume();
    return FAILED(hr) ? WMErrorText(hr, L"IWMReader::Resume") : std::wstring();
}

std::wstring InetWMAAsyncReader::Close()
{
    std::wstring text;
    m_abort = true;
    // The open thread, ending after a discard, releases the runtime objects at any moment:
    // work on references taken under the locks that release guards.
    CComPtr<IWMReader> reader;
    {
        std::lock_guard<std::mutex> hold(m_headerLock);
        reader = m_reader;
    }
    // An open that was begun holds the runtime reader until it is closed, answered or not.
    if (reader && (m_opened || m_active)) {
        if (m_started) {
            // A push waiting for a free buffer must not hold up the runtime's close.
            m_stopping = true;
            AcquireSRWLockShared(&m_receiverLock);
            if (m_receiver != nullptr) {
                m_receiver->Stop();
            }
            ReleaseSRWLockShared(&m_receiverLock);
        }
        ResetEvent(m_statusEvent);
        const HRESULT hr = reader->Close();
        if (FAILED(hr)) {
            AppendLine(&text, WMErrorText(hr, L"IWMReader::Close"));
        } else {
            const HRESULT closed = WaitForStatusEvent();
            if (FAILED(closed)) {
                AppendLine(&text, WMErrorText(closed, std::wstring()));
            }
        }
    }
    WaitForInetWMAThreadFinished();
    m_active = false;
    m_opened = false;
    m_started = false;
    m_stopping = false;
    m_abort = false;
    m_threadState = kInetThreadClosed;
    m_threadError.clear();
    return text;
}

BOOL InetWMAAsyncReader::IsThreadRunning() const
{
    // The finished event, not the state: a closed reader may still have an abandoned thread.
    return m_threadStarted && WaitForSingleObject(m_threadFinished, 0) != WAIT_OBJECT_0;
}

void InetWMAAsyncReader::WaitForInetWMAThreadFinished()
{
    if (!m_threadStarted) {
        return;
    }
    if (WaitForSingleObject(m_threadFinished, kThreadWaitMs) != WAIT_OBJECT_0) {
        TraceLine(0, L"WaitForInetWMAThreadFinished TIMEOUT");
    }
}

void InetWMAAsyncReader::ReleaseRuntime()
{
    // The owner's reset and an abandoned thread's end may both get here: one at a time.
    std::lock_guard<std::mutex> once(m_releaseLock);
    AcquireSRWLockExclusive(&m_receiverLock);
    IQVRNetReceiver* receiver = std::exchange(m_receiver, nullptr);
    ReleaseSRWLockExclusive(&m_receiverLock);
    if (receiver != nullptr) {
        if (IQVRVideo* engine = Engine()) {
            engine->ReleaseNetReceiver(receiver);
        }
    }
    {
        std::lock_guard<std::mutex> hold(m_headerLock);
        m_header.Release();
        m_bookmarks.reset();
        m_headerLines.clear();
    }
    m_netConfig.Release();
    m_advanced.Release();
    m_audioFormat.reset();
    m_videoFormats[0].reset();
    m_videoFormats[1].reset();
    for (CComPtr<IWMStreamConfig>& config : m_streamConfigs) {
        config.Release();
    }
    CComPtr<IWMReader> reader;
    {
        std::lock_guard<std::mutex> hold(m_headerLock);
        reader.Attach(m_reader.Detach());
    }
}

void InetWMAAsyncReader::Reset()
{
    (void)Close();
    if (IsThreadRunning()) {
        // The abandoned thread still uses the runtime objects: they go with the last reference.
        TraceLine(0, L"Network reader: the open thread is still running");
        return;
    }
    ReleaseRuntime();
    m_abort = false;
    m_statusResult = S_OK;
    m_statusEvent.Close();
    m_threadError.clear();
    m_protocol.clear();
    m_fileSize = 0;
    std::memset(m_streamNumbers, 0, sizeof m_streamNumbers);
    m_bandwidth = 0;
    m_buffering = false;
    m_stopping = false;
    m_playMode = 0;
    m_totalBitrate = 0;
}

std::wstring InetWMAAsyncReader::GetTitle()
{
    std::lock_guard<std::mutex> hold(m_headerLock);
    return m_metadata.text[3];
}

std::wstring InetWMAAsyncReader::GetDisplayName()
{
    const std::wstring title = GetTitle();
    return title.empty() ? UrlCheck::GetURLFileName(m_url, true) : title;
}

std::wstring InetWMAAsyncReader::GetFormatText(int index)
{
    if (index < 0 || index > 11) {
        return std::wstring();
    }
    const wchar_t* texts[4] = {};
    if (index < 4) {
        if (m_audioFormat) {
            for (int i = 0; i < 4; ++i) {
                texts[i] = m_audioFormat->Description(i);
            }
        }
    } else if (const auto& video = m_videoFormats[index < 8 ? 0 : 1]) {
        for (int i = 0; i < 4; ++i) {
            texts[i] = video->Description(i);
        }
    }
    if (texts[0] == nullptr) {
        return L"-";
    }
    std::wstring text;
    switch (index % 4) {
    case 0: text = texts[0]; break;
    case 1: text = texts[2]; break;
    case 2: text = texts[3]; break;
    default: text = FormatNewString(L"%s; %s", texts[0], texts[2]); break;
    }
    return text.empty() ? L"-" : text;
}

int InetWMAAsyncReader::GetBufferingPercent()
{
    if (!m_advanced || !m_buffering || !m_started) {
        return -1;
    }
    DWORD percent = 0;
    QWORD remaining = 0;
    HRESULT hr = S_OK;
    if (m_playMode == WMT_PLAY_MODE_DOWNLOAD) {
        QWORD bytes = 0;
        hr = m_advanced->GetDownloadProgress(&percent, &bytes, &remaining);
    } else {
        hr = m_advanced->GetBufferProgress(&percent, &remaining);
    }
    return FAILED(hr) ? -1 : static_cast<int>(percent);
}

LONGLONG InetWMAAsyncReader::GetFileSize() { return m_duration.load() > 0 ? m_fileSize.load() : 0; }

std::vector<std::wstring> InetWMAAsyncReader::GetHeaderLines()
{
    std::lock_guard<std::mutex> hold(m_headerLock);
    return m_headerLines;
}

std::vector<std::pair<double, std::wstring>> InetWMAAsyncReader::GetBookmarks()
{
    std::lock_guard<std::mutex> hold(m_headerLock);
    std::vector<std::pair<double, std::wstring>> out;
    if (m_bookmarks) {
        for (const BM_Item& item : m_bookmarks->m_items) {
            out.emplace_back(item.time, item.name);
        }
    }
    return out;
}
