// Asynchronous reader: one worker thread runs the commands in order and pushes samples.
#include "platform/wmvcore/WmvAsyncReader.h"

#include <chrono>
#include <cstring>
#include <new>

#include "platform/wmvcore/WmvBuffer.h"
#include "platform/wmvcore/WmvCommon.h"
#include "platform/wmvcore/WmvHttpSource.h"

namespace orvane::wmv {

namespace {

using Clock = std::chrono::steady_clock;

}  // namespace

WmvAsyncReader::WmvAsyncReader()
    : headerInfo_(static_cast<IWMReader*>(this)),
      profile_(static_cast<IWMReader*>(this)),
      network_(static_cast<IWMReader*>(this))
{
}

WmvAsyncReader::~WmvAsyncReader()
{
    {
        std::lock_guard<std::mutex> hold(lock_);
        quit_ = true;
        if (media_) {
            media_->Abort();
        }
    }
    wake_.notify_all();
    if (thread_.joinable()) {
        // The last reference may go inside one of our own callbacks, on the worker.
        if (thread_.get_id() == std::this_thread::get_id()) {
            thread_.detach();
        } else {
            thread_.join();
        }
    }
    queue_.clear();
    advanced_.Release();
    callback_.Release();
}

WmvAsyncReader* WmvAsyncReader::Create() { return new (std::nothrow) WmvAsyncReader(); }

STDMETHODIMP WmvAsyncReader::QueryInterface(REFIID iid, void** out)
{
    if (out == nullptr) {
        return E_POINTER;
    }
    if (iid == IID_IUnknown || iid == IID_IWMReader) {
        *out = static_cast<IWMReader*>(this);
    } else if (iid == IID_IWMReaderAdvanced || iid == IID_IWMReaderAdvanced2) {
        *out = static_cast<IWMReaderAdvanced2*>(this);
    } else if (iid == IID_IWMHeaderInfo || iid == IID_IWMHeaderInfo2 ||
               iid == IID_IWMHeaderInfo3) {
        *out = static_cast<IWMHeaderInfo3*>(&headerInfo_);
    } else if (iid == IID_IWMProfile) {
        *out = static_cast<IWMProfile*>(&profile_);
    } else if (iid == IID_IWMReaderNetworkConfig || iid == IID_IWMReaderNetworkConfig2) {
        *out = static_cast<IWMReaderNetworkConfig2*>(&network_);
    } else {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) WmvAsyncReader::AddRef() { return ++refs_; }

STDMETHODIMP_(ULONG) WmvAsyncReader::Release()
{
    const ULONG n = --refs_;
    if (n == 0) {
        delete this;
    }
    return n;
}

bool WmvAsyncReader::ValidStream(WORD stream) const
{
    return media_ && stream < 128 && media_->Header().FindStream(stream) != nullptr;
}

// ---- commands ----------------------------------------------------------------------------

STDMETHODIMP WmvAsyncReader::Open(const WCHAR* url, IWMReaderCallback* callback, void* context)
{
    return Guarded([&]() -> HRESULT {
        if (callback == nullptr) {
            return E_INVALIDARG;
        }
        const HRESULT hr = WmvMedia::CheckName(url);
        if (FAILED(hr)) {
            return hr;
        }
        Request r{Command::kOpen};
        r.url = url;
        r.cancel = std::make_shared<std::atomic<bool>>(false);
        return BeginOpen(std::move(r), callback, context);
    });
}

STDMETHODIMP WmvAsyncReader::OpenStream(IStream* stream, IWMReaderCallback* callback,
                                        void* context)
{
    return Guarded([&]() -> HRESULT {
        if (stream == nullptr || callback == nullptr) {
            return E_INVALIDARG;
        }
        Request r{Command::kOpen};
        r.stream = stream;
        return BeginOpen(std::move(r), callback, context);
    });
}

HRESULT WmvAsyncReader::BeginOpen(Request request, IWMReaderCallback* callback, void* context)
{
    std::lock_guard<std::mutex> hold(lock_);
    if (opened_ || callback_ != nullptr) {
        return NS_E_INVALID_REQUEST;
    }
    callback_ = callback;
    if (FAILED(callback->QueryInterface(IID_IWMReaderCallbackAdvanced,
                                        reinterpret_cast<void**>(&advanced_)))) {
        advanced_ = nullptr;
    }
    openContext_ = context;
    startContext_ = context;
    opened_ = true;
    openCancel_ = request.cancel;
    if (!thread_.joinable()) {
        try {
            thread_ = std::thread(&WmvAsyncReader::Worker, this);
        } catch (...) {
            opened_ = false;
            return E_OUTOFMEMORY;
        }
    }
    Post(std::move(request));
    return S_OK;
}

void WmvAsyncReader::Post(Request request)
{
    queue_.push_back(std::move(request));
    commandWaiting_ = true;
    // Each waiting command holds the object: a close asked for just before the application's
    // last release still runs and reports its status to whoever waits for it.
    AddRef();
    wake_.notify_all();
}

STDMETHODIMP WmvAsyncReader::Start(QWORD start, QWORD duration, float rate, void* context)
{
    return Guarded([&]() -> HRESULT {
        // Only forward play: the compressed samples cannot be handed out backwards.
        if (!(rate > 0.0f)) {
            return E_INVALIDARG;
        }
        std::lock_guard<std::mutex> hold(lock_);
        if (!opened_) {
            return NS_E_INVALID_REQUEST;
        }
        Request r{Command::kStart};
        r.start = start;
        r.duration = duration;
        r.rate = rate;
        r.context = context;
        Post(std::move(r));
        return S_OK;
    });
}

STDMETHODIMP WmvAsyncReader::StartAtMarker(WORD marker, QWORD duration, float rate, void* context)
{
    QWORD time = 0;
    {
        std::lock_guard<std::mutex> hold(lock_);
        if (!media_ || marker >= media_->Header().markers.size()) {
            return E_INVALIDARG;
        }
        time = media_->Header().markers[marker].time;
    }
    return Start(time, duration, rate, context);
}

STDMETHODIMP WmvAsyncReader::Stop()
{
    return Guarded([&]() -> HRESULT {
        std::lock_guard<std::mutex> hold(lock_);
        if (!opened_) {
            return NS_E_INVALID_REQUEST;
        }
        Post(Request{Command::kStop});
        return S_OK;
    });
}

STDMETHODIMP WmvAsyncReader::Pause()
{
    std::lock_guard<std::mutex> hold(lock_);
    if (!opened_) {
        return NS_E_INVALID_REQUEST;
    }
    paused_ = true;
    return S_OK;
}

STDMETHODIMP WmvAsyncReader::Resume()
{
    std::lock_guard<std::mutex> hold(lock_);
    if (!opened_) {
        return NS_E_INVALID_REQUEST;
    }
    paused_ = false;
    wake_.notify_all();
    return S_OK;
}

STDMETHODIMP WmvAsyncReader::Close()
{
    return Guarded([&]() -> HRESULT {
        std::lock_guard<std::mutex> hold(lock_);
        if (callback_ == nullptr) {
            return NS_E_INVALID_REQUEST;
        }
        // A read waiting for network data, or an open still connecting, must give up now.
        if (media_) {
            media_->Abort();
        }
        if (openCancel_) {
            *openCancel_ = true;
        }
        opened_ = false;
        Post(Request{Command::kClose});
        return S_OK;
    });
}

// ---- worker ------------------------------------------------------------------------------

void WmvAsyncReader::Worker()
{
    std::unique_lock<std::mutex> hold(lock_);
    for (;;) {
        wake_.wait(hold, [&] { return quit_ || !queue_.empty(); });
        if (quit_) {
            return;
        }
        Request r = std::move(queue_.front());
        queue_.pop_front();
        commandWaiting_ = !queue_.empty();
        hold.unlock();
        // The command's own reference (taken when it was posted) keeps the object alive while
        // its callbacks run; the application may drop its last reference inside one of them.
        try {
            switch (r.command) {
            case Command::kOpen: RunOpen(r); break;
            case Command::kStart: RunStart(r); break;
            case Command::kStop: Status(WMT_STOPPED, S_OK); break;
            case Command::kClose: RunClose(); break;
            }
        } catch (...) {
            // Out of memory while reading: the application hears of it as a reader error.
            Status(WMT_ERROR, E_OUTOFMEMORY);
        }
        if (Release() == 0) {
            return;
        }
        hold.lock();
    }
}

void WmvAsyncReader::Status(WMT_STATUS status, HRESULT result)
{
    IWMReaderCallback* callback = nullptr;
    void* context = nullptr;
    {
        std::lock_guard<std::mutex> hold(lock_);
        callback = callback_;
        context = status == WMT_OPENED ? openContext_ : startContext_;
    }
    if (callback != nullptr) {
        callback->OnStatus(status, result, WMT_TYPE_DWORD, nullptr, context);
    }
}

void WmvAsyncReader::RunOpen(Request& request)
{
    std::unique_ptr<WmvMedia> media;
    HRESULT hr;
    if (request.stream != nullptr) {
        hr = WmvMedia::OpenStream(request.stream, &media);
        request.stream.Release();
    } else {
        if (WmvMedia::IsNetworkName(request.url.c_str())) {
            Status(WMT_CONNECTING, S_OK);
        }
        WmvNetOptions net;
        WmvHttpUrl target;
        if (SUCCEEDED(WmvHttpSource::ParseUrl(request.url, &target))) {
            net.proxy = network_.ProxyFor(L"http", std::wstring(target.host.begin(),
                                                                target.host.end()));
        }
        net.cancel = request.cancel;
        net.credentials = [this](bool proxy, const std::wstring& realm, const std::wstring& site,
                                 std::wstring* user, std::wstring* password) {
            return AskCredentials(proxy, realm, site, user, password);
        };
        hr = WmvMedia::OpenByName(request.url.c_str(), GENERIC_READ, FILE_SHARE_READ, net,
                                  &media);
        if (FAILED(hr) && request.cancel && *request.cancel) {
            hr = E_ABORT;
        }
    }
    {
        std::lock_guard<std::mutex> hold(lock_);
        if (openCancel_ == request.cancel) {
            openCancel_.reset();
        }
        if (SUCCEEDED(hr)) {
            media_ = std::move(media);
            std::fill(std::begin(selected_), std::end(selected_), true);
            std::fill(std::begin(receiveStreamSamples_), std::end(receiveStreamSamples_), false);
            std::fill(std::begin(allocateForStream_), std::end(allocateForStream_), false);
            std::fill(std::begin(allocateForOutput_), std::end(allocateForOutput_), false);
            deliverLimit_ = 0;
            paused_ = false;
            // The mode the presentation is read in, as the runtime reports it once opened.
            playMode_ = media_->Http() == nullptr ? WMT_PLAY_MODE_LOCAL
                        : media_->Live()          ? WMT_PLAY_MODE_STREAMING
                                                  : WMT_PLAY_MODE_DOWNLOAD;
            headerInfo_.Attach(&media_->Header());
            profile_.Load(&media_->Header());
        }
    }
    Status(WMT_OPENED, hr);
}

bool WmvAsyncReader::AskCredentials(bool proxy, const std::wstring& realm,
                                    const std::wstring& site, std::wstring* user,
                                    std::wstring* password)
{
    IWMReaderCallback* callback = nullptr;
    {
        std::lock_guard<std::mutex> hold(lock_);
        callback = callback_;
    }
    CComPtr<IWMCredentialCallback> credentials;
    if (callback == nullptr ||
        FAILED(callback->QueryInterface(IID_IWMCredentialCallback,
                                        reinterpret_cast<void**>(&credentials))) ||
        credentials == nullptr) {
        return false;
    }
    constexpr DWORD kChars = 256;
    WCHAR name[kChars] = {};
    WCHAR secret[kChars] = {};
    user->copy(name, kChars - 1);
    std::wstring realmText = realm;
    std::wstring siteText = site;
    DWORD flags = kCredentialClearText | (proxy ? kCredentialProxy : 0);
    const HRESULT hr = credentials->AcquireCredentials(
        realmText.data(), siteText.data(), name, kChars, secret, kChars,
        proxy ? NS_E_PROXY_ACCESSDENIED : NS_E_SERVER_ACCESSDENIED, &flags);
    name[kChars - 1] = 0;
    secret[kChars - 1] = 0;
    const bool given = SUCCEEDED(hr);
    if (given) {
        *user = name;
        *password = secret;
    }
    SecureZeroMemory(secret, sizeof(secret));
    return given;
}

uint64_t WmvAsyncReader::ByteRate() const
{
    const asf::AsfHeader& h = media_->Header();
    uint64_t bits = 0;
    for (const auto& declared : h.declaredBitrates) {
        bits += declared.second;
    }
    if (bits == 0) {
        for (const asf::AsfStream& st : h.streams) {
            bits += st.bitrate;
        }
    }
    if (bits == 0) {
        bits = h.maxBitrate;
    }
    return std::max<uint64_t>(bits / 8, 16 * 1024);
}

void WmvAsyncReader::RunStart(const Request& request)
{
    asf::AsfDemuxer* demuxer = nullptr;
    {
        std::lock_guard<std::mutex> hold(lock_);
        startContext_ = request.context;
        paused_ = false;
        if (media_) {
            demuxer = &media_->Demuxer();
            for (const asf::AsfStream& s : media_->Header().streams) {
                demuxer->SetStreamEnabled(s.number, selected_[s.number]);
            }
        }
    }
    if (demuxer == nullptr) {
        Status(WMT_ERROR, NS_E_INVALID_REQUEST);
        return;
    }
    WmvHttpSource* http = nullptr;
    bool live = false;
    uint64_t rate = 0;
    QWORD bufferingTime = 0;
    {
        std::lock_guard<std::mutex> hold(lock_);
        http = media_ ? media_->Http() : nullptr;
        live = media_ && media_->Live();
        rate = media_ ? ByteRate() : 0;
    }
    if (FAILED(network_.GetBufferingTime(&bufferingTime))) {
        bufferingTime = 0;
    }
    const asf::AsfError range = demuxer->SetRange(request.start, request.duration);
    if (range != asf::AsfError::kOk) {
        if (!commandWaiting_) {
            Status(WMT_ERROR, media_->ReadFailure(range));
        }
        return;
    }
    Status(WMT_STARTED, S_OK);
    // A read that waits for the network while delivering says so; a command posted meanwhile
    // (Stop, another Start, Close) ends the wait.
    struct BufferingScope {
        WmvHttpSource* http;
        ~BufferingScope()
        {
            if (http != nullptr) {
                http->StopBuffering();
            }
        }
    } scope{http};
    if (http != nullptr) {
        const uint64_t bytes = bufferingTime / 10000 * rate / 1000;
        http->SetBuffering(std::max<uint64_t>(bytes, 1), rate, [this](bool starting) {
            Status(starting ? WMT_BUFFERING_START : WMT_BUFFERING_STOP, S_OK);
        });
        http->SetInterrupt(&commandWaiting_);
    }

    Clock::time_point origin = Clock::now();
    QWORD lastOnTime = UINT64_MAX;
    QWORD startTime = request.start;
    bool first = true;
    asf::AsfSample sample;
    for (;;) {
        const asf::AsfError e = demuxer->Next(&sample);
        if (e == asf::AsfError::kEndOfData) {
            Status(WMT_EOF, S_OK);
            Status(WMT_END_OF_STREAMING, S_OK);
            return;
        }
        if (e != asf::AsfError::kOk) {
            if (!commandWaiting_) {
                Status(WMT_ERROR, media_->ReadFailure(e));
            }
            return;
        }
        if (first) {
            first = false;
            // Live times run on from wherever the broadcast stands: the clock starts at the
            // first sample. So does a download that had to wait before its first sample.
            if (live) {
                startTime = sample.time;
            }
            origin = Clock::now();
        }
        std::unique_lock<std::mutex> hold(lock_);
        for (;;) {
            if (Interrupted()) {
                return;
            }
            if (paused_) {
                const Clock::time_point pausedAt = Clock::now();
                wake_.wait(hold, [&] { return Interrupted() || !paused_; });
                origin += Clock::now() - pausedAt;
                continue;
            }
            if (userClock_) {
                if (sample.time <= deliverLimit_) {
                    break;
                }
                // Everything up to the limit is out: say so once, then wait for more time.
                if (lastOnTime != deliverLimit_ && advanced_ != nullptr) {
                    lastOnTime = deliverLimit_;
                    IWMReaderCallbackAdvanced* advanced = advanced_;
                    void* context = startContext_;
                    hold.unlock();
                    advanced->OnTime(lastOnTime, context);
                    hold.lock();
                    continue;
                }
                wake_.wait(hold);
                continue;
            }
            const double offset = sample.time > startTime
                                      ? double(sample.time - startTime) / request.rate
                                      : 0.0;
            const Clock::time_point due =
                origin + std::chrono::microseconds(static_cast<int64_t>(offset / 10.0));
            if (Clock::now() >= due) {
                break;
            }
            wake_.wait_until(hold, due);
        }
        const bool wanted = selected_[sample.stream];
        hold.unlock();
        if (wanted) {
            Deliver(sample);
        }
    }
}

void WmvAsyncReader::Deliver(asf::AsfSample& sample)
{
    const WORD stream = sample.stream;
    IWMReaderCallback* callback = nullptr;
    IWMReaderCallbackAdvanced* advanced = nullptr;
    void* context = nullptr;
    bool asStream = false;
    bool allocate = false;
    DWORD output = 0;
    {
        std::lock_guard<std::mutex> hold(lock_);
        callback = callback_;
        advanced = advanced_;
        context = startContext_;
        asStream = advanced != nullptr && receiveStreamSamples_[stream];
        const auto& streams = media_->Header().streams;
        for (size_t i = 0; i < streams.size(); ++i) {
            if (streams[i].number == stream) {
                output = static_cast<DWORD>(i);
            }
        }
        allocate = advanced != nullptr &&
                   (asStream ? allocateForStream_[stream] : allocateForOutput_[output]);
    }
    if (callback == nullptr) {
        return;
    }
    const DWORD size = static_cast<DWORD>(sample.data.size());
    CComPtr<INSSBuffer> buffer;
    if (allocate) {
        // The application's own buffer: a refusal (it is stopping or flushing) drops the sample.
        const HRESULT hr = asStream ? advanced->AllocateForStream(stream, size, &buffer, context)
                                    : advanced->AllocateForOutput(output, size, &buffer, context);
        if (FAILED(hr) || buffer == nullptr) {
            return;
        }
        BYTE* data = nullptr;
        DWORD max = 0;
        if (FAILED(buffer->GetMaxLength(&max)) || max < size || FAILED(buffer->GetBuffer(&data)) ||
            data == nullptr) {
            return;
        }
        if (size > 0) {
            std::memcpy(data, sample.data.data(), size);
        }
        buffer->SetLength(size);
    } else {
        buffer.Attach(WmvBuffer::Create(std::move(sample.data)));
        if (buffer == nullptr) {
            return;
        }
    }
    const DWORD flags = (sample.keyFrame ? WM_SF_CLEANPOINT : 0) |
                        (sample.discontinuity ? WM_SF_DISCONTINUITY : 0);
    // Without decoders, output samples carry the compressed data too.
    if (asStream) {
        advanced->OnStreamSample(stream, sample.time, sample.duration, flags, buffer, context);
    } else {
        callback->OnSample(output, sample.time, sample.duration, flags, buffer, context);
    }
}

void WmvAsyncReader::RunClose()
{
    std::unique_ptr<WmvMedia> media;
    CComPtr<IWMReaderCallback> callback;
    CComPtr<IWMReaderCallbackAdvanced> advanced;
    void* context = nullptr;
    {
        std::lock_guard<std::mutex> hold(lock_);
        headerInfo_.Attach(nullptr);
        profile_.Load(nullptr);
        media = std::move(media_);
        // Detached before the closed status goes out, so that the application may open
        // again as soon as it hears of it.
        callback = std::move(callback_);
        advanced = std::move(advanced_);
        context = startContext_;
    }
    media.reset();
    if (callback != nullptr) {
        callback->OnStatus(WMT_CLOSED, S_OK, WMT_TYPE_DWORD, nullptr, context);
    }
}

// ---- settings ----------------------------------------------------------------------------

STDMETHODIMP WmvAsyncReader::SetUserProvidedClock(WINBOOL userClock)
{
    std::lock_guard<std::mutex> hold(lock_);
    userClock_ = userClock != FALSE;
    wake_.notify_all();
    return S_OK;
}

STDMETHODIMP WmvAsyncReader::GetUserProvidedClock(WINBOOL* userClock)
{
    if (userClock == nullptr) {
        return E_POINTER;
    }
    std::lock_guard<std::mutex> hold(lock_);
    *userClock = userClock_;
    return S_OK;
}

STDMETHODIMP WmvAsyncReader::DeliverTime(QWORD time)
{
    std::lock_guard<std::mutex> hold(lock_);
    if (!userClock_) {
        return NS_E_INVALID_REQUEST;
    }
    deliverLimit_ = time;
    wake_.notify_all();
    return S_OK;
}

STDMETHODIMP WmvAsyncReader::SetManualStreamSelection(WINBOOL manual)
{
    std::lock_guard<std::mutex> hold(lock_);
    manualSelection_ = manual != FALSE;
    return S_OK;
}

STDMETHODIMP WmvAsyncReader::GetManualStreamSelection(WINBOOL* manual)
{
    if (manual == nullptr) {
        return E_POINTER;
    }
    std::lock_guard<std::mutex> hold(lock_);
    *manual = manualSelection_;
    return S_OK;
}

STDMETHODIMP WmvAsyncReader::SetStreamsSelected(WORD count, WORD* numbers,
                                                WMT_STREAM_SELECTION* selections)
{
    if (count == 0 || numbers == nullptr || selections == nullptr) {
        return E_INVALIDARG;
    }
    std::lock_guard<std::mutex> hold(lock_);
    if (!media_) {
        return NS_E_INVALID_REQUEST;
    }
    for (WORD i = 0; i < count; ++i) {
        if (!ValidStream(numbers[i])) {
            return NS_E_INVALID_REQUEST;
        }
    }
    for (WORD i = 0; i < count; ++i) {
        selected_[numbers[i]] = selections[i] != WMT_OFF;
    }
    return S_OK;
}

STDMETHODIMP WmvAsyncReader::GetStreamSelected(WORD stream, WMT_STREAM_SELECTION* selection)
{
    if (selection == nullptr) {
        return E_POINTER;
    }
    std::lock_guard<std::mutex> hold(lock_);
    if (!ValidStream(stream)) {
        return NS_E_INVALID_REQUEST;
    }
    *selection = selected_[stream] ? WMT_ON : WMT_OFF;
    return S_OK;
}

STDMETHODIMP WmvAsyncReader::SetReceiveSelectionCallbacks(WINBOOL) { return S_OK; }

STDMETHODIMP WmvAsyncReader::GetReceiveSelectionCallbacks(WINBOOL* receive)
{
    if (receive == nullptr) {
        return E_POINTER;
    }
    *receive = FALSE;
    return S_OK;
}

STDMETHODIMP WmvAsyncReader::SetReceiveStreamSamples(WORD stream, WINBOOL receive)
{
    std::lock_guard<std::mutex> hold(lock_);
    if (!ValidStream(stream)) {
        return NS_E_INVALID_REQUEST;
    }
    receiveStreamSamples_[stream] = receive != FALSE;
    return S_OK;
}

STDMETHODIMP WmvAsyncReader::GetReceiveStreamSamples(WORD stream, WINBOOL* receive)
{
    if (receive == nullptr) {
        return E_POINTER;
    }
    std::lock_guard<std::mutex> hold(lock_);
    if (!ValidStream(stream)) {
        return NS_E_INVALID_REQUEST;
    }
    *receive = receiveStreamSamples_[stream];
    return S_OK;
}

STDMETHODIMP WmvAsyncReader::SetAllocateForOutput(DWORD output, WINBOOL allocate)
{
    std::lock_guard<std::mutex> hold(lock_);
    if (!media_ || output >= media_->Header().streams.size()) {
        return NS_E_INVALID_REQUEST;
    }
    allocateForOutput_[output] = allocate != FALSE;
    return S_OK;
}

STDMETHODIMP WmvAsyncReader::GetAllocateForOutput(DWORD output, WINBOOL* allocate)
{
    if (allocate == nullptr) {
        return E_POINTER;
    }
    std::lock_guard<std::mutex> hold(lock_);
    if (!media_ || output >= media_->Header().streams.size()) {
        return NS_E_INVALID_REQUEST;
    }
    *allocate = allocateForOutput_[output];
    return S_OK;
}

STDMETHODIMP WmvAsyncReader::SetAllocateForStream(WORD stream, WINBOOL allocate)
{
    std::lock_guard<std::mutex> hold(lock_);
    if (!ValidStream(stream)) {
        return NS_E_INVALID_REQUEST;
    }
    allocateForStream_[stream] = allocate != FALSE;
    return S_OK;
}

STDMETHODIMP WmvAsyncReader::GetAllocateForStream(WORD stream, WINBOOL* allocate)
{
    if (allocate == nullptr) {
        return E_POINTER;
    }
    std::lock_guard<std::mutex> hold(lock_);
    if (!ValidStream(stream)) {
        return NS_E_INVALID_REQUEST;
    }
    *allocate = allocateForStream_[stream];
    return S_OK;
}

STDMETHODIMP WmvAsyncReader::GetStatistics(WM_READER_STATISTICS* statistics)
{
    if (statistics == nullptr || statistics->cbSize < sizeof(WM_READER_STATISTICS)) {
        return E_INVALIDARG;
    }
    const DWORD size = statistics->cbSize;
    std::memset(statistics, 0, sizeof(*statistics));
    statistics->cbSize = size;
    statistics->wQuality = 100;
    return S_OK;
}

STDMETHODIMP WmvAsyncReader::SetClientInfo(WM_READER_CLIENTINFO*) { return S_OK; }

STDMETHODIMP WmvAsyncReader::GetMaxOutputSampleSize(DWORD output, DWORD* size)
{
    WORD stream = 0;
    {
        std::lock_guard<std::mutex> hold(lock_);
        if (!media_ || output >= media_->Header().streams.size()) {
            return NS_E_INVALID_REQUEST;
        }
        stream = media_->Header().streams[output].number;
    }
    return GetMaxStreamSampleSize(stream, size);
}

STDMETHODIMP WmvAsyncReader::GetMaxStreamSampleSize(WORD stream, DWORD* size)
{
    return Guarded([&]() -> HRESULT {
        if (size == nullptr) {
            return E_POINTER;
        }
        std::lock_guard<std::mutex> hold(lock_);
        if (!ValidStream(stream)) {
            return NS_E_INVALID_REQUEST;
        }
        uint32_t max = 0;
        const asf::AsfError e = media_->Demuxer().MaxObjectSize(stream, &max);
        *size = max;
        return HResultFromAsf(e);
    });
}

STDMETHODIMP WmvAsyncReader::NotifyLateDelivery(QWORD) { return S_OK; }

STDMETHODIMP WmvAsyncReader::SetPlayMode(WMT_PLAY_MODE mode)
{
    std::lock_guard<std::mutex> hold(lock_);
    playMode_ = mode;
    return S_OK;
}

STDMETHODIMP WmvAsyncReader::GetPlayMode(WMT_PLAY_MODE* mode)
{
    if (mode == nullptr) {
        return E_POINTER;
    }
    std::lock_guard<std::mutex> hold(lock_);
    *mode = playMode_;
    return S_OK;
}

STDMETHODIMP WmvAsyncReader::GetBufferProgress(DWORD* percent, QWORD* buffering)
{
    if (percent == nullptr || buffering == nullptr) {
        return E_POINTER;
    }
    std::lock_guard<std::mutex> hold(lock_);
    if (!media_) {
        return NS_E_INVALID_REQUEST;
    }
    unsigned done = 100;
    uint64_t remaining = 0;
    if (media_->Http() != nullptr) {
        media_->Http()->BufferProgress(&done, &remaining);
    }
    *percent = done;
    *buffering = remaining;
    return S_OK;
}

STDMETHODIMP WmvAsyncReader::GetDownloadProgress(DWORD* percent, QWORD* bytes, QWORD* download)
{
    if (percent == nullptr || bytes == nullptr || download == nullptr) {
        return E_POINTER;
    }
    std::lock_guard<std::mutex> hold(lock_);
    if (!media_) {
        return NS_E_INVALID_REQUEST;
    }
    uint64_t received = 0;
    unsigned done = 0;
    media_->Progress(&received, &done);
    *percent = done;
    *bytes = received;
    *download = 0;
    return S_OK;
}

STDMETHODIMP WmvAsyncReader::GetSaveAsProgress(DWORD* percent)
{
    if (percent == nullptr) {
        return E_POINTER;
    }
    *percent = 0;
    return S_OK;
}

STDMETHODIMP WmvAsyncReader::SaveFileAs(const WCHAR*) { return NS_E_INVALID_REQUEST; }

STDMETHODIMP WmvAsyncReader::GetProtocolName(WCHAR* protocol, DWORD* length)
{
    std::lock_guard<std::mutex> hold(lock_);
    if (!media_) {
        return NS_E_INVALID_REQUEST;
    }
    return CopyText(FromWide(media_->Protocol().c_str()), protocol, length);
}

STDMETHODIMP WmvAsyncReader::GetOutputSetting(DWORD, LPCWSTR, WMT_ATTR_DATATYPE*, BYTE*, WORD*)
{
    return NS_E_UNSUPPORTED_PROPERTY;
}

STDMETHODIMP WmvAsyncReader::SetOutputSetting(DWORD, LPCWSTR, WMT_ATTR_DATATYPE, const BYTE*,
                                              WORD)
{
    return NS_E_UNSUPPORTED_PROPERTY;
}

STDMETHODIMP WmvAsyncReader::Preroll(QWORD, QWORD, float) { return S_OK; }
STDMETHODIMP WmvAsyncReader::SetLogClientID(WINBOOL) { return S_OK; }

STDMETHODIMP WmvAsyncReader::GetLogClientID(WINBOOL* log)
{
    if (log == nullptr) {
        return E_POINTER;
    }
    *log = FALSE;
    return S_OK;
}

STDMETHODIMP WmvAsyncReader::StopBuffering() { return S_OK; }

STDMETHODIMP WmvAsyncReader::GetOutputCount(DWORD* count)
{
    if (count == nullptr) {
        return E_POINTER;
    }
    std::lock_guard<std::mutex> hold(lock_);
    if (!media_) {
        return NS_E_INVALID_REQUEST;
    }
    *count = static_cast<DWORD>(media_->Header().streams.size());
    return S_OK;
}

STDMETHODIMP WmvAsyncReader::GetOutputProps(DWORD, IWMOutputMediaProps** props)
{
    return NoDecodedOutput(props);
}

STDMETHODIMP WmvAsyncReader::SetOutputProps(DWORD, IWMOutputMediaProps*)
{
    return NS_E_INVALID_OUTPUT_FORMAT;
}

STDMETHODIMP WmvAsyncReader::GetOutputFormatCount(DWORD, DWORD* count)
{
    return NoDecodedFormats(count);
}

STDMETHODIMP WmvAsyncReader::GetOutputFormat(DWORD, DWORD, IWMOutputMediaProps** props)
{
    return NoDecodedOutput(props);
}

}  // namespace orvane::wmv
