// Recording callback for the asynchronous reader tests.
#include "tests/platform/wmvcore/ReaderCallbackRecorder.h"

#include <algorithm>
#include <chrono>
#include <vector>

namespace orvane::test {

namespace {

// The application's own buffer: a heap block the test can recognise.
class OwnBuffer final : public INSSBuffer {
public:
    explicit OwnBuffer(DWORD size) : bytes_(size), length_(size) {}
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        if (iid == IID_IUnknown || iid == IID_INSSBuffer || iid == kTag) {
            *out = static_cast<INSSBuffer*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
    STDMETHODIMP_(ULONG) Release() override
    {
        const ULONG n = --refs_;
        if (n == 0) {
            delete this;
        }
        return n;
    }
    STDMETHODIMP GetLength(DWORD* length) override { *length = length_; return S_OK; }
    STDMETHODIMP SetLength(DWORD length) override
    {
        if (length > bytes_.size()) return E_INVALIDARG;
        length_ = length;
        return S_OK;
    }
    STDMETHODIMP GetMaxLength(DWORD* length) override
    {
        *length = static_cast<DWORD>(bytes_.size());
        return S_OK;
    }
    STDMETHODIMP GetBuffer(BYTE** buffer) override { *buffer = bytes_.data(); return S_OK; }
    STDMETHODIMP GetBufferAndLength(BYTE** buffer, DWORD* length) override
    {
        *buffer = bytes_.data();
        *length = length_;
        return S_OK;
    }
    static const GUID kTag;

private:
    std::atomic<ULONG> refs_{1};
    std::vector<BYTE> bytes_;
    DWORD length_;
};

// Recognised by QueryInterface for this private identifier.
const GUID OwnBuffer::kTag = {0x6F776E62, 0x7566, 0x6600, {1, 2, 3, 4, 5, 6, 7, 8}};

}  // namespace

STDMETHODIMP ReaderCallbackRecorder::QueryInterface(REFIID iid, void** out)
{
    if (iid == IID_IUnknown || iid == IID_IWMReaderCallback || iid == IID_IWMStatusCallback) {
        *out = static_cast<IWMReaderCallback*>(this);
    } else if (iid == IID_IWMReaderCallbackAdvanced) {
        *out = static_cast<IWMReaderCallbackAdvanced*>(this);
    } else if (iid == IID_IWMCredentialCallback && offerCredentials_) {
        *out = static_cast<IWMCredentialCallback*>(this);
    } else {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

void ReaderCallbackRecorder::AnswerCredentials(std::wstring user, std::wstring password)
{
    std::lock_guard<std::mutex> hold(lock_);
    offerCredentials_ = true;
    user_ = std::move(user);
    password_ = std::move(password);
}

std::vector<ReaderCallbackRecorder::CredentialAsk> ReaderCallbackRecorder::CredentialAsks() const
{
    std::lock_guard<std::mutex> hold(lock_);
    return asks_;
}

STDMETHODIMP ReaderCallbackRecorder::AcquireCredentials(WCHAR* realm, WCHAR* site, WCHAR* user,
                                                        DWORD userSize, WCHAR* password,
                                                        DWORD passwordSize, HRESULT status,
                                                        DWORD* flags)
{
    std::lock_guard<std::mutex> hold(lock_);
    if (realm == nullptr || site == nullptr || user == nullptr || password == nullptr ||
        flags == nullptr) {
        ++protocolFaults_;
        return E_POINTER;
    }
    asks_.push_back({realm, site, user, status, *flags});
    if (user_.empty() || user_.size() >= userSize || password_.size() >= passwordSize) {
        return E_ACCESSDENIED;
    }
    std::copy(user_.begin(), user_.end(), user);
    user[user_.size()] = 0;
    std::copy(password_.begin(), password_.end(), password);
    password[password_.size()] = 0;
    return S_OK;
}

void ReaderCallbackRecorder::Advance(QWORD limit)
{
    {
        std::lock_guard<std::mutex> hold(lock_);
        limit_ = limit;
    }
    IWMReaderAdvanced* advanced = nullptr;
    if (reader_ != nullptr &&
        SUCCEEDED(reader_->QueryInterface(IID_IWMReaderAdvanced,
                                          reinterpret_cast<void**>(&advanced)))) {
        if (FAILED(advanced->DeliverTime(limit))) {
            ++protocolFaults_;
        }
        advanced->Release();
    }
}

STDMETHODIMP ReaderCallbackRecorder::OnStatus(WMT_STATUS status, HRESULT hr, WMT_ATTR_DATATYPE,
                                              BYTE*, void*)
{
    {
        std::lock_guard<std::mutex> hold(lock_);
        statuses_.emplace_back(status, hr);
    }
    if (status == WMT_STARTED && step_ != 0) {
        Advance(step_);
    }
    changed_.notify_all();
    return S_OK;
}

STDMETHODIMP ReaderCallbackRecorder::OnTime(QWORD time, void*)
{
    if (step_ == 0) {
        return S_OK;  // the test drives the clock itself
    }
    {
        // OnTime must report the delivery limit.
        std::lock_guard<std::mutex> hold(lock_);
        if (time != limit_) {
            ++protocolFaults_;
        }
    }
    Advance(time + step_);
    return S_OK;
}

STDMETHODIMP ReaderCallbackRecorder::OnSample(DWORD, QWORD, QWORD, DWORD, INSSBuffer*, void*)
{
    ++protocolFaults_;  // an output sample for a stream set to deliver stream samples
    return S_OK;
}

STDMETHODIMP ReaderCallbackRecorder::OnStreamSample(WORD stream, QWORD time, QWORD, DWORD flags,
                                                    INSSBuffer* sample, void*)
{
    DWORD length = 0;
    sample->GetLength(&length);
    void* tag = nullptr;
    if (SUCCEEDED(sample->QueryInterface(OwnBuffer::kTag, &tag))) {
        static_cast<INSSBuffer*>(tag)->Release();
    } else if (ownBuffers_) {
        ++foreignBuffers_;
    }
    std::lock_guard<std::mutex> hold(lock_);
    if (step_ != 0 && time > limit_) {
        beyondLimit_ = true;
    }
    samples_.push_back({stream, time / 10000, length, (flags & WM_SF_CLEANPOINT) != 0});
    return S_OK;
}

STDMETHODIMP ReaderCallbackRecorder::OnStreamSelection(WORD, WORD*, WMT_STREAM_SELECTION*, void*)
{
    return S_OK;
}

STDMETHODIMP ReaderCallbackRecorder::OnOutputPropsChanged(DWORD, WM_MEDIA_TYPE*, void*)
{
    return S_OK;
}

STDMETHODIMP ReaderCallbackRecorder::AllocateForStream(WORD, DWORD size, INSSBuffer** buffer,
                                                       void*)
{
    if (!ownBuffers_) {
        return E_NOTIMPL;
    }
    *buffer = new OwnBuffer(size);
    ++ownHandedOut_;
    return S_OK;
}

STDMETHODIMP ReaderCallbackRecorder::AllocateForOutput(DWORD, DWORD, INSSBuffer**, void*)
{
    return E_NOTIMPL;
}

bool ReaderCallbackRecorder::WaitFor(WMT_STATUS status, DWORD timeoutMs)
{
    std::unique_lock<std::mutex> hold(lock_);
    return changed_.wait_for(hold, std::chrono::milliseconds(timeoutMs), [&] {
        return std::any_of(statuses_.begin(), statuses_.end(),
                           [&](const auto& s) { return s.first == status; });
    });
}

std::vector<WMT_STATUS> ReaderCallbackRecorder::Statuses() const
{
    std::lock_guard<std::mutex> hold(lock_);
    std::vector<WMT_STATUS> out;
    for (const auto& s : statuses_) {
        out.push_back(s.first);
    }
    return out;
}

HRESULT ReaderCallbackRecorder::ResultOf(WMT_STATUS status) const
{
    std::lock_guard<std::mutex> hold(lock_);
    for (const auto& s : statuses_) {
        if (s.first == status) {
            return s.second;
        }
    }
    return E_FAIL;
}

std::vector<SampleRow> ReaderCallbackRecorder::Samples() const
{
    std::lock_guard<std::mutex> hold(lock_);
    return samples_;
}

void ReaderCallbackRecorder::ClearSamples()
{
    std::lock_guard<std::mutex> hold(lock_);
    samples_.clear();
    statuses_.clear();
}

}  // namespace orvane::test
