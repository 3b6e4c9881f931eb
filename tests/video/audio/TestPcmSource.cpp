// The test PCM source filter.
#include "tests/video/audio/TestPcmSource.h"

#include <new>

TestPcmSource* TestPcmSource::Create(const WAVEFORMATEX& format, double seconds)
{
    HRESULT hr = S_OK;
    auto* source = new (std::nothrow) TestPcmSource(format, seconds, &hr);
    if (source && (FAILED(hr) || !source->m_pin)) {
        delete source;
        return nullptr;
    }
    if (source) {
        source->NonDelegatingAddRef();
    }
    return source;
}

TestPcmSource::TestPcmSource(const WAVEFORMATEX& format, double seconds, HRESULT* phr)
    : CBaseFilter(L"PCM source", nullptr, &m_lock, CLSID_NULL)
{
    m_pin = new (std::nothrow) TestPcmSourcePin(this, &m_lock, format, seconds, phr);
}

TestPcmSource::~TestPcmSource()
{
    delete m_pin;
}
