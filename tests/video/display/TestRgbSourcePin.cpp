// The test RGB32 source's pin and its push thread.
#include "tests/video/display/TestRgbSourcePin.h"

#include <cstring>

namespace {

constexpr REFERENCE_TIME kFrameTime = 1000000;  // 100 ms
constexpr long kFrames = 600;

}  // namespace

TestRgbSourcePin::TestRgbSourcePin(CBaseFilter* filter, CCritSec* lock, int width, int height,
                                   COLORREF colour, HRESULT* phr)
    : CBaseOutputPin(L"RGB source pin", filter, lock, phr, L"Out"),
      m_width(width),
      m_height(height),
      m_colour(colour)
{
}

TestRgbSourcePin::~TestRgbSourcePin()
{
    StopThread();
}

HRESULT TestRgbSourcePin::CheckMediaType(const CMediaType* pmt)
{
    if (!pmt || *pmt->Type() != MEDIATYPE_Video || *pmt->Subtype() != MEDIASUBTYPE_RGB32 ||
        *pmt->FormatType() != FORMAT_VideoInfo || pmt->FormatLength() < sizeof(VIDEOINFOHEADER)) {
        return VFW_E_TYPE_NOT_ACCEPTED;
    }
    const auto* info = reinterpret_cast<const VIDEOINFOHEADER*>(pmt->Format());
    return info->bmiHeader.biWidth == m_width && std::abs(info->bmiHeader.biHeight) == m_height
               ? S_OK
               : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT TestRgbSourcePin::GetMediaType(int iPosition, CMediaType* pMediaType)
{
    if (iPosition != 0) {
        return iPosition < 0 ? E_INVALIDARG : VFW_S_NO_MORE_ITEMS;
    }
    VIDEOINFOHEADER info{};
    info.AvgTimePerFrame = kFrameTime;
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = m_width;
    info.bmiHeader.biHeight = m_height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    info.bmiHeader.biSizeImage = static_cast<DWORD>(m_width * m_height * 4);
    pMediaType->InitMediaType();
    pMediaType->SetType(&MEDIATYPE_Video);
    pMediaType->SetSubtype(&MEDIASUBTYPE_RGB32);
    pMediaType->SetFormatType(&FORMAT_VideoInfo);
    pMediaType->SetTemporalCompression(FALSE);
    pMediaType->SetSampleSize(info.bmiHeader.biSizeImage);
    pMediaType->SetFormat(reinterpret_cast<const BYTE*>(&info), sizeof(info));
    return S_OK;
}

HRESULT TestRgbSourcePin::DecideBufferSize(IMemAllocator* pAlloc, ALLOCATOR_PROPERTIES* pProp)
{
    pProp->cBuffers = 2;
    pProp->cbBuffer = m_width * m_height * 4;
    ALLOCATOR_PROPERTIES actual{};
    return pAlloc->SetProperties(pProp, &actual);
}

HRESULT TestRgbSourcePin::Active()
{
    const HRESULT hr = CBaseOutputPin::Active();
    if (SUCCEEDED(hr)) {
        m_stop = false;
        m_thread = CreateThread(nullptr, 0, ThreadEntry, this, 0, nullptr);
    }
    return hr;
}

HRESULT TestRgbSourcePin::Inactive()
{
    m_stop = true;
    const HRESULT hr = CBaseOutputPin::Inactive();  // wakes a GetDeliveryBuffer wait
    StopThread();
    return hr;
}

void TestRgbSourcePin::StopThread()
{
    m_stop = true;
    if (m_thread) {
        WaitForSingleObject(m_thread, INFINITE);
        CloseHandle(m_thread);
        m_thread = nullptr;
    }
}

DWORD WINAPI TestRgbSourcePin::ThreadEntry(void* self)
{
    static_cast<TestRgbSourcePin*>(self)->Push();
    return 0;
}

void TestRgbSourcePin::Fill(BYTE* data, long stride, long frame) const
{
    const DWORD background = (GetRValue(m_colour) << 16) | (GetGValue(m_colour) << 8) |
                             GetBValue(m_colour);
    const int bar = static_cast<int>(frame % m_width);
    for (int y = 0; y < m_height; ++y) {
        auto* row = reinterpret_cast<DWORD*>(data + y * stride);
        for (int x = 0; x < m_width; ++x) {
            row[x] = (x >= bar && x < bar + 8) ? 0x00FFFFFF : background;
        }
    }
}

void TestRgbSourcePin::Push()
{
    for (long frame = 0; !m_stop && frame < kFrames; ++frame) {
        IMediaSample* sample = nullptr;
        if (FAILED(GetDeliveryBuffer(&sample, nullptr, nullptr, 0)) || !sample) {
            return;
        }
        // A renderer may hand a buffer with a wider stride (a dynamic type change).
        long stride = m_width * 4;
        AM_MEDIA_TYPE* changed = nullptr;
        if (sample->GetMediaType(&changed) == S_OK && changed) {
            if (changed->formattype == FORMAT_VideoInfo && changed->pbFormat) {
                const auto* info = reinterpret_cast<const VIDEOINFOHEADER*>(changed->pbFormat);
                stride = info->bmiHeader.biWidth * 4;
            }
            DeleteMediaType(changed);
        }
        BYTE* data = nullptr;
        sample->GetPointer(&data);
        if (sample->GetSize() >= stride * m_height) {
            Fill(data, stride, frame);
        }
        sample->SetActualDataLength(stride * m_height);
        REFERENCE_TIME start = frame * kFrameTime;
        REFERENCE_TIME stop = start + kFrameTime;
        sample->SetTime(&start, &stop);
        sample->SetSyncPoint(TRUE);
        const HRESULT hr = Deliver(sample);
        sample->Release();
        if (hr != S_OK) {
            return;
        }
        ++m_delivered;
    }
    if (!m_stop) {
        DeliverEndOfStream();
    }
}
