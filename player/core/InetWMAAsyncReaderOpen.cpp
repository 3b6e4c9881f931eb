// The network reader's opening half: the runtime reader and its proxies, the reader thread,
// the open and its wait, the choice of streams, the header, the format records and the engine's
// network receiver.
#include "player/core/InetWMAAsyncReader.h"

#include "player/core/Bookmarks.h"
#include "player/core/PlayerResource.h"
#include "player/core/PlayerState.h"
#include "player/core/UrlCheck.h"
#include "player/core/VideoAudFmt.h"
#include "player/core/VideoVidFmt.h"
#include "player/core/WMTag.h"
#include "platform/framework/window/CWinThread.h"
#include "WinNT_SP/Include_VS2005/MyException.h"
#include "WinNT_SP/Include_VS2005/Sett.h"
#include "WinNT_SP/Include_VS2005/SupportStrings.h"
#include "WinNT_SP/Include_VS2005/SystemErrorText.h"
#include "WinNT_SP/Include_VS2005/TraceLog.h"
#include "WinNT_SP/Include_VS2005/ui/WorkerCrashScope.h"

#include <nserror.h>

#include <cstring>

namespace {

const wchar_t kInterrupted[] = L"*";
// The runtime's script stream type ("scmd"), which the platform headers here do not declare.
constexpr GUID kMediaTypeScript = {0x73636d64, 0x0000, 0x0010,
                                   {0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

std::wstring WMErrorText(HRESULT hr, const std::wstring& function)
{
    std::wstring text;
    FormatWMError(&text, nullptr, hr, function.c_str());
    return text;
}

void ThrowWMError(HRESULT hr, const std::wstring& function)
{
    ThrowMyException(WMErrorText(hr, function).c_str());
}

void TraceWMError(HRESULT hr, const std::wstring& function)
{
    TraceLine(0, L"%s", WMErrorText(hr, function).c_str());
}

}  // namespace

void InetWMAAsyncReader::ThrowIfAborted()
{
    if (m_abort || m_closedForGood) {
        ThrowMyException(kInterrupted);
    }
}

std::wstring InetWMAAsyncReader::InitReader()
{
    Reset();
    m_statusEvent.Attach(CreateEventW(nullptr, FALSE, FALSE, nullptr));
    if (!m_statusEvent) {
        return FormatSystemError(GetLastError(), L"CreateEvent");
    }
    if (!LoadWMRuntime()) {
        return WMErrorText(HRESULT_FROM_WIN32(WMRuntimeError().code), L"WMCreateReader");
    }
    CComPtr<IWMReader> reader;
    HRESULT hr = WMRuntime().createReader.As<WMCreateReaderFn>()(nullptr, 1, &reader);
    if (FAILED(hr) || !reader) {
        return WMErrorText(FAILED(hr) ? hr : E_POINTER, L"WMCreateReader");
    }
    {
        std::lock_guard<std::mutex> hold(m_headerLock);
        m_reader = reader;
    }
    hr = m_reader->QueryInterface(IID_IWMReaderNetworkConfig2,
                                  reinterpret_cast<void**>(&m_netConfig));
    if (FAILED(hr)) {
        return WMErrorText(hr, L"QueryInterface(IID_IWMReaderNetworkConfig, ...)");
    }
    const wchar_t* const protocols[2] = {L"http", L"rtsp"};
    for (int i = 0; i < 2; ++i) {
        const PROXY_SETTINGS& record = m_proxy[i];
        const WMT_PROXY_SETTINGS setting = NetworkingSettings::RuntimeSetting(record.proxyType);
        hr = m_netConfig->SetProxySettings(protocols[i], setting);
        if (FAILED(hr)) {
            TraceWMError(hr, FormatNewString(L"SetProxySettings(%i)", static_cast<int>(setting)));
            continue;
        }
        if (setting == WMT_PROXY_SETTING_MANUAL) {
            hr = m_netConfig->SetProxyHostName(protocols[i], record.server.c_str());
            if (FAILED(hr)) {
                TraceWMError(hr, FormatNewString(L"SetProxyHostName(%s)", record.server.c_str()));
            }
            hr = m_netConfig->SetProxyPort(protocols[i], static_cast<DWORD>(record.port));
            if (FAILED(hr)) {
                TraceWMError(hr, FormatNewString(L"SetProxyPort(%i)", record.port));
            }
        }
    }
    hr = m_netConfig->SetAutoReconnectLimit(0);
    if (FAILED(hr)) {
        TraceWMError(hr, L"IWMReaderNetworkConfig2::SetAutoReconnectLimit");
    }
    hr = m_netConfig->SetEnableContentCaching(FALSE);
    if (FAILED(hr)) {
        TraceWMError(hr, L"IWMReaderNetworkConfig2::SetEnableContentCaching");
    }
    return std::wstring();
}

std::wstring InetWMAAsyncReader::StartReaderThread()
{
    // The thread holds its own reference: an owner that gives up on it frees nothing it uses.
    AddRef();
    CWinThread* thread = AfxBeginThread(ReaderThreadProc, this, THREAD_PRIORITY_NORMAL, 0,
                                        CREATE_SUSPENDED);
    if (thread == nullptr) {
        const DWORD error = GetLastError();
        Release();
        return FormatSystemError(error, L"AfxBeginThread");
    }
    ResetEvent(m_threadFinished);
    m_threadStarted = true;
    m_threadState = kInetThreadRunning;
    thread->ResumeThread();
    return std::wstring();
}

UINT InetWMAAsyncReader::ReaderThreadProc(LPVOID param)
{
    auto* self = static_cast<InetWMAAsyncReader*>(param);
    // The engine builds the receiver's graph on this thread.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    {
        WorkerCrashScope crashReport;
        try {
            self->RunOpen();
        } catch (CException* e) {
            ThePlayerState().AppendThreadError(GetExceptionText(e).c_str());
            e->Delete();
        } catch (const std::exception&) {
            ThePlayerState().AppendThreadError(L"Out of memory.");
        }
    }
    if (SUCCEEDED(com)) {
        CoUninitialize();
    }
    if (self->m_closedForGood) {
        // The owner let go while this thread still ran: the runtime's hold on the callback goes
        // with the reader, so that the last reference can end the object.
        self->ReleaseRuntime();
    }
    // The reference the thread took when it started: it may be the last one.
    self->Release();
    return 0;
}

void InetWMAAsyncReader::RunOpen()
{
    try {
        OpenStream();
        m_threadError.clear();
    } catch (CException* e) {
        m_threadError = GetExceptionText(e);
        e->Delete();
    }
    m_threadState = kInetThreadFinished;
    INET_STATUS_INFO item;
    const bool fine = m_threadError.empty() || m_threadError == kInterrupted;
    item.kind = fine ? kInetOpened : kInetError;
    item.code = 0;
    item.text = m_threadError;
    item.result = m_statusResult;
    QueueStatusItem(item);
    SetEvent(m_threadFinished);
}

void InetWMAAsyncReader::OpenStream()
{
    const std::wstring openText = FormatNewString(L"IWMReader::Open(%s)", MaskedURL().c_str());
    if (!m_reader) {
        ThrowWMError(NS_E_INVALID_REQUEST, openText);
    }
    m_active = true;
    ResetEvent(m_statusEvent);
    m_statusResult = S_OK;
    HRESULT hr = m_reader->Open(m_url.c_str(), static_cast<IWMReaderCallback*>(this), nullptr);
    if (FAILED(hr)) {
        ThrowWMError(hr, openText);
    }
    ThrowIfAborted();
    hr = WaitForStatusEvent();
    ThrowIfAborted();
    if (FAILED(hr)) {
        ThrowWMError(hr, openText);
    }
    m_opened = true;

    DWORD bandwidth = m_bandwidth;
    (void)m_netConfig->GetConnectionBandwidth(&bandwidth);
    m_bandwidth = bandwidth;
    ThrowIfAborted();
    TraceLine(0, L"Inet Bandwidth: %u", static_cast<unsigned>(m_bandwidth));

    m_advanced.Release();
    hr = m_reader->QueryInterface(IID_IWMReaderAdvanced2, reinterpret_cast<void**>(&m_advanced));
    if (FAILED(hr)) {
        ThrowWMError(hr, L"QueryInterface(IID_IWMReaderAdvanced2, ...)");
    }
    WMT_PLAY_MODE mode = static_cast<WMT_PLAY_MODE>(m_playMode);
    if (SUCCEEDED(m_advanced->GetPlayMode(&mode))) {
        m_playMode = static_cast<DWORD>(mode);
    }
    TraceLine(0, L"PlayMode: %u", static_cast<unsigned>(m_playMode));
    DWORD length = 0;
    if (SUCCEEDED(m_advanced->GetProtocolName(nullptr, &length)) && length > 0 &&
        length < 4096) {
        std::wstring name(length, L'\0');
        if (SUCCEEDED(m_advanced->GetProtocolName(name.data(), &length))) {
            name.resize(wcsnlen(name.c_str(), name.size()));
            m_protocol = name;
        }
    }
    TraceLine(0, L"Protocol used: %s", m_protocol.c_str());

    CComPtr<IWMProfile> profile;
    hr = m_reader->QueryInterface(IID_IWMProfile, reinterpret_cast<void**>(&profile));
    if (FAILED(hr)) {
        ThrowWMError(hr, L"QueryInterface(IID_IWMProfile, ...)");
    }
    DWORD count = 0;
    hr = profile->GetStreamCount(&count);
    if (FAILED(hr)) {
        ThrowWMError(hr, L"GetStreamCount");
    }
    hr = m_advanced->SetManualStreamSelection(TRUE);
    if (FAILED(hr)) {
        TraceWMError(hr, L"SetManualStreamSelection(TRUE)");
    }
    ThrowIfAborted();

    SelectStreams(profile);
    if (m_streamNumbers[0] == 0 && m_streamNumbers[1] == 0 && m_streamNumbers[2] == 0) {
        ThrowMyException(FormatResString(IDS_INET_NO_MEDIA_STREAMS).c_str());
    }
    const TypedValue& noScript = AppSettings().Item(SETT_DownNoScriptStream);
    const bool dropScript = noScript.IsPresent() && noScript.GetInt(0) == 1;
    for (DWORD i = 0; i < count;) {
        ThrowIfAborted();
        CComPtr<IWMStreamConfig> config;
        hr = profile->GetStream(i, &config);
        if (FAILED(hr)) {
            ThrowWMError(hr, L"GetStream");
        }
        WORD number = 0;
        hr = config->GetStreamNumber(&number);
        if (FAILED(hr)) {
            ThrowWMError(hr, L"GetStreamNumber");
        }
        GUID type = GUID_NULL;
        hr = config->GetStreamType(&type);
        if (FAILED(hr)) {
            ThrowWMError(hr, L"GetStreamType");
        }
        const bool media = type == WMMEDIATYPE_Audio || type == WMMEDIATYPE_Video;
        const bool chosen = media && number != 0 &&
                            (number == m_streamNumbers[0] || number == m_streamNumbers[1] ||
                             number == m_streamNumbers[2]);
        WMT_STREAM_SELECTION selection = WMT_ON;
        bool keep = true;
        if (chosen) {
            hr = config->SetBufferWindow(0);
            if (FAILED(hr)) {
                ThrowWMError(hr, L"IWMStreamConfig::SetBufferWindow");
            }
            hr = profile->ReconfigStream(config);
            if (FAILED(hr)) {
                ThrowWMError(hr, L"ReconfigStream");
            }
            hr = m_advanced->SetReceiveStreamSamples(number, TRUE);
            if (FAILED(hr)) {
                ThrowWMError(hr, L"SetReceiveStreamSamples");
            }
        } else if (type == kMediaTypeScript) {
            TraceLine(0, L"Inet WMA Script Stream: %u", static_cast<unsigned>(number));
            keep = !dropScript;
        } else {
            keep = false;
        }
        if (!keep) {
            hr = profile->RemoveStreamByNumber(number);
            if (FAILED(hr)) {
                ThrowWMError(hr, L"RemoveStreamByNumber");
            }
            --count;
            selection = WMT_OFF;
        } else {
            ++i;
        }
        hr = m_advanced->SetStreamsSelected(1, &number, &selection);
        if (FAILED(hr)) {
            ThrowWMError(hr, L"SetStreamsSelected");
        }
    }

    ThrowIfAborted();
    {
        CComPtr<IWMHeaderInfo3> header;
        hr = m_reader->QueryInterface(IID_IWMHeaderInfo3, reinterpret_cast<void**>(&header));
        if (FAILED(hr)) {
            ThrowWMError(hr, L"IWMReader::QueryInterface(IID_IWMHeaderInfo)");
        }
        std::lock_guard<std::mutex> hold(m_headerLock);
        m_header = header;
    }
    ReadHeaderAttributes();

    IQVRVideo* engine = Engine();
    m_audioFormat.reset();
    if (m_streamNumbers[0] != 0) {
        m_audioFormat = std::make_unique<VideoAudFmt>(engine);
        m_audioFormat->SetFromMediaProps(m_streamConfigs[0]);
    }
    for (int v = 0; v < 2; ++v) {
        m_videoFormats[v].reset();
        if (m_streamNumbers[1 + v] != 0) {
            m_videoFormats[v] = std::make_unique<VideoVidFmt>(engine);
            m_videoFormats[v]->SetFromMediaProps(m_streamConfigs[1 + v]);
        }
    }
    for (const std::wstring& line : GetHeaderLines()) {
        ThrowIfAborted();
        INET_STATUS_INFO item;
        item.kind = kInetStatus;
        item.code = kInetHeaderLineCode;
        item.text = line;
        QueueStatusItem(item);
    }

    AcquireSRWLockExclusive(&m_receiverLock);
    IQVRNetReceiver* old = std::exchange(m_receiver, nullptr);
    ReleaseSRWLockExclusive(&m_receiverLock);
    if (old != nullptr && engine != nullptr) {
        engine->ReleaseNetReceiver(old);
    }
    IQVRNetReceiver* receiver = engine ? engine->CreateNetReceiver() : nullptr;
    if (receiver != nullptr) {
        const wchar_t* error = receiver->BuildGraph(m_reader, m_streamNumbers[0],
                                                    m_streamNumbers[1], m_streamNumbers[2]);
        AcquireSRWLockExclusive(&m_receiverLock);
        m_receiver = receiver;
        ReleaseSRWLockExclusive(&m_receiverLock);
        if (error != nullptr) {
            ThrowMyException(error);
        }
    }
}

void InetWMAAsyncReader::SelectStreams(IWMProfile* profile)
{
    std::memset(m_streamNumbers, 0, sizeof m_streamNumbers);
    for (CComPtr<IWMStreamConfig>& config : m_streamConfigs) {
        config.Release();
    }
    m_totalBitrate = 0;
    DWORD count = 0;
    if (FAILED(profile->GetStreamCount(&count))) {
        return;
    }
    for (DWORD i = 0; i < count; ++i) {
        CComPtr<IWMStreamConfig> config;
        GUID type = GUID_NULL;
        DWORD bitrate = 0;
        WORD number = 0;
        if (FAILED(profile->GetStream(i, &config)) || FAILED(config->GetStreamType(&type))) {
            continue;
        }
        const bool audio = type == WMMEDIATYPE_Audio;
        if (!audio && type != WMMEDIATYPE_Video) {
            continue;
        }
        if (FAILED(config->GetBitrate(&bitrate))) {
            continue;
        }
        TraceLine(0, L"Inet WMA Stream: %s=%u", audio ? L"A" : L"V",
                  static_cast<unsigned>(bitrate));
        if (FAILED(config->GetStreamNumber(&number))) {
            continue;
        }
        int slot = -1;
        if (audio) {
            slot = m_streamNumbers[0] == 0 ? 0 : -1;
        } else if (m_streamNumbers[1] == 0) {
            slot = 1;
        } else if (m_streamNumbers[2] == 0) {
            slot = 2;
        }
        if (slot < 0) {
            continue;
        }
        m_streamNumbers[slot] = number;
        m_streamConfigs[slot] = config;
        m_totalBitrate += bitrate;
    }
    if (m_streamNumbers[2] != 0 && m_streamNumbers[1] > m_streamNumbers[2]) {
        std::swap(m_streamNumbers[1], m_streamNumbers[2]);
        std::swap(m_streamConfigs[1], m_streamConfigs[2]);
    }
}

void InetWMAAsyncReader::ReadHeaderAttributes()
{
    CComPtr<IWMHeaderInfo3> header;
    {
        std::lock_guard<std::mutex> hold(m_headerLock);
        header = m_header;
    }
    if (!header) {
        return;
    }
    // Read into copies; the getters see either the old header or the new one, never a mix.
    auto metadata = std::make_unique<WM_METADATA>();
    std::memset(metadata.get(), 0, sizeof(WM_METADATA));
    GetWMMetadata(metadata.get(), header);
    std::vector<std::wstring> lines;
    LONGLONG fileSize = m_fileSize;
    WORD count = 0;
    if (SUCCEEDED(header->GetAttributeCountEx(0, &count)) && count > 0) {
        for (WORD index = 0; index < count; ++index) {
            WORD nameChars = 0;
            DWORD dataBytes = 0;
            WMT_ATTR_DATATYPE type = WMT_TYPE_DWORD;
            WORD language = 0;
            if (FAILED(header->GetAttributeByIndexEx(0, index, nullptr, &nameChars, &type,
                                                     &language, nullptr, &dataBytes))) {
                continue;
            }
            std::vector<WCHAR> name(nameChars + 1u, L'\0');
            std::vector<BYTE> data(dataBytes + sizeof(WCHAR), 0);
            if (FAILED(header->GetAttributeByIndexEx(0, index, name.data(), &nameChars, &type,
                                                     &language, data.data(), &dataBytes))) {
                continue;
            }
            name.back() = L'\0';
            const std::wstring attribute = name.data();
            std::wstring line;
            switch (type) {
            case WMT_TYPE_STRING: {
                const auto* text = reinterpret_cast<const wchar_t*>(data.data());
                line = attribute + L"=" +
                       std::wstring(text, wcsnlen(text, data.size() / sizeof(WCHAR)));
                break;
            }
            case WMT_TYPE_QWORD:
            case WMT_TYPE_DWORD:
            case WMT_TYPE_WORD: {
                unsigned long long value = 0;
                if (type == WMT_TYPE_QWORD && dataBytes >= 8) {
                    std::memcpy(&value, data.data(), 8);
                } else if (type == WMT_TYPE_DWORD && dataBytes >= 4) {
                    DWORD v = 0;
                    std::memcpy(&v, data.data(), 4);
                    value = v;
                } else if (type == WMT_TYPE_WORD && dataBytes >= 2) {
                    WORD v = 0;
                    std::memcpy(&v, data.data(), 2);
                    value = v;
                }
                line = FormatNewString(L"%s=%I64u", attribute.c_str(), value);
                if (attribute == L"FileSize") {
                    fileSize = static_cast<LONGLONG>(value);
                }
                break;
            }
            case WMT_TYPE_BOOL: {
                BOOL value = FALSE;
                if (dataBytes >= sizeof value) {
                    std::memcpy(&value, data.data(), sizeof value);
                }
                line = attribute + L"=" + (value ? L"TRUE" : L"FALSE");
                break;
            }
            default: break;
            }
            if (!line.empty()) {
                lines.push_back(std::move(line));
            }
        }
    }
    const double duration = static_cast<double>(GetWMDuration(header)) / 10000000.0;
    auto bookmarks = std::make_unique<Bookmarks>();
    ReadMarkers(bookmarks.get(), header);

    std::lock_guard<std::mutex> hold(m_headerLock);
    std::memcpy(&m_metadata, metadata.get(), sizeof m_metadata);
    if (count > 0) {
        m_duration = duration;
    }
    m_headerLines = std::move(lines);
    m_fileSize = fileSize;
    m_bookmarks = std::move(bookmarks);
}
